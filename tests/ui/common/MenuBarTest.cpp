#include "ui/common/MenuBar1.h"

#include "AppFixture.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/HelpManual.h"
#include "ledger/wCash.h"
#include "platform/Window.h"
#include "settings/UpdateCheck.h"
#include "ui/common/Module1.h"
#include "ui/common/Toolbar1.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QNetworkProxy>
#include <QPointer>
#include <QTcpServer>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

struct ExpectedEntry
{
    const char* name;
    QString caption;
    const char* shortcut; // "" none; nullptr for a separator
    bool enabled;
};

struct ExpectedMenu
{
    const char* name;
    QString caption;
    std::vector<ExpectedEntry> entries;
};

std::vector<ExpectedMenu> expectedMenus()
{
    return {
        {"FileMenu",
         "Arquivo",
         {{"mSobre", "Sobre", "", true},
          {"mnovomovimento", "Inserir movimento", "Ctrl+N", true},
          {"mImportar", "Importar...", "Ctrl+I", true},
          {"Importaofx", "Importa OFX...", "Ctrl+O", true},
          {"mExportar", "Exportar...", "Ctrl+E", true},
          {"FileQuit", "Fechar", "Ctrl+Q", true}}},
        {"EditMenu",
         "Editar",
         {{"EditUndo", "Desfazer", "Ctrl+Z", true},
          {"UntitledMenu1", "-", nullptr, true},
          {"EditCut", "Cortar", "Ctrl+X", true},
          {"EditCopy", "Copiar", "Ctrl+C", true},
          {"EditPaste", "Colar", "Ctrl+V", true},
          {"EditClear", "Limpar", "", true},
          {"UntitledMenu0", "-", nullptr, true},
          {"EditSelectAll", "Selecionar Tudo", "Ctrl+A", true},
          {"UntitledItem", "-", nullptr, true},
          {"mPreferencias", "Preferências...", "", true}}},
        {"kVisualizarMenu",
         "Visualizar",
         {{"mContas", "Contas", "Ctrl+T", true},
          {"mCategorias", "Categorias", "Ctrl+Y", true},
          {"mContatos", "Contatos", "Ctrl+U", true},
          {"mGraficos", "Gráficos", "Ctrl+G", true},
          {"mAgenda", "Agendamento", "Ctrl+D", true}}},
        {"mHelp", "Ajuda", {{"mHelp2", "Ajuda", "", true}, {"mChecaUpdate", "Verificar atualizações...", "", true}}},
    };
}

class MenuBar : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        BindMenuHandlers(MenuBar1::instance());
    }

    static QAction* entry(const char* name) { return MenuBar1::instance().entry(QLatin1String(name)); }
};

TEST_F(MenuBar, fourMenus_everyEntryInOrderWithCaptionShortcutAndState)
{
    MenuBar1& bar = MenuBar1::instance();
    EXPECT_EQ(&bar, &MenuBar1::instance()) << "built once";
    const QList<QAction*> menus = bar.actions();
    const std::vector<ExpectedMenu> expected = expectedMenus();
    ASSERT_EQ(menus.size(), qsizetype(expected.size()));
    for (size_t m = 0; m < expected.size(); ++m) {
        QMenu* menu = menus[m]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName(), QLatin1String(expected[m].name));
        EXPECT_EQ(menu->title(), expected[m].caption);
        EXPECT_EQ(bar.entry(QLatin1String(expected[m].name)), menus[m]);
        const QList<QAction*> items = menu->actions();
        ASSERT_EQ(items.size(), qsizetype(expected[m].entries.size())) << expected[m].name;
        for (qsizetype i = 0; i < items.size(); ++i) {
            const ExpectedEntry& want = expected[m].entries[size_t(i)];
            SCOPED_TRACE(want.name);
            EXPECT_EQ(items[i]->objectName(), QLatin1String(want.name));
            EXPECT_EQ(items[i]->text(), want.caption);
            EXPECT_EQ(items[i]->isSeparator(), want.shortcut == nullptr);
            if (want.shortcut) {
                EXPECT_EQ(items[i]->shortcut(), QKeySequence(QLatin1String(want.shortcut)));
            }
            EXPECT_EQ(items[i]->isEnabled(), want.enabled);
            EXPECT_EQ(bar.entry(QLatin1String(want.name)), items[i]);
        }
    }
    EXPECT_EQ(MenuCommands().size(), size_t(14));
    for (const MenuCommand& command : MenuCommands())
        EXPECT_NE(bar.entry(QLatin1String(command.name)), nullptr) << command.name;
}

// Every enabled command, from the menu, on a program started as a new user's:
// the window commands show the window of that name; the others run their App method.
TEST_F(MenuBar, enabledCommands_openTheirWindowOrRunTheirMethod_once)
{
    removeUserFiles();
    start();
    BindMenuHandlers(MenuBar1::instance()); // a second binding must not run commands twice

    const std::pair<const char*, const char*> windows[] = {
        {"mSobre", "wSobre"},           {"mnovomovimento", "wTransacoes"}, {"mContas", "wContas"},
        {"mCategorias", "wCategorias"}, {"mContatos", "wContatos"},        {"mPreferencias", "wPreferencias"},
        {"mGraficos", "wGraficos"},
        {"mAgenda", "wAgendaLista"},
    };
    for (const auto& [command, window] : windows) {
        entry(command)->trigger();
        QList<QPointer<Window>> shown;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* w = qobject_cast<Window*>(widget); w && w->isVisible() && w != wCash::existing())
                shown << w;
        ASSERT_EQ(shown.size(), 1) << command;
        EXPECT_EQ(shown[0]->objectName(), QLatin1String(window)) << command;
        shown[0]->hide();
        delete shown[0].data();
    }
    EXPECT_TRUE(recorder.shown.isEmpty());

    // The update check against a port that was just free: refused at once.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    UpdateCheckSettings::timeoutMs = 5000;
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    UpdateCheckSettings::address = QUrl(QStringLiteral("http://127.0.0.1:%1/tovira.upd").arg(probe.serverPort()));
    probe.close();
    entry("mChecaUpdate")->trigger();
    EXPECT_TRUE(entry("mChecaUpdate")->isEnabled());
    SetHelpProgramFolder(testsupport::tempPath(QStringLiteral("nomanuals")));
    entry("mHelp2")->trigger();
    SetHelpProgramFolder(QString());
    EXPECT_EQ(recorder.messages(), QStringList({Module1::kMsgUpdateFalhou(), Module1::kMsgAjudaFaltando()}));

    entry("FileQuit")->trigger();
    EXPECT_TRUE(App::quitting);
    EXPECT_EQ(App::exitCode, 0);
    EXPECT_FALSE(db().IsConnected());
}

class EditMenu : public MenuBar
{
  protected:
    void SetUp() override
    {
        MenuBar::SetUp();
        window.resize(300, 200);
        line = new QLineEdit(&window);
        text = new QTextEdit(&window);
        text->move(0, 40);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void focus(QWidget* widget)
    {
        widget->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == widget; }));
    }

    QWidget window;
    QLineEdit* line = nullptr;
    QTextEdit* text = nullptr;
};

TEST_F(EditMenu, lineEdit_selectAllCopyCutPasteUndoClear)
{
    focus(line);
    line->setText(QStringLiteral("conta"));
    entry("EditSelectAll")->trigger();
    EXPECT_EQ(line->selectedText(), QLatin1String("conta"));
    entry("EditCopy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QLatin1String("conta"));
    entry("EditCut")->trigger();
    EXPECT_EQ(line->text(), QString());
    entry("EditPaste")->trigger();
    entry("EditPaste")->trigger();
    EXPECT_EQ(line->text(), QLatin1String("contaconta"));
    entry("EditUndo")->trigger();
    EXPECT_EQ(line->text(), QLatin1String("conta"));
    line->setSelection(0, 3);
    entry("EditClear")->trigger();
    EXPECT_EQ(line->text(), QLatin1String("ta"));
    EXPECT_EQ(QApplication::clipboard()->text(), QLatin1String("conta")) << "Clear must leave the clipboard alone";
}

TEST_F(EditMenu, textEdit_cutPasteClear_withoutATextFieldNothingChanges)
{
    focus(text);
    text->setPlainText(QStringLiteral("linha"));
    entry("EditSelectAll")->trigger();
    entry("EditCut")->trigger();
    EXPECT_EQ(text->toPlainText(), QString());
    entry("EditPaste")->trigger();
    EXPECT_EQ(text->toPlainText(), QLatin1String("linha"));
    entry("EditSelectAll")->trigger();
    entry("EditClear")->trigger();
    EXPECT_EQ(text->toPlainText(), QString());

    auto* button = new QPushButton(QStringLiteral("b"), &window);
    button->show();
    focus(button);
    line->setText(QStringLiteral("abc"));
    for (const char* edit : {"EditSelectAll", "EditCut", "EditPaste", "EditClear", "EditUndo"})
        entry(edit)->trigger();
    EXPECT_EQ(line->text(), QLatin1String("abc"));
    EXPECT_EQ(text->toPlainText(), QString());
}

// The menu bar and toolbar as the user sees them in the main window.
TEST_F(MenuBar, installedInTheMainWindow_withTheToolbar_once)
{
    InstallMainMenusAndToolbar();
    wCash& window = wCash::instanceWithoutOpen();
    EXPECT_EQ(window.mSobre(), MenuBar1::instance().entry(QStringLiteral("mSobre")));
    EXPECT_EQ(window.FileQuit()->text(), QLatin1String("Fechar"));
    auto* toolbar = qobject_cast<Toolbar1*>(window.Toolbar11);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(toolbar->objectName(), QLatin1String("Toolbar11"));

    // Installing again keeps the one menu bar and the one toolbar.
    InstallMainMenusAndToolbar();
    EXPECT_EQ(window.Toolbar11, toolbar);
    EXPECT_EQ(window.findChildren<QMenuBar*>().size(), 1);

    window.resize(wCash::ContentWidth, wCash::ContentHeight + 80);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage shot = testsupport::screenshot(window, QStringLiteral("wCash_menus_toolbar"));
    EXPECT_FALSE(shot.isNull());
    window.hide();
}

} // namespace
