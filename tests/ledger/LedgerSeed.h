#pragma once

// A ledger seeded through SQL for the main window's tests, and what SQL says
// any selection of it must list.

#include <QDate>
#include <QString>
#include <QStringList>

class SQLDatabase;

namespace ledgerseed {

inline const QStringList accounts{"Banco", "Casa", "Joe's"};

// Sixty transactions, each on its own date from January 2024 to early 2027,
// spread over the three accounts; credits and debits, one with no amount at
// all (NULL), some not verified.
void seed(SQLDatabase& db);

struct Expected
{
    QStringList ids; // in date order
    double total = 0;
};

// Computed from every stored row, without LIKE: the account ("Todas" for all),
// the month (1-12, 0 for the whole year) and the year (0 for all years).
Expected expected(SQLDatabase& db, const QString& account, int month, int year);

} // namespace ledgerseed
