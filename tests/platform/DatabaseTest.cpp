#include "platform/Database.h"
#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

using testsupport::exec;

namespace {

std::unique_ptr<SQLDatabase> openNew()
{
    auto db = std::make_unique<SQLDatabase>();
    db->setDatabaseFile(testsupport::tempPath(QStringLiteral("t.rbd")));
    EXPECT_TRUE(db->CreateDatabaseFile());
    return db;
}

} // namespace

TEST(Database, nullFields_readAsEmptyTextAndZero)
{
    auto db = openNew();
    exec(*db, "CREATE TABLE t (a VarChar, b Double)");
    exec(*db, "INSERT INTO t VALUES (NULL, NULL)");
    auto rs = db->SQLSelect("SELECT a, b, sum(b) FROM t");
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->IdxField(1).StringValue(), "");
    EXPECT_EQ(rs->IdxField(2).DoubleValue(), 0.0);
    EXPECT_EQ(rs->IdxField(3).StringValue(), "");
    EXPECT_EQ(rs->IdxField(3).DoubleValue(), 0.0);
}

TEST(Database, selectStar_followsDeclaredColumnOrder_andRecordSetIsReadWhole)
{
    auto db = openNew();
    exec(*db, "CREATE TABLE t (z VarChar, a Double, m VarChar)");
    exec(*db, "INSERT INTO t VALUES ('first', 1200.5, 'x')");
    exec(*db, "INSERT INTO t VALUES ('second', 0.1, 'y')");
    auto rs = db->SQLSelect("SELECT * FROM t ORDER BY a DESC");
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->FieldCount(), 3);
    EXPECT_EQ(rs->ColumnNames(), QStringList({"z", "a", "m"}));
    EXPECT_EQ(rs->RecordCount(), 2);
    // Writing while the record set is held must not disturb it.
    exec(*db, "DELETE FROM t");
    EXPECT_EQ(rs->IdxField(1).StringValue(), "first");
    EXPECT_EQ(rs->IdxField(2).StringValue(), "1200.5");
    rs->MoveNext();
    EXPECT_EQ(rs->IdxField(2).StringValue(), "0.1");
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
}

TEST(Database, failingStatement_givesNilAndCodeAndMessage_successResetsThem)
{
    auto db = openNew();
    EXPECT_EQ(db->SQLSelect("SELECT * FROM missing"), nullptr);
    EXPECT_TRUE(db->Error());
    EXPECT_EQ(db->ErrorCode(), 1);
    EXPECT_TRUE(db->ErrorMessage().contains("no such table")) << db->ErrorMessage().toStdString();
    EXPECT_TRUE(db->SQLSelect("SELECT 1"));
    EXPECT_FALSE(db->Error());
    EXPECT_EQ(db->ErrorCode(), 0);
    EXPECT_EQ(db->ErrorMessage(), "");
    EXPECT_FALSE(db->SQLExecute("SELECT 1; DROP TABLE x"));
    EXPECT_TRUE(db->Error());
}

TEST(Database, boundValues_selectAndChangeExactlyTheirOwnRows)
{
    auto db = openNew();
    exec(*db, "CREATE TABLE Contas (nome VarChar)");
    for (const char* name : {"D'Ávila", "x' OR '1'='1", "Banco"})
        ASSERT_TRUE(db->SQLExecute("INSERT INTO Contas (nome) VALUES (?)", {QString::fromUtf8(name)}));
    auto rs = db->SQLSelect("SELECT nome FROM Contas WHERE nome = ?", {QStringLiteral("x' OR '1'='1")});
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->RecordCount(), 1);
    ASSERT_TRUE(db->SQLExecute("UPDATE Contas SET nome = ? WHERE nome = ?",
                               {QStringLiteral("Dávila"), QString::fromUtf8("D'Ávila")}));
    rs = db->SQLSelect("SELECT nome FROM Contas ORDER BY nome");
    QStringList names;
    for (; !rs->Eof(); rs->MoveNext())
        names << rs->IdxField(1).StringValue();
    EXPECT_EQ(names, QStringList({"Banco", "Dávila", "x' OR '1'='1"}));
}

TEST(Database, insertRecord_assignsId_storesDatesAsText_leavesUnsetColumnsNull)
{
    auto db = openNew();
    exec(*db, "CREATE TABLE Movimento ( id INTEGER PRIMARY KEY, conta_nome VarChar, data Date, entrada Double, "
              "saida Double )");
    DatabaseRecord r;
    r.Column("conta_nome", "Banco");
    r.DateColumn("data", QDate(2006, 3, 5));
    r.DoubleColumn("entrada", 12.5);
    ASSERT_TRUE(db->InsertRecord("Movimento", r));
    ASSERT_TRUE(db->Commit());
    EXPECT_EQ(db->LastRowId(), 1);
    for (const char* pattern : {"2006%", "_____03%", "________05%"}) {
        auto rs = db->SQLSelect("SELECT id, data, saida IS NULL FROM Movimento WHERE data LIKE ?", {pattern});
        ASSERT_TRUE(rs);
        ASSERT_EQ(rs->RecordCount(), 1) << pattern;
        EXPECT_EQ(rs->IdxField(2).StringValue(), "2006-03-05");
        EXPECT_EQ(rs->IdxField(2).DateValue(), QDate(2006, 3, 5));
        EXPECT_EQ(rs->IdxField(3).IntegerValue(), 1);
    }
}

TEST(Database, transaction_rollsBackUnlessCommitted_andKeepsTheFailure)
{
    auto db = openNew();
    exec(*db, "CREATE TABLE t (a VarChar)");
    exec(*db, "CREATE TRIGGER refuse BEFORE INSERT ON t WHEN NEW.a = 'bad' BEGIN SELECT RAISE(ABORT, 'x'); END");
    {
        Transaction tx(*db);
        ASSERT_TRUE(tx.active());
        ASSERT_TRUE(db->SQLExecute("INSERT INTO t VALUES ('one')"));
        EXPECT_FALSE(db->SQLExecute("INSERT INTO t VALUES ('bad')"));
    }
    EXPECT_EQ(db->ErrorCode(), 19);
    EXPECT_EQ(db->ErrorMessage(), "x");
    EXPECT_FALSE(db->InTransaction());
    EXPECT_EQ(db->SQLSelect("SELECT * FROM t")->RecordCount(), 0);
    {
        Transaction tx(*db);
        ASSERT_TRUE(db->SQLExecute("INSERT INTO t VALUES ('two')"));
        EXPECT_TRUE(tx.commit());
    }
    EXPECT_EQ(db->SQLSelect("SELECT * FROM t")->RecordCount(), 1);
}

TEST(Database, operationsAfterClose_returnAnError)
{
    auto db = openNew();
    db->Close();
    EXPECT_FALSE(db->SQLExecute("CREATE TABLE t (a)"));
    EXPECT_TRUE(db->Error());
    EXPECT_EQ(db->SQLSelect("SELECT 1"), nullptr);
    EXPECT_FALSE(db->InsertRecord("t", DatabaseRecord()));
    EXPECT_FALSE(db->Commit());
    Transaction tx(*db);
    EXPECT_FALSE(tx.active());
}

TEST(Database, connect_refusesGarbageAndMissingFiles)
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
