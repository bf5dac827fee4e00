// The menu bar, its commands and their keys, the edit entries, the help
// command and the toolbar, in a program started in-process.

#include "ui/common/MenuBar1.h"

#include "AppFixture.h"
#include "app/HelpManual.h"
#include "registers/wCategorias.h"
#include "registers/wContas.h"
#include "registers/wContatos.h"
#include "settings/UpdateCheck.h"
#include "ui/common/Toolbar1.h"

#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QMenu>
#include <QNetworkProxy>
#include <QPointer>
#include <QToolTip>

namespace {

class MenuBar : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        removeUserFiles();
        start();
    }

    static QAction* entry(const char* name) { return MenuBar1::instance().entry(QLatin1String(name)); }

    // Chooses an entry of the edit menu with the mouse.
    static void chooseFromEditMenu(const char* name, const QString& screenshot = {})
    {
        QMenu* menu = MenuBar1::instance().menu(QStringLiteral("EditMenu"));
        menu->popup(wCash::instance().mapToGlobal(QPoint(60, 30)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        if (!screenshot.isEmpty())
            testsupport::screenshot(*menu, screenshot);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry(name)).center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !menu->isVisible(); }));
        QCoreApplication::processEvents();
    }

    static void activate(QWidget* window)
    {
        window->show();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
};

// Every enabled command, from the menu, on a program started as a new user's:
// the window commands show the window of that name; the others run their App method.
TEST_F(MenuBar, enabledCommands_openTheirWindowOrRunTheirMethod_once)
{
    BindMenuHandlers(MenuBar1::instance()); // a second binding must not run commands twice
    const std::pair<const char*, const char*> windows[] = {
        {"mSobre", "wSobre"},           {"mnovomovimento", "wTransacoes"}, {"mContas", "wContas"},
        {"mCategorias", "wCategorias"}, {"mContatos", "wContatos"},        {"mPreferencias", "wPreferencias"},
        {"mGraficos", "wGraficos"},     {"mAgenda", "wAgendaLista"},
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

    // The update check against a port where nothing listens: refused at once.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    UpdateCheckSettings::address = QUrl(QStringLiteral("http://127.0.0.1:1/tovira.upd"));
    entry("mChecaUpdate")->trigger();
    UpdateCheckSettings::address = QUrl(QStringLiteral(TOVIRA_UPDATE_URL));
    EXPECT_TRUE(entry("mChecaUpdate")->isEnabled());
    SetApplicationFolder(testsupport::tempPath(QStringLiteral("nomanuals")));
    entry("mHelp2")->trigger();
    SetApplicationFolder(QString());
    EXPECT_EQ(recorder.messages(), QStringList({Module1::kMsgUpdateFalhou(), Module1::kMsgAjudaFaltando()}));

    // The toolbar offers what the menu offers; no help tag means no tooltip.
    auto* toolbar = qobject_cast<Toolbar1*>(wCash::instance().Toolbar11);
    ASSERT_NE(toolbar, nullptr);
    const std::pair<QAction*, const char*> items[] = {
        {toolbar->mcontatos, "mContatos"}, {toolbar->mgraficos, "mGraficos"}, {toolbar->magendamento, "mAgenda"}};
    for (const auto& [item, command] : items) {
        EXPECT_EQ(item->isEnabled(), entry(command)->isEnabled()) << command;
        EXPECT_FALSE(item->icon().isNull());
        QWidget* button = toolbar->widgetForAction(item);
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(button, &help);
        EXPECT_FALSE(QToolTip::isVisible()) << command;
    }

    entry("FileQuit")->trigger();
    EXPECT_TRUE(App::quitting);
    EXPECT_EQ(App::exitCode, 0);
    EXPECT_FALSE(db().IsConnected());
}

// A command key from a text field runs the command and leaves the typed text
// alone (a line field clears itself on Control+U otherwise).
TEST_F(MenuBar, commandKeyFromATextField_runsTheCommand_andKeepsTheText)
{
    activate(&wCash::instance());
    QTest::keyClick(&wCash::instance(), Qt::Key_T, Qt::ControlModifier);
    ASSERT_TRUE(wContas::exists() && wContas::instance().isVisible());
    activate(&wContas::instance());
    EditField* field = wContas::instance().tConta;
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("Casa Nova"));
    // Each platform's text fields take a key of their own: Control+U or Control+Y.
    QTest::keyClick(field, Qt::Key_U, Qt::ControlModifier);
    EXPECT_TRUE(wContatos::exists() && wContatos::instance().isVisible());
    activate(&wContas::instance());
    QTest::keyClick(field, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(wCategorias::exists() && wCategorias::instance().isVisible());
    EXPECT_EQ(field->Text(), QStringLiteral("Casa Nova"));
}

// The edit entries chosen with the mouse act on the field the user was typing
// in, also in another window than the main window, whose menu bar it is.
TEST_F(MenuBar, editMenuChosenWithTheMouse_actsOnTheFieldOfTheWindowLeft)
{
    wContas::instance().Show();
    activate(&wContas::instance());
    EditField* field = wContas::instance().tConta;
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("Casa "));
    QApplication::clipboard()->setText(QStringLiteral("Nova"));
    activate(&wCash::instance());
    chooseFromEditMenu("EditPaste", QStringLiteral("EditMenu"));
    EXPECT_EQ(field->Text(), QStringLiteral("Casa Nova"));
    chooseFromEditMenu("EditSelectAll");
    chooseFromEditMenu("EditCopy");
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Casa Nova"));
    for (QAction* item : MenuBar1::instance().menu(QStringLiteral("EditMenu"))->actions())
        EXPECT_TRUE(!item->isSeparator() || item->text().isEmpty()) << "a separator shows no \"-\"";

    // Once the user works on in the main window, its menu acts on nothing there.
    QWidget* list = wCash::instance().List_Contas;
    list->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == list; }));
    chooseFromEditMenu("EditCut");
    EXPECT_EQ(field->Text(), QStringLiteral("Casa Nova"));
    // Clear empties the field and leaves the clipboard alone.
    activate(&wContas::instance());
    field->setFocus();
    chooseFromEditMenu("EditClear");
    EXPECT_EQ(field->Text(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Casa Nova"));
}

// --- The help command.
// "port" chooses the Portuguese manual, anything else the English one; the
// build tree is searched before the installed one, and a folder is no manual.
TEST(HelpManual, languageMarkerChoosesTheManual_foundInTheBuildTreeFirst_neverAFolder_theBuiltOneOpens)
{
    for (const char* marker : {"eng", "", "Port"})
        EXPECT_EQ(ManualFileName(QLatin1String(marker)), QLatin1String("manual_eng.pdf")) << marker;
    EXPECT_EQ(ManualFileName(QStringLiteral("port")), QLatin1String("manual_br.pdf"));
    // Installed: <prefix>/bin/tovira and <prefix>/share/tovira/help; built: help/ beside the program.
    const QString root = QFileInfo(testsupport::tempPath(QStringLiteral("prefix"))).absoluteFilePath();
    const QStringList folders = ProgramDataFolders(root + QStringLiteral("/bin"), QStringLiteral("help"));
    testsupport::writeFile(root + QStringLiteral("/share/tovira/help/manual_eng.pdf"));
    QDir().mkpath(root + QStringLiteral("/bin/help/manual_br.pdf"));
    EXPECT_EQ(FindManual(QStringLiteral("manual_eng.pdf"), folders),
              root + QStringLiteral("/share/tovira/help/manual_eng.pdf"));
    EXPECT_EQ(FindManual(QStringLiteral("manual_br.pdf"), folders), QString());
    testsupport::writeFile(root + QStringLiteral("/bin/help/manual_eng.pdf"));
    EXPECT_EQ(FindManual(QStringLiteral("manual_eng.pdf"), folders), root + QStringLiteral("/bin/help/manual_eng.pdf"));

    // The built manual opens; where no program opens it, the user is told where
    // it is. (A missing manual is the menu command's test.)
    Recorder recorder;
    const QString manual = QFileInfo(QStringLiteral(TOVIRA_BUILT_HELP_DIR "/manual_br.pdf")).canonicalFilePath();
    SetApplicationFolder(QStringLiteral(TOVIRA_PROGRAM_DIR));
    App::_mHelp2_Action();
    EXPECT_TRUE(recorder.messages().isEmpty());
    ASSERT_EQ(recorder.openedDocuments.size(), 1);
    EXPECT_EQ(QFileInfo(recorder.openedDocuments[0]).canonicalFilePath(), manual);

    recorder.launchResult = false;
    App::_mHelp2_Action();
    ASSERT_EQ(recorder.messages().size(), 1);
    EXPECT_TRUE(recorder.messages()[0].startsWith(Module1::kMsgAjudaSemLeitor() + QStringLiteral("\n\n")));
    EXPECT_EQ(QFileInfo(recorder.messages()[0].section(QLatin1Char('\n'), 2)).canonicalFilePath(), manual);
    SetApplicationFolder(QString());
}

} // namespace
