#pragma once

// A bank statement in OFX, the SGML form of 1.x and the XML form of 2.x: the
// type, amount and memo of every statement transaction (STMTTRN), in every
// statement of the file. Nothing else of the file is read: dates,
// identifiers, payees, account data and balances are not the program's to
// import. No widgets: the import window shows the problem and the
// transactions.
//
// Read as banks write them: tags in any letter case, indented or not,
// closed or not; values over several lines; comments, CDATA sections and
// entities; a "<" that starts no tag kept as text; UTF-16 by its byte-order
// mark or its bytes, else the encoding the file declares, unless its bytes
// plainly say otherwise. A memo comes as one line of text: no control
// character, tab or line end.

#include "exchange/ImportFile.h"
#include "exchange/OfxTransactions.h"

#include <QByteArrayView>
#include <QString>

class QIODevice;

// How a transaction goes into the ledger: a credit or a debit of a positive
// amount, or why it cannot go.
struct OfxBooking
{
    enum class Problem {
        None,
        NotANumber, // not an amount as OFX writes one
        TooLarge,   // more than the ledger holds to the cent
    };
    Problem problem = Problem::None;
    bool credit = true;
    double amount = 0;
};

class OfxStatement
{
  public:
    // The whole device, opened for reading when it is not open yet; a file
    // past the import limit, or one that is not a plain file, is not read.
    static OfxStatement read(QIODevice& device);
    static OfxStatement read(const QString& path);
    // Bytes past the import limit are refused, as a file of that size is.
    static OfxStatement parse(QByteArrayView bytes);

    // In file order.
    const OfxTransactions& transactions() const& { return transactions_; }
    OfxTransactions transactions() && { return std::move(transactions_); }
    // Why the file was not read; ok() when it was read whole.
    const ImportFileProblem& problem() const { return problem_; }
    // The file ends inside a transaction: it was cut short, and the last
    // transaction (which is still kept) may be incomplete.
    bool endsInsideTransaction() const { return endsInsideTransaction_; }

    // The amount is an optional sign, digits and at most one "." or "," as
    // the decimal mark, with as many decimals as the bank writes. A negative
    // amount is a debit of its magnitude; a positive one a credit, unless the
    // type says debit (banks that write debits positive).
    static OfxBooking booking(const OfxTransaction& transaction);

  private:
    static OfxStatement readOrRefused(ImportFileProblem problem, QByteArray bytes);
    // Bytes within the limit, in UTF-8 or an 8-bit encoding.
    static OfxStatement parseNarrow(QByteArrayView bytes);

    OfxTransactions transactions_;
    ImportFileProblem problem_;
    bool endsInsideTransaction_ = false;
};
