// Start-up and quit run in-process: Event_Open directly, or the whole run()
// with a timer that plays the user once the main window is on screen.

#include "app/Migration.h"
#include "app/Preferences.h"

#include "AppFixture.h"
#include "FullDisk.h"

#include <QFileInfo>
#include <functional>

namespace {

// A database file made outside the program: one account, and optionally more SQL.
void makeDatabase(const QString& path, const QString& account, const QString& moreSql = {})
{
    QDir().mkpath(QFileInfo(path).path());
    SQLDatabase db;
    db.setDatabaseFile(path);
    ASSERT_TRUE(db.CreateDatabaseFile());
    testsupport::exec(db, "CREATE TABLE Contas ( nome VarChar, data date, descricao VarChar, saldo Double )");
    ASSERT_TRUE(db.SQLExecute("INSERT INTO Contas (nome) VALUES (?)", {account}));
    if (!moreSql.isEmpty())
        testsupport::exec(db, moreSql);
}

// Runs the whole program; `whenShown` plays the user once the main window is
// visible and counts the VACUUMs from then on. A start-up that ends on an
// error quits by itself, before any window shows.
int runProgram(std::function<void()> whenShown, int* vacuums = nullptr)
{
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (wCash::exists() && wCash::existing()->isVisible()) {
            poll.stop();
            if (vacuums)
                App::CashDB->setStatementObserver([=](const QString& sql) { *vacuums += sql.startsWith("VACUUM"); });
            whenShown();
        }
    });
    poll.start();
    return App::run();
}

class Startup : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        removeUserFiles();
        QFile::remove(dataFolder());
    }
};

} // namespace

// A new user's first run: the full schema, the default window; what the run
// leaves is written as twenty lines at quit and read back by the next run.
TEST_F(Startup, newUser_getsTheDefaults_thenQuitWritesTwentyLines_andTheNextRunReadsThemBack)
{
    start();
    EXPECT_TRUE(QFileInfo(dataFile()).isFile());
    EXPECT_TRUE(db().SQLSelect("SELECT contatoplus FROM pwd, Agenda"));
    wCash& w = wCash::instance();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(QList<int>({App::PrefEditor, App::cor_r, App::cor_g, App::cor_b, App::tSenha}),
              QList<int>({1, 230, 230, 230, 0}));
    EXPECT_TRUE(recorder.shown.isEmpty());
    // No saved widths: every ledger column still gets a usable width.
    for (int i = 0; i < 6; ++i)
        EXPECT_GT(w.lMovimento->ColumnWidth(i), 20) << i;
    testsupport::screenshot(w, "startup_new_user");

    w.setGeometry(30, 140, 700, 420);
    w.lMovimento->setColumnWidths("120,100,80,90,90,70");
    App::ContaInicial = " Casa";
    App::MesInicial = "Atual";
    App::PrefEditor = false;
    App::cor_r = App::cor_b = 255; // the colours the preferences window sets: 230 or 255
    App::cor_g = 230;
    App::datahoje = "05/12/26";
    restart();

    EXPECT_EQ(prefsLines(), QStringLiteral("editarea =0|cor_r =255|cor_g =230|cor_b =255||||conta_inicio = Casa|"
                                           "mes_inicio =Atual|420|30|140|700|05/12/26|120|100|80|90|90|70")
                                .split('|'));
    EXPECT_EQ(QStringList({App::ContaInicial, App::MesInicial, App::datahoje}),
              QStringList({" Casa", "Atual", "05/12/26"}));
    EXPECT_EQ(QList<int>({App::PrefEditor, App::cor_r, App::cor_g, App::cor_b}), QList<int>({0, 255, 230, 255}));
    EXPECT_EQ(wCash::instance().geometry(), QRect(30, 140, 700, 420));
    EXPECT_EQ(wCash::instance().lMovimento->ColumnWidths(), "120,100,80,90,90,70");
}

// The quit sequence runs from the menu and again from the window's close that
// follows, or from the window's close alone: one VACUUM, one close, one write.
TEST_F(Startup, quitFromMenuThenWindowClose_orWindowCloseAlone_compactsClosesAndWritesOnce)
{
    for (const bool fromMenu : {true, false}) {
        SCOPED_TRACE(fromMenu ? "menu, then close" : "close");
        reset();
        int vacuums = 0;
        const int code = runProgram(
            [&] {
                if (fromMenu) {
                    App::_FileQuit_Action();
                    EXPECT_FALSE(App::CashDB->IsConnected());
                    // Gone now, so a second write would show; run() closes the window after the loop.
                    QFile::remove(prefsFile());
                    return;
                }
                // The whole program's window: menu bar and toolbar above the controls.
                testsupport::screenshot(*wCash::existing(), "startup_run_main_window");
                wCash::existing()->close();
            },
            &vacuums);
        EXPECT_EQ(code, 0);
        EXPECT_EQ(vacuums, 1);
        EXPECT_FALSE(App::CashDB->IsConnected());
        EXPECT_EQ(prefsLines().size(), fromMenu ? 0 : 20);
        EXPECT_FALSE(wCash::exists());
    }
}

// A start that cannot go on shows one message and ends before any window, the
// preferences file as it was: the data folder is a plain file, the data file is
// garbage, the lock row has no columns, or its stored form cannot be read.
TEST_F(Startup, unusableFolderFileOrLock_isReportedOnce_andEndsTheStartWritingNothing)
{
    const std::tuple<std::function<void()>, QString, bool> cases[] = {
        {[] { testsupport::writeFile(dataFolder(), "not a folder"); }, Module1::kMsgDB() + "\n\n", true},
        {[] { testsupport::writeFile(dataFile(), QByteArray(4096, 'x')); }, "Erro: 26\n\n", false},
        {[] { makeDatabase(dataFile(), "Banco", "CREATE VIEW pwd AS SELECT 1 AS other"); },
         "Erro: 1\n\nno such column: pcod1", true},
        {[] { makeDatabase(dataFile(), "Banco", "CREATE TABLE pwd AS SELECT '1' AS pcod1, '' AS pcod2"); },
         Module1::kMsgSenhaIlegivel(), true},
        {[] { testsupport::writeFile(dataFile()), QFile::setPermissions(dataFile(), QFile::ReadOwner); },
         "Erro: 1\n\nno such table: Contas", true}, // read-only, so without the tables it cannot be given
    };
    for (const auto& [make, message, whole] : cases) {
        SCOPED_TRACE(message.toStdString());
        removeUserFiles();
        QFile::remove(dataFolder());
        recorder.clear();
        make();
        testsupport::writeFile(prefsFile(), "editarea =0\n");
        EXPECT_EQ(runProgram([] { FAIL() << "the main window must not show"; }), 1);
        ASSERT_EQ(recorder.messages().size(), 1);
        const QString shown = recorder.messages()[0];
        EXPECT_TRUE(whole ? shown == message : shown.startsWith(message)) << shown.toStdString();
        EXPECT_EQ(prefsLines(), QStringList({"editarea =0"}));
        reset();
    }
}

// A first start on a full disk cannot make the tables: one message, exit code
// 1, no preferences written, and no file without tables left for the next
// start to open. An empty data file that a start cut short left behind is
// reported the same way, and a database beside the program stays there whole.
TEST_F(Startup, firstStartOnAFullDisk_isReportedOnce_andLeavesNoDataFileWithoutTables)
{
    const QString program = QFileInfo(testsupport::tempPath("x")).path();
    const QString legacy = program + "/Tovira.rbd";
    makeDatabase(legacy, "Poupança");
    const QByteArray legacyBytes = testsupport::readFile(legacy);
    const std::tuple<const char*, QList<std::pair<QString, QByteArray>>, bool> cases[] = {
        {"new user", {}, false},
        {"empty data file", {{"Tovira.rbd", {}}}, false},
        {"database beside the program", {}, true},
        {"journal of a start cut short", {{"Tovira.rbd-journal", QByteArray(512, 'j')}}, false},
    };
    for (const auto& [what, files, beside] : cases) {
        SCOPED_TRACE(what);
        reset();
        recorder.clear();
        removeUserFiles();
        testsupport::FullDisk disk(dataFolder(), files);
        if (!disk.mounted())
            GTEST_SKIP() << disk.reason().toStdString();
        SetApplicationFolder(beside ? program : QString());
        EXPECT_EQ(runProgram([] { ADD_FAILURE() << "the main window must not show", App::_FileQuit_Action(); }), 1);
        SetApplicationFolder(QString());
        ASSERT_EQ(recorder.messages().size(), 1) << recorder.messages().join('|').toStdString();
        EXPECT_TRUE(recorder.messages()[0].startsWith("Erro: 13\n\n")) << recorder.messages()[0].toStdString();
        EXPECT_FALSE(QFileInfo::exists(prefsFile()));
        EXPECT_FALSE(QFileInfo::exists(dataFile() + "-journal"));
        EXPECT_EQ(disk.entries(), files.value(0).first == "Tovira.rbd" ? QStringList({"Tovira.rbd"}) : QStringList());
        EXPECT_EQ(testsupport::readFile(legacy), legacyBytes);
    }

    // A complete data file on a full disk opens, and quits, all the same.
    reset();
    recorder.clear();
    removeUserFiles();
    const QByteArray complete = testsupport::readFile(testsupport::newDatabase()->DatabaseFile());
    testsupport::FullDisk disk(dataFolder(), {{"Tovira.rbd", complete}});
    if (!disk.mounted())
        GTEST_SKIP() << disk.reason().toStdString();
    start();
    EXPECT_TRUE(wCash::instance().isVisible());
    App::_FileQuit_Action();
    EXPECT_TRUE(recorder.messages().isEmpty()) << recorder.messages().join('|').toStdString();
    EXPECT_EQ(testsupport::readFile(dataFile()), complete);
}

// A first start on a disk with a little room left, however little: the start
// either opens a complete file without a word, or stops with the disk's reason
// leaving no journal, and no file that the next start could not complete.
TEST_F(Startup, firstStartOnANearlyFullDisk_opensACompleteFile_orStopsWithTheReason)
{
    int opened = 0;
    int stopped = 0;
    for (qint64 room = 0; room <= 48 * 1024; room += 4096) {
        SCOPED_TRACE(room);
        reset();
        recorder.clear();
        removeUserFiles();
        testsupport::FullDisk disk(dataFolder(), {}, room);
        if (!disk.mounted())
            GTEST_SKIP() << disk.reason().toStdString();
        if (App::Event_Open()) {
            ++opened;
            EXPECT_TRUE(recorder.messages().isEmpty()) << recorder.messages().join('|').toStdString();
            EXPECT_TRUE(db().SQLSelect("SELECT contatoplus FROM pwd, Agenda"));
            App::_FileQuit_Action();
            continue;
        }
        ++stopped;
        ASSERT_EQ(recorder.messages().size(), 1);
        EXPECT_TRUE(recorder.messages()[0].startsWith("Erro: 13\n\n")) << recorder.messages()[0].toStdString();
        EXPECT_FALSE(QFileInfo::exists(dataFile() + "-journal"));
        EXPECT_FALSE(QFileInfo::exists(prefsFile()));
    }
    reset();
    EXPECT_GT(opened, 0);
    EXPECT_GT(stopped, 0);
}

// Missing configuration folders are made with their parents; a preferences
// file that cannot be written is reported at quit; a preferences folder that
// cannot be made ends the start with a message, writing nothing.
TEST_F(Startup, preferencesFolder_isMadeWithItsParents_aFailedWriteIsReported_orItsFailureEndsTheStart)
{
    {
        const QString nested = QFileInfo(testsupport::tempPath("cfg")).path() + "/a/b/c";
        ConfigHome home(nested);
        start();
        App::_FileQuit_Action();
        EXPECT_EQ(prefsLines().size(), 20); // in the nested folder
        reset();
        start();
        // A folder where the file should be: the write fails, even for root.
        QFile::remove(prefsFile());
        ASSERT_TRUE(QDir().mkpath(prefsFile()));
        App::_FileQuit_Action();
        ASSERT_EQ(recorder.messages().size(), 1);
        EXPECT_TRUE(recorder.messages().first().startsWith(Module1::kMsgPrefsNaoGravadas()));
        EXPECT_TRUE(QFileInfo(prefsFile()).isDir());
    }
    recorder.clear();
    reset();
    const QString blocker = testsupport::tempPath("plain-file");
    testsupport::writeFile(blocker, "x");
    ConfigHome home(blocker + "/config");
    EXPECT_FALSE(App::Event_Open());
    EXPECT_EQ(recorder.messages(), QStringList({Module1::kMsgPref()}));
    EXPECT_NE(App::exitCode, 0);
    App::_FileQuit_Action(); // the window's close that follows writes nothing
    EXPECT_FALSE(QFileInfo::exists(blocker + "/config/Tovira"));
}

// Start-up moves the database kept beside the program by older versions,
// leaving an old copy; it replaces no file, and stays where a copy cannot be
// made. (The program's folder is one of the test's own: other test programs
// starting at the same time look beside themselves.)
TEST_F(Startup, databaseBesideProgram_isMovedAtStart_leavingAnOldCopy_replacingNoFile)
{
    // Either nothing is in the way, or the data folder's file or the old copy is already there.
    for (const QString& existing : {QString(), dataFile(), QStringLiteral("Tovira_OLD.rbd")}) {
        SCOPED_TRACE(existing.toStdString());
        const QString program = QFileInfo(testsupport::tempPath("x")).path();
        const QString legacy = program + "/Tovira.rbd";
        makeDatabase(legacy, "Poupança");
        if (existing.isEmpty()) {
            SetApplicationFolder(program);
            start();
            SetApplicationFolder(QString());
            EXPECT_FALSE(QFileInfo::exists(legacy));
            EXPECT_TRUE(QFileInfo(program + "/Tovira_OLD.rbd").isFile());
            EXPECT_EQ(wCash::instance().List_Contas->Text(), "Poupança");
            stop();
            continue;
        }
        const QString blocker = existing.startsWith('/') ? existing : program + '/' + existing;
        QFile::remove(dataFile());
        EnsureFolder(dataFolder());
        testsupport::writeFile(blocker, "precious");
        EXPECT_FALSE(MigrateLegacyDatabase(program, dataFile()));
        EXPECT_EQ(testsupport::readFile(blocker), "precious");
        EXPECT_TRUE(QFileInfo(legacy).isFile());
    }
}

// The file is read by position, not by key; colours are clamped.
TEST(Preferences, parse_readsByPositionNotByKey_andClampsColours)
{
    const auto linesWith = [](std::initializer_list<std::pair<int, QString>> changes) {
        QStringList lines = Preferences::format(PreferencesValues());
        for (const auto& [n, text] : changes)
            lines[n - 1] = text;
        return lines;
    };
    const PreferencesValues r = Preferences::parse(linesWith({{1, "anything 0"},
                                                              {2, "xx230"},
                                                              {3, "cor_g =999"},
                                                              {4, "cor_b =-12"},
                                                              {8, "conta_inicio = Casa"},
                                                              {9, "no equals sign"},
                                                              {10, "  412 px"}}));
    EXPECT_FALSE(r.prefEditor);
    EXPECT_EQ(QList<int>({r.cor_r, r.cor_g, r.cor_b}), QList<int>({230, 255, 0}));
    EXPECT_EQ(r.contaInicial, " Casa"); // the blank after "=" belongs to the name
    EXPECT_EQ(r.mesInicial, "no equals sign");
    EXPECT_EQ(r.height, 412);
    // A zero, unreadable or missing width brings back a usable window.
    for (const QStringList& lines : {linesWith({{13, "0"}}), linesWith({{13, "wide"}}), QStringList()})
        EXPECT_GT(Preferences::parse(lines).width, 100);
}
