// An imported text read a line at a time, each field decoded as it is asked
// for: the lines, their numbers and their fields as the decoded text has
// them, whatever the encoding, and blank lines told as a reader sees them.

#include "TestSupport.h"
#include "exchange/TextDecoding.h"
#include "exchange/TextImport.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

const QByteArray kMark = "\xEF\xBB\xBF"; // UTF-8's byte-order mark

QByteArray utf16(const QString& text)
{
    return QStringEncoder(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom).encode(text);
}

// Each line's fields (the first eight at most), and the number of the last line read.
std::pair<QList<QStringList>, qsizetype> fieldsOf(const QByteArray& bytes)
{
    const ImportText text(bytes);
    QList<QStringList> lines;
    TextPosition at;
    TextLine line;
    while (text.readLine(at, line)) {
        QStringList fields;
        for (qsizetype i = 0; i < std::min<qsizetype>(line.fieldCount(), 8); ++i)
            fields << line.field(i);
        lines << fields;
    }
    return {lines, at.linesBefore};
}

} // namespace

TEST(TextLines, linesAndFields_readAsTheDecodedTextHasThem)
{
    const std::pair<QByteArray, QList<QStringList>> cases[] = {
        {"a\tb\r\nc\rd\n\n\te\n", {{"a", "b"}, {"c"}, {"d"}, {""}, {"", "e"}}},
        {"\r\r\n\n", {{""}, {""}, {""}}},
        {kMark + "Caf\xC3\xA9\tJos\xC3\xA9 \xE2\x82\xAC", {{"Café", "José €"}}}, // UTF-8, marked
        {"Caf\xE9\t\x80 5\t\x93x\x94", {{"Café", "€ 5", "“x”"}}},                // not UTF-8: Windows-1252
        // Files joined: a mark that starts a line is dropped, one inside a field kept.
        {"a\tb\n" + kMark + "c\t" + kMark + "d\xC3\xA9", {{"a", "b"}, {"c", QChar(0xFEFF) + QString("dé")}}},
        {utf16("Zé\tAna\r\n\r\n\tü"), {{"Zé", "Ana"}, {""}, {"", "ü"}}},
        {"1\t2\t3\t4\t5\t6\t7\t8\t9\t10", {{"1", "2", "3", "4", "5", "6", "7", "8"}}},
        {"", {}},
        {"\xEF\xBB\xBF", {}},
    };
    for (const auto& [bytes, fields] : cases) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        EXPECT_EQ(fieldsOf(bytes), std::pair(fields, fields.size()));
    }
}

TEST(TextLines, blankLines_areToldAsTheDecodedTextShowsThem)
{
    const std::pair<QByteArray, bool> cases[] = {
        {" \t \t", true},           // spaces and TABs
        {"\xA0\t", true},           // Windows-1252's no-break space
        {"\xC2\xA0\t", true},       // and UTF-8's
        {"\x85", false},            // Windows-1252's ellipsis, not Latin-1's line end
        {"\t-\t", false},           // a dash between TABs
        {utf16(" \t\u3000"), true}, // UTF-16 blanks
        {utf16("\t\u00E9"), false}, // and a letter
    };
    for (const auto& [bytes, blank] : cases) {
        const ImportText text(bytes);
        TextPosition at;
        TextLine line;
        ASSERT_TRUE(text.readLine(at, line));
        EXPECT_EQ(line.isBlank(), blank) << bytes.toHex().toStdString();
        EXPECT_EQ(ReadImportLine(line, TextLayout::Generic, "Sim").problem == ImportedLine::Problem::Blank, blank);
    }
}

TEST(TextLines, aLineReadFieldByField_readsAsTheSameLineDecodedWhole)
{
    const QByteArray lines[] = {
        "Banco\tCaf\xE9\t Jos\xE9 \t05/03/26\t0\t7,50\t\x80",
        "Banco\tCaf\xC3\xA9\t-\t05/03/26\t1.234,56\t0",
        "Banco\tCasa\tAna\t05/03/26\t5.000\t0",
        "Banco\tCasa\tAna\t05/03/26",
    };
    for (const QByteArray& bytes : lines) {
        const ImportText text(bytes);
        TextPosition at;
        TextLine line;
        ASSERT_TRUE(text.readLine(at, line));
        const ImportedLine byField = ReadImportLine(line, TextLayout::Generic, "Sim");
        const ImportedLine whole = ReadImportLine(line.text(), TextLayout::Generic, "Sim");
        EXPECT_EQ(std::tuple(byField.problem, byField.account, byField.category, byField.contact, byField.amount,
                             byField.credit, byField.date),
                  std::tuple(whole.problem, whole.account, whole.category, whole.contact, whole.amount, whole.credit,
                             whole.date))
            << bytes.toHex().toStdString();
    }
    const ImportText text(lines[0]);
    TextPosition at;
    TextLine line;
    ASSERT_TRUE(text.readLine(at, line));
    const ImportedLine read = ReadImportLine(line, TextLayout::Generic, "Sim");
    EXPECT_EQ(std::tuple(read.category, read.contact, read.amount, read.credit),
              std::tuple(QString("Café"), QString("José"), 7.5, false));
}
