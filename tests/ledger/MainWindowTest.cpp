// The main window over a seeded ledger: what it lists for each selection,
// its total, its selectors, its painting and its layout.

#include "ledger/wCash.h"

#include "app/App.h"
#include "app/Schema.h"
#include "ledger/LedgerQuery.h"
#include "platform/Controls.h"
#include "platform/Database.h"
#include "platform/Listbox.h"
#include "ui/common/Module1.h"

#include "LedgerSeed.h"
#include "Recorder.h"
#include "TestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class MainWindow : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        App::resetState();
        recorder.todayDate = QDate(2026, 12, 5);
        App::CashDB = std::make_unique<SQLDatabase>();
        App::CashDB->setDatabaseFile(testsupport::tempPath("Tovira.rbd"));
        ASSERT_TRUE(App::CashDB->CreateDatabaseFile());
        ASSERT_TRUE(Schema::Create(*App::CashDB));
        Schema::Upgrade(*App::CashDB);
        App::cor_r = App::cor_g = App::cor_b = 230;
    }
    void TearDown() override { App::resetState(); }

    wCash& open()
    {
        wCash& w = wCash::instance();
        w.Show();
        return w;
    }

    template <class T> T* control(wCash& w, const char* name)
    {
        T* found = w.findChild<T*>(name);
        EXPECT_TRUE(found) << name;
        return found;
    }

    static QStringList listedIds(wCash& w)
    {
        QStringList ids;
        for (int row = 0; row < w.lMovimento->ListCount(); ++row)
            ids << w.lMovimento->Cell(row, LedgerQuery::CellId);
        return ids;
    }

    static void selectText(PopupMenu* popup, const QString& text)
    {
        const int row = popup->findText(text);
        ASSERT_GE(row, 0) << text.toStdString();
        popup->setListIndex(row);
    }

    static void selectAccount(wCash& w, const QString& name)
    {
        for (int row = 0; row < w.List_Contas->ListCount(); ++row) {
            if (w.List_Contas->Cell(row, 0) == name)
                w.List_Contas->setListIndex(row);
        }
    }

    static void expectListing(wCash& w, const QString& account, int month, int year)
    {
        const ledgerseed::Expected e = ledgerseed::expected(*App::CashDB, account, month, year);
        EXPECT_EQ(listedIds(w), e.ids);
        EXPECT_EQ(w.Totalgeral->text(), LedgerQuery::totalText(e.total));
    }

    Recorder recorder;
};

} // namespace

TEST_F(MainWindow, controlsAreNamedAndPlacedInTheContentArea)
{
    wCash& w = open();
    EXPECT_EQ(w.windowTitle(), "Tovira");
    EXPECT_EQ(w.minimumSize(), QSize(64, 64));
    struct Placed
    {
        const char* name;
        QRect rect;
    };
    const QList<Placed> placed{{"lMovimento", {182, 32, 542, 292}},  {"sMes", {472, 10, 80, 20}},
                               {"StaticText7", {412, 8, 50, 20}},    {"Totalgeral", {584, 330, 136, 20}},
                               {"sAno", {638, 10, 80, 20}},          {"StaticText10", {591, 8, 38, 20}},
                               {"List_Contas", {15, 32, 155, 133}},  {"BevelButton1", {15, 172, 29, 22}},
                               {"BevelButton2", {182, 330, 29, 22}}, {"BevelButton3", {46, 172, 29, 22}},
                               {"BevelButton4", {213, 330, 29, 22}}, {"List_Categorias", {15, 206, 155, 118}},
                               {"BevelButton5", {15, 330, 29, 22}},  {"BevelButton6", {46, 330, 29, 22}}};
    for (const Placed& p : placed) {
        QWidget* c = control<QWidget>(w, p.name);
        ASSERT_TRUE(c);
        EXPECT_EQ(c->geometry(), p.rect) << p.name;
    }
    EXPECT_EQ(control<QLabel>(w, "StaticText7")->text(), "Mês");
    EXPECT_EQ(control<QPushButton>(w, "BevelButton4")->toolTip(), "Apaga");
}

TEST_F(MainWindow, resizing_followsTheAnchors)
{
    wCash& w = open();
    const QSize before = w.size();
    w.resize(before + QSize(100, 50));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.lMovimento->width() == 642; }, 1000));
    EXPECT_EQ(w.lMovimento->geometry(), QRect(182, 32, 642, 342));
    EXPECT_EQ(w.sMes->geometry(), QRect(572, 10, 80, 20));
    EXPECT_EQ(w.StaticText10->geometry(), QRect(691, 8, 38, 20));
    EXPECT_EQ(w.Totalgeral->geometry(), QRect(584, 380, 236, 20));
    EXPECT_EQ(w.List_Contas->geometry(), QRect(15, 32, 155, 133));
    EXPECT_EQ(w.BevelButton3->geometry(), QRect(46, 172, 29, 22));
    EXPECT_EQ(w.List_Categorias->geometry(), QRect(15, 206, 155, 168));
    EXPECT_EQ(w.BevelButton2->geometry(), QRect(182, 380, 29, 22));
    EXPECT_EQ(w.BevelButton6->geometry(), QRect(46, 380, 29, 22));
    w.resize(10, 10);
    EXPECT_GE(w.width(), 64);
    EXPECT_GE(w.height(), 64);
}

TEST_F(MainWindow, opening_showsStartAccountWholeCurrentYear)
{
    ledgerseed::seed(*App::CashDB);
    App::ContaInicial = "Casa";
    wCash& w = open();
    EXPECT_EQ(w.List_Contas->ListCount(), 3);
    EXPECT_EQ(w.List_Contas->Text(), "Casa");
    EXPECT_EQ(w.tempconta, "Casa");
    EXPECT_EQ(w.List_Categorias->ListCount(), 3);
    EXPECT_EQ(w.List_Categorias->ListIndex(), -1);
    EXPECT_EQ(w.sMes->ListCount(), 13);
    EXPECT_EQ(w.sMes->ListIndex(), 12);
    QStringList years;
    for (int i = 0; i < w.sAno->ListCount(); ++i)
        years << w.sAno->List(i);
    EXPECT_EQ(years, QStringList({"2024", "2025", "2026", "2027", "Todos"}));
    EXPECT_EQ(w.sAno->Text(), "2026");
    expectListing(w, "Casa", 0, 2026);
    EXPECT_FALSE(listedIds(w).isEmpty());
    EXPECT_TRUE(recorder.shown.isEmpty());
}

TEST_F(MainWindow, startMonthAtual_andUnknownStartAccount)
{
    ledgerseed::seed(*App::CashDB);
    App::ContaInicial = "Deleted";
    App::MesInicial = "Atual";
    wCash& w = open();
    EXPECT_EQ(w.List_Contas->ListIndex(), 0);
    EXPECT_EQ(w.sMes->ListIndex(), 11); // December
    expectListing(w, "Banco", 12, 2026);
}

TEST_F(MainWindow, changingSelectors_reloadsTheMatchingRowsAndTotal)
{
    ledgerseed::seed(*App::CashDB);
    wCash& w = open();

    selectAccount(w, "Joe's");
    EXPECT_EQ(w.tempconta, "Joe's");
    expectListing(w, "Joe's", 0, 2026);

    selectText(w.sAno, "Todos");
    expectListing(w, "Joe's", 0, 0);

    w.sMes->setListIndex(2);
    expectListing(w, "Joe's", 3, 0);

    selectText(w.sAno, "2024");
    expectListing(w, "Joe's", 3, 2024);

    selectAccount(w, "Casa");
    w.sMes->setListIndex(8);
    selectText(w.sAno, "2025");
    expectListing(w, "Casa", 9, 2025);

    // A category filters nothing.
    const QStringList before = listedIds(w);
    w.List_Categorias->setListIndex(1);
    EXPECT_EQ(listedIds(w), before);
    EXPECT_TRUE(recorder.shown.isEmpty());
}

TEST_F(MainWindow, noTransactionsOrAccounts_emptyLedgerAndCurrentYear)
{
    wCash& w = open();
    EXPECT_EQ(w.List_Contas->ListCount(), 0);
    EXPECT_EQ(w.tempconta, "");
    EXPECT_EQ(w.lMovimento->ListCount(), 0);
    EXPECT_EQ(w.Totalgeral->text(), "$0.00");
    EXPECT_EQ(w.sAno->ListCount(), 2);
    EXPECT_EQ(w.sAno->Text(), "2026");
    EXPECT_EQ(w.sAno->List(1), "Todos");
}

TEST_F(MainWindow, reloadingAccounts_returnsToStartAccount)
{
    ledgerseed::seed(*App::CashDB);
    App::ContaInicial = "Casa";
    wCash& w = open();
    selectAccount(w, "Joe's");
    w.CarregaContas();
    EXPECT_EQ(w.List_Contas->Text(), "Casa");
    expectListing(w, "Casa", 0, 2026);
    // Losing the selection while the list holds rows selects the first account.
    w.List_Contas->setListIndex(-1);
    EXPECT_EQ(w.List_Contas->ListIndex(), 0);
    expectListing(w, "Banco", 0, 2026);
}

TEST_F(MainWindow, failedReload_reportsOnceAndKeepsRowsAndTotal)
{
    ledgerseed::seed(*App::CashDB);
    wCash& w = open();
    selectText(w.sAno, "Todos");
    const QStringList rows = listedIds(w);
    const QString total = w.Totalgeral->text();
    ASSERT_FALSE(rows.isEmpty());

    testsupport::exec(*App::CashDB, "ALTER TABLE Movimento RENAME TO Guardado");
    w.sMes->setListIndex(0);
    EXPECT_EQ(recorder.messages(), QStringList({"no such table: Movimento"}));
    EXPECT_EQ(listedIds(w), rows);
    EXPECT_EQ(w.Totalgeral->text(), total);
}

TEST_F(MainWindow, columnWidths_comeFromPreferencesAndSurviveReloads)
{
    ledgerseed::seed(*App::CashDB);
    App::coluna1 = "120";
    App::coluna2 = "100";
    App::coluna3 = "80";
    App::coluna4 = "90";
    App::coluna5 = "90";
    App::coluna6 = "70";
    wCash& w = open();
    EXPECT_EQ(w.lMovimento->ColumnWidths(), "120,100,80,90,90,70");
    w.lMovimento->setColumnWidth(0, 150); // the user drags a column
    selectText(w.sAno, "Todos");
    EXPECT_EQ(w.lMovimento->ColumnWidth(0), 150);
}

TEST_F(MainWindow, partlySavedColumnWidths_keepTheirColumns)
{
    App::coluna2 = "140";
    wCash& w = open();
    EXPECT_EQ(w.lMovimento->ColumnWidth(1), 140);
    EXPECT_GT(w.lMovimento->ColumnWidth(0), 20);
}

TEST_F(MainWindow, rowColours_alternateAndMarkDebitsAndUnverified)
{
    ledgerseed::seed(*App::CashDB);
    wCash& w = open();
    selectText(w.sAno, "Todos");
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
    ledgerseed::seed(*App::CashDB);
    App::ContaInicial = "Joe's";
    wCash& w = open();
    selectText(w.sAno, "Todos");
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
