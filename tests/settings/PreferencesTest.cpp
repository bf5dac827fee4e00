// The preferences window's lock row without a window, then the window
// itself in a program started in-process.

#include "AppFixture.h"
#include "app/Password.h"
#include "app/Schema.h"
#include "settings/PreferencesLock.h"
#include "settings/wPreferencias.h"
#include "ui/common/wDigitaSenha.h"

#include <QTabWidget>

namespace {

QStringList lockRows(SQLDatabase& db)
{
    return testsupport::column(db, "SELECT pcod2 FROM pwd WHERE pcod1='1'");
}

} // namespace

// One lock row when on, none when off, other rows of the table left alone; a
// failed write keeps the old row and the database's error.
TEST(PreferencesLock, writeLockRow_leavesOneRowOrNone_andAFailureKeepsTheOldOne)
{
    auto db = testsupport::newDatabase();
    testsupport::exec(*db, "INSERT INTO pwd (pcod1, pcod2) VALUES ('1', 'old'), ('1', 'older'), ('2', 'other')");
    ASSERT_TRUE(Schema::WriteLockRow(*db, true, "new form"));
    EXPECT_EQ(lockRows(*db), QStringList{"new form"});
    ASSERT_TRUE(Schema::WriteLockRow(*db, false, QString()));
    EXPECT_TRUE(lockRows(*db).isEmpty());
    EXPECT_EQ(testsupport::column(*db, "SELECT pcod1 FROM pwd"), QStringList{"2"});

    // (A failed insert is the window's test.)
    ASSERT_TRUE(Schema::WriteLockRow(*db, true, "old"));
    testsupport::failOn(*db, "DELETE", "pwd", "disk says no");
    EXPECT_FALSE(Schema::WriteLockRow(*db, false, ""));
    EXPECT_TRUE(db->ErrorMessage().contains("disk says no")) << db->ErrorMessage().toStdString();
    EXPECT_FALSE(db->InTransaction());
    EXPECT_EQ(lockRows(*db), QStringList{"old"});
}

// --- The window, with the program started in-process.

namespace {

// Counts the paints of a widget, to tell that it repainted by itself.
struct PaintCounter : QObject
{
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override { return paints += event->type() == QEvent::Paint, false; }
};

class PreferencesWindow : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        removeUserFiles();
        start();
    }

    // Opens the window as the menu command does, on the lock's tab.
    static wPreferencias& openOnLockTab()
    {
        wPreferencias::ShowFromMenu();
        wPreferencias& w = wPreferencias::instance();
        w.TabPanel1->setCurrentIndex(2);
        return w;
    }
    static void typePasswords(wPreferencias& w, const QString& first, const QString& second)
    {
        w.edSenha->clear();
        w.edSenha2->clear();
        QTest::keyClicks(w.edSenha, first);
        QTest::keyClicks(w.edSenha2, second);
    }
    // Sets the lock through the window, as the user does.
    static void setPassword(const QString& password)
    {
        wPreferencias& w = openOnLockTab();
        if (!w.cHabilitaSenha->isChecked())
            w.cHabilitaSenha->click();
        typePasswords(w, password, password);
        w.PushButton1->click();
    }
};

} // namespace

// Blank or differing passwords are refused with the focus back and nothing
// written; the stored form is a salted hash of the password as typed, blanks
// included. With the lock on the window opens ticked with empty fields: OK
// keeps the password, "Verifica" alone is refused, a failed write keeps the
// old lock, a new one replaces it, and unticking takes effect only with OK.
TEST_F(PreferencesWindow, lockStoresASaltedHash_untickingNeedsOk_generalTabActsAtOnce_startAccountAndMonthSurvive)
{
    wPreferencias& w = openOnLockTab();
    EXPECT_FALSE(w.edSenha->isEnabled());
    w.cHabilitaSenha->click();
    EXPECT_TRUE(w.edSenha->isEnabled() && w.edSenha2->isEnabled());
    for (const auto& [first, second] :
         QList<std::pair<QString, QString>>{{"segredo", "Segredo"}, {"", "segredo"}, {"   ", "   "}, {"", ""}}) {
        typePasswords(w, first, second);
        w.PushButton1->click();
    }
    EXPECT_EQ(recorder.messages(),
              QStringList({"Senha não confere", "Senha não confere", "Senha inválida", "Senha inválida"}));
    EXPECT_EQ(w.focusWidget(), w.edSenha);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(lockRows(db()).isEmpty());
    EXPECT_EQ(App::tSenha, 0);
    typePasswords(w, "12345678901234567890", ""); // the fields take at most fifteen characters
    EXPECT_EQ(w.edSenha->Text(), "123456789012345");
    testsupport::screenshot(w, "preferences_tab_senha");

    recorder.clear();
    const QString password = " velha 2026! ";
    setPassword(password);
    EXPECT_TRUE(recorder.shown.isEmpty());
    EXPECT_FALSE(wPreferencias::exists()); // Ok closed it
    const QStringList locks = lockRows(db());
    ASSERT_EQ(locks.size(), 1);
    EXPECT_FALSE(locks[0].contains(password.trimmed()));
    EXPECT_TRUE(ConfereSenha(password, locks[0]));
    EXPECT_FALSE(ConfereSenha(password.trimmed(), locks[0]));
    EXPECT_EQ(App::tSenha, 1);
    EXPECT_EQ(App::cSenha, locks[0]);

    restart();
    wPreferencias& again = openOnLockTab();
    EXPECT_TRUE(again.cHabilitaSenha->isChecked());
    EXPECT_EQ(again.edSenha->Text(), QString());
    typePasswords(again, "", "nova");
    again.PushButton1->click();
    EXPECT_EQ(recorder.messages(), QStringList{"Senha não confere"});
    typePasswords(again, "", "");
    again.PushButton1->click();
    EXPECT_FALSE(wPreferencias::exists());
    EXPECT_EQ(lockRows(db()), locks);
    EXPECT_EQ(App::cSenha, locks[0]);

    recorder.clear();
    testsupport::failOn(db(), "INSERT", "pwd", "disco cheio");
    setPassword("nova");
    EXPECT_EQ(recorder.messages(), QStringList{"Erro: 19\n\ndisco cheio"});
    EXPECT_TRUE(wPreferencias::exists()); // the window stays for another try
    EXPECT_EQ(App::cSenha, locks[0]);
    EXPECT_EQ(lockRows(db()), locks);
    exec("DROP TRIGGER fail_INSERT_pwd");
    wPreferencias::instance().PushButton1->click();
    ASSERT_EQ(lockRows(db()).size(), 1);
    EXPECT_TRUE(ConfereSenha("nova", App::cSenha));

    openOnLockTab().cHabilitaSenha->click();
    wPreferencias::instance().close(); // the close box confirms nothing
    EXPECT_EQ(App::tSenha, 1);
    EXPECT_EQ(lockRows(db()).size(), 1);
    openOnLockTab().cHabilitaSenha->click();
    wPreferencias::instance().PushButton1->click();
    EXPECT_TRUE(lockRows(db()).isEmpty());
    EXPECT_EQ(App::tSenha, 0);
    restart();
    EXPECT_FALSE(wDigitaSenha::exists());
    EXPECT_TRUE(wCash::instance().isVisible());

    // The general tab acts at once; the start account and month follow the
    // pop-ups and survive a restart.
    addAccounts({"Banco", "Carteira", "Poupança"});
    for (const char* date : {"2026-01-10", "2026-02-10", "2026-03-10"})
        addTransaction("Banco", "Salário", "  -  ", date, "10", "", "Não");
    restart();
    wCash& main = wCash::instance();
    ASSERT_GE(main.lMovimento->ListCount(), 2);
    main.lMovimento->setListIndex(-1);
    wPreferencias::ShowFromMenu();
    wPreferencias& general = wPreferencias::instance();
    testsupport::screenshot(general, "preferences_tab_geral");

    // A point of the second row that no text covers.
    const QRect cell = main.lMovimento->visualRect(main.lMovimento->model()->index(1, 4));
    auto oddRowColour = [&] {
        return main.lMovimento->viewport()->grab().toImage().pixelColor(cell.right() - 2, cell.center().y());
    };
    PaintCounter counter;
    main.lMovimento->viewport()->installEventFilter(&counter);
    for (const int colour : {255, 230}) { // a first run has the alternating colour on
        EXPECT_EQ(oddRowColour(), QColor(485 - colour, 485 - colour, 485 - colour));
        for (int before = -1; before != counter.paints;) // lets the repaints already asked for land
            before = counter.paints, QCoreApplication::processEvents();
        counter.paints = 0;
        general.CoresLista->click();
        EXPECT_EQ(App::cor_b, colour);
        EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 2000));
        EXPECT_EQ(oddRowColour(), QColor(colour, colour, colour));
    }
    main.lMovimento->viewport()->removeEventFilter(&counter);
    ASSERT_TRUE(App::PrefEditor);
    general.Edicao->click();
    EXPECT_FALSE(App::PrefEditor);

    // A first run has no start-up month; the window shows "Todos" without writing it.
    EXPECT_EQ(App::MesInicial, "");
    general.TabPanel1->setCurrentIndex(1);
    EXPECT_EQ(App::ContaInicial, "Banco");
    EXPECT_EQ(general.sMesinicial->Text(), "Todos");
    general.sContas->setListIndex(1);
    general.sMesinicial->setListIndex(2);
    EXPECT_EQ(App::ContaInicial, "Carteira");
    EXPECT_EQ(App::MesInicial, "Março");
    testsupport::screenshot(general, "preferences_tab_contas");
    // Closing makes the main window reselect its month at once.
    general.close();
    EXPECT_EQ(wCash::instance().sMes->Text(), "Março");

    restart();
    wPreferencias::ShowFromMenu();
    EXPECT_EQ(QStringList({wCash::instance().List_Contas->Text(), wCash::instance().sMes->Text(),
                           wPreferencias::instance().sContas->Text(), wPreferencias::instance().sMesinicial->Text()}),
              QStringList({"Carteira", "Março", "Carteira", "Março"}));

    // A start account that is gone falls to the first; with none, the saved one stays.
    App::ContaInicial = "Fechada";
    wPreferencias::instance().CarregaContas();
    EXPECT_EQ(App::ContaInicial, "Banco");
    exec("DELETE FROM Contas");
    wPreferencias::instance().CarregaContas();
    EXPECT_EQ(App::ContaInicial, "Banco");
}
