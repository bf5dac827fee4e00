#pragma once

// Two accounts, three categories, a contact and the main window; schedules in, rows out as texts.

#include "AppFixture.h"
#include "TestSupport.h"
#include "app/App.h"
#include "ledger/wCash.h"
#include "platform/Database.h"

class ScheduleTest : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        openDatabase();
        addAccounts({"Banco", "Casa"});
        addCategories({"Aluguel", "Luz", "Salário"});
        addContacts({"D'Ávila"});
        openMain();
    }
    static void schedule(const QString& account, const QString& category, const QString& type, const QString& date,
                         const QString& amount, const QString& repeat, const QString& contact = "  -  ")
    {
        ASSERT_TRUE(db().SQLExecute("INSERT INTO Agenda VALUES (?, ?, ?, ?, ?, ?, ?)",
                                    {account, category, type, date, amount, repeat, contact}));
    }
    static QList<QStringList> ledger()
    {
        return testsupport::rows(db(), "SELECT conta_nome, conta, contato, data, entrada, saida, conciliado, "
                                       "comentarios FROM Movimento ORDER BY id");
    }
    static QList<QStringList> agenda()
    {
        return testsupport::rows(db(), "SELECT conta, categoria, contato, repete FROM Agenda ORDER BY rowid");
    }
};
