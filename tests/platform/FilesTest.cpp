#include "platform/Files.h"

#include "FileKinds.h"
#include "FullDisk.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

namespace {

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// The reason a device gives when it has none of its own.
QString unknownReason()
{
    return QFile().errorString();
}

} // namespace

// A folder in the file's place is told as what it is, for the caller to say
// so in the user's words; a missing folder fails with the system's reason.
TEST(Files, writeOntoAFolderOrIntoAMissingFolder_failsSayingWhy_andChangesNothing)
{
    const QString dir = testsupport::tempPath(QStringLiteral("Tovira"));
    ASSERT_TRUE(QDir().mkpath(dir));
    testsupport::writeFile(dir + QStringLiteral("/inside"), "x");
    const QString missing = testsupport::tempPath(QStringLiteral("no/such/folder/Tovira"));
    for (const auto& [path, result] :
         {std::pair(dir, FileWrite::NotARegularFile), std::pair(missing, FileWrite::Failed)}) {
        QString error;
        EXPECT_EQ(WriteTextLines(path, {QStringLiteral("a")}, &error), result) << path.toStdString();
        EXPECT_EQ(error.isEmpty(), result == FileWrite::NotARegularFile) << error.toStdString();
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
        {"a few lines over the older file",
         [&](QString* e) {
             return WriteTextLines(older, {"a", "b"}, e) == FileWrite::Written;
         }},
        {"many lines over the older file",
         [&](QString* e) {
             return WriteTextLines(older, QStringList(5000, QStringLiteral("line")), e) == FileWrite::Written;
         }},
        {"a few lines as a new file",
         [&](QString* e) { return WriteTextLines(folder + "/new", {"a"}, e) == FileWrite::Written; }},
        {"a small copy", [&](QString* e) { return CopyFileWhole(smallSource, copy, e); }},
        {"a large copy", [&](QString* e) { return CopyFileWhole(largeSource, copy, e); }},
    };
    for (const auto& [what, write] : writes) {
        SCOPED_TRACE(what);
        QString error;
        EXPECT_FALSE(write(&error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_NE(error, unknownReason());
        EXPECT_EQ(disk.entries(), QStringList({"Tovira"}));
        EXPECT_EQ(testsupport::readFile(older), QByteArray("older\n"));
    }
}

// A disk with a little room left takes part of a large write, with no error of
// its own: the write still fails, and says why.
TEST(Files, writeOrCopyLargerThanTheRoomLeft_failsNamingTheReason_andLeavesNothing)
{
    const QString folder = testsupport::tempPath(QStringLiteral("nearly-full"));
    testsupport::FullDisk disk(folder, {}, 16 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << disk.reason().toStdString();
    const QString source = testsupport::newFile(QByteArray(100000, 'x'), QStringLiteral("large.rbd"));
    const std::pair<const char*, std::function<bool(QString*)>> writes[] = {
        {"lines",
         [&](QString* e) {
             return WriteTextLines(folder + "/Tovira", QStringList(5000, "line"), e) == FileWrite::Written;
         }},
        {"many small writes",
         [&](QString* e) {
             return WriteFileWhole(
                        folder + "/Tovira",
                        [](QIODevice& out) {
                            for (int i = 0; i < 5000; ++i)
                                out.write("a line\n");
                            return true; // as a writer that leaves the failure to the commit
                        },
                        e) == FileWrite::Written;
         }},
        {"a copy", [&](QString* e) { return CopyFileWhole(source, folder + "/Tovira.rbd", e); }},
    };
    for (const auto& [what, write] : writes) {
        SCOPED_TRACE(what);
        QString error;
        EXPECT_FALSE(write(&error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_NE(error, unknownReason());
        EXPECT_EQ(disk.entries(), QStringList());
    }
}

// A write goes only where a regular file is or nothing is: a link is followed
// to its file and stays a link; a folder, a FIFO or a device, or a link to
// one, is refused and left as it was, with nothing written beside it.
TEST(Files, writeOntoWhatIsNotARegularFile_isRefusedLeavingItAsItWas_aLinkToAFileIsFollowed)
{
    QList<testsupport::NotARegularFile> targets = {
        {"a file", [](const QString& p) { testsupport::writeFile(p, "older"); }},
        {"a link to a file",
         [](const QString& p) { testsupport::writeFile(p + ".target", "older"), QFile::link(p + ".target", p); }},
        {"a link to nothing", [](const QString& p) { QFile::link(p + ".target", p); }},
    };
    const qsizetype written = targets.size();
    targets << testsupport::notRegularFiles();
    for (qsizetype i = 0; i < targets.size(); ++i) {
        SCOPED_TRACE(targets[i].what);
        const QString path = testsupport::tempPath(QStringLiteral("Tovira"));
        targets[i].make(path);
        const QString kind = testsupport::fileKind(path);
        const QStringList entries = entriesOf(QFileInfo(path).path());
        int calls = 0;
        QString error;
        const FileWrite result = WriteFileWhole(
            path, [&](QIODevice& out) { return ++calls, out.write("new\n") == 4; }, &error);
        const bool done = result == FileWrite::Written;
        EXPECT_EQ(done, i < written);
        EXPECT_EQ(testsupport::fileKind(path), kind == "link to nothing" ? "link to file" : kind);
        if (done) {
            EXPECT_EQ(testsupport::readFile(path), "new\n");
            continue;
        }
        EXPECT_EQ(calls, 0);
        // Told as what it is, with no text of its own: the caller says it in the user's words.
        EXPECT_EQ(result, FileWrite::NotARegularFile);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        EXPECT_EQ(entriesOf(QFileInfo(path).path()), entries);
    }
}

// The commit's own failure, after every write went well: the folder moved away
// under the file, or a folder put in its place. The failure is told with its
// reason, and nothing is left under the file's name or beside it.
TEST(Files, commitThatFails_failsWithAReason_andLeavesNothing)
{
    const std::tuple<const char*, std::function<QString(const QString&)>, QStringList> meanwhile[] = {
        {"the folder moved away",
         [](const QString& folder) { return QDir().rename(folder, folder + ".moved"), folder + ".moved"; },
         {}},
        {"a folder in the file's place",
         [](const QString& folder) { return QDir().mkpath(folder + "/Tovira/inside"), folder; },
         {"Tovira"}},
    };
    for (const auto& [what, change, left] : meanwhile) {
        SCOPED_TRACE(what);
        const QString folder = testsupport::tempPath(QStringLiteral("folder"));
        QDir().mkpath(folder);
        QString changed;
        QString error;
        const FileWrite result = WriteFileWhole(
            folder + "/Tovira",
            [&](QIODevice& out) {
                const bool wrote = out.write("new\n") == 4;
                changed = change(folder);
                return wrote;
            },
            &error);
        EXPECT_EQ(result, FileWrite::Failed);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_NE(error, unknownReason());
        EXPECT_EQ(entriesOf(changed), left);
        EXPECT_FALSE(QFileInfo(folder + "/Tovira").isFile());
    }
}

// A source that opens but cannot be read (a migration's source on a failing
// disk) gives no copy, not a short one.
TEST(Files, copyOfASourceThatFailsWhileRead_failsWithAReason_andLeavesNoCopy)
{
    const QString copy = testsupport::tempPath(QStringLiteral("Tovira.rbd"));
    QString error;
    EXPECT_FALSE(CopyFileWhole(QStringLiteral("/proc/self/mem"), copy, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_TRUE(entriesOf(QFileInfo(copy).path()).isEmpty());
}

// The bounded reader with 3 lines of at most 10 bytes: it reads no further
// than 36 bytes (each line at its longest, with CR LF). A line of 10 bytes is
// kept, one of 11 reads as empty, one that the limit cuts reads as empty
// whatever its length, and a line past the limit as missing; a huge file costs
// no more than that.
TEST(Files, readTextLines_keepsLinesUpToTheLimit_andReadsNoFurtherThanTheLinesCanReach)
{
    const QByteArray ten = "0123456789";
    const std::pair<QByteArray, QStringList> cases[] = {
        {ten + "\n" + ten + "a\nok", {ten, "", "ok"}},
        {ten + "\r\n" + ten + "\r\n" + ten + "\r\n", {ten, ten, ten}},
        {QByteArray(30, 'x') + "\nabcdefghi\nok\n", {"", ""}},
        {QByteArray(40, 'x') + "\nok\n", {""}},
    };
    for (const auto& [bytes, expected] : cases) {
        QStringList lines;
        ASSERT_TRUE(ReadTextLines(testsupport::newFile(bytes), lines, 3, 10));
        EXPECT_EQ(lines, expected) << bytes.toStdString();
    }

    // A file of 256 MB, mostly a hole, with a line at its end.
    const QString huge = testsupport::newFile("ok\n");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.resize(256 << 20) && file.seek(file.size()));
        file.write("\nend\n");
    }
    QStringList lines;
    ASSERT_TRUE(ReadTextLines(huge, lines, 3, 10));
    EXPECT_EQ(lines, QStringList({"ok", ""}));
}
