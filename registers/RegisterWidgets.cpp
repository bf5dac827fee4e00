#include "registers/RegisterWidgets.h"

#include "platform/Controls.h"
#include "platform/Listbox.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace registerwidgets {

void setUpWindow(QWidget& window, const QString& name, const QString& title, int width, int height, bool closeBox)
{
    window.setObjectName(name);
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint;
    if (closeBox)
        flags |= Qt::WindowCloseButtonHint;
    window.setWindowFlags(flags);
    window.setWindowTitle(title);
    window.setFixedSize(width, height);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    // Return and Escape are the window's own (default and cancel buttons), not the focused button's.
    b->setAutoDefault(false);
    b->setGeometry(geometry);
    return b;
}

QPushButton* bevelButton(QWidget* parent, const char* name, const QString& caption, const QString& helpTag,
                         const QRect& geometry)
{
    QPushButton* b = button(parent, name, caption, geometry);
    b->setToolTip(helpTag);
    b->setFocusPolicy(Qt::NoFocus);
    QFont font = b->font();
    font.setPointSize(14);
    font.setBold(true);
    b->setFont(font);
    return b;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setGeometry(geometry);
    return l;
}

EditField* editField(QWidget* parent, const char* name, const QRect& geometry)
{
    return placed<EditField>(parent, name, geometry);
}

PopupMenu* popup(QWidget* parent, const char* name, const QRect& geometry, int pointSize)
{
    auto* p = placed<PopupMenu>(parent, name, geometry);
    if (pointSize > 0) {
        QFont font = p->font();
        font.setPointSize(pointSize);
        p->setFont(font);
    }
    return p;
}

QFrame* rule(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* f = placed<QFrame>(parent, name, geometry);
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

Listbox* nameList(QWidget* parent, const char* name, const QString& heading, int columnWidth, int pointSize,
                  const QRect& geometry)
{
    auto* list = new Listbox(parent);
    list->setObjectName(QLatin1String(name));
    list->setColumnCount(1);
    list->setInitialValue(heading);
    list->setColumnWidths(QString::number(columnWidth));
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont font = list->font();
    font.setPointSize(pointSize);
    list->setFont(font);
    list->setGeometry(geometry);
    return list;
}

void reloadKeepingEntry(Listbox& list, EditField* field, const std::function<void()>& reload)
{
    const bool selected = list.ListIndex() >= 0;
    const QString name = list.Text();
    const QString typed = field ? field->Text() : QString();
    reload();
    // Selecting the row again runs the window's own Change, which puts the
    // name in the field; what the user typed there then goes back.
    for (int row = 0; selected && row < list.ListCount(); ++row)
        if (list.Cell(row, 0) == name) {
            list.setListIndex(row);
            break;
        }
    if (field)
        field->setText(typed);
}

} // namespace registerwidgets
