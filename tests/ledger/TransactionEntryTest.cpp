#include "ledger/TransactionEntry.h"

#include "TestSupport.h"
#include "app/Schema.h"

#include <gtest/gtest.h>

using Problem = TransactionEntry::Problem;

namespace {

std::unique_ptr<SQLDatabase> newLedger()
{
    auto db = std::make_unique<SQLDatabase>();
    db->setDatabaseFile(testsupport::tempPath(QStringLiteral("entry.rbd")));
    EXPECT_TRUE(db->CreateDatabaseFile());
    EXPECT_TRUE(Schema::Create(*db));
    return db;
}

TransactionFields typical()
{
    TransactionFields f;
    f.account = QStringLiteral("Banco");
    f.category = QStringLiteral("Casa");
    f.contact = QStringLiteral("Loja");
    f.amountText = QStringLiteral("12.50");
    f.dateText = QStringLiteral("05/03/09");
    f.credit = false;
    f.verified = true;
    f.comment = QStringLiteral("aluguel");
    return f;
}

// Every column of the one row with that id, as text ("NULL" for a NULL).
QStringList storedRow(SQLDatabase& db, const QString& where = QStringLiteral("1"))
{
    const auto rs = db.SQLSelect(QStringLiteral("SELECT conta_nome, conta, contato, data, entrada, saida, conciliado, "
                                                "comentarios FROM Movimento WHERE ") +
                                 where);
    EXPECT_TRUE(rs);
    QStringList out;
    if (!rs || rs->Eof())
        return out;
    for (int i = 1; i <= rs->FieldCount(); ++i)
        out << (rs->IdxField(i).IsNull() ? QStringLiteral("NULL") : rs->IdxField(i).StringValue());
    return out;
}

int rowCount(SQLDatabase& db)
{
    return int(db.SQLSelect(QStringLiteral("SELECT COUNT(*) FROM Movimento"))->IdxField(1).IntegerValue());
}

} // namespace

TEST(TransactionEntry, typedDate_takesYearsIn2000s_andRefusesImpossibleOrIncompleteDates)
{
    QDate d;
    EXPECT_TRUE(TransactionEntry::parseTypedDate("05/03/09", d));
    EXPECT_EQ(d, QDate(2009, 3, 5));
    EXPECT_TRUE(TransactionEntry::parseTypedDate("31/12/99", d));
    EXPECT_EQ(d, QDate(2099, 12, 31));
    EXPECT_TRUE(TransactionEntry::parseTypedDate("29/02/24", d));
    EXPECT_EQ(d, QDate(2024, 2, 29));
    for (const char* bad : {"31/02/26", "29/02/25", "25/12/", "5/3/09", "", "  /  /  ", "aa/bb/cc"})
        EXPECT_FALSE(TransactionEntry::parseTypedDate(QString::fromUtf8(bad), d)) << bad;
}

TEST(TransactionEntry, checksRunInOrder_accountCategoryAmountDate)
{
    TransactionFields f;
    EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::NoAccount);
    for (const char* all : {"Todas", "All"}) {
        f.account = QString::fromUtf8(all);
        EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::NoAccount) << all;
    }
    f.account = "Banco";
    EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::NoCategory);
    f.category = "Casa";
    for (const char* zero : {"", "0", "0.00", "abc"}) {
        f.amountText = QString::fromUtf8(zero);
        EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::ZeroAmount) << zero;
    }
    f.amountText = "$1,200.50";
    EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::BadDate);
    f.dateText = "01/02/26";
    EXPECT_EQ(TransactionEntry(f, true).problem(), Problem::None);
}

TEST(TransactionEntry, withoutUser_acceptsMissingNamesButStillChecksAmountAndDate)
{
    TransactionFields f;
    f.amountText = "3";
    f.dateText = "01/02/26";
    EXPECT_EQ(TransactionEntry(f, false).problem(), Problem::None);
    f.dateText = "31/02/26";
    EXPECT_EQ(TransactionEntry(f, false).problem(), Problem::BadDate);
    f.amountText = "0";
    EXPECT_EQ(TransactionEntry(f, false).problem(), Problem::ZeroAmount);
}

TEST(TransactionEntry, debitAndCredit_storeTheAmountInTheirOwnColumn_theOtherNull)
{
    auto db = newLedger();
    TransactionFields f = typical();
    ASSERT_TRUE(TransactionStore::insert(*db, TransactionEntry(f, true).record()));
    EXPECT_EQ(storedRow(*db), QStringList({"Banco", "Casa", "Loja", "2009-03-05", "NULL", "12.5", "Sim", "aluguel"}));

    testsupport::exec(*db, "DELETE FROM Movimento");
    f.credit = true;
    f.verified = false;
    f.amountText = "$1,200.50";
    ASSERT_TRUE(TransactionStore::insert(*db, TransactionEntry(f, true).record()));
    EXPECT_EQ(storedRow(*db), QStringList({"Banco", "Casa", "Loja", "2009-03-05", "1200.5", "NULL",
                                           QString::fromUtf8("Não"), "aluguel"}));
}

TEST(TransactionEntry, untouchedChange_keepsStoredAmountTypeAndFullYear)
{
    auto db = newLedger();
    testsupport::exec(*db,
                      "INSERT INTO Movimento (id, conta_nome, conta, contato, data, entrada, saida, conciliado, "
                      "comentarios) VALUES (7, 'Banco', 'Casa', 'Loja', '1999-06-15', 1234.567, NULL, 'Sim', 'c')");
    OpenedRow opened;
    opened.id = "7";
    opened.account = "Banco";
    opened.shownAmount = "$1,234.57";
    opened.shownCredit = true;
    opened.shownDate = "15/06/99";
    ASSERT_TRUE(TransactionStore::readStored(*db, opened));

    TransactionFields f = typical();
    f.amountText = opened.shownAmount;
    f.credit = true;
    f.dateText = opened.shownDate;
    const TransactionEntry same(f, true, &opened);
    ASSERT_EQ(same.problem(), Problem::None);
    ASSERT_TRUE(TransactionStore::replace(*db, &opened, same.record()));
    EXPECT_EQ(rowCount(*db), 1);
    EXPECT_EQ(storedRow(*db),
              QStringList({"Banco", "Casa", "Loja", "1999-06-15", "1234.567", "NULL", "Sim", "aluguel"}));

    // A typed date or a switched type is read from the fields.
    f.dateText = "16/06/99";
    f.credit = false;
    ASSERT_TRUE(TransactionStore::insert(*db, TransactionEntry(f, true, &opened).record()));
    EXPECT_EQ(storedRow(*db, "data = '2099-06-16'"),
              QStringList({"Banco", "Casa", "Loja", "2099-06-16", "NULL", "1234.57", "Sim", "aluguel"}));
}

TEST(TransactionEntry, untouchedChangeOfAStoredNegativeCredit_isNotRefusedAsZero)
{
    auto db = newLedger();
    testsupport::exec(*db,
                      "INSERT INTO Movimento (id, conta_nome, data, entrada) VALUES (3, 'Banco', '2026-01-02', -5)");
    OpenedRow opened;
    opened.id = "3";
    opened.account = "Banco";
    opened.shownAmount = "$0.00"; // the debit cell of a row whose credit is not above zero
    opened.shownCredit = false;
    opened.shownDate = "02/01/26";
    ASSERT_TRUE(TransactionStore::readStored(*db, opened));
    TransactionFields f = typical();
    f.amountText = opened.shownAmount;
    f.credit = false;
    f.dateText = opened.shownDate;
    const TransactionEntry same(f, true, &opened);
    ASSERT_EQ(same.problem(), Problem::None);
    ASSERT_TRUE(TransactionStore::replace(*db, &opened, same.record()));
    EXPECT_EQ(storedRow(*db).mid(3, 3), QStringList({"2026-01-02", "-5", "NULL"}));
}

TEST(TransactionStore, changeDeletesOnlyTheOpenedRowOfItsAccount_andRemoveOnlyThatId)
{
    auto db = newLedger();
    testsupport::exec(*db, "INSERT INTO Movimento (id, conta_nome, data, saida) VALUES (1, 'Banco', '2026-01-02', 1), "
                           "(2, 'Banco', '2026-01-03', 2), (3, 'Casa', '2026-01-04', 3)");
    OpenedRow opened;
    opened.id = "2";
    opened.account = "Banco";
    ASSERT_TRUE(TransactionStore::replace(*db, &opened, TransactionEntry(typical(), true).record()));
    EXPECT_EQ(rowCount(*db), 3);
    EXPECT_TRUE(storedRow(*db, "id = 2").isEmpty());
    EXPECT_FALSE(TransactionStore::readStored(*db, opened));

    // The id alone is not enough when the account does not match.
    opened.id = "3";
    ASSERT_TRUE(TransactionStore::replace(*db, &opened, TransactionEntry(typical(), true).record()));
    EXPECT_EQ(rowCount(*db), 4);

    ASSERT_TRUE(TransactionStore::remove(*db, "1"));
    EXPECT_EQ(rowCount(*db), 3);
    EXPECT_TRUE(storedRow(*db, "id = 1").isEmpty());
}
