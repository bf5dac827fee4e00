// Any bytes as a text import file: decoded, previewed, and every line read in
// both layouts. Nothing may crash, hang or read out of bounds.

#include "exchange/TextDecoding.h"
#include "exchange/TextImport.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ImportText text(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QStringList captions = {QStringLiteral("Conta:"),    QStringLiteral("Categoria:"), QStringLiteral("Contato:"),
                                  QStringLiteral("Data:"),     QStringLiteral("Crédito"),    QStringLiteral("Debito"),
                                  QStringLiteral("Verificado")};
    const TextPreview preview = PreviewText(text, captions);
    const TextStart start = FindTextStart(text, captions);
    if (preview.problem == TextPreview::Problem::None && !start.found)
        __builtin_trap();
    TextPosition at;
    TextLine line;
    qsizetype lines = 0;
    while (text.readLine(at, line)) {
        // Every line moves the reading on, and comes without its line end, whatever the encoding.
        if (++lines != at.linesBefore || at.offset > text.size())
            __builtin_trap();
        const QString whole = line.text();
        if (whole.contains(u'\n') || whole.contains(u'\r'))
            __builtin_trap();
        if (at.offset <= start.firstData.offset)
            continue;
        for (TextLayout layout : {TextLayout::Own, TextLayout::Generic}) {
            const ImportedLine read = ReadImportLine(line, layout, QStringLiteral("Sim"));
            // Field by field or whole, a line reads the same.
            if (read.problem != ReadImportLine(whole, layout, QStringLiteral("Sim")).problem)
                __builtin_trap();
            // A line that reads as a transaction always carries a real day and a name for its contact.
            if (read.problem == ImportedLine::Problem::None && (!read.date.isValid() || read.contact.isEmpty()))
                __builtin_trap();
        }
    }
    return 0;
}
