#pragma once

// The chart window: one bar chart of the credits against the debits of the
// transactions that pass its account, category, month and verified filters.
// The filters take effect when Ok is pressed; closing ends the window, and
// the next opening starts again from every account, category and month.

#include "platform/Window.h"

#include <QString>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPainter;
class QPushButton;
class PopupMenu;
class chartingPicture;

// A surface the window paints itself, erased before each paint.
class ChartCanvas : public QWidget
{
    Q_OBJECT

  public:
    explicit ChartCanvas(QWidget* parent = nullptr);
    std::function<void(QPainter&)> Paint;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

class wGraficos : public SingleWindow<wGraficos>
{
    Q_OBJECT

  public:
    wGraficos();
    ~wGraficos() override;

    ChartCanvas* Canvas1 = nullptr;
    QPushButton* bt_fecha = nullptr;
    PopupMenu* sContas = nullptr;
    PopupMenu* sCategorias = nullptr;
    QPushButton* bt_ok = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* StaticText3 = nullptr;
    PopupMenu* sMes = nullptr;
    QCheckBox* cConciliado = nullptr;

    // The chart last built; none before the first build.
    std::unique_ptr<chartingPicture> barChart;
    QString tempconta;
    QString tempcategoria;
    double total_entrada = 0;
    double total_saida = 0;

    void Canvas1_Paint(QPainter& g);
    void bt_fecha_Action();
    void sContas_Change();
    void sCategorias_Change();
    void bt_ok_Action();
    void sMes_Change();
    void Event_Open() override;
    // Sums the filtered credits and debits and draws them anew.
    void createBarChart2();

  private:
    void CarregaContas();
    void CarregaCategorias();
    void CarregaMes();
    // Copies the account and category chosen into the filter texts.
    void keepFilters();
};
