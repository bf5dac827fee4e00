// Any bytes as an OFX statement: the reader must end, without a crash or a
// sanitizer report, and every amount it hands over must be safe to book.
// Every value it hands over is one line with no blank at either end.

#include "exchange/OfxStatement.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const OfxStatement statement =
        OfxStatement::parse(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    const auto oneTrimmedLine = [](const QString& value) {
        const auto blank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\f' || c == u'\v'; };
        return !value.contains(u'\n') && !value.contains(u'\r') &&
               (value.isEmpty() || (!blank(value.front()) && !blank(value.back())));
    };
    for (const OfxTransaction& transaction : statement.transactions()) {
        OfxStatement::booking(transaction);
        if (!oneTrimmedLine(transaction.type) || !oneTrimmedLine(transaction.amount) ||
            !oneTrimmedLine(transaction.memo))
            __builtin_trap();
    }
    return 0;
}
