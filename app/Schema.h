#pragma once

// The database file's tables: creation, the upgrades of older files, the
// lock row and the compaction at quit.

#include <QString>

class SQLDatabase;

namespace Schema {

// Runs the creation batch for a new file, in one transaction.
bool Create(SQLDatabase& db);

// Completes a file that a crash left half-created and adds what older files
// lack: the table pwd and the column Agenda.contatoplus. False when one of
// them or a base table is missing and cannot be made (the database's error
// state says why); other failures are ignored, and start-up goes on.
bool Upgrade(SQLDatabase& db);

// Whether the file has the five base tables, for a file that cannot be
// upgraded; when one is missing, the database's error state names it.
bool HasBaseTables(SQLDatabase& db);

struct LockRow
{
    bool readOk = false; // false: the read failed, the database has the reason
    bool on = false;
    QString stored; // the stored form of the password
};
// The lock row; a file without the table pwd (an older file opened for
// reading only, so not upgraded) has no lock.
LockRow ReadLockRow(SQLDatabase& db);

// Makes the lock row say `on` with the stored form `stored`: any old lock row
// goes, and a new one holds `stored` when the lock is on. One transaction:
// false when it failed, the old row is as it was and the database's error
// state tells why.
bool WriteLockRow(SQLDatabase& db, bool on, const QString& stored);

// One plain VACUUM; its result is ignored.
void Compact(SQLDatabase& db);

} // namespace Schema
