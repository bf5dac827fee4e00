#include "exchange/ImportFileMessage.h"

#include "platform/Format.h"
#include "ui/common/Module1.h"

namespace {

// Whole megabytes, rounded up so that a file just past the limit never reads as the limit itself.
QString megabytes(qint64 bytes)
{
    constexpr qint64 megabyte = qint64(1) << 20;
    return Str((bytes + megabyte - 1) / megabyte);
}

} // namespace

QString ImportFileMessage(const ImportFileProblem& problem, const QString& path)
{
    QString why;
    switch (problem.kind) {
    case ImportFileProblem::Kind::None:
        return QString();
    case ImportFileProblem::Kind::Unreadable:
        why = problem.reason;
        break;
    case ImportFileProblem::Kind::NotAFile:
        why = Module1::kMsgNaoEArquivoComum().arg(path);
        break;
    case ImportFileProblem::Kind::TooLarge:
        why = problem.size > 0 ? Module1::kMsgArquivoGrande().arg(megabytes(problem.size), megabytes(kImportFileLimit))
                               : Module1::kMsgArquivoCresceu().arg(megabytes(kImportFileLimit));
        break;
    }
    return Module1::kMsgArquivoIlegivel() + QStringLiteral("\n\n") + why;
}
