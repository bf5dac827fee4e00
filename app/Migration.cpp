#include "app/Migration.h"

#include "platform/Files.h"

#include <QFile>
#include <QFileInfo>

bool MigrateLegacyDatabase(const QString& programFolder, const QString& dataFile)
{
    const QString legacy = programFolder + QStringLiteral("/Tovira.rbd");
    if (!QFileInfo(legacy).isFile())
        return false;
    const bool copied = CopyFileWhole(legacy, dataFile);
    const bool kept = CopyFileWhole(legacy, programFolder + QStringLiteral("/Tovira_OLD.rbd"));
    return copied && kept && QFile::remove(legacy);
}
