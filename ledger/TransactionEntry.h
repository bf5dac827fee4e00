#pragma once

// One transaction as the transaction window holds it, checked and turned into
// the Movimento row it stands for. No widgets: the window copies its fields in
// and decides what to tell the user about the problem found.

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

#include "platform/Database.h"
#include "platform/Format.h"

// The window's fields as texts, or the hand-over names on the path without a user.
struct TransactionFields
{
    QString account;
    QString category;
    QString contact;
    QString amountText;
    QString dateText;
    bool credit = true;
    bool verified = false;
    QString comment;
    // An amount and a date the program hands over itself (a row stored
    // without a user), taken as they are rather than read from the texts.
    std::optional<double> amount;
    std::optional<QDate> date;
};

// The row a change was opened on: which row to replace, the texts its fields
// were shown with, and its stored values. What the user leaves as it was
// shown is saved as it was stored, so that an untouched edit changes nothing.
struct OpenedRow
{
    QString id;
    QString shownAmount;
    bool shownCredit = true;
    QString shownDate;
    // An edit field holds at most 32,767 characters: a longer comment (an
    // imported memo) is shown cut, and kept whole unless the user changes it.
    QString shownComment;
    bool stored = false; // the values below were read from the database
    QString account;
    QString category;
    QString contact;
    QVariant entrada;
    QVariant saida;
    QString data;
    QString conciliado;
    QString comentarios;
};

class TransactionEntry
{
  public:
    // In the order they are checked.
    enum class Problem {
        None,
        NoAccount,
        NoCategory,
        BadAmount, // amountReading() tells why
        ZeroAmount,
        BadDate,
    };

    // `withUser` false skips the account and category checks (the schedule
    // posting and the import hand the names over). `opened`, when given, must
    // outlive the entry.
    TransactionEntry(TransactionFields fields, bool withUser, const OpenedRow* opened = nullptr);

    Problem problem() const { return problem_; }
    // The typed amount as the amount reader took it.
    const AmountReading& amountReading() const { return amountReading_; }
    const QString& amountText() const { return fields_.amountText; }
    // The row to store; meaningful when problem() is None.
    DatabaseRecord record() const;

    const QString& account() const { return fields_.account; }
    const QString& category() const { return fields_.category; }

  private:
    bool keepsStoredAmount() const;
    bool keepsStoredDate() const;
    bool keepsStoredComment() const;
    bool readDate();
    void check(bool withUser);

    TransactionFields fields_;
    const OpenedRow* opened_;
    double amount_ = 0;
    AmountReading amountReading_;
    QDate date_;
    Problem problem_ = Problem::None;
};

// The writes of the ledger's transaction commands.
namespace TransactionStore {

// What a save came to. A save with a user stores only names the registers
// hold at that moment, checked in the same transaction as the write, so a
// name renamed or deleted while the window was open is never stored.
enum class Outcome {
    Stored,
    Failed,       // the database's error state tells why; nothing changed
    AccountGone,  // the account is no longer in the register
    CategoryGone, // the category is neither in the register nor the changed row's own
    RowGone,      // the row to change was deleted meanwhile
};

// Adds the row; `checkNames` for an entry made by the user.
Outcome insert(SQLDatabase& db, const TransactionEntry& entry, bool checkNames);

// What became of a row handed over without a user: refused for the entry's
// problem with nothing stored, or the outcome of its write.
struct HandedOver
{
    TransactionEntry::Problem problem = TransactionEntry::Problem::None;
    Outcome outcome = Outcome::Failed;

    bool stored() const { return problem == TransactionEntry::Problem::None && outcome == Outcome::Stored; }
};

// Stores a row that the program hands over itself (text import, schedule
// posting) straight into the ledger: no window's fields, selection or mode
// take part, so whatever the user has open stays as it is, and nothing is
// shown: the caller tells the user what came of it. `checkNames` refuses an
// account or category no register holds.
HandedOver insertHandedOver(SQLDatabase& db, const TransactionFields& row, bool checkNames);

// Replaces the row `opened` (by its id alone; none: adds a new row) by the
// entry, in one transaction.
Outcome replace(SQLDatabase& db, const OpenedRow* opened, const TransactionEntry& entry);

// Deletes the row with that id.
bool remove(SQLDatabase& db, const QString& id);

// Reads the stored values of the row `opened.id`; false when it is gone or
// cannot be read.
bool readStored(SQLDatabase& db, OpenedRow& opened);

} // namespace TransactionStore
