#pragma once

// The one modal dialog for warnings (OK alone) and yes/no questions (OK and
// Cancel, Cancel being the default). Module1::AbreJanela fills and shows it;
// it hides itself after an answer and the same instance serves every call.

#include "platform/MessageText.h"
#include "platform/Window.h"

class QPushButton;

class confirma : public SingleWindow<confirma>
{
    Q_OBJECT

public:
    confirma();

    // The last answer: true for OK, false for Cancel.
    bool opcao = false;

    QLabel* mensagem = nullptr;
    // Holds mensagem; scrolls it only when the text is taller than the screen allows.
    MessageArea* areaMensagem = nullptr;
    QPushButton* BT_cancela = nullptr;
    QPushButton* BT_ok = nullptr;

    void BT_cancela_Action();
    void BT_ok_Action();

    // Fills the dialog, shows it modally and returns the answer.
    bool Ask(const QString& message, bool showCancel, const QString& title);

    // The left edges of OK beside Cancel and of OK alone.
    static constexpr int okBesideCancelLeft = 134;
    static constexpr int okAloneLeft = 172;

protected:
    // The window manager's close (the dialog shows no close box) answers Cancel
    // and keeps the dialog for the next call.
    bool CancelClose() override;

    // Shows Cancel beside OK for a question, OK alone for a warning, with the default button.
    void arrangeButtons(bool showCancel);
    // Sizes the text area to the whole message and the dialog around it.
    void fitToMessage();
    // Puts the buttons shown below the text area: the one place that sets where they stand.
    void placeButtons();
};

// Makes Module1::AbreJanela show the program's own confirmation dialog.
void InstallConfirmationDialog();
