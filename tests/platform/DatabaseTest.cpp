#include "platform/Database.h"
#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

using testsupport::exec;

namespace {

class Database : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        db.setDatabaseFile(testsupport::tempPath(QStringLiteral("t.rbd")));
        ASSERT_TRUE(db.CreateDatabaseFile());
    }

    SQLDatabase db;
};

// The row's cells joined by "|", for a record set or a streamed row alike.
template <class Row> QString cells(const Row& row)
{
    QStringList out;
    for (int n = 1; n <= row.FieldCount(); ++n)
        out << row.IdxField(n).StringValue();
    return out.join('|');
}

} // namespace

TEST_F(Database, select_isReadWholeInDeclaredColumnOrder_streamsAlike_andNullReadsAsEmptyAndZero)
{
    exec(db, "CREATE TABLE t (z VarChar, a Double, m VarChar)");
    exec(db, "INSERT INTO t VALUES ('first', 1200.5, 'x'), ('second', 0.1, 'y'), ('third', -1, 'z'), (NULL, NULL, "
             "NULL)");
    const QString sql = QStringLiteral("SELECT * FROM t WHERE a > ? OR a IS NULL ORDER BY a DESC");
    auto rs = db.SQLSelect(sql, {0});
    ASSERT_TRUE(rs);
    QStringList streamed;
    ASSERT_TRUE(db.SQLSelectEach(sql, {0}, [&](const RowReader& row) { streamed << cells(row); }));
    // Writing while the record set is held must not disturb it.
    exec(db, "DELETE FROM t");
    QStringList selected;
    for (; !rs->Eof(); rs->MoveNext())
        selected << cells(*rs);
    EXPECT_EQ(selected, QStringList({"first|1200.5|x", "second|0.1|y", "||"}));
    EXPECT_EQ(streamed, selected);
    ASSERT_TRUE(db.SQLSelectEach("SELECT NULL", {}, [](const RowReader& row) {
        EXPECT_EQ(row.IdxField(1).StringValue(), QString());
        EXPECT_EQ(row.IdxField(1).DoubleValue(), 0.0);
    }));
}

TEST_F(Database, failingStatement_givesNilAndCodeAndMessage_successResetsThem)
{
    EXPECT_EQ(db.SQLSelect("SELECT * FROM missing"), nullptr);
    EXPECT_TRUE(db.Error());
    EXPECT_EQ(db.ErrorCode(), 1);
    EXPECT_EQ(db.ErrorMessage(), "no such table: missing");
    EXPECT_TRUE(db.SQLSelect("SELECT 1"));
    EXPECT_FALSE(db.Error());
    EXPECT_EQ(db.ErrorCode(), 0);
    EXPECT_EQ(db.ErrorMessage(), "");

    int rows = 0;
    EXPECT_FALSE(db.SQLSelectEach("SELECT * FROM missing", {}, [&](const RowReader&) { ++rows; }));
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(db.ErrorMessage(), "no such table: missing");
    // Several statements in one text are refused, not run in part.
    EXPECT_FALSE(db.SQLExecute("SELECT 1; DROP TABLE x"));
    EXPECT_TRUE(db.Error());
}

TEST_F(Database, boundValues_selectAndChangeExactlyTheirOwnRows)
{
    exec(db, "CREATE TABLE Contas (nome VarChar)");
    for (const char* name : {"D'Ávila", "x' OR '1'='1", "Banco"})
        ASSERT_TRUE(db.SQLExecute("INSERT INTO Contas (nome) VALUES (?)", {QString::fromUtf8(name)}));
    auto rs = db.SQLSelect("SELECT nome FROM Contas WHERE nome = ?", {QStringLiteral("x' OR '1'='1")});
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->RecordCount(), 1);
    ASSERT_TRUE(db.SQLExecute("UPDATE Contas SET nome = ? WHERE nome = ?",
                              {QStringLiteral("Dávila"), QString::fromUtf8("D'Ávila")}));
    EXPECT_EQ(testsupport::column(db, "SELECT nome FROM Contas ORDER BY nome"),
              QStringList({"Banco", "Dávila", "x' OR '1'='1"}));
}

TEST_F(Database, insertRecord_storesDatesAsText_foundByYearMonthAndDayPatterns)
{
    exec(db, "CREATE TABLE Movimento ( id INTEGER PRIMARY KEY, conta_nome VarChar, data Date, saida Double )");
    DatabaseRecord r;
    r.Column("conta_nome", "Banco");
    r.DateColumn("data", QDate(2006, 3, 5));
    ASSERT_TRUE(db.InsertRecord("Movimento", r));
    ASSERT_TRUE(db.Commit());
    EXPECT_EQ(db.LastRowId(), 1);
    for (const char* pattern : {"2006%", "_____03%", "________05%"}) {
        auto rs = db.SQLSelect("SELECT data, saida IS NULL FROM Movimento WHERE data LIKE ?", {pattern});
        ASSERT_TRUE(rs);
        ASSERT_EQ(rs->RecordCount(), 1) << pattern;
        EXPECT_EQ(rs->IdxField(1).StringValue(), "2006-03-05");
        EXPECT_EQ(rs->IdxField(1).DateValue(), QDate(2006, 3, 5));
        EXPECT_EQ(rs->IdxField(2).StringValue(), "1") << "columns not set stay NULL";
    }
}

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
    {
        Transaction tx(db);
        ASSERT_TRUE(db.SQLExecute("INSERT INTO t VALUES ('two')"));
        EXPECT_TRUE(tx.commit());
    }
    EXPECT_EQ(testsupport::column(db, "SELECT * FROM t"), QStringList({"two"}));

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
    EXPECT_EQ(testsupport::column(db, "SELECT * FROM t ORDER BY a"), QStringList({"four", "three", "two"}));
}

TEST_F(Database, operationsAfterClose_returnAnError)
{
    db.Close();
    EXPECT_FALSE(db.SQLExecute("CREATE TABLE t (a)"));
    EXPECT_TRUE(db.Error());
    EXPECT_EQ(db.SQLSelect("SELECT 1"), nullptr);
    EXPECT_FALSE(db.SQLSelectEach("SELECT 1", {}, [](const RowReader&) {}));
    EXPECT_FALSE(db.InsertRecord("t", DatabaseRecord()));
    EXPECT_FALSE(db.Commit());
    Transaction tx(db);
    EXPECT_FALSE(tx.active());
}

TEST(DatabaseConnect, refusesGarbageWithCode26_andMissingFilesWithoutCreatingThem)
{
    const QString garbage = testsupport::tempPath("garbage.rbd");
    QFile f(garbage);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'g'));
    f.close();
    SQLDatabase db;
    db.setDatabaseFile(garbage);
    EXPECT_FALSE(db.Connect());
    EXPECT_EQ(db.ErrorCode(), 26);
    EXPECT_FALSE(db.ErrorMessage().isEmpty());
    EXPECT_FALSE(db.IsConnected());

    db.setDatabaseFile(testsupport::tempPath("missing.rbd"));
    EXPECT_FALSE(db.Connect());
    EXPECT_FALSE(QFile::exists(db.DatabaseFile()));
}
