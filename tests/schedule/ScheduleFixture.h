#pragma once

// Two accounts, three categories, a contact and the main window; schedules out as texts.

#include "AppFixture.h"

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
    // The start-up's posting of the due schedules.
    static void post() { wCash::instance().ChecaAgendamentos(); }
    static QList<QStringList> agenda()
    {
        return testsupport::rows(db(), "SELECT conta, categoria, contato, repete FROM Agenda ORDER BY rowid");
    }
};
