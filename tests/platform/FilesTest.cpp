#include "platform/Files.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
