#include "exchange/TextDecoding.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <tuple>
#include <utility>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F, where it has the euro
// sign, typographic quotes and dashes. Its five unassigned codes keep the
// Latin-1 control character of the same value.
QChar windows1252(unsigned char byte)
{
    static constexpr std::array<char16_t, 32> high = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(high[byte - 0x80]);
    return QChar(byte);
}

} // namespace

QString DecodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = windows1252(static_cast<unsigned char>(bytes[i]));
    return text;
}

Utf8Form Utf8FormOf(QByteArrayView bytes)
{
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = at + bytes.size();
    bool multiByte = false;
    while (at < end) {
        // Statements are mostly ASCII: eight bytes at a time until a high bit shows.
        if (end - at >= 8) {
            std::uint64_t word;
            std::memcpy(&word, at, 8);
            if (!(word & 0x8080808080808080ULL)) {
                at += 8;
                continue;
            }
        }
        const unsigned char lead = *at;
        if (lead < 0x80) {
            ++at;
            continue;
        }
        // The ranges of the second byte rule out overlong forms, surrogates and code points past U+10FFFF.
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return Utf8Form::Invalid;
        }
        if (end - at < length || at[1] < low || at[1] > high)
            return Utf8Form::Invalid;
        for (int i = 2; i < length; ++i)
            if (at[i] < 0x80 || at[i] > 0xBF)
                return Utf8Form::Invalid;
        at += length;
        multiByte = true;
    }
    return multiByte ? Utf8Form::MultiByte : Utf8Form::Ascii;
}

std::optional<QStringConverter::Encoding> WideEncodingOf(QByteArrayView bytes)
{
    if (const auto marked = QStringConverter::encodingForData(bytes))
        return *marked == QStringConverter::Utf8 ? std::nullopt : marked;
    // ASCII text in UTF-16 has a zero in every second byte; a text in UTF-8 or
    // Windows-1252 holds a zero byte at most here and there. The start of the
    // file tells which.
    const QByteArrayView sample = bytes.first(std::min<qsizetype>(bytes.size(), 64 * 1024) & ~qsizetype(1));
    const qsizetype pairs = sample.size() / 2;
    if (pairs < 2)
        return std::nullopt;
    qsizetype zeroFirst = 0, zeroSecond = 0;
    for (qsizetype i = 0; i < sample.size(); i += 2) {
        zeroFirst += sample[i] == 0;
        zeroSecond += sample[i + 1] == 0;
    }
    // Most characters ASCII or Latin-1, and the zeros nearly all in one column.
    if (zeroSecond * 2 >= pairs && zeroFirst * 8 <= zeroSecond)
        return QStringConverter::Utf16LE;
    if (zeroFirst * 2 >= pairs && zeroSecond * 8 <= zeroFirst)
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

namespace {

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

// The end of the line that starts at `from`, and where the next one starts.
template <class Unit> std::pair<qsizetype, qsizetype> lineAt(const Unit* text, qsizetype from, qsizetype size)
{
    qsizetype end = from;
    while (end < size && !isLineEnd(text[end]))
        ++end;
    qsizetype next = end + 1;
    if (next < size && text[end] == Unit('\r') && text[next] == Unit('\n'))
        ++next;
    return {end, std::min(next, size)};
}

} // namespace

TextLine::TextLine(QStringView chars) : chars_(chars), wide_(true)
{
    split(chars.size(), [chars](qsizetype i) { return chars[i] == u'\t'; });
}

TextLine::TextLine(QByteArrayView bytes, Utf8Form form) : bytes_(bytes), form_(form), wide_(false)
{
    // A byte-order mark that starts a line is the mark of a file joined to
    // another, not a character of the line's first field.
    if (form == Utf8Form::MultiByte && bytes_.startsWith("\xEF\xBB\xBF"))
        bytes_ = bytes_.sliced(3);
    // A TAB is one byte in every encoding read this way, never part of a longer character.
    split(bytes_.size(), [this](qsizetype i) { return bytes_[i] == '\t'; });
}

void TextLine::split(qsizetype length, const auto& isTab)
{
    for (qsizetype i = 0; i < length && tabs_ < qsizetype(ends_.size()); ++i)
        if (isTab(i))
            ends_[size_t(tabs_++)] = i;
}

bool TextLine::isBlank() const
{
    if (wide_)
        return chars_.trimmed().isEmpty();
    for (const char byte : bytes_) {
        if (byte == ' ' || (byte >= '\t' && byte <= '\r'))
            continue;
        // Past ASCII a blank (a no-break space) can be told only once decoded.
        if (static_cast<unsigned char>(byte) >= 0x80)
            return text().trimmed().isEmpty();
        return false;
    }
    return true;
}

QString TextLine::decoded(qsizetype from, qsizetype to) const
{
    if (wide_)
        return chars_.sliced(from, to - from).toString();
    const QByteArrayView bytes = bytes_.sliced(from, to - from);
    switch (form_) {
    case Utf8Form::Ascii:
        return QString::fromLatin1(bytes);
    case Utf8Form::MultiByte: {
        // A field is decoded apart from its line: a mark inside the line
        // stays the character it is there, as in the line decoded whole.
        QStringDecoder decoder(QStringConverter::Utf8,
                               QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        return decoder.decode(bytes);
    }
    case Utf8Form::Invalid:
        break;
    }
    return DecodeWindows1252(bytes);
}

QString TextLine::field(qsizetype index) const
{
    if (index < 0 || index > tabs_)
        return QString();
    const qsizetype from = index == 0 ? 0 : ends_[size_t(index - 1)] + 1;
    const qsizetype to = index < tabs_ ? ends_[size_t(index)] : (wide_ ? chars_.size() : bytes_.size());
    return decoded(from, to);
}

QString TextLine::text() const
{
    return decoded(0, wide_ ? chars_.size() : bytes_.size());
}

ImportText::ImportText(QByteArray bytes)
{
    if (const auto wide = WideEncodingOf(bytes)) {
        QStringDecoder decoder(*wide);
        chars_ = decoder.decode(bytes);
        wide_ = true;
        return;
    }
    bytes_ = std::move(bytes);
    if (QByteArrayView(bytes_).startsWith("\xEF\xBB\xBF"))
        start_ = 3;
    form_ = Utf8FormOf(QByteArrayView(bytes_).sliced(start_));
}

bool ImportText::readLine(TextPosition& at, TextLine& line) const
{
    const qsizetype from = std::max(at.offset, start_);
    if (from >= size())
        return false;
    qsizetype end = 0, next = 0;
    if (wide_) {
        std::tie(end, next) = lineAt(chars_.constData(), from, chars_.size());
        line = TextLine(QStringView(chars_).sliced(from, end - from));
    } else {
        std::tie(end, next) = lineAt(bytes_.constData(), from, bytes_.size());
        line = TextLine(QByteArrayView(bytes_).sliced(from, end - from), form_);
    }
    at.offset = next;
    ++at.linesBefore;
    return true;
}

ImportFileProblem ReadImportText(const QString& path, ImportText& text)
{
    QByteArray bytes;
    const ImportFileProblem problem = ReadImportBytes(path, bytes);
    if (problem.ok())
        text = ImportText(std::move(bytes));
    return problem;
}
