#pragma once

// A fresh data file with the program's tables and a small ledger: the
// accounts Banco and Casa with transactions and schedules in each, one
// transaction with no account and one with no contact, two categories and two
// contacts.

#include "platform/Database.h"

#include <QStringList>
#include <memory>

namespace registertest {

std::unique_ptr<SQLDatabase> newDatabase();
void seed(SQLDatabase& db);

// One column of a table, in rowid order (or sorted when `sorted`).
QStringList column(SQLDatabase& db, const QString& table, const QString& column, bool sorted = true);
// The ids of the transactions whose `column` equals `value`.
QList<qint64> ledgerIds(SQLDatabase& db, const QString& column, const QString& value);
// A trigger that refuses every insert into `table` with the given message.
void refuseInserts(SQLDatabase& db, const QString& table, const QString& message);

} // namespace registertest
