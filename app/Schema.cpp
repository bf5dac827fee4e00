#include "app/Schema.h"

#include "platform/Database.h"

#include <cstring>

namespace Schema {

namespace {

// The five base tables, in creation order, with their declared columns.
const char* const baseTables[] = {
    "Contas ( nome VarChar, data date, descricao VarChar, saldo Double )",
    "Categorias ( conta VarChar, subcategoria VarChar, descricao VarChar, taxa Double )",
    "Contatos ( contato VarChar, nome VarChar, endereco VarChar, complemento VarChar, bairro VarChar, cidade "
    "VarChar, estado VarChar, telefone VarChar, celular VarChar, email VarChar)",
    "Movimento ( id INTEGER PRIMARY KEY, conta_nome VarChar, conta VarChar, contato VarChar, data Date, entrada "
    "Double, saida Double, conciliado VarChar, comentarios VarChar )",
    "Agenda ( conta VarChar, categoria VarChar, subcategoria VarChar, data Date, contato VarChar, repete VarChar  )",
};

// Stops at the first failure, whose error the database keeps.
bool createBaseTables(SQLDatabase& db, const QString& createVerb)
{
    for (const char* table : baseTables)
        if (!db.SQLExecute(createVerb + QLatin1String(table)))
            return false;
    return true;
}

} // namespace

bool Create(SQLDatabase& db)
{
    Transaction tx(db);
    if (!tx.active() || !createBaseTables(db, QStringLiteral("CREATE TABLE ")))
        return false;
    return tx.commit();
}

bool Upgrade(SQLDatabase& db)
{
    // A table that is there is left alone, with no write: a full disk does not
    // stop a complete file from opening.
    if (!createBaseTables(db, QStringLiteral("CREATE TABLE IF NOT EXISTS ")))
        return false;
    // Every start reads the lock and the schedules' contacts: a file that cannot
    // be given them is not opened either.
    if (!db.SQLSelect(QStringLiteral("SELECT * from pwd")) &&
        !db.SQLExecute(
            QStringLiteral("CREATE TABLE pwd ( pcod1 VarChar, pcod2 VarChar, pcod3 VarChar, pcod4 VarChar )")))
        return false;
    if (!db.SQLSelect(QStringLiteral("SELECT contatoplus from Agenda")) &&
        !db.SQLExecute(QStringLiteral("Alter Table Agenda Add contatoplus Varchar")))
        return false;
    // The ledger selects one account's rows by date after every change; without
    // this index each reload reads the whole table.
    db.SQLExecute(QStringLiteral("CREATE INDEX IF NOT EXISTS Movimento_conta_data ON Movimento (conta_nome, data)"));
    return true;
}

bool HasBaseTables(SQLDatabase& db)
{
    for (const char* table : baseTables) {
        const QLatin1String name(table, qsizetype(std::strchr(table, ' ') - table));
        if (!db.SQLSelect(QStringLiteral("SELECT * FROM ") + name + QStringLiteral(" LIMIT 0")))
            return false;
    }
    return true;
}

LockRow ReadLockRow(SQLDatabase& db)
{
    LockRow lock;
    const auto table = db.SQLSelect(QStringLiteral("SELECT 1 FROM sqlite_master WHERE lower(name) = 'pwd'"));
    if (!table)
        return lock;
    if (table->RecordCount() == 0) {
        lock.readOk = true;
        return lock;
    }
    auto rs = db.SQLSelect(QStringLiteral("SELECT * FROM pwd WHERE pcod1='1'"));
    if (!rs)
        return lock;
    lock.readOk = true;
    if (rs->RecordCount() >= 1) {
        lock.on = true;
        lock.stored = rs->IdxField(2).StringValue();
    }
    return lock;
}

bool WriteLockRow(SQLDatabase& db, bool on, const QString& stored)
{
    // Deleting the old row and inserting the new one must both happen or
    // neither: a half-done change could leave the program with no lock at all.
    Transaction tx(db);
    if (!tx.active())
        return false;
    if (!db.SQLExecute(QStringLiteral("DELETE FROM pwd WHERE pcod1='1'")))
        return false;
    if (on) {
        DatabaseRecord row;
        row.Column(QStringLiteral("pcod1"), QStringLiteral("1"));
        row.Column(QStringLiteral("pcod2"), stored);
        if (!db.InsertRecord(QStringLiteral("pwd"), row))
            return false;
    }
    return tx.commit();
}

void Compact(SQLDatabase& db)
{
    db.SQLExecute(QStringLiteral("VACUUM"));
}

} // namespace Schema
