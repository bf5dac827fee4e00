#include "LedgerFixture.h"

#include "ledger/LedgerQuery.h"

void LedgerTest::SetUp()
{
    AppTest::SetUp();
    openDatabase();
}

void LedgerTest::seedLedger()
{
    const QStringList accounts{"Banco", "Casa", "Joe's"};
    addAccounts(accounts);
    addCategories({"Comida", "Salário", "Lazer"});
    const QStringList categories{"Comida", "Salário", "Lazer", "Comida"};
    for (int i = 0; i < 60; ++i) {
        // Stored out of date order, so that a listing in id order shows.
        const QString date = QDate(2024, 1, 3).addDays((i * 37 % 60) * 19).toString("yyyy-MM-dd");
        const QString amount = QString::number(i == 4 ? 1200.5 : 10.25 * (i + 1));
        const bool none = i == 7, credit = i % 4 == 0;
        addTransaction(accounts.at(i % 3), categories.at(i % 4), i % 2 ? "Ana" : "  -  ", date,
                       credit && !none ? amount : "", !credit && !none ? amount : "", i % 5 == 0 ? "Não" : "Sim",
                       QString("c%1").arg(i));
    }
}

LedgerTest::Expected LedgerTest::expected(const QString& account, int month, int year)
{
    Expected out;
    const char* sql = "SELECT id, coalesce(entrada, 0) - coalesce(saida, 0) FROM Movimento WHERE (? = 'Todas' OR "
                      "conta_nome = ?) AND (? = 0 OR strftime('%m', data) + 0 = ?) AND (? = 0 OR "
                      "strftime('%Y', data) + 0 = ?) ORDER BY data";
    for (const QStringList& row : testsupport::rows(db(), sql, {account, account, month, month, year, year})) {
        out.ids << row[0];
        out.total += row[1].toDouble();
    }
    return out;
}

QStringList LedgerTest::listedIds() const
{
    QStringList ids;
    for (int row = 0; row < main->lMovimento->ListCount(); ++row)
        ids << main->lMovimento->Cell(row, LedgerQuery::CellId);
    return ids;
}

void TransactionTest::SetUp()
{
    LedgerTest::SetUp();
    addAccounts({"Carteira", "Banco"});
    addCategories({"Mercado", "Casa"});
    addContacts({"Padaria", "Loja"});
    App::ContaInicial = QStringLiteral("Banco");
    App::MesInicial = Module1::kTodos2();
    main = &openMain();
    select(main->sAno, Module1::kTodos2());
    ASSERT_EQ(main->sMes->ListIndex(), 12);
    ASSERT_EQ(main->List_Contas->Text(), "Banco");
}

int TransactionTest::ledgerRow(const QString& comment) const
{
    for (int i = 0; i < main->lMovimento->ListCount(); ++i)
        if (main->lMovimento->Cell(i, 8) == comment)
            return i;
    return -1;
}

wTransacoes& TransactionTest::edit(const QString& comment)
{
    main->lMovimento->setListIndex(ledgerRow(comment));
    main->AlteraMovimento();
    return wTransacoes::instance();
}
