// The main window's account and category commands.

#include "RegisterFixture.h"

#include "registers/wCategorias.h"

using MainWindowRegisters = RegisterTest;

// Each delete asks first: cancel keeps, OK removes the name and its transactions, and the ledger drops them.
TEST_F(MainWindowRegisters, deleteAccountThenCategory_asksFirst_cancelKeeps_okRemovesItAndItsTransactions_orNothing)
{
    select(main->List_Contas, "Casa");
    recorder.answers.enqueue(false);
    click(main->BevelButton3);
    ASSERT_EQ(recorder.shown.size(), 1);
    EXPECT_EQ(recorder.shown[0].text + "|" + recorder.shown[0].title,
              "Todos os movimentos da Conta serão apagados! Confirma?|Confirma?");
    EXPECT_TRUE(recorder.shown[0].showCancel);
    EXPECT_EQ(names("Contas", "nome"), QStringList({"Banco", "Casa"}));
    EXPECT_EQ(names("Movimento", "id").size(), 5);

    click(main->BevelButton3);
    EXPECT_EQ(names("Contas", "nome"), QStringList({"Banco"}));
    EXPECT_EQ(names("Movimento", "id"), QStringList({"1", "4", "5"}));
    EXPECT_EQ(rows(main->List_Contas), QStringList({"Banco"}));
    EXPECT_EQ(main->List_Contas->Text(), "Banco");

    ASSERT_EQ(main->lMovimento->ListCount(), 2);
    select(main->List_Categorias, "Lazer");
    click(main->BevelButton6);
    EXPECT_EQ(recorder.confirmations().last(), "Todos os movimentos da Categoria serão apagados! Confirma?");
    EXPECT_EQ(names("Categorias", "descricao"), QStringList({"Mercado"}));
    EXPECT_EQ(names("Movimento", "id"), QStringList({"1", "4"}));
    EXPECT_EQ(rows(main->List_Categorias), QStringList({"Mercado"}));
    EXPECT_EQ(main->lMovimento->ListCount(), 1);
    EXPECT_EQ(agenda("categoria"), QStringList({"Lazer", "Mercado", ""}));

    // Nothing selected: a warning; a failing delete: the database's error; and nothing is deleted.
    recorder.clear();
    testsupport::failOn(db(), "DELETE", "Movimento", "mantido");
    click(main->BevelButton3);
    select(main->List_Categorias, "Mercado");
    click(main->BevelButton6);
    EXPECT_EQ(recorder.messages(), QStringList({"Erro: 19\n\nmantido", "Erro: 19\n\nmantido"}));
    main->List_Categorias->setListIndex(-1);
    click(main->BevelButton6);
    exec("DELETE FROM Contas");
    main->CarregaContas();
    click(main->BevelButton3);
    EXPECT_EQ(recorder.confirmations().mid(2), QStringList({"Selecione uma categoria", "Selecione uma conta"}));
    EXPECT_EQ(recorder.shown.last().title, "Aviso");
    EXPECT_EQ(names("Categorias", "descricao"), QStringList({"Mercado"}));
    EXPECT_EQ(names("Movimento", "id"), QStringList({"1", "4"}));
}
