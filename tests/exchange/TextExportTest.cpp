// The export command and the file it writes to: any file can be chosen, a
// link to a file is written through, and what is not a regular file, or a
// disk that cannot take the file, is told with its reason.

#include "AppFixture.h"
#include "FullDisk.h"
#include "FileKinds.h"

using ExportCommand = AppTest;

namespace {

// The save dialog, noting the filter it is given.
struct SaveDialog : FileDialogService
{
    QString filter = QStringLiteral("<none given>");
    QString answer;
    QString openFile(const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString& f) override { return filter = f, answer; }
};

} // namespace

TEST_F(ExportCommand, saveDialog_hidesNoFile)
{
    openDatabase();
    SaveDialog dialog;
    seams::setFileDialogs(&dialog);
    App::ExportaDados();
    seams::setFileDialogs(&recorder);
    EXPECT_EQ(dialog.filter, QString());
}

TEST_F(ExportCommand, ontoWhatIsNotARegularFile_isRefusedAndLeftAlone_aLinkToAFileIsWrittenThrough)
{
    openDatabase();
    addTransaction("Banco", "Casa", "  -  ", "2026-03-05", "10", "");
    const auto linkToAFile = [](const QString& p) {
        testsupport::writeFile(p + ".target", "older export\n");
        QFile::link(p + ".target", p);
    };
    QList<testsupport::NotARegularFile> targets = {{"a link to a file", linkToAFile}};
    targets << testsupport::notRegularFiles();
    for (const auto& [what, make] : targets) {
        SCOPED_TRACE(what);
        recorder.clear();
        const QString path = testsupport::tempPath("Tovira Export.txt");
        make(path);
        const QString kind = testsupport::fileKind(path);
        const QStringList entries = QDir(QFileInfo(path).path()).entryList(QDir::AllEntries | QDir::System);
        recorder.fileNames << path;
        App::ExportaDados();
        EXPECT_EQ(testsupport::fileKind(path), kind);
        EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::AllEntries | QDir::System), entries);
        if (kind == "link to file") {
            EXPECT_TRUE(recorder.messages().isEmpty());
            EXPECT_TRUE(testsupport::readFile(path + ".target").startsWith("Conta:\t"));
            continue;
        }
        EXPECT_EQ(recorder.messages(),
                  QStringList({Module1::kMsgExportacaoFalhou() + "\n\n" + Module1::kMsgNaoEArquivoComum().arg(path)}));
    }
}

// A full disk, or one with less room than the export needs (which takes part
// of a write with no error of its own): the message names the disk's reason.
TEST_F(ExportCommand, ontoAFullOrNearlyFullDisk_namesTheReason_andLeavesNothing)
{
    openDatabase();
    exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
         "INSERT INTO Movimento (conta_nome, conta, data, entrada) SELECT 'Banco', 'Casa', '2026-03-05', i FROM n");
    for (const qint64 room : {0, 16 * 1024}) {
        SCOPED_TRACE(room);
        recorder.clear();
        const QString folder = testsupport::tempPath("disk");
        testsupport::FullDisk disk(folder, {}, room);
        if (!disk.mounted())
            GTEST_SKIP() << disk.reason().toStdString();
        recorder.fileNames << folder + "/Tovira Export.txt";
        App::ExportaDados();
        ASSERT_EQ(recorder.messages().size(), 1);
        const QStringList parts = recorder.messages()[0].split("\n\n");
        ASSERT_EQ(parts.size(), 2);
        EXPECT_EQ(parts[0], Module1::kMsgExportacaoFalhou());
        EXPECT_FALSE(parts[1].isEmpty());
        for (const QString& unknown : {QFile().errorString(), QString("Unknown error"), QString("Erro desconhecido")})
            EXPECT_NE(parts[1], unknown);
        EXPECT_TRUE(disk.entries().isEmpty());
    }
}
