#pragma once

// The contact editor: the one name field with which the contact list adds a
// contact or renames the selected one. It hides itself and is reused, keeping
// its text; its close box ends it, and the next use makes an empty one.

#include "platform/Window.h"

class EditField;
class QLabel;
class QPushButton;

class wEditaContato : public SingleWindow<wEditaContato>
{
    Q_OBJECT

public:
    wEditaContato();

    QPushButton* bt_fecha1 = nullptr;
    EditField* tNome = nullptr;
    QLabel* StaticText1 = nullptr;
    QPushButton* btOK = nullptr;

    // Shows the editor with the focus in tNome and its text selected, so that
    // a name typed at once goes into the field, replacing what it held, and
    // Return stores it.
    void ShowForName();
    void bt_fecha1_Action();
    // Renames when Module1::contatoopcao is "a", else inserts; hides in every case.
    void btOK_Action();
    void AddMenuHandlers() {}
    // Renames the contact selected in the contact list to the text of tNome,
    // in the register, the transactions and the schedules.
    void AlteraContato();
    // Adds the contact named by tNome; never shows or hides the editor.
    void InsereContato();
    // True when no contact has the text of tNome as its name; tells the user
    // otherwise.
    bool ChecaContato();
};
