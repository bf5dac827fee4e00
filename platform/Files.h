#pragma once

// Folders and text files.

#include <QString>
#include <QStringList>

QString DocumentsFolder();
QString PreferencesFolder();
// The folder that holds the running program, unless a test has set another
// one with SetApplicationFolder ("" puts the program's own folder back).
QString ApplicationFolder();
void SetApplicationFolder(const QString& folder);

// Creates a folder with all its missing parents; true when it exists afterwards.
bool EnsureFolder(const QString& path);

// Reads a text file line by line (UTF-8, line ends dropped); false when it cannot be read.
bool ReadTextLines(const QString& path, QStringList& lines);

// Writes the lines, each ended by a line end, as one whole file: a failed
// write leaves any older file as it was. On failure `error` says why.
bool WriteTextLines(const QString& path, const QStringList& lines, QString* error = nullptr);

// Copies a file whole: the copy appears under its name only once complete,
// and an existing target is never replaced.
bool CopyFileWhole(const QString& from, const QString& to, QString* error = nullptr);
