#include "exchange/TextImport.h"

#include "platform/Format.h"

#include <optional>

namespace {

// Columns each layout has: the own layout's eight (the export ends each line
// with a TAB after the comment), the generic layout's six.
constexpr qsizetype kOwnColumns = 8;
constexpr qsizetype kGenericColumns = 6;
constexpr qsizetype kHeaderTestColumns = 5;

// The next line with something in it, from `at` on: `at` is left where it
// starts, and the result is where the line after it starts.
std::optional<TextPosition> nextFilledLine(const ImportText& text, TextPosition& at, TextLine& line)
{
    for (TextPosition next = at; text.readLine(next, line); at = next)
        if (!line.isBlank())
            return next;
    return std::nullopt;
}

// Numbers as the one amount reader takes them; dates and words are not numbers.
bool isNumeric(const QString& text)
{
    return ReadAmount(text).has_value();
}

bool isOwnHeader(const TextLine& line, const QStringList& captions)
{
    if (captions.isEmpty() || line.fieldCount() < captions.size())
        return false;
    for (qsizetype i = 0; i < captions.size(); ++i)
        if (line.field(i) != captions[i])
            return false;
    return true;
}

bool isHeader(const TextLine& line)
{
    for (qsizetype i = 0; i < kHeaderTestColumns; ++i)
        if (isNumeric(line.field(i)))
            return false;
    return true;
}

QStringList firstFields(const TextLine& line, qsizetype count)
{
    QStringList out;
    for (qsizetype i = 0; i < count; ++i)
        out << line.field(i);
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
ImportedLine::Problem readAmount(const TextLine& line, bool own, ImportedLine& out)
{
    const QString credit = line.field(4);
    if (!own && credit.trimmed().isEmpty())
        return ImportedLine::Problem::EmptyCredit;
    if (const auto problem = readAmountField(credit, out); problem != ImportedLine::Problem::None)
        return problem;
    if (out.amount != 0)
        return ImportedLine::Problem::None;
    const QString debit = line.field(5);
    if (!own && debit.trimmed().isEmpty())
        return ImportedLine::Problem::EmptyDebit;
    out.credit = false;
    if (const auto problem = readAmountField(debit, out); problem != ImportedLine::Problem::None)
        return problem;
    return out.amount == 0 ? ImportedLine::Problem::ZeroAmount : ImportedLine::Problem::None;
}

// Where the data start; `first` is the first line with something in it
// (blank when there is none), `data` the first data line.
TextStart findStart(const ImportText& text, const QStringList& ownCaptions, TextLine& first, TextLine& data)
{
    TextStart start;
    const std::optional<TextPosition> afterFirst = nextFilledLine(text, start.firstData, first);
    if (!afterFirst)
        return start;
    data = first;
    if (isOwnHeader(first, ownCaptions))
        start.layout = TextLayout::Own;
    else if (!isHeader(first)) {
        start.found = true;
        return start;
    }
    start.firstData = *afterFirst;
    start.found = nextFilledLine(text, start.firstData, data).has_value();
    return start;
}

} // namespace

TextStart FindTextStart(const ImportText& text, const QStringList& ownCaptions)
{
    TextLine first, data;
    return findStart(text, ownCaptions, first, data);
}

TextPreview PreviewText(const ImportText& text, const QStringList& ownCaptions)
{
    TextPreview preview;
    TextLine first, data;
    const TextStart start = findStart(text, ownCaptions, first, data);
    if (first.isBlank()) {
        preview.problem = TextPreview::Problem::NothingToRead;
        return preview;
    }
    if (first.fieldCount() < 2) {
        preview.problem = TextPreview::Problem::NoTab;
        return preview;
    }
    preview.layout = start.layout;
    preview.firstData = start.firstData;
    if (start.layout == TextLayout::Own) {
        if (!start.found)
            preview.problem = TextPreview::Problem::NothingToRead;
        else
            preview.fields = firstFields(data, 7);
        return preview;
    }
    if (start.found)
        preview.fields = firstFields(data, kGenericColumns);
    if (!start.found || preview.fields.contains(QString()))
        preview.problem = TextPreview::Problem::Incompatible;
    return preview;
}

QString NoContactText()
{
    return QStringLiteral("  -  ");
}

ImportedLine ReadImportLine(const TextLine& line, TextLayout layout, const QString& verifiedText)
{
    ImportedLine out;
    if (line.isBlank()) {
        out.problem = ImportedLine::Problem::Blank;
        return out;
    }
    const bool own = layout == TextLayout::Own;
    if (line.fieldCount() < (own ? kOwnColumns : kGenericColumns)) {
        out.problem = ImportedLine::Problem::MissingFields;
        return out;
    }
    out.account = line.field(0);
    out.category = line.field(1);
    out.contact = line.field(2).trimmed();
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
    else if (const auto problem = readAmount(line, own, out); problem != ImportedLine::Problem::None)
        out.problem = problem;
    else if (!ParseDate(line.field(3), out.date))
        out.problem = ImportedLine::Problem::BadDate;
    if (out.problem != ImportedLine::Problem::None)
        return out;
    if (own) {
        out.verified = line.field(6) == verifiedText;
        out.comment = line.field(7);
    }
    return out;
}

ImportedLine ReadImportLine(const QString& line, TextLayout layout, const QString& verifiedText)
{
    return ReadImportLine(TextLine(line), layout, verifiedText);
}
