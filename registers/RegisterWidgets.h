#pragma once

// Builders for the controls the register windows share, each placed at its
// fixed position and named so that tests and scripts can find it.

#include <QRect>
#include <QString>

class EditField;
class Listbox;
class QLabel;
class QPushButton;
class QWidget;

namespace registerwidgets {

// A fixed-size window with a title bar and a minimize button; `closeBox`
// adds the close button.
void setUpWindow(QWidget& window, const QString& name, const QString& title, int width, int height, bool closeBox);

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& geometry);
// The small square "+" and "-" buttons.
QPushButton* bevelButton(QWidget* parent, const char* name, const QString& caption, const QString& helpTag,
                         const QRect& geometry);
QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry);
EditField* editField(QWidget* parent, const char* name, const QRect& geometry);
// A one-column name list with a heading.
Listbox* nameList(QWidget* parent, const char* name, const QString& heading, int columnWidth, int pointSize,
                  const QRect& geometry);

} // namespace registerwidgets
