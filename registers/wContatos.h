#pragma once

// The contact list: lists the contacts, deletes the selected one and opens
// the contact editor to add a contact or rename the selected one. It hides
// itself and is reused, keeping its list and selection.

#include "platform/Window.h"

class Listbox;
class QPushButton;

class wContatos : public SingleWindow<wContatos>
{
    Q_OBJECT

public:
    wContatos();

    Listbox* ListBox1 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* BevelButton1 = nullptr;
    QPushButton* BevelButton2 = nullptr;

    // Opens the editor to rename the selected contact.
    void ListBox1_DoubleClick();
    void ListBox1_Change() {}
    void PushButton1_Action();
    // Opens the editor, emptied, to add a contact.
    void BevelButton1_Action();
    void BevelButton2_Action();
    void AddMenuHandlers() {}
    void Event_Open() override;
    void LimpaCampos() {}
    void CarregaContatos();
    // Deletes the selected contact after a confirmation; transactions keep the name.
    void ApagaContato();
};
