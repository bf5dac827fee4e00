#pragma once

// The main window's toolbar: the contact list, a separator, the chart window
// and the schedule list. It reacts to nothing itself; the window that places
// it handles QToolBar::actionTriggered, the pressed button named by its objectName.

#include <QToolBar>

class QAction;
class ToolbarPictures;

class Toolbar1 : public QToolBar
{
    Q_OBJECT

public:
    explicit Toolbar1(QWidget* parent = nullptr);
    // Tests hand in their own pictures; the program uses its one kept set.
    Toolbar1(ToolbarPictures& pictures, QWidget* parent = nullptr);

    QAction* mcontatos = nullptr;
    QAction* ToolItem1 = nullptr;
    QAction* mgraficos = nullptr;
    QAction* magendamento = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addButton(const QString& name, const QString& caption, const QImage& icon);
};
