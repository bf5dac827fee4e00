#pragma once

// The OFX import: a second after the window opens the user picks a bank
// statement, confirms how many transactions it holds, and reviews them one
// at a time, choosing account, category and date for each before OK stores
// it. Cancel, the close box or an "Inserir..." row end the import; what was
// stored stays. Every opening starts afresh with a new file.

#include "exchange/OfxStatement.h"
#include "platform/Window.h"

#include <QString>

class EditField;
class PopupMenu;
class QLabel;
class QPushButton;
class QTimer;

class wImportaOFX : public SingleWindow<wImportaOFX>
{
    Q_OBJECT

  public:
    wImportaOFX();

    // The menu command: opens the window when there is an account and a
    // category to import into, and says which is missing otherwise.
    static void ShowFromMenu();

    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* StaticText4 = nullptr;
    QLabel* StaticText5 = nullptr;
    EditField* tData = nullptr;
    QLabel* t_type = nullptr;
    QLabel* t_valor = nullptr;
    QLabel* t_comentarios = nullptr;
    PopupMenu* sCategoria = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton2 = nullptr;
    QTimer* Timer1 = nullptr;
    QLabel* t_atual = nullptr;
    QLabel* t_total = nullptr;
    QLabel* StaticText6 = nullptr;
    QLabel* textodata = nullptr;
    QLabel* StaticText7 = nullptr;
    PopupMenu* sContas = nullptr;

    // The chosen statement file, its transactions in file order and how many.
    QString textfile;
    OfxTransactions transacoes;
    int Contatransacoes = 0;
    // 1-based number of the transaction under review.
    int transacaoatual = 1;

    void Event_Open() override;
    void Timer1_Action();
    void PushButton1_Action();
    void PushButton2_Action();
    void sContas_Change();
    void sCategoria_Change();
    void tData_GotFocus();
    void tData_LostFocus();

    void CarregaContas2();
    void CarregaCategorias2();
    // Lets the user pick the statement and reads its transactions.
    void ImportaOFX();
    void PreencheImportados();

    enum class Outcome {
        Stored,
        Skipped, // nothing the user can change makes it storable: the review moves on
        Refused, // stays on screen for the user to correct
    };
    Outcome InsereMovimento();

  protected:
    // A window closed before its start never asks for a file.
    void Event_Close() override;

  private:
    void finish();
    void showTransaction(const OfxTransactionView& transaction);
    // "Inserir..." ends the import and opens the register to add a name to.
    bool insertRowChosen(PopupMenu& popup);

    ImportFileProblem readProblem_;
    bool cutShort_ = false;
};
