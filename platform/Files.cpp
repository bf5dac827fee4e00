#include "platform/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

QString DocumentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString PreferencesFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

namespace {
QString applicationFolderOverride;
}

QString ApplicationFolder()
{
    return applicationFolderOverride.isEmpty() ? QCoreApplication::applicationDirPath() : applicationFolderOverride;
}

void SetApplicationFolder(const QString& folder)
{
    applicationFolderOverride = folder;
}

bool EnsureFolder(const QString& path)
{
    return QDir().mkpath(path) && QFileInfo(path).isDir();
}

bool ReadTextLines(const QString& path, QStringList& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    lines.clear();
    while (!in.atEnd())
        lines << in.readLine();
    return true;
}

bool WriteTextLines(const QString& path, const QStringList& lines, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QByteArray data;
    for (const QString& line : lines)
        data += line.toUtf8() + '\n';
    if (file.write(data) != data.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

bool CopyFileWhole(const QString& from, const QString& to, QString* error)
{
    if (QFileInfo::exists(to)) {
        if (error)
            *error = QStringLiteral("%1 already exists").arg(to);
        return false;
    }
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        if (error)
            *error = source.errorString();
        return false;
    }
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly)) {
        if (error)
            *error = target.errorString();
        return false;
    }
    const QByteArray data = source.readAll();
    if (source.error() != QFile::NoError || target.write(data) != data.size() || !target.commit()) {
        if (error)
            *error = source.error() != QFile::NoError ? source.errorString() : target.errorString();
        return false;
    }
    return true;
}
