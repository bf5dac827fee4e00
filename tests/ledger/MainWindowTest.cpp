// The main window over a seeded ledger: what it lists for each selection,
// its total, its selectors, its painting and its layout.

#include "LedgerFixture.h"
#include "TestSupport.h"
#include "app/App.h"
#include "ledger/LedgerQuery.h"
#include "ledger/wCash.h"
#include "platform/Controls.h"
#include "platform/Database.h"
#include "platform/Listbox.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class MainWindow : public LedgerTest
{
  protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        App::cor_r = App::cor_g = App::cor_b = 230;
    }
    wCash& open() { return *(main = &openMain()); }
    void expectListing(const QString& account, int month, int year)
    {
        const Expected e = expected(account, month, year);
        EXPECT_EQ(listedIds(), e.ids);
        EXPECT_EQ(main->Totalgeral->text(), LedgerQuery::totalText(e.total));
    }
};

} // namespace

TEST_F(MainWindow, opening_showsStartAccountWholeCurrentYear)
{
    seedLedger();
    App::ContaInicial = "Casa";
    wCash& w = open();
    EXPECT_EQ(w.List_Contas->ListCount(), 3);
    EXPECT_EQ(w.List_Contas->Text(), "Casa");
    EXPECT_EQ(w.tempconta, "Casa");
    EXPECT_EQ(w.List_Categorias->ListCount(), 3);
    EXPECT_EQ(w.List_Categorias->ListIndex(), -1);
    EXPECT_EQ(w.sMes->ListCount(), 13);
    EXPECT_EQ(w.sMes->ListIndex(), 12);
    EXPECT_EQ(rows(w.sAno), QStringList({"2024", "2025", "2026", "2027", "Todos"}));
    EXPECT_EQ(w.sAno->Text(), "2026");
    expectListing("Casa", 0, 2026);
    EXPECT_FALSE(listedIds().isEmpty());
    EXPECT_TRUE(recorder.shown.isEmpty());
}

TEST_F(MainWindow, startMonthAtual_andUnknownStartAccount)
{
    seedLedger();
    App::ContaInicial = "Deleted";
    App::MesInicial = "Atual";
    wCash& w = open();
    EXPECT_EQ(w.List_Contas->ListIndex(), 0);
    EXPECT_EQ(w.sMes->ListIndex(), 11); // December
    expectListing("Banco", 12, 2026);
}

TEST_F(MainWindow, changingSelectors_reloadsTheMatchingRowsAndTotal)
{
    seedLedger();
    wCash& w = open();
    select(w.List_Contas, "Joe's");
    EXPECT_EQ(w.tempconta, "Joe's");
    expectListing("Joe's", 0, 2026);
    select(w.sAno, "Todos");
    expectListing("Joe's", 0, 0);
    w.sMes->setListIndex(2);
    expectListing("Joe's", 3, 0);
    select(w.sAno, "2024");
    expectListing("Joe's", 3, 2024);
    select(w.List_Contas, "Casa");
    w.sMes->setListIndex(8);
    select(w.sAno, "2025");
    expectListing("Casa", 9, 2025);

    // A category filters nothing.
    const QStringList before = listedIds();
    w.List_Categorias->setListIndex(1);
    EXPECT_EQ(listedIds(), before);
    EXPECT_TRUE(recorder.shown.isEmpty());
}

TEST_F(MainWindow, noTransactionsOrAccounts_emptyLedgerAndCurrentYear_thenTheTotalShowsWhole)
{
    wCash& w = open();
    EXPECT_EQ(w.List_Contas->ListCount(), 0);
    EXPECT_EQ(w.tempconta, "");
    EXPECT_EQ(w.lMovimento->ListCount(), 0);
    EXPECT_EQ(w.Totalgeral->text(), "$0.00");
    EXPECT_EQ(rows(w.sAno), QStringList({"2026", "Todos"}));
    EXPECT_EQ(w.sAno->Text(), "2026");

    addAccounts({"Banco"});
    addTransaction("Banco", "Casa", "", "2026-03-09", "", "100346000");
    addTransaction("Banco", "Casa", "", "2026-01-02", "63.4", "");
    w.CarregaContas();
    EXPECT_EQ(w.Totalgeral->text(), "$-100,345,936.60");
}

TEST_F(MainWindow, reloadingAccounts_returnsToStartAccount)
{
    seedLedger();
    App::ContaInicial = "Casa";
    wCash& w = open();
    select(w.List_Contas, "Joe's");
    w.CarregaContas();
    EXPECT_EQ(w.List_Contas->Text(), "Casa");
    expectListing("Casa", 0, 2026);
    // Losing the selection while the list holds rows selects the first account.
    w.List_Contas->setListIndex(-1);
    EXPECT_EQ(w.List_Contas->ListIndex(), 0);
    expectListing("Banco", 0, 2026);
}

TEST_F(MainWindow, failedReload_reportsOnceAndKeepsRowsAndTotal)
{
    seedLedger();
    wCash& w = open();
    select(w.sAno, "Todos");
    const QStringList rows = listedIds();
    const QString total = w.Totalgeral->text();
    ASSERT_FALSE(rows.isEmpty());

    exec("ALTER TABLE Movimento RENAME TO Guardado");
    w.sMes->setListIndex(0);
    EXPECT_EQ(recorder.messages(), QStringList({"no such table: Movimento"}));
    EXPECT_EQ(listedIds(), rows);
    EXPECT_EQ(w.Totalgeral->text(), total);
}

TEST_F(MainWindow, columnWidths_comeFromPreferences_partlySavedKeepTheirColumns_andSurviveReloads)
{
    App::coluna2 = "140";
    EXPECT_EQ(open().lMovimento->ColumnWidth(1), 140);
    EXPECT_GT(main->lMovimento->ColumnWidth(0), 20);
    closeWindows();

    seedLedger();
    App::coluna1 = "120";
    App::coluna2 = "100";
    App::coluna3 = "80";
    App::coluna4 = App::coluna5 = "90";
    App::coluna6 = "70";
    wCash& w = open();
    EXPECT_EQ(w.lMovimento->ColumnWidths(), "120,100,80,90,90,70");
    w.lMovimento->setColumnWidth(0, 150); // the user drags a column
    select(w.sAno, "Todos");
    EXPECT_EQ(w.lMovimento->ColumnWidth(0), 150);
}

TEST_F(MainWindow, rowColours_alternateAndMarkDebitsAndUnverified)
{
    seedLedger();
    wCash& w = open();
    select(w.sAno, "Todos");
    EXPECT_EQ(w.lMovimento_CellBackgroundPaint(0, 3), QColor(255, 255, 255));
    EXPECT_EQ(w.lMovimento_CellBackgroundPaint(1, 0), QColor(230, 230, 230));
    App::cor_r = App::cor_g = App::cor_b = 255;
    EXPECT_EQ(w.lMovimento_CellBackgroundPaint(1, 0), QColor(255, 255, 255));

    bool sawCredit = false, sawDebit = false, sawUnverified = false;
    for (int row = 0; row < w.lMovimento->ListCount(); ++row) {
        const bool debit = w.lMovimento->Cell(row, 4) != "$0.00";
        const bool unverified = w.lMovimento->Cell(row, 5) == "Não";
        const QColor c = w.lMovimento_CellTextPaint(row, 0);
        if (unverified) {
            EXPECT_EQ(c, QColor(120, 133, 173)) << row;
            sawUnverified = true;
        } else if (debit) {
            EXPECT_EQ(c, QColor(196, 0, 0)) << row;
            sawDebit = true;
        } else {
            EXPECT_EQ(c, QColor(0, 0, 0)) << row;
            sawCredit = true;
        }
    }
    EXPECT_TRUE(sawCredit && sawDebit && sawUnverified);
    w.lMovimento->setListIndex(1);
    EXPECT_EQ(w.lMovimento_CellTextPaint(1, 2), QColor(255, 255, 255));
    testsupport::screenshot(w, "main_window_ledger");
}
