// The daily posting, through the start-up's own call, on the recorder's 5 December 2026.

#include "ScheduleFixture.h"

#include "app/Password.h"
#include "app/Preferences.h"
#include "app/Schema.h"
#include "schedule/SchedulePosting.h"
#include "schedule/ScheduleRules.h"
#include "ui/common/wDigitaSenha.h"

using Posting = ScheduleTest;

TEST_F(Posting, postsWhatIsDue_onceADay_andFindsItsOwnPostingsAgain)
{
    addAccounts({"D'Ávila"});
    addCategories({"Luz d'água"});
    addSchedule("D'Ávila", "Luz d'água", "Débito", "2026-01-05", "1.500,00", "Mensalmente", "D'Ávila");
    addSchedule("Casa", "Salário", "Crédito", "2026-03-31", "50,25", "Anualmente"); // not this month
    addSchedule("Casa", "Luz", "Debito", "2026-12-03", "7,50", "Mensalmente");      // not "Crédito": a debit
    addSchedule("Casa", "Luz", "Crédito", "2026-12-01", "9", "mensalmente");        // no repetition of ours
    addSchedule("Banco", "Luz", "Crédito", "2026-11-20", "80", "Não repetir");      // late: posted on its date
    addSchedule("Banco", "Luz", "Crédito", "2026-01-20", "80", "Mensalmente");      // same names, not due: stays
    addSchedule("Banco", "Luz", "Crédito", "2026-12-01", "30", "Mensalmente");      // entered by hand already
    addSchedule("Banco", "Luz", "Débito", "2026-12-02", "40", "Mensalmente");       // a credit of 40 does not block it
    addSchedule("Banco", "Luz", "Crédito", "2026-12-01", "abc", "Mensalmente");     // refused: stays
    addSchedule("Banco", "Luz", "Crédito", "", "10", "Mensalmente");                // no date: never due
    addSchedule("Banco", "Luz", "Crédito", "2026-12-04", "0.00", "Não repetir");    // refused: stays
    addTransaction("Banco", "Luz", "", "2026-12-01", "30", "", "Sim", "à mão");
    addTransaction("Banco", "Luz", "", "2026-12-02", "40", "", "Sim", "à mão");
    wTransacoes::instance().tComentarios->setText("deixado na janela");

    post();
    const QString refused = "Estes agendamentos não foram lançados e continuam na lista de agendamentos:\n"
                            "Conta \"Banco\", categoria \"Luz\", valor abc: o valor não é um número que o programa "
                            "possa ler.\n"
                            "Conta \"Banco\", categoria \"Luz\", valor 0.00: o valor não pode ser zero.";
    EXPECT_EQ(recorder.confirmations(), QStringList());
    EXPECT_EQ(recorder.messages(), QStringList({"Total de Agendamentos Inseridos:  4\n\n" + refused}));
    EXPECT_EQ(storedRows().mid(2), QList<QStringList>({
                                       {"Banco", "Luz", "  -  ", "2026-11-20", "80", "NULL", "Não", ""},
                                       {"Banco", "Luz", "  -  ", "2026-12-02", "NULL", "40", "Não", ""},
                                       {"Casa", "Luz", "  -  ", "2026-12-03", "NULL", "7.5", "Não", ""},
                                       {"D'Ávila", "Luz d'água", "D'Ávila", "2026-12-05", "NULL", "1500", "Não", ""},
                                   }));
    EXPECT_EQ(agenda().size(), 10);
    EXPECT_EQ(agenda().mid(3, 2),
              QList<QStringList>({{"Casa", "Luz", "9", "mensalmente"}, {"Banco", "Luz", "80", "Mensalmente"}}));
    EXPECT_EQ(App::datahoje, "05/12/26");
    EXPECT_FALSE(wTransacoes::instance().isVisible());

    recorder.clear();
    post();
    App::datahoje.clear();
    post();
    EXPECT_EQ(recorder.shown.size(), 1);
    EXPECT_EQ(recorder.messages(), QStringList({refused}));
    EXPECT_EQ(storedRows().size(), 6);
}

TEST_F(Posting, failedWrite_isToldOnceInTheMessage_keepsWhatWasPostedBefore_theOneTimeRowAndTheDay)
{
    addSchedule("Banco", "Luz", "Crédito", "2026-12-05", "80", "Não repetir");
    addSchedule("Casa", "Luz", "Crédito", "2026-12-01", "80", "Mensalmente");
    testsupport::failOn(db(), "INSERT", "Movimento", "disco cheio");
    App::datahoje = "04/12/26";
    post();
    EXPECT_EQ(recorder.messages(), QStringList({"Erro: 19\n\ndisco cheio"}));
    EXPECT_EQ(agenda().size(), 2);
    EXPECT_EQ(App::datahoje, "04/12/26");

    // The removal of the posted one-time schedule fails: its posting goes
    // back with it, what was posted before stays, and one message tells both.
    exec("DROP TRIGGER fail_INSERT_Movimento");
    testsupport::failOn(db(), "DELETE", "Agenda", "preso");
    addAccounts({"Apto"});
    addSchedule("Apto", "Luz", "Crédito", "2026-12-01", "5", "Mensalmente");
    recorder.clear();
    post();
    EXPECT_EQ(recorder.messages(), QStringList({"Total de Agendamentos Inseridos:  1\n\nErro: 19\n\npreso"}));
    EXPECT_EQ(testsupport::column(db(), "SELECT conta_nome FROM Movimento"), QStringList({"Apto"}));
    EXPECT_EQ(agenda().size(), 3);
}

TEST_F(Posting, failedLedgerLookUp_isReportedOnce_skipsItsRows_andLeavesTheDayToTheNextStart)
{
    addSchedule("Banco", "Luz", "Crédito", "2026-12-01", "80", "Mensalmente");
    addSchedule("Casa", "Luz", "Crédito", "2026-12-02", "20", "Anualmente");
    addSchedule("Casa", "Luz", "Débito", "2026-12-05", "5", "Não repetir");
    exec("DROP TABLE Movimento");
    QList<DuePosting> inserted;
    int reports = 0;
    const auto store = [&](const DuePosting& due) {
        inserted << due;
        return TransactionStore::HandedOver{TransactionEntry::Problem::None, TransactionStore::Outcome::Stored};
    };
    SchedulePosting posting(db(), store, [&] { ++reports; });
    const SchedulePosting::Result result = posting.run(recorder.todayDate);
    EXPECT_EQ(std::tuple(reports, inserted.size(), result.posted, result.dayDone), std::tuple(1, 1, 1, false));
    EXPECT_EQ(agenda().size(), 2);
}

// A schedule whose account or category was deleted posts nothing: it stays
// in the list, the message names it and why, and the day counts as done.
TEST_F(Posting, scheduleOfADeletedAccountOrCategory_postsNothing_staysListed_andIsTold)
{
    addAccounts({"Poupança"});
    addCategories({"Reserva"});
    addSchedule("Poupança", "Reserva", "Crédito", "2026-01-05", "2.500,00", "Mensalmente");
    addSchedule("Banco", "Reserva", "Débito", "2026-12-01", "10", "Não repetir");
    addSchedule("Banco", "Luz", "Débito", "2026-12-02", "40", "Mensalmente");
    exec("DELETE FROM Contas WHERE nome = 'Poupança'");
    exec("DELETE FROM Categorias WHERE descricao = 'Reserva'");
    post();
    EXPECT_EQ(recorder.messages(),
              QStringList({"Total de Agendamentos Inseridos:  1\n\n"
                           "Estes agendamentos não foram lançados e continuam na lista de agendamentos:\n"
                           "Conta \"Banco\", categoria \"Reserva\", valor 10: a categoria não existe mais.\n"
                           "Conta \"Poupança\", categoria \"Reserva\", valor 2.500,00: a conta não existe mais."}));
    EXPECT_EQ(testsupport::column(db(), "SELECT conta_nome || ' ' || conta FROM Movimento"),
              QStringList({"Banco Luz"}));
    EXPECT_EQ(agenda().size(), 3);
    EXPECT_EQ(App::datahoje, "05/12/26");
    // The rows posted show in the ledger at once.
    EXPECT_EQ(rows(wCash::instance().lMovimento).size(), 1);
    recorder.clear();
    post();
    EXPECT_EQ(recorder.messages(), QStringList());

    // A long list names the first few and counts them all.
    for (int i = 0; i < 61; ++i)
        addSchedule("Antiga", "Luz", "Débito", "2026-12-01", QString::number(i + 1), "Mensalmente");
    App::datahoje.clear();
    post();
    QStringList lines = recorder.messages().value(0).split('\n');
    EXPECT_EQ(lines.size(), 7);
    EXPECT_EQ(lines.mid(1, 2), QStringList({"Conta \"Antiga\", categoria \"Luz\", valor 1: a conta não existe mais.",
                                            "Conta \"Antiga\", categoria \"Luz\", valor 2: a conta não existe mais."}));
    EXPECT_EQ(lines.last(), "Agendamentos não lançados ao todo: 63.");
}

// The whole program started on the day schedules fall due, behind the
// password prompt: nothing opens over the prompt, a start given up there
// posts nothing, and the start that gets the password posts once and tells
// it, with the schedule refused, in one message. A later start that day
// posts and tells nothing.
TEST_F(Posting, lockedStartsOnADueDay_postAfterThePassword_once_toldOnce_andKeepTheDayInThePreferences)
{
    closeWindows();
    App::resetState();
    removeUserFiles();
    recorder.todayDate = QDate(2026, 12, 4);
    start();
    addAccounts({"Banco"});
    addCategories({"Luz"});
    addSchedule("Banco", "Luz", "Débito", "2026-11-05", "99.90", "Mensalmente");
    addSchedule("Banco", "Luz", "Débito", "2026-11-05", "0", "Mensalmente");
    ASSERT_TRUE(Schema::WriteLockRow(db(), true, CodificaSenha("segredo")));
    recorder.todayDate = QDate(2026, 12, 5);
    restart();
    ASSERT_TRUE(wDigitaSenha::instance().isVisible());
    click(wDigitaSenha::instance().bt_cancela);
    EXPECT_TRUE(recorder.shown.isEmpty());
    reset();
    start();
    wDigitaSenha& prompt = wDigitaSenha::instance();
    ASSERT_TRUE(prompt.isVisible());
    EXPECT_TRUE(recorder.shown.isEmpty());
    prompt.eSenha->setText("segredo");
    click(prompt.bt_ok);
    const QStringList told{"Total de Agendamentos Inseridos:  1\n\n"
                           "Estes agendamentos não foram lançados e continuam na lista de agendamentos:\n"
                           "Conta \"Banco\", categoria \"Luz\", valor 0: o valor não pode ser zero."};
    EXPECT_EQ(recorder.messages(), told);
    EXPECT_EQ(recorder.shown.size(), 1);
    EXPECT_TRUE(wCash::instance().isVisible());
    restart();
    wDigitaSenha::instance().eSenha->setText("segredo");
    click(wDigitaSenha::instance().bt_ok);
    EXPECT_TRUE(wCash::instance().isVisible());
    App::_FileQuit_Action();
    EXPECT_EQ(recorder.messages(), told);
    EXPECT_EQ(Preferences::parse(prefsLines()).datahoje, "05/12/26");
    App::CashDB->Connect();
    EXPECT_EQ(testsupport::column(db(), "SELECT data FROM Movimento"), QStringList({"2026-12-05"}));
}

// When a schedule falls due, without a window or a database.
using ScheduleRules::Repeat;

TEST(ScheduleRules, dueDay_monthEndsLeapYearsFirstDateAndLateOneTimeSchedules)
{
    const auto d = [](const char* iso) { return QDate::fromString(QLatin1String(iso), Qt::ISODate); };
    // The repetition, the first date, today and the day due ("" for not due).
    const std::tuple<Repeat, const char*, const char*, const char*> cases[] = {
        {Repeat::Monthly, "2026-01-10", "2026-12-09", ""},
        {Repeat::Monthly, "2026-01-10", "2026-12-10", "2026-12-10"},
        {Repeat::Monthly, "2026-01-31", "2026-02-27", ""},
        {Repeat::Monthly, "2026-01-31", "2026-02-28", "2026-02-28"},
        {Repeat::Monthly, "2026-01-31", "2028-02-29", "2028-02-29"},
        {Repeat::Monthly, "2026-01-31", "2026-04-30", "2026-04-30"},
        {Repeat::Monthly, "2027-03-02", "2026-12-05", ""}, // never before its first date
        {Repeat::Yearly, "2024-02-29", "2026-02-28", "2026-02-28"},
        {Repeat::Yearly, "2024-02-29", "2028-02-28", ""},
        {Repeat::Yearly, "2024-02-29", "2028-02-29", "2028-02-29"},
        {Repeat::Yearly, "2024-02-29", "2026-03-01", ""},
        {Repeat::Yearly, "2020-07-15", "2026-07-14", ""},
        {Repeat::Yearly, "2020-07-15", "2026-07-31", "2026-07-15"},
        {Repeat::Once, "2026-12-05", "2026-12-05", "2026-12-05"},
        {Repeat::Once, "2025-11-20", "2026-12-05", "2025-11-20"},
        {Repeat::Once, "2026-12-06", "2026-12-05", ""},
    };
    for (const auto& [repeat, first, today, due] : cases) {
        SCOPED_TRACE(std::string(first) + " on " + today);
        EXPECT_EQ(ScheduleRules::dueDay(repeat, d(first), d(today)).value_or(QDate()), d(due));
    }
}
