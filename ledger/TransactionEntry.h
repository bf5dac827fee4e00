#pragma once

// One transaction as the transaction window holds it, checked and turned into
// the Movimento row it stands for. No widgets: the window copies its fields in
// and decides what to tell the user about the problem found.

#include <QDate>
#include <QString>
#include <QVariant>

#include "platform/Database.h"

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
};

// The row a change was opened on: which row to replace, the texts its fields
// were shown with, and its stored amount and date. What the user leaves as it
// was shown is saved as it was stored, so that an untouched edit changes
// nothing (a shown date has a two-digit year and a shown amount is rounded).
struct OpenedRow
{
    QString id;
    QString account;
    QString shownAmount;
    bool shownCredit = true;
    QString shownDate;
    bool stored = false; // the values below were read from the database
    QVariant entrada;
    QVariant saida;
    QString data;
};

class TransactionEntry
{
  public:
    // In the order they are checked.
    enum class Problem {
        None,
        NoAccount,
        NoCategory,
        ZeroAmount,
        BadDate,
    };

    // `withUser` false skips the account and category checks (schedule
    // posting and import hand the names over). `opened`, when given, must
    // outlive the entry.
    TransactionEntry(TransactionFields fields, bool withUser, const OpenedRow* opened = nullptr);

    Problem problem() const { return problem_; }
    // The row to store; meaningful when problem() is None.
    DatabaseRecord record() const;

    // "Todas" and "All" stand for every account and are no account of a row.
    static bool isAllAccounts(const QString& name);

  private:
    bool keepsStoredAmount() const;
    bool keepsStoredDate() const;
    void check(bool withUser);

    TransactionFields fields_;
    const OpenedRow* opened_;
    double amount_ = 0;
    QDate date_;
    Problem problem_ = Problem::None;
};

// The writes of the ledger's transaction commands.
namespace TransactionStore {

// Adds the row; false with the database's error state on failure.
bool insert(SQLDatabase& db, const DatabaseRecord& row);

// Deletes the opened row (when there is one) and adds the new one as a single
// change: on failure neither happens and the database keeps the error.
bool replace(SQLDatabase& db, const OpenedRow* opened, const DatabaseRecord& row);

// Deletes the row with that id.
bool remove(SQLDatabase& db, const QString& id);

// Reads the stored amount and date of the row `opened.id`; false when it is gone.
bool readStored(SQLDatabase& db, OpenedRow& opened);

} // namespace TransactionStore
