// Any bytes as an OFX statement: the reader must end, without a crash or a
// sanitizer report, and every amount it books must be one the ledger holds
// to the cent. Every value it hands over is one line with no blank at either
// end, and a memo holds no control character.

#include "exchange/OfxStatement.h"
#include "platform/Format.h"

#include <cmath>
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
        const OfxBooking booking = OfxStatement::booking(transaction);
        // Twenty digits before the decimal mark at most, as a typed amount.
        if (booking.problem == OfxBooking::Problem::None &&
            (!std::isfinite(booking.amount) || booking.amount < 0 || booking.amount >= 1e20))
            __builtin_trap();
        if (!oneTrimmedLine(transaction.type) || !oneTrimmedLine(transaction.amount) ||
            !oneTrimmedLine(transaction.memo) || HasControlCharacter(transaction.memo))
            __builtin_trap();
    }
    return 0;
}
