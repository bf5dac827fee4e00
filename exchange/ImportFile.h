#pragma once

// The reading of a file chosen for an import, before anything is decoded:
// only plain files, read whole, and never past a size limit, whatever the
// file says of itself or does while it is read.

#include <QByteArray>
#include <QString>

class QIODevice;

// Imported files are read whole, and refused past this size: a bank
// statement or a ledger's export is a few megabytes.
inline constexpr qint64 kImportFileLimit = qint64(256) << 20;

// Why an imported file was not read.
struct ImportFileProblem
{
    enum class Kind {
        None,
        Unreadable, // `reason` holds the system's words
        NotAFile,   // a folder, a device or a pipe
        TooLarge,   // past kImportFileLimit: `size` is the file's size, or 0 when it grew past it while read
    };
    Kind kind = Kind::None;
    QString reason;
    qint64 size = 0;

    bool ok() const { return kind == Kind::None; }
};

// Reads what is left of a device, opening it for reading when it is not open
// yet; never more than the limit, whatever the device says it holds.
ImportFileProblem ReadImportBytes(QIODevice& device, QByteArray& bytes);
// The same for a plain file, refused before anything is read when it is
// larger than the limit or not a plain file.
ImportFileProblem ReadImportBytes(const QString& path, QByteArray& bytes);
