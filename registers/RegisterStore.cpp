#include "registers/RegisterStore.h"

#include "platform/Database.h"

namespace {

// The statements of one register. Names always travel as bound values, so a
// quote in a name is part of the value and never widens a statement.
struct Statements
{
    const char* table;
    const char* nameColumn;
    const char* select;
    const char* find;
    const char* deleteRow;
    const char* updateLedger;
    const char* updateSchedules;
    const char* deleteLedger; // empty: the register's deletes keep the transactions
};

const Statements& statementsFor(RegisterStore::Kind kind)
{
    static const Statements account{
        "Contas",
        "nome",
        "SELECT nome FROM Contas ORDER BY nome",
        "SELECT 1 FROM Contas WHERE ifnull(nome, '') = ? LIMIT 1",
        "DELETE FROM Contas WHERE nome=?",
        "UPDATE movimento SET conta_nome = ? WHERE conta_nome = ?",
        "UPDATE Agenda SET conta = ? WHERE conta = ?",
        "delete from movimento  WHERE conta_nome  = ?",
    };
    static const Statements category{
        "Categorias",
        "descricao",
        "SELECT descricao FROM Categorias ORDER BY descricao",
        "SELECT 1 FROM Categorias WHERE ifnull(descricao, '') = ? LIMIT 1",
        "DELETE FROM Categorias where descricao =?",
        "UPDATE movimento SET conta = ? WHERE conta = ?",
        "UPDATE Agenda SET categoria = ? WHERE categoria = ?",
        "delete from movimento  WHERE conta = ?",
    };
    // Agenda.contato holds a schedule's amount; its contact is contatoplus.
    static const Statements contact{
        "Contatos",
        "nome",
        "SELECT nome FROM Contatos ORDER BY nome",
        "SELECT 1 FROM Contatos WHERE ifnull(nome, '') = ? LIMIT 1",
        "DELETE FROM Contatos where nome=?",
        "UPDATE movimento SET contato = ? WHERE contato = ?",
        "UPDATE Agenda SET contatoplus = ? WHERE contatoplus = ?",
        "",
    };
    switch (kind) {
    case RegisterStore::Kind::Account:
        return account;
    case RegisterStore::Kind::Category:
        return category;
    case RegisterStore::Kind::Contact:
        break;
    }
    return contact;
}

} // namespace

std::optional<QStringList> RegisterStore::Names() const
{
    auto rs = db_.SQLSelect(QLatin1String(statementsFor(kind_).select));
    if (!rs)
        return std::nullopt;
    QStringList names;
    names.reserve(rs->RecordCount());
    for (; !rs->Eof(); rs->MoveNext())
        names << rs->IdxField(1).StringValue();
    return names;
}

RegisterStore::Lookup RegisterStore::Find(const QString& name) const
{
    // One row asked for, not the register read whole: the posting and the
    // import ask once a row they store. A name read as NULL is "", as in the
    // lists.
    const auto rs = db_.SQLSelect(QLatin1String(statementsFor(kind_).find), {name});
    if (!rs)
        return Lookup::QueryFailed;
    return rs->Eof() ? Lookup::Free : Lookup::Taken;
}

bool RegisterStore::Insert(const QString& name)
{
    const Statements& s = statementsFor(kind_);
    DatabaseRecord record;
    // Nothing reads Categorias.conta, but every category added by hand has always carried "1".
    if (kind_ == Kind::Category)
        record.Column(QStringLiteral("conta"), QStringLiteral("1"));
    record.Column(QLatin1String(s.nameColumn), name);
    return db_.InsertRecord(QLatin1String(s.table), record);
}

bool RegisterStore::Rename(const QString& oldName, const QString& newName)
{
    const Statements& s = statementsFor(kind_);
    // All or nothing: a register row without its transactions, or
    // transactions naming a register row that is gone, would split the ledger.
    Transaction tx(db_);
    if (!tx.active())
        return false;
    DatabaseRecord record;
    record.Column(QLatin1String(s.nameColumn), newName);
    return db_.SQLExecute(QLatin1String(s.deleteRow), {oldName}) && db_.InsertRecord(QLatin1String(s.table), record) &&
           db_.SQLExecute(QLatin1String(s.updateLedger), {newName, oldName}) &&
           db_.SQLExecute(QLatin1String(s.updateSchedules), {newName, oldName}) && tx.commit();
}

bool RegisterStore::Delete(const QString& name)
{
    return db_.SQLExecute(QLatin1String(statementsFor(kind_).deleteRow), {name});
}

bool RegisterStore::DeleteWithTransactions(const QString& name)
{
    const Statements& s = statementsFor(kind_);
    if (!*s.deleteLedger)
        return Delete(name);
    Transaction tx(db_);
    if (!tx.active())
        return false;
    return db_.SQLExecute(QLatin1String(s.deleteRow), {name}) && db_.SQLExecute(QLatin1String(s.deleteLedger), {name}) &&
           tx.commit();
}
