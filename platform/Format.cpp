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

namespace {

// An amount text taken apart: its sign, its digits before and after the
// decimal mark, and how its marks were used. Grouping marks are checked
// (one character, a first group of one to three digits, then threes).
struct AmountParts
{
    bool valid = false;
    bool negative = false;
    QString whole;    // the digits before the decimal mark, grouping removed
    QString fraction; // the digits after it
    int marks = 0;    // "." and "," in the whole text
    bool hasDecimalMark = false;
};

AmountParts splitAmount(const QString& input, bool grouping)
{
    AmountParts parts;
    QString text = input.trimmed();
    if (text.startsWith('+') || text.startsWith('-')) {
        parts.negative = text.startsWith('-');
        text.remove(0, 1);
    }
    int lastSeparator = -1;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == '.' || c == ',') {
            ++parts.marks;
            lastSeparator = i;
        } else if (c < '0' || c > '9') {
            return parts;
        }
    }
    if (!grouping && parts.marks > 1)
        return parts;

    // The decimal mark is the last separator, unless that character also
    // appears before it: then every separator groups thousands.
    int decimalAt = lastSeparator;
    if (decimalAt >= 0 && text.left(decimalAt).contains(text[decimalAt]))
        decimalAt = -1;
    parts.hasDecimalMark = decimalAt >= 0;
    const QString whole = decimalAt < 0 ? text : text.left(decimalAt);
    parts.fraction = decimalAt < 0 ? QString() : text.mid(decimalAt + 1);

    parts.whole.reserve(whole.size());
    QChar groupMark;
    int groupLength = 0;
    bool firstGroup = true;
    for (const QChar c : whole) {
        if (c != '.' && c != ',') {
            parts.whole += c;
            ++groupLength;
            continue;
        }
        if (groupMark.isNull())
            groupMark = c;
        if (c != groupMark || groupLength == 0 || groupLength > 3 || (!firstGroup && groupLength != 3))
            return parts;
        firstGroup = false;
        groupLength = 0;
    }
    if (!groupMark.isNull() && groupLength != 3)
        return parts;
    parts.valid = !parts.whole.isEmpty() || !parts.fraction.isEmpty();
    return parts;
}

std::optional<double> valueOf(const AmountParts& parts)
{
    const QString plain = (parts.whole.isEmpty() ? QStringLiteral("0") : parts.whole) + '.' + parts.fraction + '0';
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return parts.negative ? -value : value;
}

// The most digits an amount field takes before its decimal mark.
constexpr int kMaxWholeDigits = 20;

} // namespace

std::optional<double> ReadAmount(const QString& input, bool grouping)
{
    // The plain form (digits and at most one "."), as AmountText writes it, reads directly.
    QStringView text = QStringView(input).trimmed();
    if (text.startsWith('+') || text.startsWith('-'))
        text = text.mid(1);
    if (!text.isEmpty() && text.count('.') <= 1 && text != QLatin1String(".") &&
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == '.' || (c >= '0' && c <= '9'); })) {
        const QByteArray plain = text.toLatin1();
        double value = 0;
        const auto [end, error] = std::from_chars(plain.cbegin(), plain.cend(), value);
        if (error != std::errc() || end != plain.cend() || !std::isfinite(value))
            return std::nullopt;
        return QStringView(input).trimmed().startsWith('-') ? -value : value;
    }
    const AmountParts parts = splitAmount(input, grouping);
    if (!parts.valid)
        return std::nullopt;
    return valueOf(parts);
}

AmountReading ReadEnteredAmount(const QString& text)
{
    AmountReading reading;
    const AmountParts parts = splitAmount(text, true);
    if (!parts.valid) {
        reading.problem = AmountReading::Problem::NotANumber;
        return reading;
    }
    if (parts.fraction.size() > 2) {
        // "5.000" or "1,234": a thousands group or three decimals? A group
        // never starts with a zero, so "0.500" can only be decimals.
        const bool couldGroup = parts.marks == 1 && parts.fraction.size() == 3 && !parts.whole.isEmpty() &&
                                parts.whole.size() <= 3 && !parts.whole.startsWith('0');
        if (couldGroup) {
            reading.problem = AmountReading::Problem::Ambiguous;
            reading.asThousands = parts.whole + parts.fraction;
            if (parts.fraction.endsWith('0'))
                reading.asDecimals = parts.whole + ',' + parts.fraction.left(2);
        } else {
            reading.problem = AmountReading::Problem::TooManyDecimals;
        }
        return reading;
    }
    QString whole = parts.whole;
    while (whole.size() > 1 && whole.startsWith('0'))
        whole.remove(0, 1);
    std::optional<double> value;
    if (whole.size() <= kMaxWholeDigits)
        value = valueOf(parts);
    // A double holds about fifteen digits: a larger amount would be stored as another number.
    const QString typed = (whole.isEmpty() ? QStringLiteral("0") : whole) + '.' + parts.fraction.leftJustified(2, '0');
    if (!value.has_value() || Format(std::fabs(value.value()), QStringLiteral("0.00")) != typed) {
        reading.problem = AmountReading::Problem::TooLarge;
        return reading;
    }
    reading.value = value.value();
    return reading;
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
