#include "registers/RegisterStore.h"

#include "RegisterFixture.h"

using Kind = RegisterStore::Kind;
using RegisterStoreTest = RegisterTest;

TEST_F(RegisterStoreTest, rename_rewritesExactlyItsTransactionsAndSchedules_andNoOtherColumn)
{
    exec("UPDATE Agenda SET contato = 'Bruno' WHERE rowid = 2"); // an amount that reads like a contact
    struct Case
    {
        Kind kind;
        QString table, nameColumn, from, to, ledgerColumn, agendaColumn;
        QStringList names, renamedIds, agenda;
    };
    // clang-format off
    const QList<Case> cases{
        {Kind::Account, "Contas", "nome", "Casa", "Casa Nova", "conta_nome", "conta",
         {"Banco", "Casa Nova"}, {"2", "3"}, {"Casa Nova", "Banco", ""}},
        {Kind::Category, "Categorias", "descricao", "Lazer", "Viagem", "conta", "categoria",
         {"Mercado", "Viagem"}, {"2", "5"}, {"Viagem", "Mercado", ""}},
        {Kind::Contact, "Contatos", "nome", "Bruno", "Bruna", "contato", "contatoplus",
         {"Ana", "Bruna"}, {"2"}, {"Bruna", "Ana", ""}}};
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table.toStdString());
        const QList<QStringList> before = testsupport::rows(db(), "SELECT * FROM Movimento ORDER BY id");
        ASSERT_TRUE(RegisterStore(db(), c.kind).Rename(c.from, c.to));
        EXPECT_EQ(names(c.table, c.nameColumn), c.names);
        EXPECT_EQ(ids(c.ledgerColumn, c.to), c.renamedIds);
        EXPECT_EQ(agenda(c.agendaColumn), c.agenda);
        // Every other cell of the ledger is as it was.
        const QList<QStringList> after = testsupport::rows(db(), "SELECT * FROM Movimento ORDER BY id");
        ASSERT_EQ(after.size(), before.size());
        for (int row = 0; row < after.size(); ++row)
            for (int cell = 0; cell < after[row].size(); ++cell) {
                if (after[row][cell] != c.to) {
                    EXPECT_EQ(after[row][cell], before[row][cell]) << row << "," << cell;
                }
            }
    }
    EXPECT_EQ(agenda("contato"), QStringList({"50", "Bruno", "1"}));
    // A renamed category is stored as a new bare row.
    EXPECT_EQ(testsupport::column(db(), "SELECT conta FROM Categorias WHERE descricao = 'Viagem'"),
              QStringList{"NULL"});
}

TEST_F(RegisterStoreTest, namesWithQuotes_renameAndDeleteTouchOnlyTheirOwnRows)
{
    addAccounts({"D'Ávila", "x' OR '1'='1"});
    addTransaction("D'Ávila", "", "", "2026-01-01", "1", "");      // id 6
    addTransaction("x' OR '1'='1", "", "", "2026-01-01", "1", ""); // id 7
    RegisterStore store(db(), Kind::Account);
    for (const QString& name : {QStringLiteral("D'Ávila"), QStringLiteral("x' OR '1'='1")}) {
        SCOPED_TRACE(name.toStdString());
        const qsizetype accounts = names("Contas", "nome").size(), rows = names("Movimento", "id").size();
        ASSERT_TRUE(store.Rename(name, "O'Neil"));
        EXPECT_EQ(names("Contas", "nome").size(), accounts);
        EXPECT_EQ(ids("conta_nome", "O'Neil"), QStringList{name.startsWith('D') ? "6" : "7"});
        EXPECT_EQ(ids("conta_nome", "Casa"), QStringList({"2", "3"}));

        ASSERT_TRUE(store.DeleteWithTransactions("O'Neil"));
        EXPECT_EQ(names("Contas", "nome").size(), accounts - 1);
        EXPECT_EQ(names("Movimento", "id").size(), rows - 1);
    }
    EXPECT_EQ(names("Contas", "nome"), QStringList({"Banco", "Casa"}));
    EXPECT_EQ(names("Movimento", "id").size(), 5);
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

TEST_F(RegisterStoreTest, find_isExactAndAFailedQueryIsNotFree)
{
    RegisterStore store(db(), Kind::Contact);
    EXPECT_EQ(store.Find("Ana"), RegisterStore::Lookup::Taken);
    EXPECT_EQ(store.Find("ana"), RegisterStore::Lookup::Free);
    EXPECT_EQ(store.Find("Ana "), RegisterStore::Lookup::Free);
    exec("DROP TABLE Contatos");
    EXPECT_EQ(store.Find("Zé"), RegisterStore::Lookup::QueryFailed);
    EXPECT_FALSE(store.Names());
}
