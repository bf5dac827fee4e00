#include "exchange/TextExport.h"

#include "platform/Database.h"
#include "platform/Format.h"

#include <QIODevice>

namespace {

constexpr char kTab = '\t';
constexpr char kLineEnd = '\n';
// Written out in pieces of about this size rather than a line at a time.
constexpr qsizetype kChunk = 1 << 16;

// Movimento's columns as "SELECT *" gives them, counted from 1.
enum Column {
    kAccount = 2,
    kCategory,
    kContact,
    kDate,
    kCredit,
    kDebit,
    kVerified,
    kComment,
};

} // namespace

QString ExportText(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    return out;
}

QString ExportDate(const QDate& date)
{
    if (!date.isValid())
        return {};
    return date.year() >= 2000 && date.year() <= 2099 ? ShortDate(date) : LongDate(date);
}

QString ExportAmount(double amount)
{
    return Format(amount, QStringLiteral("###,##0.00"));
}

ExportResult WriteExport(SQLDatabase& db, QIODevice& out, const ExportTexts& texts)
{
    QByteArray pending = texts.captions.join(QLatin1Char(kTab)).toUtf8() + kLineEnd;
    bool writeFailed = false;
    const auto flush = [&] {
        if (!writeFailed && out.write(pending) != pending.size())
            writeFailed = true;
        pending.clear();
    };
    QString line;
    const bool read =
        db.SQLSelectEach(QStringLiteral("SELECT * FROM Movimento ORDER BY id"), {}, [&](const RowReader& row) {
            const auto text = [&](int column) { return ExportText(row.IdxField(column).StringValue()); };
            line.clear();
            line += text(kAccount) + kTab + text(kCategory) + kTab + text(kContact) + kTab;
            line += ExportDate(row.IdxField(kDate).DateValue()) + kTab;
            line += ExportAmount(row.IdxField(kCredit).DoubleValue()) + kTab;
            line += ExportAmount(row.IdxField(kDebit).DoubleValue()) + kTab;
            line += (row.IdxField(kVerified).StringValue() == texts.storedNo ? texts.no : texts.yes) + kTab;
            line += text(kComment) + kTab;
            pending += line.toUtf8() + kLineEnd;
            if (pending.size() >= kChunk)
                flush();
        });
    if (!read)
        return ExportResult::QueryFailed;
    flush();
    return writeFailed ? ExportResult::WriteFailed : ExportResult::Written;
}
