#pragma once

// What the user is told when an imported file is not read, the same for the
// text import and the OFX import.

#include "exchange/ImportFile.h"

#include <QString>

// "Não foi possível ler o arquivo." and why: the system's reason, the
// file's size against the limit, or that the file at `path` is not a plain file.
QString ImportFileMessage(const ImportFileProblem& problem, const QString& path);
