#pragma once

// What the main window's selectors offer and which row each selects:
// the thirteen month rows, the start-up month, the start-up account and
// the years that occur in the ledger.

#include <QDate>
#include <QString>
#include <QStringList>

class SQLDatabase;

namespace LedgerSelectors {

// The twelve month names, then "Todos" (row 12, the whole year).
QStringList monthRows();

// The row for the start-up month: a month name, "Todos" or empty (the whole
// year), "Atual" (today's month); anything else gives January.
int monthRow(const QString& mesInicial, const QDate& today);

// The row of the start-up account: the last row equal to it, else row 0.
int startAccountRow(const QStringList& accounts, const QString& contaInicial);

struct YearRows
{
    bool ok = false;   // false: the query failed; the rows then hold the current year alone
    QStringList years; // ascending, each once, the current year appended when absent
    int selected = -1; // the current year's row
};

// The years of the stored transaction dates plus today's year.
YearRows yearRows(SQLDatabase& db, const QDate& today);

} // namespace LedgerSelectors
