#pragma once

// Fails the running test within a few seconds when it waits on a window that
// nobody answers, instead of holding the test executable until its time-out:
// a modal window (a message box, a file or print dialog, the confirmation
// dialog, any window shown with ShowModal) or a whole run of the program that
// goes on with no one to play the user (a password prompt where the main
// window was expected). The window is dismissed, or the run ended, so that
// the test goes on to its end and reports what it found.
//
// Installed for every test by the test main; it watches only while a test runs.

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

class ModalWatchdog : public ::testing::EmptyTestEventListener
{
  public:
    // How long the same wait may last before the test fails; once it has
    // failed so, every later wait of the test is cut short.
    static constexpr int LimitMs = 5000;
    static constexpr int LimitAfterFailureMs = 500;

    ModalWatchdog();

    void OnTestStart(const ::testing::TestInfo&) override;
    void OnTestEnd(const ::testing::TestInfo&) override;

  private:
    void check();
    // The window, or the run, that has been waited on too long.
    static QString describe(QWidget* modal, int loopLevel, qint64 waitedMs);
    static void dismiss(QWidget* modal);

    QTimer timer_;
    // What the last check saw, and since when.
    QPointer<QWidget> modal_;
    int loopLevel_ = 0;
    QElapsedTimer since_;
    bool failed_ = false;
};
