#pragma once

// Folders and text files.

#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;

QString DocumentsFolder();
QString PreferencesFolder();
// The folder that holds the running program, unless a test has set another
// one with SetApplicationFolder ("" puts the program's own folder back).
QString ApplicationFolder();
void SetApplicationFolder(const QString& folder);

// Creates a folder with all its missing parents; true when it exists afterwards.
bool EnsureFolder(const QString& path);

// Reads the first `maxLines` lines of a text file (UTF-8, line ends dropped,
// a CR before them too), up to `maxLineBytes` bytes a line: a line that is
// longer, or that is not text (bytes that are not UTF-8, control characters),
// reads as empty. It reads no further than that many lines could reach at
// their longest, so a huge file costs no more than a normal one (the lines
// past that point read as missing). False when the file cannot be read.
bool ReadTextLines(const QString& path, QStringList& lines, int maxLines, qsizetype maxLineBytes);

// Whether a file written at `path` lands in a regular file: nothing is there,
// or a regular file is (a link counts as what it points to). A folder, a
// device or a FIFO is not.
bool IsRegularFileOrNothing(const QString& path);

// How the writing of a whole file ended.
enum class FileWrite {
    Written,
    // The target is not a regular file (IsRegularFileOrNothing): it was left
    // as it is, and `error` is left alone, for the caller to say so in the
    // user's words.
    NotARegularFile,
    // `error` says why: the device's reason, when it has one.
    Failed,
};

// Writes a file whole: `write` puts the content on the open device and says
// whether all of it was taken. The file takes its name only once every write,
// the flush and the commit succeeded; otherwise an older file of that name
// stays as it was and nothing is left beside it. A target that is not a
// regular file is refused before `write` runs.
FileWrite WriteFileWhole(const QString& path, const std::function<bool(QIODevice&)>& write, QString* error = nullptr);

// Writes the lines, each ended by a line end, as one whole file (as WriteFileWhole).
FileWrite WriteTextLines(const QString& path, const QStringList& lines, QString* error = nullptr);

// Copies a file whole: the copy appears under its name only once complete,
// and an existing target is never replaced.
bool CopyFileWhole(const QString& from, const QString& to, QString* error = nullptr);
