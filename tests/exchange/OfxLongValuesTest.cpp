// The OFX reader over what it takes a piece at a time: memos longer than the
// pieces it decodes, wide statements longer than the pieces it converts to
// UTF-8, and bytes past the import limit.

#include "exchange/OfxStatement.h"

#include <QStringEncoder>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {

QString statementWithMemo(const QString& memo)
{
    return QStringLiteral("OFXHEADER:100\nCHARSET:1252\n\n<OFX><STMTTRN><TRNTYPE>DEBIT<TRNAMT>-1<MEMO>") + memo +
           QStringLiteral("\n</STMTTRN></OFX>\n");
}

QByteArray encoded(QStringConverter::Encoding encoding, bool mark, const QString& text)
{
    return QStringEncoder(encoding, mark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default)
        .encode(text);
}

} // namespace

TEST(OfxLongValues, memosOfMegabytes_areReadWhole)
{
    // Wide statements, mostly ASCII so that their bytes tell them without a
    // mark. A unit later each time: in one of the four, every boundary of
    // pieces of an even number of units in the memo falls between the halves
    // of an emoji.
    const QString emojis = QStringLiteral("ab\U0001F642").repeated(300000);
    std::vector<std::tuple<QString, QByteArray, QString>> cases;
    for (const QString& later : {QString(), QStringLiteral("x"), QStringLiteral("xx"), QStringLiteral("xxx")}) {
        const QString statement = statementWithMemo(later + emojis);
        cases.emplace_back("UTF-16LE " + later, encoded(QStringConverter::Utf16LE, true, statement), later + emojis);
        cases.emplace_back("UTF-16BE without a mark " + later, encoded(QStringConverter::Utf16BE, false, statement),
                           later + emojis);
    }
    cases.emplace_back("UTF-32LE", encoded(QStringConverter::Utf32LE, true, statementWithMemo(emojis)), emojis);
    // Entities and line ends over the pieces of a memo in Windows-1252 or UTF-8.
    const QByteArray accents = QByteArray("Caf\xE9 &amp; P\xE3o \x80\r\n").repeated(100000);
    cases.emplace_back("Windows-1252", statementWithMemo(QString()).toLatin1().replace("<MEMO>", "<MEMO>" + accents),
                       QStringLiteral("Caf\u00e9 & P\u00e3o \u20ac ").repeated(100000).trimmed());
    cases.emplace_back("UTF-8 under a 1252 header",
                       statementWithMemo(QStringLiteral("P\u00e3o &lt;\r\n\U0001F642 ").repeated(100000)).toUtf8(),
                       QStringLiteral("P\u00e3o < \U0001F642 ").repeated(100000).trimmed());
    for (const auto& [form, bytes, memo] : cases) {
        const OfxStatement statement = OfxStatement::parse(bytes);
        ASSERT_EQ(statement.transactions().size(), 1u) << form.toStdString();
        const OfxTransaction read = statement.transactions().front();
        EXPECT_EQ(read.type + ' ' + read.amount, QStringLiteral("DEBIT -1")) << form.toStdString();
        // Compared whole, but not printed whole.
        EXPECT_EQ(read.memo.size(), memo.size()) << form.toStdString();
        EXPECT_TRUE(read.memo == memo) << form.toStdString();
    }
}

TEST(OfxLongValues, bytesPastTheImportLimit_areRefusedUnread)
{
    const QByteArray bytes(kImportFileLimit + 1, Qt::Uninitialized);
    const OfxStatement statement = OfxStatement::parse(bytes);
    EXPECT_EQ(statement.problem().kind, ImportFileProblem::Kind::TooLarge);
    EXPECT_EQ(statement.problem().size, kImportFileLimit + 1);
    EXPECT_TRUE(statement.transactions().empty());
}
