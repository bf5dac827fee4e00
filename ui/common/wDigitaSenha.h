#pragma once

// The start-up password prompt, shown instead of the main window while the
// lock is on. The right password hides it and shows the main window; Cancel
// (or the close box) ends the program.

#include "platform/Window.h"

class EditField;
class QLabel;
class QPushButton;

class wDigitaSenha : public SingleWindow<wDigitaSenha>
{
    Q_OBJECT

  public:
    wDigitaSenha();

    // --- Controls, in creation order.
    QPushButton* bt_cancela = nullptr;
    EditField* eSenha = nullptr;
    QPushButton* bt_ok = nullptr;
    QLabel* txtsenha11 = nullptr;
    QLabel* StaticText1 = nullptr;

    void bt_cancela_Action();
    // The right password shows the main window and runs the day's posting.
    void bt_ok_Action();

  protected:
    // The close box gives up like Cancel: the main window stays hidden.
    bool CancelClose() override;

  private:
    void CreateControls();
    void replaceLegacyForm(const QString& password);
};
