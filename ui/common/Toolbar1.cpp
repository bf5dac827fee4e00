#include "ui/common/Toolbar1.h"

#include "ui/common/Module1.h"
#include "ui/common/ToolbarPictures.h"

#include <QAction>
#include <QEvent>
#include <QIcon>
#include <QPixmap>
#include <QToolButton>

Toolbar1::Toolbar1(QWidget* parent) : Toolbar1(ProgramToolbarPictures(), parent) {}

Toolbar1::Toolbar1(ToolbarPictures& pictures, QWidget* parent) : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(32, 32));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

    mcontatos = addButton(QStringLiteral("mcontatos"), Module1::kContatos(), pictures.contacts());
    ToolItem1 = addSeparator();
    ToolItem1->setObjectName(QStringLiteral("ToolItem1"));
    ToolItem1->setText(QStringLiteral("Untitled"));
    mgraficos = addButton(QStringLiteral("mgraficos"), Module1::kGraficos(), pictures.graphics());
    magendamento = addButton(QStringLiteral("magendamento"), Module1::kAgendamento(), pictures.scheduler());
}

QAction* Toolbar1::addButton(const QString& name, const QString& caption, const QImage& icon)
{
    QAction* button = addAction(caption);
    button->setObjectName(name);
    if (!icon.isNull())
        button->setIcon(QIcon(QPixmap::fromImage(icon)));
    if (QWidget* widget = widgetForAction(button)) {
        widget->setObjectName(name);
        widget->installEventFilter(this);
    }
    return button;
}

// The buttons carry no help tags; a tool button would show its caption as one.
bool Toolbar1::eventFilter(QObject* watched, QEvent* event)
{
    return event->type() == QEvent::ToolTip || QToolBar::eventFilter(watched, event);
}
