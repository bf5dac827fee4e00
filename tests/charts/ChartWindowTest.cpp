#include "AppFixture.h"
#include "charts/chartingPicture.h"
#include "charts/wGraficos.h"

namespace {

class ChartWindow : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        openDatabase();
        addAccounts({"Banco", "D'Ávila"});
        addCategories({"Lazer", "Mercado"});
        addTransaction("Banco", "Mercado", "", "2026-03-05", "100", "", "Não");
        addTransaction("Banco", "Lazer", "", "2025-03-20", "", "40", "Não");
        addTransaction("D'Ávila", "Lazer", "", "2026-03-09", "70", "", "Sim");
        addTransaction("D'Ávila", "Mercado", "", "2026-04-01", "", "25.5", "Não");
        addTransaction("D'Ávila", "Lazer", "", "2024-03-30", "", "12.25", "Sim");
        addTransaction("Banco", "Mercado", "", "2026-11-15", "8", "3", "Sim");
    }

    // Sets the filters as a user does and presses Ok.
    static wGraficos& chartOf(const QString& account, const QString& category, const QString& month, bool verified)
    {
        wGraficos& w = wGraficos::instance();
        select(w.sContas, account);
        select(w.sCategorias, category);
        select(w.sMes, month);
        w.cConciliado->setChecked(verified);
        click(w.bt_ok);
        return w;
    }
};

} // namespace

TEST_F(ChartWindow, opensOnEveryRowWithTheUnverifiedSums_everyFilterCombinationSumsTheRowsThatPassIt)
{
    openMain().Toolbar11_Action("mgraficos");
    ASSERT_TRUE(wGraficos::exists());
    wGraficos& w = wGraficos::instance();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(rows(w.sContas), QStringList({"Banco", "D'Ávila", "Todas"}));
    EXPECT_EQ(w.sMes->Text(), "Todos");
    ASSERT_TRUE(w.barChart);
    EXPECT_EQ(w.barChart->title, "Categoria: Todas | Conta: Todas | Mês: Todos");
    EXPECT_EQ(w.barChart->values, QVector<double>({100, 65.5}));
    EXPECT_EQ(w.barChart->yTag, QStringList({"Crédito", "Débito"}));
    testsupport::screenshot(w, "wGraficos");

    // A filter changed without Ok leaves the chart as it was.
    const chartingPicture* before = w.barChart.get();
    select(w.sMes, "Março");
    w.cConciliado->setChecked(true);
    EXPECT_EQ(w.barChart.get(), before);

    // Every combination of filters sums what SQL sums for the same rows.
    const std::tuple<const char*, const char*, const char*, bool, const char*> cases[] = {
        {"Todas", "Todas", "Março", false, "substr(data, 6, 2) = '03' AND conciliado = 'Não'"},
        {"Todas", "Lazer", "Março", true, "substr(data, 6, 2) = '03' AND conta = 'Lazer' AND conciliado = 'Sim'"},
        {"Todas", "Mercado", "Todos", false, "conta = 'Mercado' AND conciliado = 'Não'"},
        {"D'Ávila", "Todas", "Todos", true, "conta_nome = 'D''Ávila' AND conciliado = 'Sim'"},
        {"D'Ávila", "Lazer", "Todos", false, "0"},
        {"Banco", "Mercado", "Novembro", true,
         "substr(data, 6, 2) = '11' AND conta = 'Mercado' AND conta_nome = 'Banco' AND conciliado = 'Sim'"},
        {"Banco", "Todas", "Março", false, "substr(data, 6, 2) = '03' AND conta_nome = 'Banco' AND conciliado = 'Não'"},
    };
    for (const auto& [account, category, month, verified, where] : cases) {
        SCOPED_TRACE(where);
        chartOf(account, category, month, verified);
        const QStringList sums = testsupport::rows(
            db(), QString("SELECT TOTAL(entrada), TOTAL(saida) FROM Movimento WHERE %1").arg(where))[0];
        EXPECT_EQ(w.barChart->values, QVector<double>({sums[0].toDouble(), sums[1].toDouble()}));
        EXPECT_EQ(w.barChart->title, QString("Categoria: %1 | Conta: %2 | Mês: %3").arg(category, account, month));
    }
    testsupport::screenshot(chartOf("D'Ávila", "Lazer", "Todos", false), "wGraficos_empty");
    EXPECT_TRUE(recorder.shown.isEmpty());
    click(w.bt_fecha);
    EXPECT_FALSE(wGraficos::exists());
}

TEST_F(ChartWindow, sumThatCannotBeRead_isToldOnceAndChartsZeros)
{
    wGraficos::instance();
    exec("ALTER TABLE Movimento RENAME TO Antigo");
    wGraficos& w = chartOf("Banco", "Todas", "Todos", false);
    EXPECT_EQ(recorder.messages(), QStringList({"Erro: 1\n\nno such table: Movimento"}));
    EXPECT_EQ(w.barChart->values, QVector<double>({0, 0}));
}
