#pragma once

// The schedule list: every schedule in account order, the editor to add
// more, and the deletion of the selected one after a confirmation. It hides
// itself and is reused, keeping its rows and selection.

#include "platform/Window.h"

class Listbox;
class QPushButton;

class wAgendaLista : public SingleWindow<wAgendaLista>
{
    Q_OBJECT

  public:
    wAgendaLista();

    Listbox* lAgendamento = nullptr;
    QPushButton* bt_insere = nullptr;
    QPushButton* bt_apaga = nullptr;
    QPushButton* PushButton3 = nullptr;

    void lAgendamento_Change();
    // Opens the editor modally, its name lists brought up to date.
    void bt_insere_Action();
    // Deletes the selected schedule, and only that one, after a confirmation.
    void bt_apaga_Action();
    void PushButton3_Action();
    void AddMenuHandlers() {}
    void Event_Open() override;
    void CarregaAgenda();
};
