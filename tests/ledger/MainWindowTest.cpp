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

TEST_F(MainWindow, resizing_growsTheLedgerAndCategories_keepsTheAccounts_movesTheTotal)
{
    wCash& w = open();
    w.resize(w.size() + QSize(100, 50));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.lMovimento->width() == 642; }, 1000));
    EXPECT_EQ(w.lMovimento->geometry(), QRect(182, 32, 642, 342));
    EXPECT_EQ(w.Totalgeral->geometry(), QRect(584, 380, 236, 20));
    EXPECT_EQ(w.List_Contas->geometry(), QRect(15, 32, 155, 133));
    EXPECT_EQ(w.List_Categorias->geometry(), QRect(15, 206, 155, 168));
    w.resize(10, 10);
    EXPECT_GE(w.width(), 64);
    EXPECT_GE(w.height(), 64);
}

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

TEST_F(MainWindow, noTransactionsOrAccounts_emptyLedgerAndCurrentYear)
{
    wCash& w = open();
    EXPECT_EQ(w.List_Contas->ListCount(), 0);
    EXPECT_EQ(w.tempconta, "");
    EXPECT_EQ(w.lMovimento->ListCount(), 0);
    EXPECT_EQ(w.Totalgeral->text(), "$0.00");
    EXPECT_EQ(rows(w.sAno), QStringList({"2026", "Todos"}));
    EXPECT_EQ(w.sAno->Text(), "2026");
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
}

TEST_F(MainWindow, screenshot_showsAlternatingRowsAndRedDebits)
{
    seedLedger();
    App::ContaInicial = "Joe's";
    wCash& w = open();
    select(w.sAno, "Todos");
    ASSERT_GE(w.lMovimento->ListCount(), 4);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QImage image = testsupport::screenshot(w, "main_window_ledger");
    const qreal scale = image.width() / qreal(w.width());

    auto cellRect = [&](int row, int column) {
        const QRect r = w.lMovimento->visualRect(w.lMovimento->model()->index(row, column));
        return QRect(w.lMovimento->viewport()->mapTo(&w, r.topLeft()), r.size());
    };
    auto pixel = [&](QPoint p) { return image.pixelColor(int(p.x() * scale), int(p.y() * scale)); };
    // The right end of the verified cell holds no text: only the row's background.
    EXPECT_EQ(pixel(cellRect(2, 5).topRight() + QPoint(-3, 3)), QColor(255, 255, 255));
    EXPECT_EQ(pixel(cellRect(3, 5).topRight() + QPoint(-3, 3)), QColor(230, 230, 230));

    int debitRow = -1;
    for (int row = 0; row < w.lMovimento->ListCount() && debitRow < 0; ++row) {
        if (w.lMovimento->Cell(row, 4) != "$0.00" && w.lMovimento->Cell(row, 5) == "Sim")
            debitRow = row;
    }
    ASSERT_GE(debitRow, 0);
    const QRect debit = cellRect(debitRow, 4);
    bool red = false;
    for (int y = debit.top(); y <= debit.bottom() && !red; ++y) {
        for (int x = debit.left(); x <= debit.right() && !red; ++x) {
            const QColor c = pixel({x, y});
            red = c.red() > 150 && c.green() < 80 && c.blue() < 80;
        }
    }
    EXPECT_TRUE(red) << "no red pixel in the debit cell of row " << debitRow;
}
