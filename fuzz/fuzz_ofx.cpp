// Any bytes as an OFX statement: the reader must end, without a crash or a
// sanitizer report, and every amount it hands over must be safe to book.

#include "exchange/OfxStatement.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const OfxStatement statement =
        OfxStatement::parse(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    for (const OfxTransaction& transaction : statement.transactions())
        OfxStatement::booking(transaction);
    return 0;
}
