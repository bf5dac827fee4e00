#include "settings/wSobre.h"

#include "app/App.h"
#include "platform/Seams.h"
#include "settings/UpdateCheck.h"
#include "ui/common/Module1.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {

QLabel* centredText(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// The credit line shows the page it opens, without its scheme.
QString creditText()
{
    QString text = QStringLiteral(TOVIRA_WEB_URL);
    text.remove(QStringLiteral("http://")).remove(QStringLiteral("https://"));
    while (text.endsWith(QLatin1Char('/')))
        text.chop(1);
    return text;
}

} // namespace

wSobre::wSobre()
{
    setObjectName(QStringLiteral("wSobre"));
    setWindowTitle(Module1::kSobre());
    setFixedSize(289, 160);
    useDialogTextSize();
    setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowTitleHint);

    Nome = centredText(this, QStringLiteral("Nome"), QRect(94, 8, 108, 20));
    Nome->setText(QStringLiteral("Tovira"));

    PushButton1 = new QPushButton(QStringLiteral("Ok"), this);
    PushButton1->setObjectName(QStringLiteral("PushButton1"));
    PushButton1->setGeometry(117, 123, 69, 24);
    PushButton1->setAutoDefault(false);
    setCancelButton(PushButton1);
    connect(PushButton1, &QPushButton::clicked, this, &wSobre::PushButton1_Action);

    // Wider than the bare "v2.1" needs, so that "v2.1.3" or longer numbers fit.
    Versao_numero = centredText(this, QStringLiteral("Versao_numero"), QRect(48, 27, 200, 20));
    Versao_numero_Open();

    StaticText1 = centredText(this, QStringLiteral("StaticText1"), QRect(28, 91, 247, 20));
    StaticText1->setText(creditText());
    StaticText1->setCursor(Qt::PointingHandCursor);
    QPalette linkColours = StaticText1->palette();
    linkColours.setColor(QPalette::WindowText, linkColours.color(QPalette::Link));
    StaticText1->setPalette(linkColours);
    QFont underlined = StaticText1->font();
    underlined.setUnderline(true);
    StaticText1->setFont(underlined);
    StaticText1->installEventFilter(this);
}

void wSobre::PushButton1_Action()
{
    Hide();
}

void wSobre::Versao_numero_Open()
{
    Versao_numero->setText(AboutVersionText(App::MajorVersion, App::MinorVersion, App::BugVersion));
}

bool wSobre::StaticText1_MouseDown(int, int)
{
    return true;
}

void wSobre::StaticText1_MouseUp(int, int)
{
    seams::launcher().openUrl(QUrl(QStringLiteral(TOVIRA_WEB_URL)));
    Hide();
}

bool wSobre::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == StaticText1 && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        return StaticText1_MouseDown(mouse->position().toPoint().x(), mouse->position().toPoint().y());
    }
    if (watched == StaticText1 && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        StaticText1_MouseUp(mouse->position().toPoint().x(), mouse->position().toPoint().y());
        return true;
    }
    return SingleWindow<wSobre>::eventFilter(watched, event);
}
