#include "app/HelpManual.h"

#include "platform/Files.h"

#include <QDir>
#include <QFileInfo>

#ifndef TOVIRA_INSTALLED_HELP_DIR
#define TOVIRA_INSTALLED_HELP_DIR "../share/tovira/help"
#endif

namespace {
QString programFolderOverride;
}

QString ManualFileName(const QString& languageMarker)
{
    return languageMarker == QLatin1String("port") ? QStringLiteral("manual_br.pdf") : QStringLiteral("manual_eng.pdf");
}

QStringList HelpFolders(const QString& programFolder)
{
    const QDir program(programFolder);
    return {QDir::cleanPath(program.filePath(QStringLiteral("help"))),
            QDir::cleanPath(program.filePath(QStringLiteral(TOVIRA_INSTALLED_HELP_DIR)))};
}

QString FindManual(const QString& fileName, const QStringList& folders)
{
    for (const QString& folder : folders) {
        const QFileInfo manual(QDir(folder).filePath(fileName));
        if (manual.isFile())
            return manual.absoluteFilePath();
    }
    return QString();
}

QString HelpProgramFolder()
{
    return programFolderOverride.isEmpty() ? ApplicationFolder() : programFolderOverride;
}

void SetHelpProgramFolder(const QString& folder)
{
    programFolderOverride = folder;
}
