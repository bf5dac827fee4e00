#include "FullDisk.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace testsupport {

namespace {

constexpr char fillerName[] = ".filler";

// Writes zeros until the file system refuses another byte, then gives `room` back.
bool fillUp(const QString& path, qint64 room)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    const QByteArray block(4096, '\0');
    ssize_t written = 0;
    off_t size = 0;
    while ((written = ::write(fd, block.constData(), std::size_t(block.size()))) > 0)
        size += written;
    const bool full = errno == ENOSPC && size >= room && ::ftruncate(fd, size - off_t(room)) == 0;
    ::close(fd);
    return full;
}

} // namespace

FullDisk::FullDisk(const QString& folder, const QList<std::pair<QString, QByteArray>>& files, qint64 room)
    : folder_(folder)
{
    QDir().mkpath(folder_);
    if (::mount("tmpfs", QFile::encodeName(folder_).constData(), "tmpfs", 0, "size=200k") != 0) {
        reason_ = QStringLiteral("cannot mount a small tmpfs on %1 (%2): the full-disk case needs root")
                      .arg(folder_, QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    mounted_ = true;
    for (const auto& [name, bytes] : files) {
        QFile file(folder_ + QLatin1Char('/') + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
            reason_ = QStringLiteral("cannot put %1 on the small file system").arg(name);
    }
    if (!fillUp(folder_ + QLatin1Char('/') + QLatin1String(fillerName), room))
        reason_ = QStringLiteral("cannot fill the small file system");
    if (!reason_.isEmpty()) {
        ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
        mounted_ = false;
    }
}

FullDisk::~FullDisk()
{
    if (mounted_)
        ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
}

QStringList FullDisk::entries() const
{
    QStringList names = QDir(folder_).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    names.removeAll(QLatin1String(fillerName));
    return names;
}

} // namespace testsupport
