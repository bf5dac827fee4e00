#include "ledger/LedgerQuery.h"

#include "platform/Database.h"
#include "platform/Format.h"
#include "ui/common/Module1.h"

namespace LedgerQuery {

namespace {

// "05/03/06" straight from a stored "2006-03-05" text; the general date
// reading costs more than the rest of a row together, and the ledger reads a
// date per row. False when the text is not in that form or not a real date.
bool shortDateOfStored(const QString& stored, QString& out)
{
    if (stored.size() < 10 || stored.at(4) != QLatin1Char('-') || stored.at(7) != QLatin1Char('-'))
        return false;
    int digits[8];
    const int positions[8] = {0, 1, 2, 3, 5, 6, 8, 9};
    for (int i = 0; i < 8; ++i) {
        const QChar c = stored.at(positions[i]);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        digits[i] = c.unicode() - '0';
    }
    const int year = digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3];
    const int month = digits[4] * 10 + digits[5];
    const int day = digits[6] * 10 + digits[7];
    if (!QDate::isValid(year, month, day))
        return false;
    const QChar text[8] = {QChar('0' + digits[6]), QChar('0' + digits[7]), QLatin1Char('/'),
                           QChar('0' + digits[4]), QChar('0' + digits[5]), QLatin1Char('/'),
                           QChar('0' + digits[2]), QChar('0' + digits[3])};
    out = QString(text, 8);
    return true;
}

template <class Row> QStringList cellsOf(const Row& row)
{
    static const QString amountMask = QLatin1String(AmountMask);
    // Every row shows "$0.00" in one of its two amount cells: one shared text.
    static const QString zero = Format(0, amountMask);
    auto amount = [&](int field) {
        const double value = row.IdxField(field).DoubleValue();
        return value == 0 ? zero : Format(value, amountMask);
    };
    const QString stored = row.IdxField(5).StringValue();
    QString date;
    if (!shortDateOfStored(stored, date)) {
        const QDate day = row.IdxField(5).DateValue();
        // A date that does not read shows as stored; the other rows go on.
        date = day.isValid() ? ShortDate(day) : stored;
    }
    QStringList cells;
    cells.reserve(CellCount);
    cells << row.IdxField(3).StringValue() << row.IdxField(4).StringValue() << date << amount(6) << amount(7)
          << row.IdxField(8).StringValue() << row.IdxField(1).StringValue() << row.IdxField(2).StringValue()
          << row.IdxField(9).StringValue();
    return cells;
}

} // namespace

bool isAllAccounts(const QString& account)
{
    return account == QLatin1String("Todas") || account == QLatin1String("All");
}

QString datePattern(const LedgerFilter& filter)
{
    const QString year = filter.year == Module1::kTodos2() ? QStringLiteral("____") : filter.year;
    if (filter.monthIndex == 12)
        return year + QStringLiteral("___%");
    const int month = filter.monthIndex + 1;
    const QString monthText = month < 10 ? QLatin1Char('0') + QString::number(month) : QString::number(month);
    return year + QLatin1Char('_') + monthText + QLatin1Char('%');
}

LedgerResult load(SQLDatabase& db, const LedgerFilter& filter)
{
    LedgerResult result;
    const bool all = isAllAccounts(filter.account);
    SqlParams params;
    if (!all)
        params << filter.account;
    params << datePattern(filter);
    const QString where = all ? QStringLiteral(" WHERE data LIKE ?") : QStringLiteral(" AND data LIKE ?");
    const QString sumAccount = all ? QString() : QStringLiteral(" WHERE conta_nome =  ?");
    const QString rowsAccount = all ? QString() : QStringLiteral(" WHERE conta_nome = ?");

    auto creditSet = db.SQLSelect(QStringLiteral("SELECT SUM(entrada) from Movimento") + sumAccount + where, params);
    auto debitSet = creditSet
                        ? db.SQLSelect(QStringLiteral("SELECT SUM(saida) from Movimento") + sumAccount + where, params)
                        : nullptr;
    if (!creditSet || !debitSet) {
        result.errorMessage = db.ErrorMessage();
        return result;
    }
    if (creditSet->RecordCount() >= 1)
        result.credit = creditSet->IdxField(1).DoubleValue();
    if (debitSet->RecordCount() >= 1)
        result.debit = debitSet->IdxField(1).DoubleValue();

    // The rows go straight into their cells: a listing of every transaction
    // would otherwise hold each value twice on its way to the list.
    const bool read = db.SQLSelectEach(QStringLiteral("SELECT * FROM Movimento") + rowsAccount + where +
                                           QStringLiteral(" ORDER BY data"),
                                       params, [&result](const RowReader& row) { result.rows.append(cellsOf(row)); });
    if (!read) {
        result.errorMessage = db.ErrorMessage();
        result.rows.clear();
        return result;
    }
    result.ok = true;
    return result;
}

QString totalText(double total)
{
    return Format(total, QLatin1String(TotalMask));
}

} // namespace LedgerQuery
