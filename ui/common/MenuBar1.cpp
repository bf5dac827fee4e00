#include "ui/common/MenuBar1.h"

#include "app/App.h"
#include "ledger/wCash.h"
#include "ui/common/Module1.h"
#include "ui/common/Toolbar1.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <QTimer>
#include <array>

namespace {

// One command of the menu bar: the entry's name and its App handler.
struct MenuCommand
{
    const char* name;
    void (*handler)();
};

// Each command by its menu entry's name, with its handler.
constexpr std::array<MenuCommand, 14> kMenuCommands = {{
    {"mContatos", &App::_mContatos_Action},
    {"mCategorias", &App::_mCategorias_Action},
    {"mContas", &App::_mContas_Action},
    {"mGraficos", &App::_mGraficos_Action},
    {"mPreferencias", &App::_mPreferencias_Action},
    {"mSobre", &App::_mSobre_Action},
    {"mExportar", &App::_mExportar_Action},
    {"mImportar", &App::_mImportar_Action},
    {"mAgenda", &App::_mAgenda_Action},
    {"FileQuit", [] { App::_FileQuit_Action(); }},
    {"mHelp2", &App::_mHelp2_Action},
    {"mChecaUpdate", &App::_mChecaUpdate_Action},
    {"mnovomovimento", &App::_mnovomovimento_Action},
    {"Importaofx", &App::_Importaofx_Action},
}};

QPointer<MenuBar1> theMenuBar;

// The shortcuts are written the way the program has always named them
// ("Cmd+N"); Qt's Ctrl is the command key on a Mac and Control elsewhere.
QKeySequence shortcutFor(const QString& text)
{
    QString portable = text;
    portable.replace(QStringLiteral("Cmd+"), QStringLiteral("Ctrl+"));
    return QKeySequence(portable, QKeySequence::PortableText);
}

// The text field a widget is or holds: a line edit (also inside an editable
// pop-up), a rich or a plain multi-line text field.
struct TextField
{
    QLineEdit* line = nullptr;
    QTextEdit* rich = nullptr;
    QPlainTextEdit* plain = nullptr;
    explicit operator bool() const { return line || rich || plain; }
};

TextField textField(QWidget* widget)
{
    TextField found;
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        widget = combo->lineEdit();
    found.line = qobject_cast<QLineEdit*>(widget);
    found.rich = qobject_cast<QTextEdit*>(widget);
    found.plain = qobject_cast<QPlainTextEdit*>(widget);
    return found;
}

// The field the edit entries act on. From a key, the focused one. From the
// menu, the one the user was typing in: choosing the menu of the main window
// while working in another window moves the focus into the main window, so the
// field that the other window's focus left is remembered, until the focus
// moves on within the main window.
class EditTarget : public QObject
{
public:
    explicit EditTarget(QMenuBar& bar, QMenu& editMenu) : QObject(&bar), bar_(bar)
    {
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
            if (old && now && old->window() == now->window())
                left_ = nullptr;
            else if (old && old->window() != bar_.window())
                left_ = old;
        });
        connect(&editMenu, &QMenu::aboutToShow, this, [this] {
            menuOpen_ = true;
            QWidget* focus = QApplication::focusWidget();
            chosen_ = textField(focus) || !left_ || !left_->isVisible() ? focus : left_.data();
        });
        // The entry chosen is triggered right after the menu hides.
        connect(&editMenu, &QMenu::aboutToHide, this,
                [this] { QTimer::singleShot(0, this, [this] { menuOpen_ = false; }); });
    }

    TextField field() const { return textField(menuOpen_ ? chosen_.data() : QApplication::focusWidget()); }

private:
    QMenuBar& bar_;
    QPointer<QWidget> left_;
    QPointer<QWidget> chosen_;
    bool menuOpen_ = false;
};

QPointer<EditTarget> editTarget;

TextField editedField()
{
    return editTarget ? editTarget->field() : textField(QApplication::focusWidget());
}

// A text field takes some command keys for editing of its own (Control+U
// clears the line on Linux). The program's command keys come first wherever
// the focus is, so that no typed text is lost to a command's key; where the
// command cannot run (a modal window is up), the key
// does nothing.
class CommandKeysFirst : public QObject
{
public:
    CommandKeysFirst(QObject* owner, QList<QKeySequence> keys) : QObject(owner), keys_(std::move(keys))
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        if (!keys_.contains(QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination())))
            return false;
        // Refusing the override lets the command's shortcut run; a key press
        // that arrives after all is one no command took.
        event->ignore();
        return true;
    }

private:
    QList<QKeySequence> keys_;
};

} // namespace

MenuBar1& MenuBar1::instance()
{
    if (!theMenuBar)
        theMenuBar = new MenuBar1();
    return *theMenuBar;
}

bool MenuBar1::exists()
{
    return !theMenuBar.isNull();
}

MenuBar1::MenuBar1() : QMenuBar(nullptr)
{
    setObjectName(QStringLiteral("MenuBar1"));
    Untitled0();
    Untitled1();
    Untitled2();
    Untitled3();
    editTarget = new EditTarget(*this, *menu(QStringLiteral("EditMenu")));
}

QAction* MenuBar1::entry(const QString& name) const
{
    if (QMenu* found = menu(name))
        return found->menuAction();
    return findChild<QAction*>(name);
}

QMenu* MenuBar1::menu(const QString& name) const
{
    return findChild<QMenu*>(name);
}

QMenu* MenuBar1::addNamedMenu(const QString& name, const QString& caption)
{
    QMenu* created = addMenu(caption);
    created->setObjectName(name);
    return created;
}

QAction* MenuBar1::addItem(const QString& menuName, const QString& name, const QString& caption,
                           const QString& shortcut, QAction::MenuRole role)
{
    QMenu* parentMenu = menu(menuName);
    QAction* item = parentMenu->addAction(caption);
    item->setObjectName(name);
    item->setMenuRole(role);
    if (!shortcut.isEmpty())
        item->setShortcut(shortcutFor(shortcut));
    return item;
}

QAction* MenuBar1::addSeparatorItem(const QString& menuName, const QString& name)
{
    QAction* separator = menu(menuName)->addSeparator();
    separator->setObjectName(name);
    return separator;
}

void MenuBar1::addEditItem(const QString& name, const QString& caption, const QString& shortcut, void (*edit)())
{
    QAction* item = addItem(QStringLiteral("EditMenu"), name, caption, shortcut);
    connect(item, &QAction::triggered, this, [edit] { edit(); });
}

void MenuBar1::Untitled0()
{
    const QString file = QStringLiteral("FileMenu");
    addNamedMenu(file, Module1::kArquivo());
    addItem(file, QStringLiteral("mSobre"), Module1::kSobre(), QString(), QAction::AboutRole);
    addItem(file, QStringLiteral("mnovomovimento"), Module1::kinseremovimento(), QStringLiteral("Cmd+N"));
    addItem(file, QStringLiteral("mImportar"), Module1::kImportar(), QStringLiteral("Cmd+I"));
    addItem(file, QStringLiteral("Importaofx"), Module1::Kimportaofx(), QStringLiteral("Cmd+O"));
    addItem(file, QStringLiteral("mExportar"), Module1::kExportar(), QStringLiteral("Cmd+E"));
    // The quit caption is the same in every language.
    addItem(file, QStringLiteral("FileQuit"), QStringLiteral("Fechar"), QStringLiteral("Cmd+Q"), QAction::QuitRole);
}

void MenuBar1::Untitled1()
{
    const QString edit = QStringLiteral("EditMenu");
    addNamedMenu(edit, Module1::kEditar());
    addEditItem(QStringLiteral("EditUndo"), Module1::kDesfazer(), QStringLiteral("Cmd+Z"), &focusedtext::undo);
    addSeparatorItem(edit, QStringLiteral("UntitledMenu1"));
    addEditItem(QStringLiteral("EditCut"), Module1::kCortar(), QStringLiteral("Cmd+X"), &focusedtext::cut);
    addEditItem(QStringLiteral("EditCopy"), Module1::kCopiar(), QStringLiteral("Cmd+C"), &focusedtext::copy);
    addEditItem(QStringLiteral("EditPaste"), Module1::kColar(), QStringLiteral("Cmd+V"), &focusedtext::paste);
    addEditItem(QStringLiteral("EditClear"), Module1::kLimpar(), QString(), &focusedtext::clear);
    addSeparatorItem(edit, QStringLiteral("UntitledMenu0"));
    addEditItem(QStringLiteral("EditSelectAll"), Module1::kSelecionarTudo(), QStringLiteral("Cmd+A"),
                &focusedtext::selectAll);
    addSeparatorItem(edit, QStringLiteral("UntitledItem"));
    addItem(edit, QStringLiteral("mPreferencias"), Module1::kPreferencias(), QString(), QAction::PreferencesRole);
}

void MenuBar1::Untitled2()
{
    const QString view = QStringLiteral("kVisualizarMenu");
    addNamedMenu(view, Module1::kVisualizar());
    addItem(view, QStringLiteral("mContas"), Module1::kContas(), QStringLiteral("Cmd+T"));
    addItem(view, QStringLiteral("mCategorias"), Module1::kCategorias(), QStringLiteral("Cmd+Y"));
    addItem(view, QStringLiteral("mContatos"), Module1::kContatos(), QStringLiteral("Cmd+U"));
    addItem(view, QStringLiteral("mGraficos"), Module1::kGraficos(), QStringLiteral("Cmd+G"));
    addItem(view, QStringLiteral("mAgenda"), Module1::kAgendamento(), QStringLiteral("Cmd+D"));
}

void MenuBar1::Untitled3()
{
    const QString help = QStringLiteral("mHelp");
    addNamedMenu(help, Module1::kAjuda());
    addItem(help, QStringLiteral("mHelp2"), Module1::kAjuda(), QString());
    addItem(help, QStringLiteral("mChecaUpdate"), Module1::kMSGVerificaUpdate(), QString());
}

void BindMenuHandlers(MenuBar1& bar)
{
    if (bar.handlersBound_)
        return;
    bar.handlersBound_ = true;
    QList<QKeySequence> commandKeys;
    for (const MenuCommand& command : kMenuCommands) {
        QAction* item = bar.entry(QLatin1String(command.name));
        if (!item)
            continue;
        // The menu bar belongs to the main window, but its commands work from
        // every window of the program, as a shared menu bar's would.
        item->setShortcutContext(Qt::ApplicationShortcut);
        if (!item->shortcut().isEmpty())
            commandKeys << item->shortcut();
        QObject::connect(item, &QAction::triggered, &bar, [handler = command.handler] { handler(); });
    }
    new CommandKeysFirst(&bar, commandKeys);
}

void InstallMainMenusAndToolbar()
{
    MenuBar1& bar = MenuBar1::instance();
    BindMenuHandlers(bar);
    wCash& window = wCash::instanceWithoutOpen();
    window.installMenuBar(&bar);
    if (!qobject_cast<Toolbar1*>(window.Toolbar11))
        window.installToolbar(new Toolbar1);
}

namespace focusedtext {

void undo()
{
    const TextField text = editedField();
    if (text.line)
        text.line->undo();
    else if (text.rich)
        text.rich->undo();
    else if (text.plain)
        text.plain->undo();
}

void cut()
{
    const TextField text = editedField();
    if (text.line && !text.line->isReadOnly())
        text.line->cut();
    else if (text.rich && !text.rich->isReadOnly())
        text.rich->cut();
    else if (text.plain && !text.plain->isReadOnly())
        text.plain->cut();
}

void copy()
{
    const TextField text = editedField();
    if (text.line)
        text.line->copy();
    else if (text.rich)
        text.rich->copy();
    else if (text.plain)
        text.plain->copy();
}

void paste()
{
    const TextField text = editedField();
    if (text.line && !text.line->isReadOnly())
        text.line->paste();
    else if (text.rich && !text.rich->isReadOnly())
        text.rich->paste();
    else if (text.plain && !text.plain->isReadOnly())
        text.plain->paste();
}

// Clear removes the selection, leaving the clipboard alone.
void clear()
{
    const TextField text = editedField();
    if (text.line && !text.line->isReadOnly() && text.line->hasSelectedText())
        text.line->del();
    else if (text.rich && !text.rich->isReadOnly())
        text.rich->textCursor().removeSelectedText();
    else if (text.plain && !text.plain->isReadOnly())
        text.plain->textCursor().removeSelectedText();
}

void selectAll()
{
    const TextField text = editedField();
    if (text.line)
        text.line->selectAll();
    else if (text.rich)
        text.rich->selectAll();
    else if (text.plain)
        text.plain->selectAll();
}

} // namespace focusedtext
