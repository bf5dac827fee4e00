#include "RegisterWindowFixture.h"
#include "TestSupport.h"

#include "app/App.h"
#include "ledger/wCash.h"
#include "platform/Controls.h"
#include "platform/Listbox.h"
#include "registers/wCategorias.h"
#include "registers/wContas.h"
#include "registers/wContatos.h"
#include "ui/common/Module1.h"

#include <QPushButton>

using registertest::column;
using registertest::ledgerIds;
using Ids = QList<qint64>;

using MainWindowRegisters = RegisterWindowTest;

TEST_F(MainWindowRegisters, deleteAccount_asksFirst_cancelKeeps_okRemovesItAndItsTransactions)
{
    main->List_Contas->setListIndex(rowOf(*main->List_Contas, "Casa"));
    recorder.answers.enqueue(false);
    click(main->BevelButton3);
    ASSERT_EQ(recorder.shown.size(), 1);
    EXPECT_EQ(recorder.shown[0].text, "Todos os movimentos da Conta serão apagados! Confirma?");
    EXPECT_EQ(recorder.shown[0].title, "Confirma?");
    EXPECT_TRUE(recorder.shown[0].showCancel);
    EXPECT_EQ(column(db(), "Contas", "nome"), QStringList({"Banco", "Casa"}));
    EXPECT_EQ(column(db(), "Movimento", "id").size(), 5);

    click(main->BevelButton3);
    EXPECT_EQ(column(db(), "Contas", "nome"), QStringList({"Banco"}));
    EXPECT_EQ(column(db(), "Movimento", "id"), QStringList({"1", "4", "5"}));
    EXPECT_EQ(rows(*main->List_Contas), QStringList({"Banco"}));
    EXPECT_EQ(main->List_Contas->Text(), "Banco");
}

TEST_F(MainWindowRegisters, deleteCategory_removesItsTransactionsAndTheLedgerDropsThem)
{
    ASSERT_EQ(ledgerRowsOf("Banco"), 2);
    main->List_Categorias->setListIndex(rowOf(*main->List_Categorias, "Lazer"));
    click(main->BevelButton6);
    EXPECT_EQ(recorder.confirmations(), QStringList({"Todos os movimentos da Categoria serão apagados! Confirma?"}));
    EXPECT_EQ(column(db(), "Categorias", "descricao"), QStringList({"Mercado"}));
    EXPECT_EQ(column(db(), "Movimento", "id"), QStringList({"1", "3", "4"}));
    EXPECT_EQ(rows(*main->List_Categorias), QStringList({"Mercado"}));
    EXPECT_EQ(main->lMovimento->ListCount(), 1);
    EXPECT_EQ(column(db(), "Agenda", "categoria", false), QStringList({"Lazer", "Mercado", ""}));
}

TEST_F(MainWindowRegisters, deleteWithNothingSelected_warnsAndDeletesNothing)
{
    main->List_Categorias->setListIndex(-1);
    click(main->BevelButton6);
    testsupport::exec(db(), "DELETE FROM Contas");
    main->CarregaContas();
    click(main->BevelButton3);
    EXPECT_EQ(recorder.confirmations(), QStringList({"Selecione uma categoria", "Selecione uma conta"}));
    EXPECT_EQ(recorder.shown.last().title, "Aviso");
    EXPECT_EQ(column(db(), "Movimento", "id").size(), 5);
}

TEST_F(MainWindowRegisters, namesWithQuotes_deleteExactlyTheirOwnRows)
{
    testsupport::exec(db(), "INSERT INTO Contas (nome) VALUES ('D''Ávila'), ('x'' OR ''1''=''1')");
    testsupport::exec(db(), "INSERT INTO Movimento (id, conta_nome) VALUES (10, 'D''Ávila'), (11, 'x'' OR ''1''=''1')");
    main->CarregaContas();
    for (const QString& name : {QStringLiteral("x' OR '1'='1"), QStringLiteral("D'Ávila")}) {
        main->List_Contas->setListIndex(rowOf(*main->List_Contas, name));
        click(main->BevelButton3);
    }
    EXPECT_EQ(column(db(), "Contas", "nome"), QStringList({"Banco", "Casa"}));
    EXPECT_EQ(column(db(), "Movimento", "id").size(), 5);
}

TEST_F(MainWindowRegisters, failedDelete_isReportedAndChangesNothing)
{
    testsupport::exec(db(), "CREATE TRIGGER keep BEFORE DELETE ON Movimento BEGIN SELECT RAISE(ABORT, 'mantido'); END");
    main->List_Contas->setListIndex(rowOf(*main->List_Contas, "Casa"));
    click(main->BevelButton3);
    main->List_Categorias->setListIndex(rowOf(*main->List_Categorias, "Lazer"));
    click(main->BevelButton6);
    EXPECT_EQ(recorder.messages(), QStringList({"Erro: 19\n\nmantido", "Erro: 19\n\nmantido"}));
    EXPECT_EQ(column(db(), "Contas", "nome"), QStringList({"Banco", "Casa"}));
    EXPECT_EQ(column(db(), "Categorias", "descricao"), QStringList({"Lazer", "Mercado"}));
}

TEST_F(MainWindowRegisters, doubleClickOnEqualTwins_selectsTheLastInTheRegister)
{
    testsupport::exec(db(), "INSERT INTO Categorias (conta, descricao) VALUES ('1', 'Lazer')");
    main->CarregaCategorias();
    doubleClickRow(*main->List_Categorias, "Lazer");
    EXPECT_EQ(wCategorias::instance().ListBox1->ListIndex(), 1);
    EXPECT_EQ(Module1::categoriaopcao, "a");
}

TEST_F(MainWindowRegisters, toolbar_opensTheContactListForItsItemOnly)
{
    main->Toolbar11_Action("ToolItem1");
    main->Toolbar11_Action("mcontas");
    EXPECT_FALSE(wContatos::exists());
    EXPECT_FALSE(wContas::exists());
    main->Toolbar11_Action("mcontatos");
    ASSERT_TRUE(wContatos::exists());
    EXPECT_TRUE(wContatos::instance().isVisible());
}
