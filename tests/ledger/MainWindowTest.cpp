// The main window over a seeded ledger: what it lists for each selection,
// its total and its selectors.

#include "LedgerFixture.h"
#include "ledger/LedgerQuery.h"

namespace {

class MainWindow : public LedgerTest
{
  protected:
    wCash& open() { return *(main = &openMain()); }
    void expectListing(const QString& account, int month, int year)
    {
        const Expected e = expected(account, month, year);
        EXPECT_EQ(listedIds(), e.ids);
        EXPECT_EQ(main->Totalgeral->text(), LedgerQuery::totalText(e.total));
    }
};

} // namespace

// The start account over the whole current year; "Atual" starts on the
// current month, and an account that is gone on the first.
TEST_F(MainWindow, opening_showsTheStartAccountAndMonth)
{
    seedLedger();
    App::cor_r = App::cor_g = App::cor_b = 230; // a light stripe for the screenshot
    App::ContaInicial = "Casa";
    wCash& w = open();
    EXPECT_EQ(rows(w.List_Contas), QStringList({"Banco", "Casa", "Joe's"}));
    EXPECT_EQ(w.tempconta, "Casa");
    EXPECT_EQ(w.List_Categorias->ListIndex(), -1);
    EXPECT_EQ(w.sMes->ListIndex(), 12);
    EXPECT_EQ(rows(w.sAno), QStringList({"2024", "2025", "2026", "2027", "Todos"}));
    EXPECT_EQ(w.sAno->Text(), "2026");
    expectListing("Casa", 0, 2026);
    EXPECT_FALSE(listedIds().isEmpty());
    testsupport::screenshot(w, "main_window_ledger");
    closeWindows();

    App::ContaInicial = "Deleted";
    App::MesInicial = "Atual";
    open();
    EXPECT_EQ(main->sMes->ListIndex(), 11); // December
    expectListing("Banco", 12, 2026);
    EXPECT_TRUE(recorder.shown.isEmpty());
}

// A failed reload is reported once and keeps the rows and total.
TEST_F(MainWindow, changingSelectors_reloadsTheMatchingRowsAndTotal_aCategoryFiltersNothing_aFailedReloadKeepsThem)
{
    seedLedger();
    wCash& w = open();
    select(w.List_Contas, "Joe's");
    select(w.sAno, "Todos");
    w.sMes->setListIndex(2);
    expectListing("Joe's", 3, 0);
    select(w.sAno, "2024");
    expectListing("Joe's", 3, 2024);
    const QStringList before = listedIds();
    w.List_Categorias->setListIndex(1);
    EXPECT_EQ(listedIds(), before);
    // Reloading the accounts returns to the start account; losing the selection selects the first.
    w.CarregaContas();
    EXPECT_EQ(w.List_Contas->Text(), "Banco");
    select(w.List_Contas, "Casa");
    w.List_Contas->setListIndex(-1);
    EXPECT_EQ(w.List_Contas->ListIndex(), 0);
    expectListing("Banco", 3, 2024);

    select(w.sAno, "Todos");
    const QStringList rows = listedIds();
    const QString total = w.Totalgeral->text();
    ASSERT_FALSE(rows.isEmpty());
    exec("ALTER TABLE Movimento RENAME TO Guardado");
    w.sMes->setListIndex(0);
    EXPECT_EQ(recorder.messages(), QStringList({"Erro: 1\n\nno such table: Movimento"}));
    EXPECT_EQ(listedIds(), rows);
    EXPECT_EQ(w.Totalgeral->text(), total);
}

TEST_F(MainWindow, noTransactionsOrAccounts_emptyLedgerAndCurrentYear_thenTheTotalShowsWhole)
{
    wCash& w = open();
    EXPECT_EQ(w.List_Contas->ListCount() + w.lMovimento->ListCount(), 0);
    EXPECT_EQ(QStringList({w.tempconta, w.Totalgeral->text(), w.sAno->Text()}), QStringList({"", "$0.00", "2026"}));
    EXPECT_EQ(rows(w.sAno), QStringList({"2026", "Todos"}));

    addAccounts({"Banco"});
    addTransaction("Banco", "Casa", "", "2026-03-09", "", "100346000");
    addTransaction("Banco", "Casa", "", "2026-01-02", "63.4", "");
    w.CarregaContas();
    EXPECT_EQ(w.Totalgeral->text(), "$-100,345,936.60");
}

// A save while another year is shown refills the year selector, which selects
// the current year and lists it, the new row among its rows; the refill reads
// the ledger once, for the year it selects.
TEST_F(MainWindow, saveWhileAnotherYearIsShown_listsTheCurrentYearWithTheNewRow_readingTheLedgerOnce)
{
    seedLedger();
    wCash& w = open();
    select(w.List_Contas, "Banco");
    w.sMes->setListIndex(12);
    select(w.sAno, "2024");
    w.NovoMovimento();
    wTransacoes& t = wTransacoes::instance();
    select(t.sCategoria, "Lazer");
    t.tValor->setText("7,25");
    t.tComentarios->setText("novo");
    click(t.PushButton1);
    EXPECT_EQ(w.sAno->Text(), "2026");
    expectListing("Banco", 0, 2026);
    QStringList comments;
    for (int row = 0; row < w.lMovimento->ListCount(); ++row)
        comments << w.lMovimento->Cell(row, LedgerQuery::CellComment);
    EXPECT_TRUE(comments.contains("novo"));

    select(w.sAno, "2025");
    int ledgerReads = 0;
    db().setStatementObserver([&](const QString& sql) { ledgerReads += sql.startsWith("SELECT * FROM Movimento"); });
    w.CarregaAno();
    db().setStatementObserver(nullptr);
    EXPECT_EQ(ledgerReads, 1);
    expectListing("Banco", 0, 2026);
}
