#include "exchange/OfxStatement.h"

#include "exchange/OfxValueText.h"
#include "exchange/TextDecoding.h"
#include "platform/Format.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using namespace ofxtext;

enum class Tag {
    Other,
    BlockStart,
    BlockEnd,
    Type,
    Amount,
    Memo,
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool startsWith(const char* at, const char* end, QByteArrayView prefix)
{
    return end - at >= prefix.size() && std::memcmp(at, prefix.data(), size_t(prefix.size())) == 0;
}

const char* find(const char* from, const char* end, QByteArrayView what)
{
    const qsizetype at = QByteArrayView(from, end - from).indexOf(what);
    return at < 0 ? nullptr : from + at;
}

const char* findChar(const char* from, const char* end, char c)
{
    return static_cast<const char*>(std::memchr(from, c, size_t(end - from)));
}

// How many transactions the file may hold: its "<STMTTRN" tags, a few more
// when comments or CDATA sections hold some.
qsizetype blockStarts(QByteArrayView bytes)
{
    static constexpr QByteArrayView name = "STMTTRN";
    qsizetype count = 0;
    const char* const end = bytes.data() + bytes.size();
    for (const char* at = findChar(bytes.data(), end, '<'); at; at = findChar(at, end, '<')) {
        ++at;
        if (end - at > name.size() && qstrnicmp(at, name.data(), size_t(name.size())) == 0 &&
            (at[name.size()] == '>' || at[name.size()] == '/' || isBlank(at[name.size()])))
            ++count;
    }
    return count;
}

// The tags read, by name. Besides its own end tag, a block ends at the end of
// the list that holds it: in SGML an end tag closes what is open inside it.
Tag tagNamed(const char* name, qsizetype size)
{
    static const std::pair<QByteArrayView, Tag> tags[] = {
        {"STMTTRN", Tag::BlockStart},    {"/STMTTRN", Tag::BlockEnd}, {"TRNTYPE", Tag::Type},
        {"TRNAMT", Tag::Amount},         {"MEMO", Tag::Memo},         {"/BANKTRANLIST", Tag::BlockEnd},
        {"/INVBANKTRAN", Tag::BlockEnd},
    };
    for (const auto& [tagName, tag] : tags)
        if (tagName.size() == size && qstrnicmp(name, tagName.data(), size_t(size)) == 0)
            return tag;
    return Tag::Other;
}

// A tag from what lies between its "<" and ">": its name is the first word;
// "<MEMO/>" and "<MEMO />" are elements with no value.
Tag tagOf(const char* begin, const char* end, bool& empty)
{
    empty = end > begin && end[-1] == '/';
    if (empty)
        --end;
    while (begin < end && isBlank(*begin))
        ++begin;
    const char* nameEnd = begin;
    while (nameEnd < end && !isBlank(*nameEnd))
        ++nameEnd;
    return tagNamed(begin, nameEnd - begin);
}

enum class Markup {
    Text,
    Tag,
    Comment,
    CData,
};

struct MarkupSpan
{
    Markup kind = Markup::Text;
    const char* contentBegin = nullptr; // a tag's name and attributes, a CDATA section's text
    const char* contentEnd = nullptr;
    const char* after = nullptr; // the first byte past it
};

// What the "<" at `open` starts. A comment or a CDATA section left open runs
// to the end of the file. A tag closes on its own line; a "<" that is not
// followed by a letter, "/", "!" or "?", or that is not closed there, is text
// ("PARCELA 3<10", "A < B").
MarkupSpan markupAt(const char* open, const char* end)
{
    const char* next = open + 1;
    if (startsWith(next, end, "!--")) {
        const char* close = find(next + 3, end, "-->");
        return {Markup::Comment, nullptr, nullptr, close ? close + 3 : end};
    }
    if (startsWith(next, end, "![CDATA[")) {
        const char* text = next + 8;
        const char* close = find(text, end, "]]>");
        return {Markup::CData, text, close ? close : end, close ? close + 3 : end};
    }
    const MarkupSpan text{Markup::Text, nullptr, nullptr, next};
    if (next == end || !(isAsciiLetter(*next) || *next == '/' || *next == '!' || *next == '?'))
        return text;
    const char* close = next;
    while (close < end && *close != '>' && *close != '<' && !isLineEnd(*close))
        ++close;
    if (close == end || *close != '>')
        return text;
    return {Markup::Tag, next, close, close + 1};
}

Charset charsetNamed(const QByteArray& name)
{
    const QByteArray upper = name.trimmed().toUpper();
    // Latin-1 is read as Windows-1252, as browsers do: they differ only where
    // Latin-1 has control characters that no statement means.
    return upper == "UTF-8" || upper == "UTF8" || upper == "UNICODE" ? Charset::Utf8 : Charset::Windows1252;
}

// The value after "key" and the separator in a header: "ENCODING:UTF-8" or encoding="UTF-8".
std::optional<QByteArray> headerValue(const QByteArray& upperHeader, const QByteArray& header, const char* key)
{
    qsizetype at = upperHeader.indexOf(key);
    if (at < 0)
        return std::nullopt;
    at += qsizetype(std::strlen(key));
    while (at < header.size() && (isBlank(header[at]) || header[at] == ':' || header[at] == '='))
        ++at;
    if (at < header.size() && (header[at] == '"' || header[at] == '\''))
        ++at;
    qsizetype end = at;
    while (end < header.size() && !isBlank(header[end]) && header[end] != '"' && header[end] != '\'' &&
           header[end] != '?')
        ++end;
    return header.mid(at, end - at);
}

// The text encoding the file declares: a UTF-8 byte-order mark, the XML
// prolog's encoding, or the SGML header's ENCODING and CHARSET; nothing when
// it declares none.
std::optional<Charset> declaredCharset(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return Charset::Utf8;
    // Headers are short; a file with no tag near its start declares nothing.
    const QByteArrayView start = bytes.first(std::min<qsizetype>(bytes.size(), 4096));
    qsizetype firstTag = start.indexOf('<');
    if (firstTag < 0)
        firstTag = start.size();
    if (start.sliced(firstTag).startsWith("<?xml") || start.sliced(firstTag).startsWith("<?XML")) {
        qsizetype prologEnd = start.indexOf("?>", firstTag);
        if (prologEnd < 0)
            prologEnd = start.size();
        const QByteArray prolog = start.sliced(firstTag, prologEnd - firstTag).toByteArray();
        const auto encoding = headerValue(prolog.toUpper(), prolog, "ENCODING");
        return encoding ? std::optional(charsetNamed(*encoding)) : std::nullopt;
    }
    const QByteArray header = start.first(firstTag).toByteArray();
    const QByteArray upper = header.toUpper();
    const auto encoding = headerValue(upper, header, "ENCODING:");
    if (encoding && charsetNamed(*encoding) == Charset::Utf8)
        return Charset::Utf8;
    const auto charset = headerValue(upper, header, "CHARSET:");
    if (charset)
        return charsetNamed(*charset);
    return encoding ? std::optional(Charset::Windows1252) : std::nullopt;
}

// A file that declares nothing is read as (lenient) UTF-8. Some banks write
// UTF-8 under a header that says Windows-1252 or Latin-1; text really in those
// encodings practically never forms valid UTF-8 with multi-byte characters,
// so a file whose bytes do is read as UTF-8.
Charset charsetOf(QByteArrayView bytes)
{
    const std::optional<Charset> declared = declaredCharset(bytes);
    if (declared == Charset::Windows1252 && Utf8FormOf(bytes) == Utf8Form::MultiByte)
        return Charset::Utf8;
    return declared.value_or(Charset::Utf8);
}

// Text between markup: decoded, then its entities.
void appendText(QString& texts, const char* begin, const char* end, Charset charset)
{
    const qsizetype start = texts.size();
    const QByteArrayView bytes(begin, end - begin);
    appendDecoded(texts, bytes, charset);
    if (bytes.contains('&'))
        decodeEntitiesFrom(texts, start);
}

// Appends the value after a tag to the texts: its text up to the next tag,
// over as many lines as it takes, comments left out and CDATA sections taken
// as they stand (no entities, no tags). `at` moves to the tag that ends it.
void appendValue(QString& texts, const char*& at, const char* end, Charset charset)
{
    const qsizetype start = texts.size();
    // The blanks at either end would be folded away: they are not decoded at all.
    const char* text = at;
    while (text < end && isBlank(*text))
        ++text;
    const char* search = text;
    for (;;) {
        const char* open = findChar(search, end, '<');
        const MarkupSpan markup = open ? markupAt(open, end) : MarkupSpan{Markup::Tag, end, end, end};
        if (markup.kind == Markup::Text) {
            search = markup.after;
            continue;
        }
        const char* textEnd = open ? open : end;
        if (markup.kind == Markup::Tag) {
            at = textEnd;
            while (textEnd > text && isBlank(textEnd[-1]))
                --textEnd;
            appendText(texts, text, textEnd, charset);
            break;
        }
        appendText(texts, text, textEnd, charset);
        if (markup.kind == Markup::CData)
            appendDecoded(texts, QByteArrayView(markup.contentBegin, markup.contentEnd - markup.contentBegin), charset);
        text = search = markup.after;
    }
    // Line ends and blanks at the ends may also come from entities ("&#10;") and CDATA sections.
    foldFrom(texts, start);
}

// The amount cut to two decimals ("-12.345" gives "12.34") for the rule of
// typed amounts; empty when it is not an amount as OFX writes one.
QString toTheCent(const QString& amount)
{
    QStringView text = QStringView(amount).trimmed();
    if (text.startsWith(u'+') || text.startsWith(u'-'))
        text = text.sliced(1);
    qsizetype mark = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'.' || text[i] == u',') {
            if (mark >= 0)
                return QString();
            mark = i;
        } else if (text[i] < u'0' || text[i] > u'9') {
            return QString();
        }
    }
    if (mark < 0)
        return text.toString();
    const QStringView decimals = text.sliced(mark + 1);
    return text.first(mark).toString() + u'.' + decimals.first(std::min<qsizetype>(2, decimals.size())).toString();
}

} // namespace

OfxStatement OfxStatement::read(QIODevice& device)
{
    QByteArray bytes;
    ImportFileProblem problem = ReadImportBytes(device, bytes);
    return readOrRefused(std::move(problem), std::move(bytes));
}

OfxStatement OfxStatement::read(const QString& path)
{
    QByteArray bytes;
    ImportFileProblem problem = ReadImportBytes(path, bytes);
    return readOrRefused(std::move(problem), std::move(bytes));
}

OfxStatement OfxStatement::readOrRefused(ImportFileProblem problem, QByteArray bytes)
{
    OfxStatement statement;
    if (problem.ok()) {
        // The file's own bytes go as soon as they are converted.
        if (const auto wide = WideEncodingOf(bytes))
            bytes = utf8OfWide(bytes, *wide);
        statement = parseNarrow(bytes);
    }
    statement.problem_ = std::move(problem);
    return statement;
}

OfxStatement OfxStatement::parse(QByteArrayView bytes)
{
    if (bytes.size() > kImportFileLimit) {
        OfxStatement statement;
        statement.problem_ = {ImportFileProblem::Kind::TooLarge, QString(), bytes.size()};
        return statement;
    }
    if (const auto wide = WideEncodingOf(bytes))
        return parseNarrow(utf8OfWide(bytes, *wide));
    return parseNarrow(bytes);
}

OfxStatement OfxStatement::parseNarrow(QByteArrayView bytes)
{
    // A value is never more characters than its bytes, so the texts of every
    // transaction fit in 32-bit offsets.
    static_assert(kImportFileLimit / 2 * 3 + 3 < qint64(UINT32_MAX));
    Q_ASSERT(bytes.size() <= kImportFileLimit / 2 * 3 + 3);
    OfxStatement statement;
    OfxTransactions& list = statement.transactions_;
    QString& texts = list.texts_;
    // Room for every transaction and every value at once: a list that doubles
    // as it grows holds three times as much at its peak. No value has more
    // characters than bytes, so the file's size is room enough for the texts;
    // room that is never written to is given no memory by the system.
    list.fields_.reserve(size_t(blockStarts(bytes)));
    texts.reserve(bytes.size() + 1);
    const Charset charset = charsetOf(bytes);
    const char* at = bytes.data();
    const char* const end = at + bytes.size();

    // A transaction is its own block: values read before its type still
    // belong to it, and a block without a type adds nothing.
    bool inBlock = false;
    bool typed = false;
    qsizetype blockTexts = 0;
    OfxTransactions::Fields current;
    const auto endBlock = [&] {
        if (inBlock && typed)
            list.fields_.push_back(current);
        else
            texts.truncate(blockTexts);
        current = OfxTransactions::Fields();
        inBlock = typed = false;
        blockTexts = texts.size();
    };

    while (at < end) {
        const char* open = findChar(at, end, '<');
        if (!open)
            break;
        const MarkupSpan markup = markupAt(open, end);
        at = markup.after;
        if (markup.kind != Markup::Tag)
            continue;
        bool empty = false;
        const Tag tag = tagOf(markup.contentBegin, markup.contentEnd, empty);
        if (tag == Tag::BlockStart || tag == Tag::BlockEnd) {
            endBlock();
            inBlock = tag == Tag::BlockStart && !empty;
            continue;
        }
        if (tag == Tag::Other || !inBlock)
            continue;
        const qsizetype valueStart = texts.size();
        if (!empty)
            appendValue(texts, at, end, charset);
        if (tag == Tag::Memo)
            oneLineFrom(texts, valueStart);
        const OfxTransactions::Span value{std::uint32_t(valueStart), std::uint32_t(texts.size() - valueStart)};
        if (tag == Tag::Type) {
            current.type = value;
            typed = true;
        } else if (tag == Tag::Amount) {
            current.amount = value;
        } else {
            current.memo = value;
        }
    }
    // A block left open at the end of the file still counts, but the file was cut short.
    statement.endsInsideTransaction_ = inBlock;
    endBlock();
    // Shortened where it lies, never copied.
    texts.squeeze();
    return statement;
}

OfxBooking OfxStatement::booking(const OfxTransaction& transaction)
{
    OfxBooking booking;
    // The limit of typed amounts; a bank's third decimal is kept as it stands.
    const AmountReading cents = ReadEnteredAmount(toTheCent(transaction.amount));
    const std::optional<double> value = ReadAmount(transaction.amount, /*grouping=*/false);
    if (cents.problem == AmountReading::Problem::TooLarge) {
        booking.problem = OfxBooking::Problem::TooLarge;
        return booking;
    }
    if (cents.problem != AmountReading::Problem::None || !value) {
        booking.problem = OfxBooking::Problem::NotANumber;
        return booking;
    }
    booking.amount = std::abs(*value);
    booking.credit = *value >= 0 && !transaction.type.contains(QLatin1String("DEB"), Qt::CaseInsensitive);
    return booking;
}
