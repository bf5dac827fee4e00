// Reading many rows: SQLSelectEach hands the rows over one by one with the
// same values SQLSelect gives; the record set keeps its fields in one block.

#include "platform/Database.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

class Streaming : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.setDatabaseFile(testsupport::tempPath("stream.db"));
        ASSERT_TRUE(db.CreateDatabaseFile());
        testsupport::exec(db, "CREATE TABLE t (n INTEGER, x Double, s VarChar)");
        testsupport::exec(db, "INSERT INTO t VALUES (1, 2.5, 'um'), (2, NULL, 'dois'), (3, 1200.75, NULL)");
    }
    SQLDatabase db;
};

QStringList texts(const RecordSet& rs)
{
    QStringList out;
    for (int n = 1; n <= rs.FieldCount(); ++n)
        out << rs.IdxField(n).StringValue();
    return out;
}

} // namespace

TEST_F(Streaming, selectEach_givesTheRowsSelectGives)
{
    auto rs = db.SQLSelect("SELECT * FROM t WHERE n >= ? ORDER BY n", {1});
    ASSERT_TRUE(rs);
    QList<QStringList> expected;
    for (; !rs->Eof(); rs->MoveNext())
        expected << texts(*rs);

    QList<QStringList> streamed;
    QList<double> amounts;
    ASSERT_TRUE(db.SQLSelectEach("SELECT * FROM t WHERE n >= ? ORDER BY n", {1}, [&](const RowReader& row) {
        QStringList cells;
        for (int n = 1; n <= row.FieldCount(); ++n)
            cells << row.IdxField(n).StringValue();
        streamed << cells;
        amounts << row.IdxField(2).DoubleValue();
    }));
    EXPECT_EQ(streamed, expected);
    EXPECT_EQ(streamed.first(), QStringList({"1", "2.5", "um"}));
    EXPECT_EQ(amounts, QList<double>({2.5, 0, 1200.75})); // NULL reads as 0
}

TEST_F(Streaming, selectEach_badStatement_failsWithTheMessageAndNoRows)
{
    int rows = 0;
    EXPECT_FALSE(db.SQLSelectEach("SELECT * FROM missing", {}, [&](const RowReader&) { ++rows; }));
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(db.ErrorMessage(), "no such table: missing");
}

TEST_F(Streaming, recordSet_readsRowsByPosition)
{
    const RecordSet rs({"a", "b"}, std::vector<QVector<QVariant>>{{1, "x"}, {2}});
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(texts(rs), QStringList({"1", "x"}));
    RecordSet copy = rs;
    copy.MoveNext();
    EXPECT_EQ(texts(copy), QStringList({"2", ""})); // a short row reads as NULL
    copy.MoveNext();
    EXPECT_TRUE(copy.Eof());
    EXPECT_TRUE(copy.IdxField(1).IsNull());
}

TEST_F(Streaming, statementObserver_seesEveryStatementAskedFor)
{
    QStringList seen;
    db.setStatementObserver([&](const QString& sql) { seen << sql; });
    db.SQLSelect("SELECT n FROM t");
    db.Close();
    db.SQLExecute("VACUUM"); // asked for on a closed connection: still seen, and refused
    EXPECT_EQ(seen, QStringList({"SELECT n FROM t", "VACUUM"}));
    EXPECT_TRUE(db.Error());
}
