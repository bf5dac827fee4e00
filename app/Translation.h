#pragma once

// The program carries its Portuguese texts only. A translation made for it,
// "tovira_<language>.qm" in the program's translations folder, replaces them
// key by key ("Module1.kContas"...); a key it does not hold keeps its text.

#include <QLocale>
#include <QStringList>

// Installs the translation for the locale's languages from the first folder
// that holds one, in place of any installed before; false when there is none.
bool LoadTranslation(const QLocale& locale, const QStringList& folders);

// Start-up, before the first text is shown: the program's name (the title of
// its message boxes) and the translation for the user's language.
void PrepareApplicationTexts();
