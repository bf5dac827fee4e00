// The OFX reader's speed: statements of 100,000 transactions in the SGML form
// of 1.x (Windows-1252) and the XML form of 2.x (UTF-8), read from disk. Prints
// the best of five reads and, where libofx's ofxdump is installed, its time
// over the same file (stopped after a minute) and the ratio.
//
//   ofx_bench          the timings
//   ofx_bench FILE     FILE's transactions, one a line: type, TAB, the column
//                      and amount each would be stored with (or why it would
//                      be refused), TAB, memo

#include "BenchLedger.h"
#include "exchange/OfxStatement.h"
#include "platform/Format.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <cstdio>

namespace {

constexpr int kTransactions = 100000;
constexpr double kLimitMs = 500;
constexpr int kOfxdumpCapMs = 60000;

QByteArray statement(bool xml)
{
    QByteArray text;
    text.reserve(kTransactions * 260);
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
    // SGML leaves the elements that hold a value unclosed; XML closes them and indents.
    const auto element = [&](const char* tag, const QByteArray& value) {
        text += xml ? QByteArray("      <") + tag + '>' + value + "</" + tag + ">\n"
                    : '<' + QByteArray(tag) + '>' + value + '\n';
    };
    const QByteArray accented = xml ? QByteArray("Pão &amp; Café") : QByteArray("P\xE3o &amp; Caf\xE9");
    for (int i = 0; i < kTransactions; ++i) {
        text += xml ? "    <STMTTRN>\n" : "<STMTTRN>\n";
        element("TRNTYPE", i % 3 ? "DEBIT" : "CREDIT");
        element("DTPOSTED", "20260105100000[-3:BRT]");
        element("TRNAMT", (i % 3 ? "-" : "") + QByteArray::number(i % 100000) + '.' + QByteArray::number(10 + i % 90));
        element("FITID", QByteArray::number(i));
        element("CHECKNUM", QByteArray::number(i));
        element("MEMO", "COMPRA " + QByteArray::number(i) + ' ' + accented);
        text += xml ? "    </STMTTRN>\n" : "</STMTTRN>\n";
    }
    text += "</BANKTRANLIST>\n<LEDGERBAL>\n<BALAMT>100.00</BALAMT>\n<DTASOF>20261231</DTASOF>\n</LEDGERBAL>\n"
            "</STMTRS>\n</STMTTRNRS>\n</BANKMSGSRSV1>\n</OFX>\n";
    return text;
}

int printStatement(const QString& path)
{
    const OfxStatement statement = OfxStatement::read(path);
    QTextStream out(stdout);
    if (!statement.problem().isEmpty()) {
        QTextStream(stderr) << path << ": " << statement.problem() << '\n';
        return 1;
    }
    for (const OfxTransaction& t : statement.transactions()) {
        // A zero amount is refused by the review as a bad one is.
        const std::optional<OfxBooking> booking = OfxStatement::booking(t);
        const QString stored = booking && booking->amount != 0
                                   ? (booking->credit ? QStringLiteral("entrada ") : QStringLiteral("saida ")) +
                                         AmountText(booking->amount)
                                   : QStringLiteral("refused: ") + t.amount;
        out << t.type << '\t' << stored << '\t' << t.memo << '\n';
    }
    return 0;
}

void measure(const QString& form, const QString& path)
{
    size_t count = 0;
    const double ours = millisecondsOf([&] { count = OfxStatement::read(path).transactions().size(); }, 5, true);
    std::printf("%-5s %zu transactions: %8.1f ms (limit %.0f ms: %s)\n", qPrintable(form), count, ours, kLimitMs,
                ours < kLimitMs && count == size_t(kTransactions) ? "ok" : "FAILED");
    const QString ofxdump = QStandardPaths::findExecutable(QStringLiteral("ofxdump"));
    if (ofxdump.isEmpty())
        return;
    // ofxdump slows down more than linearly with the statement's length
    // (minutes at this size): past the cap it is stopped and the ratio is a lower bound.
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
    std::printf("      ofxdump: %8.1f ms%s, ratio %s%.1fx (at least 5x: %s)\n", theirs, finished ? "" : " (stopped)",
                finished ? "" : "more than ", theirs / ours, theirs >= 5 * ours ? "ok" : "FAILED");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1)
        return printStatement(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir folder;
    for (const bool xml : {false, true}) {
        const QString path = folder.filePath(xml ? QStringLiteral("xml.ofx") : QStringLiteral("sgml.ofx"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(statement(xml)) < 0)
            return 1;
        file.close();
        measure(xml ? QStringLiteral("XML") : QStringLiteral("SGML"), path);
    }
    return 0;
}
