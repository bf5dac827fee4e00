// The menu commands' handlers.

#include "app/App.h"
#include "app/HelpManual.h"
#include "charts/wGraficos.h"
#include "exchange/wImportaOFX.h"
#include "ledger/wCash.h"
#include "registers/wCategorias.h"
#include "registers/wContas.h"
#include "registers/wContatos.h"
#include "platform/Files.h"
#include "platform/Seams.h"
#include "schedule/wAgendaLista.h"
#include "settings/UpdateCheck.h"
#include "settings/wPreferencias.h"
#include "settings/wSobre.h"
#include "settings/wUpdate.h"
#include "ui/common/MenuBar1.h"
#include "ui/common/Module1.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPointer>

// The register windows open as they are: the menu sets no editor mode.
void App::_mContatos_Action()
{
    wContatos::instance().Show();
}

void App::_mCategorias_Action()
{
    wCategorias::instance().Show();
}

void App::_mContas_Action()
{
    wContas::instance().Show();
}

void App::_mPreferencias_Action()
{
    wPreferencias::ShowFromMenu();
}

void App::_mAgenda_Action()
{
    wAgendaLista::instance().Show();
}

void App::_mnovomovimento_Action()
{
    wCash::instance().NovoMovimento();
}

void App::_mGraficos_Action()
{
    wGraficos::instance().Show();
}

void App::_Importaofx_Action()
{
    wImportaOFX::ShowFromMenu();
}

void App::_mExportar_Action()
{
    ExportaDados();
}

void App::_mImportar_Action()
{
    ImportaDados();
}

void App::_mSobre_Action()
{
    wSobre::instance().Show();
}

void App::_mHelp2_Action()
{
    const QString manual = FindManual(ManualFileName(Module1::idioma2()),
                                      ProgramDataFolders(ApplicationFolder(), QStringLiteral("help")));
    if (manual.isEmpty()) {
        MsgBox(Module1::kMsgAjudaFaltando());
        return;
    }
    // Where no program reads the manual, the user learns where it is.
    if (!seams::launcher().openDocument(manual))
        MsgBox(Module1::kMsgAjudaSemLeitor() + QStringLiteral("\n\n") + QDir::toNativeSeparators(manual));
}

void App::_mChecaUpdate_Action()
{
    ChecaUpdate();
}

namespace {

// Marks a running check and keeps its menu command disabled for its length,
// so a check never starts inside another; the busy cursor says it is waiting.
class UpdateCheckInProgress
{
public:
    UpdateCheckInProgress()
    {
        running = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (MenuBar1::exists())
            command_ = MenuBar1::instance().entry(QStringLiteral("mChecaUpdate"));
        if (command_) {
            wasEnabled_ = command_->isEnabled();
            command_->setEnabled(false);
        }
    }
    ~UpdateCheckInProgress()
    {
        running = false;
        QApplication::restoreOverrideCursor();
        if (command_)
            command_->setEnabled(wasEnabled_);
    }
    UpdateCheckInProgress(const UpdateCheckInProgress&) = delete;
    UpdateCheckInProgress& operator=(const UpdateCheckInProgress&) = delete;

    static inline bool running = false;

private:
    QPointer<QAction> command_;
    bool wasEnabled_ = true;
};

} // namespace

void App::ChecaUpdate()
{
    if (UpdateCheckInProgress::running)
        return;
    VersionFileReply reply;
    {
        UpdateCheckInProgress inProgress;
        reply = FetchVersionFile(UpdateCheckSettings::address, UpdateCheckSettings::timeoutMs);
    }
    switch (JudgeVersionFile(reply, MajorVersion, MinorVersion)) {
    case UpdateVerdict::UpToDate:
        MsgBox(Module1::kNaotemNovaVersao());
        break;
    case UpdateVerdict::NewerAvailable:
        wUpdate::instance().Show();
        break;
    case UpdateVerdict::CheckFailed:
        MsgBox(Module1::kMsgUpdateFalhou());
        break;
    }
}
