#include "platform/Format.h"

#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

// The shortest fixed-point decimal text of |value|, e.g. "2.675".
QString shortestDecimal(double value)
{
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed);
    return QString::fromLatin1(buf, int(res.ptr - buf));
}

// Rounds a non-negative decimal text to `decimals` places, half away from zero.
// Returns the integer digits and the fraction digits.
std::pair<QString, QString> roundDecimal(const QString& text, int decimals)
{
    const int dot = int(text.indexOf('.'));
    QString intPart = dot < 0 ? text : text.left(dot);
    QString frac = dot < 0 ? QString() : text.mid(dot + 1);
    const bool roundUp = frac.size() > decimals && frac.at(decimals) >= QLatin1Char('5');
    frac = frac.left(decimals).leftJustified(decimals, '0');
    if (roundUp) {
        QString digits = intPart + frac;
        int i = int(digits.size()) - 1;
        while (i >= 0) {
            if (digits[i] == QLatin1Char('9')) {
                digits[i] = '0';
                --i;
            } else {
                digits[i] = QChar(digits[i].unicode() + 1);
                break;
            }
        }
        if (i < 0)
            digits.prepend('1');
        intPart = digits.left(digits.size() - decimals);
        frac = digits.right(decimals);
    }
    return {intPart, frac};
}

bool isPlaceholder(QChar c)
{
    return c == '#' || c == '0' || c == ',' || c == '.';
}

} // namespace

QString Format(double value, const QString& mask)
{
    // Split the mask into literal prefix, numeric part and literal suffix.
    int first = -1;
    int last = -1;
    for (int i = 0; i < mask.size(); ++i) {
        if (mask[i] == '#' || mask[i] == '0') {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0)
        return mask;
    while (first > 0 && isPlaceholder(mask[first - 1]))
        --first;
    while (last + 1 < mask.size() && isPlaceholder(mask[last + 1]) && mask[last + 1] != ',')
        ++last;
    const QString prefix = mask.left(first);
    const QString numeric = mask.mid(first, last - first + 1);
    const QString suffix = mask.mid(last + 1);

    const int dot = int(numeric.indexOf('.'));
    const QString intMask = dot < 0 ? numeric : numeric.left(dot);
    const QString fracMask = dot < 0 ? QString() : numeric.mid(dot + 1);
    const int decimals = int(fracMask.count('#') + fracMask.count('0'));
    const int requiredDecimals = int(fracMask.count('0'));
    const int minIntDigits = int(intMask.count('0'));
    const bool grouping = intMask.contains(',');

    if (!std::isfinite(value))
        value = 0;
    auto [intDigits, fracDigits] = roundDecimal(shortestDecimal(value), decimals);
    while (intDigits.size() > 1 && intDigits.startsWith('0'))
        intDigits.remove(0, 1);
    if (intDigits == QLatin1String("0") && minIntDigits == 0)
        intDigits.clear();
    if (intDigits.size() < minIntDigits)
        intDigits = intDigits.rightJustified(minIntDigits, '0');
    while (fracDigits.size() > requiredDecimals && fracDigits.endsWith('0'))
        fracDigits.chop(1);
    const bool negative = value < 0 && (intDigits.count('0') != intDigits.size() || fracDigits.count('0') != fracDigits.size());

    if (grouping) {
        for (int i = int(intDigits.size()) - 3; i > 0; i -= 3)
            intDigits.insert(i, ',');
    }
    QString number = intDigits;
    if (!fracDigits.isEmpty() || requiredDecimals > 0)
        number += '.' + fracDigits;

    // The sign goes where the mask has '-', else right before the number.
    QString pre = prefix;
    QString post = suffix;
    if (!negative) {
        pre.remove('-');
        post.remove('-');
        return pre + number + post;
    }
    if (prefix.contains('-') || suffix.contains('-'))
        return pre + number + post;
    return pre + '-' + number + post;
}

double CDbl(const QString& text)
{
    QString t = text;
    t.remove(' ').remove('$').remove(',');
    static const QRegularExpression leadingNumber(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?"));
    const auto m = leadingNumber.match(t);
    if (!m.hasMatch())
        return 0;
    return m.captured(0).toDouble();
}

std::optional<double> ReadAmount(const QString& input, bool grouping)
{
    QString text = input.trimmed();
    bool negative = false;
    if (text.startsWith('+') || text.startsWith('-')) {
        negative = text.startsWith('-');
        text.remove(0, 1);
    }
    // The plain form (digits and at most one "."), as AmountText writes it, reads directly.
    if (!text.isEmpty() && text.count('.') <= 1 && text != QLatin1String(".") &&
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == '.' || (c >= '0' && c <= '9'); })) {
        const QByteArray plain = text.toLatin1();
        double value = 0;
        const auto [end, error] = std::from_chars(plain.cbegin(), plain.cend(), value);
        if (error == std::errc() && end == plain.cend() && std::isfinite(value))
            return negative ? -value : value;
        return std::nullopt;
    }
    int separators = 0;
    int lastSeparator = -1;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == '.' || c == ',') {
            ++separators;
            lastSeparator = i;
        } else if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    if (!grouping && separators > 1)
        return std::nullopt;

    // The decimal mark is the last separator, unless that character also
    // appears before it: then every separator groups thousands.
    int decimalAt = lastSeparator;
    if (decimalAt >= 0 && text.left(decimalAt).contains(text[decimalAt]))
        decimalAt = -1;
    const QString whole = decimalAt < 0 ? text : text.left(decimalAt);
    const QString fraction = decimalAt < 0 ? QString() : text.mid(decimalAt + 1);

    // Grouping: one mark, a first group of one to three digits, then threes.
    QString digits;
    digits.reserve(whole.size());
    QChar groupMark;
    int groupLength = 0;
    bool firstGroup = true;
    for (const QChar c : whole) {
        if (c != '.' && c != ',') {
            digits += c;
            ++groupLength;
            continue;
        }
        if (groupMark.isNull())
            groupMark = c;
        if (c != groupMark || groupLength == 0 || groupLength > 3 || (!firstGroup && groupLength != 3))
            return std::nullopt;
        firstGroup = false;
        groupLength = 0;
    }
    if (!groupMark.isNull() && groupLength != 3)
        return std::nullopt;
    if (digits.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    const QString plain = (digits.isEmpty() ? QStringLiteral("0") : digits) + '.' + fraction + '0';
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

QString AmountText(double value)
{
    if (!std::isfinite(value))
        value = 0;
    QString text = shortestDecimal(value);
    const int dot = int(text.indexOf('.'));
    if (dot < 0)
        text += QStringLiteral(".00");
    else if (text.size() - dot - 1 < 2)
        text += QString(2 - (text.size() - dot - 1), '0');
    return value < 0 ? '-' + text : text;
}

QString Str(double value)
{
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString Str(qint64 value)
{
    return QString::number(value);
}

namespace {

// "dd/MM/" followed by the year in `yearDigits` digits, written directly:
// exports and imports write one per row, and a format text would be parsed each time.
QString dayMonthYear(const QDate& date, int yearDigits)
{
    if (!date.isValid() || date.year() < 0 || date.year() > 9999)
        return date.toString(yearDigits == 2 ? QStringLiteral("dd/MM/yy") : QStringLiteral("dd/MM/yyyy"));
    char text[11];
    const int year = yearDigits == 2 ? date.year() % 100 : date.year();
    const int size = std::snprintf(text, sizeof text, "%02d/%02d/%0*d", date.day(), date.month(), yearDigits, year);
    return QString::fromLatin1(text, size);
}

} // namespace

QString ShortDate(const QDate& date)
{
    return dayMonthYear(date, 2);
}

QString LongDate(const QDate& date)
{
    return dayMonthYear(date, 4);
}

namespace {

bool asciiDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

bool ParseDate(const QString& text, QDate& date)
{
    // Read by hand, not by a pattern: an import reads one date a line, twice.
    const QString trimmed = text.trimmed();
    const QStringView all(trimmed);
    QStringView day, month, year;
    const qsizetype first = all.indexOf(u'/');
    if (first < 0) {
        if (all.size() != 6 && all.size() != 8)
            return false;
        day = all.mid(0, 2);
        month = all.mid(2, 2);
        year = all.mid(4);
    } else {
        const qsizetype second = all.indexOf(u'/', first + 1);
        if (second < 0)
            return false;
        day = all.left(first);
        month = all.mid(first + 1, second - first - 1);
        year = all.mid(second + 1);
        if (day.size() > 2 || month.size() > 2)
            return false;
    }
    if (!asciiDigits(day) || !asciiDigits(month) || !asciiDigits(year) || (year.size() != 2 && year.size() != 4))
        return false;
    const int yearNumber = year.toInt() + (year.size() == 2 ? 2000 : 0);
    const QDate parsed(yearNumber, month.toInt(), day.toInt());
    if (!parsed.isValid())
        return false;
    date = parsed;
    return true;
}

bool HasControlCharacter(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        const QChar::Category category = c.category();
        return category == QChar::Other_Control || category == QChar::Separator_Line ||
               category == QChar::Separator_Paragraph;
    });
}
