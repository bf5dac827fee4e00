#include "ui/common/PasswordPrompt.h"

#include "platform/Controls.h"
#include "platform/Seams.h"
#include "ui/common/wDigitaSenha.h"

void ShowStartupPasswordPrompt()
{
    wDigitaSenha& prompt = wDigitaSenha::instance();
    prompt.Show();
    prompt.eSenha->SetFocus();
}

void ShowOnceUnlocked(const QString& message)
{
    wDigitaSenha* prompt = wDigitaSenha::existing();
    if (prompt && prompt->isVisible())
        prompt->heldMessages << message;
    else
        MsgBox(message);
}
