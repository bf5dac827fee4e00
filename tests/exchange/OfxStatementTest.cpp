// The OFX statement reader over the small statements in data/ofx, one form
// of statement each (comments, CDATA, values over several lines, encodings
// declared, undeclared or wrong, UTF-16 of the other byte order than the
// machine's without a mark, several statements, files cut short...):
// each NAME.ofx has a NAME.expected beside it, one transaction a line (type,
// TAB, amount, TAB, memo); the files named unclosed_* end inside a
// transaction. The same files seed the reader's fuzz target.

#include "exchange/OfxStatement.h"
#include "ExchangeFiles.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(OfxStatement, everyTestStatement_givesTheTransactionsOfItsExpectedFile)
{
    const QDir dir(ofxTestFile(QString()));
    const QStringList names = dir.entryList({QStringLiteral("*.ofx")}, QDir::Files);
    ASSERT_GE(names.size(), 34);
    for (const QString& name : names) {
        QFile expected(dir.filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".expected")));
        ASSERT_TRUE(expected.open(QIODevice::ReadOnly)) << name.toStdString();
        const OfxStatement statement = OfxStatement::read(dir.filePath(name));
        QStringList lines;
        for (const OfxTransaction& t : statement.transactions())
            lines << t.type + '\t' + t.amount + '\t' + t.memo;
        EXPECT_TRUE(statement.problem().ok()) << name.toStdString();
        EXPECT_EQ(statement.endsInsideTransaction(), name.startsWith(QLatin1String("unclosed_"))) << name.toStdString();
        EXPECT_EQ(lines, QString::fromUtf8(expected.readAll()).split('\n', Qt::SkipEmptyParts)) << name.toStdString();
    }
}

TEST(OfxStatement, manyTransactions_areAllKeptInFileOrder)
{
    for (const int count : {501, 10000}) {
        QByteArray text = "OFXHEADER:100\n<OFX>\n";
        for (int i = 1; i <= count; ++i)
            text += "<STMTTRN>\n<TRNTYPE>DEBIT\n<TRNAMT>-" + QByteArray::number(i) + ".00\n<MEMO>N" +
                    QByteArray::number(i) + "\n</STMTTRN>\n";
        const OfxStatement statement = OfxStatement::parse(text);
        ASSERT_EQ(statement.transactions().size(), size_t(count));
        EXPECT_EQ(statement.transactions()[500].memo, "N501");
        EXPECT_EQ(statement.transactions().back().amount, QStringLiteral("-%1.00").arg(count));
    }
}

TEST(OfxStatement, booking_isTheMagnitudeInTheColumnOfItsSignAndType_toTheLimitOfTypedAmounts)
{
    using Problem = OfxBooking::Problem;
    const std::string hundreds = "1" + std::string(400, '0') + ".5";
    // Type, amount, and why it is refused, or the column (credit or not) and magnitude it is booked with.
    const std::tuple<const char*, const char*, Problem, bool, double> cases[] = {
        {"DEBIT", "-52.10", Problem::None, false, 52.10},
        {"CREDIT", "100", Problem::None, true, 100},
        {"DEP", "100", Problem::None, true, 100},
        {"CREDIT", "-5", Problem::None, false, 5},
        {"DEBIT", "30", Problem::None, false, 30},
        {"directdebit", " 12,5 ", Problem::None, false, 12.5},
        {"CREDIT", "+1,05", Problem::None, true, 1.05},
        {"XFER", "0", Problem::None, true, 0},
        // A bank's third decimal is kept: no thousands group in OFX.
        {"DEBIT", "-12.345", Problem::None, false, 12.345},
        {"CREDIT", "5.000", Problem::None, true, 5},
        {"CREDIT", "1234567890123.45", Problem::None, true, 1234567890123.45},
        {"DEBIT", "-1.234,56", Problem::NotANumber, true, 0},
        {"DEBIT", "1,234.56", Problem::NotANumber, true, 0},
        {"DEBIT", "", Problem::NotANumber, true, 0},
        {"DEBIT", "R$ 5", Problem::NotANumber, true, 0},
        {"DEBIT", "1e3", Problem::NotANumber, true, 0},
        {"DEBIT", ".", Problem::NotANumber, true, 0},
        {"DEBIT", "99999999999999999999999.12x", Problem::NotANumber, true, 0},
        {"CREDIT", "99999999999999999999999", Problem::TooLarge, true, 0},
        {"CREDIT", "-12345678901234567.89", Problem::TooLarge, true, 0},
        {"CREDIT", hundreds.c_str(), Problem::TooLarge, true, 0},
    };
    for (const auto& [type, amount, problem, credit, magnitude] : cases) {
        const OfxBooking booking = OfxStatement::booking({type, amount, QString()});
        EXPECT_EQ(booking.problem, problem) << type << " " << amount;
        if (problem == Problem::None) {
            EXPECT_EQ(std::pair(booking.credit, booking.amount), std::pair(credit, magnitude)) << type << " " << amount;
        }
    }
}

TEST(OfxStatement, underAWindows1252Header_onlyValidUtf8IsReadAsUtf8)
{
    // A memo's bytes under a header that says Windows-1252, and the memo read.
    const std::pair<QByteArray, QString> cases[] = {
        {"PADARIA S\xC3\x83O JO\xC3\x83O", QStringLiteral("PADARIA SÃO JOÃO")},
        {"EMOJI \xF0\x9F\x98\x80", QStringLiteral("EMOJI \U0001F600")},
        {"CAF\xC9 \x96 P\xC3O", QStringLiteral("CAFÉ – PÃO")},
        // An overlong form, a surrogate, a sequence cut short, a code point past U+10FFFF: not UTF-8.
        {"OVERLONG \xC0\xAF", QStringLiteral("OVERLONG À¯")},
        {"SURROGATE \xED\xA0\x80", QStringLiteral("SURROGATE í\u00A0€")},
        {"CUT SHORT \xE2\x82", QStringLiteral("CUT SHORT â‚")},
        // 0x90 has no character in Windows-1252: a control character, made a blank.
        {"TOO HIGH \xF4\x90\x80\x80", QStringLiteral("TOO HIGH ô €€")},
    };
    for (const auto& [memo, read] : cases) {
        const QByteArray text =
            "OFXHEADER:100\nENCODING:USASCII\nCHARSET:1252\n\n<OFX><STMTTRN><TRNTYPE>DEBIT<TRNAMT>-1<MEMO>" + memo +
            "\n</STMTTRN></OFX>\n";
        const OfxStatement statement = OfxStatement::parse(text);
        ASSERT_EQ(statement.transactions().size(), 1u) << memo.toStdString();
        EXPECT_EQ(statement.transactions().front().memo, read) << memo.toStdString();
    }
}
