// The menu commands of the text exchange: the export of the ledger and the
// preview that opens a text import.

#include "app/App.h"
#include "exchange/ImportFileMessage.h"
#include "exchange/TextDecoding.h"
#include "exchange/TextExport.h"
#include "exchange/TextImport.h"
#include "exchange/wImporta.h"
#include "platform/Files.h"
#include "platform/Seams.h"
#include "ui/common/Module1.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>

namespace {

QString textFileFilter()
{
    return QStringLiteral("%1 (*.txt *.TXT *.tsv *.TSV *.csv *.CSV);;%2 (*)")
        .arg(Module1::kTexto(), Module1::kTodosArquivos());
}

void reportExportFailure(const QString& reason)
{
    MsgBox(Module1::kMsgExportacaoFalhou() + QStringLiteral("\n\n") + reason);
}

} // namespace

void App::ExportaDados()
{
    const QString suggested = QDir(DocumentsFolder()).filePath(QStringLiteral("Tovira Export.txt"));
    // No filter: a file of any type can be seen, and chosen, as the one to replace.
    const QString path = seams::fileDialogs().saveFile(Module1::kExportar(), suggested, QString());
    if (path.isEmpty())
        return;
    ExportTexts texts;
    texts.captions = wImporta::ownCaptions() << Module1::kComentarios();
    texts.storedNo = Module1::kNao();
    texts.yes = Module1::kSim();
    texts.no = Module1::kNao2();
    // The file takes the place of an older one only once it is complete; a
    // target that is not a file is refused before the ledger is read.
    ExportResult result = ExportResult::Written;
    QString reason;
    const FileWrite written = WriteFileWhole(
        path,
        [&](QIODevice& out) {
            result = WriteExport(*CashDB, out, texts);
            return result == ExportResult::Written;
        },
        &reason);
    if (written == FileWrite::NotARegularFile)
        reportExportFailure(Module1::kMsgNaoEArquivoComum().arg(path));
    else if (result == ExportResult::QueryFailed)
        MsgBox(CashDB->ErrorMessage()); // the database's own words, as they stand
    else if (written == FileWrite::Failed)
        reportExportFailure(reason);
}

void App::ImportaDados()
{
    if (refusesWrites())
        return;
    if (wImporta::exists() && wImporta::instance().running())
        return;
    wImporta& window = wImporta::instance();
    window.ProgressBar->setValue(0);
    textoimporta.clear();
    textfile = seams::fileDialogs().openFile(Module1::kImportar(), textFileFilter());
    if (textfile.isEmpty())
        return;

    QStringList lines;
    if (const ImportFileProblem problem = ReadImportFile(textfile, lines); !problem.ok()) {
        window.Hide();
        MsgBox(ImportFileMessage(problem, textfile));
        return;
    }
    const TextPreview preview = PreviewText(lines, wImporta::ownCaptions());
    switch (preview.problem) {
    case TextPreview::Problem::None:
        break;
    case TextPreview::Problem::NothingToRead:
        window.Hide();
        MsgBox(Module1::kMSGNadaaimportar());
        return;
    case TextPreview::Problem::NoTab:
        window.Hide();
        window.tipoarquivo->setText(Module1::kTexto());
        MsgBox(Module1::kMsgTextoTab());
        return;
    case TextPreview::Problem::Incompatible:
        window.Hide();
        MsgBox(Module1::kMsgFormatoIncompativel());
        return;
    }
    ImpTovira = preview.layout == TextLayout::Own;
    textoimporta = lines;
    window.showPreview(preview);
    window.Show();
}
