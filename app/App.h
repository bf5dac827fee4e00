#pragma once

// The application object: the one connection to the data file, the
// preferences, the password-lock state and the text import's file. There is
// one for the whole run, so its state is held in static members and read as
// App::CashDB, App::datahoje...

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "platform/Database.h"

class App
{
public:
    App() = delete;

    // --- State, in declaration order, with the initial values of a new run.
    static inline std::unique_ptr<SQLDatabase> CashDB;
    static inline bool PrefEditor = false;
    static inline int cor_b = 0;
    static inline int cor_g = 0;
    static inline int cor_r = 0;
    // The text import's file, its lines and whether it is the program's own export.
    static inline QString textfile;
    static inline QStringList textoimporta;
    static inline bool ImpTovira = false;
    static inline QString ContaInicial;
    static inline QString MesInicial;
    static inline int janela_height = 0;
    static inline int janela_left = 0;
    static inline int janela_width = 0;
    static inline int janela_top = 100;
    static inline QString datahoje;
    static inline int tSenha = 0;
    static inline QString cSenha;
    static inline QString coluna1, coluna2, coluna3, coluna4, coluna5, coluna6;

    static constexpr int MajorVersion = TOVIRA_VERSION_MAJOR;
    static constexpr int MinorVersion = TOVIRA_VERSION_MINOR;
    static constexpr int BugVersion = TOVIRA_VERSION_BUG;

    // Puts every property back to its initial value (a new run; used by tests).
    static void resetState();

    // --- Start-up and quit.
    // The whole run: creates the menu bar and the hidden main window, runs the
    // event loop with Event_Open as its first event; returns the exit code.
    static int run();
    // The first event of the run. Returns false when start-up ended on an error
    // (the message was shown and the program is quitting with a non-zero code).
    static bool Event_Open();
    // The one quit sequence (menu command, main window's close, prompt's cancel).
    static bool _FileQuit_Action();
    // Compacts and closes the database, at most once per run.
    static void CompactAndClose();
    // Writes the preferences file, at most once per run and only after start-up read it.
    static void WritePrefsOnce();
    // Ends the event loop with the given code.
    static void Quit(int exitCode = 0);
    // Ends a start-up that cannot go on, with exit code 1, writing nothing:
    // no compaction, no preferences file.
    static void endStartup();

    // "Erro: " + code + two line ends + message of the last database operation.
    static void DisplayDatabaseError();
    static QString DatabaseErrorText();
    // The same report for a list or pop-up that could not be read, made at
    // most once an action: the lists one action loads fail together and for
    // the same reason (a file another program holds), and those reloaded
    // after a failed change fail for the reason just shown. Once control is
    // back in the event loop, the next action reports afresh.
    static void DisplayLoadError();

    // True when the data file cannot be written: the program goes on reading
    // it, and every command that would write says so instead of trying.
    static inline bool readOnly = false;
    // For a command about to write: with a read-only data file tells the user
    // and returns true, so the command stops before its first change.
    static bool refusesWrites();

    // --- The preferences file.
    static bool LePrefs();
    static bool GravaPrefs();
    static void MostraPrefs();

    // --- Menu command handlers, bound to the menu entries by name.
    static void _mContatos_Action();
    static void _mCategorias_Action();
    static void _mContas_Action();
    static void _mGraficos_Action();
    static void _mPreferencias_Action();
    static void _mSobre_Action();
    static void _mExportar_Action();
    static void _mImportar_Action();
    static void _mAgenda_Action();
    static void _mHelp2_Action();
    static void _mChecaUpdate_Action();
    static void _mnovomovimento_Action();
    static void _Importaofx_Action();
    static void ChecaUpdate();
    // The ledger to a tab-separated text file, and such a file back into the
    // ledger through the import window's preview (exchange/TextExchange.cpp).
    static void ExportaDados();
    static void ImportaDados();

    // --- Run-scoped flags of the quit rules.
    static inline bool databaseOpen = false;
    static inline bool prefsRead = false;
    static inline bool prefsWritten = false;
    static inline int exitCode = 0;
    // The first Quit decides the exit code; later ones only end the loop.
    static inline bool quitting = false;
    // True while run() is in the event loop: Quit ends it then, and does
    // nothing to a loop that is not running (Event_Open called directly).
    static inline bool loopRunning = false;
    // A database error was shown in the action that is running.
    static inline bool databaseErrorShown = false;
    // The busy time-out to give back once the action that met a held file has ended.
    static inline std::optional<int> heldFileTimeout;
    // The end of an action that met a database failure: gives the busy
    // time-out back and lets the next failure be reported afresh. While an
    // ActionEndsWithScope lives, it waits for the end of that scope.
    static void recoverFromDatabaseFailure();
    // Runs recoverFromDatabaseFailure once control is back in the event loop,
    // that is once the running command has returned (at once when there is no
    // application object to queue it on).
    static void recoverOnceBackInEventLoop();
    // ActionEndsWithScope objects alive, and a recovery that waits for the last of them to go.
    static inline int scopedActions = 0;
    static inline bool recoveryWaitsForScope = false;
};

// Marks an action that lets the event loop run before it ends, to paint its
// progress (an import): the action ends when the scope does, not when the
// loop next runs, so that a file held by another program is waited for and
// told once in all of it, not once again after each repaint.
class ActionEndsWithScope
{
public:
    ActionEndsWithScope() { ++App::scopedActions; }
    ~ActionEndsWithScope();
    ActionEndsWithScope(const ActionEndsWithScope&) = delete;
    ActionEndsWithScope& operator=(const ActionEndsWithScope&) = delete;
};

// Work that runs without the user's hand on it (the start-up's posting, the
// reload of the lists after an import) opens no box of its own: while one of
// these lives, a failed database operation is kept, not shown, for the one
// message that ends the work to tell. The rest of the action is as after a
// shown report (a held file is waited for once).
class QuietErrors
{
public:
    QuietErrors();
    ~QuietErrors();
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

    // The report of the first failure kept (DatabaseErrorText), or nothing.
    const QString& firstError() const { return first_; }

private:
    friend class App;
    static inline QuietErrors* active = nullptr;
    QuietErrors* outer_;
    QString first_;
};
