#include "registers/RegisterStore.h"

#include "RegisterTestData.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using registertest::column;
using registertest::ledgerIds;
using testsupport::exec;
using Kind = RegisterStore::Kind;
using Ids = QList<qint64>;

namespace {

class RegisterStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = registertest::newDatabase();
        registertest::seed(*db);
    }
    QStringList agenda(const QString& col) { return column(*db, "Agenda", col, false); }

    std::unique_ptr<SQLDatabase> db;
};

} // namespace

TEST_F(RegisterStoreTest, renameAccount_rewritesExactlyItsTransactionsAndSchedules)
{
    RegisterStore store(*db, Kind::Account);
    ASSERT_TRUE(store.Rename("Casa", "Casa Nova"));
    EXPECT_EQ(column(*db, "Contas", "nome"), QStringList({"Banco", "Casa Nova"}));
    EXPECT_EQ(ledgerIds(*db, "conta_nome", "Casa Nova"), Ids({2, 3}));
    EXPECT_EQ(ledgerIds(*db, "conta_nome", "Banco"), Ids({1, 5}));
    EXPECT_EQ(ledgerIds(*db, "conta_nome", ""), Ids({4}));
    EXPECT_EQ(agenda("conta"), QStringList({"Casa Nova", "Banco", ""}));
    // The category and contact columns are other registers' names.
    EXPECT_EQ(agenda("categoria"), QStringList({"Lazer", "Mercado", ""}));
}

TEST_F(RegisterStoreTest, renameCategory_insertsBareRowAndFollowsIntoLedgerAndSchedules)
{
    RegisterStore store(*db, Kind::Category);
    ASSERT_TRUE(store.Insert("Saúde"));
    ASSERT_TRUE(store.Rename("Lazer", "Viagem"));
    auto rs = db->SQLSelect("SELECT conta FROM Categorias WHERE descricao = ?", {"Saúde"});
    ASSERT_TRUE(rs && !rs->Eof());
    EXPECT_EQ(rs->IdxField(1).StringValue(), "1");
    rs = db->SQLSelect("SELECT conta FROM Categorias WHERE descricao = ?", {"Viagem"});
    ASSERT_TRUE(rs && !rs->Eof());
    EXPECT_TRUE(rs->IdxField(1).IsNull());
    EXPECT_EQ(column(*db, "Categorias", "descricao"), QStringList({"Mercado", "Saúde", "Viagem"}));
    EXPECT_EQ(ledgerIds(*db, "conta", "Viagem"), Ids({2, 5}));
    EXPECT_EQ(agenda("categoria"), QStringList({"Viagem", "Mercado", ""}));
}

TEST_F(RegisterStoreTest, renameContact_followsIntoScheduleContactNotScheduleAmount)
{
    exec(*db, "UPDATE Agenda SET contato = 'Bruno' WHERE rowid = 2");
    RegisterStore store(*db, Kind::Contact);
    ASSERT_TRUE(store.Rename("Bruno", "Bruna"));
    EXPECT_EQ(column(*db, "Contatos", "nome"), QStringList({"Ana", "Bruna"}));
    EXPECT_EQ(ledgerIds(*db, "contato", "Bruna"), Ids({2}));
    EXPECT_EQ(agenda("contatoplus"), QStringList({"Bruna", "Ana", ""}));
    EXPECT_EQ(agenda("contato"), QStringList({"50", "Bruno", "1"}));
}

TEST_F(RegisterStoreTest, namesWithQuotes_renameAndDeleteTouchOnlyTheirOwnRows)
{
    for (const QString& name : {QStringLiteral("D'Ávila"), QStringLiteral("x' OR '1'='1")}) {
        SCOPED_TRACE(name.toStdString());
        SetUp();
        exec(*db, "INSERT INTO Contas (nome) VALUES ('D''Ávila'), ('x'' OR ''1''=''1')");
        exec(*db, "INSERT INTO Movimento (id, conta_nome) VALUES (10, 'D''Ávila'), (11, 'x'' OR ''1''=''1')");
        RegisterStore store(*db, Kind::Account);
        ASSERT_TRUE(store.Rename(name, "O'Neil"));
        EXPECT_EQ(column(*db, "Contas", "nome").size(), 4);
        EXPECT_EQ(ledgerIds(*db, "conta_nome", "O'Neil"), Ids({name.startsWith('D') ? 10 : 11}));
        EXPECT_EQ(ledgerIds(*db, "conta_nome", "Casa"), Ids({2, 3}));

        ASSERT_TRUE(store.DeleteWithTransactions("O'Neil"));
        EXPECT_EQ(column(*db, "Contas", "nome").size(), 3);
        EXPECT_EQ(ledgerIds(*db, "conta_nome", "O'Neil"), Ids());
        EXPECT_EQ(column(*db, "Movimento", "id").size(), 6);
    }
}


TEST_F(RegisterStoreTest, renameFailingAtTheLastStatement_rollsBackTheLedgerToo)
{
    exec(*db, "CREATE TRIGGER frozen BEFORE UPDATE ON Agenda BEGIN SELECT RAISE(ABORT, 'frozen'); END");
    for (Kind kind : {Kind::Account, Kind::Category, Kind::Contact}) {
        RegisterStore store(*db, kind);
        const QString from = kind == Kind::Account ? "Casa" : kind == Kind::Category ? "Lazer" : "Bruno";
        const QString col = kind == Kind::Account ? "conta_nome" : kind == Kind::Category ? "conta" : "contato";
        const QStringList before = store.Names().value();
        const Ids rows = ledgerIds(*db, col, from);
        EXPECT_FALSE(store.Rename(from, "Novo"));
        EXPECT_EQ(db->ErrorMessage(), "frozen");
        EXPECT_EQ(store.Names().value(), before);
        EXPECT_EQ(ledgerIds(*db, col, from), rows);
    }
}

TEST_F(RegisterStoreTest, deleteWithTransactions_removesEveryDateOfThatNameOnly)
{
    RegisterStore accounts(*db, Kind::Account);
    ASSERT_TRUE(accounts.DeleteWithTransactions("Casa"));
    EXPECT_EQ(column(*db, "Contas", "nome"), QStringList({"Banco"}));
    EXPECT_EQ(column(*db, "Movimento", "id"), QStringList({"1", "4", "5"}));
    EXPECT_EQ(agenda("conta"), QStringList({"Casa", "Banco", ""}));

    RegisterStore categories(*db, Kind::Category);
    ASSERT_TRUE(categories.DeleteWithTransactions("Mercado"));
    EXPECT_EQ(column(*db, "Categorias", "descricao"), QStringList({"Lazer"}));
    EXPECT_EQ(column(*db, "Movimento", "id"), QStringList({"5"}));
}

TEST_F(RegisterStoreTest, deleteWithTransactionsFailingHalfway_keepsTheRegisterRow)
{
    exec(*db, "CREATE TRIGGER keep BEFORE DELETE ON Movimento BEGIN SELECT RAISE(ABORT, 'kept'); END");
    RegisterStore store(*db, Kind::Category);
    EXPECT_FALSE(store.DeleteWithTransactions("Lazer"));
    EXPECT_EQ(db->ErrorMessage(), "kept");
    EXPECT_EQ(column(*db, "Categorias", "descricao"), QStringList({"Lazer", "Mercado"}));
}

TEST_F(RegisterStoreTest, deleteContact_keepsTheNameInTransactions_andDeletesEqualTwins)
{
    exec(*db, "INSERT INTO Contatos (nome) VALUES ('Ana'), (' Ana')");
    RegisterStore store(*db, Kind::Contact);
    ASSERT_TRUE(store.Delete("Ana"));
    EXPECT_EQ(store.Names().value(), QStringList({" Ana", "Bruno"}));
    EXPECT_EQ(ledgerIds(*db, "contato", "Ana"), Ids({1, 3}));
}

TEST_F(RegisterStoreTest, find_isExactAndAFailedQueryIsNotFree)
{
    RegisterStore store(*db, Kind::Contact);
    EXPECT_EQ(store.Find("Ana"), RegisterStore::Lookup::Taken);
    EXPECT_EQ(store.Find("ana"), RegisterStore::Lookup::Free);
    EXPECT_EQ(store.Find("Ana "), RegisterStore::Lookup::Free);
    exec(*db, "DROP TABLE Contatos");
    EXPECT_EQ(store.Find("Zé"), RegisterStore::Lookup::QueryFailed);
    EXPECT_FALSE(store.Names());
}
