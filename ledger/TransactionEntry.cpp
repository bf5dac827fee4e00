#include "ledger/TransactionEntry.h"

#include "platform/Format.h"
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

bool TransactionEntry::isAllAccounts(const QString& name)
{
    return name == QLatin1String("Todas") || name == QLatin1String("All");
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

void TransactionEntry::check(bool withUser)
{
    // An amount that does not read as a number counts as no amount.
    amount_ = ReadAmount(fields_.amountText).value_or(0);
    if (withUser && (fields_.account.isEmpty() || isAllAccounts(fields_.account))) {
        problem_ = Problem::NoAccount;
        return;
    }
    if (withUser && fields_.category.isEmpty()) {
        problem_ = Problem::NoCategory;
        return;
    }
    const bool zero =
        keepsStoredAmount() ? isZeroAmount(opened_->entrada) && isZeroAmount(opened_->saida) : amount_ == 0;
    if (zero) {
        problem_ = Problem::ZeroAmount;
        return;
    }
    // A typed date that is no date is refused rather than quietly replaced by today's.
    if (!keepsStoredDate() && !ParseDate(fields_.dateText, date_)) {
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
    row.Column(QStringLiteral("comentarios"), fields_.comment);
    return row;
}

namespace TransactionStore {

bool insert(SQLDatabase& db, const DatabaseRecord& row)
{
    return db.InsertRecord(QStringLiteral("Movimento"), row);
}

bool replace(SQLDatabase& db, const OpenedRow* opened, const DatabaseRecord& row)
{
    Transaction change(db);
    if (!change.active())
        return false;
    if (opened && !db.SQLExecute(QStringLiteral("DELETE FROM movimento where id=? and conta_nome= ?"),
                                 {opened->id, opened->account}))
        return false;
    if (!db.InsertRecord(QStringLiteral("Movimento"), row))
        return false;
    return change.commit();
}

bool remove(SQLDatabase& db, const QString& id)
{
    return db.SQLExecute(QStringLiteral("DELETE FROM Movimento WHERE id=?"), {id});
}

bool readStored(SQLDatabase& db, OpenedRow& opened)
{
    opened.stored = false;
    const auto rs =
        db.SQLSelect(QStringLiteral("SELECT entrada, saida, data FROM Movimento WHERE id = ?"), {opened.id});
    if (!rs || rs->Eof())
        return false;
    opened.entrada = rs->IdxField(1).Value();
    opened.saida = rs->IdxField(2).Value();
    opened.data = rs->IdxField(3).StringValue();
    opened.stored = true;
    return true;
}

} // namespace TransactionStore
