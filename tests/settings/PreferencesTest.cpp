// The preferences window: its pop-up rules and the lock row without a
// window, then the window itself against a running main window.

#include "app/Password.h"
#include "app/Schema.h"
#include "platform/Database.h"
#include "settings/PreferencesChoices.h"
#include "settings/PreferencesLock.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using testsupport::exec;

namespace {

std::unique_ptr<SQLDatabase> newDataFile()
{
    auto db = std::make_unique<SQLDatabase>();
    db->setDatabaseFile(testsupport::tempPath(QStringLiteral("Tovira.rbd")));
    EXPECT_TRUE(db->CreateDatabaseFile());
    EXPECT_TRUE(Schema::Create(*db));
    Schema::Upgrade(*db);
    return db;
}

QStringList lockRows(SQLDatabase& db)
{
    QStringList rows;
    auto rs = db.SQLSelect(QStringLiteral("SELECT pcod2 FROM pwd WHERE pcod1='1'"));
    EXPECT_TRUE(rs);
    for (; rs && !rs->Eof(); rs->MoveNext())
        rows << rs->IdxField(1).StringValue();
    return rows;
}

} // namespace

TEST(PreferencesChoices, monthRowFor_ownRowTodosForEmptyJanuaryForUnknown)
{
    const QStringList rows = PreferencesChoices::MonthRows();
    ASSERT_EQ(rows.size(), 14);
    EXPECT_EQ(rows[0], QString::fromUtf8("Janeiro"));
    EXPECT_EQ(rows[11], QString::fromUtf8("Dezembro"));
    EXPECT_EQ(PreferencesChoices::MonthRowFor(QString::fromUtf8("Março")), 2);
    EXPECT_EQ(PreferencesChoices::MonthRowFor(QStringLiteral("Dezembro")), 11);
    EXPECT_EQ(PreferencesChoices::MonthRowFor(QStringLiteral("Todos")), 12);
    EXPECT_EQ(PreferencesChoices::MonthRowFor(QString()), 12);
    EXPECT_EQ(PreferencesChoices::MonthRowFor(QStringLiteral("Atual")), 13);
    EXPECT_EQ(PreferencesChoices::MonthRowFor(QStringLiteral("Brumário")), 0);
    // The comparison is exact, like every other text comparison of the program.
    EXPECT_EQ(PreferencesChoices::MonthRowFor(QStringLiteral("dezembro")), 0);
}

TEST(PreferencesChoices, startAccountRow_savedNameElseFirst_todasTakesLast_noneGivesNothing)
{
    const QStringList names{"Banco", "Carteira", "Poupança"};
    EXPECT_EQ(PreferencesChoices::StartAccountRow(names, QStringLiteral("Carteira")), 1);
    EXPECT_EQ(PreferencesChoices::StartAccountRow(names, QStringLiteral("Fechada")), 0);
    EXPECT_EQ(PreferencesChoices::StartAccountRow(names, QString()), 0);
    EXPECT_EQ(PreferencesChoices::StartAccountRow(names, QStringLiteral("Todas")), 2);
    EXPECT_EQ(PreferencesChoices::StartAccountRow({"A", "B", "A"}, QStringLiteral("A")), 2);
    EXPECT_EQ(PreferencesChoices::StartAccountRow({}, QStringLiteral("Banco")), -1);
}

TEST(PreferencesLock, checkEntry_differingBlankAndKeptPasswords)
{
    using PreferencesLock::CheckEntry;
    using PreferencesLock::Entry;
    EXPECT_EQ(CheckEntry("segredo", "segredo", false), Entry::Accepted);
    EXPECT_EQ(CheckEntry(" seg ", " seg ", true), Entry::Accepted);
    EXPECT_EQ(CheckEntry("segredo", "Segredo", false), Entry::Differ);
    EXPECT_EQ(CheckEntry("segredo", "", true), Entry::Differ);
    EXPECT_EQ(CheckEntry("   ", "   ", true), Entry::Blank);
    EXPECT_EQ(CheckEntry("", "", false), Entry::Blank);
    EXPECT_EQ(CheckEntry("", "", true), Entry::KeepStored);
}

TEST(PreferencesLock, writeLockRow_leavesExactlyOneRowWhenOn_noneWhenOff)
{
    auto db = newDataFile();
    exec(*db, "INSERT INTO pwd (pcod1, pcod2) VALUES ('1', 'old'), ('1', 'older'), ('2', 'other')");
    ASSERT_TRUE(PreferencesLock::WriteLockRow(*db, true, QStringLiteral("new form")));
    EXPECT_EQ(lockRows(*db), QStringList{"new form"});
    EXPECT_FALSE(db->InTransaction());

    ASSERT_TRUE(PreferencesLock::WriteLockRow(*db, false, QString()));
    EXPECT_TRUE(lockRows(*db).isEmpty());
    // Only the lock row is the window's business.
    auto rest = db->SQLSelect(QStringLiteral("SELECT count(*) FROM pwd"));
    ASSERT_TRUE(rest);
    EXPECT_EQ(rest->IdxField(1).IntegerValue(), 1);
}

TEST(PreferencesLock, writeLockRow_failedInsert_keepsTheOldRowAndTheError)
{
    auto db = newDataFile();
    exec(*db, "INSERT INTO pwd (pcod1, pcod2) VALUES ('1', 'old')");
    exec(*db, "CREATE TRIGGER no_new_lock BEFORE INSERT ON pwd BEGIN SELECT RAISE(ABORT, 'disk says no'); END");
    EXPECT_FALSE(PreferencesLock::WriteLockRow(*db, true, QStringLiteral("new form")));
    EXPECT_TRUE(db->Error());
    EXPECT_TRUE(db->ErrorMessage().contains("disk says no")) << db->ErrorMessage().toStdString();
    EXPECT_FALSE(db->InTransaction());
    EXPECT_EQ(lockRows(*db), QStringList{"old"});
}

TEST(PreferencesLock, writeLockRow_failedRemoval_keepsTheLock)
{
    auto db = newDataFile();
    exec(*db, "INSERT INTO pwd (pcod1, pcod2) VALUES ('1', 'old')");
    exec(*db, "CREATE TRIGGER keep_lock BEFORE DELETE ON pwd BEGIN SELECT RAISE(ABORT, 'locked'); END");
    EXPECT_FALSE(PreferencesLock::WriteLockRow(*db, false, QString()));
    EXPECT_TRUE(db->Error());
    EXPECT_EQ(lockRows(*db), QStringList{"old"});
}
