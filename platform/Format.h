#pragma once

// Number and date texts in the program's fixed forms, independent of the
// system locale: "," groups thousands, "." is the decimal mark, "$" is a
// literal; short dates are dd/MM/yy.

#include <QDate>
#include <QString>

// Formats a number with a mask such as "$###,##0.00" or "$-###,##0.00":
// '#' a digit shown only when significant, '0' a digit always shown, ','
// thousands grouping, '.' the decimal mark, '-' where a negative sign goes;
// anything else is literal. Rounds half away from zero on the shortest
// decimal form of the value (2.675 -> 2.68); zero never shows a sign.
QString Format(double value, const QString& mask);

// Text to number: ignores blanks, "$" and thousands commas, reads the leading
// number and gives 0 when there is none.
double CDbl(const QString& text);

// The shortest text that reads back as the same number ("1200.5", "20").
QString Str(double value);
QString Str(qint64 value);
inline QString Str(int value) { return Str(qint64(value)); }

// "05/03/06" for 5 March 2006.
QString ShortDate(const QDate& date);

// Reads "dd/mm/yy" (the year 2000+yy) or "dd/mm/yyyy"; anything else, or an
// impossible date, does not parse and leaves `date` unchanged.
bool ParseDate(const QString& text, QDate& date);
