// The start-up password prompt, with the program started in-process and the
// lock row already written.

#include "AppFixture.h"
#include "app/Password.h"
#include "app/Schema.h"
#include "ui/common/wDigitaSenha.h"

namespace {

const QString password = QStringLiteral("abre-te");

class PasswordPrompt : public AppTest
{
  protected:
    // A first run that sets the lock and quits, so each test starts a run with the lock on.
    void SetUp() override
    {
        AppTest::SetUp();
        removeUserFiles();
        start();
        ASSERT_TRUE(Schema::WriteLockRow(db(), true, CodificaSenha(password)));
        stop();
    }
};

} // namespace

TEST_F(PasswordPrompt, lockOn_mainWindowHiddenUntilTheRightPassword_wrongOnesRefusedAsOftenAsTyped)
{
    start();
    ASSERT_TRUE(wDigitaSenha::exists());
    wDigitaSenha& prompt = wDigitaSenha::instance();
    EXPECT_TRUE(prompt.isVisible());
    EXPECT_FALSE(wCash::exists() && wCash::existing()->isVisible());
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
    EXPECT_FALSE(wCash::exists() && wCash::existing()->isVisible());
    EXPECT_TRUE(App::databaseOpen);

    prompt.eSenha->clear();
    QTest::keyClicks(prompt.eSenha, password);
    QTest::keyClick(prompt.eSenha, Qt::Key_Return);
    EXPECT_EQ(recorder.messages().size(), 4);
    EXPECT_FALSE(prompt.isVisible());
    EXPECT_TRUE(wCash::instance().isVisible());
    EXPECT_EQ(prompt.eSenha->Text(), QString()); // the password is not kept
}

// Cancel, or the close box, ends the program: the database is compacted and
// closed once, the preferences are written once, the main window never shows.
TEST_F(PasswordPrompt, cancelOrCloseBox_compactsAndClosesTheDatabase_writesPreferencesOnce_andEndsTheProgram)
{
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        closeWindows();
        App::resetState();
        start();
        ASSERT_TRUE(wDigitaSenha::exists() && wDigitaSenha::instance().isVisible());
        int vacuums = 0;
        App::CashDB->setStatementObserver([&](const QString& sql) { vacuums += sql.startsWith("VACUUM"); });
        QFile::remove(prefsFile());
        if (closeBox)
            wDigitaSenha::instance().close();
        else
            wDigitaSenha::instance().bt_cancela->click();
        EXPECT_EQ(prefsLines().size(), 20);
        QFile::remove(prefsFile());
        App::_FileQuit_Action(); // the main window's close that follows writes nothing more
        EXPECT_TRUE(App::quitting);
        EXPECT_EQ(App::exitCode, 0);
        EXPECT_EQ(vacuums, 1);
        EXPECT_FALSE(wCash::exists() && wCash::existing()->isVisible());
        EXPECT_FALSE(App::databaseOpen || App::CashDB->IsConnected());
        EXPECT_FALSE(QFile::exists(prefsFile()));
        EXPECT_TRUE(recorder.shown.isEmpty());
    }
}
