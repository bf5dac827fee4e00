#include "app/Preferences.h"

#include "platform/Format.h"

namespace Preferences {

namespace {

// The number at the start of the text, after leading blanks, with an optional
// sign; 0 when none.
int leadingNumber(const QString& text)
{
    int i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    for (; i < text.size() && text.at(i).isDigit() && value < 1000000000; ++i)
        value = value * 10 + text.at(i).digitValue();
    return int(negative ? -value : value);
}

// A colour component is the number in the line's last three characters.
int colourComponent(const QString& line)
{
    return qBound(0, leadingNumber(line.right(3)), 255);
}

// Everything after the first "=", unchanged; the whole line without one.
QString afterEquals(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? line : line.mid(eq + 1);
}

// A value that cannot stay on its one line (an account name with a line end,
// left by an older version) is not kept: the file keeps its twenty lines.
QString oneLine(const QString& value)
{
    return HasControlCharacter(value) ? QString() : value;
}

} // namespace

PreferencesValues defaults()
{
    return PreferencesValues();
}

PreferencesValues parse(const QStringList& lines)
{
    auto line = [&lines](int n) { return n <= lines.size() ? lines.at(n - 1) : QString(); };
    PreferencesValues v;
    v.prefEditor = line(1).endsWith(QLatin1Char('1'));
    v.cor_r = colourComponent(line(2));
    v.cor_g = colourComponent(line(3));
    v.cor_b = colourComponent(line(4));
    v.contaInicial = afterEquals(line(8));
    v.mesInicial = afterEquals(line(9));
    v.height = leadingNumber(line(10));
    v.left = leadingNumber(line(11));
    v.top = leadingNumber(line(12));
    v.width = leadingNumber(line(13));
    if (v.width == 0) {
        const PreferencesValues d;
        v.height = d.height;
        v.left = d.left;
        v.top = d.top;
        v.width = d.width;
    }
    v.datahoje = line(14);
    for (int i = 0; i < 6; ++i)
        v.columns[i] = line(15 + i);
    return v;
}

PreferencesValues fitToScreen(PreferencesValues v, const QRect& area)
{
    if (area.isEmpty())
        return v;
    // Below the top edge, room for the title bar: a window placed lower has
    // no title bar left on the screen to drag it back by.
    constexpr int titleBarRoom = 48;
    const PreferencesValues d;
    const auto fit = [](int value, int low, int high, int byDefault) {
        return value >= low && value <= high ? value : qBound(low, byDefault, high);
    };
    v.width = fit(v.width, 1, area.width(), d.width);
    v.height = fit(v.height, 1, area.height(), d.height);
    v.left = fit(v.left, area.left(), area.left() + area.width() - v.width, d.left);
    v.top = fit(v.top, area.top(), qMax(area.top(), area.bottom() - titleBarRoom), d.top);
    return v;
}

QStringList format(const PreferencesValues& v)
{
    QStringList lines;
    lines << QStringLiteral("editarea =") + (v.prefEditor ? QLatin1Char('1') : QLatin1Char('0'))
          << QStringLiteral("cor_r =") + QString::number(v.cor_r)
          << QStringLiteral("cor_g =") + QString::number(v.cor_g)
          << QStringLiteral("cor_b =") + QString::number(v.cor_b) << QString() << QString() << QString()
          << QStringLiteral("conta_inicio =") + oneLine(v.contaInicial)
          << QStringLiteral("mes_inicio =") + oneLine(v.mesInicial) << QString::number(v.height)
          << QString::number(v.left) << QString::number(v.top) << QString::number(v.width) << oneLine(v.datahoje);
    for (int i = 0; i < 6; ++i)
        lines << (i < v.columns.size() ? oneLine(v.columns.at(i)) : QString());
    return lines;
}

} // namespace Preferences
