#pragma once

// The schedule editor: a modal dialog that stores one new schedule each time
// Insere is pressed and stays open for the next; Cancela hides it and has the
// schedule list reload. Schedules are never changed, only added and deleted.

#include "ledger/TransactionEntry.h"
#include "platform/Window.h"

class EditField;
class PopupMenu;
class QFrame;
class QLabel;
class QPushButton;

class wAgenda : public SingleWindow<wAgenda>
{
    Q_OBJECT

  public:
    wAgenda();

    // --- Controls, in creation order.
    QLabel* StaticText1 = nullptr;
    PopupMenu* sContas = nullptr;
    PopupMenu* sCategoria = nullptr;
    EditField* tData = nullptr;
    EditField* tValor = nullptr;
    PopupMenu* sRepetir = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* StaticText4 = nullptr;
    QPushButton* bt_insere = nullptr;
    QPushButton* bt_fecha = nullptr;
    QLabel* StaticText5 = nullptr;
    QLabel* StaticText6 = nullptr;
    PopupMenu* sTipo = nullptr;
    QFrame* Separator1 = nullptr;
    QFrame* Separator2 = nullptr;
    QLabel* StaticText7 = nullptr;
    PopupMenu* sContatos = nullptr;
    QLabel* textodata = nullptr;

    void tData_GotFocus();
    // Checks the fields and stores them as a new schedule.
    void bt_insere_Action();
    void bt_fecha_Action();
    void AddMenuHandlers() {}
    void Event_Open() override;
    // The name loaders keep the chosen name when it is still there, else choose row 0.
    void CarregaContas();
    void CarregaCategorias();
    void CarregaContatos();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
