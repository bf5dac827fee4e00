#include "ledger/TransactionEntry.h"

#include "ledger/LedgerQuery.h"
#include "platform/Format.h"
#include "registers/RegisterStore.h"
#include "ui/common/Module1.h"

#include <utility>

namespace {

// A stored value goes back with the type it was read with.
void addStored(DatabaseRecord& row, const QString& column, const QVariant& value)
{
    if (value.isNull())
        return;
    switch (value.typeId()) {
    case QMetaType::Double:
        row.DoubleColumn(column, value.toDouble());
        break;
    case QMetaType::LongLong:
    case QMetaType::Int:
        row.IntegerColumn(column, value.toLongLong());
        break;
    default:
        row.Column(column, value.toString());
        break;
    }
}

bool isZeroAmount(const QVariant& value)
{
    return value.isNull() || value.toDouble() == 0;
}

} // namespace

TransactionEntry::TransactionEntry(TransactionFields fields, bool withUser, const OpenedRow* opened)
    : fields_(std::move(fields)), opened_(opened)
{
    check(withUser);
}

bool TransactionEntry::keepsStoredAmount() const
{
    return opened_ && opened_->stored && fields_.amountText == opened_->shownAmount &&
           fields_.credit == opened_->shownCredit;
}

bool TransactionEntry::keepsStoredDate() const
{
    return opened_ && opened_->stored && fields_.dateText == opened_->shownDate;
}

bool TransactionEntry::keepsStoredComment() const
{
    return opened_ && opened_->stored && fields_.comment == opened_->shownComment;
}

bool TransactionEntry::readDate()
{
    if (!fields_.date)
        return ParseDate(fields_.dateText, date_);
    date_ = *fields_.date;
    return date_.isValid();
}

void TransactionEntry::check(bool withUser)
{
    if (withUser && (fields_.account.isEmpty() || LedgerQuery::isAllAccounts(fields_.account))) {
        problem_ = Problem::NoAccount;
        return;
    }
    if (withUser && fields_.category.isEmpty()) {
        problem_ = Problem::NoCategory;
        return;
    }
    bool zero = false;
    if (keepsStoredAmount()) {
        zero = isZeroAmount(opened_->entrada) && isZeroAmount(opened_->saida);
    } else if (fields_.amount) {
        amount_ = *fields_.amount;
        zero = amount_ == 0;
    } else if (fields_.amountText.trimmed().isEmpty()) {
        zero = true;
    } else {
        // Read whole at save: a text that could mean two numbers, or that
        // would be stored as another number, is refused rather than guessed.
        amountReading_ = ReadEnteredAmount(fields_.amountText);
        if (amountReading_.problem != AmountReading::Problem::None) {
            problem_ = Problem::BadAmount;
            return;
        }
        amount_ = amountReading_.value;
        zero = amount_ == 0;
    }
    if (zero) {
        problem_ = Problem::ZeroAmount;
        return;
    }
    // A typed date that is no date is refused rather than quietly replaced by today's.
    if (!keepsStoredDate() && !readDate()) {
        problem_ = Problem::BadDate;
        return;
    }
    problem_ = Problem::None;
}

DatabaseRecord TransactionEntry::record() const
{
    DatabaseRecord row;
    row.Column(QStringLiteral("conta"), fields_.category);
    row.Column(QStringLiteral("contato"), fields_.contact);
    row.Column(QStringLiteral("conta_nome"), fields_.account);
    if (keepsStoredDate())
        row.Column(QStringLiteral("data"), opened_->data);
    else
        row.DateColumn(QStringLiteral("data"), date_);
    if (keepsStoredAmount()) {
        addStored(row, QStringLiteral("entrada"), opened_->entrada);
        addStored(row, QStringLiteral("saida"), opened_->saida);
    } else {
        row.DoubleColumn(fields_.credit ? QStringLiteral("entrada") : QStringLiteral("saida"), amount_);
    }
    row.Column(QStringLiteral("conciliado"), fields_.verified ? Module1::kSim() : Module1::kNao());
    row.Column(QStringLiteral("comentarios"), keepsStoredComment() ? opened_->comentarios : fields_.comment);
    return row;
}

namespace TransactionStore {

namespace {

bool registerHolds(SQLDatabase& db, RegisterStore::Kind kind, const QString& name, bool& holds)
{
    const RegisterStore::Lookup found = RegisterStore(db, kind).Find(name);
    holds = found == RegisterStore::Lookup::Taken;
    return found != RegisterStore::Lookup::QueryFailed;
}

bool sameValue(const DatabaseField& now, const QVariant& then)
{
    return now.IsNull() == then.isNull() && now.StringValue() == DatabaseField(then).StringValue();
}

// The checks and the write of one save, inside its transaction.
Outcome store(SQLDatabase& db, const OpenedRow* opened, const TransactionEntry& entry, bool checkNames)
{
    QString ownCategory;
    if (opened) {
        const auto rs =
            db.SQLSelect(QStringLiteral("SELECT conta, data, entrada, saida, comentarios FROM Movimento WHERE id = ?"),
                         {opened->id});
        if (!rs)
            return Outcome::Failed;
        if (rs->Eof())
            return Outcome::RowGone;
        // The id of a deleted last row is given to the next new one: a row
        // under that id with other values is not the row that was opened.
        // (Renames change only names, never these.)
        if (opened->stored &&
            !(rs->IdxField(2).StringValue() == opened->data && sameValue(rs->IdxField(3), opened->entrada) &&
              sameValue(rs->IdxField(4), opened->saida) && rs->IdxField(5).StringValue() == opened->comentarios))
            return Outcome::RowGone;
        ownCategory = rs->IdxField(1).StringValue();
    }
    if (checkNames) {
        bool holds = false;
        if (!registerHolds(db, RegisterStore::Kind::Account, entry.account(), holds))
            return Outcome::Failed;
        if (!holds)
            return Outcome::AccountGone;
        // A changed row may keep a category that no register holds (one an
        // import or a schedule brought in): it is the row's own.
        if (!registerHolds(db, RegisterStore::Kind::Category, entry.category(), holds))
            return Outcome::Failed;
        if (!holds && !(opened && entry.category() == ownCategory))
            return Outcome::CategoryGone;
    }
    if (opened && !db.SQLExecute(QStringLiteral("DELETE FROM Movimento WHERE id = ?"), {opened->id}))
        return Outcome::Failed;
    if (!db.InsertRecord(QStringLiteral("Movimento"), entry.record()))
        return Outcome::Failed;
    return Outcome::Stored;
}

Outcome storeInTransaction(SQLDatabase& db, const OpenedRow* opened, const TransactionEntry& entry, bool checkNames)
{
    Transaction change(db);
    if (!change.active())
        return Outcome::Failed;
    const Outcome outcome = store(db, opened, entry, checkNames);
    if (outcome != Outcome::Stored)
        return outcome;
    return change.commit() ? Outcome::Stored : Outcome::Failed;
}

} // namespace

Outcome insert(SQLDatabase& db, const TransactionEntry& entry, bool checkNames)
{
    // The save writes one statement, whole by itself, and its checks only
    // read: within a transaction already open (a posting, an import) checks
    // and write see the same data with no savepoint a row. Alone, they get a
    // transaction of their own, so that no other program changes the
    // registers between the check and the write.
    if (!checkNames || db.InTransaction())
        return store(db, nullptr, entry, checkNames);
    return storeInTransaction(db, nullptr, entry, checkNames);
}

HandedOver insertHandedOver(SQLDatabase& db, const TransactionFields& row, bool checkNames)
{
    const TransactionEntry entry(row, false);
    if (entry.problem() != TransactionEntry::Problem::None)
        return {entry.problem(), Outcome::Failed};
    return {TransactionEntry::Problem::None, insert(db, entry, checkNames)};
}

Outcome replace(SQLDatabase& db, const OpenedRow* opened, const TransactionEntry& entry)
{
    return storeInTransaction(db, opened, entry, true);
}

bool remove(SQLDatabase& db, const QString& id)
{
    return db.SQLExecute(QStringLiteral("DELETE FROM Movimento WHERE id=?"), {id});
}

bool readStored(SQLDatabase& db, OpenedRow& opened)
{
    opened.stored = false;
    const auto rs = db.SQLSelect(
        QStringLiteral("SELECT conta_nome, conta, contato, entrada, saida, data, conciliado, comentarios FROM "
                       "Movimento WHERE id = ?"),
        {opened.id});
    if (!rs || rs->Eof())
        return false;
    opened.account = rs->IdxField(1).StringValue();
    opened.category = rs->IdxField(2).StringValue();
    opened.contact = rs->IdxField(3).StringValue();
    opened.entrada = rs->IdxField(4).Value();
    opened.saida = rs->IdxField(5).Value();
    opened.data = rs->IdxField(6).StringValue();
    opened.conciliado = rs->IdxField(7).StringValue();
    opened.comentarios = rs->IdxField(8).StringValue();
    opened.stored = true;
    return true;
}

} // namespace TransactionStore
