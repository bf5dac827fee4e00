#pragma once

// The preferences window: the ledger's alternating row colour, the account
// and month the main window starts with, and the start-up password lock.
// Every control but the lock takes effect at once; the lock is checked and
// written by Ok. Created hidden at start-up (App::MostraPrefs), shown from
// the menu.

#include "platform/Window.h"

class EditField;
class PopupMenu;
class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;

class wPreferencias : public SingleWindow<wPreferencias>
{
    Q_OBJECT

  public:
    wPreferencias();

    // --- Controls, in creation order.
    QTabWidget* TabPanel1 = nullptr;
    QCheckBox* Edicao = nullptr;
    QCheckBox* CoresLista = nullptr;
    QPushButton* PushButton1 = nullptr;
    QLabel* StaticText1 = nullptr;
    PopupMenu* sContas = nullptr;
    QLabel* StaticText2 = nullptr;
    PopupMenu* sMesinicial = nullptr;
    QLabel* StaticText3 = nullptr;
    QCheckBox* cHabilitaSenha = nullptr;
    QLabel* txtsenha1 = nullptr;
    QLabel* txtsenha2 = nullptr;
    EditField* edSenha = nullptr;
    EditField* edSenha2 = nullptr;

    // The menu command: the account menu is filled afresh, then the window shows.
    static void ShowFromMenu();

    void Edicao_Action();
    void CoresLista_Action();
    // Ok: checks and writes the password lock, then closes the window.
    void PushButton1_Action();
    void sContas_Change();
    void sMesinicial_Change();
    void cHabilitaSenha_Action();
    void Event_Open() override;
    void Event_Close() override;
    // Fills the account menu and selects the start-up account.
    void CarregaContas();
    // Fills the month menu and selects the start-up month.
    void CarregaMes();

  private:
    void CreateControls();
    void connectHandlers();

    // While a menu is refilled its Change handler must not overwrite the
    // saved choice it is about to be compared with.
    bool filling_ = false;
};
