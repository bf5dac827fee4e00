#include "RegisterFixture.h"

#include "registers/wContas.h"

namespace {

class AccountWindow : public RegisterTest
{
  protected:
    void renameCasa(const QString& to)
    {
        doubleClickRow(main->List_Contas, "Casa");
        wContas::instance().tConta->setText(to);
        click(wContas::instance().btok);
    }
};

} // namespace

TEST_F(AccountWindow,
       renameRefusedCancelledOrFailing_changesNothing_otherOpeningsInsert_aRenameRewritesItsRows_plusInserts)
{
    renameCasa("Casa");
    EXPECT_EQ(recorder.messages(), QStringList({"Conta já existe!"}));
    click(wContas::instance().bt_fecha);
    recorder.answers.enqueue(false);
    renameCasa("Outra");
    EXPECT_FALSE(wContas::exists());
    testsupport::failOn(db(), "INSERT", "Contas", "sem contas novas");
    renameCasa("Casa Nova");
    EXPECT_EQ(recorder.messages().last(), "Erro: 19\n\nsem contas novas");
    EXPECT_EQ(names("Contas", "nome"), QStringList({"Banco", "Casa"}));
    EXPECT_EQ(ids("conta_nome", "Casa"), QStringList({"2", "3"}));
    EXPECT_EQ(agenda("conta"), QStringList({"Casa", "Banco", ""}));
    EXPECT_FALSE(db().InTransaction());

    // Cancel or "+" after a double-click, or a window opened by a menu command
    // while the flag still says "rename", insert.
    exec("DROP TRIGGER fail_INSERT_Contas");
    recorder.clear();
    doubleClickRow(main->List_Contas, "Banco");
    click(wContas::instance().bt_fecha);
    EXPECT_EQ(Module1::contaopcao, "i");
    doubleClickRow(main->List_Contas, "Casa");
    click(main->BevelButton1);
    EXPECT_EQ(Module1::contaopcao, "i");
    wContas::instance().tConta->setText("Poupança");
    click(wContas::instance().btok);
    Module1::contaopcao = "a";
    wContas::instance().Show();
    EXPECT_EQ(wContas::instance().lContas->ListIndex(), -1);
    wContas::instance().tConta->setText("Carteira");
    click(wContas::instance().btok);
    EXPECT_EQ(names("Contas", "nome"), QStringList({"Banco", "Carteira", "Casa", "Poupança"}));
    EXPECT_EQ(ids("conta_nome", ""), QStringList({"4"}));
    EXPECT_TRUE(recorder.shown.isEmpty());

    // A double-click renames, asking first, exactly Casa's rows; the ledger follows.
    doubleClickRow(main->List_Contas, "Casa");
    ASSERT_TRUE(wContas::exists());
    EXPECT_EQ(Module1::contaopcao, "a");
    EXPECT_EQ(wContas::instance().tConta->Text(), "Casa");
    testsupport::screenshot(wContas::instance(), "wContas");
    wContas::instance().tConta->setText("Casa Nova");
    click(wContas::instance().btok);
    ASSERT_EQ(recorder.shown.size(), 1);
    EXPECT_EQ(recorder.shown[0].text + "|" + recorder.shown[0].title, Module1::kMsgConfirmaAlteracao() + "|Confirma?");
    EXPECT_EQ(names("Contas", "nome"), QStringList({"Banco", "Carteira", "Casa Nova", "Poupança"}));
    EXPECT_EQ(ids("conta_nome", "Casa Nova"), QStringList({"2", "3"}));
    EXPECT_EQ(agenda("conta") + agenda("categoria"), QStringList({"Casa Nova", "Banco", "", "Lazer", "Mercado", ""}));
    // OK ends the window and puts the mode back to insert.
    EXPECT_FALSE(wContas::exists());
    EXPECT_EQ(Module1::contaopcao, "i");
    select(main->List_Contas, "Casa Nova");
    EXPECT_EQ(main->lMovimento->ListCount(), 2);

    // "+" inserts as typed and refuses taken and blank names.
    recorder.clear();
    for (const char* name : {" Banco", "Banco", "   "}) {
        click(main->BevelButton1);
        EXPECT_TRUE(wContas::exists());
        wContas::instance().tConta->setText(name);
        click(wContas::instance().btok);
    }
    EXPECT_EQ(names("Contas", "nome"), QStringList({" Banco", "Banco", "Carteira", "Casa Nova", "Poupança"}));
    EXPECT_EQ(recorder.messages(), QStringList({"Conta já existe!"}));
    EXPECT_EQ(recorder.confirmations(), QStringList({"Conta Inválida"}));
    EXPECT_EQ(recorder.shown.last().title, "Aviso");
    EXPECT_EQ(rows(main->List_Contas), QStringList({" Banco", "Banco", "Carteira", "Casa Nova", "Poupança"}));
}
