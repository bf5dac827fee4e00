#pragma once

// A test of the running program: a Recorder in every seam, App's state of a
// new run before and after the test, and every window the test left behind
// destroyed safely. A test either opens a fresh data file (openDatabase) and
// builds the windows it needs, or starts the whole program in-process (start).

#include "Recorder.h"
// What nearly every test of the running program uses, included once here.
#include "TestSupport.h"
#include "app/App.h"
#include "ledger/wCash.h"
#include "ledger/wTransacoes.h"
#include "platform/Controls.h"
#include "platform/Database.h"
#include "platform/Files.h"
#include "platform/Listbox.h"
#include "ui/common/Module1.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

// Points the preferences folder elsewhere for the life of a test.
struct ConfigHome
{
    explicit ConfigHome(const QString& path) { qputenv("XDG_CONFIG_HOME", path.toUtf8()); }
    ~ConfigHome() { qputenv("XDG_CONFIG_HOME", saved); }
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
};

class AppTest : public ::testing::Test
{
  protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }

    // --- Data.
    // A fresh data file with the program's tables, open as App::CashDB.
    static void openDatabase() { App::CashDB = testsupport::newDatabase(); }
    static SQLDatabase& db() { return *App::CashDB; }
    static void exec(const QString& sql) { testsupport::exec(db(), sql); }
    static void addAccounts(const QStringList& names) { insertEach("INSERT INTO Contas (nome) VALUES (?)", names); }
    static void addCategories(const QStringList& names)
    {
        insertEach("INSERT INTO Categorias (conta, descricao) VALUES ('1', ?)", names);
    }
    static void addContacts(const QStringList& names) { insertEach("INSERT INTO Contatos (nome) VALUES (?)", names); }
    // Stores a transaction (an empty amount is NULL) and gives its id; an open
    // main window reloads its ledger.
    static QString addTransaction(const QString& account, const QString& category, const QString& contact,
                                  const QString& date, const QString& credit, const QString& debit,
                                  const QString& verified = QStringLiteral("Sim"), const QString& comment = {});
    // A schedule row; `type` is "Crédito" or "Débito", the amount goes in Agenda.contato.
    static void addSchedule(const QString& account, const QString& category, const QString& type, const QString& date,
                            const QString& amount, const QString& repeat, const QString& contact = "  -  ");
    // Every Movimento row, or the one of that id, but the id, as text ("NULL" for a NULL), by id.
    static QList<QStringList> storedRows(const QString& id = {});

    // --- Windows.
    // The main window loaded from App::CashDB, shown.
    static wCash& openMain() { return wCash::instance().Show(), wCash::instance(); }
    // Selects the row (of a Listbox or a PopupMenu) that reads `text`; fails the test when there is none.
    template <class List> static void select(List* list, const QString& text)
    {
        const int row = int(rows(list).indexOf(text));
        ASSERT_GE(row, 0) << text.toStdString();
        list->setListIndex(row);
    }
    // The texts of a list's first column, or of a pop-up's rows, in order.
    template <class List> static QStringList rows(const List* list)
    {
        QStringList out;
        for (int i = 0; i < list->ListCount(); ++i)
            out << rowText(list, i);
        return out;
    }
    // A real double-click on the row that reads `text` (its window is shown first).
    static void doubleClickRow(Listbox* list, const QString& text);
    static void click(QPushButton* button);
    // Hides, then destroys every window of the program that is still there.
    static void closeWindows();

    // --- The whole program.
    // The data file and the preferences file of the temporary HOME, and the preferences file's lines.
    static QString dataFolder() { return DocumentsFolder() + QStringLiteral("/Tovira"); }
    static QString dataFile() { return dataFolder() + QStringLiteral("/Tovira.rbd"); }
    static QString prefsFile() { return PreferencesFolder() + QStringLiteral("/Tovira"); }
    static QStringList prefsLines();
    // Deletes the data folder and the preferences file: the next start is a new user's first.
    static void removeUserFiles();
    // Starts a run as the program does (menu bar, toolbar, then the first event), from the data folder and
    // preferences file of the temporary HOME.
    static void start();
    // Quits as the menu command does and forgets the run; restart then starts a new one.
    static void stop() { App::_FileQuit_Action(), reset(); }
    static void restart() { stop(), start(); }
    // No window left and App's state of a new run, for a test that starts several runs.
    static void reset() { closeWindows(), resetRun(); }

    Recorder recorder;

  private:
    static void resetRun();
    static void insertEach(const char* sql, const QStringList& values);
    static QString rowText(const Listbox* list, int row) { return list->Cell(row, 0); }
    static QString rowText(const PopupMenu* popup, int row) { return popup->List(row); }
};
