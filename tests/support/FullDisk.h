#pragma once

// A real file system with no room left: a small tmpfs mounted on a folder for
// the life of the object and filled up, so that a write fails as it fails on
// a user's full disk (with small writes failing only when they are flushed).
// Mounting needs root, as the CI runs; where it is refused the test skips:
//
//     FullDisk disk(folder);
//     if (!disk.mounted())
//         GTEST_SKIP() << disk.reason();

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace testsupport {

class FullDisk
{
  public:
    // Mounts on `folder` (made when missing), puts `files` on it (name, bytes),
    // then takes every byte that is left but `room` (whole pages): a write
    // larger than that is taken only in part.
    explicit FullDisk(const QString& folder, const QList<std::pair<QString, QByteArray>>& files = {}, qint64 room = 0);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool mounted() const { return mounted_; }
    QString reason() const { return reason_; }
    // The names on the file system, but the filler that takes its room.
    QStringList entries() const;

  private:
    QString folder_;
    bool mounted_ = false;
    QString reason_;
};

} // namespace testsupport
