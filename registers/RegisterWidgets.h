#pragma once

// Builders for the controls the register windows share, each placed at its
// fixed position and named so that tests and scripts can find it.

#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>

class EditField;
class Listbox;
class PopupMenu;
class QFrame;
class QLabel;
class QPushButton;

namespace registerwidgets {

// A control of any kind, named and placed.
template <class W> W* placed(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* control = new W(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

// A fixed-size window with a title bar and a minimize button; `closeBox`
// adds the close button.
void setUpWindow(QWidget& window, const QString& name, const QString& title, int width, int height, bool closeBox);

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& geometry);
// The small square "+" and "-" buttons.
QPushButton* bevelButton(QWidget* parent, const char* name, const QString& caption, const QString& helpTag,
                         const QRect& geometry);
QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry);
EditField* editField(QWidget* parent, const char* name, const QRect& geometry);
// A pop-up menu; a `pointSize` of 0 keeps the window's text size.
PopupMenu* popup(QWidget* parent, const char* name, const QRect& geometry, int pointSize = 0);
// A sunken horizontal line between groups of controls.
QFrame* rule(QWidget* parent, const char* name, const QRect& geometry);
// A one-column name list with a heading.
Listbox* nameList(QWidget* parent, const char* name, const QString& heading, int columnWidth, int pointSize,
                  const QRect& geometry);

// Refills a register window's list with `reload`, keeping the row the user
// selected (a rename acts on it) and the name typed into `field`, if any.
void reloadKeepingEntry(Listbox& list, EditField* field, const std::function<void()>& reload);

} // namespace registerwidgets
