#pragma once

// The seeded data file open as App::CashDB, the main window loaded from it
// (all months, all years) and a Recorder in every seam. Register windows left
// over from a test are destroyed at its end.

#include "Recorder.h"
#include "RegisterTestData.h"

#include <QStringList>
#include <gtest/gtest.h>

class Listbox;
class QPushButton;
class QWidget;
class wCash;

class RegisterWindowTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    SQLDatabase& db();
    // The rows of a list, in order.
    static QStringList rows(const Listbox& list);
    static int rowOf(const Listbox& list, const QString& text);
    // A real double-click on the row of `text` (the window is shown first).
    static void doubleClickRow(Listbox& list, const QString& text);
    static void click(QPushButton* button);
    // Shows the main window's ledger for `account` and gives its row count.
    int ledgerRowsOf(const QString& account);

    Recorder recorder;
    wCash* main = nullptr;
};
