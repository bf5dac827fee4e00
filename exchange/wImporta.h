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
    // Imports the previewed file (App::textoimporta) in the layout the
    // preview found (App::ImpTovira), all of it as one change of the data
    // file, and reports how many transactions were stored.
    void ImportaDados2();

    // Lays the accepted preview out in the window; the import starts where it found the data.
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
    // Reads each line from `at` on once: stores the good ones within one
    // transaction and counts the refused ones, which are told before the
    // commit. The number stored, or nothing when nothing was: the user
    // stopped, or the database failed (the user has been told).
    std::optional<int> importLines(const ImportText& text, TextPosition at, TextLayout layout);
    // Reloads the open windows' lists; the first problem met, for the
    // import's message to tell.
    QString reloadAfterImport();
    void showProgress(qsizetype done, bool now);

    bool running_ = false;
    QElapsedTimer sinceRepaint_;
    int sinceClock_ = 0;
    // Where the previewed file's data lines start.
    TextPosition previewedStart_;
};
