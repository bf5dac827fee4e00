#pragma once

// The text of an imported file, whatever program wrote it: bank and
// spreadsheet exports come in UTF-8, in UTF-16 (with a byte-order mark or
// without one) and in the Windows Western encoding, with Mac, Unix or Windows
// line ends.

#include "exchange/ImportFile.h"

#include <QByteArray>
#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <optional>

// The encoding of a text in UTF-16 or UTF-32: the one its byte-order mark
// names or, with no mark, UTF-16 of either byte order when its bytes show it
// (every second byte of ASCII text is zero). Nothing for any other text.
std::optional<QStringConverter::Encoding> WideEncodingOf(QByteArrayView bytes);

// The lines of an imported file: in the wide encoding WideEncodingOf finds;
// else UTF-8 (a byte-order mark dropped) when the bytes are valid UTF-8; else
// Windows-1252, of which Latin-1 is a part. The bytes are let go before the
// lines are returned.
QStringList DecodeImportLines(QByteArray bytes);

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

// Reads a whole file as lines (ReadImportBytes, then DecodeImportLines).
ImportFileProblem ReadImportFile(const QString& path, QStringList& lines);
