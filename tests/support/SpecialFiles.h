#pragma once

// Things in a folder that are not regular files, for the tests of writers
// that must leave them alone: a FIFO, a character device of the test's own
// (made with the numbers of /dev/null, so that a fault that replaced it would
// not touch the system's own; making one needs root, as the CI runs), and
// what a path is, a link followed.

#include <QString>

namespace testsupport {

bool makeFifo(const QString& path);
bool makeNullDevice(const QString& path);
// "file", "folder", "fifo", "device", "nothing" or "link to " and what the link points to.
QString fileKind(const QString& path);

} // namespace testsupport
