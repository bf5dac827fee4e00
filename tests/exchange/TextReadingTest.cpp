// The text import's reading of a file, without a window: encodings and line
// ends, the layout and preview of the first lines, and each line read.

#include "ExchangeFiles.h"
#include "exchange/TextDecoding.h"
#include "exchange/TextImport.h"
#include "exchange/wImporta.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

using LineProblem = ImportedLine::Problem;
using PreviewProblem = TextPreview::Problem;

TEST(TextReading, encodingsAndLineEnds_decodeToTheSameLines)
{
    const QStringList expected = {"Conta\tCategoria\tContato\tData\tCredito\tDebito",
                                  QString::fromUtf8("Banco\tCafé\tJosé €\t05/03/26\t0\t7,00")};
    QStringList lines;
    ASSERT_TRUE(ReadImportFile(textFile("latin1.txt"), lines));
    EXPECT_EQ(lines, expected);
    ASSERT_TRUE(ReadImportFile(textFile("utf8_bom.txt"), lines));
    EXPECT_EQ(lines.value(0), "Banco\tMercado\tPadaria\t05/03/26\t0\t4.00");
    QStringEncoder bigEndian(QStringConverter::Utf16BE, QStringEncoder::Flag::WriteBom);
    EXPECT_EQ(DecodeImportText(bigEndian.encode(QStringLiteral("Crédito"))), "Crédito");
    EXPECT_EQ(SplitImportLines("a\r\nb\rc\n\nd"), QStringList({"a", "b", "c", "", "d"}));
    EXPECT_EQ(SplitImportLines("a\r\n"), QStringList({"a"}));
    EXPECT_FALSE(ReadImportFile(textFile("missing.txt"), lines));
}

TEST(TextReading, preview_findsTheLayoutAndTheFirstDataLine_orWhyNot)
{
    // Seven fields for the own layout, six for the generic one.
    const std::pair<const char*, QStringList> cases[] = {
        {"own_export.txt", {"Banco", "Salário", "Empresa \"X\"", "05/03/26", "1,234.50", "0.00", "Sim"}},
        {"generic_header.txt", {"Banco", "Mercado", "Padaria", "5/3/26", "0", "12,50"}},
        {"generic_crlf.txt", {"Banco", "Mercado", "Padaria", "05/03/26", "0", "-3"}},
    };
    for (const auto& [file, fields] : cases) {
        QStringList lines;
        ASSERT_TRUE(ReadImportFile(textFile(file), lines)) << file;
        const TextPreview preview = PreviewText(lines, wImporta::ownCaptions());
        EXPECT_EQ(preview.problem, PreviewProblem::None) << file;
        EXPECT_EQ(preview.layout, fields.size() == 7 ? TextLayout::Own : TextLayout::Generic) << file;
        EXPECT_EQ(preview.fields, fields) << file;
    }
    // A file with nothing in it; the other refusals are the import window's tests.
    EXPECT_EQ(PreviewText({"", "  "}, wImporta::ownCaptions()).problem, PreviewProblem::NothingToRead);
    // Captions of another language: a generic header, skipped.
    const TextStart start = FindTextStart(
        {"Account:\tCategory:\tContact:\tDate:\tCredit\tDebit", "a\tb\tc\t1/1/26\t1\t0"}, wImporta::ownCaptions());
    EXPECT_EQ(start.layout, TextLayout::Generic);
    EXPECT_EQ(start.firstData, 1);
}

TEST(TextReading, lines_readAsWritten_orRefusedWithTheirProblem)
{
    const TextLayout own = TextLayout::Own;
    const TextLayout generic = TextLayout::Generic;
    // The line, its layout, and the amount, column and contact read from it.
    const std::tuple<const char*, TextLayout, double, bool, const char*> read[] = {
        {"A\tC\tX\t05/03/26\t1,234.50\t0.00\tSim\tc\t", own, 1234.5, true, "X"},
        {"A\tC\t  -  \t05/03/26\t0.00\t52.10\tNao\t\t", own, 52.1, false, "  -  "},
        {"A\tC\t - \t05/03/26\t-52.10\t0\tSim\t\t", own, -52.1, true, "  -  "},
        {"A\tC\t\t05/03/26\t\t12,50\tSim\t\t", own, 12.5, false, "  -  "},
        {"A\tC\t Ana \t05/03/26\t+3\t0", generic, 3, true, "Ana"},
        {"A\tC\tAna\t05/03/26\t0\t1.234,56\textra", generic, 1234.56, false, "Ana"},
        {"A\tC\tAna\t05/03/26\t\t9", generic, 0, true, "Ana"},
    };
    for (const auto& [text, layout, amount, credit, contact] : read) {
        const ImportedLine line = ReadImportLine(text, layout, "Sim");
        EXPECT_EQ(line.problem, LineProblem::None) << text;
        EXPECT_EQ(line.amount, amount) << text;
        EXPECT_EQ(line.credit, credit) << text;
        EXPECT_EQ(line.contact, contact) << text;
        EXPECT_EQ(line.offerContact, line.contact != NoContactText()) << text;
        EXPECT_EQ(line.date, QDate(2026, 3, 5)) << text;
    }
    const std::tuple<const char*, TextLayout, LineProblem> refused[] = {
        {"A\tC\tAna\t05/03/26\tdez\t0", generic, LineProblem::BadAmount},
        {"A\tC\tAna\t05/03/26\t0\tR$ 3", generic, LineProblem::BadAmount},
        {"A\tC\tAna\t31/02/26\t1\t0", generic, LineProblem::BadDate},
        {"A\tC\tAna\txx\t1\t0", generic, LineProblem::BadDate},
        {"A\tC\tAna\t05/03/26\t1", generic, LineProblem::MissingFields},
        {"A\tC\tAna\t05/03/26\t1\t0\tSim", own, LineProblem::MissingFields},
        {" \t \t", generic, LineProblem::Blank},
    };
    for (const auto& [text, layout, problem] : refused)
        EXPECT_EQ(ReadImportLine(text, layout, "Sim").problem, problem) << text;
    const ImportedLine kept = ReadImportLine("A\tC\tX\t31/12/1999\t1\t0\tSim\tnota\t", own, "Sim");
    EXPECT_EQ(kept.date, QDate(1999, 12, 31));
    EXPECT_TRUE(kept.verified);
    EXPECT_EQ(kept.comment, "nota");
    EXPECT_FALSE(ReadImportLine("A\tC\tX\t05/03/26\t1\t0\tsim\tnota", own, "Sim").verified);
    EXPECT_TRUE(ReadImportLine("A\tC\tX\t05/03/26\t1\t0\tSim\tnota", generic, "Sim").comment.isEmpty());
}
