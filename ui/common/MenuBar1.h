#pragma once

// The application's one menu bar: file, edit, view and help, built once when
// it is first asked for. Its fourteen commands are bound by entry name to the
// App handlers (BindMenuHandlers); the edit entries act on the focused text field.

#include <QAction>
#include <QMenuBar>

class QMenu;

class MenuBar1 : public QMenuBar
{
    Q_OBJECT

public:
    // The one menu bar, created on the first call. The window that shows it
    // becomes its parent; should that window go, the next call builds a new one.
    static MenuBar1& instance();
    static bool exists();

    // The entry of that name: a menu's own entry (its menuAction), an item or
    // a separator; null when there is none. (The main window has an accessor
    // for each entry, named after it.)
    QAction* entry(const QString& name) const;
    QMenu* menu(const QString& name) const;

private:
    MenuBar1();
    friend void BindMenuHandlers(MenuBar1& bar);

    void Untitled0();
    void Untitled1();
    void Untitled2();
    void Untitled3();

    QMenu* addNamedMenu(const QString& name, const QString& caption);
    QAction* addItem(const QString& menuName, const QString& name, const QString& caption, const QString& shortcut,
                     QAction::MenuRole role = QAction::NoRole);
    QAction* addSeparatorItem(const QString& menuName, const QString& name);
    void addEditItem(const QString& name, const QString& caption, const QString& shortcut, void (*edit)());

    bool handlersBound_ = false;
};

// Binds each command entry, by its name, to its App handler; once per menu bar,
// a second call changes nothing.
void BindMenuHandlers(MenuBar1& bar);

// Start-up: the menu bar, its commands bound, and the toolbar, installed in the
// main window (created hidden, without opening, when it does not exist yet).
void InstallMainMenusAndToolbar();

// The standard editing of a text field (one-line or multi-line): from a key,
// the focused one; from the menu, the one the user was working in, also when
// that is in another window than the menu bar's. Nothing without one.
namespace focusedtext {
void undo();
void cut();
void copy();
void paste();
void clear();
void selectAll();
} // namespace focusedtext
