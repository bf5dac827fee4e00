#pragma once

// A data file with two accounts, two categories and two contacts open as
// App::CashDB, the main window loaded from it showing every month of every
// year, and a Recorder in every seam. The transaction window is destroyed at
// the end of each test, so each test starts with a new one.

#include "Recorder.h"

#include <QStringList>
#include <gtest/gtest.h>

class PopupMenu;
class QPushButton;
class SQLDatabase;
class wCash;
class wTransacoes;

class TransactionTest : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;

    static SQLDatabase& db();
    static void exec(const QString& sql);
    // Every column of every Movimento row but the id, as text ("NULL" for NULL), by id.
    static QList<QStringList> storedRows();
    static QStringList storedRow(const QString& id);
    static int rowCount();
    // Adds a row, reloads the ledger and gives the row's id.
    static QString addRow(const QString& account, const QString& category, const QString& contact, const QString& date,
                          const QString& credit, const QString& debit, const QString& verified, const QString& comment);

    // The ledger row whose comment is `comment`, -1 when not listed.
    int ledgerRow(const QString& comment) const;
    // Selects the year row "Todos": saving reselects the current year.
    void showAllYears();
    // Selects `account` in the main window's account list.
    void showAccount(const QString& account);
    static void choose(PopupMenu* popup, const QString& text);
    static void click(QPushButton* button);

    Recorder recorder;
    wCash* main = nullptr;
};
