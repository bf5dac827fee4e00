#include "ui/common/PasswordPrompt.h"

void ShowStartupPasswordPrompt() {}
