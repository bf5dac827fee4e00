// Any bytes as a text import file: decoded into lines, previewed, and every
// line read in both layouts. Nothing may crash, hang or read out of bounds.

#include "exchange/TextDecoding.h"
#include "exchange/TextImport.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines = DecodeImportLines(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QStringList captions = {QStringLiteral("Conta:"),    QStringLiteral("Categoria:"), QStringLiteral("Contato:"),
                                  QStringLiteral("Data:"),     QStringLiteral("Crédito"),    QStringLiteral("Debito"),
                                  QStringLiteral("Verificado")};
    const TextPreview preview = PreviewText(lines, captions);
    const TextStart start = FindTextStart(lines, captions);
    if (preview.problem == TextPreview::Problem::None && start.firstData >= lines.size())
        __builtin_trap();
    // Lines come without their line ends, whatever the encoding.
    for (const QString& line : lines)
        if (line.contains(u'\n') || line.contains(u'\r'))
            __builtin_trap();
    for (qsizetype i = start.firstData; i < lines.size(); ++i) {
        for (TextLayout layout : {TextLayout::Own, TextLayout::Generic}) {
            const ImportedLine line = ReadImportLine(lines[i], layout, QStringLiteral("Sim"));
            // A line that reads as a transaction always carries a real day and a name for its contact.
            if (line.problem == ImportedLine::Problem::None && (!line.date.isValid() || line.contact.isEmpty()))
                __builtin_trap();
        }
    }
    return 0;
}
