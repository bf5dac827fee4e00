#include "app/Schema.h"
#include "app/Password.h"

#include "TestSupport.h"
#include "platform/Database.h"

#include <gtest/gtest.h>

using testsupport::exec;

namespace {

class DataFileSchema : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        db.setDatabaseFile(testsupport::tempPath(QStringLiteral("Tovira.rbd")));
        ASSERT_TRUE(db.CreateDatabaseFile());
    }

    QStringList column(const QString& sql) { return testsupport::column(db, sql); }
    QStringList tables() { return column("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid"); }

    SQLDatabase db;
};

const QStringList allTables = {"Contas", "Categorias", "Contatos", "Movimento", "Agenda", "pwd"};

} // namespace

// A new file gets the five tables, then pwd and contatoplus; a half-created
// one (creation is all or nothing) is completed by the upgrade; a second
// upgrade finds everything and changes nothing.
TEST_F(DataFileSchema, newOrHalfCreatedFile_isCompletedByTheUpgrade_aSecondUpgradeChangesNothing)
{
    for (const bool half : {false, true}) {
        SCOPED_TRACE(half ? "half created" : "new");
        db.Close();
        SetUp();
        if (half) {
            exec(db, "CREATE TABLE Contas ( nome VarChar, data date, descricao VarChar, saldo Double )");
            exec(db, "INSERT INTO Contas (nome) VALUES ('Banco')");
        }
        EXPECT_EQ(Schema::Create(db), !half);
        EXPECT_EQ(tables(), half ? QStringList({"Contas"}) : allTables.mid(0, 5));
        EXPECT_FALSE(db.InTransaction());
        EXPECT_TRUE(Schema::Upgrade(db));
        EXPECT_EQ(tables(), allTables);
        exec(db, "INSERT INTO Agenda VALUES ('Banco', 'Luz', 'Débito', '2006-03-05', '10.5', 'Mensalmente', 'CEMIG')");
        const QString schemaSql = QStringLiteral("SELECT sql FROM sqlite_master ORDER BY name");
        const QStringList before = column(schemaSql);
        Schema::Upgrade(db);
        EXPECT_EQ(column(schemaSql), before);
        EXPECT_EQ(column("SELECT contatoplus FROM Agenda"), QStringList({"CEMIG"}));
        EXPECT_EQ(column("SELECT nome FROM Contas"), half ? QStringList({"Banco"}) : QStringList());
    }
}

TEST_F(DataFileSchema, oldFile_gainsPwdAndContatoplus_andKeepsItsRows)
{
    // The tables as files made before the lock and the schedule's contact existed.
    exec(db, "CREATE TABLE Contas ( nome VarChar, data date, descricao VarChar, saldo Double )");
    exec(db, "CREATE TABLE Categorias ( conta VarChar, subcategoria VarChar, descricao VarChar, taxa Double )");
    exec(db, "CREATE TABLE Contatos ( contato VarChar, nome VarChar, endereco VarChar, complemento VarChar, bairro "
             "VarChar, cidade VarChar, estado VarChar, telefone VarChar, celular VarChar, email VarChar)");
    exec(db, "CREATE TABLE Movimento ( id INTEGER PRIMARY KEY, conta_nome VarChar, conta VarChar, contato VarChar, "
             "data Date, entrada Double, saida Double, conciliado VarChar, comentarios VarChar )");
    exec(db, "CREATE TABLE Agenda ( conta VarChar, categoria VarChar, subcategoria VarChar, data Date, contato "
             "VarChar, repete VarChar  )");
    exec(db, "INSERT INTO Movimento (conta_nome, conta, contato, data, entrada, conciliado, comentarios) "
             "VALUES ('Banco', 'Salário', '  -  ', '2006-03-05', 1500.25, 'Sim', 'março')");
    exec(db, "INSERT INTO Agenda VALUES ('Banco', 'Luz', 'Débito', '2006-03-05', '10.5', 'Mensalmente')");

    EXPECT_TRUE(Schema::Upgrade(db));

    EXPECT_EQ(tables(), allTables);
    EXPECT_EQ(column("SELECT name FROM pragma_table_info('Agenda')").last(), QStringLiteral("contatoplus"));
    EXPECT_EQ(testsupport::rows(db, "SELECT conta_nome, contato, entrada, comentarios FROM Movimento"),
              QList<QStringList>({{"Banco", "  -  ", "1500.25", "março"}}));
    EXPECT_EQ(testsupport::rows(db, "SELECT contato, repete, contatoplus FROM Agenda"),
              QList<QStringList>({{"10.5", "Mensalmente", "NULL"}}));
    EXPECT_EQ(column("SELECT count(*) FROM pwd"), QStringList({"0"})) << "the lock stays off";
}

// A vector computed elsewhere (PBKDF2-SHA256 of the UTF-8 password, the salt
// bytes 1 to 16, 120,000 rounds): the stored form means what it says, and a
// damaged or foreign stored form never matches.
TEST(Password, fixedVectorMatchesOnlyItsPassword_newFormsAreSalted_garbageNeverMatches)
{
    const QString vector =
        QStringLiteral("pbkdf2-sha256$120000$AQIDBAUGBwgJCgsMDQ4PEA==$6aQJpY2I0uttyZcWBP5+GOKtKwN1TKTok13J91dcToM=");
    EXPECT_TRUE(ConfereSenha(QStringLiteral("Senhã 1"), vector));
    EXPECT_FALSE(ConfereSenha(QStringLiteral("Senha 1"), vector));
    EXPECT_FALSE(ConfereSenha(QStringLiteral("Senhã 1 "), vector));

    const QStringList a = CodificaSenha(QStringLiteral("abc")).split('$');
    const QStringList b = CodificaSenha(QStringLiteral("abc")).split('$');
    ASSERT_EQ(a.size(), 4);
    EXPECT_GE(a[1].toInt(), 100000);
    EXPECT_NE(a[2], b[2]) << "each store has its own salt";
    EXPECT_TRUE(ConfereSenha(QStringLiteral("abc"), b.join('$')));
    const QStringList garbage = {
        QString(),
        QStringLiteral("abc"), // the password itself, as a plain store would hold it
        QStringLiteral("klm"), // raised by 10, more than earlier versions ever raised it
        QStringLiteral("pbkdf2-sha256$$$"),
        QStringLiteral("pbkdf2-sha256$x$y$z"),
        QStringList({"md5", a[1], a[2], a[3]}).join('$'),
        QStringList({a[0], "0", a[2], a[3]}).join('$'),
        QStringList({a[0], a[1], "", a[3]}).join('$'),
        QStringList({a[0], a[1], a[2], "AAAA"}).join('$'),
    };
    for (const QString& stored : garbage)
        EXPECT_FALSE(ConfereSenha(QStringLiteral("abc"), stored)) << stored.toStdString();
}
