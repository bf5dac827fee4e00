// What the user types into the transaction window, key by key, is what is
// stored; what the program hands over to its fields is stored unaltered.

#include "LedgerFixture.h"
#include "TestSupport.h"
#include "app/App.h"
#include "ledger/wCash.h"
#include "ledger/wTransacoes.h"
#include "platform/Controls.h"
#include "platform/Listbox.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using TypedEntry = TransactionTest;

namespace {

// A new transaction on Banco in Casa, its amount and date typed as keys.
wTransacoes& typeNew(const QString& amount, const QString& date)
{
    wCash::instance().NovoMovimento();
    wTransacoes& w = wTransacoes::instance();
    w.sCategoria->setListIndex(w.sCategoria->findText("Casa"));
    w.tValor->clear();
    QTest::keyClicks(w.tValor, amount);
    w.tData->clear();
    QTest::keyClicks(w.tData, date);
    return w;
}

} // namespace

TEST_F(TypedEntry, typedAmountsAndDates_areStoredAsTyped)
{
    struct Case
    {
        const char* amount;
        const char* date;
        const char* shown; // the amount field after the keys
        const char* entrada;
        const char* data;
    };
    // A sign, a letter or a second decimal mark is refused as it is typed.
    const Case cases[] = {
        {"50,25", "050326", "50,25", "50.25", "2026-03-05"},
        {"50.25", "5/3/26", "50.25", "50.25", "2026-03-05"},
        {"-12,3,4x", "05/03/2026", "12,34", "12.34", "2026-03-05"},
        {"1234567,5", "31/12/1999", "1234567,5", "1234567.5", "1999-12-31"},
        {"0,07", "05032026", "0,07", "0.07", "2026-03-05"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.amount);
        exec("DELETE FROM Movimento");
        wTransacoes& w = typeNew(c.amount, c.date);
        w.sTipo->setListIndex(0);
        EXPECT_EQ(w.tValor->Text(), c.shown);
        click(w.PushButton1);
        EXPECT_TRUE(recorder.shown.isEmpty()) << recorder.shown.value(0).text.toStdString();
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(storedRows().value(0).mid(3, 2), QStringList({c.data, c.entrada}));
    }
}

TEST_F(TypedEntry, impossibleOrIncompleteDate_isRefusedAndTheWindowKeepsIt)
{
    for (const char* bad : {"31/02/26", "290225", "5/3/", "1/13/26", "05/03/202"}) {
        SCOPED_TRACE(bad);
        recorder.clear();
        wTransacoes& w = typeNew("50,25", bad);
        click(w.PushButton1);
        EXPECT_EQ(recorder.confirmations(), QStringList({"Data inválida"}));
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.tData->Text(), bad);
        EXPECT_EQ(w.tValor->Text(), "50,25");
    }
    EXPECT_EQ(rowCount(), 0);
}

TEST_F(TypedEntry, pastedAmount_isReadWhole_orRefusedWhole)
{
    wTransacoes& w = typeNew("", "050326");
    for (const char* pasted : {"1.234,56", "1,234.56", " 1234,56 "}) {
        w.tValor->clear();
        QApplication::clipboard()->setText(pasted);
        QTest::keySequence(w.tValor, QKeySequence::Paste);
        EXPECT_EQ(w.tValor->Text(), "1234.56") << pasted;
    }
    for (const char* pasted : {"12abc", "-5,00", "1,2,3,4.5.6", "$10"}) {
        QApplication::clipboard()->setText(pasted);
        QTest::keySequence(w.tValor, QKeySequence::Paste);
        EXPECT_EQ(w.tValor->Text(), "1234.56") << pasted;
    }
    click(w.PushButton1);
    EXPECT_EQ(storedRows().value(0).value(4), "1234.56");
}

// The program's own hand-overs: the new command's two-digit date, the edit's
// four-digit year and every decimal, and the path without a user.
TEST_F(TypedEntry, handedOverDatesAndAmounts_areStoredUnaltered)
{
    wCash::instance().NovoMovimento();
    wTransacoes& w = wTransacoes::instance();
    EXPECT_EQ(w.tData->Text(), "05/12/26");
    w.sCategoria->setListIndex(w.sCategoria->findText("Casa"));
    w.sTipo->setListIndex(1);
    w.handOverAmount(1234.567);
    click(w.PushButton1);
    EXPECT_EQ(storedRows().value(0).mid(3, 3), QStringList({"2026-12-05", "NULL", "1234.567"}));

    for (const QDate day : {QDate(1999, 12, 31), QDate(2099, 1, 2), QDate(1901, 2, 28)}) {
        ImportingScope importing;
        App::uConta = "Banco";
        App::uCategoria = "Casa";
        w.handOverDate(day);
        w.handOverAmount(0.1 + 0.2);
        ASSERT_EQ(w.InsereMovimento(), wTransacoes::SaveResult::Stored) << day.toString().toStdString();
    }
    EXPECT_EQ(testsupport::column(db(), "SELECT data || ' ' || saida FROM Movimento WHERE id > 1 ORDER BY id"),
              QStringList({"1999-12-31 0.3", "2099-01-02 0.3", "1901-02-28 0.3"}));
    EXPECT_EQ(testsupport::column(db(), "SELECT count(*) FROM Movimento WHERE saida = 0.1 + 0.2"), QStringList{"3"});

    // An edit saved untouched keeps every stored value, whatever the century.
    select(main->sAno, "Todos");
    const auto sorted = [] {
        QList<QStringList> rows = storedRows();
        std::sort(rows.begin(), rows.end());
        return rows;
    };
    const QList<QStringList> before = sorted();
    ASSERT_EQ(main->lMovimento->ListCount(), 4);
    for (int row = 0; row < 4; ++row) {
        main->lMovimento->setListIndex(row);
        main->AlteraMovimento();
        EXPECT_EQ(w.tData->Text().size(), 10);
        click(w.PushButton1);
    }
    EXPECT_EQ(sorted(), before);
}

TEST_F(TypedEntry, ledgerTotal_showsItsWholeText_growingToTheLeft)
{
    QLabel& total = *main->Totalgeral;
    const int normalWidth = total.width();
    addTransaction("Banco", "Casa", "  -  ", "2026-03-05", "", "100345936.6");
    EXPECT_EQ(total.text(), "$-100,345,936.60");
    const int right = total.geometry().right();
    // The label's new size hint reaches its panel through the event loop.
    EXPECT_TRUE(QTest::qWaitFor([&] { return total.width() >= total.fontMetrics().horizontalAdvance(total.text()); }));
    EXPECT_EQ(total.geometry().right(), right);
    testsupport::screenshot(*main, "ledger_long_total");

    exec("DELETE FROM Movimento");
    main->CarregalMovimento();
    EXPECT_EQ(total.text(), "$0.00");
    EXPECT_TRUE(QTest::qWaitFor([&] { return total.width() == normalWidth; }));
    EXPECT_EQ(total.geometry().right(), right);
}
