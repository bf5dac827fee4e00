#pragma once

// The three name registers (accounts, categories, contacts) as the database
// sees them. A name is the key by which transactions and schedules refer to
// an account, a category or a contact, so a rename rewrites it everywhere it
// is stored and a delete of an account or a category takes its transactions
// with it. Every change of several statements is one transaction; a failure
// leaves the data as it was and the database's error state tells why.

#include <QString>
#include <QStringList>
#include <optional>

class SQLDatabase;

class RegisterStore
{
public:
    enum class Kind
    {
        Account,
        Category,
        Contact
    };

    RegisterStore(SQLDatabase& db, Kind kind) : db_(db), kind_(kind) {}

    // The register's names in name order; nothing when the query failed.
    std::optional<QStringList> Names() const;

    enum class Lookup
    {
        Free,
        Taken,
        QueryFailed
    };
    // Whether a stored name equals `name` exactly (case and blanks count).
    Lookup Find(const QString& name) const;

    // Adds one register row with the name as given.
    bool Insert(const QString& name);

    // Gives `newName` to the register row of `oldName` and to every
    // transaction and schedule that carries `oldName`.
    bool Rename(const QString& oldName, const QString& newName);

    // Removes the register rows of `name`; transactions keep the name.
    bool Delete(const QString& name);

    // Removes the register rows of `name` and every transaction that carries
    // it (accounts and categories). Schedules are kept.
    bool DeleteWithTransactions(const QString& name);

private:
    SQLDatabase& db_;
    Kind kind_;
};
