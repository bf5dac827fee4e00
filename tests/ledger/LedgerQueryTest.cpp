// The ledger's query and selectors, without a window.

#include "ledger/LedgerQuery.h"
#include "ledger/LedgerSelectors.h"

#include "LedgerFixture.h"
#include "platform/Format.h"

using Ledger = LedgerTest;

TEST_F(Ledger, selections_listTheRowsAndTotalThatSqlComputes)
{
    seedLedger();
    // The account, month row and year chosen; the month and year SQL is asked for.
    const QString all = Module1::kTodos2();
    const std::tuple<QString, int, QString, int, int> cases[] = {
        {"Casa", 12, "2025", 0, 2025},  {"Joe's", 12, all, 0, 0},       {"Joe's", 2, "2024", 3, 2024},
        {"Banco", 6, all, 7, 0},        {"Todas", 12, "2026", 0, 2026}, {"All", 0, all, 1, 0},
        {"Casa", 11, "2027", 12, 2027}, {"Banco", 12, "2027", 0, 2027}, {"Casa", 8, all, 9, 0},
        {"Casa", 9, all, 10, 0},        {"Nobody", 12, all, 0, 0}};
    for (const auto& [account, monthIndex, year, month, yearNumber] : cases) {
        SCOPED_TRACE((account + " " + QString::number(monthIndex) + " " + year).toStdString());
        const LedgerResult r = LedgerQuery::load(db(), LedgerFilter{account, monthIndex, year});
        ASSERT_TRUE(r.ok) << r.errorMessage.toStdString();
        const Expected e = expected(account == "All" ? "Todas" : account, month, yearNumber);
        QStringList ids;
        for (const QStringList& cells : r.rows)
            ids << cells.at(LedgerQuery::CellId);
        EXPECT_EQ(ids, e.ids);
        EXPECT_EQ(LedgerQuery::totalText(r.total()), LedgerQuery::totalText(e.total));
    }
    // The quote in Joe's is a value, not SQL: its rows are there.
    EXPECT_FALSE(expected("Joe's", 0, 0).ids.isEmpty());
    EXPECT_EQ(LedgerQuery::totalText(0), "$0.00");
}

TEST_F(Ledger, rowCells_formatAmountsDatesAndHiddenCells_unreadableDateShownAsStored_yearRowsEachYearOnce)
{
    addTransaction("Casa", "Salário", "Ana", "2006-03-05", "1200.5", "", "Sim", "bónus");
    addTransaction("Casa", "Comida", "  -  ", "2006-03-09", "", "", "Não", "");
    addTransaction("Casa", "Comida", "  -  ", "2006-03-31", "", "1220.5", "Sim", "");
    addTransaction("Casa", "Comida", "  -  ", "2006-02-31", "5", "", "Sim", "");
    LedgerResult r = LedgerQuery::load(db(), LedgerFilter{"Casa", 2, "2006"});
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.rows.size(), 3);
    EXPECT_EQ(r.rows[0],
              QStringList({"Salário", "Ana", "05/03/06", "$1,200.50", "$0.00", "Sim", "1", "Casa", "bónus"}));
    EXPECT_EQ(r.rows[1], QStringList({"Comida", "  -  ", "09/03/06", "$0.00", "$0.00", "Não", "2", "Casa", ""}));
    EXPECT_EQ(r.rows[2].at(LedgerQuery::CellDebit), "$1,220.50");
    EXPECT_EQ(LedgerQuery::totalText(r.total()), "$-20.00");

    r = LedgerQuery::load(db(), LedgerFilter{"Casa", 12, "2006"});
    ASSERT_EQ(r.rows.size(), 4);
    EXPECT_EQ(r.rows[0].at(LedgerQuery::CellDate), "2006-02-31");
    EXPECT_EQ(r.rows[1].at(LedgerQuery::CellDate), "05/03/06");

    // Each year once, then the current year when no row has it; a row later
    // than today comes before it. The current year is selected.
    for (const char* date : {"2006-07-15", "2006-03-01", "2007-01-02", "2006-03-01", "garbage"})
        addTransaction("Casa", "", "", date, "", "");
    const std::tuple<int, QStringList, int> cases[] = {
        {2008, {"2006", "2007", "2008"}, 2}, {2007, {"2006", "2007"}, 1}, {2005, {"2006", "2007", "2005"}, 2}};
    for (const auto& [year, rows, selected] : cases) {
        const auto years = LedgerSelectors::yearRows(db(), QDate(year, 5, 1));
        EXPECT_TRUE(years.ok);
        EXPECT_EQ(years.years, rows) << year;
        EXPECT_EQ(years.selected, selected) << year;
    }
    // The start month by its exact name, of equal accounts the last.
    EXPECT_EQ(LedgerSelectors::monthRow("Outubro", QDate(2026, 3, 10)), 9);
    EXPECT_EQ(LedgerSelectors::monthRow("outubro", QDate(2026, 3, 10)), 0);
    EXPECT_EQ(LedgerSelectors::monthRow("Brumário", QDate(2026, 3, 10)), 0);
    EXPECT_EQ(LedgerSelectors::startAccountRow({"A", "B", "A"}, "A"), 2);
    EXPECT_EQ(LedgerSelectors::startAccountRow({}, "A"), 0);
}
