#pragma once

// Things in a folder that are not regular files, for the tests of writers
// that must leave them alone and readers that must refuse them: a FIFO, a
// character device of the test's own (made with the numbers of /dev/null, so
// that a fault that replaced it would not touch the system's own; making one
// needs root, as the CI runs), what a path is, a link followed, and a
// watchdog that keeps a FIFO from holding a reader.

#include <QList>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace testsupport {

bool makeFifo(const QString& path);
bool makeNullDevice(const QString& path);
// "file", "folder", "fifo", "device", "nothing" or "link to " and what the link points to.
QString fileKind(const QString& path);

struct NotARegularFile
{
    const char* what;
    // Makes it at the path; a link points to the path with ".target" added.
    std::function<void(const QString& path)> make;
};
// A folder, a FIFO, a device, and a link to a FIFO or to a device; the
// devices only where one can be made.
QList<NotARegularFile> notRegularFiles();

// Opening a FIFO to read it waits for a writer, for ever in a test: a reader
// that took the FIFO for a file would hold the test until its time-out, and
// the run would show only that. For as long as it lives, a watchdog on the
// path (a FIFO or a link to one; anything else it leaves alone) opens the
// FIFO for writing whenever a reader has waited on it past a couple of
// seconds, which lets the reader go on, and records that it had to.
class FifoWatchdog
{
  public:
    explicit FifoWatchdog(const QString& path);
    ~FifoWatchdog();
    FifoWatchdog(const FifoWatchdog&) = delete;
    FifoWatchdog& operator=(const FifoWatchdog&) = delete;

    // Something waited on the FIFO to read it, until the watchdog let it go.
    bool released() const { return released_; }

  private:
    void watch(const QByteArray& path);

    std::mutex mutex_;
    std::condition_variable stop_;
    bool stopping_ = false;
    std::atomic<bool> released_ = false;
    std::thread thread_;
};

} // namespace testsupport
