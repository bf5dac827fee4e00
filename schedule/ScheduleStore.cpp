#include "schedule/ScheduleStore.h"

#include "platform/Database.h"

std::optional<QVector<ScheduleRow>> ScheduleStore::Rows() const
{
    // Ties in the account keep the order of entry, so of two schedules that
    // would post the same transaction it is always the same one that does.
    const auto rs = db_.SQLSelect(QStringLiteral("SELECT rowid, conta, categoria, subcategoria, data, contato, repete, "
                                                 "contatoplus FROM Agenda ORDER BY conta, rowid"));
    if (!rs)
        return std::nullopt;
    QVector<ScheduleRow> rows;
    rows.reserve(rs->RecordCount());
    for (; !rs->Eof(); rs->MoveNext()) {
        ScheduleRow row;
        row.rowid = rs->IdxField(1).IntegerValue();
        row.account = rs->IdxField(2).StringValue();
        row.category = rs->IdxField(3).StringValue();
        row.type = rs->IdxField(4).StringValue();
        row.date = rs->IdxField(5).DateValue();
        row.amount = rs->IdxField(6).StringValue();
        row.repeat = rs->IdxField(7).StringValue();
        row.contact = rs->IdxField(8).StringValue();
        rows << row;
    }
    return rows;
}

bool ScheduleStore::Insert(const ScheduleRow& row)
{
    DatabaseRecord record;
    record.Column(QStringLiteral("conta"), row.account);
    record.Column(QStringLiteral("categoria"), row.category);
    record.DateColumn(QStringLiteral("data"), row.date);
    record.Column(QStringLiteral("contato"), row.amount);
    record.Column(QStringLiteral("subcategoria"), row.type);
    record.Column(QStringLiteral("repete"), row.repeat);
    record.Column(QStringLiteral("contatoplus"), row.contact);
    return db_.InsertRecord(QStringLiteral("Agenda"), record);
}

bool ScheduleStore::Delete(const ScheduleRow& row)
{
    return db_.SQLExecute(QStringLiteral("DELETE FROM Agenda WHERE rowid = ? AND ifnull(conta, '') = ? AND "
                                         "ifnull(categoria, '') = ? AND ifnull(contato, '') = ?"),
                          {row.rowid, row.account, row.category, row.amount});
}

std::optional<bool> ScheduleStore::HasPosting(const DuePosting& posting) const
{
    // The amount compares as a number and the day as the stored date's first
    // ten characters, through the ledger's index on account and date.
    const QString sql = posting.credit
                            ? QStringLiteral("SELECT COUNT(*) FROM Movimento WHERE conta_nome = ? AND conta = ? AND "
                                             "entrada = ? AND data >= ? AND data < ?")
                            : QStringLiteral("SELECT COUNT(*) FROM Movimento WHERE conta_nome = ? AND conta = ? AND "
                                             "saida = ? AND data >= ? AND data < ?");
    const auto rs =
        db_.SQLSelect(sql, {posting.account, posting.category, *posting.amount, posting.date, posting.date.addDays(1)});
    if (!rs)
        return std::nullopt;
    return rs->IdxField(1).IntegerValue() > 0;
}
