#include "ledger/wCash.h"
#include "ui/common/MenuBar1.h"

#include "app/App.h"
#include "ledger/LedgerQuery.h"
#include "platform/AnchoredArea.h"
#include "platform/Controls.h"
#include "platform/Format.h"
#include "platform/Listbox.h"
#include "platform/Seams.h"
#include "ui/common/Module1.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Widths for columns the preferences file has none for (a first start).
const int defaultColumnWidths[] = {110, 110, 70, 85, 85, 70};

QLabel* makeLabel(const QString& name, const QString& text, Qt::Alignment alignment)
{
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setWordWrap(false);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

QPushButton* makeBevelButton(const QString& name, const QString& caption, const QString& helpTag)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setToolTip(helpTag);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    QFont font = button->font();
    font.setPointSize(14);
    font.setBold(true);
    button->setFont(font);
    return button;
}

PopupMenu* makePopup(const QString& name)
{
    auto* popup = new PopupMenu;
    popup->setObjectName(name);
    QFont font = popup->font();
    font.setPointSize(9);
    popup->setFont(font);
    return popup;
}

Listbox* makeList(const QString& name, int columns, const QString& heading)
{
    auto* list = new Listbox;
    list->setObjectName(name);
    list->setColumnCount(columns);
    if (!heading.isEmpty())
        list->setInitialValue(heading);
    // A one-column list's column spans the list.
    list->header()->setStretchLastSection(columns == 1);
    return list;
}

} // namespace

wCash::wCash()
{
    setObjectName(QStringLiteral("wCash"));
    setWindowTitle(QStringLiteral("Tovira"));
    setMinimumSize(64, 64);
    setMaximumSize(32000, 32000);

    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    toolbarSlot_ = new QVBoxLayout;
    toolbarSlot_->setContentsMargins(0, 0, 0, 0);
    layout_->addLayout(toolbarSlot_);
    content_ = new AnchoredArea(QSize(ContentWidth, ContentHeight));
    content_->setObjectName(QStringLiteral("content"));
    content_->setMinimumSize(0, 0);
    layout_->addWidget(content_, 1);

    CreateControls();
    connectHandlers();
    resize(ContentWidth, ContentHeight);
}

wCash::~wCash()
{
    // The controls outlive this class's part of the object while the widget
    // tears them down; none may call back into it by then.
    const QList<QObject*> children = findChildren<QObject*>();
    for (QObject* child : children)
        child->disconnect(this);
    lMovimento->setBackgroundRule(nullptr);
    lMovimento->setTextColorRule(nullptr);
}

void wCash::CreateControls()
{
    using A = AnchoredArea;
    lMovimento = makeList(QStringLiteral("lMovimento"), 6, QString());
    lMovimento->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lMovimento->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    content_->place(lMovimento, QRect(182, 32, 542, 292), A::Left | A::Top | A::Right | A::Bottom);
    lMovimento_Open();

    sMes = makePopup(QStringLiteral("sMes"));
    content_->place(sMes, QRect(472, 10, 80, 20), A::Right);
    StaticText7 = makeLabel(QStringLiteral("StaticText7"), Module1::kMes(), Qt::AlignRight);
    content_->place(StaticText7, QRect(412, 8, 50, 20), A::Right);

    Totalgeral = makeLabel(QStringLiteral("Totalgeral"), QStringLiteral("0"), Qt::AlignRight);
    QFont totalFont = Totalgeral->font();
    totalFont.setPointSize(12);
    totalFont.setBold(true);
    Totalgeral->setFont(totalFont);
    // The total's whole text always shows: a long one takes room to the left.
    content_->place(Totalgeral, QRect(584, 330, 136, 20), A::Left | A::Right | A::Bottom | A::GrowLeft);

    sAno = makePopup(QStringLiteral("sAno"));
    content_->place(sAno, QRect(638, 10, 80, 20), A::Right);
    StaticText10 = makeLabel(QStringLiteral("StaticText10"), Module1::kAno(), Qt::AlignRight);
    content_->place(StaticText10, QRect(591, 8, 38, 20), A::Right);

    List_Contas = makeList(QStringLiteral("List_Contas"), 1, Module1::kContas());
    List_Contas->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    content_->place(List_Contas, QRect(15, 32, 155, 133), A::Left | A::Top);

    BevelButton1 = makeBevelButton(QStringLiteral("BevelButton1"), QStringLiteral("+"), Module1::kinsereconta());
    content_->place(BevelButton1, QRect(15, 172, 29, 22), A::Left);
    BevelButton2 = makeBevelButton(QStringLiteral("BevelButton2"), QStringLiteral("+"), Module1::kinseremovimento());
    content_->place(BevelButton2, QRect(182, 330, 29, 22), A::Left | A::Bottom);
    BevelButton3 = makeBevelButton(QStringLiteral("BevelButton3"), QStringLiteral("-"), Module1::kApaga());
    content_->place(BevelButton3, QRect(46, 172, 29, 22), A::Left);
    BevelButton4 = makeBevelButton(QStringLiteral("BevelButton4"), QStringLiteral("-"), Module1::kApaga());
    content_->place(BevelButton4, QRect(213, 330, 29, 22), A::Left | A::Bottom);

    List_Categorias = makeList(QStringLiteral("List_Categorias"), 1, Module1::kCategorias());
    List_Categorias->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    content_->place(List_Categorias, QRect(15, 206, 155, 118), A::Left | A::Top | A::Bottom);

    BevelButton5 = makeBevelButton(QStringLiteral("BevelButton5"), QStringLiteral("+"), Module1::kinserecategoria());
    content_->place(BevelButton5, QRect(15, 330, 29, 22), A::Left | A::Bottom);
    BevelButton6 = makeBevelButton(QStringLiteral("BevelButton6"), QStringLiteral("-"), Module1::kApaga());
    content_->place(BevelButton6, QRect(46, 330, 29, 22), A::Left | A::Bottom);
}

void wCash::connectHandlers()
{
    lMovimento->setBackgroundRule([this](int row, int column) { return lMovimento_CellBackgroundPaint(row, column); });
    lMovimento->setTextColorRule([this](int row, int column) { return lMovimento_CellTextPaint(row, column); });
    connect(lMovimento, &Listbox::DoubleClick, this, [this] { lMovimento_DoubleClick(); });
    connect(lMovimento, &Listbox::KeyDown, this, [this](int key, bool& handled) {
        QString text;
        if (key == Qt::Key_Backspace)
            text = QChar(8);
        else if (key == Qt::Key_Delete)
            text = QChar(127);
        else if (key >= 0x20 && key < 0x7f)
            text = QChar(key);
        else
            return;
        handled = lMovimento_KeyDown(text);
    });
    connect(sMes, &PopupMenu::Change, this, [this] { sMes_Change(); });
    connect(sAno, &PopupMenu::Change, this, [this] { sAno_Change(); });
    connect(List_Contas, &Listbox::Change, this, [this] { List_Contas_Change(); });
    connect(List_Contas, &Listbox::DoubleClick, this, [this] { List_Contas_DoubleClick(); });
    connect(BevelButton1, &QPushButton::clicked, this, [this] { BevelButton1_Action(); });
    connect(BevelButton2, &QPushButton::clicked, this, [this] { BevelButton2_Action(); });
    connect(BevelButton3, &QPushButton::clicked, this, [this] { BevelButton3_Action(); });
    connect(BevelButton4, &QPushButton::clicked, this, [this] { BevelButton4_Action(); });
    connect(List_Categorias, &Listbox::Change, this, [this] { List_Categorias_Change(); });
    connect(List_Categorias, &Listbox::DoubleClick, this, [this] { List_Categorias_DoubleClick(); });
    connect(BevelButton5, &QPushButton::clicked, this, [this] { BevelButton5_Action(); });
    connect(BevelButton6, &QPushButton::clicked, this, [this] { BevelButton6_Action(); });
}

void wCash::installMenuBar(QMenuBar* bar)
{
    menuBar_ = bar;
    layout_->setMenuBar(bar);
}

void wCash::installToolbar(QWidget* toolbar)
{
    if (Toolbar11) {
        toolbarSlot_->removeWidget(Toolbar11);
        Toolbar11->deleteLater();
    }
    Toolbar11 = toolbar;
    if (!toolbar)
        return;
    if (toolbar->objectName().isEmpty())
        toolbar->setObjectName(QStringLiteral("Toolbar11"));
    toolbarSlot_->addWidget(toolbar);
    if (auto* bar = qobject_cast<QToolBar*>(toolbar))
        connect(bar, &QToolBar::actionTriggered, this, [this](QAction* item) { Toolbar11_Action(item->objectName()); });
}

QAction* wCash::menuEntry(const char* name) const
{
    const auto* bar = qobject_cast<const MenuBar1*>(menuBar_);
    return bar ? bar->entry(QLatin1String(name)) : nullptr;
}

void wCash::Event_Open()
{
    // The lists need the open database and the preferences; start-up runs this
    // once it has both, and a window made earlier waits for that call.
    if (opened_ || !App::CashDB || !App::CashDB->IsConnected())
        return;
    opened_ = true;
    CarregaCategorias();
    CarregalMovimento();
    CarregaMes();
    CarregaAno();
    CarregaContas();
    QStringList defaults;
    for (int width : defaultColumnWidths)
        defaults << QString::number(width);
    lMovimento->setColumnWidths(defaults.join(QLatin1Char(',')));
    const QString sep = QStringLiteral(",  ");
    lMovimento->setColumnWidths(App::coluna1 + sep + App::coluna2 + sep + App::coluna3 + sep + App::coluna4 + sep +
                                App::coluna5 + sep + App::coluna6);
}

void wCash::Event_Close()
{
    App::_FileQuit_Action();
}

void wCash::lMovimento_Open()
{
    using namespace Module1;
    lMovimento->setInitialValue(
        QStringList{kCategoriat(), kContato2(), kDatat(), kCredito(), kDebito(), kVerificado()}.join(
            QLatin1Char('\t')));
}

void wCash::CarregalMovimento()
{
    if (!App::CashDB)
        return;
    LedgerFilter filter;
    filter.monthIndex = sMes->ListIndex();
    filter.year = sAno->Text();
    if (filter.monthIndex == 12)
        tempconta = List_Contas->Text();
    filter.account = tempconta;

    const LedgerResult result = LedgerQuery::load(*App::CashDB, filter);
    if (!result.ok) {
        // The rows and total of the last good reload stay on screen.
        App::DisplayLoadError();
        return;
    }
    lMovimento->DeleteAllRows();
    {
        Listbox::Batch batch(*lMovimento);
        for (const QStringList& cells : result.rows)
            lMovimento->AddRow(cells);
    }
    Totalgeral->setText(LedgerQuery::totalText(result.total()));
    lMovimento->Refresh();
}

QColor wCash::lMovimento_CellBackgroundPaint(int row, int /*column*/) const
{
    if (row % 2 == 0)
        return QColor(255, 255, 255);
    return QColor(qBound(0, App::cor_r, 255), qBound(0, App::cor_g, 255), qBound(0, App::cor_b, 255));
}

QColor wCash::lMovimento_CellTextPaint(int row, int /*column*/) const
{
    if (row == lMovimento->ListIndex())
        return QColor(255, 255, 255);
    QColor colour = CDbl(lMovimento->Cell(row, LedgerQuery::CellDebit)) > 0 ? QColor(196, 0, 0) : QColor(0, 0, 0);
    if (lMovimento->Cell(row, LedgerQuery::CellVerified) == Module1::kNao())
        colour = QColor(120, 133, 173);
    return colour;
}
