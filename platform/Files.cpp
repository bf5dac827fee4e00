#include "platform/Files.h"

#include "platform/Format.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

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

// The line as text, or nothing when it is not text.
QString textOrNothing(QByteArrayView line)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(line);
    return utf8.hasError() || HasControlCharacter(text) ? QString() : text;
}

} // namespace

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

bool ReadTextLines(const QString& path, QStringList& lines, int maxLines, qsizetype maxLineBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Enough for the lines wanted at their longest, and never more: a huge
    // file costs no more to read than a normal one.
    const qint64 reach = qint64(maxLines) * (maxLineBytes + 2);
    const QByteArray head = file.read(file.size() > 0 ? qMin(reach, file.size()) : reach);
    if (file.error() != QFileDevice::NoError)
        return false;
    lines.clear();
    for (qsizetype start = 0; lines.size() < maxLines && start < head.size();) {
        qsizetype end = head.indexOf('\n', start);
        // A last line that the read cut off is too long, whatever its length here.
        const bool cut = end < 0 && !file.atEnd();
        if (end < 0)
            end = head.size();
        QByteArrayView line(head.constData() + start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        lines << (cut || line.size() > maxLineBytes ? QString() : textOrNothing(line));
        start = end + 1;
    }
    return true;
}

bool WriteFileWhole(const QString& path, const std::function<bool(QIODevice&)>& write, QString* error)
{
    QSaveFile file(path);
    const auto fail = [&] {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail();
    // Qt holds up to 16 KB in a buffer of its own, and its commit does not see
    // that writing the buffer out failed: only the flush says a disk is full.
    if (!write(file) || !file.flush() || !file.commit())
        return fail();
    return true;
}

bool WriteTextLines(const QString& path, const QStringList& lines, QString* error)
{
    QByteArray data;
    for (const QString& line : lines)
        data += line.toUtf8() + '\n';
    return WriteFileWhole(
        path, [&](QIODevice& out) { return out.write(data) == data.size(); }, error);
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
    const auto copy = [&](QIODevice& out) {
        constexpr qint64 piece = 1 << 20;
        for (QByteArray data = source.read(piece); !data.isEmpty(); data = source.read(piece))
            if (out.write(data) != data.size())
                return false;
        return source.error() == QFileDevice::NoError;
    };
    if (WriteFileWhole(to, copy, error))
        return true;
    if (error && source.error() != QFileDevice::NoError)
        *error = source.errorString();
    return false;
}
