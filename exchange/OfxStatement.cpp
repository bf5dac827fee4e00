#include "exchange/OfxStatement.h"

#include "exchange/TextDecoding.h"
#include "platform/Format.h"

#include <QFile>
#include <QFileDevice>
#include <QStringDecoder>
#include <cmath>
#include <cstring>

namespace {

enum class Charset {
    Utf8,
    Latin1,
    Windows1252,
    // No header says: each value is taken as UTF-8 when it is valid UTF-8, else as Latin-1.
    Undeclared,
};

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

bool equalsIgnoringCase(const char* text, qsizetype size, const char* name)
{
    return qstrnicmp(text, size, name, qsizetype(std::strlen(name))) == 0;
}

Tag tagOf(const char* begin, const char* end)
{
    while (begin < end && isBlank(*begin))
        ++begin;
    const char* nameEnd = begin;
    while (nameEnd < end && !isBlank(*nameEnd))
        ++nameEnd;
    const qsizetype size = nameEnd - begin;
    if (equalsIgnoringCase(begin, size, "STMTTRN"))
        return Tag::BlockStart;
    if (equalsIgnoringCase(begin, size, "/STMTTRN"))
        return Tag::BlockEnd;
    if (equalsIgnoringCase(begin, size, "TRNTYPE"))
        return Tag::Type;
    if (equalsIgnoringCase(begin, size, "TRNAMT"))
        return Tag::Amount;
    if (equalsIgnoringCase(begin, size, "MEMO"))
        return Tag::Memo;
    return Tag::Other;
}

Charset charsetNamed(const QByteArray& name)
{
    const QByteArray upper = name.trimmed().toUpper();
    if (upper == "UTF-8" || upper == "UTF8" || upper == "UNICODE")
        return Charset::Utf8;
    if (upper.contains("1252"))
        return Charset::Windows1252;
    return Charset::Latin1;
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
// prolog's encoding (UTF-8 when it names none), or the SGML header's
// ENCODING and CHARSET.
Charset declaredCharset(QByteArrayView bytes)
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
        return encoding ? charsetNamed(*encoding) : Charset::Utf8;
    }
    const QByteArray header = start.first(firstTag).toByteArray();
    const QByteArray upper = header.toUpper();
    const auto encoding = headerValue(upper, header, "ENCODING:");
    if (encoding && charsetNamed(*encoding) == Charset::Utf8)
        return Charset::Utf8;
    const auto charset = headerValue(upper, header, "CHARSET:");
    if (charset && charsetNamed(*charset) == Charset::Windows1252)
        return Charset::Windows1252;
    return encoding || charset ? Charset::Latin1 : Charset::Undeclared;
}

QString decode(QByteArrayView bytes, Charset charset)
{
    switch (charset) {
    case Charset::Utf8:
        return QString::fromUtf8(bytes);
    case Charset::Latin1:
        return QString::fromLatin1(bytes);
    case Charset::Windows1252:
        return DecodeWindows1252(bytes);
    case Charset::Undeclared:
        break;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// The character an entity between "&" and ";" stands for, or nothing.
std::optional<QString> entity(QStringView name)
{
    static const std::pair<const char*, char16_t> named[] = {
        {"amp", u'&'}, {"lt", u'<'}, {"gt", u'>'}, {"quot", u'"'}, {"apos", u'\''},
    };
    for (const auto& [entityName, character] : named)
        if (name == QLatin1String(entityName))
            return QString(QChar(character));
    if (name.size() < 2 || name[0] != u'#')
        return std::nullopt;
    bool ok = false;
    const bool hex = name[1] == u'x' || name[1] == u'X';
    const uint code = hex ? name.mid(2).toUInt(&ok, 16) : name.mid(1).toUInt(&ok, 10);
    if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return std::nullopt;
    const char32_t character = code;
    return QString::fromUcs4(&character, 1);
}

// A "&" that starts no known entity is kept as written (SGML files often carry a bare "&").
QString decodeEntities(const QString& text)
{
    if (!text.contains(u'&'))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            // The longest entity read here, "&#x10FFFF;", has ten characters.
            const qsizetype semicolon =
                QStringView(text).sliced(i, std::min<qsizetype>(10, text.size() - i)).indexOf(u';');
            const auto character =
                semicolon > 1 ? entity(QStringView(text).sliced(i + 1, semicolon - 1)) : std::nullopt;
            if (character) {
                out += *character;
                i += semicolon;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// A value runs from its tag to the next tag or the line end, blanks around it dropped.
QString valueText(const char* begin, const char* end, Charset charset)
{
    while (begin < end && isBlank(*begin))
        ++begin;
    while (end > begin && isBlank(end[-1]))
        --end;
    return decodeEntities(decode(QByteArrayView(begin, end - begin), charset));
}

} // namespace

OfxStatement OfxStatement::read(QIODevice& device)
{
    OfxStatement statement;
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly)) {
        statement.problem_ = device.errorString();
        return statement;
    }
    const QByteArray bytes = device.readAll();
    const auto* file = qobject_cast<const QFileDevice*>(&device);
    if ((file && file->error() != QFileDevice::NoError) || (!device.isSequential() && !device.atEnd())) {
        statement.problem_ = device.errorString();
        return statement;
    }
    statement = parse(bytes);
    return statement;
}

OfxStatement OfxStatement::read(const QString& path)
{
    QFile file(path);
    return read(file);
}

OfxStatement OfxStatement::parse(QByteArrayView bytes)
{
    OfxStatement statement;
    const Charset charset = declaredCharset(bytes);
    const char* at = bytes.data();
    const char* const end = at + bytes.size();

    // A transaction is its own block: values read before its type still
    // belong to it, and a block without a type adds nothing.
    bool inBlock = false;
    bool typed = false;
    OfxTransaction current;
    const auto endBlock = [&] {
        if (inBlock && typed)
            statement.transactions_.push_back(std::move(current));
        current = OfxTransaction();
        inBlock = typed = false;
    };

    while (at < end) {
        const char* open = static_cast<const char*>(std::memchr(at, '<', size_t(end - at)));
        if (!open)
            break;
        // A tag closes on its own line; a "<" that is not closed there is text.
        const char* close = open + 1;
        while (close < end && *close != '>' && *close != '<' && *close != '\n' && *close != '\r')
            ++close;
        if (close == end || *close != '>') {
            at = close;
            continue;
        }
        const Tag tag = tagOf(open + 1, close);
        at = close + 1;
        if (tag == Tag::BlockStart || tag == Tag::BlockEnd) {
            endBlock();
            inBlock = tag == Tag::BlockStart;
            continue;
        }
        if (tag == Tag::Other || !inBlock)
            continue;
        const char* valueEnd = at;
        while (valueEnd < end && *valueEnd != '<' && *valueEnd != '\n' && *valueEnd != '\r')
            ++valueEnd;
        QString value = valueText(at, valueEnd, charset);
        at = valueEnd;
        if (tag == Tag::Type) {
            current.type = std::move(value);
            typed = true;
        } else if (tag == Tag::Amount) {
            current.amount = std::move(value);
        } else {
            current.memo = std::move(value);
        }
    }
    // A block left open at the end of the file still counts.
    endBlock();
    return statement;
}

std::optional<OfxBooking> OfxStatement::booking(const OfxTransaction& transaction)
{
    const std::optional<double> value = ReadAmount(transaction.amount, /*grouping=*/false);
    if (!value)
        return std::nullopt;
    OfxBooking booking;
    booking.amount = std::abs(*value);
    booking.credit = *value >= 0 && !transaction.type.contains(QLatin1String("DEB"), Qt::CaseInsensitive);
    return booking;
}
