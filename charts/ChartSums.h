#pragma once

// The chart window's two sums: the credits and the debits of the
// transactions that pass its account, category, month and verified filters.
// Plain logic over the database, so the window only shows what it gets.

#include <QString>

class SQLDatabase;

// What the chart window's filters hold when Ok is pressed.
struct ChartFilter
{
    QString account;       // an account name; "Todas" or "All" for every account
    QString category;      // a category name; "Todas" or "All" for every category
    int monthIndex = 12;   // 0 to 11 that month of every year, 12 every month
    bool verified = false; // sums the verified transactions, else the unverified ones
};

struct ChartTotals
{
    bool ok = false; // false when a statement failed: the database's error state tells why
    double credit = 0;
    double debit = 0;
};

namespace ChartSums {

// Runs the credit sum, then the debit sum. A sum over no rows is 0; when a
// statement fails both are 0 and the debit sum is not tried.
ChartTotals load(SQLDatabase& db, const ChartFilter& filter);

} // namespace ChartSums
