#pragma once

// A small ledger for the register tests: the accounts Banco and Casa with
// transactions and schedules in each, one transaction with no account and no
// contact, one with the no-contact text, two categories and two contacts; the
// main window open over every month of every year.

#include "AppFixture.h"

class RegisterTest : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        openDatabase();
        addAccounts({"Banco", "Casa"});
        addCategories({"Lazer", "Mercado"});
        addContacts({"Ana", "Bruno"});
        addTransaction("Banco", "Mercado", "Ana", "2026-03-05", "100", "", "Não", "a"); // id 1
        addTransaction("Casa", "Lazer", "Bruno", "2026-03-06", "", "50", "Não", "b");   // 2
        addTransaction("Casa", "Mercado", "Ana", "2025-11-20", "", "20", "Sim", "c");   // 3
        addTransaction("", "Mercado", "", "2026-03-07", "5", "", "Não", "no account");  // 4
        addTransaction("Banco", "Lazer", "  -  ", "2026-03-08", "", "7", "Não", "e");   // 5
        addSchedule("Casa", "Lazer", "Débito", "2026-04-01", "50", "Mensal", "Bruno");
        addSchedule("Banco", "Mercado", "Crédito", "2026-04-02", "100", "Mensal", "Ana");
        addSchedule("", "", "Débito", "2026-04-03", "1", "Mensal", "");
        App::MesInicial = Module1::kTodos2();
        main = &openMain();
        select(main->sAno, Module1::kTodos2());
    }
    // The names of a register (its table and name column), sorted.
    static QStringList names(const QString& table, const QString& column)
    {
        return testsupport::column(db(), QStringLiteral("SELECT %1 FROM %2 ORDER BY %1").arg(column, table));
    }
    // A column of the schedules, in the order they were added.
    static QStringList agenda(const QString& column)
    {
        return testsupport::column(db(), QStringLiteral("SELECT %1 FROM Agenda ORDER BY rowid").arg(column));
    }
    // The ids of the transactions whose `column` equals `value`.
    static QStringList ids(const QString& column, const QString& value)
    {
        return testsupport::column(
            db(), QStringLiteral("SELECT id FROM Movimento WHERE %1 = ? ORDER BY id").arg(column), {value});
    }

    wCash* main = nullptr;
};
