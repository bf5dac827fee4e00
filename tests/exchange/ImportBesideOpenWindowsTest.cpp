// A text import while the user has windows open: it stores its rows and names
// without touching them, and each window's OK then stores what the user put
// in it; and an import against a data file another program holds.

#include "AppFixture.h"
#include "exchange/wImporta.h"
#include "registers/wCategorias.h"
#include "registers/wContas.h"

#include <QElapsedTimer>
#include <memory>

using testsupport::newFile;

namespace {

class ImportBesideOpenWindows : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        openDatabase();
        addAccounts({"Banco"});
        addCategories({"Casa", "Geral"});
        addTransaction("Banco", "Casa", "  -  ", "2026-03-07", "", "10", "Sim", "antes");
        App::MesInicial = Module1::kTodos2();
        main = &openMain();
    }

    // One line: a credit of 500,00 on 10/04/26 into a new account, category and contact.
    void importOneLine()
    {
        recorder.fileNames << newFile("Poupança\tGeral\tAna\t10/04/26\t500,00\t0\n");
        App::ImportaDados();
        click(wImporta::instance().btImporta);
        EXPECT_EQ(recorder.messages().value(0), "Total Importado:  1");
        recorder.clear();
    }

    // What the transaction window shows, field by field.
    static QStringList shown(const wTransacoes& w)
    {
        return {w.sContas->Text(),      w.sCategoria->Text(),
                w.sContato->Text(),     w.sTipo->Text(),
                w.tValor->Text(),       w.tData->Text(),
                w.tComentarios->Text(), w.cConciliado->isChecked() ? "Sim" : "Não"};
    }

    static const inline QStringList imported = {"Poupança", "Geral", "Ana", "2026-04-10", "500", "NULL", "Não", ""};
    wCash* main = nullptr;
};

} // namespace

TEST_F(ImportBesideOpenWindows, editWindowKeptOpen_keepsItsValues_andItsOkChangesItsOwnRow)
{
    doubleClickRow(main->lMovimento, "Casa");
    wTransacoes& w = wTransacoes::instance();
    ASSERT_TRUE(w.isVisible());
    w.tComentarios->setText("depois");
    const QStringList before = shown(w);
    EXPECT_EQ(before, QStringList({"Banco", "Casa", "  -  ", "Débito", "10.00", "07/03/2026", "depois", "Sim"}));

    importOneLine();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(shown(w), before);
    // The pop-ups offer the imported names, the choices made stay.
    EXPECT_TRUE(rows(w.sContas).contains("Poupança") && rows(w.sContato).contains("Ana"));

    click(w.PushButton1);
    EXPECT_TRUE(recorder.shown.isEmpty());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(storedRows(),
              QList<QStringList>({imported, {"Banco", "Casa", "  -  ", "2026-03-07", "NULL", "10", "Sim", "depois"}}));
}

TEST_F(ImportBesideOpenWindows, newTransactionAndRegisterWindowsKeptOpen_keepWhatWasTyped_andStoreItOnce)
{
    main->NovoMovimento();
    wTransacoes& w = wTransacoes::instance();
    select(w.sCategoria, "Casa");
    w.sTipo->setListIndex(1);
    QTest::keyClicks(w.tValor, "1.234,56");
    w.tData->selectAll();
    QTest::keyClicks(w.tData, "05/03/26");
    w.tComentarios->setText("mercado");
    const QStringList before = shown(w);

    // The account window opened for a rename, a new name typed over the old.
    doubleClickRow(main->List_Contas, "Banco");
    wContas& accounts = wContas::instance();
    ASSERT_EQ(accounts.tConta->Text(), "Banco");
    accounts.tConta->setText("Banco Central");
    App::_mCategorias_Action();
    wCategorias& categories = wCategorias::instance();
    categories.conta_descricao->setText("Lazer");

    importOneLine();
    EXPECT_EQ(shown(w), before);
    EXPECT_TRUE(w.isVisible() && accounts.isVisible() && categories.isVisible());
    EXPECT_EQ(rows(accounts.lContas), QStringList({"Banco", "Poupança"}));
    EXPECT_EQ(QStringList({accounts.lContas->Text(), accounts.tConta->Text()}),
              QStringList({"Banco", "Banco Central"}));
    EXPECT_EQ(categories.conta_descricao->Text(), "Lazer");
    testsupport::screenshot(w, "wTransacoes_afterImport");

    click(w.PushButton1);
    EXPECT_TRUE(recorder.shown.isEmpty());
    EXPECT_EQ(storedRows(),
              QList<QStringList>({{"Banco", "Casa", "  -  ", "2026-03-07", "NULL", "10", "Sim", "antes"},
                                  imported,
                                  {"Banco", "Casa", "  -  ", "2026-03-05", "NULL", "1234.56", "Não", "mercado"}}));
    click(accounts.btok);
    EXPECT_EQ(testsupport::column(db(), "SELECT nome FROM Contas ORDER BY nome"),
              QStringList({"Banco Central", "Poupança"}));
}

// Another program holds the data file: the import waits for it once, tells it
// once, stores nothing, and the lists still show what the file holds.
TEST_F(ImportBesideOpenWindows, fileHeldElsewhere_isWaitedForOnce_andToldOnce)
{
    QByteArray lines;
    for (int i = 1; i <= 400; ++i)
        lines += QStringLiteral("Conta %1\tGeral\tAna\t10/04/26\t%1\t0\n").arg(i).toUtf8();
    recorder.fileNames << newFile(lines);
    App::ImportaDados();
    constexpr int timeout = 300;
    {
        testsupport::FileHeldElsewhere held(db());
        db().setBusyTimeout(timeout);
        QElapsedTimer waited;
        waited.start();
        click(wImporta::instance().btImporta);
        EXPECT_LT(waited.elapsed(), 2 * timeout);
        EXPECT_EQ(recorder.messages(), QStringList({"Erro: 5\n\ndatabase is locked"}));
        // Until the action has ended, nothing waits for the file again.
        EXPECT_EQ(db().BusyTimeout(), 0);
        QCoreApplication::processEvents();
        EXPECT_EQ(db().BusyTimeout(), timeout);
    }
    EXPECT_EQ(rows(main->List_Contas), QStringList({"Banco"}));
    EXPECT_EQ(main->lMovimento->ListCount(), 1);
    EXPECT_EQ(storedRows().size(), 1);
}

// Another program takes the data file the moment the import commits: the
// rows are stored, and the one message says so first, then that the lists
// could not be read, without waiting for the file list after list.
TEST_F(ImportBesideOpenWindows, fileHeldJustAfterTheCommit_isToldInTheOneMessage_afterTheCount)
{
    App::_mContas_Action();
    App::_mCategorias_Action();
    App::_mContatos_Action();
    main->NovoMovimento();
    QByteArray lines;
    for (int i = 1; i <= 300; ++i)
        lines += QStringLiteral("Conta %1\tGeral\tAna\t10/04/26\t%1\t0\n").arg(i).toUtf8();
    recorder.fileNames << newFile(lines);
    App::ImportaDados();
    constexpr int timeout = 300;
    std::unique_ptr<testsupport::FileHeldElsewhere> held;
    bool committed = false;
    db().setStatementObserver([&](const QString& sql) {
        if (committed && !held) {
            held = std::make_unique<testsupport::FileHeldElsewhere>(db());
            db().setBusyTimeout(timeout);
        }
        committed = committed || sql == "COMMIT";
    });
    QElapsedTimer waited;
    waited.start();
    click(wImporta::instance().btImporta);
    const qint64 elapsed = waited.elapsed();
    db().setStatementObserver(nullptr);
    ASSERT_TRUE(held);
    EXPECT_LT(elapsed, 2 * timeout);
    EXPECT_EQ(recorder.messages(), QStringList({"Total Importado:  300\n\n" + Module1::kMsgListasNaoRelidas() +
                                                "\n\nErro: 5\n\ndatabase is locked"}));
    EXPECT_TRUE(recorder.confirmations().isEmpty());
    EXPECT_FALSE(wImporta::instance().isVisible());
    held.reset();
    EXPECT_EQ(storedRows().size(), 301);
    // With the file free, the next start lists what the import stored.
    QCoreApplication::processEvents();
    closeWindows();
    main = &openMain();
    EXPECT_EQ(rows(main->List_Contas).size(), 301);
}

// Names longer than an edit field holds are stored whole, in the registers as
// in the rows, so that the lists show the rows that carry them.
TEST_F(ImportBesideOpenWindows, namesLongerThanAnEditFieldHolds_areStoredWhole)
{
    const QString account = "Conta " + QString(40000, u'a');
    const QString category = "Categoria " + QString(40000, u'c');
    const QString contact = "Contato " + QString(40000, u'n');
    recorder.fileNames << newFile(
        (QStringList{account, category, contact, "10/04/26", "5", "0"}.join('\t') + '\n').toUtf8());
    App::ImportaDados();
    click(wImporta::instance().btImporta);
    EXPECT_EQ(recorder.messages(), QStringList({"Total Importado:  1"}));
    EXPECT_EQ(testsupport::column(db(), "SELECT nome FROM Contas WHERE nome <> 'Banco'"), QStringList{account});
    EXPECT_EQ(testsupport::column(db(), "SELECT descricao FROM Categorias WHERE descricao = ?", {category}).size(), 1);
    EXPECT_EQ(testsupport::column(db(), "SELECT nome FROM Contatos"), QStringList{contact});
    EXPECT_EQ(testsupport::column(db(),
                                  "SELECT count(*) FROM Movimento WHERE conta_nome = ? AND conta = ? AND contato = ?",
                                  {account, category, contact}),
              QStringList({"1"}));
}
