#pragma once

// The account register: lists the accounts, adds one, or gives the selected
// one a new name that follows into its transactions and schedules. OK and
// Cancel end the window; the next use makes a fresh one.

#include "platform/Window.h"

#include <QString>

class EditField;
class Listbox;
class QLabel;
class QPushButton;

class wContas : public SingleWindow<wContas>
{
    Q_OBJECT

public:
    wContas();

    EditField* tConta = nullptr;
    QLabel* StaticText1 = nullptr;
    Listbox* lContas = nullptr;
    QPushButton* bt_fecha = nullptr;
    QPushButton* btok = nullptr;

    // The account last selected in the list: the old name of a rename.
    QString tempconta;

    void lContas_Change();
    void bt_fecha_Action();
    // Renames when Module1::contaopcao is "a" and a name was selected, else inserts.
    void btok_Action();
    void Event_Open() override;
    // True when the typed name is not stored yet; tells the user otherwise
    // (silently while importing).
    bool checaconta();
    // Adds the account typed in tConta. Also the text import's way in.
    void InsereConta();
    void CarregaContas();
    void alteraconta();

protected:
    // The next opener that does not choose a mode gets an insert, never a
    // rename left over from this window.
    void Event_Close() override;
};
