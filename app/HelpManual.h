#pragma once

// Finding the user manual. The build puts the manuals in "help" beside the
// program; an installed program finds them in its share folder.

#include <QString>
#include <QStringList>

// "manual_br.pdf" for the language marker "port", "manual_eng.pdf" for any other.
QString ManualFileName(const QString& languageMarker);

// The folders looked in, in order, for a program in programFolder.
QStringList HelpFolders(const QString& programFolder);

// The manual's path in the first folder that holds it, or "" when none does.
QString FindManual(const QString& fileName, const QStringList& folders);

// The folder the manuals are looked for from: the running program's folder,
// unless a test has set another one ("" puts the program's folder back).
QString HelpProgramFolder();
void SetHelpProgramFolder(const QString& folder);
