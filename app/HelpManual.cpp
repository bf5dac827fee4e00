#include "app/HelpManual.h"

#include <QDir>
#include <QFileInfo>

#ifndef TOVIRA_INSTALLED_DATA_DIR
#define TOVIRA_INSTALLED_DATA_DIR "../share/tovira"
#endif

QStringList ProgramDataFolders(const QString& programFolder, const QString& kind)
{
    const QDir program(programFolder);
    return {QDir::cleanPath(program.filePath(kind)),
            QDir::cleanPath(program.filePath(QStringLiteral(TOVIRA_INSTALLED_DATA_DIR "/") + kind))};
}

QString ManualFileName(const QString& languageMarker)
{
    return languageMarker == QLatin1String("port") ? QStringLiteral("manual_br.pdf") : QStringLiteral("manual_eng.pdf");
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
