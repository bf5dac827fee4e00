#pragma once

// The password lock as the preferences window sets it: the check of the two
// typed passwords and the writing of the lock row of table pwd.

#include <QString>

class SQLDatabase;

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

// Makes the lock row say `on` with the stored form `stored`: any old lock row
// goes, and a new one holds `stored` when the lock is on. One transaction:
// false when it failed, the old row is as it was and the database's error
// state tells why.
bool WriteLockRow(SQLDatabase& db, bool on, const QString& stored);

} // namespace PreferencesLock
