#pragma once

// A fresh data file open as App::CashDB for the ledger's tests; a seeded
// ledger with what SQL says any selection of it must list; and the main
// window over a few names for the transaction tests.

#include "AppFixture.h"

class LedgerTest : public AppTest
{
  protected:
    void SetUp() override;

    // Sixty transactions, each on its own date from January 2024 to early
    // 2027, over the accounts Banco, Casa and Joe's; credits and debits, one
    // with no amount at all (NULL), some not verified.
    static void seedLedger();
    struct Expected
    {
        QStringList ids; // in date order
        double total = 0;
    };
    // Computed from every stored row, without LIKE: the account ("Todas" for
    // all), the month (1-12, 0 for the whole year) and the year (0 for all).
    static Expected expected(const QString& account, int month, int year);
    // The ids the main window lists, in order.
    QStringList listedIds() const;
    static QStringList storedRow(const QString& id) { return storedRows(id).value(0); }
    static int rowCount() { return int(storedRows().size()); }

    wCash* main = nullptr;
};

// The accounts Carteira and Banco, the categories Mercado and Casa, the
// contacts Padaria and Loja, no transaction, and the main window showing
// Banco over every month of every year.
class TransactionTest : public LedgerTest
{
  protected:
    void SetUp() override;

    // The ledger row whose comment is `comment`, -1 when not listed.
    int ledgerRow(const QString& comment) const;
    // Opens the transaction window on the ledger row of `comment` as a double-click does.
    wTransacoes& edit(const QString& comment);
};
