#include "settings/PreferencesLock.h"

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

} // namespace PreferencesLock
