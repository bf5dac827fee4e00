// The start-up password prompt, with the program started in-process and the
// lock row already written.

#include "AppFixture.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/Password.h"
#include "ledger/wCash.h"
#include "platform/Controls.h"
#include "platform/Files.h"
#include "settings/PreferencesLock.h"
#include "ui/common/wDigitaSenha.h"

#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString password = QStringLiteral("abre-te");

QString prefsFile()
{
    return PreferencesFolder() + QStringLiteral("/Tovira");
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PasswordPrompt : public AppTest
{
  protected:
    // A first run that sets the lock and quits, so each test starts a run with the lock on.
    void SetUp() override
    {
        AppTest::SetUp();
        removeUserFiles();
        start();
        ASSERT_TRUE(PreferencesLock::WriteLockRow(db(), true, CodificaSenha(password)));
        App::_FileQuit_Action();
        closeWindows();
        App::resetState();
    }
};

} // namespace

TEST_F(PasswordPrompt, lockOn_mainWindowHiddenUntilTheRightPassword_wrongOnesRefusedAsOftenAsTyped)
{
    start();
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
    bool mainShown = false;
    int vacuums = -1;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        mainShown = mainShown || (wCash::exists() && wCash::existing()->isVisible());
        if (wDigitaSenha::exists() && wDigitaSenha::existing()->isVisible()) {
            poll.stop();
            vacuums = 0;
            App::CashDB->setStatementObserver([&](const QString& sql) { vacuums += sql.startsWith("VACUUM"); });
            wDigitaSenha::existing()->bt_cancela->click();
        }
    });
    poll.start();
    const int exitCode = App::run();

    EXPECT_EQ(vacuums, 1) << "-1: the prompt never showed";
    EXPECT_FALSE(mainShown);
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(App::databaseOpen);
    EXPECT_FALSE(App::CashDB->IsConnected());
    EXPECT_EQ(readAll(prefsFile()).count('\n'), 20);
    EXPECT_TRUE(recorder.shown.isEmpty());
}

TEST_F(PasswordPrompt, closeBox_givesUpLikeCancel_andThePreferencesAreWrittenOnlyOnce)
{
    start();
    QFile::remove(prefsFile());
    wDigitaSenha& prompt = wDigitaSenha::instance();
    prompt.close();

    EXPECT_FALSE(prompt.isVisible());
    EXPECT_FALSE(wCash::instance().isVisible());
    EXPECT_TRUE(App::quitting);
    EXPECT_EQ(App::exitCode, 0);
    EXPECT_FALSE(App::databaseOpen);
    EXPECT_FALSE(App::CashDB->IsConnected());
    EXPECT_EQ(readAll(prefsFile()).count('\n'), 20);

    // The main window's close, which ends every run, neither compacts again nor rewrites the file.
    QFile::remove(prefsFile());
    wCash::instance().Close();
    EXPECT_FALSE(QFile::exists(prefsFile()));
    EXPECT_TRUE(recorder.shown.isEmpty());
}
