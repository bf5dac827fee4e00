// Files no import should take as they come, through the text import and the
// OFX review as the user meets them: past the size limit, not a plain file,
// UTF-16 with or without a byte-order mark, control characters, memos with
// markup and a memo of megabytes, an amount no ledger holds. Each row: what
// the user is told and what is stored. The files are made by the test; the
// large ones are sparse.

#include "AppFixture.h"
#include "FileKinds.h"
#include "exchange/wImporta.h"
#include "exchange/wImportaOFX.h"

#include <QStringEncoder>
#include <QTextDocument>
#include <functional>

namespace {

enum class Reader {
    Text,
    Ofx,
};

QString sparseFile(qint64 size, const QString& name)
{
    const QString path = testsupport::tempPath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(size)) << name.toStdString();
    return path;
}

QString fifo()
{
    const QString path = testsupport::tempPath(QStringLiteral("fifo.ofx"));
    EXPECT_TRUE(testsupport::makeFifo(path));
    return path;
}

QByteArray ofx(const QByteArray& transactions)
{
    return "OFXHEADER:100\nCHARSET:1252\n\n<OFX><BANKTRANLIST>\n" + transactions + "</BANKTRANLIST></OFX>\n";
}

QString ofxFile(const QByteArray& bytes)
{
    return testsupport::newFile(bytes, QStringLiteral("statement.ofx"));
}

QByteArray transaction(const QByteArray& amount, const QByteArray& memo)
{
    return "<STMTTRN>\n<TRNTYPE>DEBIT\n<TRNAMT>" + amount + "\n<MEMO>" + memo + "\n</STMTTRN>\n";
}

QString utf16(QStringConverter::Encoding encoding, const QString& text, bool mark, const QString& name)
{
    QStringEncoder encoder(encoding, mark ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
    return testsupport::newFile(encoder.encode(text), name);
}

const QString kGenericLines = QStringLiteral("Conta\tCategoria\tContato\tData\tCrédito\tDébito\r\n"
                                             "Banco\tCafé\tZé\t05/03/26\t0\t7,50\r\n");
const QString kStatementUtf16 = QString::fromUtf8(ofx(transaction("-52.10", "PÃO &amp; CAFÉ €")));

// A long value as a short text, exact enough to tell two apart.
QString summary(const QString& text)
{
    return text.size() <= 64
               ? text
               : QStringLiteral("%1… (%2 characters, hash %3)").arg(text.left(16)).arg(text.size()).arg(qHash(text));
}

const QString kLongMemo = QStringLiteral("PIX RECEBIDO DE FULANO ").repeated(150000);
// Memos too long for their label, with what a tool tip could take for markup.
const QString kBoldMemo = QStringLiteral("TARIFA <b>PACOTE</b> SERVICOS ").repeated(8).trimmed();
const QString kLessThanMemo = QStringLiteral("A<B TRANSFERENCIA ENTRE CONTAS ").repeated(8).trimmed();

// Shown whole, or a prefix of it cut with "…".
bool showsOf(const QString& shown, const QString& text)
{
    return shown == text || (shown.endsWith(u'…') && text.startsWith(shown.chopped(1)));
}

// A tool tip as it reads on the screen: rich text when it looks like it.
QString readAs(const QString& toolTip)
{
    if (!Qt::mightBeRichText(toolTip))
        return toolTip;
    QTextDocument document;
    document.setHtml(toolTip);
    return document.toPlainText();
}

struct Hostile
{
    const char* what;
    Reader reader;
    std::function<QString()> file;
    QStringList told;
    QList<QStringList> stored; // account, category, contact, credit, debit, comment
};

class HostileFiles : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        openDatabase();
        addAccounts({"Banco"});
        addCategories({"Casa"});
        openMain();
    }

    void importText(const QString& path)
    {
        recorder.fileNames << path;
        App::ImportaDados();
        if (wImporta::exists() && wImporta::instance().isVisible())
            click(wImporta::instance().btImporta);
    }

    // Reviews every transaction with OK; each memo label must show what fits
    // of its memo, and its tool tip, when the memo does not fit, a longer part
    // of it as plain text.
    void importOfx(const QString& path)
    {
        recorder.fileNames << path;
        App::_Importaofx_Action();
        wImportaOFX& w = wImportaOFX::instance();
        w.Timer1->stop();
        w.Timer1_Action();
        for (int i = 0; i < 10 && wImportaOFX::exists(); ++i) {
            const QString label = w.t_comentarios->text();
            const QString memo = w.transacoes[size_t(std::min(w.transacaoatual, w.Contatransacoes) - 1)].memo;
            EXPECT_LE(w.t_comentarios->fontMetrics().horizontalAdvance(label), w.t_comentarios->width());
            EXPECT_TRUE(showsOf(label, memo)) << summary(label).toStdString();
            const QString tip = readAs(w.t_comentarios->toolTip());
            if (label != memo) {
                EXPECT_TRUE(showsOf(tip, memo) && tip.size() > label.size())
                    << "the tool tip reads \"" << summary(tip).toStdString() << "\" for the memo \""
                    << summary(memo).toStdString() << '"';
            }
            if (label != memo)
                testsupport::screenshot(w, memo.size() > 1000 ? "wImportaOFX_longMemo" : "wImportaOFX_cutMemo");
            click(w.PushButton1);
        }
        EXPECT_FALSE(wImportaOFX::exists());
    }
};

} // namespace

TEST_F(HostileFiles, eachFile_tellsTheUserWhatItIs_andStoresOnlyWhatItHolds)
{
    const QString unread = Module1::kMsgArquivoIlegivel() + QStringLiteral("\n\n");
    // The file's name takes the place of %1.
    const QString notAFile = unread + Module1::kMsgNaoEArquivoComum();
    const QString one = QStringLiteral("Confirma importação de 1 Movimentos?");
    const QStringList stored = {"Banco", "Casa", "", "NULL", "52.1", "PÃO & CAFÉ €"};
    const QStringList imported = {"Banco", "Café", "Zé", "NULL", "7.5", ""};
    const Hostile cases[] = {
        {"text past the limit",
         Reader::Text,
         [] { return sparseFile(300 << 20, "big.txt"); },
         {unread + "O arquivo tem 300 MB, mais que o limite de 256 MB."},
         {}},
        {"OFX past the limit",
         Reader::Ofx,
         [] { return sparseFile(qint64(1) << 30, "big.ofx"); },
         {unread + "O arquivo tem 1024 MB, mais que o limite de 256 MB."},
         {}},
        {"text, one byte past the limit",
         Reader::Text,
         [] { return sparseFile(kImportFileLimit + 1, "big.txt"); },
         {unread + "O arquivo tem 257 MB, mais que o limite de 256 MB."},
         {}},
        {"text: a pipe", Reader::Text, fifo, {notAFile}, {}},
        {"OFX: a pipe", Reader::Ofx, fifo, {notAFile}, {}},
        {"text: /dev/zero", Reader::Text, [] { return QStringLiteral("/dev/zero"); }, {notAFile}, {}},
        {"OFX: /dev/urandom", Reader::Ofx, [] { return QStringLiteral("/dev/urandom"); }, {notAFile}, {}},
        {"text: a folder", Reader::Text, [] { return QDir::tempPath(); }, {notAFile}, {}},
        {"text in UTF-16 LE without a mark",
         Reader::Text,
         [] { return utf16(QStringConverter::Utf16LE, kGenericLines, false, "le.txt"); },
         {"Total Importado:  1"},
         {imported}},
        {"text in UTF-16 BE without a mark",
         Reader::Text,
         [] { return utf16(QStringConverter::Utf16BE, kGenericLines, false, "be.txt"); },
         {"Total Importado:  1"},
         {imported}},
        {"OFX in UTF-16 LE with a mark, under a Windows-1252 header",
         Reader::Ofx,
         [] { return utf16(QStringConverter::Utf16LE, kStatementUtf16, true, "le.ofx"); },
         {one},
         {stored}},
        {"OFX in UTF-16 BE with a mark",
         Reader::Ofx,
         [] { return utf16(QStringConverter::Utf16BE, kStatementUtf16, true, "be.ofx"); },
         {one},
         {stored}},
        {"OFX in UTF-16 LE without a mark",
         Reader::Ofx,
         [] { return utf16(QStringConverter::Utf16LE, kStatementUtf16, false, "le.ofx"); },
         {one},
         {stored}},
        {"OFX memos with control characters",
         Reader::Ofx,
         [] {
             return ofxFile(ofx(transaction("-1", QByteArray("\0\0\0", 3)) +
                                transaction("-2", QByteArray("A\0B\x01\tC\x7F", 7)) +
                                transaction("-3", "X&#9;Y&#x2028;Z&#x85;")));
         },
         {"Confirma importação de 3 Movimentos?"},
         {{"Banco", "Casa", "", "NULL", "1", ""},
          {"Banco", "Casa", "", "NULL", "2", "A B  C"},
          {"Banco", "Casa", "", "NULL", "3", "X Y Z"}}},
        {"OFX amount too large to keep to the cent",
         Reader::Ofx,
         [] { return ofxFile(ofx(transaction("99999999999999999999999", "GRANDE") + transaction("-4", "OK"))); },
         {"Confirma importação de 2 Movimentos?",
          "O valor \"99999999999999999999999\" é grande demais para ser guardado com exatidão."},
         {{"Banco", "Casa", "", "NULL", "4", "OK"}}},
        {"OFX memos too long for their label, with markup",
         Reader::Ofx,
         [] {
             return ofxFile(ofx(transaction("-6", kBoldMemo.toHtmlEscaped().toLatin1()) +
                                transaction("-7", kLessThanMemo.toHtmlEscaped().toLatin1())));
         },
         {"Confirma importação de 2 Movimentos?"},
         {{"Banco", "Casa", "", "NULL", "6", summary(kBoldMemo)},
          {"Banco", "Casa", "", "NULL", "7", summary(kLessThanMemo)}}},
        {"OFX memo of megabytes",
         Reader::Ofx,
         [] { return ofxFile(ofx(transaction("-5", kLongMemo.toLatin1()))); },
         {one},
         {{"Banco", "Casa", "", "NULL", "5", summary(kLongMemo.trimmed())}}},
    };
    for (const Hostile& c : cases) {
        SCOPED_TRACE(c.what);
        exec("DELETE FROM Movimento");
        exec("DELETE FROM Categorias WHERE descricao <> 'Casa'");
        recorder.clear();
        const QString path = c.file();
        const testsupport::FifoWatchdog watchdog(path);
        if (c.reader == Reader::Text)
            importText(path);
        else
            importOfx(path);
        EXPECT_FALSE(watchdog.released()) << "the import opened the FIFO as a file and waited on it for a writer";
        QStringList told;
        for (const ShownText& shown : recorder.shown)
            if (shown.kind != QLatin1String("open-dialog"))
                told << shown.text;
        QStringList expected = c.told;
        for (QString& text : expected)
            if (text.contains(QLatin1String("%1")))
                text = text.arg(path);
        EXPECT_EQ(told, expected);
        QList<QStringList> rows =
            testsupport::rows(db(), "SELECT conta_nome, conta, contato, entrada, saida, comentarios FROM Movimento");
        for (QStringList& row : rows)
            row.last() = summary(row.last());
        EXPECT_EQ(rows, c.stored);
    }
}
