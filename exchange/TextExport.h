#pragma once

// The export of the whole ledger as a tab-separated text file that the text
// import reads back: a header of eight captions, then one line per
// transaction, in the order the rows were stored. No widgets: the caller
// chooses the file, passes the captions and tells the user what went wrong.

#include <QDate>
#include <QString>
#include <QStringList>

class QIODevice;
class SQLDatabase;

struct ExportTexts
{
    // The eight header captions, account to comment.
    QStringList captions;
    // The stored "not verified" text, and what a verified and an unverified row are exported as.
    QString storedNo;
    QString yes;
    QString no;
};

// A stored text as one field of a line: TAB, CR and LF become blanks, so a
// line always stays one record of its fields.
QString ExportText(const QString& text);

// The short date when it reads back as the same day (a two-digit year means
// 20yy); the day with its four-digit year otherwise; nothing for no date.
QString ExportDate(const QDate& date);

// "1,234.50": thousands grouped, two decimals.
QString ExportAmount(double amount);

enum class ExportResult {
    Written,
    QueryFailed, // the database's error state tells why
    WriteFailed, // the device's errorString() tells why
};

// Writes the header and every row of Movimento to `out`, UTF-8, each line
// ended by LF. Reads the rows as it writes them, so the whole ledger is never
// held in memory twice.
ExportResult WriteExport(SQLDatabase& db, QIODevice& out, const ExportTexts& texts);
