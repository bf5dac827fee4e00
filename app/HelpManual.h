#pragma once

// The program's own files that live beside it: the user manuals in "help" and
// the translations in "translations". The build puts them beside the program;
// an installed program finds them in its share folder.

#include <QString>
#include <QStringList>

// The folders looked in, in order, for the files of that kind ("help",
// "translations") of a program in programFolder.
QStringList ProgramDataFolders(const QString& programFolder, const QString& kind);

// "manual_br.pdf" for the language marker "port", "manual_eng.pdf" for any other.
QString ManualFileName(const QString& languageMarker);

// The manual's path in the first folder that holds it, or "" when none does.
QString FindManual(const QString& fileName, const QStringList& folders);
