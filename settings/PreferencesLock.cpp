#include "settings/PreferencesLock.h"

#include "platform/Database.h"

namespace PreferencesLock {

Entry CheckEntry(const QString& first, const QString& second, bool hasStored)
{
    if (first.isEmpty() && second.isEmpty() && hasStored)
        return Entry::KeepStored;
    if (first != second)
        return Entry::Differ;
    if (first.trimmed().isEmpty())
        return Entry::Blank;
    return Entry::Accepted;
}

bool WriteLockRow(SQLDatabase& db, bool on, const QString& stored)
{
    // Deleting the old row and inserting the new one must both happen or
    // neither: a half-done change could leave the program with no lock at all.
    Transaction tx(db);
    if (!tx.active())
        return false;
    if (!db.SQLExecute(QStringLiteral("DELETE FROM pwd WHERE pcod1='1'")))
        return false;
    if (on) {
        DatabaseRecord row;
        row.Column(QStringLiteral("pcod1"), QStringLiteral("1"));
        row.Column(QStringLiteral("pcod2"), stored);
        if (!db.InsertRecord(QStringLiteral("pwd"), row))
            return false;
    }
    return tx.commit();
}

} // namespace PreferencesLock
