#pragma once

// The text of an imported file, whatever program wrote it: bank and
// spreadsheet exports come in UTF-8, in UTF-16 (with a byte-order mark) and
// in the Windows Western encoding, with Mac, Unix or Windows line ends.

#include <QByteArray>
#include <QString>
#include <QStringList>

// The encoding a byte-order mark names (the mark itself is dropped); else
// UTF-8 when the bytes are valid UTF-8; else Windows-1252, of which Latin-1
// is a part.
QString DecodeImportText(const QByteArray& bytes);

// Bytes in the Windows Western encoding (Windows-1252).
QString DecodeWindows1252(QByteArrayView bytes);

// What bytes are as UTF-8: plain ASCII, valid UTF-8 with at least one
// multi-byte character, or not UTF-8 at all (a stray byte, a cut, an
// overlong form or a surrogate).
enum class Utf8Form {
    Ascii,
    MultiByte,
    Invalid,
};
Utf8Form Utf8FormOf(QByteArrayView bytes);

// The lines of a text, split at CR, LF or CRLF, line ends dropped. A line end
// at the very end of the text ends the last line and starts no empty one.
QStringList SplitImportLines(const QString& text);

// Reads a whole file as lines; false with the reason in `error` when it cannot be read.
bool ReadImportFile(const QString& path, QStringList& lines, QString* error = nullptr);
