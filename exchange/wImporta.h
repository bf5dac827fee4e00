#pragma once

// The text import window: shows the first data line of the chosen file field
// by field beside the program's fields, and on "Importa" reads the whole file
// into the registers and the ledger with a progress bar. It hides itself and
// is reused; App::ImportaDados fills it.

#include "exchange/TextImport.h"
#include "platform/Window.h"

#include <QElapsedTimer>
#include <optional>

class QCheckBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

class wImporta : public SingleWindow<wImporta>
{
    Q_OBJECT

  public:
    wImporta();

    QCheckBox* cConta = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QCheckBox* cCategoria = nullptr;
    QCheckBox* cContato = nullptr;
    QCheckBox* cData = nullptr;
    QCheckBox* cCredito = nullptr;
    QCheckBox* cDebito = nullptr;
    QCheckBox* cVerificado = nullptr;
    QLabel* impConta = nullptr;
    QLabel* impCategoria = nullptr;
    QLabel* impContato = nullptr;
    QLabel* impData = nullptr;
    QLabel* impCredito = nullptr;
    QLabel* impDebito = nullptr;
    QLabel* impVerificado = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* tipoarquivo = nullptr;
    QPushButton* btFecha = nullptr;
    QPushButton* btImporta = nullptr;
    QFrame* Separator1 = nullptr;
    QProgressBar* ProgressBar = nullptr;

    void btFecha_Action();
    void btImporta_Action();
    void AddMenuHandlers() {}
    // Imports the previewed lines (App::textoimporta) in the layout the
    // preview found (App::ImpTovira), all of them as one change of the data
    // file, and reports how many transactions were stored.
    void ImportaDados2();

    // Lays the accepted preview out in the window.
    void showPreview(const TextPreview& preview);

    // True while ImportaDados2 runs: nothing may start a second import.
    bool running() const { return running_; }

    // The seven captions that open the program's own export file.
    static QStringList ownCaptions();

  protected:
    // The close box hides the window like "Fecha", and does nothing while an import runs.
    bool CancelClose() override;

  private:
    void setBoxes(bool checked, bool verified);
    // Reads the lines from `first` on before anything is stored and tells
    // the refused ones; true when the import goes on.
    bool checkLines(const QStringList& lines, qsizetype first, TextLayout layout);
    // Stores the lines from `first` on that checkLines let through; the
    // number stored, or nothing when the database failed (the user has been
    // told) and the whole import was undone.
    std::optional<int> importLines(const QStringList& lines, qsizetype first, TextLayout layout);
    void reloadAfterImport();
    void showProgress(int done, bool now);

    bool running_ = false;
    QElapsedTimer sinceRepaint_;
};
