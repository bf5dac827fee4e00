#include "exchange/OfxValueText.h"

#include "exchange/TextDecoding.h"

#include <QStringDecoder>
#include <algorithm>
#include <optional>

namespace {

using ofxtext::Charset;

// Windows-1252 is decoded a piece at a time, as its decoder makes a string of its own.
constexpr qsizetype kDecodedPiece = 64 * 1024;

bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\n' || u == u'\f' || u == u'\v';
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

bool isControl(QChar c)
{
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

} // namespace

namespace ofxtext {

// Converted a piece at a time: the whole text is never held in UTF-16 as well.
QByteArray utf8OfWide(QByteArrayView bytes, QStringConverter::Encoding encoding)
{
    // A multiple of four bytes: a piece never ends inside a unit.
    constexpr qsizetype piece = qsizetype(1) << 20;
    QStringDecoder decoder(encoding);
    QByteArray utf8 = QByteArrayLiteral("\xEF\xBB\xBF");
    // Two bytes of UTF-16 are never more than three of UTF-8, nor four of UTF-32 more than four.
    utf8.reserve(3 + bytes.size() / 2 * 3);
    QString text;
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        text += decoder.decode(bytes.sliced(at, std::min(piece, bytes.size() - at)));
        // The first half of a pair waits for its second in the next piece.
        const bool last = at + piece >= bytes.size();
        const bool waits = !last && !text.isEmpty() && text.back().isHighSurrogate();
        utf8 += QStringView(text).first(text.size() - (waits ? 1 : 0)).toUtf8();
        text = waits ? QString(text.back()) : QString();
    }
    utf8.squeeze();
    return utf8;
}

void appendDecoded(QString& texts, QByteArrayView bytes, Charset charset)
{
    switch (Utf8FormOf(bytes)) {
    case Utf8Form::Ascii:
        texts.append(QLatin1StringView(bytes));
        return;
    case Utf8Form::MultiByte:
        if (charset == Charset::Utf8) {
            // Valid UTF-8 never gives more UTF-16 units than it has bytes. As
            // QString::fromUtf8 does, a byte-order mark that starts the text is dropped.
            QStringDecoder decoder(QStringConverter::Utf8);
            const qsizetype start = texts.size();
            texts.resize(start + decoder.requiredSpace(bytes.size()));
            const QChar* const written = decoder.appendToBuffer(texts.data() + start, bytes);
            texts.truncate(written - texts.constData());
            return;
        }
        break;
    case Utf8Form::Invalid:
        break;
    }
    for (qsizetype at = 0; at < bytes.size(); at += kDecodedPiece)
        texts.append(DecodeWindows1252(bytes.sliced(at, std::min(kDecodedPiece, bytes.size() - at))));
}

// An entity is longer than the one or two units it stands for.
void decodeEntitiesFrom(QString& texts, qsizetype from)
{
    QChar* const data = texts.data();
    const qsizetype size = texts.size();
    qsizetype out = from;
    for (qsizetype i = from; i < size; ++i) {
        if (data[i] == u'&') {
            // The longest entity read here, "&#x10FFFF;", has ten characters.
            const qsizetype semicolon = QStringView(data + i, std::min<qsizetype>(10, size - i)).indexOf(u';');
            const auto character = semicolon > 1 ? entity(QStringView(data + i + 1, semicolon - 1)) : std::nullopt;
            if (character) {
                for (const QChar c : *character)
                    data[out++] = c;
                i += semicolon;
                continue;
            }
        }
        data[out++] = data[i];
    }
    texts.truncate(out);
}

void foldFrom(QString& texts, qsizetype from)
{
    QChar* const data = texts.data();
    const qsizetype size = texts.size();
    qsizetype out = from;
    for (qsizetype i = from; i < size;) {
        if (!isBlank(data[i])) {
            data[out++] = data[i++];
            continue;
        }
        qsizetype runEnd = i;
        bool lineEnd = false;
        for (; runEnd < size && isBlank(data[runEnd]); ++runEnd)
            lineEnd = lineEnd || data[runEnd] == u'\n' || data[runEnd] == u'\r';
        if (i > from && runEnd < size) {
            if (lineEnd)
                data[out++] = u' ';
            else
                for (qsizetype k = i; k < runEnd; ++k)
                    data[out++] = data[k];
        }
        i = runEnd;
    }
    texts.truncate(out);
}

void oneLineFrom(QString& texts, qsizetype from)
{
    QChar* const data = texts.data();
    QChar* const end = data + texts.size();
    QChar* first = std::find_if(data + from, end, isControl);
    if (first == end)
        return;
    std::replace_if(first, end, isControl, QChar(u' '));
    first = data + from;
    QChar* last = end;
    while (first < last && *first == u' ')
        ++first;
    while (last > first && last[-1] == u' ')
        --last;
    std::copy(first, last, data + from);
    texts.truncate(from + (last - first));
}

} // namespace ofxtext
