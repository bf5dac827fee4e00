// The start-up password prompt, with the program started in-process and the
// lock row already written.

#include "Recorder.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/Password.h"
#include "ledger/wCash.h"
#include "platform/Controls.h"
#include "platform/Database.h"
#include "platform/Files.h"
#include "settings/PreferencesLock.h"
#include "settings/wPreferencias.h"
#include "ui/common/wDigitaSenha.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString password = QStringLiteral("abre-te");

QString dataFile()
{
    return DocumentsFolder() + QStringLiteral("/Tovira/Tovira.rbd");
}

QString prefsFile()
{
    return PreferencesFolder() + QStringLiteral("/Tovira");
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void overwrite(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

int freePages(const QString& path)
{
    SQLDatabase db;
    db.setDatabaseFile(path);
    EXPECT_TRUE(db.Connect());
    auto rs = db.SQLSelect(QStringLiteral("PRAGMA freelist_count"));
    EXPECT_TRUE(rs);
    return rs ? int(rs->IdxField(1).IntegerValue()) : -1;
}

class PasswordPrompt : public ::testing::Test
{
  protected:
    // A first run that sets the lock and quits, so each test starts a run with the lock on.
    void SetUp() override
    {
        forgetRun();
        QDir(DocumentsFolder() + QStringLiteral("/Tovira")).removeRecursively();
        QFile::remove(prefsFile());
        ASSERT_TRUE(App::Event_Open());
        ASSERT_TRUE(PreferencesLock::WriteLockRow(*App::CashDB, true, CodificaSenha(password)));
        App::_FileQuit_Action();
        forgetRun();
    }
    void TearDown() override { forgetRun(); }

    static void forgetRun()
    {
        delete wPreferencias::existing();
        delete wDigitaSenha::existing();
        App::resetState();
    }

    // Leaves pages that only a compaction gives back.
    static void leaveFreePages()
    {
        SQLDatabase db;
        db.setDatabaseFile(dataFile());
        ASSERT_TRUE(db.Connect());
        testsupport::exec(db, "CREATE TABLE scratch (x)");
        testsupport::exec(db, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200) "
                              "INSERT INTO scratch SELECT randomblob(4000) FROM n");
        testsupport::exec(db, "DROP TABLE scratch");
        db.Close();
        ASSERT_GT(freePages(dataFile()), 0);
    }

    Recorder recorder;
};

} // namespace

TEST_F(PasswordPrompt, lockOn_mainWindowHiddenUntilTheRightPassword_wrongOnesRefusedAsOftenAsTyped)
{
    ASSERT_TRUE(App::Event_Open());
    ASSERT_TRUE(wDigitaSenha::exists());
    wDigitaSenha& prompt = wDigitaSenha::instance();
    EXPECT_TRUE(prompt.isVisible());
    EXPECT_FALSE(wCash::instance().isVisible());
    EXPECT_EQ(prompt.eSenha->echoMode(), QLineEdit::Password);
    testsupport::screenshot(prompt, "password_prompt");

    // An empty field, then wrong passwords, by button and by Return.
    prompt.bt_ok->click();
    for (const char* wrong : {"errada", "Abre-te", "abre-te "}) {
        prompt.eSenha->clear();
        QTest::keyClicks(prompt.eSenha, QLatin1String(wrong));
        QTest::keyClick(prompt.eSenha, Qt::Key_Return);
        EXPECT_EQ(prompt.eSenha->Text(), QLatin1String(wrong)); // the typed text stays for correcting
    }
    EXPECT_EQ(recorder.messages(), QStringList(4, QStringLiteral("Senha não confere")));
    EXPECT_EQ(prompt.focusWidget(), prompt.eSenha);
    EXPECT_TRUE(prompt.isVisible());
    EXPECT_FALSE(wCash::instance().isVisible());
    EXPECT_TRUE(App::databaseOpen);

    prompt.eSenha->clear();
    QTest::keyClicks(prompt.eSenha, password);
    QTest::keyClick(prompt.eSenha, Qt::Key_Return);
    EXPECT_EQ(recorder.messages().size(), 4);
    EXPECT_FALSE(prompt.isVisible());
    EXPECT_TRUE(wCash::instance().isVisible());
    EXPECT_EQ(prompt.eSenha->Text(), QString()); // the password is not kept
}

TEST_F(PasswordPrompt, cancel_compactsAndClosesTheDatabaseAndEndsTheProgram)
{
    leaveFreePages();
    bool sawPrompt = false;
    bool mainShown = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (wCash::exists() && wCash::existing()->isVisible())
            mainShown = true;
        if (wDigitaSenha::exists() && wDigitaSenha::existing()->isVisible()) {
            sawPrompt = true;
            poll.stop();
            wDigitaSenha::existing()->bt_cancela->click();
        }
    });
    poll.start();
    const int exitCode = App::run();

    EXPECT_TRUE(sawPrompt);
    EXPECT_FALSE(mainShown);
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(App::databaseOpen);
    EXPECT_FALSE(App::CashDB->IsConnected());
    EXPECT_EQ(freePages(dataFile()), 0);
    EXPECT_TRUE(App::prefsWritten);
    EXPECT_FALSE(readAll(prefsFile()).isEmpty());
    EXPECT_TRUE(recorder.shown.isEmpty());
}

TEST_F(PasswordPrompt, closeBox_givesUpLikeCancel_andThePreferencesAreWrittenOnlyOnce)
{
    ASSERT_TRUE(App::Event_Open());
    QFile::remove(prefsFile());
    wDigitaSenha& prompt = wDigitaSenha::instance();
    prompt.close();

    EXPECT_FALSE(prompt.isVisible());
    EXPECT_FALSE(wCash::instance().isVisible());
    EXPECT_TRUE(App::quitting);
    EXPECT_EQ(App::exitCode, 0);
    EXPECT_FALSE(App::databaseOpen);
    EXPECT_FALSE(App::CashDB->IsConnected());
    const QByteArray written = readAll(prefsFile());
    EXPECT_EQ(written.count('\n'), 20);

    // The main window's close, which ends every run, neither compacts again nor rewrites the file.
    overwrite(prefsFile(), "left alone\n");
    wCash::instance().Close();
    EXPECT_EQ(readAll(prefsFile()), QByteArray("left alone\n"));
    EXPECT_TRUE(recorder.shown.isEmpty());
}
