// The OFX reader's speed: statements of 100,000 transactions in the SGML form
// of 1.x (Windows-1252, and UTF-8 under a header that says Windows-1252) and
// the XML form of 2.x (UTF-8), read from disk. Each is compared with a plain
// scan of the same file for the three tags of each block, the same work done
// the plainest way; the best of five runs of each, and the ratio. Where
// libofx's ofxdump is installed, its time over the same file follows as a side
// note: it reads every element, so it is no baseline (stopped after a minute).
// Then the time and peak memory of reading a statement just under the import
// limit, and one of tiny transactions as large, and of refusing one of 1 GB:
// the peak over the memory held before the reading, as a multiple of the file.
//
//   ofx_bench          the timings
//   ofx_bench FILE     FILE's transactions, one a line: type, TAB, the column
//                      and amount each would be stored with (or why it would
//                      be refused), TAB, memo

#include "BenchLedger.h"
#include "PeakMemory.h"
#include "exchange/ImportFileMessage.h"
#include "exchange/OfxStatement.h"
#include "exchange/TextDecoding.h"
#include "platform/Format.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <array>
#include <cstdio>
#include <vector>

namespace {

constexpr int kTransactions = 100000;
constexpr double kLimitMs = 500;
constexpr int kOfxdumpCapMs = 60000;

enum class Form {
    Sgml1252,
    SgmlUtf8Under1252,
    Xml,
};

// A statement up to the start of its list of transactions, and its end.
QByteArray opening(bool xml)
{
    QByteArray text;
    if (xml)
        text += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<?OFX OFXHEADER=\"200\" VERSION=\"211\" SECURITY=\"NONE\" "
                "OLDFILEUID=\"NONE\" NEWFILEUID=\"NONE\"?>\n";
    else
        text += "OFXHEADER:100\nDATA:OFXSGML\nVERSION:102\nSECURITY:NONE\nENCODING:USASCII\nCHARSET:1252\n"
                "COMPRESSION:NONE\nOLDFILEUID:NONE\nNEWFILEUID:NONE\n\n";
    text += "<OFX>\n<SIGNONMSGSRSV1>\n<SONRS>\n<STATUS>\n<CODE>0</CODE>\n<SEVERITY>INFO</SEVERITY>\n</STATUS>\n"
            "<DTSERVER>20260105</DTSERVER>\n<LANGUAGE>POR</LANGUAGE>\n</SONRS>\n</SIGNONMSGSRSV1>\n"
            "<BANKMSGSRSV1>\n<STMTTRNRS>\n<TRNUID>1</TRNUID>\n<STATUS>\n<CODE>0</CODE>\n<SEVERITY>INFO</SEVERITY>\n"
            "</STATUS>\n<STMTRS>\n<CURDEF>BRL</CURDEF>\n<BANKACCTFROM>\n<BANKID>0341</BANKID>\n<ACCTID>12345</ACCTID>\n"
            "<ACCTTYPE>CHECKING</ACCTTYPE>\n</BANKACCTFROM>\n<BANKTRANLIST>\n<DTSTART>20000101</DTSTART>\n"
            "<DTEND>20261231</DTEND>\n";
    return text;
}

constexpr char kClosing[] = "</BANKTRANLIST>\n<LEDGERBAL>\n<BALAMT>100.00</BALAMT>\n<DTASOF>20261231</DTASOF>\n"
                            "</LEDGERBAL>\n</STMTRS>\n</STMTTRNRS>\n</BANKMSGSRSV1>\n</OFX>\n";

QByteArray statement(Form form, int transactions = kTransactions)
{
    const bool xml = form == Form::Xml;
    QByteArray text = opening(xml);
    text.reserve(qsizetype(transactions) * 260);
    // SGML leaves the elements that hold a value unclosed; XML closes them and indents.
    const auto element = [&](const char* tag, const QByteArray& value) {
        text += xml ? QByteArray("      <") + tag + '>' + value + "</" + tag + ">\n"
                    : '<' + QByteArray(tag) + '>' + value + '\n';
    };
    const QByteArray accented =
        form == Form::Sgml1252 ? QByteArray("P\xE3o &amp; Caf\xE9") : QByteArray("Pão &amp; Café");
    for (int i = 0; i < transactions; ++i) {
        text += xml ? "    <STMTTRN>\n" : "<STMTTRN>\n";
        element("TRNTYPE", i % 3 ? "DEBIT" : "CREDIT");
        element("DTPOSTED", "20260105100000[-3:BRT]");
        element("TRNAMT", (i % 3 ? "-" : "") + QByteArray::number(i % 100000) + '.' + QByteArray::number(10 + i % 90));
        element("FITID", QByteArray::number(i));
        element("CHECKNUM", QByteArray::number(i));
        element("MEMO", "COMPRA " + QByteArray::number(i) + ' ' + accented);
        text += xml ? "    </STMTTRN>\n" : "</STMTTRN>\n";
    }
    text += kClosing;
    return text;
}

// A statement just under the import limit of transactions as small as a bank
// could write them, none closed: a type and an amount, nothing else. The
// memory its transactions take, not its texts, is what shows here.
QByteArray tinyStatement()
{
    static constexpr QByteArrayView transaction = "<STMTTRN><TRNTYPE>DEBIT<TRNAMT>-1\n";
    QByteArray text = opening(false);
    const qsizetype count = (kImportFileLimit - text.size() - qsizetype(sizeof kClosing)) / transaction.size();
    text.reserve(text.size() + count * transaction.size() + qsizetype(sizeof kClosing));
    for (qsizetype i = 0; i < count; ++i)
        text += transaction;
    text += kClosing;
    return text;
}

int printStatement(const QString& path)
{
    const OfxStatement statement = OfxStatement::read(path);
    QTextStream out(stdout);
    if (!statement.problem().ok()) {
        QTextStream(stderr) << path << ": " << ImportFileMessage(statement.problem(), path) << '\n';
        return 1;
    }
    for (const OfxTransaction& t : statement.transactions()) {
        // A zero amount is refused by the review as a bad one is.
        const OfxBooking booking = OfxStatement::booking(t);
        const QString stored =
            booking.problem == OfxBooking::Problem::None && booking.amount != 0
                ? (booking.credit ? QStringLiteral("entrada ") : QStringLiteral("saida ")) + AmountText(booking.amount)
                : QStringLiteral("refused: ") + t.amount;
        out << t.type << '\t' << stored << '\t' << t.memo << '\n';
    }
    return 0;
}

// The baseline: the file read whole and scanned line by line; inside a block,
// a line that starts with one of the three tags gives its value, cut after
// the tag up to a "<" or the line end and decoded in the encoding the file is
// known to be in. No header, entity, comment, CDATA or value over several lines.
size_t plainScan(const QString& path, bool utf8)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = file.readAll();
    static const QByteArrayView tags[] = {"<TRNTYPE>", "<TRNAMT>", "<MEMO>"};
    std::vector<std::array<QString, 3>> found;
    std::array<QString, 3> current;
    bool inBlock = false;
    for (qsizetype at = 0; at < bytes.size();) {
        qsizetype lineEnd = bytes.indexOf('\n', at);
        if (lineEnd < 0)
            lineEnd = bytes.size();
        const QByteArrayView line = QByteArrayView(bytes).sliced(at, lineEnd - at).trimmed();
        at = lineEnd + 1;
        if (line.startsWith("<STMTTRN>")) {
            inBlock = true;
            current = {};
        } else if (line.startsWith("</STMTTRN>")) {
            if (inBlock)
                found.push_back(current);
            inBlock = false;
        } else if (inBlock) {
            for (size_t t = 0; t < 3; ++t) {
                if (!line.startsWith(tags[t]))
                    continue;
                QByteArrayView value = line.sliced(tags[t].size());
                if (const qsizetype close = value.indexOf('<'); close >= 0)
                    value.truncate(close);
                current[t] = utf8 ? QString::fromUtf8(value) : DecodeWindows1252(value);
            }
        }
    }
    return found.size();
}

void measure(const QString& name, const QString& path, bool utf8)
{
    size_t count = 0, plainCount = 0;
    const double ours = millisecondsOf([&] { count = OfxStatement::read(path).transactions().size(); }, 5, true);
    const double plain = millisecondsOf([&] { plainCount = plainScan(path, utf8); }, 5, true);
    const bool ok = ours < kLimitMs && count == size_t(kTransactions) && plainCount == count;
    std::printf("%-22s %zu transactions: reader %6.1f ms (limit %.0f ms: %s), plain scan %6.1f ms, ratio %.2f\n",
                qPrintable(name), count, ours, kLimitMs, ok ? "ok" : "FAILED", plain, ours / plain);
    const QString ofxdump = QStandardPaths::findExecutable(QStringLiteral("ofxdump"));
    if (ofxdump.isEmpty())
        return;
    // ofxdump slows down more than linearly with the statement's length
    // (minutes at this size): past the cap it is stopped.
    bool finished = false;
    const double theirs = millisecondsOf(
        [&] {
            QProcess process;
            process.setStandardOutputFile(QProcess::nullDevice());
            process.setStandardErrorFile(QProcess::nullDevice());
            process.start(ofxdump, {path});
            finished = process.waitForFinished(kOfxdumpCapMs);
            if (!finished) {
                process.kill();
                process.waitForFinished();
            }
        },
        1);
    std::printf("%-22s (side note) ofxdump, which reads every element: %.1f ms%s\n", "", theirs,
                finished ? "" : " (stopped)");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// A statement of the first form as large as the import takes, one of tiny
// transactions, and one of 1 GB (a sparse file).
bool measurePeaks(const QTemporaryDir& folder)
{
    // Later transactions have longer numbers: a little room is left.
    const qsizetype perTransaction = statement(Form::Sgml1252).size() / kTransactions;
    const QString largest = folder.filePath(QStringLiteral("largest.ofx"));
    if (!writeFile(largest, statement(Form::Sgml1252, int(kImportFileLimit * 9 / 10 / perTransaction))))
        return false;
    const QString tiny = folder.filePath(QStringLiteral("tiny.ofx"));
    if (!writeFile(tiny, tinyStatement()))
        return false;
    const QString huge = folder.filePath(QStringLiteral("huge.ofx"));
    QFile sparse(huge);
    if (!sparse.open(QIODevice::WriteOnly) || !sparse.resize(qint64(1) << 30))
        return false;
    sparse.close();
    printPeak("statement just under the limit", largest, 4);
    printPeak("tiny transactions under the limit", tiny, 4);
    printPeak("statement of 1 GB", huge, 0, 64);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 2 && qstrcmp(argv[1], kPeakOption) == 0)
        return printPeakOf([&] {
            const OfxStatement statement = OfxStatement::read(QString::fromLocal8Bit(argv[2]));
            return statement.problem().ok()
                       ? QStringLiteral("%1 transactions").arg(statement.transactions().size())
                       : ImportFileMessage(statement.problem(), QString::fromLocal8Bit(argv[2])).replace('\n', ' ');
        });
    if (argc > 1)
        return printStatement(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir folder;
    const std::tuple<Form, const char*, bool> forms[] = {
        {Form::Sgml1252, "SGML Windows-1252", false},
        {Form::SgmlUtf8Under1252, "SGML UTF-8 under 1252", true},
        {Form::Xml, "XML UTF-8", true},
    };
    for (const auto& [form, name, utf8] : forms) {
        const QString path = folder.filePath(QString::number(int(form)) + QStringLiteral(".ofx"));
        if (!writeFile(path, statement(form)))
            return 1;
        measure(QLatin1String(name), path, utf8);
    }
    return measurePeaks(folder) ? 0 : 1;
}
