#include "charts/wGraficos.h"

#include "app/App.h"
#include "charts/ChartSums.h"
#include "charts/chartingPicture.h"
#include "platform/Controls.h"
#include "registers/NameCheck.h"
#include "registers/RegisterWidgets.h"
#include "ui/common/Module1.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

// The names of a register, then the all-rows row "Todas", selected.
void fillNames(PopupMenu& menu, RegisterStore::Kind kind)
{
    const auto names = ListedNames(kind);
    menu.DeleteAllRows();
    for (const QString& name : names.value_or(QStringList()))
        menu.AddRow(name);
    menu.AddRow(Module1::ktodos());
    menu.setListIndex(menu.ListCount() - 1);
}

} // namespace

ChartCanvas::ChartCanvas(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
}

void ChartCanvas::paintEvent(QPaintEvent*)
{
    QPainter g(this);
    if (Paint)
        Paint(g);
}

wGraficos::wGraficos()
{
    namespace rw = registerwidgets;
    rw::setUpWindow(*this, QStringLiteral("wGraficos"), Module1::kGraficos(), 697, 456, true);
    Canvas1 = new ChartCanvas(this);
    Canvas1->setObjectName(QStringLiteral("Canvas1"));
    Canvas1->setGeometry(3, 0, 694, 372);
    Canvas1->Paint = [this](QPainter& g) { Canvas1_Paint(g); };
    bt_fecha = rw::button(this, "bt_fecha", Module1::kCancela(), QRect(604, 417, 69, 20));
    sContas = rw::popup(this, "sContas", QRect(67, 386, 126, 20), 9);
    sCategorias = rw::popup(this, "sCategorias", QRect(304, 386, 126, 20), 9);
    bt_ok = rw::button(this, "bt_ok", QStringLiteral("Ok"), QRect(604, 384, 69, 20));
    StaticText1 = rw::label(this, "StaticText1", Module1::kConta(), QRect(8, 384, 49, 20));
    StaticText2 = rw::label(this, "StaticText2", Module1::kCategoria(), QRect(211, 384, 81, 20));
    StaticText3 = rw::label(this, "StaticText3", Module1::kMes2(), QRect(442, 384, 51, 20));
    sMes = rw::popup(this, "sMes", QRect(504, 386, 80, 20), 9);
    cConciliado = new QCheckBox(Module1::kVerificado(), this);
    cConciliado->setObjectName(QStringLiteral("cConciliado"));
    cConciliado->setGeometry(67, 417, 100, 20);
    setCancelButton(bt_fecha);

    connect(bt_fecha, &QPushButton::clicked, this, [this] { bt_fecha_Action(); });
    connect(sContas, &PopupMenu::Change, this, [this] { sContas_Change(); });
    connect(sCategorias, &PopupMenu::Change, this, [this] { sCategorias_Change(); });
    connect(bt_ok, &QPushButton::clicked, this, [this] { bt_ok_Action(); });
    connect(sMes, &PopupMenu::Change, this, [this] { sMes_Change(); });
}

// Out of line: the chart's class is only declared in the header.
wGraficos::~wGraficos() = default;

void wGraficos::Event_Open()
{
    CarregaContas();
    CarregaCategorias();
    CarregaMes();
    createBarChart2();
}

void wGraficos::Canvas1_Paint(QPainter& g)
{
    if (barChart)
        g.drawImage(0, 0, barChart->image());
}

void wGraficos::bt_fecha_Action()
{
    Close();
}

void wGraficos::keepFilters()
{
    tempconta = sContas->Text();
    tempcategoria = sCategorias->Text();
}

void wGraficos::sContas_Change()
{
    keepFilters();
}

void wGraficos::sCategorias_Change()
{
    keepFilters();
}

void wGraficos::sMes_Change()
{
    keepFilters();
}

void wGraficos::bt_ok_Action()
{
    createBarChart2();
}

void wGraficos::CarregaContas()
{
    fillNames(*sContas, RegisterStore::Kind::Account);
    tempconta = sContas->Text();
}

void wGraficos::CarregaCategorias()
{
    fillNames(*sCategorias, RegisterStore::Kind::Category);
    tempcategoria = sCategorias->Text();
}

void wGraficos::CarregaMes()
{
    for (const QString& month : Module1::monthNames())
        sMes->AddRow(month);
    sMes->AddRow(Module1::kTodos2());
    sMes->setListIndex(12);
}

void wGraficos::createBarChart2()
{
    barChart = std::make_unique<chartingPicture>(Canvas1->width(), Canvas1->height());
    ChartFilter filter;
    filter.account = tempconta;
    filter.category = tempcategoria;
    filter.monthIndex = sMes->ListIndex();
    filter.verified = cConciliado->isChecked();
    const ChartTotals totals = App::CashDB ? ChartSums::load(*App::CashDB, filter) : ChartTotals{true, 0, 0};
    // A sum that cannot be read is told once, and the chart shows nothing summed.
    if (!totals.ok)
        App::DisplayLoadError();
    total_entrada = totals.credit;
    total_saida = totals.debit;

    barChart->addColoredValue(total_entrada, QString(), QColor(180, 33, 25), Module1::kCredito());
    barChart->addColoredValue(total_saida, QString(), QColor(22, 13, 55), Module1::kDebito());
    barChart->chartType = chartingPicture::Bars;
    barChart->yFormat = QStringLiteral("-###,##0.00");
    barChart->showValues = true;
    barChart->title = Module1::kCategoria() + QLatin1Char(' ') + tempcategoria + QStringLiteral(" | ") +
                      Module1::kConta() + QLatin1Char(' ') + tempconta + QStringLiteral(" | ") + Module1::kMes() +
                      QStringLiteral(": ") + sMes->Text();
    barChart->drawChart();
    Canvas1->update();
}
