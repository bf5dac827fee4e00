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
    static void saveNew(const QString& amount)
    {
        main().NovoMovimento();
        select(wTransacoes::instance().sCategoria, "Mercado");
        wTransacoes::instance().tValor->setText(amount);
        click(wTransacoes::instance().PushButton1);
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
TEST_F(DataFile, everyChange_isOnDiskWhenItsCommandReturns)
{
    start();
    SQLDatabase other;
    other.setDatabaseFile(dataFile());
    ASSERT_TRUE(other.Connect());
    const auto account = [](bool rename, const QString& name) {
        if (rename)
            doubleClickRow(main().List_Contas, "Banco");
        else
            click(main().BevelButton1);
        wContas::instance().tConta->setText(name);
        click(wContas::instance().btok);
    };
    const QList<std::tuple<std::function<void()>, QString, QString>> changes = {
        {[] { saveNew("7"); }, "SELECT sum(entrada) FROM Movimento", "7"},
        {[] {
             main().lMovimento->setListIndex(1);
             main().AlteraMovimento();
             wTransacoes::instance().tValor->setText("8");
             click(wTransacoes::instance().PushButton1);
         },
         "SELECT sum(entrada) FROM Movimento", "8"},
        {[] { main().lMovimento->setListIndex(1), main().ApagaMovimento(); }, "SELECT count(*) FROM Movimento", "1"},
        {[&] { account(false, "Poupança"); }, "SELECT count(*) FROM Contas", "3"},
        {[&] { account(true, "Banco 2"); }, "SELECT conta_nome FROM Movimento", "Banco 2"},
        {[] { select(main().List_Contas, "Casa"), main().BevelButton3_Action(); }, "SELECT count(*) FROM Contas", "2"},
        {[] {
             wPreferencias::ShowFromMenu();
             wPreferencias::instance().cHabilitaSenha->setChecked(true);
             wPreferencias::instance().edSenha->setText("segredo");
             wPreferencias::instance().edSenha2->setText("segredo");
             click(wPreferencias::instance().PushButton1);
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
}

TEST_F(DataFile, aReaderElsewhere_delaysASave_butDoesNotFailIt)
{
    start();
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
    saveNew("3");
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
        [] { saveNew("7"); },
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
    EXPECT_FALSE(typePassword("bcd"));
    EXPECT_TRUE(typePassword("abc"));
    EXPECT_EQ(recorder.messages(), QStringList(5, "Senha não confere"));
    EXPECT_TRUE(ConfereSenha("Senhã", "Vhqkæ") && ConfereSenha("ab", "jk") && !ConfereSenha("ab", "kl"));
}
