#pragma once

// The ledger's selection: the rows of one account (or all accounts) in one
// month or the whole year, of one year or all years, with the credits minus
// the debits of the same selection. Plain logic over the database, so the
// main window only shows what it gets.

#include <QString>
#include <QStringList>
#include <QVector>

class RecordSet;
class RowReader;
class SQLDatabase;

// What the selectors hold at the moment of a reload.
struct LedgerFilter
{
    QString account;     // an account name; "Todas" or "All" for all accounts
    int monthIndex = -1; // 0 to 11 one month, 12 the whole year
    QString year;        // four digits, or the "Todos" text for all years
};

struct LedgerResult
{
    bool ok = false;
    QString errorMessage; // the database's message when a statement failed
    double credit = 0;
    double debit = 0;
    // Nine cells a row: category, contact, short date, credit, debit,
    // verified text, then (never shown) id, account, comment.
    QVector<QStringList> rows;

    double total() const { return credit - debit; }
};

namespace LedgerQuery {

enum Cell {
    CellCategory = 0,
    CellContact = 1,
    CellDate = 2,
    CellCredit = 3,
    CellDebit = 4,
    CellVerified = 5,
    CellId = 6,
    CellAccount = 7,
    CellComment = 8,
    CellCount = 9,
};

inline const char* const AmountMask = "$###,##0.00";
inline const char* const TotalMask = "$-###,##0.00";

// "Todas" and "All" stand for every account (or category) and name no row's own.
bool isAllAccounts(const QString& account);

// The LIKE pattern on the stored YYYY-MM-DD text: "2006_05%", "2006___%", "_______%".
QString datePattern(const LedgerFilter& filter);

// Runs the credit sum, the debit sum and the rows. When any statement fails
// the result is not ok and carries that statement's message; nothing is
// half-read.
LedgerResult load(SQLDatabase& db, const LedgerFilter& filter);

QString totalText(double total);

} // namespace LedgerQuery
