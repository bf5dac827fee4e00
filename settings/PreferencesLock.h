#pragma once

// The password lock as the preferences window sets it: the check of the two
// typed passwords. The lock row itself is written by Schema::WriteLockRow.

#include <QString>

namespace PreferencesLock {

enum class Entry {
    Accepted,   // the typed password becomes the new one
    KeepStored, // both fields left empty while a password is stored: keep it
    Differ,     // the two fields differ
    Blank,      // empty or blanks only
};

// Judges the two password fields of a ticked lock box. `hasStored` tells
// whether a password is stored now (the fields never show it back).
Entry CheckEntry(const QString& first, const QString& second, bool hasStored);

} // namespace PreferencesLock
