#include "platform/Database.h"
#include "TestSupport.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using testsupport::exec;

namespace {

class Database : public ::testing::Test
{
  protected:
    std::unique_ptr<SQLDatabase> file = testsupport::newDatabase();
    SQLDatabase& db = *file;
};

} // namespace

TEST_F(Database, transaction_rollsBackUnlessCommitted_andKeepsTheFailure)
{
    exec(db, "CREATE TABLE t (a VarChar)");
    exec(db, "CREATE TRIGGER refuse BEFORE INSERT ON t WHEN NEW.a = 'bad' BEGIN SELECT RAISE(ABORT, 'x'); END");
    {
        Transaction tx(db);
        ASSERT_TRUE(tx.active());
        ASSERT_TRUE(db.SQLExecute("INSERT INTO t VALUES ('one')"));
        EXPECT_FALSE(db.SQLExecute("INSERT INTO t VALUES ('bad')"));
    }
    EXPECT_EQ(db.ErrorCode(), 19);
    EXPECT_EQ(db.ErrorMessage(), "x");
    EXPECT_FALSE(db.InTransaction());
    EXPECT_EQ(testsupport::column(db, "SELECT * FROM t"), QStringList());

    // Inside another transaction: a failed inner one undoes only its own rows,
    // a committed inner one waits for the outer commit.
    {
        Transaction outer(db);
        ASSERT_TRUE(db.SQLExecute("INSERT INTO t VALUES ('three')"));
        {
            Transaction inner(db);
            ASSERT_TRUE(inner.active());
            ASSERT_TRUE(db.SQLExecute("INSERT INTO t VALUES ('lost')"));
            EXPECT_FALSE(db.SQLExecute("INSERT INTO t VALUES ('bad')"));
        }
        EXPECT_TRUE(db.InTransaction());
        {
            Transaction inner(db);
            ASSERT_TRUE(db.SQLExecute("INSERT INTO t VALUES ('four')"));
            EXPECT_TRUE(inner.commit());
        }
        EXPECT_TRUE(db.InTransaction());
        EXPECT_TRUE(outer.commit());
    }
    EXPECT_EQ(testsupport::column(db, "SELECT * FROM t ORDER BY a"), QStringList({"four", "three"}));
}

// Statements are kept prepared between runs: a kept one follows a changed
// table, and many different ones in turn still each run right.
TEST_F(Database, statementRunAgain_followsItsChangedTable_manyTakeTurns_aFailingOneGivesNilCodeAndMessage)
{
    exec(db, "CREATE TABLE t (a)");
    exec(db, "INSERT INTO t VALUES (1)");
    EXPECT_EQ(testsupport::rows(db, "SELECT * FROM t"), QList<QStringList>({{"1"}}));
    exec(db, "DROP TABLE t");
    EXPECT_EQ(db.SQLSelect("SELECT * FROM t"), nullptr);
    exec(db, "CREATE TABLE t (a, b)");
    exec(db, "INSERT INTO t VALUES (2, 3)");
    EXPECT_EQ(testsupport::rows(db, "SELECT * FROM t"), QList<QStringList>({{"2", "3"}}));
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 40; ++i)
            EXPECT_EQ(testsupport::column(db, QStringLiteral("SELECT %1 + ?").arg(i), {round}),
                      QStringList{QString::number(i + round)});
    EXPECT_TRUE(db.SQLExecute("VACUUM"));

    EXPECT_EQ(db.SQLSelect("SELECT * FROM missing"), nullptr);
    EXPECT_TRUE(db.Error());
    EXPECT_EQ(QString::number(db.ErrorCode()) + db.ErrorMessage(), "1no such table: missing");
    EXPECT_TRUE(db.SQLSelect("SELECT 1"));
    EXPECT_EQ(QString::number(db.ErrorCode()) + db.ErrorMessage(), "0");
    int rows = 0;
    EXPECT_FALSE(db.SQLSelectEach("SELECT * FROM missing", {}, [&](const RowReader&) { ++rows; }));
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(db.ErrorMessage(), "no such table: missing");
    // Several statements in one text are refused, not run in part.
    EXPECT_FALSE(db.SQLExecute("SELECT 1; DROP TABLE x"));
    EXPECT_TRUE(db.Error());
}

// A data file that is given up goes with the journal beside it, which would
// otherwise be played back into the next file made under that name.
TEST(DatabaseFile, removed_takesItsJournalWithIt)
{
    const QString path = testsupport::tempPath("gone/Tovira.rbd");
    testsupport::writeFile(path, "SQLite format 3");
    testsupport::writeFile(path + "-journal", "half a change");
    EXPECT_TRUE(RemoveDatabaseFile(path));
    EXPECT_FALSE(QFileInfo::exists(path) || QFileInfo::exists(path + "-journal"));
    EXPECT_TRUE(RemoveDatabaseFile(path));
}
