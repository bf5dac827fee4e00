#include "TransactionFixture.h"

#include "TestSupport.h"
#include "app/App.h"
#include "app/Schema.h"
#include "ledger/wCash.h"
#include "ledger/wTransacoes.h"
#include "platform/Controls.h"
#include "platform/Listbox.h"
#include "ui/common/Module1.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTest>

void TransactionTest::SetUp()
{
    App::resetState();
    App::CashDB = std::make_unique<SQLDatabase>();
    App::CashDB->setDatabaseFile(testsupport::tempPath(QStringLiteral("Tovira.rbd")));
    ASSERT_TRUE(App::CashDB->CreateDatabaseFile());
    ASSERT_TRUE(Schema::Create(*App::CashDB));
    Schema::Upgrade(*App::CashDB);
    exec("INSERT INTO Contas (nome) VALUES ('Carteira'), ('Banco')");
    exec("INSERT INTO Categorias (conta, descricao) VALUES ('1', 'Mercado'), ('1', 'Casa')");
    exec("INSERT INTO Contatos (nome) VALUES ('Padaria'), ('Loja')");
    App::ContaInicial = QStringLiteral("Banco");
    App::MesInicial = Module1::kTodos2();
    Module1::transacaoopcao.clear();
    main = &wCash::instance();
    showAllYears();
    ASSERT_EQ(main->sMes->ListIndex(), 12);
    ASSERT_EQ(main->List_Contas->Text(), "Banco");
    main->show();
}

void TransactionTest::TearDown()
{
    delete wTransacoes::existing();
    // Destroying the main window while it is shown makes its list ask the
    // half-destroyed window for row colours.
    if (main)
        main->hide();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    App::resetState();
}

SQLDatabase& TransactionTest::db()
{
    return *App::CashDB;
}

void TransactionTest::exec(const QString& sql)
{
    testsupport::exec(db(), sql);
}

QList<QStringList> TransactionTest::storedRows()
{
    QList<QStringList> out;
    auto rs = db().SQLSelect(QStringLiteral("SELECT * FROM Movimento ORDER BY id"));
    EXPECT_TRUE(rs);
    for (; rs && !rs->Eof(); rs->MoveNext()) {
        QStringList row;
        for (int i = 2; i <= rs->FieldCount(); ++i)
            row << (rs->IdxField(i).IsNull() ? QStringLiteral("NULL") : rs->IdxField(i).StringValue());
        out << row;
    }
    return out;
}

QStringList TransactionTest::storedRow(const QString& id)
{
    auto rs = db().SQLSelect(QStringLiteral("SELECT * FROM Movimento WHERE id = ?"), {id});
    QStringList row;
    for (int i = 2; rs && !rs->Eof() && i <= rs->FieldCount(); ++i)
        row << (rs->IdxField(i).IsNull() ? QStringLiteral("NULL") : rs->IdxField(i).StringValue());
    return row;
}

int TransactionTest::rowCount()
{
    return int(db().SQLSelect(QStringLiteral("SELECT COUNT(*) FROM Movimento"))->IdxField(1).IntegerValue());
}

QString TransactionTest::addRow(const QString& account, const QString& category, const QString& contact,
                                const QString& date, const QString& credit, const QString& debit,
                                const QString& verified, const QString& comment)
{
    const auto amount = [](const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text.toDouble()); };
    EXPECT_TRUE(db().SQLExecute(QStringLiteral("INSERT INTO Movimento (conta_nome, conta, contato, data, entrada, "
                                               "saida, conciliado, comentarios) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                                {account, category, contact, date, amount(credit), amount(debit), verified, comment}));
    const QString id = QString::number(db().LastRowId());
    if (wCash* window = wCash::existing())
        window->CarregalMovimento();
    return id;
}

int TransactionTest::ledgerRow(const QString& comment) const
{
    for (int i = 0; i < main->lMovimento->ListCount(); ++i)
        if (main->lMovimento->Cell(i, 8) == comment)
            return i;
    return -1;
}

void TransactionTest::showAllYears()
{
    main->sAno->setListIndex(main->sAno->ListCount() - 1);
    ASSERT_EQ(main->sAno->Text(), Module1::kTodos2());
}

void TransactionTest::showAccount(const QString& account)
{
    for (int i = 0; i < main->List_Contas->ListCount(); ++i)
        if (main->List_Contas->Cell(i, 0) == account)
            main->List_Contas->setListIndex(i);
    ASSERT_EQ(main->List_Contas->Text(), account);
}

void TransactionTest::choose(PopupMenu* popup, const QString& text)
{
    const int row = popup->findText(text);
    ASSERT_GE(row, 0) << text.toStdString();
    popup->setListIndex(row);
}

void TransactionTest::click(QPushButton* button)
{
    ASSERT_TRUE(button);
    QTest::mouseClick(button, Qt::LeftButton);
}
