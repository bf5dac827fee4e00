// A transaction's checks and stored form, without a window.

#include "ledger/TransactionEntry.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using Problem = TransactionEntry::Problem;

namespace {

// Account, category, contact, amount, date, credit, verified, comment.
const TransactionFields typical{"Banco", "Casa", "Loja", "12.50", "05/03/09", false, true, "aluguel"};

// Every column but the id of the first row that `where` picks, as text ("NULL" for a NULL).
QStringList storedRow(SQLDatabase& db, const QString& where = "1")
{
    const QString columns = "conta_nome, conta, contato, data, entrada, saida, conciliado, comentarios";
    return testsupport::rows(db, "SELECT " + columns + " FROM Movimento WHERE " + where).value(0);
}

int rowCount(SQLDatabase& db)
{
    return int(testsupport::rows(db, "SELECT id FROM Movimento").size());
}

} // namespace

// The order and texts of the checks are the window's tests; here what they do not reach.
TEST(TransactionEntry, allAccountsIsNoAccount_unreadableAmountIsZero_withoutUserNamesAreNotChecked)
{
    TransactionFields f = typical;
    for (const char* all : {"Todas", "All"}) {
        f.account = all;
        EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::NoAccount) << all;
    }
    f.account = "Banco";
    f.amountText = "abc";
    EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::ZeroAmount);
    f.amountText = "1.200,50";
    EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::None);
    f.dateText = "31/02/26";
    EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::BadDate);

    TransactionFields handedOver;
    handedOver.amountText = "3";
    handedOver.dateText = "01/02/26";
    EXPECT_EQ(TransactionEntry(handedOver, false).problem(), Problem::None);
}

TEST(TransactionEntry, changeOfAnOpenedRow_keepsWhatIsAsShown_readsWhatWasTyped)
{
    auto db = testsupport::newDatabase();
    testsupport::exec(*db, "INSERT INTO Contas (nome) VALUES ('Banco')");
    testsupport::exec(*db, "INSERT INTO Categorias (descricao) VALUES ('Casa')");
    testsupport::exec(*db, "INSERT INTO Movimento (id, conta_nome, data, entrada) VALUES (7, 'Banco', '1999-06-15', "
                           "1234.567)");
    OpenedRow row;
    row.id = "7";
    row.account = "Banco";
    row.shownAmount = "1234.57";
    row.shownDate = "15/06/99";
    ASSERT_TRUE(TransactionStore::readStored(*db, row));
    TransactionFields f = typical;
    f.amountText = row.shownAmount;
    f.dateText = row.shownDate;
    f.credit = true;
    ASSERT_EQ(TransactionStore::replace(*db, &row, TransactionEntry(f, true, &row)), TransactionStore::Outcome::Stored);
    EXPECT_EQ(storedRow(*db).mid(3, 3), QStringList({"1999-06-15", "1234.567", "NULL"}));
    // A typed date or a switched type is read from the fields.
    f.dateText = "16/06/99";
    f.credit = false;
    ASSERT_EQ(TransactionStore::insert(*db, TransactionEntry(f, true, &row), true), TransactionStore::Outcome::Stored);
    EXPECT_EQ(storedRow(*db, "data = '2099-06-16'"),
              QStringList({"Banco", "Casa", "Loja", "2099-06-16", "NULL", "1234.57", "Sim", "aluguel"}));
}

TEST(TransactionStore, changeActsOnTheIdAlone_storesOnlyRegisteredNames_andRemoveOnlyThatId)
{
    using Outcome = TransactionStore::Outcome;
    auto db = testsupport::newDatabase();
    testsupport::exec(*db, "INSERT INTO Movimento (id, conta_nome, conta, data, saida) VALUES (1, 'Banco', 'Velha', "
                           "'2026-01-02', 1), (2, 'Banco', 'Velha', '2026-01-03', 2), (3, 'Casa', 'Antiga', "
                           "'2026-01-04', 3)");
    OpenedRow row;
    row.id = "2";
    TransactionFields f = typical;
    // Neither name is in its register yet; then the category is not.
    EXPECT_EQ(TransactionStore::replace(*db, &row, TransactionEntry(f, true)), Outcome::AccountGone);
    testsupport::exec(*db, "INSERT INTO Contas (nome) VALUES ('Banco')");
    EXPECT_EQ(TransactionStore::replace(*db, &row, TransactionEntry(f, true)), Outcome::CategoryGone);
    EXPECT_EQ(rowCount(*db), 3);
    EXPECT_FALSE(storedRow(*db, "id = 2").isEmpty());
    // A row keeps its own category, registered or not; an added row may not use it.
    row.id = "3";
    ASSERT_TRUE(TransactionStore::readStored(*db, row));
    f.category = "Antiga";
    EXPECT_EQ(TransactionStore::insert(*db, TransactionEntry(f, true), true), Outcome::CategoryGone);
    ASSERT_EQ(TransactionStore::replace(*db, &row, TransactionEntry(f, true)), Outcome::Stored);
    EXPECT_EQ(rowCount(*db), 3);
    EXPECT_EQ(storedRow(*db, "conta = 'Antiga'").value(0), "Banco");

    // The row is gone, its id now another row's (the last id is given again): nothing is stored.
    EXPECT_EQ(storedRow(*db, "id = 3").value(3), "2009-03-05");
    EXPECT_EQ(TransactionStore::replace(*db, &row, TransactionEntry(f, true)), Outcome::RowGone);
    EXPECT_EQ(rowCount(*db), 3);
    EXPECT_FALSE(db->InTransaction());

    ASSERT_TRUE(TransactionStore::remove(*db, "1"));
    EXPECT_EQ(rowCount(*db), 2);
    EXPECT_TRUE(storedRow(*db, "id = 1").isEmpty());
}
