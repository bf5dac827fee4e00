// A transaction's checks and stored form, without a window.

#include "ledger/TransactionEntry.h"

#include "LedgerFixture.h"

using Problem = TransactionEntry::Problem;
using TransactionStoreTest = LedgerTest;

namespace {

// Account, category, contact, amount, date, credit, verified, comment.
const TransactionFields typical{"Banco", "Casa", "Loja", "12.50", "05/03/09", false, true, "aluguel", {}, {}};

} // namespace

// The order and texts of the checks are the window's tests; here what they do not reach.
TEST(TransactionEntry, allAccountsIsNoAccount_unreadableAmountIsRefused_handedOverAmountIsTakenAsItIs)
{
    TransactionFields f = typical;
    for (const char* all : {"Todas", "All"}) {
        f.account = all;
        EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::NoAccount) << all;
    }
    f.account = "Banco";
    f.amountText = "abc";
    EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::BadAmount);
    f.amountText = " ";
    EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::ZeroAmount);
    f.amountText = "1.200,50";
    EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::None);
    f.dateText = "31/02/26";
    EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::BadDate);

    TransactionFields handedOver;
    handedOver.amountText = "1.005"; // a statement's three decimals, as the program shows them
    handedOver.amount = 1.005;
    handedOver.dateText = "01/02/26";
    const TransactionEntry entry(handedOver, false);
    EXPECT_EQ(entry.problem(), Problem::None);
    const DatabaseRecord record = entry.record();
    const auto& columns = record.columns();
    const auto credit = std::find_if(columns.begin(), columns.end(), [](const auto& c) { return c.first == "entrada"; });
    ASSERT_NE(credit, columns.end());
    EXPECT_EQ(credit->second, QVariant(1.005));
}

TEST_F(TransactionStoreTest, changeOfAnOpenedRow_keepsWhatIsAsShown_readsWhatWasTyped)
{
    addAccounts({"Banco"});
    exec("INSERT INTO Categorias (descricao) VALUES ('Casa')");
    exec("INSERT INTO Movimento (id, conta_nome, data, entrada) VALUES (7, 'Banco', '1999-06-15', 1234.567)");
    OpenedRow row;
    row.id = "7";
    row.account = "Banco";
    row.shownAmount = "1234.57";
    row.shownDate = "15/06/99";
    ASSERT_TRUE(TransactionStore::readStored(db(), row));
    TransactionFields f = typical;
    f.amountText = row.shownAmount;
    f.dateText = row.shownDate;
    f.credit = true;
    ASSERT_EQ(TransactionStore::replace(db(), &row, TransactionEntry(f, true, &row)),
              TransactionStore::Outcome::Stored);
    EXPECT_EQ(storedRows().value(0).mid(3, 3), QStringList({"1999-06-15", "1234.567", "NULL"}));
    // A typed date or a switched type is read from the fields.
    f.dateText = "16/06/99";
    f.credit = false;
    ASSERT_EQ(TransactionStore::insert(db(), TransactionEntry(f, true, &row), true), TransactionStore::Outcome::Stored);
    EXPECT_EQ(storedRows().value(1),
              QStringList({"Banco", "Casa", "Loja", "2099-06-16", "NULL", "1234.57", "Sim", "aluguel"}));
}

TEST_F(TransactionStoreTest, changeActsOnTheIdAlone_storesOnlyRegisteredNames_andRemoveOnlyThatId)
{
    using Outcome = TransactionStore::Outcome;
    exec("INSERT INTO Movimento (id, conta_nome, conta, data, saida) VALUES (1, 'Banco', 'Velha', '2026-01-02', 1), "
         "(2, 'Banco', 'Velha', '2026-01-03', 2), (3, 'Casa', 'Antiga', '2026-01-04', 3)");
    OpenedRow row;
    row.id = "2";
    TransactionFields f = typical;
    // Neither name is in its register yet; then the category is not.
    EXPECT_EQ(TransactionStore::replace(db(), &row, TransactionEntry(f, true)), Outcome::AccountGone);
    addAccounts({"Banco"});
    EXPECT_EQ(TransactionStore::replace(db(), &row, TransactionEntry(f, true)), Outcome::CategoryGone);
    EXPECT_EQ(rowCount(), 3);
    EXPECT_FALSE(storedRow("2").isEmpty());
    // A row keeps its own category, registered or not; an added row may not use it.
    row.id = "3";
    ASSERT_TRUE(TransactionStore::readStored(db(), row));
    f.category = "Antiga";
    EXPECT_EQ(TransactionStore::insert(db(), TransactionEntry(f, true), true), Outcome::CategoryGone);
    ASSERT_EQ(TransactionStore::replace(db(), &row, TransactionEntry(f, true)), Outcome::Stored);
    EXPECT_EQ(rowCount(), 3);
    // The row is gone, its id now another row's (the last id is given again): nothing is stored.
    EXPECT_EQ(storedRow("3").mid(0, 4), QStringList({"Banco", "Antiga", "Loja", "2009-03-05"}));
    EXPECT_EQ(TransactionStore::replace(db(), &row, TransactionEntry(f, true)), Outcome::RowGone);
    EXPECT_EQ(rowCount(), 3);
    EXPECT_FALSE(db().InTransaction());

    ASSERT_TRUE(TransactionStore::remove(db(), "1"));
    EXPECT_EQ(rowCount(), 2);
    EXPECT_TRUE(storedRow("1").isEmpty());
}
