#pragma once

// Number and date texts in the program's fixed forms, independent of the
// system locale: "," groups thousands, "." is the decimal mark, "$" is a
// literal; short dates are dd/MM/yy.

#include <QDate>
#include <QString>
#include <optional>

// Formats a number with a mask such as "$###,##0.00" or "$-###,##0.00":
// '#' a digit shown only when significant, '0' a digit always shown, ','
// thousands grouping, '.' the decimal mark, '-' where a negative sign goes;
// anything else is literal. Rounds half away from zero on the shortest
// decimal form of the value (2.675 -> 2.68); zero never shows a sign.
QString Format(double value, const QString& mask);

// Text to number: ignores blanks, "$" and thousands commas, reads the leading
// number and gives 0 when there is none. Only for texts the program formatted
// itself (the ledger's cells); what a user types or a file holds goes through
// ReadAmount.
double CDbl(const QString& text);

// Reads an amount in the plain form AmountText writes, or with "." or ","
// as the decimal mark: with `grouping` the last separator is the decimal mark
// and the others group thousands ("1.234,56", "1,234.50"); a separator that
// appears more than once only groups ("1.234.567"); groups after the first
// have three digits. Without it at most one separator, the decimal mark.
// An optional sign; blanks around the text are ignored; anything else
// (letters, "$", a lone sign, an exponent) reads as nothing. Takes any number
// of decimals: for texts the program or a bank statement wrote; what a person
// typed or a text file holds goes through ReadEnteredAmount.
std::optional<double> ReadAmount(const QString& text, bool grouping = true);

// What an amount a person typed, pasted or wrote into a file comes to.
struct AmountReading
{
    enum class Problem {
        None,
        NotANumber,      // empty, or a character or mark where none can be
        Ambiguous,       // one mark before exactly three digits: "5.000", "1,234"
        TooManyDecimals, // more than two digits after the decimal mark
        TooLarge,        // more than twenty digits before it, or more than a double holds to the cent
    };
    Problem problem = Problem::None;
    double value = 0;
    // For an ambiguous text, each reading as a person would write it: "5000"
    // and "5,00"; the second is empty when it would need three decimals.
    QString asThousands;
    QString asDecimals;
};

// The one reader of amounts typed into the program's fields, pasted, or read
// from an imported text file, applied to the whole text: the forms ReadAmount
// takes with grouping, refusing what a person could mean in two ways and
// what would be stored as another number.
AmountReading ReadEnteredAmount(const QString& text);

// The plain text of an amount that ReadAmount reads back as the same number:
// the shortest decimal form with at least two decimals ("1234.50", "-52.10",
// "1.005"), never an exponent.
QString AmountText(double value);

// The shortest text that reads back as the same number ("1200.5", "20").
QString Str(double value);
QString Str(qint64 value);
inline QString Str(int value)
{
    return Str(qint64(value));
}

// True when the text holds a line end, a TAB or another control character:
// a name holding one would break every list and line it is shown or written in.
bool HasControlCharacter(const QString& text);

// "05/03/06" for 5 March 2006.
QString ShortDate(const QDate& date);

// "05/03/2006": the form the program puts into a date field itself, read back
// by ParseDate as the same day whatever the century.
QString LongDate(const QDate& date);

// Reads a typed date: day, month and year joined by "/" ("05/03/26",
// "5/3/26", "05/03/2026") or six or eight digits without them ("050326",
// "05032026"). A two-digit year means 2000+yy; four digits are taken as
// written. Anything else, or an impossible date, does not parse and leaves
// `date` unchanged.
bool ParseDate(const QString& text, QDate& date);
