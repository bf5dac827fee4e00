// Start-up and quit run in-process: Event_Open directly, or the whole run()
// with a timer that plays the user once the main window is on screen.

#include "app/App.h"
#include "app/Migration.h"
#include "ledger/wCash.h"
#include "platform/Database.h"
#include "platform/Files.h"
#include "platform/Listbox.h"
#include "ui/common/Module1.h"

#include "Recorder.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString dataFolder()
{
    return DocumentsFolder() + "/Tovira";
}
QString dataFile()
{
    return dataFolder() + "/Tovira.rbd";
}
QString prefsFile()
{
    return PreferencesFolder() + "/Tovira";
}

QStringList readLines(const QString& path)
{
    QStringList lines;
    ReadTextLines(path, lines);
    return lines;
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A database file with one account, made outside the program.
void makeDatabase(const QString& path, const QString& account)
{
    QDir().mkpath(QFileInfo(path).path());
    SQLDatabase db;
    db.setDatabaseFile(path);
    ASSERT_TRUE(db.CreateDatabaseFile());
    testsupport::exec(db, "CREATE TABLE Contas ( nome VarChar, data date, descricao VarChar, saldo Double )");
    ASSERT_TRUE(db.SQLExecute("INSERT INTO Contas (nome) VALUES (?)", {account}));
}

// Runs the whole program; `whenShown` plays the user once the main window is visible.
int runProgram(std::function<void()> whenShown)
{
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (wCash::exists() && wCash::existing()->isVisible()) {
            poll.stop();
            whenShown();
        }
    });
    poll.start();
    // A start-up that ends on an error quits by itself, before any window shows.
    return App::run();
}

class Startup : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        App::resetState();
        QDir(dataFolder()).removeRecursively();
        QFile::remove(dataFolder());
        QFile::remove(prefsFile());
    }
    void TearDown() override { App::resetState(); }

    Recorder recorder;
};

} // namespace

TEST_F(Startup, newUser_createsDatabaseWithFullSchemaAndShowsDefaultWindow)
{
    ASSERT_TRUE(App::Event_Open());
    EXPECT_TRUE(QFileInfo(dataFile()).isFile());
    auto tables = App::CashDB->SQLSelect("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name");
    ASSERT_TRUE(tables);
    QStringList names;
    for (; !tables->Eof(); tables->MoveNext())
        names << tables->IdxField(1).StringValue();
    EXPECT_EQ(names, QStringList({"Agenda", "Categorias", "Contas", "Contatos", "Movimento", "pwd"}));
    EXPECT_TRUE(App::CashDB->SQLSelect("SELECT contatoplus FROM Agenda"));

    wCash& w = wCash::instance();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.geometry(), QRect(10, 110, 744, 500));
    EXPECT_TRUE(App::PrefEditor);
    EXPECT_EQ(QList<int>({App::cor_r, App::cor_g, App::cor_b}), QList<int>({230, 230, 230}));
    EXPECT_EQ(App::tSenha, 0);
    EXPECT_TRUE(recorder.shown.isEmpty());
    // No saved widths: every ledger column still gets a usable width.
    for (int i = 0; i < 6; ++i)
        EXPECT_GT(w.lMovimento->ColumnWidth(i), 20) << i;
    testsupport::screenshot(w, "startup_new_user");
}

TEST_F(Startup, quitThenNextRun_writesTwentyLinesAndReadsThemBack)
{
    ASSERT_TRUE(App::Event_Open());
    wCash& w = wCash::instance();
    w.setGeometry(30, 140, 800, 420);
    w.lMovimento->setColumnWidths("120,100,80,90,90,70");
    App::ContaInicial = " Casa";
    App::MesInicial = "Atual";
    App::PrefEditor = false;
    App::cor_r = App::cor_g = App::cor_b = 255;
    App::_FileQuit_Action();

    const QStringList lines = readLines(prefsFile());
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines.mid(0, 4), QStringList({"editarea =0", "cor_r =255", "cor_g =255", "cor_b =255"}));
    EXPECT_EQ(lines.mid(7, 6), QStringList({"conta_inicio = Casa", "mes_inicio =Atual", "420", "30", "140", "800"}));
    EXPECT_EQ(lines.mid(14), QStringList({"120", "100", "80", "90", "90", "70"}));

    App::resetState();
    ASSERT_TRUE(App::Event_Open());
    EXPECT_FALSE(App::PrefEditor);
    EXPECT_EQ(App::cor_b, 255);
    EXPECT_EQ(App::ContaInicial, " Casa");
    EXPECT_EQ(App::MesInicial, "Atual");
    EXPECT_EQ(wCash::instance().geometry(), QRect(30, 140, 800, 420));
    EXPECT_EQ(wCash::instance().lMovimento->ColumnWidths(), "120,100,80,90,90,70");
}

TEST_F(Startup, menuQuitThenWindowClose_compactsClosesAndWritesOnce)
{
    int vacuums = 0;
    bool closedAfterMenuQuit = false;
    bool rewrittenByClose = true;
    const int code = runProgram([&] {
        App::CashDB->setStatementObserver([&](const QString& sql) { vacuums += sql.startsWith("VACUUM"); });
        App::_FileQuit_Action();
        closedAfterMenuQuit = !App::CashDB->IsConnected();
        // Gone now, so a second write would show; run() closes the window after the loop.
        QFile::remove(prefsFile());
    });
    rewrittenByClose = QFileInfo::exists(prefsFile());
    EXPECT_EQ(code, 0);
    EXPECT_EQ(vacuums, 1);
    EXPECT_TRUE(closedAfterMenuQuit);
    EXPECT_FALSE(rewrittenByClose);
    EXPECT_FALSE(wCash::exists());
}

TEST_F(Startup, closingTheMainWindow_runsTheQuitSequence)
{
    int vacuums = 0;
    const int code = runProgram([&] {
        App::CashDB->setStatementObserver([&](const QString& sql) { vacuums += sql.startsWith("VACUUM"); });
        // The whole program's window: menu bar and toolbar above the controls.
        testsupport::screenshot(*wCash::existing(), "startup_run_main_window");
        EXPECT_TRUE(wCash::existing()->FileQuit());
        EXPECT_TRUE(wCash::existing()->Toolbar11);
        wCash::existing()->close();
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(vacuums, 1);
    EXPECT_FALSE(App::CashDB->IsConnected());
    EXPECT_EQ(readLines(prefsFile()).size(), 20);
}

TEST_F(Startup, dataFolderIsAPlainFile_showsDbMessageAndLeavesPreferences)
{
    writeFile(dataFolder(), "not a folder");
    writeFile(prefsFile(), "editarea =0\n");
    const int code = runProgram([] { FAIL() << "the main window must not show"; });
    EXPECT_NE(code, 0);
    EXPECT_EQ(recorder.messages(), QStringList({Module1::kMsgDB() + "\n\n"}));
    EXPECT_EQ(readLines(prefsFile()), QStringList({"editarea =0"}));
}

TEST_F(Startup, garbageDatabaseFile_reportsErrorAndEnds)
{
    writeFile(dataFile(), QByteArray(4096, 'x'));
    const int code = runProgram([] { FAIL() << "the main window must not show"; });
    EXPECT_NE(code, 0);
    ASSERT_EQ(recorder.messages().size(), 1);
    EXPECT_TRUE(recorder.messages().first().startsWith("Erro: 26\n\n")) << recorder.messages().first().toStdString();
    EXPECT_FALSE(QFileInfo::exists(prefsFile()));
}

TEST_F(Startup, missingConfigFolders_areCreatedWithParents)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const QString nested = QFileInfo(testsupport::tempPath("cfg")).path() + "/a/b/c";
    qputenv("XDG_CONFIG_HOME", nested.toUtf8());
    ASSERT_TRUE(App::Event_Open());
    App::_FileQuit_Action();
    EXPECT_EQ(readLines(nested + "/Tovira").size(), 20);
    qputenv("XDG_CONFIG_HOME", saved);
}

TEST_F(Startup, noPreferencesFolder_showsMessageAndEndsWithoutWriting)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const QString blocker = testsupport::tempPath("plain-file");
    writeFile(blocker, "x");
    qputenv("XDG_CONFIG_HOME", (blocker + "/config").toUtf8());
    EXPECT_FALSE(App::Event_Open());
    EXPECT_EQ(recorder.messages(), QStringList({Module1::kMsgPref()}));
    EXPECT_NE(App::exitCode, 0);
    App::_FileQuit_Action(); // the window's close that follows writes nothing
    EXPECT_FALSE(QFileInfo::exists(blocker + "/config/Tovira"));
    qputenv("XDG_CONFIG_HOME", saved);
}

TEST_F(Startup, lockRowPresent_keepsMainWindowHidden)
{
    ASSERT_TRUE(App::Event_Open());
    testsupport::exec(*App::CashDB, "INSERT INTO pwd (pcod1, pcod2) VALUES ('1', 'stored-form')");
    App::_FileQuit_Action();
    App::resetState();

    ASSERT_TRUE(App::Event_Open());
    EXPECT_EQ(App::tSenha, 1);
    EXPECT_EQ(App::cSenha, "stored-form");
    EXPECT_FALSE(wCash::instance().isVisible());
}

TEST_F(Startup, unreadableLockRow_isReportedAndCountsAsNoLock)
{
    makeDatabase(dataFile(), "Banco");
    {
        SQLDatabase db;
        db.setDatabaseFile(dataFile());
        ASSERT_TRUE(db.Connect());
        // Readable as a table, but without the lock row's columns.
        testsupport::exec(db, "CREATE VIEW pwd AS SELECT 1 AS other");
    }
    ASSERT_TRUE(App::Event_Open());
    EXPECT_EQ(recorder.messages(), QStringList({"Erro: 1\n\nno such column: pcod1"}));
    EXPECT_EQ(App::tSenha, 0);
    EXPECT_TRUE(wCash::instance().isVisible());
}

// The database beside the program is moved by a function of its own, so
// tests use a folder of their own rather than the one beside the test
// program, where other test programs starting at the same time would look.
class Migration : public Startup
{
  protected:
    void SetUp() override
    {
        Startup::SetUp();
        program = QFileInfo(testsupport::tempPath("x")).path();
    }
    QString legacy() const { return program + "/Tovira.rbd"; }
    QString old() const { return program + "/Tovira_OLD.rbd"; }
    QString program;
};

TEST_F(Migration, databaseBesideProgram_movesIntoDataFolderLeavingOldCopy)
{
    makeDatabase(legacy(), "Poupança");
    EnsureFolder(dataFolder());
    EXPECT_TRUE(MigrateLegacyDatabase(program, dataFile()));
    EXPECT_FALSE(QFileInfo::exists(legacy()));
    EXPECT_TRUE(QFileInfo(old()).isFile());
    ASSERT_TRUE(App::Event_Open());
    EXPECT_EQ(wCash::instance().List_Contas->Text(), "Poupança");
}

TEST_F(Migration, dataFolderFileExists_isNotReplacedAndBesideFileStays)
{
    makeDatabase(dataFile(), "Existing");
    makeDatabase(legacy(), "Legacy");
    const QByteArray before = readBytes(dataFile());
    EXPECT_FALSE(MigrateLegacyDatabase(program, dataFile()));
    EXPECT_EQ(readBytes(dataFile()), before);
    EXPECT_TRUE(QFileInfo(legacy()).isFile());
}

TEST_F(Migration, oldCopyExists_besideFileStays)
{
    makeDatabase(legacy(), "Legacy");
    writeFile(old(), "an older copy");
    EnsureFolder(dataFolder());
    EXPECT_FALSE(MigrateLegacyDatabase(program, dataFile()));
    EXPECT_TRUE(QFileInfo(legacy()).isFile());
    EXPECT_EQ(readBytes(old()), "an older copy");
    EXPECT_EQ(readBytes(dataFile()), readBytes(legacy()));
}
