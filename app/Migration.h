#pragma once

// Older versions kept the database beside the program.

#include <QString>

// Moves `programFolder`/Tovira.rbd to `dataFile`, leaving a copy
// Tovira_OLD.rbd beside the program. Nothing is ever replaced, and the file
// beside the program is removed only once both copies are complete; when
// either copy cannot be made it stays where it is. True when it was moved.
bool MigrateLegacyDatabase(const QString& programFolder, const QString& dataFile);
