#pragma once

// The program carries its Portuguese texts only. A translation made for it,
// "tovira_<language>.qm" in the program's translations folder, replaces them
// key by key ("Module1.kContas"...); a key it does not hold keeps its text.
// Qt's own texts (file dialogs, standard buttons) follow: Brazilian Portuguese
// with the built-in texts, the translation's language with a translation.

#include <QLocale>
#include <QStringList>

// Installs the translation for the locale's languages from the first folder
// that holds one, in place of any installed before, and Qt's texts of the
// language the program then speaks; false when there is none.
bool LoadTranslation(const QLocale& locale, const QStringList& folders);

// Start-up, before the first text is shown: the program's name and the
// translation for the user's language.
void PrepareApplicationTexts();
