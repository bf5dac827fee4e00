// The data file as other programs and the file system see it: every change
// is on disk when its command returns, a reader elsewhere only delays a save,
// a damaged file is never written, and a file that cannot be written is read.

#include "AppFixture.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/Schema.h"
#include "ledger/wCash.h"
#include "ledger/wTransacoes.h"
#include "platform/Controls.h"
#include "platform/Database.h"
#include "platform/Files.h"
#include "platform/Listbox.h"
#include "registers/wCategorias.h"
#include "registers/wContas.h"
#include "registers/wContatos.h"
#include "registers/wEditaContato.h"
#include "settings/wPreferencias.h"
#include "ui/common/Module1.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <future>
#include <thread>

namespace {

QString dataFile()
{
    return DocumentsFolder() + "/Tovira/Tovira.rbd";
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class DataFile : public AppTest
{
  protected:
    // A first run that leaves a data file with names and two transactions, and quits.
    void SetUp() override
    {
        AppTest::SetUp();
        removeUserFiles();
        start();
        addAccounts({"Banco", "Casa"});
        addCategories({"Mercado"});
        addContacts({"Ana"});
        addTransaction("Banco", "Mercado", "Ana", "2026-12-01", "", "10", "Não", "a");
        addTransaction("Banco", "Mercado", "Ana", "2026-12-02", "5", "", "Não", "b");
        App::_FileQuit_Action();
        closeWindows();
        App::resetState();
        recorder.clear();
    }
    void TearDown() override
    {
        QFile::setPermissions(dataFile(), QFile::ReadOwner | QFile::WriteOwner);
        AppTest::TearDown();
    }
    static wCash& main() { return wCash::instance(); }
    static void selectLedgerRow(const QString& comment)
    {
        Listbox& ledger = *main().lMovimento;
        for (int row = 0; row < ledger.ListCount(); ++row)
            if (ledger.Cell(row, 8) == comment)
                ledger.setListIndex(row);
    }
    static void newDebit(const QString& amount, const QString& comment)
    {
        main().NovoMovimento();
        wTransacoes& w = wTransacoes::instance();
        select(w.sCategoria, "Mercado");
        w.sTipo->setListIndex(1);
        w.tValor->setText(amount);
        w.tComentarios->setText(comment);
        click(w.PushButton1);
    }
};

} // namespace

// Each kind of change, then a second connection (another program) reads it
// and can write at once: nothing of ours is pending or holds the file.
TEST_F(DataFile, everyChange_isOnDiskWhenItsCommandReturns)
{
    start();
    select(main().sAno, Module1::kTodos2());
    SQLDatabase other;
    other.setDatabaseFile(dataFile());
    ASSERT_TRUE(other.Connect());
    struct Change
    {
        const char* what;
        std::function<void()> run;
        const char* query;
        QStringList expected;
    };
    const QList<Change> changes = {
        {"transaction insert",
         [] { newDebit("7", "c"); },
         "SELECT saida FROM Movimento WHERE comentarios = 'c'",
         {"7"}},
        {"transaction change",
         [] {
             selectLedgerRow("c");
             main().AlteraMovimento();
             wTransacoes::instance().tValor->setText("8");
             click(wTransacoes::instance().PushButton1);
         },
         "SELECT saida FROM Movimento WHERE comentarios = 'c'",
         {"8"}},
        {"transaction delete",
         [] {
             selectLedgerRow("c");
             main().ApagaMovimento();
         },
         "SELECT count(*) FROM Movimento WHERE comentarios = 'c'",
         {"0"}},
        {"account insert",
         [] {
             click(main().BevelButton1);
             wContas::instance().tConta->setText("Poupança");
             click(wContas::instance().btok);
         },
         "SELECT nome FROM Contas ORDER BY nome",
         {"Banco", "Casa", "Poupança"}},
        {"account rename",
         [] {
             doubleClickRow(main().List_Contas, "Banco");
             wContas::instance().tConta->setText("Banco 2");
             click(wContas::instance().btok);
         },
         "SELECT DISTINCT conta_nome FROM Movimento",
         {"Banco 2"}},
        {"account delete",
         [] {
             select(main().List_Contas, "Casa");
             main().BevelButton3_Action();
         },
         "SELECT nome FROM Contas ORDER BY nome",
         {"Banco 2", "Poupança"}},
        {"category insert and rename",
         [] {
             click(main().BevelButton5);
             wCategorias::instance().conta_descricao->setText("Lazer");
             click(wCategorias::instance().btok);
             doubleClickRow(main().List_Categorias, "Mercado");
             wCategorias::instance().conta_descricao->setText("Feira");
             click(wCategorias::instance().btok);
         },
         "SELECT DISTINCT conta FROM Movimento",
         {"Feira"}},
        {"category delete",
         [] {
             select(main().List_Categorias, "Lazer");
             main().BevelButton6_Action();
         },
         "SELECT descricao FROM Categorias",
         {"Feira"}},
        {"contact insert, rename and delete",
         [] {
             wContatos& list = wContatos::instance();
             list.Show();
             click(list.BevelButton1);
             wEditaContato::instance().tNome->setText("Bia");
             click(wEditaContato::instance().btOK);
             doubleClickRow(list.ListBox1, "Ana");
             wEditaContato::instance().tNome->setText("Aninha");
             click(wEditaContato::instance().btOK);
             select(list.ListBox1, "Bia");
             click(list.BevelButton2);
         },
         "SELECT nome FROM Contatos UNION ALL SELECT DISTINCT contato FROM Movimento",
         {"Aninha", "Aninha"}},
        {"lock",
         [] {
             wPreferencias::ShowFromMenu();
             wPreferencias& w = wPreferencias::instance();
             w.cHabilitaSenha->setChecked(true);
             w.edSenha->setText("segredo");
             w.edSenha2->setText("segredo");
             click(w.PushButton1);
         },
         "SELECT count(*) FROM pwd WHERE pcod1 = '1'",
         {"1"}},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        change.run();
        EXPECT_FALSE(db().InTransaction());
        EXPECT_EQ(testsupport::column(other, change.query), change.expected);
        EXPECT_TRUE(other.SQLExecute("BEGIN EXCLUSIVE")) << other.ErrorMessage().toStdString();
        EXPECT_TRUE(other.SQLExecute("COMMIT"));
    }
    EXPECT_TRUE(recorder.messages().isEmpty()) << recorder.messages().join('|').toStdString();
}

// Another program reading the file holds back our commit for a moment; the
// save waits for it instead of failing.
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
    newDebit("3", "during a read");
    reader.join();
    EXPECT_TRUE(recorder.messages().isEmpty()) << recorder.messages().join('|').toStdString();
    EXPECT_FALSE(wTransacoes::instance().isVisible());
    EXPECT_EQ(testsupport::column(db(), "SELECT saida FROM Movimento WHERE comentarios = 'during a read'"),
              QStringList({"3"}));
}

TEST_F(DataFile, damagedPage_isReportedOnce_andTheFileIsNeverWritten)
{
    {
        SQLDatabase db;
        db.setDatabaseFile(dataFile());
        ASSERT_TRUE(db.Connect());
        Transaction tx(db);
        for (int i = 0; i < 3000; ++i)
            db.SQLExecute("INSERT INTO Movimento (conta_nome, data, comentarios) VALUES ('Banco', '2026-01-01', ?)",
                          {QString(40, QChar('x' + i % 3))});
        ASSERT_TRUE(tx.commit());
    }
    // A page in the middle of the ledger's rows: the file still opens.
    QByteArray bytes = bytesOf(dataFile());
    const int page = 4096;
    ASSERT_GT(bytes.size(), 20 * page);
    bytes.replace(10 * page, page, QByteArray(page, '\xa5'));
    {
        QFile file(dataFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    const QByteArray prefs = bytesOf(PreferencesFolder() + "/Tovira");

    EXPECT_FALSE(App::Event_Open());
    App::_FileQuit_Action(); // the main window's close that ends the run
    EXPECT_EQ(App::exitCode, 1);
    ASSERT_EQ(recorder.messages().size(), 1);
    EXPECT_TRUE(recorder.messages()[0].startsWith("Erro: 11\n\n")) << recorder.messages()[0].toStdString();
    EXPECT_FALSE(wCash::instance().isVisible());
    EXPECT_EQ(bytesOf(dataFile()), bytes);
    EXPECT_EQ(bytesOf(PreferencesFolder() + "/Tovira"), prefs);
}

TEST_F(DataFile, readOnlyFile_isReadAndReportedOnce_everyWriteRefusedWithAMessage)
{
    ASSERT_TRUE(QFile::setPermissions(dataFile(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QByteArray before = bytesOf(dataFile());
    ASSERT_TRUE(App::Event_Open());
    EXPECT_TRUE(App::readOnly);
    EXPECT_EQ(recorder.messages(), QStringList({Module1::kMsgArquivoSomenteLeitura() + "\n\n" + dataFile()}));
    EXPECT_TRUE(main().isVisible());
    EXPECT_EQ(main().lMovimento->ListCount(), 2);

    const QString refusal = Module1::kMsgSomenteLeitura();
    const QList<std::function<void()>> writes = {
        [] { newDebit("7", "c"); },
        [] {
            selectLedgerRow("a");
            main().AlteraMovimento();
            click(wTransacoes::instance().PushButton1);
        },
        [] {
            selectLedgerRow("a");
            main().ApagaMovimento();
        },
        [] {
            click(main().BevelButton1);
            wContas::instance().tConta->setText("Poupança");
            click(wContas::instance().btok);
        },
        [] {
            select(main().List_Categorias, "Mercado");
            main().BevelButton6_Action();
        },
        [] {
            wContatos::instance().Show();
            doubleClickRow(wContatos::instance().ListBox1, "Ana");
            wEditaContato::instance().tNome->setText("Aninha");
            click(wEditaContato::instance().btOK);
        },
        [] {
            wPreferencias::ShowFromMenu();
            click(wPreferencias::instance().PushButton1);
        },
    };
    for (int i = 0; i < writes.size(); ++i) {
        SCOPED_TRACE(i);
        recorder.clear();
        writes[i]();
        EXPECT_EQ(recorder.messages(), QStringList({refusal}));
        EXPECT_TRUE(recorder.confirmations().isEmpty()) << "refused before any question";
    }
    EXPECT_TRUE(wTransacoes::instance().isVisible()) << "the refused entry stays on screen";
    App::_FileQuit_Action();
    EXPECT_EQ(bytesOf(dataFile()), before);
}

TEST_F(DataFile, readOnlyOlderFileWithoutTheLockTable_opensWithoutALock)
{
    QFile::remove(dataFile());
    {
        SQLDatabase db;
        db.setDatabaseFile(dataFile());
        ASSERT_TRUE(db.CreateDatabaseFile());
        ASSERT_TRUE(Schema::Create(db));
    }
    ASSERT_TRUE(QFile::setPermissions(dataFile(), QFile::ReadOwner));
    ASSERT_TRUE(App::Event_Open());
    EXPECT_EQ(App::tSenha, 0);
    EXPECT_TRUE(main().isVisible());
    EXPECT_EQ(recorder.messages().size(), 1);
}
