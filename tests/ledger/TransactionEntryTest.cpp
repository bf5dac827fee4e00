// A transaction's checks and stored form, without a window.

#include "ledger/TransactionEntry.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using Problem = TransactionEntry::Problem;

namespace {

TransactionFields typical()
{
    TransactionFields f;
    f.account = "Banco";
    f.category = "Casa";
    f.contact = "Loja";
    f.amountText = "12.50";
    f.dateText = "05/03/09";
    f.credit = false;
    f.verified = true;
    f.comment = "aluguel";
    return f;
}

// Every column but the id of the rows that `where` picks, as text ("NULL" for a NULL).
QStringList storedRow(SQLDatabase& db, const QString& where = "1")
{
    return testsupport::rows(db, "SELECT conta_nome, conta, contato, data, entrada, saida, conciliado, comentarios "
                                 "FROM Movimento WHERE " + where)
        .value(0);
}

int rowCount(SQLDatabase& db)
{
    return int(testsupport::rows(db, "SELECT id FROM Movimento").size());
}

// The row `id` as the transaction window opens it, read back from the database.
OpenedRow opened(SQLDatabase& db, const QString& id, const QString& amount, bool credit, const QString& date)
{
    OpenedRow row;
    row.id = id;
    row.account = "Banco";
    row.shownAmount = amount;
    row.shownCredit = credit;
    row.shownDate = date;
    EXPECT_TRUE(TransactionStore::readStored(db, row));
    return row;
}

} // namespace

TEST(TransactionEntry, typedDate_takesYearsIn2000s_andRefusesImpossibleOrIncompleteDates)
{
    QDate d;
    const QList<std::pair<QString, QDate>> good{
        {"05/03/09", {2009, 3, 5}}, {"31/12/99", {2099, 12, 31}}, {"29/02/24", {2024, 2, 29}}};
    for (const auto& [text, date] : good) {
        EXPECT_TRUE(TransactionEntry::parseTypedDate(text, d)) << text.toStdString();
        EXPECT_EQ(d, date);
    }
    for (const char* bad : {"31/02/26", "29/02/25", "25/12/", "5/3/09", "", "  /  /  ", "aa/bb/cc"})
        EXPECT_FALSE(TransactionEntry::parseTypedDate(bad, d)) << bad;
}

TEST(TransactionEntry, checksRunInOrder_withoutUserOnlyAmountAndDate)
{
    TransactionFields f;
    EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::NoAccount);
    for (const char* all : {"Todas", "All"}) {
        f.account = all;
        EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::NoAccount) << all;
    }
    f.account = "Banco";
    EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::NoCategory);
    f.category = "Casa";
    for (const char* zero : {"", "0", "0.00", "abc"}) {
        f.amountText = zero;
        EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::ZeroAmount) << zero;
    }
    f.amountText = "$1,200.50";
    EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::BadDate);
    f.dateText = "01/02/26";
    EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::None);

    TransactionFields handedOver;
    handedOver.amountText = "3";
    handedOver.dateText = "01/02/26";
    EXPECT_EQ(TransactionEntry(handedOver, false).problem(), Problem::None);
    handedOver.dateText = "31/02/26";
    EXPECT_EQ(TransactionEntry(handedOver, false).problem(), Problem::BadDate);
    handedOver.amountText = "0";
    EXPECT_EQ(TransactionEntry(handedOver, false).problem(), Problem::ZeroAmount);
}

TEST(TransactionEntry, untouchedChange_keepsStoredAmountTypeAndFullYear)
{
    auto db = testsupport::newDatabase();
    testsupport::exec(*db,
                      "INSERT INTO Movimento (id, conta_nome, conta, contato, data, entrada, saida, conciliado, "
                      "comentarios) VALUES (7, 'Banco', 'Casa', 'Loja', '1999-06-15', 1234.567, NULL, 'Sim', 'c')");
    const OpenedRow row = opened(*db, "7", "$1,234.57", true, "15/06/99");
    TransactionFields f = typical();
    f.amountText = row.shownAmount;
    f.credit = true;
    f.dateText = row.shownDate;
    const TransactionEntry same(f, true, &row);
    ASSERT_EQ(same.problem(), Problem::None);
    ASSERT_TRUE(TransactionStore::replace(*db, &row, same.record()));
    EXPECT_EQ(rowCount(*db), 1);
    EXPECT_EQ(storedRow(*db),
              QStringList({"Banco", "Casa", "Loja", "1999-06-15", "1234.567", "NULL", "Sim", "aluguel"}));

    // A typed date or a switched type is read from the fields.
    f.dateText = "16/06/99";
    f.credit = false;
    ASSERT_TRUE(TransactionStore::insert(*db, TransactionEntry(f, true, &row).record()));
    EXPECT_EQ(storedRow(*db, "data = '2099-06-16'"),
              QStringList({"Banco", "Casa", "Loja", "2099-06-16", "NULL", "1234.57", "Sim", "aluguel"}));
}

TEST(TransactionEntry, untouchedChangeOfAStoredNegativeCredit_isNotRefusedAsZero)
{
    auto db = testsupport::newDatabase();
    testsupport::exec(*db,
                      "INSERT INTO Movimento (id, conta_nome, data, entrada) VALUES (3, 'Banco', '2026-01-02', -5)");
    // The debit cell of a row whose credit is not above zero shows nothing.
    const OpenedRow row = opened(*db, "3", "$0.00", false, "02/01/26");
    TransactionFields f = typical();
    f.amountText = row.shownAmount;
    f.credit = false;
    f.dateText = row.shownDate;
    const TransactionEntry same(f, true, &row);
    ASSERT_EQ(same.problem(), Problem::None);
    ASSERT_TRUE(TransactionStore::replace(*db, &row, same.record()));
    EXPECT_EQ(storedRow(*db).mid(3, 3), QStringList({"2026-01-02", "-5", "NULL"}));
}

TEST(TransactionStore, changeDeletesOnlyTheOpenedRowOfItsAccount_andRemoveOnlyThatId)
{
    auto db = testsupport::newDatabase();
    testsupport::exec(*db, "INSERT INTO Movimento (id, conta_nome, data, saida) VALUES (1, 'Banco', '2026-01-02', 1), "
                           "(2, 'Banco', '2026-01-03', 2), (3, 'Casa', '2026-01-04', 3)");
    OpenedRow row;
    row.id = "2";
    row.account = "Banco";
    ASSERT_TRUE(TransactionStore::replace(*db, &row, TransactionEntry(typical(), true).record()));
    EXPECT_EQ(rowCount(*db), 3);
    EXPECT_TRUE(storedRow(*db, "id = 2").isEmpty());
    EXPECT_FALSE(TransactionStore::readStored(*db, row));

    // The id alone is not enough when the account does not match.
    row.id = "3";
    ASSERT_TRUE(TransactionStore::replace(*db, &row, TransactionEntry(typical(), true).record()));
    EXPECT_EQ(rowCount(*db), 4);

    ASSERT_TRUE(TransactionStore::remove(*db, "1"));
    EXPECT_EQ(rowCount(*db), 3);
    EXPECT_TRUE(storedRow(*db, "id = 1").isEmpty());
}
