#include "exchange/TextImport.h"

#include "platform/Format.h"

#include <optional>

namespace {

constexpr QChar kTab = u'\t';

// Columns each layout has: the own layout's eight (the export ends each line
// with a TAB after the comment), the generic layout's six.
constexpr qsizetype kOwnColumns = 8;
constexpr qsizetype kGenericColumns = 6;
constexpr qsizetype kHeaderTestColumns = 5;

bool isBlank(const QString& line)
{
    return line.trimmed().isEmpty();
}

qsizetype nextFilledLine(const QStringList& lines, qsizetype from)
{
    while (from < lines.size() && isBlank(lines[from]))
        ++from;
    return from;
}

QString fieldAt(const QStringList& fields, qsizetype index)
{
    return index < fields.size() ? fields[index] : QString();
}

// Numbers as the one amount reader takes them; dates and words are not numbers.
bool isNumeric(const QString& text)
{
    return ReadAmount(text).has_value();
}

bool isOwnHeader(const QStringList& fields, const QStringList& captions)
{
    if (captions.isEmpty() || fields.size() < captions.size())
        return false;
    for (qsizetype i = 0; i < captions.size(); ++i)
        if (fields[i] != captions[i])
            return false;
    return true;
}

bool isHeader(const QStringList& fields)
{
    for (qsizetype i = 0; i < kHeaderTestColumns; ++i)
        if (isNumeric(fieldAt(fields, i)))
            return false;
    return true;
}

QStringList firstFields(const QString& line, qsizetype count)
{
    const QStringList fields = line.split(kTab);
    QStringList out;
    for (qsizetype i = 0; i < count; ++i)
        out << fieldAt(fields, i);
    return out;
}

// An empty amount field counts as zero; any other text must be a number.
std::optional<double> amountField(const QString& text)
{
    if (text.isEmpty())
        return 0.0;
    return ReadAmount(text);
}

} // namespace

TextStart FindTextStart(const QStringList& lines, const QStringList& ownCaptions)
{
    const qsizetype first = nextFilledLine(lines, 0);
    if (first == lines.size())
        return {TextLayout::Generic, first};
    const QStringList fields = lines[first].split(kTab);
    if (isOwnHeader(fields, ownCaptions))
        return {TextLayout::Own, nextFilledLine(lines, first + 1)};
    if (isHeader(fields))
        return {TextLayout::Generic, nextFilledLine(lines, first + 1)};
    return {TextLayout::Generic, first};
}

TextPreview PreviewText(const QStringList& lines, const QStringList& ownCaptions)
{
    TextPreview preview;
    const qsizetype first = nextFilledLine(lines, 0);
    if (first == lines.size()) {
        preview.problem = TextPreview::Problem::NothingToRead;
        return preview;
    }
    if (!lines[first].contains(kTab)) {
        preview.problem = TextPreview::Problem::NoTab;
        return preview;
    }
    const TextStart start = FindTextStart(lines, ownCaptions);
    preview.layout = start.layout;
    const bool found = start.firstData < lines.size();
    if (start.layout == TextLayout::Own) {
        if (!found)
            preview.problem = TextPreview::Problem::NothingToRead;
        else
            preview.fields = firstFields(lines[start.firstData], 7);
        return preview;
    }
    if (found)
        preview.fields = firstFields(lines[start.firstData], kGenericColumns);
    if (!found || preview.fields.contains(QString()))
        preview.problem = TextPreview::Problem::Incompatible;
    return preview;
}

QString NoContactText()
{
    return QStringLiteral("  -  ");
}

ImportedLine ReadImportLine(const QString& line, TextLayout layout, const QString& verifiedText)
{
    ImportedLine out;
    if (isBlank(line)) {
        out.problem = ImportedLine::Problem::Blank;
        return out;
    }
    const bool own = layout == TextLayout::Own;
    const QStringList fields = line.split(kTab);
    if (fields.size() < (own ? kOwnColumns : kGenericColumns)) {
        out.problem = ImportedLine::Problem::MissingFields;
        return out;
    }
    out.account = fields[0];
    out.category = fields[1];
    out.contact = fields[2].trimmed();
    // The export writes "  -  " for no contact; a lone dash or nothing means the same.
    if (out.contact.isEmpty() || out.contact == QLatin1String("-")) {
        out.contact = NoContactText();
        out.offerContact = false;
    }

    // A generic line with no credit is a zero credit (refused as such); else
    // a credit that reads as zero leaves the amount to the debit column.
    if (own || !fields[4].isEmpty()) {
        const auto credit = amountField(fields[4]);
        if (!credit) {
            out.problem = ImportedLine::Problem::BadAmount;
            return out;
        }
        out.amount = *credit;
        if (out.amount == 0) {
            const auto debit = amountField(fields[5]);
            if (!debit) {
                out.problem = ImportedLine::Problem::BadAmount;
                return out;
            }
            out.amount = *debit;
            out.credit = false;
        }
    }
    if (!ParseDate(fields[3], out.date)) {
        out.problem = ImportedLine::Problem::BadDate;
        return out;
    }
    if (own) {
        out.verified = fields[6] == verifiedText;
        out.comment = fields[7];
    }
    return out;
}
