#pragma once

// Shows the start-up password prompt (the lock is on); the main window is
// shown only once the right password is typed.
void ShowStartupPasswordPrompt();
