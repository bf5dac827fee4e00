#include "app/Schema.h"

#include "platform/Database.h"

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

bool createBaseTables(SQLDatabase& db, const QString& createVerb)
{
    bool ok = true;
    for (const char* table : baseTables)
        ok = db.SQLExecute(createVerb + QLatin1String(table)) && ok;
    return ok;
}

} // namespace

bool Create(SQLDatabase& db)
{
    Transaction tx(db);
    if (!tx.active() || !createBaseTables(db, QStringLiteral("CREATE TABLE ")))
        return false;
    return tx.commit();
}

void Upgrade(SQLDatabase& db)
{
    createBaseTables(db, QStringLiteral("CREATE TABLE IF NOT EXISTS "));
    if (!db.SQLSelect(QStringLiteral("SELECT * from pwd")))
        db.SQLExecute(QStringLiteral("CREATE TABLE pwd ( pcod1 VarChar, pcod2 VarChar, pcod3 VarChar, pcod4 VarChar )"));
    if (!db.SQLSelect(QStringLiteral("SELECT contatoplus from Agenda")))
        db.SQLExecute(QStringLiteral("Alter Table Agenda Add contatoplus Varchar"));
    // The ledger selects one account's rows by date after every change; without
    // this index each reload reads the whole table.
    db.SQLExecute(QStringLiteral("CREATE INDEX IF NOT EXISTS Movimento_conta_data ON Movimento (conta_nome, data)"));
}

LockRow ReadLockRow(SQLDatabase& db)
{
    LockRow lock;
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

void Compact(SQLDatabase& db)
{
    db.SQLExecute(QStringLiteral("VACUUM"));
}

} // namespace Schema
