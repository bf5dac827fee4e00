#pragma once

// The transaction window: enters a new transaction or changes the one opened
// from the ledger.

#include "ledger/TransactionEntry.h"
#include "platform/Controls.h"
#include "platform/Window.h"
#include "registers/RegisterStore.h"

#include <optional>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

class wTransacoes : public SingleWindow<wTransacoes>
{
    Q_OBJECT

  public:
    enum class SaveResult {
        Stored,
        Refused, // a check said no; the user has been told why
        Failed,  // the database said no; reported through App::DisplayDatabaseError
        RowGone, // the row to change was deleted meanwhile; the user has been told
    };

    wTransacoes();

    // True unless the last save was refused by a check.
    bool okok = true;

    QLabel* StaticText1 = nullptr;
    QPushButton* PushButton1 = nullptr;
    PopupMenu* sCategoria = nullptr;
    PopupMenu* sContato = nullptr;
    EditField* tValor = nullptr;
    EditField* tData = nullptr;
    EditField* tComentarios = nullptr;
    PopupMenu* sTipo = nullptr;
    QCheckBox* cConciliado = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* StaticText4 = nullptr;
    QLabel* StaticText5 = nullptr;
    QLabel* StaticText6 = nullptr;
    QFrame* Separator1 = nullptr;
    QFrame* Separator2 = nullptr;
    QFrame* Separator3 = nullptr;
    QLabel* StaticText7 = nullptr;
    PopupMenu* sContas = nullptr;
    QPushButton* PushButton2 = nullptr;
    QLabel* textodata = nullptr;

    void PushButton1_Action();
    void PushButton2_Action();
    void sContas_Change();
    void sCategoria_Change();
    void sContato_Change();
    void tData_GotFocus();
    void tData_LostFocus();
    void Event_Activate();

    // Saves the fields as a new row.
    SaveResult InsereMovimento();
    // Replaces the row opened with beginChange by the fields' contents; with
    // no opened row it stores them as a new row.
    SaveResult AlteraMovimento();

    // The hand-over of a value the program puts into the amount or date
    // field itself (a change of a stored row): written in a form the field
    // keeps as it is and the save reads back as the same amount or day (a
    // four-digit year).
    void handOverAmount(double amount);
    void handOverDate(const QDate& date);

    // Refills the pop-ups with the registers' names as they are now, keeping
    // the choices made (a changed row's own category or contact included).
    void reloadChoices();

    void LimpaCampos();
    void CarregaCategorias();
    void CarregaContatos();
    void CarregaContas();

    // The row a change acts on is fixed when the window is opened for it, so
    // that clicking elsewhere in the ledger meanwhile changes nothing. Call
    // beginChange after the fields have been filled from the row.
    void beginChange(const OpenedRow& row);
    void forgetOpenedRow() { opened_.reset(); }
    const std::optional<OpenedRow>& openedRow() const { return opened_; }

    // The warning for a problem of an entry, as every window that enters
    // transactions gives it; false when there is no problem.
    static bool TellProblem(TransactionEntry::Problem problem);
    // The same for an entry, whose amount problems name the text typed.
    static bool TellProblem(const TransactionEntry& entry);

    // A register's names for a pop-up; none when the register cannot be read.
    static QStringList namesOf(RegisterStore::Kind kind);
    // The accounts, the start-up account chosen, then "Inserir...".
    static void loadAccounts(PopupMenu& popup);
    // True when the row chosen is the loader's own last row, "Inserir...":
    // the choice is then undone, for the caller to open the register.
    static bool insertRowPicked(PopupMenu& popup);

    // Selects each row whose text equals `text`, so of equal rows the last stays
    // selected; with no match the selection stays as it was.
    static void selectMatching(PopupMenu& popup, const QString& text);
    // Selects the changed row's own category or contact; one the pop-up does
    // not list (renamed or deleted in its register, or never there) is added
    // before "Inserir...", so the row keeps it unless the user picks another.
    static void selectOwn(PopupMenu& popup, const QString& own);

  protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Register {
        Accounts,
        Categories,
        Contacts,
    };

    void buildControls();
    void insertRowChosen(PopupMenu& popup, Register which);
    void showRegister(Register which);
    TransactionFields fields() const;
    // Tells the user why the entry was refused and marks the save refused;
    // false when there is nothing to refuse.
    bool refuse(TransactionEntry::Problem problem);
    bool refuse(const TransactionEntry& entry);
    // What the window does with the outcome of a save.
    SaveResult finish(TransactionStore::Outcome outcome);
    // The same after the name of `vanished` (AccountGone, CategoryGone) went
    // from its register: that choice is asked for again.
    void reloadChoices(TransactionStore::Outcome vanished);

    std::optional<OpenedRow> opened_;
    // The last amount handed over and the text it was shown as: while the
    // field still shows that text, the value is taken as it is.
    std::optional<std::pair<QString, double>> handedAmount_;
};
