#include "app/HelpManual.h"

#include "TestSupport.h"

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
    EXPECT_EQ(ManualFileName(QStringLiteral("port")), QLatin1String("manual_br.pdf"));
    EXPECT_EQ(ManualFileName(QStringLiteral("eng")), QLatin1String("manual_eng.pdf"));
    EXPECT_EQ(ManualFileName(QString()), QLatin1String("manual_eng.pdf"));
    EXPECT_EQ(ManualFileName(QStringLiteral("Port")), QLatin1String("manual_eng.pdf"));
}

TEST(HelpManual, buildTreeAndInstalledTree_bothFound)
{
    const QString root = QFileInfo(testsupport::tempPath(QStringLiteral("prefix"))).absoluteFilePath();
    // Installed: <prefix>/bin/tovira and <prefix>/share/tovira/help.
    touch(root + QStringLiteral("/share/tovira/help/manual_eng.pdf"));
    QDir().mkpath(root + QStringLiteral("/bin"));
    EXPECT_EQ(FindManual(QStringLiteral("manual_eng.pdf"), HelpFolders(root + QStringLiteral("/bin"))),
              root + QStringLiteral("/share/tovira/help/manual_eng.pdf"));
    EXPECT_EQ(FindManual(QStringLiteral("manual_br.pdf"), HelpFolders(root + QStringLiteral("/bin"))), QString());

    // Build tree: help/ beside the program wins over an installed copy.
    touch(root + QStringLiteral("/bin/help/manual_eng.pdf"));
    EXPECT_EQ(FindManual(QStringLiteral("manual_eng.pdf"), HelpFolders(root + QStringLiteral("/bin"))),
              root + QStringLiteral("/bin/help/manual_eng.pdf"));
}

TEST(HelpManual, aFolderNamedLikeTheManual_isNotAManual)
{
    const QString program = testsupport::tempPath(QStringLiteral("program"));
    QDir().mkpath(program + QStringLiteral("/help/manual_br.pdf"));
    EXPECT_EQ(FindManual(QStringLiteral("manual_br.pdf"), HelpFolders(program)), QString());
}

// The manuals the build laid out are real PDF documents of several pages.
TEST(HelpManual, builtManuals_arePdfsOfMoreThanOnePage)
{
    for (const char* name : {"manual_br.pdf", "manual_eng.pdf"}) {
        SCOPED_TRACE(name);
        QFile file(QStringLiteral(TOVIRA_BUILT_HELP_DIR "/") + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        EXPECT_TRUE(pdf.startsWith("%PDF-"));
        EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
        static const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
        const qsizetype pages = QString::fromLatin1(pdf).count(pageObject);
        EXPECT_GE(pages, 2);
    }
}

} // namespace
