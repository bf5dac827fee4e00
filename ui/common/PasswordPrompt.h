#pragma once

#include <QString>

// Shows the start-up password prompt (the lock is on); the main window is
// shown only once the right password is typed.
void ShowStartupPasswordPrompt();

// Shows a message of the start-up's own work: at once, or, while the prompt
// waits for the password, once the right password is typed, so that the
// message never takes the keys the user types for the prompt.
void ShowOnceUnlocked(const QString& message);
