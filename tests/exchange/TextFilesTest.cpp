// The text import's reading of a file, without a window: encodings and line
// ends, the layout and preview of the first lines, and each line read; the
// export file.

#include "ExchangeFiles.h"
#include "TestSupport.h"
#include "exchange/ImportFileMessage.h"
#include "exchange/TextDecoding.h"
#include "exchange/TextExport.h"
#include "exchange/TextImport.h"
#include "exchange/wImporta.h"
#include "platform/Database.h"
#include "ui/common/Module1.h"

#include <QBuffer>
#include <QStringEncoder>
#include <cstring>
#include <gtest/gtest.h>

using LineProblem = ImportedLine::Problem;
using PreviewProblem = TextPreview::Problem;

TEST(TextReading, encodingsAndLineEnds_decodeToTheSameLines)
{
    const QStringList expected = {"Conta\tCategoria\tContato\tData\tCredito\tDebito",
                                  QString::fromUtf8("Banco\tCafé\tJosé €\t05/03/26\t0\t7,00")};
    QStringList lines;
    ASSERT_TRUE(ReadImportFile(textFile("latin1.txt"), lines).ok());
    EXPECT_EQ(lines, expected);
    ASSERT_TRUE(ReadImportFile(textFile("utf8_bom.txt"), lines).ok());
    EXPECT_EQ(lines.value(0), "Banco\tMercado\tPadaria\t05/03/26\t0\t4.00");
    QStringEncoder bigEndian(QStringConverter::Utf16BE, QStringEncoder::Flag::WriteBom);
    EXPECT_EQ(DecodeImportLines(bigEndian.encode(QStringLiteral("Crédito\r\n"))), QStringList({"Crédito"}));
    EXPECT_EQ(SplitImportLines("a\r\nb\rc\n\nd"), QStringList({"a", "b", "c", "", "d"}));
    EXPECT_EQ(DecodeImportLines("a\r\nb\rc\n\nd\xE9\n"), QStringList({"a", "b", "c", "", "d\u00E9"}));
    EXPECT_EQ(ReadImportFile(textFile("missing.txt"), lines).kind, ImportFileProblem::Kind::Unreadable);
}

TEST(TextReading, utf16WithoutAMark_isToldByItsZeroBytes_otherTextsAreNot)
{
    const QString text = QStringLiteral("Banco\tCafé\t05/03/26\t7,00\r\n");
    QStringEncoder little(QStringConverter::Utf16LE), big(QStringConverter::Utf16BE);
    QByteArray mostlyText(4000, 'a');
    for (int i = 0; i < 3; ++i)
        mostlyText[i * 2 + 1] = '\0';
    // The bytes, and the encoding they are read in (nothing: UTF-8 or Windows-1252).
    const std::pair<QByteArray, std::optional<QStringConverter::Encoding>> cases[] = {
        {little.encode(text), QStringConverter::Utf16LE},
        {big.encode(text), QStringConverter::Utf16BE},
        {little.encode(QStringLiteral("€ — Ā")), std::nullopt}, // no ASCII at all: nothing to tell it by
        {text.toUtf8(), std::nullopt},
        {mostlyText, std::nullopt},           // a few zeros in one column
        {QByteArray(64, '\0'), std::nullopt}, // zeros in both
        {QByteArray("a\0", 2), std::nullopt}, // too short to tell
        {QByteArray::fromHex("efbbbf61006200"), std::nullopt},
        {QByteArray::fromHex("fffe6100"), QStringConverter::Utf16LE},
    };
    for (const auto& [bytes, encoding] : cases)
        EXPECT_EQ(WideEncodingOf(bytes), encoding) << bytes.toHex().toStdString();
    EXPECT_EQ(DecodeImportLines(big.encode(text)), QStringList({"Banco\tCafé\t05/03/26\t7,00"}));
}

// A device that says it holds a few bytes and never ends, as a file that grows while it is read.
class EndlessDevice : public QIODevice
{
  public:
    qint64 given = 0;
    qint64 size() const override { return 10; }

  protected:
    qint64 readData(char* data, qint64 max) override
    {
        std::memset(data, 'x', size_t(max));
        given += max;
        return max;
    }
    qint64 writeData(const char*, qint64) override { return -1; }
};

TEST(TextReading, reading_takesAFileOfTheLimit_stopsOnePastIt_whateverTheDeviceSaysItHolds)
{
    EndlessDevice endless;
    endless.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    QByteArray bytes;
    const ImportFileProblem problem = ReadImportBytes(endless, bytes);
    EXPECT_EQ(std::tuple(problem.kind, problem.size, bytes.size()),
              std::tuple(ImportFileProblem::Kind::TooLarge, qint64(0), qsizetype(0)));
    EXPECT_EQ(endless.given, kImportFileLimit + 1);
    // The user is told that the file grew, not that it has 0 MB.
    EXPECT_EQ(
        ImportFileMessage(problem, QString()),
        QStringLiteral("Não foi possível ler o arquivo.\n\nO arquivo passou do limite de 256 MB enquanto era lido."));
    // Sparse, so that nothing of it is written.
    QFile atTheLimit(testsupport::tempPath(QStringLiteral("limit.txt")));
    ASSERT_TRUE(atTheLimit.open(QIODevice::WriteOnly) && atTheLimit.resize(kImportFileLimit));
    const ImportFileProblem read = ReadImportBytes(atTheLimit.fileName(), bytes);
    EXPECT_EQ(ImportFileMessage(read, atTheLimit.fileName()), QString());
    EXPECT_EQ(bytes.size(), kImportFileLimit);
    // A /proc file says it holds nothing and is read whole all the same.
    ASSERT_TRUE(ReadImportBytes(QStringLiteral("/proc/self/status"), bytes).ok());
    EXPECT_TRUE(bytes.startsWith("Name:"));
}

TEST(TextReading, preview_findsTheLayoutAndTheFirstDataLine_orWhyNot)
{
    // The own and generic previews and the other refusals are the import window's tests.
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
    };
    for (const auto& [text, layout, amount, credit, contact] : read) {
        const ImportedLine l = ReadImportLine(text, layout, "Sim");
        EXPECT_EQ(std::tuple(l.problem, l.amount, l.credit, l.contact, l.offerContact, l.date),
                  std::tuple(LineProblem::None, amount, credit, QString(contact), l.contact != NoContactText(),
                             QDate(2026, 3, 5)))
            << text;
    }
    const std::tuple<const char*, TextLayout, LineProblem> refused[] = {
        {"A\tC\tAna\t05/03/26\tdez\t0", generic, LineProblem::BadAmount},
        {"A\tC\tAna\t05/03/26\t0\tR$ 3", generic, LineProblem::BadAmount},
        {"A\tC\tAna\t31/02/26\t1\t0", generic, LineProblem::BadDate},
        {"A\tC\tAna\txx\t1\t0", generic, LineProblem::BadDate},
        {"A\tC\tAna\t05/03/26\t1", generic, LineProblem::MissingFields},
        {"A\tC\tAna\t05/03/26\t1\t0\tSim", own, LineProblem::MissingFields},
        {" \t \t", generic, LineProblem::Blank},
        {"A\tC\tAna\t05/03/26\t\t9", generic, LineProblem::EmptyCredit},
        {"A\tC\tAna\t05/03/26\t0\t ", generic, LineProblem::EmptyDebit},
        {"A\tC\tAna\t05/03/26\t0.00\t\tSim\t\t", own, LineProblem::ZeroAmount},
        {"\tC\tAna\t05/03/26\t1\t0", generic, LineProblem::BadAccount},
        {"Ban\rco\tC\tAna\t05/03/26\t1\t0", generic, LineProblem::BadAccount},
        {"A\t\u2028\tAna\t05/03/26\t1\t0", generic, LineProblem::BadCategory},
        {"A\tCa\x01sa\tAna\t05/03/26\t1\t0", generic, LineProblem::BadCategory},
        {"A\tC\tA\rna\t05/03/26\t1\t0", generic, LineProblem::BadContact},
        {"A\tC\tAna\t05/03/26\t1.000,001\t0", generic, LineProblem::TooManyDecimals},
        {"A\tC\tAna\t05/03/26\t0\t7.500", generic, LineProblem::AmbiguousAmount},
        {"A\tC\tAna\t05/03/26\t90071992547409,91\t0", generic, LineProblem::TooLargeAmount},
    };
    for (const auto& [text, layout, problem] : refused)
        EXPECT_EQ(ReadImportLine(text, layout, "Sim").problem, problem) << text;
    const ImportedLine kept = ReadImportLine("A\tC\tX\t31/12/1999\t1\t0\tSim\tnota\t", own, "Sim");
    EXPECT_EQ(std::tuple(kept.date, kept.verified, kept.comment), std::tuple(QDate(1999, 12, 31), true, "nota"));
    EXPECT_FALSE(ReadImportLine("A\tC\tX\t05/03/26\t1\t0\tsim\tnota", own, "Sim").verified);
    EXPECT_TRUE(ReadImportLine("A\tC\tX\t05/03/26\t1\t0\tSim\tnota", generic, "Sim").comment.isEmpty());
}

// The export file written from a small ledger, byte for byte, and on a full disk.
namespace {

// A device that takes nothing, as a full disk would.
class FullDisk : public QIODevice
{
  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64) override { return -1; }
};

} // namespace

TEST(TextExport, smallLedger_byteForByte_andAFullDisk)
{
    const ExportTexts texts{wImporta::ownCaptions() << Module1::kComentarios(), "Não", "Sim", "Nao"};
    auto db = testsupport::newDatabase();
    testsupport::exec(*db, "INSERT INTO Movimento (id, conta_nome, conta, contato, data, entrada, saida, conciliado, "
                           "comentarios) VALUES "
                           "(3, 'Banco', 'Casa', 'Loja', '2026-03-05', NULL, 12.5, 'Não', 'a\tb\r\nc'),"
                           "(1, 'Banco', 'Salário', '  -  ', '1999-12-31', 1234.5, NULL, 'Sim', NULL),"
                           "(2, 'Cartão', 'Casa', 'Loja', NULL, -52.1, NULL, '', ''),"
                           "(4, NULL, 'Casa', 'Loja', '2087-01-02', 1e9, NULL, NULL, 'x')");
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_EQ(WriteExport(*db, out, texts), ExportResult::Written);
    EXPECT_EQ(QString::fromUtf8(out.data()),
              "Conta:\tCategoria:\tContato:\tData:\tCrédito\tDebito\tVerificado\tComentários:\n"
              "Banco\tSalário\t  -  \t31/12/1999\t1,234.50\t0.00\tSim\t\t\n"
              "Cartão\tCasa\tLoja\t\t-52.10\t0.00\tSim\t\t\n"
              "Banco\tCasa\tLoja\t05/03/26\t0.00\t12.50\tNao\ta b  c\t\n"
              "\tCasa\tLoja\t02/01/87\t1,000,000,000.00\t0.00\tSim\tx\t\n");

    FullDisk full;
    full.open(QIODevice::WriteOnly);
    EXPECT_EQ(WriteExport(*db, full, texts), ExportResult::WriteFailed);
}
