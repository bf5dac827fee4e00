// The data file as other programs and the file system see it, and the lock
// row as older files hold it. Each test starts a run on a file that a first
// run left with two accounts, a category, a contact and one transaction.

#include "AppFixture.h"
#include "app/Password.h"
#include "registers/wContas.h"
#include "schedule/wAgenda.h"
#include "schedule/wAgendaLista.h"
#include "settings/wPreferencias.h"
#include "ui/common/wDigitaSenha.h"

#include <future>
#include <thread>

namespace {

using testsupport::readFile;

class DataFile : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        removeUserFiles();
        start();
        addAccounts({"Banco", "Casa"});
        addCategories({"Mercado"});
        addContacts({"Ana"});
        addTransaction("Banco", "Mercado", "Ana", "2026-12-01", "", "10", "Não", "a");
        stop();
    }
    void TearDown() override
    {
        QFile::setPermissions(dataFile(), QFile::ReadOwner | QFile::WriteOwner);
        AppTest::TearDown();
    }
    // SQL on the file, as another program runs it before this run starts.
    static void before(const QString& sql, const QVariantList& values = {})
    {
        SQLDatabase other;
        other.setDatabaseFile(dataFile());
        ASSERT_TRUE(other.Connect() && other.SQLExecute(sql, values)) << other.ErrorMessage().toStdString();
    }
    static wCash& main() { return wCash::instance(); }
    // A new transaction, or the ledger's second row edited, saved with this amount.
    static void save(const QString& amount, bool edit = false)
    {
        if (edit)
            main().lMovimento->setListIndex(1), main().AlteraMovimento();
        else
            main().NovoMovimento(), select(wTransacoes::instance().sCategoria, "Mercado");
        wTransacoes::instance().tValor->setText(amount);
        click(wTransacoes::instance().PushButton1);
    }
    static void nameAccount(const QString& name)
    {
        wContas::instance().tConta->setText(name);
        click(wContas::instance().btok);
    }
    static bool typePassword(const QString& password)
    {
        wDigitaSenha::instance().eSenha->setText(password);
        click(wDigitaSenha::instance().bt_ok);
        return main().isVisible();
    }
};

} // namespace

// After each kind of change another program finds it, and can write at once.
TEST_F(DataFile, everyChange_isOnDiskWhenItsCommandReturns_aReaderElsewhereDelaysASaveButDoesNotFailIt)
{
    start();
    SQLDatabase other;
    other.setDatabaseFile(dataFile());
    ASSERT_TRUE(other.Connect());
    const QList<std::tuple<std::function<void()>, QString, QString>> changes = {
        {[] { save("7"); }, "SELECT sum(entrada) FROM Movimento", "7"},
        {[] { save("8", true); }, "SELECT sum(entrada) FROM Movimento", "8"},
        {[] { main().lMovimento->setListIndex(1), main().ApagaMovimento(); }, "SELECT count(*) FROM Movimento", "1"},
        {[] { click(main().BevelButton1), nameAccount("Poupança"); }, "SELECT count(*) FROM Contas", "3"},
        {[] { doubleClickRow(main().List_Contas, "Banco"), nameAccount("Banco 2"); },
         "SELECT conta_nome FROM Movimento", "Banco 2"},
        {[] { select(main().List_Contas, "Casa"), main().BevelButton3_Action(); }, "SELECT count(*) FROM Contas", "2"},
        {[] {
             wPreferencias::ShowFromMenu();
             wPreferencias& w = wPreferencias::instance();
             w.cHabilitaSenha->setChecked(true), w.edSenha->setText("segredo"), w.edSenha2->setText("segredo");
             click(w.PushButton1);
         },
         "SELECT count(*) FROM pwd", "1"},
    };
    for (const auto& [change, query, expected] : changes) {
        SCOPED_TRACE(query.toStdString());
        change();
        EXPECT_FALSE(db().InTransaction());
        EXPECT_EQ(testsupport::column(other, query), QStringList{expected});
        EXPECT_TRUE(other.SQLExecute("BEGIN EXCLUSIVE") && other.SQLExecute("COMMIT"));
    }
    EXPECT_TRUE(recorder.messages().isEmpty()) << recorder.messages().join('|').toStdString();

    // A reader elsewhere delays a save but does not fail it.
    std::promise<void> reading;
    std::thread reader([&reading] {
        SQLDatabase other;
        other.setDatabaseFile(dataFile());
        other.Connect();
        other.SQLExecute("BEGIN");
        other.SQLSelect("SELECT count(*) FROM Movimento");
        reading.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.SQLExecute("COMMIT");
    });
    reading.get_future().wait();
    save("3");
    reader.join();
    EXPECT_TRUE(recorder.messages().isEmpty()) << recorder.messages().join('|').toStdString();
    EXPECT_EQ(testsupport::column(db(), "SELECT entrada FROM Movimento WHERE entrada = 3").size(), 1);
}

TEST_F(DataFile, damagedPage_isReportedOnce_andTheFileIsNeverWritten)
{
    before("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
           "INSERT INTO Movimento (comentarios) SELECT printf('%040d', i) FROM n");
    QByteArray bytes = readFile(dataFile());
    ASSERT_GT(bytes.size(), 20 * 4096);
    bytes.replace(10 * 4096, 4096, QByteArray(4096, '\xa5'));
    QFile file(dataFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    EXPECT_FALSE(App::Event_Open());
    App::_FileQuit_Action(); // the main window's close that ends the run
    EXPECT_EQ(App::exitCode, 1);
    ASSERT_EQ(recorder.messages().size(), 1);
    EXPECT_TRUE(recorder.messages()[0].startsWith("Erro: 11\n\n")) << recorder.messages()[0].toStdString();
    EXPECT_FALSE(main().isVisible());
    EXPECT_EQ(readFile(dataFile()), bytes);
}

// An older file without the lock table, read-only: no lock, the ledger shows, a
// schedule due since the last start is not posted, nothing is written.
TEST_F(DataFile, readOnlyFile_isReadAndReportedOnce_everyWriteRefusedWithAMessage)
{
    before("DROP TABLE pwd");
    before("INSERT INTO Agenda VALUES ('Banco', 'Mercado', 'Débito', '2026-12-01', '5', 'Mensalmente', '')");
    ASSERT_TRUE(QFile::setPermissions(dataFile(), QFile::ReadOwner | QFile::ReadGroup));
    const QByteArray bytes = readFile(dataFile());
    recorder.todayDate = recorder.todayDate.addDays(1);
    ASSERT_TRUE(App::Event_Open());
    EXPECT_EQ(recorder.messages(), QStringList({Module1::kMsgArquivoSomenteLeitura() + "\n\n" + dataFile()}));
    EXPECT_EQ(main().lMovimento->ListCount(), 1);
    EXPECT_EQ(App::datahoje, "05/12/26"); // the next start posts it
    main().Toolbar11_Action("magendamento");
    wAgendaLista::instance().lAgendamento->setListIndex(0);
    const QList<std::function<void()>> writes = {
        [] { save("7"); },
        [] { main().lMovimento->setListIndex(0), main().ApagaMovimento(); },
        [] { click(main().BevelButton1), click(wContas::instance().btok); },
        [] { wPreferencias::ShowFromMenu(), click(wPreferencias::instance().PushButton1); },
        [] { click(wAgendaLista::instance().bt_apaga); },
        [] { wAgenda::instance().bt_insere_Action(); },
        [] { App::_Importaofx_Action(); },
        [] { App::ImportaDados(); },
    };
    for (const auto& write : writes) {
        recorder.clear();
        write();
        EXPECT_EQ(recorder.shown.size(), 1);
        EXPECT_EQ(recorder.messages(), QStringList({Module1::kMsgSomenteLeitura()}));
    }
    App::_FileQuit_Action();
    EXPECT_EQ(readFile(dataFile()), bytes);
}

// The lock: the main window stays hidden until the right password, each wrong
// one refused as often as typed (by button or Return) with the typed text kept
// for correcting. A lock row in the earlier form opens with its password and is
// replaced by a salted hash.
TEST_F(DataFile, earlierLockForm_opensWithItsPassword_andIsReplacedByASaltedHash)
{
    before("INSERT INTO pwd (pcod1, pcod2) VALUES ('1', 'def')"); // "abc", each code raised by 3
    start();
    for (const char* wrong : {"def", "abd", "ABC", ""})
        EXPECT_FALSE(typePassword(wrong)) << wrong;
    EXPECT_TRUE(typePassword("abc"));
    const QStringList rows = testsupport::column(db(), "SELECT pcod2 FROM pwd");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(StoredFormOf(rows[0]), StoredForm::Hash);
    restart();
    wDigitaSenha& prompt = wDigitaSenha::instance();
    EXPECT_TRUE(prompt.isVisible());
    EXPECT_EQ(prompt.eSenha->echoMode(), QLineEdit::Password);
    testsupport::screenshot(prompt, "password_prompt");
    for (const char* typed : {"bcd", "abc ", "abc"}) {
        prompt.eSenha->clear();
        QTest::keyClicks(prompt.eSenha, QLatin1String(typed));
        QTest::keyClick(prompt.eSenha, Qt::Key_Return);
        if (QLatin1String(typed) != "abc") {
            EXPECT_EQ(prompt.eSenha->Text(), QLatin1String(typed));
            EXPECT_EQ(prompt.focusWidget(), prompt.eSenha);
            EXPECT_TRUE(prompt.isVisible() && App::databaseOpen);
            EXPECT_FALSE(main().isVisible());
        }
    }
    EXPECT_FALSE(prompt.isVisible());
    EXPECT_TRUE(main().isVisible());
    EXPECT_EQ(prompt.eSenha->Text(), QString()); // the password is not kept
    EXPECT_EQ(recorder.messages(), QStringList(6, "Senha não confere"));
    EXPECT_TRUE(ConfereSenha("Senhã", "Vhqkæ") && ConfereSenha("ab", "jk") && !ConfereSenha("ab", "kl"));
}

// Cancel, or the close box, ends the program: the database is compacted and
// closed once, the preferences are written once, the main window never shows.
TEST_F(DataFile, lockPromptCancelOrCloseBox_compactsAndClosesTheDatabase_writesPreferencesOnce_endsTheProgram)
{
    before("INSERT INTO pwd (pcod1, pcod2) VALUES ('1', 'def')");
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        reset();
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
