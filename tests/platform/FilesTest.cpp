#include "platform/Files.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeRaw(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QStringList folderEntries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

TEST(Files, writeThenRead_roundTripsUtf8Lines_andReplacesTheOldFile)
{
    const QString path = testsupport::tempPath(QStringLiteral("Tovira"));
    writeRaw(path, "old contents that are longer than the new ones\n");
    const QStringList lines = {QStringLiteral("Março"), QString(), QStringLiteral("\tTAB")};
    ASSERT_TRUE(WriteTextLines(path, lines));
    EXPECT_EQ(contents(path), QByteArray("Mar\xc3\xa7o\n\n\tTAB\n"));
    QStringList read;
    ASSERT_TRUE(ReadTextLines(path, read));
    EXPECT_EQ(read, lines);
    EXPECT_EQ(folderEntries(QFileInfo(path).path()), QStringList({"Tovira"})) << "no temporary file left behind";
}

TEST(Files, readMissingFile_failsAndLeavesTheLinesAlone)
{
    QStringList lines = {QStringLiteral("kept")};
    EXPECT_FALSE(ReadTextLines(testsupport::tempPath(QStringLiteral("missing")), lines));
    EXPECT_EQ(lines, QStringList({"kept"}));
}

TEST(Files, writeOntoADirectory_failsWithAReason_andLeavesItAlone)
{
    const QString dir = testsupport::tempPath(QStringLiteral("Tovira"));
    ASSERT_TRUE(QDir().mkpath(dir));
    writeRaw(dir + QStringLiteral("/inside"), "x");
    QString error;
    EXPECT_FALSE(WriteTextLines(dir, {QStringLiteral("a")}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(dir).isDir());
    EXPECT_EQ(contents(dir + QStringLiteral("/inside")), QByteArray("x"));
}

TEST(Files, writeIntoAFolderThatCannotBeWritten_failsAndKeepsTheOldFile)
{
    const QString path = testsupport::tempPath(QStringLiteral("Tovira"));
    const QString dir = QFileInfo(path).path();
    writeRaw(path, "old\n");
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
    // The superuser writes anywhere; only an ordinary user can see the refusal.
    QFile probe(dir + QStringLiteral("/probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "folder permissions do not bind this user";
    }
    QString error;
    EXPECT_FALSE(WriteTextLines(path, {QStringLiteral("new")}, &error));
    EXPECT_FALSE(error.isEmpty());
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(contents(path), QByteArray("old\n"));
    EXPECT_EQ(folderEntries(dir), QStringList({"Tovira"}));
}

TEST(Files, writeIntoAMissingFolder_fails)
{
    const QString path = testsupport::tempPath(QStringLiteral("no/such/folder/Tovira"));
    QString error;
    EXPECT_FALSE(WriteTextLines(path, {QStringLiteral("a")}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(Files, copyFileWhole_copiesEveryByte)
{
    const QString from = testsupport::tempPath(QStringLiteral("Tovira.rbd"));
    QByteArray data;
    for (int i = 0; i < 300000; ++i)
        data.append(char(i * 7));
    writeRaw(from, data);
    const QString to = testsupport::tempPath(QStringLiteral("Tovira_OLD.rbd"));
    ASSERT_TRUE(CopyFileWhole(from, to));
    EXPECT_EQ(contents(to), data);
    EXPECT_EQ(contents(from), data);
}

TEST(Files, copyFileWhole_neverReplacesAnExistingTarget)
{
    const QString from = testsupport::tempPath(QStringLiteral("Tovira.rbd"));
    const QString to = testsupport::tempPath(QStringLiteral("Tovira.rbd"));
    writeRaw(from, "new");
    writeRaw(to, "precious");
    QString error;
    EXPECT_FALSE(CopyFileWhole(from, to, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(contents(to), QByteArray("precious"));
    // A file copied onto itself is the same case, and survives.
    EXPECT_FALSE(CopyFileWhole(from, from));
    EXPECT_EQ(contents(from), QByteArray("new"));
    // Nor is a folder in the target's place replaced.
    const QString dir = testsupport::tempPath(QStringLiteral("Tovira"));
    ASSERT_TRUE(QDir().mkpath(dir));
    EXPECT_FALSE(CopyFileWhole(from, dir));
    EXPECT_TRUE(QFileInfo(dir).isDir());
}

TEST(Files, copyFileWhole_ofAMissingSource_failsAndCreatesNothing)
{
    const QString to = testsupport::tempPath(QStringLiteral("copy"));
    QString error;
    EXPECT_FALSE(CopyFileWhole(testsupport::tempPath(QStringLiteral("missing")), to, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(to));
    EXPECT_TRUE(folderEntries(QFileInfo(to).path()).isEmpty());
}

TEST(Files, ensureFolder_createsEveryMissingParent_andRefusesAFileInTheWay)
{
    const QString deep = testsupport::tempPath(QStringLiteral("a/b/c/Tovira"));
    EXPECT_TRUE(EnsureFolder(deep));
    EXPECT_TRUE(QFileInfo(deep).isDir());
    EXPECT_TRUE(EnsureFolder(deep));
    const QString file = testsupport::tempPath(QStringLiteral("Tovira"));
    writeRaw(file, "x");
    EXPECT_FALSE(EnsureFolder(file));
    EXPECT_EQ(contents(file), QByteArray("x"));
}
