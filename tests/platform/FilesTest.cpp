#include "platform/Files.h"

#include "FullDisk.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

TEST(Files, writeOntoAFolderOrIntoAMissingFolder_failsWithAReason_andChangesNothing)
{
    const QString dir = testsupport::tempPath(QStringLiteral("Tovira"));
    ASSERT_TRUE(QDir().mkpath(dir));
    testsupport::writeFile(dir + QStringLiteral("/inside"), "x");
    const QString missing = testsupport::tempPath(QStringLiteral("no/such/folder/Tovira"));
    for (const QString& path : {dir, missing}) {
        QString error;
        EXPECT_FALSE(WriteTextLines(path, {QStringLiteral("a")}, &error)) << path.toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList({"inside"}));
    EXPECT_EQ(testsupport::readFile(dir + QStringLiteral("/inside")), QByteArray("x"));
    EXPECT_FALSE(QFileInfo::exists(missing));
}

// On a file system with no room left a small write (which fails only when it
// is flushed), a large one and a copy each fail with a reason: the older file
// stays as it was, and no new file, empty or partial, is left.
TEST(Files, writeOrCopyOntoAFullDisk_failsWithAReason_leavingTheOlderFileAndNothingElse)
{
    const QString folder = testsupport::tempPath(QStringLiteral("full"));
    testsupport::FullDisk disk(folder, {{QStringLiteral("Tovira"), "older\n"}});
    if (!disk.mounted())
        GTEST_SKIP() << disk.reason().toStdString();
    const QString older = folder + QStringLiteral("/Tovira");
    const QString copy = folder + QStringLiteral("/Tovira.rbd");
    const QString smallSource = testsupport::newFile("SQLite format 3", QStringLiteral("small.rbd"));
    const QString largeSource = testsupport::newFile(QByteArray(100000, 'x'), QStringLiteral("large.rbd"));
    const std::pair<const char*, std::function<bool(QString*)>> writes[] = {
        {"a few lines over the older file", [&](QString* e) { return WriteTextLines(older, {"a", "b"}, e); }},
        {"many lines over the older file",
         [&](QString* e) { return WriteTextLines(older, QStringList(5000, QStringLiteral("line")), e); }},
        {"a few lines as a new file", [&](QString* e) { return WriteTextLines(folder + "/new", {"a"}, e); }},
        {"a small copy", [&](QString* e) { return CopyFileWhole(smallSource, copy, e); }},
        {"a large copy", [&](QString* e) { return CopyFileWhole(largeSource, copy, e); }},
    };
    for (const auto& [what, write] : writes) {
        SCOPED_TRACE(what);
        QString error;
        EXPECT_FALSE(write(&error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(disk.entries(), QStringList({"Tovira"}));
        EXPECT_EQ(testsupport::readFile(older), QByteArray("older\n"));
    }
}
