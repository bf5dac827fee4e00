// An open transaction window meets rows and names that were changed or
// deleted elsewhere while it was open: it never stores a second copy, a
// deleted row or a name that no register holds.

#include "LedgerFixture.h"
#include "TestSupport.h"
#include "app/App.h"
#include "ledger/wCash.h"
#include "ledger/wTransacoes.h"
#include "platform/Controls.h"
#include "platform/Listbox.h"
#include "registers/wCategorias.h"
#include "registers/wContas.h"
#include "registers/wContatos.h"
#include "registers/wEditaContato.h"
#include "ui/common/Module1.h"

#include <QPushButton>
#include <QTest>

using OpenWindows = TransactionTest;

TEST_F(OpenWindows, editedRowDeletedMeanwhile_storesNothingAndSaysSo)
{
    // Deleted in the main window; or by another program, which then added a
    // row that was given the same id.
    for (const bool elsewhere : {false, true}) {
        SCOPED_TRACE(elsewhere ? "another program" : "main window");
        exec("DELETE FROM Movimento");
        recorder.clear();
        addTransaction("Banco", "Casa", "Loja", "2026-03-05", "", "10", "Não", "a");
        const QString id = addTransaction("Banco", "Casa", "Loja", "2026-03-06", "", "20", "Não", "b");
        wTransacoes& w = edit("b");
        w.tValor->setText("25");
        if (elsewhere) {
            exec("DELETE FROM Movimento WHERE id = " + id);
            exec("INSERT INTO Movimento (conta_nome, conta, data, entrada) VALUES ('Banco', 'Mercado', '2026-04-01', "
                 "7)");
        } else {
            main->lMovimento->setListIndex(ledgerRow("b"));
            main->ApagaMovimento();
        }
        click(w.PushButton1);
        EXPECT_EQ(recorder.messages(), QStringList({"O movimento não existe mais."}));
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(testsupport::column(db(), "SELECT comentarios FROM Movimento WHERE saida = 25"), QStringList());
        EXPECT_EQ(rowCount(), elsewhere ? 2 : 1);
    }
}

TEST_F(OpenWindows, chosenAccountOrCategoryRenamedMeanwhile_isAskedForAgain)
{
    struct Case
    {
        bool account;
        const char* warning;
    };
    for (const Case c : {Case{true, "Selecione uma conta"}, Case{false, "Selecione uma categoria"}}) {
        SCOPED_TRACE(c.warning);
        recorder.clear();
        const QString from = c.account ? "Banco" : "Casa";
        const QString to = from + " Novo";
        addTransaction("Banco", "Casa", "Loja", "2026-03-05", "", "10", "Não", "x");
        wTransacoes& w = edit("x");
        w.tValor->setText("11");
        PopupMenu* popup = c.account ? w.sContas : w.sCategoria;
        // Renamed in its register window, which carries the new name into the row.
        if (c.account) {
            doubleClickRow(main->List_Contas, from);
            wContas::instance().tConta->setText(to);
            click(wContas::instance().btok);
        } else {
            doubleClickRow(main->List_Categorias, from);
            wCategorias::instance().conta_descricao->setText(to);
            click(wCategorias::instance().btok);
        }
        recorder.clear();
        click(w.PushButton1);
        EXPECT_EQ(recorder.shown.value(0).text, c.warning);
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(rows(popup).contains(to));
        EXPECT_FALSE(rows(popup).contains(from));
        EXPECT_EQ(popup->ListIndex(), -1);
        EXPECT_EQ(w.tValor->Text(), "11");

        select(popup, to);
        click(w.PushButton1);
        EXPECT_FALSE(w.isVisible());
        ASSERT_EQ(storedRows().size(), 1);
        EXPECT_EQ(storedRows()[0].mid(0, 2), c.account ? QStringList({to, "Casa"}) : QStringList({"Banco", to}));
        EXPECT_EQ(storedRows()[0][5], "11");
        // Back to the fixture's names for the next case.
        exec("DELETE FROM Movimento");
        exec(c.account ? "UPDATE Contas SET nome = 'Banco' WHERE nome = 'Banco Novo'"
                       : "UPDATE Categorias SET descricao = 'Casa' WHERE descricao = 'Casa Novo'");
        main->CarregaContas();
    }
}

TEST_F(OpenWindows, newTransactionForAnAccountDeletedMeanwhile_isRefused)
{
    main->NovoMovimento();
    wTransacoes& w = wTransacoes::instance();
    ASSERT_EQ(w.sContas->Text(), "Banco");
    select(w.sCategoria, "Casa");
    w.tValor->setText("5");
    main->BevelButton3_Action(); // "-" under the accounts, Banco selected, confirmed
    ASSERT_FALSE(rows(main->List_Contas).contains("Banco"));
    recorder.clear();
    click(w.PushButton1);
    EXPECT_EQ(recorder.messages(), QStringList({"Selecione uma conta"}));
    EXPECT_EQ(rowCount(), 0);
    EXPECT_EQ(rows(w.sContas), QStringList({"Carteira", "Inserir..."}));
    EXPECT_EQ(w.sContas->ListIndex(), -1);
    EXPECT_EQ(w.sCategoria->Text(), "Casa");
}

TEST_F(OpenWindows, editKeepsTheRowsOwnCategoryAndContact_evenWhenNoRegisterHoldsThem)
{
    addTransaction("Banco", "Importada", "Zé", "2026-03-05", "", "10", "Não", "x");
    // Another program renames the contact in the row; the ledger still shows the old name.
    exec("UPDATE Movimento SET contato = 'Zeca'");
    wTransacoes& w = edit("x");
    EXPECT_EQ(w.sCategoria->Text(), "Importada");
    EXPECT_EQ(w.sContato->Text(), "Zeca");
    EXPECT_EQ(rows(w.sContato).last(), "Inserir...");
    w.tValor->clear();
    QTest::keyClicks(w.tValor, "12,5");
    click(w.PushButton1);
    EXPECT_TRUE(recorder.shown.isEmpty());
    EXPECT_EQ(storedRows(),
              QList<QStringList>({{"Banco", "Importada", "Zeca", "2026-03-05", "NULL", "12.5", "Não", "x"}}));
}

TEST_F(OpenWindows, contactRename_reloadsTheLedger)
{
    addTransaction("Banco", "Casa", "Padaria", "2026-03-05", "", "10", "Não", "x");
    wContatos& list = wContatos::instance();
    list.Show();
    doubleClickRow(list.ListBox1, "Padaria");
    wEditaContato& editor = wEditaContato::instance();
    editor.tNome->setText("Padoca");
    click(editor.btOK);
    EXPECT_EQ(main->lMovimento->Cell(ledgerRow("x"), 1), "Padoca");
}

TEST_F(OpenWindows, doubleClickBelowTheNames_addsANameInsteadOfRenamingOne)
{
    struct Case
    {
        Listbox* list;
        const char* table;
    };
    for (const Case& c : {Case{main->List_Contas, "SELECT nome FROM Contas ORDER BY nome"},
                          Case{main->List_Categorias, "SELECT descricao FROM Categorias ORDER BY descricao"}}) {
        SCOPED_TRACE(c.table);
        const bool accounts = c.list == main->List_Contas;
        const QPoint below(10, c.list->viewport()->height() - 4);
        QTest::mouseClick(c.list->viewport(), Qt::LeftButton, {}, below);
        QTest::mouseDClick(c.list->viewport(), Qt::LeftButton, {}, below);
        EXPECT_EQ(accounts ? Module1::contaopcao : Module1::categoriaopcao, "i");
        if (accounts) {
            ASSERT_TRUE(wContas::instance().isVisible());
            wContas::instance().tConta->setText("Nova");
            click(wContas::instance().btok);
        } else {
            ASSERT_TRUE(wCategorias::instance().isVisible());
            EXPECT_EQ(wCategorias::instance().conta_descricao->Text(), "");
            wCategorias::instance().conta_descricao->setText("Nova");
            click(wCategorias::instance().btok);
        }
        const QStringList names = testsupport::column(db(), c.table);
        EXPECT_EQ(names.size(), 3);
        EXPECT_TRUE(names.contains("Nova"));
    }
}

TEST_F(OpenWindows, failedSave_keepsTheWindowOpenWithEverythingTyped_andTheNextOkStores)
{
    const QString id = addTransaction("Banco", "Casa", "Loja", "2026-03-05", "", "10", "Não", "x");
    for (const bool change : {false, true}) {
        SCOPED_TRACE(change ? "change" : "new");
        recorder.clear();
        if (change) {
            edit("x");
        } else {
            main->NovoMovimento();
            select(wTransacoes::instance().sCategoria, "Mercado");
        }
        wTransacoes& w = wTransacoes::instance();
        w.tValor->setText("77");
        w.tComentarios->setText("typed");
        testsupport::failOn(db(), "INSERT", "Movimento", "disk full");
        click(w.PushButton1);
        EXPECT_EQ(recorder.messages(), QStringList({"Erro: 19\n\ndisk full"}));
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.tValor->Text(), "77");
        EXPECT_EQ(w.tComentarios->Text(), "typed");
        EXPECT_EQ(testsupport::column(db(), "SELECT id FROM Movimento WHERE saida = 10"), QStringList({id}));

        exec("DROP TRIGGER fail_INSERT_Movimento");
        click(w.PushButton1);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(testsupport::column(db(), "SELECT count(*) FROM Movimento WHERE comentarios = 'typed'"),
                  QStringList({change ? "2" : "1"}));
    }
    // The change replaced its row.
    EXPECT_EQ(rowCount(), 2);
    EXPECT_EQ(testsupport::column(db(), "SELECT id FROM Movimento WHERE saida = 10"), QStringList());
}
