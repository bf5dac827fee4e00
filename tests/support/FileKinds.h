#pragma once

// Things in a folder that are not regular files, for the tests of writers
// that must leave them alone: a FIFO, a character device of the test's own
// (made with the numbers of /dev/null, so that a fault that replaced it would
// not touch the system's own; making one needs root, as the CI runs), and
// what a path is, a link followed.

#include <QList>
#include <QString>
#include <functional>

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

} // namespace testsupport
