// The start-up lock as data files hold it: the earlier stored form still
// opens and is replaced by the salted hash; a lock that cannot be read or
// checked never opens the ledger. And the start-up month is written back as
// it was read.

#include "AppFixture.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/Password.h"
#include "ledger/wCash.h"
#include "platform/Controls.h"
#include "platform/Database.h"
#include "platform/Files.h"
#include "ui/common/Module1.h"
#include "ui/common/wDigitaSenha.h"

#include <QPushButton>
#include <QTest>

namespace {

// Every character code raised by `shift`, as earlier versions stored a password.
QString raised(const QString& password, uint shift)
{
    QString out;
    for (const uint code : password.toUcs4())
        out += QString::fromUcs4(std::u32string(1, char32_t(code + shift)).c_str(), 1);
    return out;
}

class Lock : public AppTest
{
  protected:
    // A data file whose lock row holds `stored` (null: no lock row), then a new run started on it.
    void startWithLock(const QString& stored, const QStringList& prefsLines = {})
    {
        closeWindows();
        App::resetState();
        removeUserFiles();
        start();
        exec("DELETE FROM pwd");
        if (!stored.isNull()) {
            ASSERT_TRUE(db().SQLExecute("INSERT INTO pwd (pcod1, pcod2) VALUES ('1', ?)", {stored}));
        }
        App::_FileQuit_Action();
        closeWindows();
        App::resetState();
        if (!prefsLines.isEmpty()) {
            ASSERT_TRUE(WriteTextLines(PreferencesFolder() + "/Tovira", prefsLines));
        }
        recorder.clear();
        started = App::Event_Open();
    }
    static QStringList lockRows() { return testsupport::column(db(), "SELECT pcod2 FROM pwd"); }
    static bool type(const QString& password)
    {
        wDigitaSenha& prompt = wDigitaSenha::instance();
        prompt.eSenha->clear();
        QTest::keyClicks(prompt.eSenha, password);
        click(prompt.bt_ok);
        return wCash::instance().isVisible();
    }

    bool started = false;
};

} // namespace

TEST_F(Lock, earlierStoredForm_opensWithItsPassword_andIsReplacedByASaltedHash)
{
    startWithLock("def");
    ASSERT_TRUE(started);
    ASSERT_TRUE(wDigitaSenha::instance().isVisible());
    // The stored form itself, characters raised by different amounts, a lower one.
    for (const char* wrong : {"def", "abd", "ABC", "klm", ""})
        EXPECT_FALSE(type(wrong)) << wrong;
    EXPECT_EQ(recorder.messages(), QStringList(5, "Senha não confere"));
    EXPECT_EQ(lockRows(), QStringList({"def"}));

    EXPECT_TRUE(type("abc"));
    const QStringList rows = lockRows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(StoredFormOf(rows[0]), StoredForm::Hash);
    EXPECT_TRUE(ConfereSenha("abc", rows[0]));
    EXPECT_EQ(App::cSenha, rows[0]);
    EXPECT_FALSE(db().InTransaction());

    // The next run asks for the same password against the hash; the other
    // passwords that the earlier form could not tell from it are gone.
    restart();
    EXPECT_FALSE(type("def"));
    EXPECT_FALSE(type("bcd"));
    EXPECT_TRUE(type("abc"));
}

TEST_F(Lock, earlierStoredForm_anyShiftFromOneToNine_noOther)
{
    const QString password = QStringLiteral("Senhã 1 ✓");
    for (const uint shift : {1u, 4u, 9u}) {
        SCOPED_TRACE(shift);
        EXPECT_TRUE(ConfereSenha(password, raised(password, shift)));
    }
    for (const uint shift : {0u, 10u, 32u}) {
        SCOPED_TRACE(shift);
        EXPECT_FALSE(ConfereSenha(password, raised(password, shift)));
    }
    // Every character raised by the same amount, and the whole password.
    EXPECT_FALSE(ConfereSenha("abc", "bdf"));
    EXPECT_FALSE(ConfereSenha("abc", "bc"));
    EXPECT_FALSE(ConfereSenha("ab", "bcd"));
}

TEST_F(Lock, earlierStoredFormThatCannotBeReplaced_stillOpens_andTheFailureIsReported)
{
    startWithLock("def");
    testsupport::failOn(db(), "INSERT", "pwd", "disk full");
    EXPECT_TRUE(type("abc"));
    EXPECT_EQ(recorder.messages(), QStringList({"Erro: 19\n\ndisk full"}));
    EXPECT_EQ(lockRows(), QStringList({"def"}));
}

TEST_F(Lock, emptyOrBrokenStoredForm_isReported_andTheProgramEndsWithoutTheLedger)
{
    for (const QString& stored : {QString(""), QString("pbkdf2-sha256$120000$$"), QString("pbkdf2-sha256$x$y$z")}) {
        SCOPED_TRACE(stored.toStdString());
        startWithLock(stored);
        EXPECT_FALSE(started);
        EXPECT_EQ(App::exitCode, 1);
        EXPECT_EQ(recorder.messages(), QStringList({Module1::kMsgSenhaIlegivel()}));
        EXPECT_FALSE(wCash::instance().isVisible());
        EXPECT_FALSE(wDigitaSenha::exists() && wDigitaSenha::instance().isVisible());
        EXPECT_FALSE(App::CashDB->IsConnected());
    }
}

TEST_F(Lock, noLockRow_isNoLock)
{
    startWithLock(QString());
    EXPECT_TRUE(started);
    EXPECT_EQ(App::tSenha, 0);
    EXPECT_TRUE(wCash::instance().isVisible());
    EXPECT_TRUE(recorder.shown.isEmpty());
}

TEST_F(Lock, startMonth_isWrittenBackAsRead_untilTheUserChangesIt)
{
    for (const QString& month : {QString("Brumário"), QString(), QString("Atual")}) {
        SCOPED_TRACE(month.toStdString());
        QStringList lines = QStringList(20, QString());
        lines[8] = "mes_inicio =" + month;
        lines[12] = "744";
        startWithLock(QString(), lines);
        EXPECT_EQ(App::MesInicial, month);
        App::_FileQuit_Action();
        QStringList written;
        ASSERT_TRUE(ReadTextLines(PreferencesFolder() + "/Tovira", written));
        EXPECT_EQ(written.value(8), "mes_inicio =" + month);
    }
}
