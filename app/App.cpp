// The application object: start-up, the one quit sequence and the report of
// a failed database operation. The menu commands live in AppCommands.cpp.

#include "app/App.h"

#include "app/Migration.h"
#include "app/Password.h"
#include "app/Preferences.h"
#include "app/Schema.h"
#include "app/Translation.h"
#include "ledger/wCash.h"
#include "platform/Files.h"
#include "platform/Listbox.h"
#include "platform/Seams.h"
#include "platform/Window.h"
#include "settings/wPreferencias.h"
#include "ui/common/MenuBar1.h"
#include "ui/common/Module1.h"
#include "ui/common/PasswordPrompt.h"
#include "ui/common/confirma.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

namespace {

QString preferencesFile()
{
    return PreferencesFolder() + QStringLiteral("/Tovira");
}

} // namespace

void App::resetState()
{
    if (wCash* window = wCash::existing())
        delete window;
    CashDB.reset();
    PrefEditor = false;
    cor_b = cor_g = cor_r = 0;
    textfile.clear();
    textoimporta.clear();
    ImpTovira = false;
    ContaInicial.clear();
    MesInicial.clear();
    janela_height = janela_left = janela_width = 0;
    janela_top = 100;
    datahoje.clear();
    tSenha = 0;
    cSenha.clear();
    coluna1.clear();
    coluna2.clear();
    coluna3.clear();
    coluna4.clear();
    coluna5.clear();
    coluna6.clear();
    databaseOpen = false;
    readOnly = false;
    prefsRead = false;
    prefsWritten = false;
    exitCode = 0;
    quitting = false;
    loopRunning = false;
    databaseErrorShown = false;
    heldFileTimeout.reset();
    recoveryWaitsForScope = false;
}

int App::run()
{
    PrepareApplicationTexts();
    InstallConfirmationDialog();
    // The menu bar with its commands bound, then the main window, hidden, with
    // that menu bar and its toolbar; its lists are loaded by Event_Open once
    // the database is open.
    InstallMainMenusAndToolbar();
    wCash::instanceWithoutOpen();
    QTimer::singleShot(0, qApp, [] { Event_Open(); });
    loopRunning = true;
    QApplication::exec();
    loopRunning = false;
    // The framework closes the main window while quitting: after a quit
    // command this only ends; after the password prompt's cancel it still
    // writes the preferences.
    if (QPointer<wCash> window = wCash::existing()) {
        window->Close();
        delete window;
    }
    return exitCode;
}

bool App::Event_Open()
{
    const QString dataFolder = DocumentsFolder() + QStringLiteral("/Tovira");
    EnsureFolder(dataFolder);
    const QString dataFile = dataFolder + QStringLiteral("/Tovira.rbd");

    wCash::instanceWithoutOpen();
    CashDB = std::make_unique<SQLDatabase>();
    CashDB->setDatabaseFile(dataFile);

    MigrateLegacyDatabase(ApplicationFolder(), dataFile);

    if (!QFileInfo::exists(dataFile)) {
        if (!CashDB->CreateDatabaseFile()) {
            MsgBox(Module1::kMsgDB() + QStringLiteral("\n\n"));
            Quit(1);
            return false;
        }
        // A file without its tables (a full disk) is no data file: it goes
        // again, so that the next start makes it anew rather than open it.
        if (!Schema::Create(*CashDB)) {
            DisplayDatabaseError();
            endStartup();
            RemoveDatabaseFile(dataFile);
            return false;
        }
    }
    if (!CashDB->Connect()) {
        DisplayDatabaseError();
        Quit(1);
        return false;
    }
    // A damaged file is left exactly as it is: any write now (an upgrade, the
    // compaction at quit) could spread the damage.
    if (!CashDB->QuickCheck()) {
        DisplayDatabaseError();
        endStartup();
        return false;
    }
    databaseOpen = true;
    readOnly = CashDB->IsReadOnly();
    // Every window reads the base tables: a file that lacks one and cannot be
    // given it (a full disk, a file that cannot be written) is not opened.
    if (!(readOnly ? Schema::HasBaseTables(*CashDB) : Schema::Upgrade(*CashDB))) {
        DisplayDatabaseError();
        endStartup();
        return false;
    }
    if (readOnly)
        MsgBox(Module1::kMsgArquivoSomenteLeitura() + QStringLiteral("\n\n") + dataFile);

    if (!LePrefs())
        return false;

    wCash& window = wCash::instance();
    window.Event_Open();
    // Behind the lock the day's posting waits for the password: nothing
    // opens over the prompt, and a start given up at the prompt posts
    // nothing, leaving the day and its message to the next start.
    if (tSenha == 1) {
        ShowStartupPasswordPrompt();
        return true;
    }
    window.Show();
    window.ChecaAgendamentos();
    return true;
}

bool App::_FileQuit_Action()
{
    CompactAndClose();
    WritePrefsOnce();
    Quit(0);
    return false;
}

void App::CompactAndClose()
{
    if (!databaseOpen)
        return;
    databaseOpen = false;
    if (CashDB) {
        // Nothing the user asked for: a file that cannot be written is left alone without a word.
        if (!readOnly)
            Schema::Compact(*CashDB);
        CashDB->Close();
    }
}

void App::endStartup()
{
    // Neither the quit sequence's compaction nor its preferences file: the
    // start-up never got as far as a run whose state could be kept.
    databaseOpen = false;
    prefsRead = false;
    if (CashDB)
        CashDB->Close();
    Quit(1);
}

void App::WritePrefsOnce()
{
    if (!prefsRead || prefsWritten)
        return;
    prefsWritten = true;
    GravaPrefs();
}

void App::Quit(int code)
{
    if (!quitting) {
        quitting = true;
        exitCode = code;
    }
    if (loopRunning)
        QCoreApplication::exit(exitCode);
}

void App::DisplayDatabaseError()
{
    if (!CashDB)
        return;
    // Set before the box, whose own event loop may run a reload that fails too.
    databaseErrorShown = true;
    const QString text = DatabaseErrorText();
    // The file is held by another program: the rest of this action's reads
    // fail at once rather than each waiting out the busy time-out, which
    // would freeze the window for seconds a list.
    if (CashDB->ErrorIsBusy() && !heldFileTimeout) {
        heldFileTimeout = CashDB->BusyTimeout();
        CashDB->setBusyTimeout(0);
    }
    if (QuietErrors* quiet = QuietErrors::active) {
        if (quiet->first_.isEmpty())
            quiet->first_ = text;
    } else {
        MsgBox(text);
    }
    // Posted after the box, whose own event loop would run it before the action has ended.
    recoverOnceBackInEventLoop();
}

QString App::DatabaseErrorText()
{
    if (!CashDB)
        return QString();
    return QStringLiteral("Erro: ") + QString::number(CashDB->ErrorCode()) + QStringLiteral("\n\n") +
           CashDB->ErrorMessage();
}

QuietErrors::QuietErrors() : outer_(active)
{
    active = this;
}

QuietErrors::~QuietErrors()
{
    active = outer_;
}

void App::recoverFromDatabaseFailure()
{
    if (scopedActions > 0) {
        recoveryWaitsForScope = true;
        return;
    }
    databaseErrorShown = false;
    if (heldFileTimeout && CashDB)
        CashDB->setBusyTimeout(*heldFileTimeout);
    heldFileTimeout.reset();
}

void App::recoverOnceBackInEventLoop()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, &recoverFromDatabaseFailure, Qt::QueuedConnection);
    else
        recoverFromDatabaseFailure();
}

ActionEndsWithScope::~ActionEndsWithScope()
{
    if (--App::scopedActions > 0 || !App::recoveryWaitsForScope)
        return;
    App::recoveryWaitsForScope = false;
    // Still inside the action's command: the end comes once control is back in the event loop.
    App::recoverOnceBackInEventLoop();
}

void App::DisplayLoadError()
{
    if (!databaseErrorShown)
        DisplayDatabaseError();
}

bool App::refusesWrites()
{
    if (!readOnly)
        return false;
    MsgBox(Module1::kMsgSomenteLeitura());
    return true;
}

bool App::LePrefs()
{
    const QString folder = PreferencesFolder();
    if (folder.isEmpty() || !EnsureFolder(folder)) {
        MsgBox(Module1::kMsgPref());
        Quit(1);
        return false;
    }
    prefsRead = true;

    QStringList lines;
    const bool haveFile = QFileInfo(preferencesFile()).isFile() &&
                          ReadTextLines(preferencesFile(), lines, Preferences::LineCount, Preferences::MaxLineBytes);
    PreferencesValues values = haveFile ? Preferences::parse(lines) : Preferences::defaults();
    // The window gets a place and size the screen can show, and the quit
    // writes back what it got.
    values = Preferences::fitToScreen(values, ScreenAreaAt(QPoint(values.left, values.top)));
    PrefEditor = values.prefEditor;
    cor_r = values.cor_r;
    cor_g = values.cor_g;
    cor_b = values.cor_b;
    // A run without a file keeps the initial empty start-up texts.
    if (haveFile) {
        ContaInicial = values.contaInicial;
        MesInicial = values.mesInicial;
        datahoje = values.datahoje;
    }
    janela_height = values.height;
    janela_left = values.left;
    janela_top = values.top;
    janela_width = values.width;
    coluna1 = values.columns.at(0);
    coluna2 = values.columns.at(1);
    coluna3 = values.columns.at(2);
    coluna4 = values.columns.at(3);
    coluna5 = values.columns.at(4);
    coluna6 = values.columns.at(5);

    wCash& window = wCash::instanceWithoutOpen();
    window.setGeometry(janela_left, janela_top, janela_width, janela_height);

    // A lock that cannot be read or checked must not open the ledger without
    // the password: start-up ends there.
    const Schema::LockRow lock = Schema::ReadLockRow(*CashDB);
    if (!lock.readOk) {
        DisplayDatabaseError();
        endStartup();
        return false;
    }
    if (lock.on && StoredFormOf(lock.stored) == StoredForm::Unreadable) {
        MsgBox(Module1::kMsgSenhaIlegivel());
        endStartup();
        return false;
    }
    tSenha = lock.on ? 1 : 0;
    if (lock.on)
        cSenha = lock.stored;
    MostraPrefs();
    return true;
}

bool App::GravaPrefs()
{
    PreferencesValues values;
    values.prefEditor = PrefEditor;
    values.cor_r = cor_r;
    values.cor_g = cor_g;
    values.cor_b = cor_b;
    values.contaInicial = ContaInicial;
    values.mesInicial = MesInicial;
    values.datahoje = datahoje;
    values.height = janela_height;
    values.left = janela_left;
    values.top = janela_top;
    values.width = janela_width;
    values.columns = QStringList{coluna1, coluna2, coluna3, coluna4, coluna5, coluna6};
    if (wCash* window = wCash::existing()) {
        const QRect g = window->geometry();
        values.height = g.height();
        values.left = g.x();
        values.top = g.y();
        values.width = g.width();
        for (int i = 0; i < 6; ++i)
            values.columns[i] = QString::number(window->lMovimento->ColumnWidth(i));
    }
    // Written whole or not at all: a failed write keeps the last run's file,
    // and the user learns that this run's settings were not kept.
    QString error;
    if (!EnsureFolder(PreferencesFolder())) {
        error = PreferencesFolder();
    } else {
        switch (WriteTextLines(preferencesFile(), Preferences::format(values), &error)) {
        case FileWrite::Written:
            return true;
        case FileWrite::NotARegularFile:
            error = Module1::kMsgNaoEArquivoComum().arg(preferencesFile());
            break;
        case FileWrite::Failed:
            break;
        }
    }
    MsgBox(Module1::kMsgPrefsNaoGravadas() + QStringLiteral("\n\n") + error);
    return false;
}

void App::MostraPrefs()
{
    // Creates the preferences window, hidden, on the first call. Setting the
    // boxes from here changes no preference: only a click does.
    wPreferencias& window = wPreferencias::instance();
    window.CoresLista->setChecked(cor_b != 255);
    window.Edicao->setChecked(PrefEditor);
}
