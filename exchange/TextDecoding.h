#pragma once

// The text of an imported file, whatever program wrote it: bank and
// spreadsheet exports come in UTF-8, in UTF-16 (with a byte-order mark or
// without one) and in the Windows Western encoding, with Mac, Unix or Windows
// line ends. The text is held whole as it was read and handed out a line at a
// time, each line decoded field by field as it is read: no object is kept per
// line, so a file of empty or short lines costs no more than its size.

#include "exchange/ImportFile.h"

#include <QByteArray>
#include <QString>
#include <QStringConverter>
#include <array>
#include <optional>

// The encoding of a text in UTF-16 or UTF-32: the one its byte-order mark
// names or, with no mark, UTF-16 of either byte order when its bytes show it
// (every second byte of ASCII text is zero). Nothing for any other text.
std::optional<QStringConverter::Encoding> WideEncodingOf(QByteArrayView bytes);

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

// One line of an imported text, without its line end, where it lies in the
// text: its TAB-separated fields are decoded one at a time as they are asked
// for, so a long line is never held decoded beside the fields taken from it.
// It views the text it was made from, which must outlive it.
class TextLine
{
  public:
    // Fields past this many are never split off: no layout reads them, only
    // whether a line has that many.
    static constexpr qsizetype kSplitFields = 9;

    TextLine() = default;
    // A line already decoded.
    explicit TextLine(QStringView chars);
    // A line in UTF-8 (`form` Ascii or MultiByte) or Windows-1252 (Invalid).
    TextLine(QByteArrayView bytes, Utf8Form form);

    // Nothing in it but blanks (spaces, TABs and the like).
    bool isBlank() const;
    // The number of fields, counted up to kSplitFields.
    qsizetype fieldCount() const { return tabs_ + 1; }
    // Field `index` (from 0), decoded; empty past the last one.
    QString field(qsizetype index) const;
    // The whole line, decoded.
    QString text() const;

  private:
    QString decoded(qsizetype from, qsizetype to) const;
    void split(qsizetype length, const auto& isTab);

    QStringView chars_;
    QByteArrayView bytes_;
    Utf8Form form_ = Utf8Form::Ascii;
    bool wide_ = true;
    // Where the first fields end (at their TAB): tabs_ of them.
    std::array<qsizetype, kSplitFields - 1> ends_{};
    qsizetype tabs_ = 0;
};

// Where a line of an ImportText starts: the offset of its first unit (a byte,
// or a character of a decoded text) and the number of lines before it.
struct TextPosition
{
    qsizetype offset = 0;
    qsizetype linesBefore = 0;
};

class ImportText
{
  public:
    ImportText() = default;
    // The text of a file's bytes: in the wide encoding WideEncodingOf finds,
    // decoded whole and the bytes let go; else the bytes themselves, read as
    // UTF-8 (a byte-order mark dropped) when they are valid UTF-8, else as
    // Windows-1252, of which Latin-1 is a part.
    explicit ImportText(QByteArray bytes);

    bool isEmpty() const { return size() == 0; }
    // The length of the text in the units of TextPosition::offset.
    qsizetype size() const { return wide_ ? chars_.size() : bytes_.size(); }
    // Lets the text's memory go.
    void clear() { *this = ImportText(); }

    // Reads the line that starts at `at` into `line` and moves `at` to the
    // next one, so that `at.linesBefore` is the number (from 1) of the line
    // read. False at the end of the text. Lines end at CR, LF or CRLF; a line
    // end at the very end of the text ends the last line and starts no empty
    // one.
    bool readLine(TextPosition& at, TextLine& line) const;

  private:
    QByteArray bytes_;
    QString chars_;
    bool wide_ = false;
    Utf8Form form_ = Utf8Form::Ascii;
    // Past a UTF-8 byte-order mark.
    qsizetype start_ = 0;
};

// Reads a whole file as an import's text (ReadImportBytes, then ImportText).
ImportFileProblem ReadImportText(const QString& path, ImportText& text);
