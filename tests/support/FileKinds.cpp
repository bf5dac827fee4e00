#include "FileKinds.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace testsupport {

bool makeFifo(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool makeNullDevice(const QString& path)
{
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

QString fileKind(const QString& path)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("nothing");
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("link to ") + fileKind(QFileInfo(path).symLinkTarget());
    if (S_ISREG(st.st_mode))
        return QStringLiteral("file");
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("folder");
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("fifo");
    return S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? QStringLiteral("device") : QStringLiteral("other");
}

QList<NotARegularFile> notRegularFiles()
{
    const auto linked = [](bool (*make)(const QString&)) {
        return [make](const QString& path) { make(path + ".target"), QFile::link(path + ".target", path); };
    };
    QList<NotARegularFile> all = {
        {"a folder", [](const QString& path) { QDir().mkpath(path); }},
        {"a FIFO", makeFifo},
        {"a link to a FIFO", linked(makeFifo)},
    };
    if (makeNullDevice(tempPath(QStringLiteral("probe"))))
        all << NotARegularFile{"a device", makeNullDevice}
            << NotARegularFile{"a link to a device", linked(makeNullDevice)};
    return all;
}

FifoWatchdog::FifoWatchdog(const QString& path)
{
    struct stat st;
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &st) == 0 && S_ISFIFO(st.st_mode))
        thread_ = std::thread([this, name] { watch(name); });
}

FifoWatchdog::~FifoWatchdog()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    stop_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void FifoWatchdog::watch(const QByteArray& path)
{
    using namespace std::chrono_literals;
    std::unique_lock lock(mutex_);
    const auto stopping = [this] { return stopping_; };
    if (stop_.wait_for(lock, 2s, stopping))
        return;
    // Opened without waiting, the writing end fails unless a reader is there;
    // a reader let go may come back (to look at what it opened), so the
    // watchdog keeps looking.
    do {
        const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            released_ = true;
            ::close(fd);
        }
    } while (!stop_.wait_for(lock, 100ms, stopping));
}

} // namespace testsupport
