#include "exchange/TextImport.h"

#include "platform/Format.h"


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

// A name the registers take: not blank, and no control character that would
// break the lists and lines it is shown in.
bool usableName(const QString& name)
{
    return !name.trimmed().isEmpty() && !HasControlCharacter(name);
}

ImportedLine::Problem amountProblem(AmountReading::Problem problem)
{
    switch (problem) {
    case AmountReading::Problem::None:
        return ImportedLine::Problem::None;
    case AmountReading::Problem::Ambiguous:
        return ImportedLine::Problem::AmbiguousAmount;
    case AmountReading::Problem::TooManyDecimals:
        return ImportedLine::Problem::TooManyDecimals;
    case AmountReading::Problem::TooLarge:
        return ImportedLine::Problem::TooLargeAmount;
    case AmountReading::Problem::NotANumber:
        break;
    }
    return ImportedLine::Problem::BadAmount;
}

// An own line's empty amount field counts as zero; any other text is read
// by the one amount reader, as a person would read it.
ImportedLine::Problem readAmountField(const QString& text, ImportedLine& out)
{
    out.amountText = text;
    if (text.trimmed().isEmpty()) {
        out.amount = 0;
        return ImportedLine::Problem::None;
    }
    const AmountReading reading = ReadEnteredAmount(text);
    out.amount = reading.value;
    return amountProblem(reading.problem);
}

// The credit column when it is not zero, else the debit column. A generic
// file fills both amount columns, a zero in the one that does not apply.
ImportedLine::Problem readAmount(const QStringList& fields, bool own, ImportedLine& out)
{
    if (!own && fields[4].trimmed().isEmpty())
        return ImportedLine::Problem::EmptyCredit;
    if (const auto problem = readAmountField(fields[4], out); problem != ImportedLine::Problem::None)
        return problem;
    if (out.amount != 0)
        return ImportedLine::Problem::None;
    if (!own && fields[5].trimmed().isEmpty())
        return ImportedLine::Problem::EmptyDebit;
    out.credit = false;
    if (const auto problem = readAmountField(fields[5], out); problem != ImportedLine::Problem::None)
        return problem;
    return out.amount == 0 ? ImportedLine::Problem::ZeroAmount : ImportedLine::Problem::None;
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
    if (!usableName(out.account))
        out.problem = ImportedLine::Problem::BadAccount;
    else if (!usableName(out.category))
        out.problem = ImportedLine::Problem::BadCategory;
    else if (HasControlCharacter(out.contact))
        out.problem = ImportedLine::Problem::BadContact;
    else if (const auto problem = readAmount(fields, own, out); problem != ImportedLine::Problem::None)
        out.problem = problem;
    else if (!ParseDate(fields[3], out.date))
        out.problem = ImportedLine::Problem::BadDate;
    if (out.problem != ImportedLine::Problem::None)
        return out;
    if (own) {
        out.verified = fields[6] == verifiedText;
        out.comment = fields[7];
    }
    return out;
}
