#pragma once

// The text import's reading of a tab-separated file, without widgets: which
// of the two accepted layouts the file has, the first data line for the
// preview, and each line turned into the transaction it stands for. The
// import window turns the problems found into the program's messages.
//
// Own layout: the program's export, recognised by the first seven captions
// of its header; columns account, category, contact, date, credit, debit,
// verified, comment. Generic layout: any file whose first line holds a TAB;
// columns account, category, contact, date, credit, debit, further columns
// ignored; the first line is a header when its first five fields are not
// numbers.

#include "exchange/TextDecoding.h"

#include <QDate>
#include <QString>
#include <QStringList>

enum class TextLayout { Own, Generic };

struct TextPreview
{
    enum class Problem {
        None,
        NothingToRead, // no line with anything in it, or an own header with no data line
        NoTab,         // the first line holds no TAB
        Incompatible,  // a generic first data line missing or with an empty field among the six
    };
    Problem problem = Problem::None;
    TextLayout layout = TextLayout::Generic;
    // Where the import starts reading (when the problem is None).
    TextPosition firstData;
    // The first data line's account, category, contact, date, credit, debit
    // and (own layout) verified fields; absent fields are empty.
    QStringList fields;
};

// The layout of the file and where its first data line starts. Lines with
// nothing in them count for nothing.
struct TextStart
{
    TextLayout layout = TextLayout::Generic;
    bool found = false; // there is a data line
    TextPosition firstData;
};

// `ownCaptions`: the seven captions that open the program's own header.
// Reads the lines up to the first data line, and no further.
TextPreview PreviewText(const ImportText& text, const QStringList& ownCaptions);
TextStart FindTextStart(const ImportText& text, const QStringList& ownCaptions);

// The "no contact" text a transaction carries in place of a contact.
QString NoContactText();

struct ImportedLine
{
    // In the order they are found. A line with any problem but Blank is
    // refused whole: neither its names nor its transaction are stored.
    enum class Problem {
        None,
        Blank,           // nothing in the line: skipped without a word
        MissingFields,   // fewer fields than the layout has
        BadAccount,      // an account no register takes: empty, blank, or with a control character
        BadCategory,     // the same for the category
        BadContact,      // a contact with a control character
        EmptyCredit,     // a generic line whose credit column is empty
        EmptyDebit,      // a generic line with a zero credit and an empty debit column
        BadAmount,       // an amount field that is not a number
        TooLargeAmount,  // an amount too large to keep to the cent
        AmbiguousAmount, // "5.000": a thousands group or three decimals
        TooManyDecimals, // more than two decimals
        ZeroAmount,      // the amount read is zero
        BadDate,         // a date field that is not a date
    };
    Problem problem = Problem::None;
    // The amount field as the file writes it, for the message of a refused one.
    QString amountText;
    QString account;
    QString category;
    QString contact;
    // False for the no-contact text, which is not a name for the contacts register.
    bool offerContact = true;
    double amount = 0;
    bool credit = true;
    QDate date;
    bool verified = false;
    QString comment;
};

// `verifiedText`: the text that marks a verified row in the own layout ("Sim").
// Only the fields the line's transaction needs are decoded.
ImportedLine ReadImportLine(const TextLine& line, TextLayout layout, const QString& verifiedText);
// The same for a line already decoded.
ImportedLine ReadImportLine(const QString& line, TextLayout layout, const QString& verifiedText);
