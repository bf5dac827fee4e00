#pragma once

// The category register: lists the categories, adds one, or gives the
// selected one a new name that follows into its transactions and schedules.
// OK and Cancel end the window; the next use makes a fresh one.

#include "platform/Window.h"

#include <QString>

class EditField;
class Listbox;
class QLabel;
class QPushButton;

class wCategorias : public SingleWindow<wCategorias>
{
    Q_OBJECT

public:
    wCategorias();

    EditField* conta_descricao = nullptr;
    QLabel* StaticText1 = nullptr;
    Listbox* ListBox1 = nullptr;
    QPushButton* bt_fecha1 = nullptr;
    QPushButton* btok = nullptr;

    // The category last selected in the list: the old name of a rename.
    QString tempcategoria;

    void ListBox1_Change();
    void bt_fecha1_Action();
    // Renames when Module1::categoriaopcao is "a" and a name was selected, else inserts.
    void btok_Action();
    // Loads the list and selects its first category.
    void Event_Open() override;
    // True when the typed name is not stored yet; tells the user otherwise
    // (silently while importing).
    bool checacategoria();
    // Adds the category typed in conta_descricao. Also the text import's way in.
    void InsereCategoria();
    void CarregaCategorias();
    void AlteraCategoria();

protected:
    // The next opener that does not choose a mode gets an insert, never a
    // rename left over from this window.
    void Event_Close() override;
};
