// The preferences window: its pop-up rules and the lock row without a
// window, then the window itself in a program started in-process.

#include "AppFixture.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/Password.h"
#include "app/Schema.h"
#include "ledger/wCash.h"
#include "platform/Controls.h"
#include "platform/Database.h"
#include "platform/Listbox.h"
#include "settings/PreferencesChoices.h"
#include "settings/PreferencesLock.h"
#include "settings/wPreferencias.h"
#include "ui/common/wDigitaSenha.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

QStringList lockRows(SQLDatabase& db)
{
    return testsupport::column(db, "SELECT pcod2 FROM pwd WHERE pcod1='1'");
}

} // namespace

// What the window's tests below do not reach of the pop-up rules and the password check.
TEST(PreferencesChoices, monthRowAndStartAccountRow_andPasswordCheck)
{
    using namespace PreferencesChoices;
    EXPECT_EQ(MonthRows().value(11), "Dezembro");
    EXPECT_EQ(MonthRowFor("Atual"), 13);
    EXPECT_EQ(MonthRowFor(""), 12);
    EXPECT_EQ(MonthRowFor("Brumário"), 0);
    EXPECT_EQ(MonthRowFor("dezembro"), 0); // exact, like every text comparison of the program
    EXPECT_EQ(StartAccountRow({"Banco", "Carteira"}, "Todas"), 1);
    EXPECT_EQ(StartAccountRow({"Banco", "Carteira"}, ""), 0);
    EXPECT_EQ(StartAccountRow({"A", "B", "A"}, "A"), 2);
    EXPECT_EQ(StartAccountRow({}, "Banco"), -1);

    using PreferencesLock::CheckEntry;
    using PreferencesLock::Entry;
    EXPECT_EQ(CheckEntry(" seg ", " seg ", true), Entry::Accepted);
    EXPECT_EQ(CheckEntry("segredo", "", true), Entry::Differ);
    EXPECT_EQ(CheckEntry("   ", "   ", true), Entry::Blank);
}

TEST(PreferencesLock, writeLockRow_leavesExactlyOneRowWhenOn_noneWhenOff)
{
    auto db = testsupport::newDatabase();
    testsupport::exec(*db, "INSERT INTO pwd (pcod1, pcod2) VALUES ('1', 'old'), ('1', 'older'), ('2', 'other')");
    ASSERT_TRUE(Schema::WriteLockRow(*db, true, "new form"));
    EXPECT_EQ(lockRows(*db), QStringList{"new form"});
    EXPECT_FALSE(db->InTransaction());

    ASSERT_TRUE(Schema::WriteLockRow(*db, false, QString()));
    EXPECT_TRUE(lockRows(*db).isEmpty());
    // Only the lock row is the window's business.
    EXPECT_EQ(testsupport::column(*db, "SELECT pcod1 FROM pwd"), QStringList{"2"});
}

TEST(PreferencesLock, writeLockRow_failedInsertOrRemoval_keepsTheOldRowAndTheError)
{
    for (const bool on : {true, false}) {
        auto db = testsupport::newDatabase();
        testsupport::exec(*db, "INSERT INTO pwd (pcod1, pcod2) VALUES ('1', 'old')");
        testsupport::failOn(*db, on ? "INSERT" : "DELETE", "pwd", "disk says no");
        EXPECT_FALSE(Schema::WriteLockRow(*db, on, on ? "new form" : ""));
        EXPECT_TRUE(db->Error());
        EXPECT_TRUE(db->ErrorMessage().contains("disk says no")) << db->ErrorMessage().toStdString();
        EXPECT_FALSE(db->InTransaction());
        EXPECT_EQ(lockRows(*db), QStringList{"old"});
    }
}

// --- The window, with the program started in-process.

namespace {

// Counts the paints of a widget, to tell that it repainted by itself.
class PaintCounter : public QObject
{
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    // Lets the repaints already asked for (window activation and the like)
    // land, then starts counting afresh.
    void settle()
    {
        for (int round = 0; round < 10; ++round) {
            const int before = paints;
            QCoreApplication::processEvents();
            if (paints == before)
                break;
        }
        paints = 0;
    }
};

// Texts that a careless stored form could give the password back from.
QStringList simpleTransforms(const QString& password)
{
    QStringList out{password, password.toUpper(), password.toLower()};
    QString reversed = password;
    std::reverse(reversed.begin(), reversed.end());
    out << reversed;
    for (int shift = -10; shift <= 10; ++shift) {
        QString shifted;
        for (const QChar c : password)
            shifted += QChar(char16_t(c.unicode() + shift));
        out << shifted;
    }
    const QByteArray utf8 = password.toUtf8();
    out << QString::fromLatin1(utf8.toBase64()) << QString::fromLatin1(utf8.toHex());
    for (auto algorithm : {QCryptographicHash::Md5, QCryptographicHash::Sha1, QCryptographicHash::Sha256}) {
        const QByteArray digest = QCryptographicHash::hash(utf8, algorithm);
        out << QString::fromLatin1(digest.toHex()) << QString::fromLatin1(digest.toBase64());
    }
    return out;
}

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
    static QStringList storedLocks() { return lockRows(db()); }
};

} // namespace

TEST_F(PreferencesWindow, setPassword_storesOnlyASaltedHash_andTheNextStartAsksForIt)
{
    const QString password = " Tovira 2026! ";
    setPassword(password);
    EXPECT_TRUE(recorder.shown.isEmpty());
    EXPECT_FALSE(wPreferencias::exists()); // Ok closed it
    const QStringList locks = storedLocks();
    ASSERT_EQ(locks.size(), 1);
    for (const QString& form : simpleTransforms(password))
        EXPECT_FALSE(locks[0].contains(form)) << form.toStdString();
    // Blanks around the password belong to it.
    EXPECT_TRUE(ConfereSenha(password, locks[0]));
    EXPECT_FALSE(ConfereSenha(password.trimmed(), locks[0]));
    EXPECT_EQ(App::tSenha, 1);
    EXPECT_EQ(App::cSenha, locks[0]);

    restart();
    ASSERT_TRUE(wDigitaSenha::exists());
    EXPECT_TRUE(wDigitaSenha::instance().isVisible());
    EXPECT_FALSE(wCash::instance().isVisible());
}

TEST_F(PreferencesWindow, blankOrDifferingPasswords_areRefused_focusBackAndNothingWritten)
{
    wPreferencias& w = openOnLockTab();
    EXPECT_FALSE(w.edSenha->isEnabled());
    w.cHabilitaSenha->click();
    for (QWidget* field : QList<QWidget*>{w.edSenha, w.edSenha2, w.txtsenha1, w.txtsenha2})
        EXPECT_TRUE(field->isEnabled()) << field->objectName().toStdString();

    for (const auto& [first, second] :
         QList<std::pair<QString, QString>>{{"segredo", "Segredo"}, {"   ", "   "}, {"", ""}}) {
        typePasswords(w, first, second);
        w.PushButton1->click();
    }
    EXPECT_EQ(recorder.messages(), QStringList({"Senha não confere", "Senha inválida", "Senha inválida"}));
    EXPECT_EQ(w.focusWidget(), w.edSenha);
    EXPECT_TRUE(wPreferencias::exists());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(storedLocks().isEmpty());
    EXPECT_EQ(App::tSenha, 0);
    EXPECT_EQ(App::cSenha, QString());

    // The fields take at most fifteen characters.
    typePasswords(w, "12345678901234567890", "");
    EXPECT_EQ(w.edSenha->Text(), "123456789012345");
    testsupport::screenshot(w, "preferences_tab_senha");
}

TEST_F(PreferencesWindow, lockOn_opensTickedWithEmptyFields_andOkWithThemEmptyKeepsThePassword)
{
    setPassword("guarda");
    const QString stored = storedLocks().value(0);
    restart();

    // Made hidden at start-up, already showing the lock.
    ASSERT_TRUE(wPreferencias::exists());
    wPreferencias& w = openOnLockTab();
    EXPECT_TRUE(w.cHabilitaSenha->isChecked());
    EXPECT_TRUE(w.edSenha->isEnabled());
    EXPECT_TRUE(w.edSenha2->isEnabled());
    EXPECT_EQ(w.edSenha->Text(), QString());
    EXPECT_EQ(w.edSenha2->Text(), QString());
    w.PushButton1->click();
    EXPECT_TRUE(recorder.messages().isEmpty());
    EXPECT_FALSE(wPreferencias::exists());
    EXPECT_EQ(storedLocks(), QStringList{stored});
    EXPECT_EQ(App::cSenha, stored);

    // A new password replaces the old one.
    setPassword("nova");
    ASSERT_EQ(storedLocks().size(), 1);
    EXPECT_TRUE(ConfereSenha("nova", storedLocks()[0]));
    EXPECT_FALSE(ConfereSenha("guarda", App::cSenha));
}

TEST_F(PreferencesWindow, untickingTheLock_takesEffectOnlyWithOk_thenNoLockRowIsLeft)
{
    setPassword("guarda");
    wPreferencias& w = openOnLockTab();
    w.cHabilitaSenha->click();
    EXPECT_FALSE(w.edSenha->isEnabled());
    EXPECT_FALSE(w.txtsenha2->isEnabled());
    // Closed with the close box: nothing was confirmed, the lock stays whole.
    w.close();
    EXPECT_FALSE(wPreferencias::exists());
    EXPECT_EQ(App::tSenha, 1);
    EXPECT_EQ(storedLocks().size(), 1);

    wPreferencias& again = openOnLockTab();
    EXPECT_TRUE(again.cHabilitaSenha->isChecked());
    again.cHabilitaSenha->click();
    again.PushButton1->click();
    EXPECT_FALSE(wPreferencias::exists());
    EXPECT_TRUE(storedLocks().isEmpty());
    EXPECT_EQ(App::tSenha, 0);
    EXPECT_EQ(App::cSenha, QString());

    restart();
    EXPECT_FALSE(wDigitaSenha::exists());
    EXPECT_TRUE(wCash::instance().isVisible());
}

TEST_F(PreferencesWindow, failedLockRowWrite_keepsTheOldLockWorking_andShowsTheError)
{
    setPassword("velha");
    const QString stored = App::cSenha;
    testsupport::failOn(db(), "INSERT", "pwd", "disco cheio");

    wPreferencias& w = openOnLockTab();
    typePasswords(w, "nova", "nova");
    w.PushButton1->click();
    ASSERT_EQ(recorder.messages().size(), 1);
    EXPECT_TRUE(recorder.messages()[0].startsWith("Erro: "));
    EXPECT_TRUE(recorder.messages()[0].endsWith("\n\ndisco cheio")) << recorder.messages()[0].toStdString();
    EXPECT_TRUE(wPreferencias::exists()); // the window stays for another try
    EXPECT_EQ(App::tSenha, 1);
    EXPECT_EQ(App::cSenha, stored);
    EXPECT_EQ(storedLocks(), QStringList{stored});

    // The old password still opens the next run.
    exec("DROP TRIGGER fail_INSERT_pwd");
    recorder.clear();
    restart();
    wDigitaSenha& prompt = wDigitaSenha::instance();
    ASSERT_TRUE(prompt.isVisible());
    QTest::keyClicks(prompt.eSenha, "velha");
    prompt.bt_ok->click();
    EXPECT_TRUE(recorder.messages().isEmpty());
    EXPECT_TRUE(wCash::instance().isVisible());
}

TEST_F(PreferencesWindow, coresLista_recoloursTheLedgerOddRowsAtOnce_edicaoSetsTheEditorFlag)
{
    addAccounts({"Banco"});
    for (const char* date : {"2026-01-10", "2026-02-10", "2026-03-10"})
        addTransaction("Banco", "Salário", "  -  ", date, "10", "", "Não");
    restart();
    wCash& main = wCash::instance();
    ASSERT_TRUE(main.isVisible());
    ASSERT_GE(main.lMovimento->ListCount(), 2);
    main.lMovimento->setListIndex(-1);

    wPreferencias::ShowFromMenu();
    wPreferencias& w = wPreferencias::instance();
    ASSERT_TRUE(w.CoresLista->isChecked()); // a first run has the alternating colour on
    testsupport::screenshot(w, "preferences_tab_geral");

    // A point of the second row that no text covers.
    const QRect cell = main.lMovimento->visualRect(main.lMovimento->model()->index(1, 4));
    const QPoint probe(cell.right() - 2, cell.center().y());
    auto oddRowColour = [&] { return main.lMovimento->viewport()->grab().toImage().pixelColor(probe); };
    EXPECT_EQ(oddRowColour(), QColor(230, 230, 230));

    PaintCounter counter;
    main.lMovimento->viewport()->installEventFilter(&counter);
    counter.settle();
    w.CoresLista->click();
    EXPECT_EQ(QList<int>({App::cor_r, App::cor_g, App::cor_b}), QList<int>({255, 255, 255}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 2000));
    EXPECT_EQ(oddRowColour(), QColor(255, 255, 255));
    testsupport::screenshot(*main.lMovimento, "preferences_ledger_plain");

    counter.settle();
    w.CoresLista->click();
    EXPECT_EQ(App::cor_b, 230);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 2000));
    EXPECT_EQ(oddRowColour(), QColor(230, 230, 230));
    main.lMovimento->viewport()->removeEventFilter(&counter);

    ASSERT_TRUE(App::PrefEditor);
    w.Edicao->click();
    EXPECT_FALSE(App::PrefEditor);
}

TEST_F(PreferencesWindow, startAccountAndMonth_followThePopups_andSurviveARestart)
{
    // A first run has no start-up month; the window shows "Todos" without writing it.
    EXPECT_EQ(App::MesInicial, "");
    addAccounts({"Banco", "Carteira", "Poupança"});

    wPreferencias::ShowFromMenu();
    wPreferencias& w = wPreferencias::instance();
    w.TabPanel1->setCurrentIndex(1);
    ASSERT_EQ(w.sContas->ListCount(), 3);
    EXPECT_EQ(w.sContas->ListIndex(), 0);
    EXPECT_EQ(App::ContaInicial, "Banco");
    ASSERT_EQ(w.sMesinicial->ListCount(), 14);
    EXPECT_EQ(w.sMesinicial->Text(), "Todos");

    w.sContas->setListIndex(1);
    w.sMesinicial->setListIndex(2);
    EXPECT_EQ(App::ContaInicial, "Carteira");
    EXPECT_EQ(App::MesInicial, "Março");
    testsupport::screenshot(w, "preferences_tab_contas");
    // Closing makes the main window reselect its month at once.
    w.close();
    EXPECT_EQ(wCash::instance().sMes->Text(), "Março");

    restart();
    EXPECT_EQ(App::ContaInicial, "Carteira");
    EXPECT_EQ(App::MesInicial, "Março");
    EXPECT_EQ(wCash::instance().List_Contas->Text(), "Carteira");
    EXPECT_EQ(wCash::instance().sMes->Text(), "Março");
    wPreferencias::ShowFromMenu();
    EXPECT_EQ(wPreferencias::instance().sContas->Text(), "Carteira");
    EXPECT_EQ(wPreferencias::instance().sMesinicial->Text(), "Março");
}

TEST_F(PreferencesWindow, carregaContas_missingStartAccountFallsToTheFirst_noAccountKeepsIt)
{
    wPreferencias& w = wPreferencias::instance();
    addAccounts({"Banco", "Carteira"});
    App::ContaInicial = "Fechada";
    w.CarregaContas();
    EXPECT_EQ(w.sContas->Text(), "Banco");
    EXPECT_EQ(App::ContaInicial, "Banco");

    // Refilling while a row is selected must not lose the saved account.
    App::ContaInicial = "Carteira";
    w.CarregaContas();
    EXPECT_EQ(w.sContas->Text(), "Carteira");
    EXPECT_EQ(App::ContaInicial, "Carteira");

    exec("DELETE FROM Contas");
    w.CarregaContas();
    EXPECT_EQ(w.sContas->ListCount(), 0);
    EXPECT_EQ(App::ContaInicial, "Carteira");
}
