#include "ui/common/PasswordPrompt.h"

#include "platform/Controls.h"
#include "ui/common/wDigitaSenha.h"

void ShowStartupPasswordPrompt()
{
    wDigitaSenha& prompt = wDigitaSenha::instance();
    prompt.Show();
    prompt.eSenha->SetFocus();
}
