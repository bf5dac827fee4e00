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

#include <QByteArrayView>
#include <QString>
#include <optional>
#include <vector>

class QIODevice;

struct OfxTransaction
{
    QString type;   // TRNTYPE as written: DEBIT, CREDIT, DEP, ...
    QString amount; // TRNAMT as written, with its sign
    QString memo;   // control characters made blanks: a row of the export is one line of tab-separated fields
};

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
    static OfxStatement parse(QByteArrayView bytes);

    // In file order.
    const std::vector<OfxTransaction>& transactions() const& { return transactions_; }
    std::vector<OfxTransaction> transactions() && { return std::move(transactions_); }
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
    static OfxStatement readOrRefused(ImportFileProblem problem, const QByteArray& bytes);

    std::vector<OfxTransaction> transactions_;
    ImportFileProblem problem_;
    bool endsInsideTransaction_ = false;
};
