#include "platform/Files.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QStringList folderEntries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

TEST(Files, writeThenRead_roundTripsUtf8Lines_replacesTheOldFile_readMissingLeavesLinesAlone)
{
    const QString path = testsupport::tempPath(QStringLiteral("Tovira"));
    testsupport::writeFile(path, "old contents that are longer than the new ones\n");
    const QStringList lines = {QStringLiteral("Março"), QString(), QStringLiteral("\tTAB")};
    ASSERT_TRUE(WriteTextLines(path, lines));
    EXPECT_EQ(testsupport::readFile(path), QByteArray("Mar\xc3\xa7o\n\n\tTAB\n"));
    QStringList read;
    ASSERT_TRUE(ReadTextLines(path, read));
    EXPECT_EQ(read, lines);
    EXPECT_EQ(folderEntries(QFileInfo(path).path()), QStringList({"Tovira"})) << "no temporary file left behind";

    EXPECT_FALSE(ReadTextLines(path + QStringLiteral("-missing"), read));
    EXPECT_EQ(read, lines);
}

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
    EXPECT_EQ(folderEntries(dir), QStringList({"inside"}));
    EXPECT_EQ(testsupport::readFile(dir + QStringLiteral("/inside")), QByteArray("x"));
    EXPECT_FALSE(QFileInfo::exists(missing));
}
