#include "app/Password.h"
#include "app/Schema.h"

#include "TestSupport.h"
#include "platform/Database.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using testsupport::exec;

namespace {

std::unique_ptr<SQLDatabase> newFile()
{
    auto db = std::make_unique<SQLDatabase>();
    db->setDatabaseFile(testsupport::tempPath(QStringLiteral("Tovira.rbd")));
    EXPECT_TRUE(db->CreateDatabaseFile());
    return db;
}

QStringList tables(SQLDatabase& db)
{
    QStringList names;
    auto rs = db.SQLSelect(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid"));
    for (; rs && !rs->Eof(); rs->MoveNext())
        names << rs->IdxField(1).StringValue();
    return names;
}

QStringList columns(SQLDatabase& db, const QString& table)
{
    QStringList names;
    auto rs = db.SQLSelect(QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"), {table});
    for (; rs && !rs->Eof(); rs->MoveNext())
        names << rs->IdxField(1).StringValue();
    return names;
}

// The whole schema as text, to see that a step changed nothing.
QString schemaText(SQLDatabase& db)
{
    QStringList parts;
    auto rs = db.SQLSelect(QStringLiteral("SELECT sql FROM sqlite_master ORDER BY name"));
    for (; rs && !rs->Eof(); rs->MoveNext())
        parts << rs->IdxField(1).StringValue();
    return parts.join('\n');
}

int count(SQLDatabase& db, const QString& sql)
{
    auto rs = db.SQLSelect(sql);
    return rs ? int(rs->IdxField(1).IntegerValue()) : -1;
}

const QStringList allTables = {"Contas", "Categorias", "Contatos", "Movimento", "Agenda", "pwd"};

// The tables as files made before the lock and the schedule's contact existed.
void createOldTables(SQLDatabase& db)
{
    exec(db, "CREATE TABLE Contas ( nome VarChar, data date, descricao VarChar, saldo Double )");
    exec(db, "CREATE TABLE Categorias ( conta VarChar, subcategoria VarChar, descricao VarChar, taxa Double )");
    exec(db, "CREATE TABLE Contatos ( contato VarChar, nome VarChar, endereco VarChar, complemento VarChar, bairro "
             "VarChar, cidade VarChar, estado VarChar, telefone VarChar, celular VarChar, email VarChar)");
    exec(db, "CREATE TABLE Movimento ( id INTEGER PRIMARY KEY, conta_nome VarChar, conta VarChar, contato VarChar, "
             "data Date, entrada Double, saida Double, conciliado VarChar, comentarios VarChar )");
    exec(db, "CREATE TABLE Agenda ( conta VarChar, categoria VarChar, subcategoria VarChar, data Date, contato "
             "VarChar, repete VarChar  )");
}

} // namespace

TEST(Schema, newFile_getsTheFiveTablesThenPwdAndContatoplus)
{
    auto db = newFile();
    ASSERT_TRUE(Schema::Create(*db));
    EXPECT_EQ(tables(*db), QStringList({"Contas", "Categorias", "Contatos", "Movimento", "Agenda"}));
    Schema::Upgrade(*db);
    EXPECT_EQ(tables(*db), allTables);
    // SELECT * reads fields by position, so the declared order matters.
    EXPECT_EQ(columns(*db, "Contas"), QStringList({"nome", "data", "descricao", "saldo"}));
    EXPECT_EQ(columns(*db, "Categorias"), QStringList({"conta", "subcategoria", "descricao", "taxa"}));
    EXPECT_EQ(columns(*db, "Contatos"), QStringList({"contato", "nome", "endereco", "complemento", "bairro", "cidade",
                                                     "estado", "telefone", "celular", "email"}));
    EXPECT_EQ(columns(*db, "Movimento"), QStringList({"id", "conta_nome", "conta", "contato", "data", "entrada",
                                                      "saida", "conciliado", "comentarios"}));
    EXPECT_EQ(columns(*db, "Agenda"),
              QStringList({"conta", "categoria", "subcategoria", "data", "contato", "repete", "contatoplus"}));
    EXPECT_EQ(columns(*db, "pwd"), QStringList({"pcod1", "pcod2", "pcod3", "pcod4"}));
    EXPECT_FALSE(db->InTransaction());
}

TEST(Schema, secondStart_findsEverything_andChangesNothing)
{
    auto db = newFile();
    ASSERT_TRUE(Schema::Create(*db));
    Schema::Upgrade(*db);
    exec(*db, "INSERT INTO Agenda VALUES ('Banco', 'Luz', 'Débito', '2006-03-05', '10.5', 'Mensalmente', 'CEMIG')");
    const QString before = schemaText(*db);
    Schema::Upgrade(*db);
    EXPECT_EQ(schemaText(*db), before);
    EXPECT_EQ(count(*db, "SELECT count(*) FROM Agenda WHERE contatoplus = 'CEMIG'"), 1);
}

TEST(Schema, oldFile_gainsPwdAndContatoplus_andKeepsItsRows)
{
    auto db = newFile();
    createOldTables(*db);
    exec(*db, "INSERT INTO Contas (nome) VALUES ('Banco')");
    exec(*db, "INSERT INTO Movimento (conta_nome, conta, contato, data, entrada, conciliado, comentarios) "
              "VALUES ('Banco', 'Salário', '  -  ', '2006-03-05', 1500.25, 'Sim', 'março')");
    exec(*db, "INSERT INTO Agenda VALUES ('Banco', 'Luz', 'Débito', '2006-03-05', '10.5', 'Mensalmente')");

    Schema::Upgrade(*db);

    EXPECT_EQ(tables(*db), allTables);
    EXPECT_EQ(columns(*db, "Agenda").last(), QStringLiteral("contatoplus"));
    EXPECT_EQ(count(*db, "SELECT count(*) FROM Contas WHERE nome = 'Banco'"), 1);
    auto mov = db->SQLSelect(QStringLiteral("SELECT * FROM Movimento"));
    ASSERT_TRUE(mov);
    ASSERT_EQ(mov->RecordCount(), 1);
    EXPECT_EQ(mov->IdxField(4).StringValue(), QStringLiteral("  -  "));
    EXPECT_EQ(mov->IdxField(6).DoubleValue(), 1500.25);
    EXPECT_EQ(mov->IdxField(9).StringValue(), QStringLiteral("março"));
    auto agenda = db->SQLSelect(QStringLiteral("SELECT * FROM Agenda"));
    ASSERT_TRUE(agenda);
    ASSERT_EQ(agenda->RecordCount(), 1);
    EXPECT_EQ(agenda->IdxField(5).StringValue(), QStringLiteral("10.5"));
    EXPECT_EQ(agenda->IdxField(6).StringValue(), QStringLiteral("Mensalmente"));
    EXPECT_TRUE(agenda->IdxField(7).IsNull());
    EXPECT_EQ(agenda->IdxField(7).StringValue(), QString());
    EXPECT_EQ(count(*db, "SELECT count(*) FROM pwd"), 0) << "the lock stays off";
}

TEST(Schema, halfCreatedFile_isCompletedByUpgrade)
{
    auto db = newFile();
    exec(*db, "CREATE TABLE Contas ( nome VarChar, data date, descricao VarChar, saldo Double )");
    exec(*db, "CREATE TABLE Categorias ( conta VarChar, subcategoria VarChar, descricao VarChar, taxa Double )");
    exec(*db, "INSERT INTO Contas (nome) VALUES ('Banco')");
    Schema::Upgrade(*db);
    EXPECT_EQ(tables(*db), allTables);
    EXPECT_EQ(columns(*db, "Agenda").size(), 7);
    EXPECT_EQ(count(*db, "SELECT count(*) FROM Contas"), 1);
}

TEST(Schema, createOnAFileThatHasSomeTables_changesNothing)
{
    auto db = newFile();
    exec(*db, "CREATE TABLE Contas ( nome VarChar, data date, descricao VarChar, saldo Double )");
    EXPECT_FALSE(Schema::Create(*db));
    EXPECT_EQ(tables(*db), QStringList({"Contas"})) << "the creation batch is all or nothing";
    EXPECT_FALSE(db->InTransaction());
}

TEST(Schema, readLockRow_withAndWithoutTheRow)
{
    auto db = newFile();
    ASSERT_TRUE(Schema::Create(*db));
    Schema::Upgrade(*db);

    Schema::LockRow off = Schema::ReadLockRow(*db);
    EXPECT_TRUE(off.readOk);
    EXPECT_FALSE(off.on);
    EXPECT_EQ(off.stored, QString());

    // Only the row whose pcod1 is '1' turns the lock on.
    exec(*db, "INSERT INTO pwd (pcod1, pcod2) VALUES ('0', 'other')");
    EXPECT_FALSE(Schema::ReadLockRow(*db).on);

    const QString stored = CodificaSenha(QStringLiteral("segredo"));
    ASSERT_TRUE(db->SQLExecute(QStringLiteral("INSERT INTO pwd (pcod1, pcod2) VALUES ('1', ?)"), {stored}));
    Schema::LockRow on = Schema::ReadLockRow(*db);
    EXPECT_TRUE(on.readOk);
    EXPECT_TRUE(on.on);
    EXPECT_EQ(on.stored, stored);
    EXPECT_TRUE(ConfereSenha(QStringLiteral("segredo"), on.stored));
}

TEST(Schema, readLockRow_withoutThePwdTable_reportsAFailedRead)
{
    auto db = newFile();
    ASSERT_TRUE(Schema::Create(*db));
    Schema::LockRow lock = Schema::ReadLockRow(*db);
    EXPECT_FALSE(lock.readOk);
    EXPECT_FALSE(lock.on);
    EXPECT_TRUE(db->Error());
    EXPECT_TRUE(db->ErrorMessage().contains(QStringLiteral("pwd"))) << db->ErrorMessage().toStdString();
}

TEST(Schema, compact_vacuumsTheFile_evenWhileARecordSetIsHeld)
{
    auto db = newFile();
    ASSERT_TRUE(Schema::Create(*db));
    Schema::Upgrade(*db);
    {
        Transaction tx(*db);
        for (int i = 0; i < 2000; ++i)
            ASSERT_TRUE(db->SQLExecute(QStringLiteral("INSERT INTO Movimento (comentarios) VALUES (?)"),
                                       {QString(200, QChar('x' + i % 3))}));
        ASSERT_TRUE(tx.commit());
    }
    exec(*db, "DELETE FROM Movimento WHERE id > 10");
    ASSERT_GT(count(*db, "PRAGMA freelist_count"), 0);
    const qint64 sizeBefore = QFileInfo(db->DatabaseFile()).size();

    auto held = db->SQLSelect(QStringLiteral("SELECT * FROM Movimento"));
    ASSERT_TRUE(held);
    Schema::Compact(*db);
    EXPECT_FALSE(db->Error()) << db->ErrorMessage().toStdString();
    EXPECT_EQ(count(*db, "PRAGMA freelist_count"), 0);
    EXPECT_LT(QFileInfo(db->DatabaseFile()).size(), sizeBefore);
    EXPECT_EQ(held->RecordCount(), 10);
    EXPECT_EQ(count(*db, "SELECT count(*) FROM Movimento"), 10);
}

TEST(Password, rightPasswordMatches_wrongOrChangedCaseDoesNot)
{
    const QString stored = CodificaSenha(QStringLiteral("Senhã 1"));
    EXPECT_TRUE(ConfereSenha(QStringLiteral("Senhã 1"), stored));
    EXPECT_FALSE(ConfereSenha(QStringLiteral("senhã 1"), stored));
    EXPECT_FALSE(ConfereSenha(QStringLiteral("Senha 1"), stored));
    EXPECT_FALSE(ConfereSenha(QStringLiteral("Senhã 1 "), stored));
    EXPECT_FALSE(ConfereSenha(QString(), stored));
}

TEST(Password, garbageStoredForms_neverMatch)
{
    const QString good = CodificaSenha(QStringLiteral("abc"));
    const QStringList parts = good.split('$');
    ASSERT_EQ(parts.size(), 4);
    const QStringList garbage = {
        QString(),
        QStringLiteral("abc"), // the password itself, as a plain or old-style store would hold it
        QStringLiteral("bcd"),
        QStringLiteral("pbkdf2-sha256$$$"),
        QStringLiteral("pbkdf2-sha256$x$y$z"),
        QStringLiteral("md5$") + parts[1] + '$' + parts[2] + '$' + parts[3],
        parts[0] + QStringLiteral("$0$") + parts[2] + '$' + parts[3],
        parts[0] + QStringLiteral("$-5$") + parts[2] + '$' + parts[3],
        parts[0] + QStringLiteral("$99999999999$") + parts[2] + '$' + parts[3],
        parts[0] + '$' + parts[1] + QStringLiteral("$$") + parts[3],
        parts[0] + '$' + parts[1] + '$' + parts[2] + QStringLiteral("$AAAA"),
        parts[0] + '$' + parts[1] + '$' + parts[2] + '$',
        good + QStringLiteral("$extra"),
    };
    for (const QString& stored : garbage)
        EXPECT_FALSE(ConfereSenha(QStringLiteral("abc"), stored)) << stored.toStdString();
    // An empty password against an empty store is no match either.
    EXPECT_FALSE(ConfereSenha(QString(), QString()));
}

TEST(Password, sameTwice_givesDifferentStoredForms_thatBothMatch)
{
    const QString a = CodificaSenha(QStringLiteral("segredo123"));
    const QString b = CodificaSenha(QStringLiteral("segredo123"));
    EXPECT_NE(a, b);
    EXPECT_NE(a.split('$').value(2), b.split('$').value(2)) << "each store has its own salt";
    EXPECT_TRUE(ConfereSenha(QStringLiteral("segredo123"), a));
    EXPECT_TRUE(ConfereSenha(QStringLiteral("segredo123"), b));
}

TEST(Password, storedForm_holdsNoRecoverableFormOfThePassword)
{
    const QString password = QStringLiteral("segredo123");
    const QString stored = CodificaSenha(password);
    QString reversed;
    for (const QChar c : password)
        reversed.prepend(c);
    QStringList forms = {password, reversed};
    for (int shift = 1; shift <= 10; ++shift) {
        QString up, down;
        for (const QChar c : password) {
            up += QChar(c.unicode() + shift);
            down += QChar(c.unicode() - shift);
        }
        forms << up << down;
    }
    const QByteArray b64 = password.toUtf8().toBase64(QByteArray::OmitTrailingEquals);
    forms << QString::fromLatin1(b64) << QString::fromLatin1(password.toUtf8().toHex());
    for (const QString& form : forms)
        EXPECT_FALSE(stored.contains(form, Qt::CaseInsensitive)) << form.toStdString();
}
