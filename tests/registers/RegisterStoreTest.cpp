#include "registers/RegisterStore.h"

#include "RegisterFixture.h"

using Kind = RegisterStore::Kind;
using RegisterStoreTest = RegisterTest;

TEST_F(RegisterStoreTest, namesWithQuotes_renameAndDeleteTouchOnlyTheirOwnRows_findIsExact)
{
    addAccounts({"D'Ávila", "x' OR '1'='1"});
    addTransaction("D'Ávila", "", "", "2026-01-01", "1", "");      // id 6
    addTransaction("x' OR '1'='1", "", "", "2026-01-01", "1", ""); // id 7
    RegisterStore store(db(), Kind::Account);
    for (const QString& name : {QStringLiteral("D'Ávila"), QStringLiteral("x' OR '1'='1")}) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(store.Rename(name, "O'Neil"));
        EXPECT_TRUE(names("Contas", "nome").contains("O'Neil") && !names("Contas", "nome").contains(name));
        EXPECT_EQ(ids("conta_nome", "O'Neil"), QStringList{name.startsWith('D') ? "6" : "7"});
        ASSERT_TRUE(store.DeleteWithTransactions("O'Neil"));
        EXPECT_TRUE(ids("conta_nome", "O'Neil").isEmpty());
    }
    // Every other name and row is as it was.
    EXPECT_EQ(names("Contas", "nome"), QStringList({"Banco", "Casa"}));
    EXPECT_EQ(names("Movimento", "id"), QStringList({"1", "2", "3", "4", "5"}));

    // Find is exact, and a failed query is no free name.
    RegisterStore contacts(db(), Kind::Contact);
    EXPECT_EQ(contacts.Find("Ana"), RegisterStore::Lookup::Taken);
    EXPECT_EQ(contacts.Find("ana"), RegisterStore::Lookup::Free);
    EXPECT_EQ(contacts.Find("Ana "), RegisterStore::Lookup::Free);
    exec("DROP TABLE Contatos");
    EXPECT_EQ(contacts.Find("Zé"), RegisterStore::Lookup::QueryFailed);
    EXPECT_FALSE(contacts.Names());
}

TEST_F(RegisterStoreTest, renameFailingAtTheLastStatement_rollsBackTheLedgerToo)
{
    testsupport::failOn(db(), "UPDATE", "Agenda", "frozen");
    for (Kind kind : {Kind::Account, Kind::Category, Kind::Contact}) {
        RegisterStore store(db(), kind);
        const QString from = kind == Kind::Account ? "Casa" : kind == Kind::Category ? "Lazer" : "Bruno";
        const QString col = kind == Kind::Account ? "conta_nome" : kind == Kind::Category ? "conta" : "contato";
        const QStringList before = store.Names().value();
        const QStringList rows = ids(col, from);
        EXPECT_FALSE(store.Rename(from, "Novo"));
        EXPECT_EQ(db().ErrorMessage(), "frozen");
        EXPECT_EQ(store.Names().value(), before);
        EXPECT_EQ(ids(col, from), rows);
        EXPECT_FALSE(db().InTransaction());
    }
}
