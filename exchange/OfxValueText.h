#pragma once

// The text of the values of an OFX statement, written straight onto the end
// of the one string that holds the texts of all its transactions: decoded,
// then its entities, line ends and control characters dealt with where they
// lie, each step only ever shortening it. A value of any length is never
// held twice over. Also the conversion of a wide statement to UTF-8, the
// form the reader reads.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringConverter>

namespace ofxtext {

// How the values' bytes are read. UTF-8 is read leniently: a value that is
// not valid UTF-8 is read as Windows-1252, the encoding of the banks that do
// not say theirs (or say the wrong one).
enum class Charset {
    Utf8,
    Windows1252,
};

// A statement in UTF-16 or UTF-32 as the UTF-8 it stands for, behind a
// byte-order mark that declares it over whatever its header says.
QByteArray utf8OfWide(QByteArrayView bytes, QStringConverter::Encoding encoding);

// Appends the bytes as text: ASCII as it stands, valid UTF-8 as UTF-8 where
// that is the charset, anything else as Windows-1252.
void appendDecoded(QString& texts, QByteArrayView bytes, Charset charset);

// Each of these works on the end of `texts`, from `from` on: the value being written.
// "&amp;", "&#233;", "&#xE9;": a "&" that starts no known entity is kept as
// written (SGML files often carry a bare "&").
void decodeEntitiesFrom(QString& texts, qsizetype from);
// A value is kept on one line: line ends and the blanks around them fold to
// one blank, and blanks at either end are dropped. Other blanks stay as written.
void foldFrom(QString& texts, qsizetype from);
// A memo goes into the ledger's comments and, from there, into one line of
// the tab-separated export: its control characters (tabs and line ends
// among them, as entities may give them) become blanks.
void oneLineFrom(QString& texts, qsizetype from);

} // namespace ofxtext
