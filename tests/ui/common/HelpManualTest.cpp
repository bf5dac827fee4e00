#include "app/HelpManual.h"
#include "app/App.h"

#include "Recorder.h"
#include "TestSupport.h"
#include "platform/Files.h"
#include "ui/common/Module1.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(HelpManual, languageMarker_portChoosesPortuguese_anythingElseEnglish)
{
    for (const char* marker : {"eng", "", "Port"})
        EXPECT_EQ(ManualFileName(QLatin1String(marker)), QLatin1String("manual_eng.pdf")) << marker;
    EXPECT_EQ(ManualFileName(QStringLiteral("port")), QLatin1String("manual_br.pdf"));
}

TEST(HelpManual, foundInTheBuildTreeFirst_thenInTheInstalledTree_neverAFolderOfThatName)
{
    // Installed: <prefix>/bin/tovira and <prefix>/share/tovira/help; built: help/ beside the program.
    const QString root = QFileInfo(testsupport::tempPath(QStringLiteral("prefix"))).absoluteFilePath();
    const QStringList folders = ProgramDataFolders(root + QStringLiteral("/bin"), QStringLiteral("help"));
    touch(root + QStringLiteral("/share/tovira/help/manual_eng.pdf"));
    QDir().mkpath(root + QStringLiteral("/bin/help/manual_br.pdf"));
    EXPECT_EQ(FindManual(QStringLiteral("manual_eng.pdf"), folders),
              root + QStringLiteral("/share/tovira/help/manual_eng.pdf"));
    EXPECT_EQ(FindManual(QStringLiteral("manual_br.pdf"), folders), QString());
    touch(root + QStringLiteral("/bin/help/manual_eng.pdf"));
    EXPECT_EQ(FindManual(QStringLiteral("manual_eng.pdf"), folders), root + QStringLiteral("/bin/help/manual_eng.pdf"));
}

// The built manual opens; where no program opens it, the user is told where it
// is; where there is none, that it is missing.
TEST(HelpManual, helpCommand_opensTheBuiltPortugueseManual_orSaysWhyNot)
{
    Recorder recorder;
    const QString manual = QFileInfo(QStringLiteral(TOVIRA_BUILT_HELP_DIR "/manual_br.pdf")).canonicalFilePath();
    SetApplicationFolder(QStringLiteral(TOVIRA_PROGRAM_DIR));
    App::_mHelp2_Action();
    EXPECT_TRUE(recorder.messages().isEmpty());
    ASSERT_EQ(recorder.openedDocuments.size(), 1);
    EXPECT_EQ(QFileInfo(recorder.openedDocuments[0]).canonicalFilePath(), manual);

    recorder.launchResult = false;
    App::_mHelp2_Action();
    ASSERT_EQ(recorder.messages().size(), 1);
    EXPECT_TRUE(recorder.messages()[0].startsWith(Module1::kMsgAjudaSemLeitor() + QStringLiteral("\n\n")));
    EXPECT_EQ(QFileInfo(recorder.messages()[0].section(QLatin1Char('\n'), 2)).canonicalFilePath(), manual);

    SetApplicationFolder(testsupport::tempPath(QStringLiteral("bin")));
    App::_mHelp2_Action();
    SetApplicationFolder(QString());
    EXPECT_EQ(recorder.messages().last(), QStringLiteral("Arquivo de ajuda ausente"));
    EXPECT_EQ(recorder.openedDocuments.size(), 2);
}

} // namespace
