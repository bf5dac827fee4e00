#include "exchange/TextDecoding.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

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

QString decoded(QByteArrayView line, Utf8Form form)
{
    switch (form) {
    case Utf8Form::Ascii:
        return QString::fromLatin1(line);
    case Utf8Form::MultiByte:
        return QString::fromUtf8(line);
    case Utf8Form::Invalid:
        break;
    }
    return DecodeWindows1252(line);
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

QStringList DecodeImportLines(QByteArray bytes)
{
    if (const auto wide = WideEncodingOf(bytes)) {
        QStringDecoder decoder(*wide);
        const QString text = decoder.decode(bytes);
        bytes = QByteArray();
        return SplitImportLines(text);
    }
    // Line by line from the bytes: the whole text is never held beside its lines.
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    const Utf8Form form = Utf8FormOf(view);
    QStringList lines;
    // Room for every line at once: a list that grows as it goes holds twice as much at its peak.
    lines.reserve(view.count('\n') + view.count('\r') - view.count("\r\n") + 1);
    const char* at = view.data();
    const char* const end = at + view.size();
    while (at < end) {
        const char* lineEnd = at;
        while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r')
            ++lineEnd;
        lines << decoded(QByteArrayView(at, lineEnd - at), form);
        if (lineEnd + 1 < end && lineEnd[0] == '\r' && lineEnd[1] == '\n')
            ++lineEnd;
        at = lineEnd + 1;
    }
    return lines;
}

QStringList SplitImportLines(const QString& text)
{
    QStringList lines;
    lines.reserve(text.count(u'\n') + text.count(u'\r') - text.count(u"\r\n") + 1);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

ImportFileProblem ReadImportFile(const QString& path, QStringList& lines)
{
    QByteArray bytes;
    const ImportFileProblem problem = ReadImportBytes(path, bytes);
    if (problem.ok())
        lines = DecodeImportLines(std::move(bytes));
    return problem;
}
