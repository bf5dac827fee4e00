#include "RegisterFixture.h"

#include "registers/wCategorias.h"

using CategoryWindow = RegisterTest;

// A rename asks nothing; the window it ends, opened again by the menu, inserts.
TEST_F(CategoryWindow, doubleClickRename_asksNothingAndFollowsIntoTheLedger_thenTheMenuOpeningAndPlusInsert)
{
    doubleClickRow(main->List_Categorias, "Mercado");
    wCategorias& window = wCategorias::instance();
    EXPECT_EQ(Module1::categoriaopcao, "a");
    EXPECT_EQ(window.conta_descricao->Text(), "Mercado");
    testsupport::screenshot(window, "wCategorias");
    window.conta_descricao->setText("Feira");
    click(window.btok);
    EXPECT_TRUE(recorder.shown.isEmpty());
    EXPECT_EQ(names("Categorias", "descricao"), QStringList({"Feira", "Lazer"}));
    EXPECT_EQ(ids("conta", "Feira"), QStringList({"1", "3", "4"}));
    EXPECT_EQ(agenda("categoria") + ids("conta_nome", "Casa"), QStringList({"Lazer", "Feira", "", "2", "3"}));
    // A renamed category is stored as a new bare row.
    EXPECT_EQ(testsupport::column(db(), "SELECT conta FROM Categorias WHERE descricao = 'Feira'"), QStringList{"NULL"});
    EXPECT_EQ(rows(main->List_Categorias), QStringList({"Feira", "Lazer"}));
    EXPECT_FALSE(wCategorias::exists());
    EXPECT_EQ(Module1::categoriaopcao, "i");

    doubleClickRow(main->List_Categorias, "Lazer");
    click(wCategorias::instance().bt_fecha1);
    wCategorias::instance().Show();
    EXPECT_EQ(wCategorias::instance().conta_descricao->Text(), "Feira"); // the first is selected
    wCategorias::instance().conta_descricao->setText("Viagem");
    click(wCategorias::instance().btok);
    EXPECT_EQ(names("Categorias", "descricao"), QStringList({"Feira", "Lazer", "Viagem"}));
    EXPECT_EQ(ids("conta", "Lazer"), QStringList({"2", "5"}));

    // "+" inserts with conta 1, refusing taken and blank names.
    recorder.clear();
    for (const char* name : {"Saúde", "Lazer", "  "}) {
        click(main->BevelButton5);
        EXPECT_TRUE(wCategorias::exists() && wCategorias::instance().conta_descricao->Text().isEmpty());
        wCategorias::instance().conta_descricao->setText(name);
        click(wCategorias::instance().btok);
    }
    EXPECT_EQ(names("Categorias", "descricao"), QStringList({"Feira", "Lazer", "Saúde", "Viagem"}));
    EXPECT_EQ(testsupport::column(db(), "SELECT conta FROM Categorias WHERE descricao = 'Saúde'"), QStringList{"1"});
    EXPECT_EQ(recorder.messages(), QStringList({"Categoria já existe!"}));
    EXPECT_EQ(recorder.confirmations(), QStringList({"Categoria Inválida"}));
    EXPECT_EQ(rows(main->List_Categorias), QStringList({"Feira", "Lazer", "Saúde", "Viagem"}));
}
