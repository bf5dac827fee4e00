#include "RegisterTestData.h"

#include "TestSupport.h"
#include "app/Schema.h"

#include <gtest/gtest.h>

namespace registertest {

std::unique_ptr<SQLDatabase> newDatabase()
{
    auto db = std::make_unique<SQLDatabase>();
    db->setDatabaseFile(testsupport::tempPath(QStringLiteral("Tovira.rbd")));
    EXPECT_TRUE(db->CreateDatabaseFile());
    EXPECT_TRUE(Schema::Create(*db));
    Schema::Upgrade(*db);
    return db;
}

void seed(SQLDatabase& db)
{
    using testsupport::exec;
    exec(db, "INSERT INTO Contas (nome) VALUES ('Banco'), ('Casa')");
    exec(db, "INSERT INTO Categorias (conta, descricao) VALUES ('1', 'Lazer'), ('1', 'Mercado')");
    exec(db, "INSERT INTO Contatos (nome) VALUES ('Ana'), ('Bruno')");
    exec(db, "INSERT INTO Movimento (id, conta_nome, conta, contato, data, entrada, saida, conciliado, comentarios) "
             "VALUES (1, 'Banco', 'Mercado', 'Ana', '2026-03-05', 100, NULL, 'Não', 'a'),"
             " (2, 'Casa', 'Lazer', 'Bruno', '2026-03-06', NULL, 50, 'Não', 'b'),"
             " (3, 'Casa', 'Mercado', 'Ana', '2025-11-20', NULL, 20, 'Sim', 'c'),"
             " (4, '', 'Mercado', '', '2026-03-07', 5, NULL, 'Não', 'no account, no contact'),"
             " (5, 'Banco', 'Lazer', '  -  ', '2026-03-08', NULL, 7, 'Não', 'e')");
    exec(db, "INSERT INTO Agenda (conta, categoria, subcategoria, data, contato, repete, contatoplus) "
             "VALUES ('Casa', 'Lazer', 'Débito', '2026-04-01', '50', 'Mensal', 'Bruno'),"
             " ('Banco', 'Mercado', 'Crédito', '2026-04-02', '100', 'Mensal', 'Ana'),"
             " ('', '', 'Débito', '2026-04-03', '1', 'Mensal', '')");
}

QStringList column(SQLDatabase& db, const QString& table, const QString& column, bool sorted)
{
    auto rs = db.SQLSelect(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(column, table,
                                                                               sorted ? column : "rowid"));
    EXPECT_TRUE(rs) << db.ErrorMessage().toStdString();
    QStringList out;
    for (; rs && !rs->Eof(); rs->MoveNext())
        out << rs->IdxField(1).StringValue();
    return out;
}

QList<qint64> ledgerIds(SQLDatabase& db, const QString& column, const QString& value)
{
    auto rs = db.SQLSelect(QStringLiteral("SELECT id FROM Movimento WHERE %1 = ? ORDER BY id").arg(column), {value});
    EXPECT_TRUE(rs) << db.ErrorMessage().toStdString();
    QList<qint64> ids;
    for (; rs && !rs->Eof(); rs->MoveNext())
        ids << rs->IdxField(1).IntegerValue();
    return ids;
}

void refuseInserts(SQLDatabase& db, const QString& table, const QString& message)
{
    testsupport::exec(db, QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, '%2'); "
                                         "END")
                              .arg(table, message));
}

} // namespace registertest
