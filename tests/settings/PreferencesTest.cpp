// The preferences window: its pop-up rules and the lock row without a
// window, then the window itself against a running main window.

#include "Recorder.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/Password.h"
#include "app/Schema.h"
#include "ledger/wCash.h"
#include "platform/Controls.h"
#include "platform/Database.h"
#include "platform/Files.h"
#include "platform/Listbox.h"
#include "settings/PreferencesChoices.h"
#include "settings/PreferencesLock.h"
#include "settings/wPreferencias.h"
#include "ui/common/wDigitaSenha.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using testsupport::exec;

namespace {

std::unique_ptr<SQLDatabase> newDataFile()
{
    auto db = std::make_unique<SQLDatabase>();
    db->setDatabaseFile(testsupport::tempPath(QStringLiteral("Tovira.rbd")));
    EXPECT_TRUE(db->CreateDatabaseFile());
    EXPECT_TRUE(Schema::Create(*db));
    Schema::Upgrade(*db);
    return db;
}

QStringList lockRows(SQLDatabase& db)
{
    QStringList rows;
    auto rs = db.SQLSelect(QStringLiteral("SELECT pcod2 FROM pwd WHERE pcod1='1'"));
    EXPECT_TRUE(rs);
    for (; rs && !rs->Eof(); rs->MoveNext())
        rows << rs->IdxField(1).StringValue();
    return rows;
}

} // namespace

TEST(PreferencesChoices, monthRowFor_ownRowTodosForEmptyJanuaryForUnknown)
{
    const QStringList rows = PreferencesChoices::MonthRows();
    ASSERT_EQ(rows.size(), 14);
    EXPECT_EQ(rows[0], QString::fromUtf8("Janeiro"));
    EXPECT_EQ(rows[11], QString::fromUtf8("Dezembro"));
    EXPECT_EQ(PreferencesChoices::MonthRowFor(QString::fromUtf8("Março")), 2);
    EXPECT_EQ(PreferencesChoices::MonthRowFor(QStringLiteral("Dezembro")), 11);
    EXPECT_EQ(PreferencesChoices::MonthRowFor(QStringLiteral("Todos")), 12);
    EXPECT_EQ(PreferencesChoices::MonthRowFor(QString()), 12);
    EXPECT_EQ(PreferencesChoices::MonthRowFor(QStringLiteral("Atual")), 13);
    EXPECT_EQ(PreferencesChoices::MonthRowFor(QStringLiteral("Brumário")), 0);
    // The comparison is exact, like every other text comparison of the program.
    EXPECT_EQ(PreferencesChoices::MonthRowFor(QStringLiteral("dezembro")), 0);
}

TEST(PreferencesChoices, startAccountRow_savedNameElseFirst_todasTakesLast_noneGivesNothing)
{
    const QStringList names{"Banco", "Carteira", "Poupança"};
    EXPECT_EQ(PreferencesChoices::StartAccountRow(names, QStringLiteral("Carteira")), 1);
    EXPECT_EQ(PreferencesChoices::StartAccountRow(names, QStringLiteral("Fechada")), 0);
    EXPECT_EQ(PreferencesChoices::StartAccountRow(names, QString()), 0);
    EXPECT_EQ(PreferencesChoices::StartAccountRow(names, QStringLiteral("Todas")), 2);
    EXPECT_EQ(PreferencesChoices::StartAccountRow({"A", "B", "A"}, QStringLiteral("A")), 2);
    EXPECT_EQ(PreferencesChoices::StartAccountRow({}, QStringLiteral("Banco")), -1);
}

TEST(PreferencesLock, checkEntry_differingBlankAndKeptPasswords)
{
    using PreferencesLock::CheckEntry;
    using PreferencesLock::Entry;
    EXPECT_EQ(CheckEntry("segredo", "segredo", false), Entry::Accepted);
    EXPECT_EQ(CheckEntry(" seg ", " seg ", true), Entry::Accepted);
    EXPECT_EQ(CheckEntry("segredo", "Segredo", false), Entry::Differ);
    EXPECT_EQ(CheckEntry("segredo", "", true), Entry::Differ);
    EXPECT_EQ(CheckEntry("   ", "   ", true), Entry::Blank);
    EXPECT_EQ(CheckEntry("", "", false), Entry::Blank);
    EXPECT_EQ(CheckEntry("", "", true), Entry::KeepStored);
}

TEST(PreferencesLock, writeLockRow_leavesExactlyOneRowWhenOn_noneWhenOff)
{
    auto db = newDataFile();
    exec(*db, "INSERT INTO pwd (pcod1, pcod2) VALUES ('1', 'old'), ('1', 'older'), ('2', 'other')");
    ASSERT_TRUE(PreferencesLock::WriteLockRow(*db, true, QStringLiteral("new form")));
    EXPECT_EQ(lockRows(*db), QStringList{"new form"});
    EXPECT_FALSE(db->InTransaction());

    ASSERT_TRUE(PreferencesLock::WriteLockRow(*db, false, QString()));
    EXPECT_TRUE(lockRows(*db).isEmpty());
    // Only the lock row is the window's business.
    auto rest = db->SQLSelect(QStringLiteral("SELECT count(*) FROM pwd"));
    ASSERT_TRUE(rest);
    EXPECT_EQ(rest->IdxField(1).IntegerValue(), 1);
}

TEST(PreferencesLock, writeLockRow_failedInsert_keepsTheOldRowAndTheError)
{
    auto db = newDataFile();
    exec(*db, "INSERT INTO pwd (pcod1, pcod2) VALUES ('1', 'old')");
    exec(*db, "CREATE TRIGGER no_new_lock BEFORE INSERT ON pwd BEGIN SELECT RAISE(ABORT, 'disk says no'); END");
    EXPECT_FALSE(PreferencesLock::WriteLockRow(*db, true, QStringLiteral("new form")));
    EXPECT_TRUE(db->Error());
    EXPECT_TRUE(db->ErrorMessage().contains("disk says no")) << db->ErrorMessage().toStdString();
    EXPECT_FALSE(db->InTransaction());
    EXPECT_EQ(lockRows(*db), QStringList{"old"});
}

TEST(PreferencesLock, writeLockRow_failedRemoval_keepsTheLock)
{
    auto db = newDataFile();
    exec(*db, "INSERT INTO pwd (pcod1, pcod2) VALUES ('1', 'old')");
    exec(*db, "CREATE TRIGGER keep_lock BEFORE DELETE ON pwd BEGIN SELECT RAISE(ABORT, 'locked'); END");
    EXPECT_FALSE(PreferencesLock::WriteLockRow(*db, false, QString()));
    EXPECT_TRUE(db->Error());
    EXPECT_EQ(lockRows(*db), QStringList{"old"});
}

// --- The window, with the program started in-process.

namespace {

QString dataFolder()
{
    return DocumentsFolder() + QStringLiteral("/Tovira");
}

QString prefsFile()
{
    return PreferencesFolder() + QStringLiteral("/Tovira");
}

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

class PreferencesWindow : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        forgetRun();
        QDir(dataFolder()).removeRecursively();
        QFile::remove(prefsFile());
        start();
    }
    void TearDown() override { forgetRun(); }

    static void forgetRun()
    {
        delete wPreferencias::existing();
        delete wDigitaSenha::existing();
        App::resetState();
    }
    static void start() { ASSERT_TRUE(App::Event_Open()); }
    // Quits as the menu command does (the preferences file is written), then starts a new run.
    static void restart()
    {
        App::_FileQuit_Action();
        forgetRun();
        start();
    }

    static void addAccount(const QString& name)
    {
        ASSERT_TRUE(App::CashDB->SQLExecute(QStringLiteral("INSERT INTO Contas (nome) VALUES (?)"), {name}));
    }
    static void addCredit(const QString& account, const QString& date, double amount)
    {
        ASSERT_TRUE(App::CashDB->SQLExecute(
            QStringLiteral("INSERT INTO Movimento (conta_nome, conta, contato, data, entrada, conciliado, comentarios) "
                           "VALUES (?, 'Salário', '  -  ', ?, ?, 'Não', '')"),
            {account, date, amount}));
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
    static QStringList storedLocks()
    {
        QStringList rows;
        auto rs = App::CashDB->SQLSelect(QStringLiteral("SELECT pcod2 FROM pwd WHERE pcod1='1'"));
        EXPECT_TRUE(rs);
        for (; rs && !rs->Eof(); rs->MoveNext())
            rows << rs->IdxField(1).StringValue();
        return rows;
    }

    Recorder recorder;
};

} // namespace

TEST_F(PreferencesWindow, setPassword_storesOnlyASaltedHash_andTheNextStartAsksForIt)
{
    const QString password = QStringLiteral(" Tovira 2026! ");
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
    EXPECT_TRUE(w.edSenha->isEnabled());
    EXPECT_TRUE(w.edSenha2->isEnabled());
    EXPECT_TRUE(w.txtsenha1->isEnabled());
    EXPECT_TRUE(w.txtsenha2->isEnabled());

    typePasswords(w, QStringLiteral("segredo"), QStringLiteral("Segredo"));
    w.PushButton1->click();
    typePasswords(w, QStringLiteral("   "), QStringLiteral("   "));
    w.PushButton1->click();
    typePasswords(w, QString(), QString());
    w.PushButton1->click();
    EXPECT_EQ(recorder.messages(), QStringList({QStringLiteral("Senha não confere"), QStringLiteral("Senha inválida"),
                                                QStringLiteral("Senha inválida")}));
    EXPECT_EQ(w.focusWidget(), w.edSenha);
    EXPECT_TRUE(wPreferencias::exists());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(storedLocks().isEmpty());
    EXPECT_EQ(App::tSenha, 0);
    EXPECT_EQ(App::cSenha, QString());

    // The fields take at most fifteen characters.
    typePasswords(w, QStringLiteral("12345678901234567890"), QString());
    EXPECT_EQ(w.edSenha->Text(), QStringLiteral("123456789012345"));
    testsupport::screenshot(w, "preferences_tab_senha");
}

TEST_F(PreferencesWindow, lockOn_opensTickedWithEmptyFields_andOkWithThemEmptyKeepsThePassword)
{
    setPassword(QStringLiteral("guarda"));
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
    setPassword(QStringLiteral("nova"));
    ASSERT_EQ(storedLocks().size(), 1);
    EXPECT_TRUE(ConfereSenha(QStringLiteral("nova"), storedLocks()[0]));
    EXPECT_FALSE(ConfereSenha(QStringLiteral("guarda"), App::cSenha));
}

TEST_F(PreferencesWindow, untickingTheLock_takesEffectOnlyWithOk_thenNoLockRowIsLeft)
{
    setPassword(QStringLiteral("guarda"));
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
    setPassword(QStringLiteral("velha"));
    const QString stored = App::cSenha;
    testsupport::exec(*App::CashDB,
                      "CREATE TRIGGER no_new_lock BEFORE INSERT ON pwd BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");

    wPreferencias& w = openOnLockTab();
    typePasswords(w, QStringLiteral("nova"), QStringLiteral("nova"));
    w.PushButton1->click();
    ASSERT_EQ(recorder.messages().size(), 1);
    EXPECT_TRUE(recorder.messages()[0].startsWith(QStringLiteral("Erro: ")));
    EXPECT_TRUE(recorder.messages()[0].endsWith(QStringLiteral("\n\ndisco cheio")))
        << recorder.messages()[0].toStdString();
    EXPECT_TRUE(wPreferencias::exists()); // the window stays for another try
    EXPECT_EQ(App::tSenha, 1);
    EXPECT_EQ(App::cSenha, stored);
    EXPECT_EQ(storedLocks(), QStringList{stored});

    // The old password still opens the next run.
    testsupport::exec(*App::CashDB, "DROP TRIGGER no_new_lock");
    recorder.clear();
    restart();
    wDigitaSenha& prompt = wDigitaSenha::instance();
    ASSERT_TRUE(prompt.isVisible());
    QTest::keyClicks(prompt.eSenha, QStringLiteral("velha"));
    prompt.bt_ok->click();
    EXPECT_TRUE(recorder.messages().isEmpty());
    EXPECT_TRUE(wCash::instance().isVisible());
}

TEST_F(PreferencesWindow, coresLista_recoloursTheLedgerOddRowsAtOnce_edicaoSetsTheEditorFlag)
{
    addAccount(QStringLiteral("Banco"));
    for (const char* date : {"2026-01-10", "2026-02-10", "2026-03-10"})
        addCredit(QStringLiteral("Banco"), QLatin1String(date), 10.0);
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
    // A first run has no start-up month; the window makes it "Todos".
    EXPECT_EQ(App::MesInicial, QStringLiteral("Todos"));
    for (const char* name : {"Banco", "Carteira", "Poupança"})
        addAccount(QString::fromUtf8(name));

    wPreferencias::ShowFromMenu();
    wPreferencias& w = wPreferencias::instance();
    w.TabPanel1->setCurrentIndex(1);
    ASSERT_EQ(w.sContas->ListCount(), 3);
    EXPECT_EQ(w.sContas->ListIndex(), 0);
    EXPECT_EQ(App::ContaInicial, QStringLiteral("Banco"));
    ASSERT_EQ(w.sMesinicial->ListCount(), 14);
    EXPECT_EQ(w.sMesinicial->Text(), QStringLiteral("Todos"));

    w.sContas->setListIndex(1);
    w.sMesinicial->setListIndex(2);
    EXPECT_EQ(App::ContaInicial, QStringLiteral("Carteira"));
    EXPECT_EQ(App::MesInicial, QString::fromUtf8("Março"));
    testsupport::screenshot(w, "preferences_tab_contas");
    // Closing makes the main window reselect its month at once.
    w.close();
    EXPECT_EQ(wCash::instance().sMes->Text(), QString::fromUtf8("Março"));

    restart();
    EXPECT_EQ(App::ContaInicial, QStringLiteral("Carteira"));
    EXPECT_EQ(App::MesInicial, QString::fromUtf8("Março"));
    EXPECT_EQ(wCash::instance().List_Contas->Text(), QStringLiteral("Carteira"));
    EXPECT_EQ(wCash::instance().sMes->Text(), QString::fromUtf8("Março"));
    wPreferencias::ShowFromMenu();
    EXPECT_EQ(wPreferencias::instance().sContas->Text(), QStringLiteral("Carteira"));
    EXPECT_EQ(wPreferencias::instance().sMesinicial->Text(), QString::fromUtf8("Março"));
}

TEST_F(PreferencesWindow, carregaContas_missingStartAccountFallsToTheFirst_noAccountKeepsIt)
{
    wPreferencias& w = wPreferencias::instance();
    addAccount(QStringLiteral("Banco"));
    addAccount(QStringLiteral("Carteira"));
    App::ContaInicial = QStringLiteral("Fechada");
    w.CarregaContas();
    EXPECT_EQ(w.sContas->Text(), QStringLiteral("Banco"));
    EXPECT_EQ(App::ContaInicial, QStringLiteral("Banco"));

    // Refilling while a row is selected must not lose the saved account.
    App::ContaInicial = QStringLiteral("Carteira");
    w.CarregaContas();
    EXPECT_EQ(w.sContas->Text(), QStringLiteral("Carteira"));
    EXPECT_EQ(App::ContaInicial, QStringLiteral("Carteira"));

    testsupport::exec(*App::CashDB, "DELETE FROM Contas");
    w.CarregaContas();
    EXPECT_EQ(w.sContas->ListCount(), 0);
    EXPECT_EQ(App::ContaInicial, QStringLiteral("Carteira"));
}
