#pragma once

// The main window: the account and category lists, the month and year
// selectors, the ledger list with its total, the "+" and "-" buttons, the
// toolbar and the menu bar. There is one for the whole run; closing it ends
// the program.

#include "platform/Window.h"

#include <QColor>
#include <QString>

class AnchoredArea;
class Listbox;
class PopupMenu;
class QAction;
class QLabel;
class QMenuBar;
class QPushButton;
class QVBoxLayout;

class wCash : public SingleWindow<wCash>
{
    Q_OBJECT

  public:
    wCash();
    ~wCash() override;

    // --- Controls, in creation order.
    Listbox* lMovimento = nullptr;
    PopupMenu* sMes = nullptr;
    QLabel* StaticText7 = nullptr;
    QLabel* Totalgeral = nullptr;
    PopupMenu* sAno = nullptr;
    QLabel* StaticText10 = nullptr;
    Listbox* List_Contas = nullptr;
    QPushButton* BevelButton1 = nullptr;
    // The window's toolbar; null until installToolbar gives it one.
    QWidget* Toolbar11 = nullptr;
    QPushButton* BevelButton2 = nullptr;
    QPushButton* BevelButton3 = nullptr;
    QPushButton* BevelButton4 = nullptr;
    Listbox* List_Categorias = nullptr;
    QPushButton* BevelButton5 = nullptr;
    QPushButton* BevelButton6 = nullptr;

    // The account whose transactions the ledger shows; "Todas" and "All" stand for all accounts.
    QString tempconta;

    // The window's menu bar and toolbar sit above the controls. A toolbar that
    // is a QToolBar has its actions routed to Toolbar11_Action by objectName.
    void installMenuBar(QMenuBar* bar);
    void installToolbar(QWidget* toolbar);

    // --- Opening and closing.
    // Loads the lists and selectors; runs once per run, and only with the database open.
    void Event_Open() override;
    // Runs the quit sequence: closing the main window ends the program.
    void Event_Close() override;

    // --- The ledger list and its total (wCash.cpp).
    void CarregalMovimento();
    void lMovimento_Open();
    QColor lMovimento_CellBackgroundPaint(int row, int column) const;
    QColor lMovimento_CellTextPaint(int row, int column) const;

    // --- Selectors (wCashSelectors.cpp).
    void CarregaContas();
    void CarregaCategorias();
    void CarregaMes();
    void CarregaAno();
    void List_Contas_Change();
    void sMes_Change();
    void sAno_Change();
    void List_Categorias_Change();

    // --- Transaction commands (wCashTransactions.cpp).
    void NovoMovimento();
    void AlteraMovimento();
    void ApagaMovimento();
    void lMovimento_DoubleClick();
    // The key as text (Chr(8) backspace, Chr(127) delete); true when handled.
    bool lMovimento_KeyDown(const QString& key);
    void BevelButton2_Action();
    void BevelButton4_Action();

    // --- Account and category commands, toolbar (wCashRegisters.cpp).
    void List_Contas_DoubleClick();
    void List_Categorias_DoubleClick();
    void BevelButton1_Action();
    void BevelButton3_Action();
    void BevelButton5_Action();
    void BevelButton6_Action();
    // The objectName of the pressed toolbar item.
    void Toolbar11_Action(const QString& itemName);

    // --- Posting of the due schedules (wCashSchedule.cpp).
    void ChecaAgendamentos();

    // --- Menu entries of the window's menu bar, by name (null when absent).
    QAction* mHelp() const { return menuEntry("mHelp"); }
    QAction* mChecaUpdate() const { return menuEntry("mChecaUpdate"); }
    QAction* mHelp2() const { return menuEntry("mHelp2"); }
    QAction* kVisualizarMenu() const { return menuEntry("kVisualizarMenu"); }
    QAction* mAgenda() const { return menuEntry("mAgenda"); }
    QAction* mGraficos() const { return menuEntry("mGraficos"); }
    QAction* mContatos() const { return menuEntry("mContatos"); }
    QAction* mCategorias() const { return menuEntry("mCategorias"); }
    QAction* mContas() const { return menuEntry("mContas"); }
    QAction* EditMenu() const { return menuEntry("EditMenu"); }
    QAction* mPreferencias() const { return menuEntry("mPreferencias"); }
    QAction* UntitledItem() const { return menuEntry("UntitledItem"); }
    QAction* EditSelectAll() const { return menuEntry("EditSelectAll"); }
    QAction* UntitledMenu0() const { return menuEntry("UntitledMenu0"); }
    QAction* EditClear() const { return menuEntry("EditClear"); }
    QAction* EditPaste() const { return menuEntry("EditPaste"); }
    QAction* EditCopy() const { return menuEntry("EditCopy"); }
    QAction* EditCut() const { return menuEntry("EditCut"); }
    QAction* UntitledMenu1() const { return menuEntry("UntitledMenu1"); }
    QAction* EditUndo() const { return menuEntry("EditUndo"); }
    QAction* FileMenu() const { return menuEntry("FileMenu"); }
    QAction* FileQuit() const { return menuEntry("FileQuit"); }
    QAction* mExportar() const { return menuEntry("mExportar"); }
    QAction* Importaofx() const { return menuEntry("Importaofx"); }
    QAction* mImportar() const { return menuEntry("mImportar"); }
    QAction* mnovomovimento() const { return menuEntry("mnovomovimento"); }
    QAction* mSobre() const { return menuEntry("mSobre"); }
    // Every command goes to App; the window binds nothing of its own.
    void AddMenuHandlers() {}

    // The content area's designed size; the controls keep their distances to its edges.
    static constexpr int ContentWidth = 744;
    static constexpr int ContentHeight = 371;

  private:
    void CreateControls();
    void connectHandlers();
    QAction* menuEntry(const char* name) const;

    QVBoxLayout* layout_ = nullptr;
    QVBoxLayout* toolbarSlot_ = nullptr;
    AnchoredArea* content_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    bool opened_ = false;
};
