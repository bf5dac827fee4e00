// The export and import commands with their windows: the round trip of a
// ledger, the preview and its refusals, the import's refusals and counts, and
// a failure or a kill half way through an import.

#include "AppFixture.h"
#include "ExchangeFiles.h"
#include "FullDisk.h"
#include "exchange/wImporta.h"
#include "ui/common/MenuBar1.h"

#include <QAction>
#include <QCoreApplication>
#include <QProcess>
#include <algorithm>

using TextExchange = AppTest;
using testsupport::column;
using testsupport::newFile;

TEST_F(TextExchange, exportThenImportIntoAnEmptyFile_givesTheSameLedger_andOnlyTheNamesUsed)
{
    openDatabase();
    addAccounts({"Banco", "Sem uso"});
    addTransaction("Banco", "Salário", "Empresa \"Zé\" O'Neil", "2026-03-05", "1234.5", "", "Sim", "março\tabril");
    addTransaction("Banco", "Mercado", "  -  ", "1999-12-31", "", "0.01", "Não", "linha\r\nnova");
    addTransaction("Cartão", "Mercado", "Loja", "2087-07-01", "1e9", "", "Não");
    addTransaction("Cartão", "Devolução", "Loja", "2026-01-02", "-52.1", "", "Sim");
    addTransaction("Cartão", "Devolução", "  -  ", "2100-01-03", "", "-3", "Sim"); // four digits in the file
    QList<QStringList> expected = storedRows();
    expected[0][7] = "março abril";
    expected[1][7] = "linha  nova";
    const QString path = testsupport::tempPath("Tovira Export.txt");
    recorder.fileNames << path;
    BindMenuHandlers(MenuBar1::instance());
    MenuBar1::instance().entry("mExportar")->trigger();
    ASSERT_TRUE(QFile::exists(path));

    closeWindows();
    openDatabase();
    openMain();
    recorder.fileNames << path;
    App::ImportaDados();
    wImporta& w = wImporta::instance();
    ASSERT_TRUE(w.isVisible());
    EXPECT_EQ(w.tipoarquivo->text(), "Tovira");
    EXPECT_EQ(QStringList({w.impContato->text(), w.impCredito->text(), w.impVerificado->text()}),
              QStringList({"Empresa \"Zé\" O'Neil", "1,234.50", "Sim"}));
    for (QCheckBox* box : {w.cConta, w.cDebito, w.cVerificado})
        EXPECT_TRUE(box->isChecked() && !box->isEnabled());
    testsupport::screenshot(w, "wImporta_own");
    click(w.btImporta);

    EXPECT_EQ(recorder.messages(), QStringList({"Total Importado:  5"}));
    EXPECT_EQ(storedRows(), expected);
    EXPECT_EQ(column(db(), "SELECT nome FROM Contas ORDER BY 1"), QStringList({"Banco", "Cartão"}));
    EXPECT_EQ(column(db(), "SELECT descricao FROM Categorias ORDER BY 1"),
              QStringList({"Devolução", "Mercado", "Salário"}));
    EXPECT_EQ(column(db(), "SELECT nome FROM Contatos ORDER BY 1"), QStringList({"Empresa \"Zé\" O'Neil", "Loja"}));
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(rows(wCash::instance().List_Contas), QStringList({"Banco", "Cartão"}));
}

TEST_F(TextExchange, preview_ofAGenericFile_andTheFilesItRefuses)
{
    openDatabase();
    recorder.fileNames << textFile("generic_header.txt");
    BindMenuHandlers(MenuBar1::instance());
    MenuBar1::instance().entry("mImportar")->trigger();
    wImporta& w = wImporta::instance();
    ASSERT_TRUE(w.isVisible());
    EXPECT_EQ(w.tipoarquivo->text(), "Texto");
    EXPECT_EQ(QStringList({w.impData->text(), w.impDebito->text(), w.impVerificado->text()}),
              QStringList({"5/3/26", "12,50", "Não"}));
    EXPECT_FALSE(w.cVerificado->isChecked() || w.cVerificado->isEnabled());
    testsupport::screenshot(w, "wImporta_generic");

    const std::pair<QString, QString> refused[] = {
        {textFile("no_tab.txt"), "Os campos devem ser separados por TAB"},
        {textFile("header_only.txt"), "Formato Incompatível."},
        {textFile("empty_credit.txt"), "Formato Incompatível."},
        {newFile(wImporta::ownCaptions().join('\t').toUtf8() + "\tComentários:\n"), "Nada para importar..."},
        {textFile("missing.txt"), "Não foi possível ler o arquivo."},
    };
    for (const auto& [file, message] : refused) {
        recorder.clear();
        recorder.fileNames << file;
        App::ImportaDados();
        EXPECT_TRUE(recorder.messages().value(0).startsWith(message)) << file.toStdString();
        EXPECT_FALSE(w.isVisible()) << file.toStdString();
        click(w.btImporta);
        EXPECT_TRUE(storedRows().isEmpty());
    }
}

// Every line is read before anything is stored: the refused ones are told in
// one warning, which lets the user stop with nothing imported.
TEST_F(TextExchange, import_refusesBadLinesWithTheirMessages_skipsBlankOnes_andCountsWhatWasStored)
{
    openDatabase();
    const QString refused = QStringLiteral(" na linha %1: a linha não foi importada.");
    const QString warning =
        QStringList({"Data inválida" + refused.arg(4), "Valor inválido" + refused.arg(5),
                     "Faltam campos" + refused.arg(6), "Valor zero" + refused.arg(7), "Data inválida" + refused.arg(8),
                     "Importar as outras linhas do arquivo (1)? Com \"Cancela\", nada é "
                     "importado."})
            .join("\n\n");
    for (const bool goOn : {false, true}) {
        recorder.clear();
        recorder.answers << goOn;
        recorder.fileNames << textFile("refusals.txt");
        App::ImportaDados();
        click(wImporta::instance().btImporta);
        EXPECT_EQ(recorder.confirmations(), QStringList{warning});
        EXPECT_EQ(recorder.messages(), QStringList{goOn ? "Total Importado:  1" : "Nada foi importado."});
        EXPECT_EQ(column(db(), "SELECT comentarios FROM Movimento"), goOn ? QStringList({"ok"}) : QStringList());
    }
    const auto confirmation = [this] {
        return *std::find_if(recorder.shown.begin(), recorder.shown.end(),
                             [](const ShownText& shown) { return shown.kind == "confirm"; });
    };
    EXPECT_TRUE(confirmation().showCancel);

    // Thousands of lines that cannot be imported: one warning, the first few named.
    recorder.clear();
    QByteArray bad = "Conta\tCategoria\tContato\tData\tCrédito\tDébito\n";
    for (int i = 0; i < 4000; ++i)
        bad += "Banco\tCasa\tAna\t05/03/26\tdez\t0\n";
    recorder.fileNames << newFile(bad);
    App::ImportaDados();
    click(wImporta::instance().btImporta);
    ASSERT_EQ(recorder.confirmations().size(), 1);
    EXPECT_TRUE(recorder.confirmations()[0].startsWith("Valor inválido" + refused.arg(2) + "\n\n"));
    EXPECT_TRUE(recorder.confirmations()[0].endsWith("Valor inválido" + refused.arg(6) +
                                                     "\n\nLinhas recusadas ao todo: 4000.\n\nNada foi importado."));
    EXPECT_FALSE(confirmation().showCancel);
    EXPECT_EQ(recorder.messages(), QStringList());
    EXPECT_EQ(column(db(), "SELECT count(*) FROM Movimento"), QStringList({"1"}));

    // A generic file: a line whose names no register takes, or whose amount
    // columns cannot be read as the file means them, is refused whole and named.
    recorder.clear();
    recorder.fileNames << textFile("generic_refusals.txt");
    App::ImportaDados();
    click(wImporta::instance().btImporta);
    const QString columns =
        QStringLiteral(" na linha %1: as colunas de crédito e de débito devem estar preenchidas (0 na "
                       "que não se aplica). A linha não foi importada.");
    EXPECT_EQ(recorder.confirmations(),
              QStringList({QStringList({"Conta inválida" + refused.arg(3), "Crédito vazio" + columns.arg(4),
                                        "Categoria inválida" + refused.arg(5),
                                        "Valor ambíguo na linha 6 (\"5.000\"): o ponto ou a vírgula pode separar "
                                        "milhares ou decimais. A linha não foi importada.",
                                        "Débito vazio" + columns.arg(7), "Linhas recusadas ao todo: 8.",
                                        "Importar as outras linhas do arquivo (2)? Com \"Cancela\", nada é "
                                        "importado."})
                               .join("\n\n")}));
    EXPECT_EQ(recorder.messages(), QStringList({"Total Importado:  2"}));
    EXPECT_EQ(
        testsupport::rows(db(), "SELECT conta_nome, conta, contato, data, entrada, saida FROM Movimento WHERE id > 1"),
        QList<QStringList>({{"Banco", "Mercado", "Padaria", "2026-03-05", "NULL", "1234.56"},
                            {"Banco", "Salário", "Zé", "2026-03-06", "1500", "NULL"}}));
    EXPECT_EQ(column(db(), "SELECT nome FROM Contas UNION ALL SELECT descricao FROM Categorias UNION ALL SELECT nome "
                           "FROM Contatos"),
              QStringList({"Banco", "Mercado", "Salário", "Padaria", "Zé"}));
    exec("DELETE FROM Movimento WHERE id > 1");

    // CRLF and UTF-16 files; a generic line takes no comment left in the transaction window.
    // While an import runs nothing can start another one.
    wTransacoes::instance().tComentarios->setText("de antes");
    BindMenuHandlers(MenuBar1::instance());
    int reentered = 0;
    db().setStatementObserver([&](const QString&) {
        if (!wImporta::instance().running() || reentered++)
            return;
        EXPECT_TRUE(wImporta::instance().isModal() && !wImporta::instance().btImporta->isEnabled());
        EXPECT_FALSE(MenuBar1::instance().entry("mImportar")->isEnabled());
        wImporta::instance().ImportaDados2();
        App::ImportaDados();
    });
    for (const char* file : {"generic_crlf.txt", "utf16.txt"}) {
        recorder.fileNames << textFile(file);
        App::ImportaDados();
        click(wImporta::instance().btImporta);
        reentered = 0;
    }
    db().setStatementObserver(nullptr);
    EXPECT_EQ(recorder.texts("open-dialog").size(), 3);
    EXPECT_EQ(testsupport::rows(db(), "SELECT entrada, saida, comentarios FROM Movimento WHERE id > 1 ORDER BY id"),
              QList<QStringList>({{"NULL", "-3", ""}, {"3", "NULL", ""}, {"2", "NULL", ""}}));
    EXPECT_EQ(recorder.messages().mid(1), QStringList({"Total Importado:  2", "Total Importado:  1"}));
}

TEST_F(TextExchange, export_thatFails_leavesTheOlderFileAsItWas_andSaysSo)
{
    openDatabase();
    const QString path = newFile("older export\n");
    exec("DROP TABLE Movimento");
    recorder.fileNames << path << testsupport::tempPath("no/such/folder/x.txt");
    App::ExportaDados();
    App::ExportaDados();
    ASSERT_EQ(recorder.messages().size(), 2);
    EXPECT_EQ(recorder.messages()[0], "no such table: Movimento");
    EXPECT_TRUE(recorder.messages()[1].startsWith("Não foi possível gravar o arquivo exportado."));
    EXPECT_EQ(testsupport::readFile(path), "older export\n");
    App::ExportaDados(); // cancelled: nothing
    EXPECT_EQ(recorder.messages().size(), 2);
}

// On a full disk a small export fails only when it is flushed, a large one as
// it writes: either way the user is told, an older export they agreed to
// replace stays as it was, and no file is left where there was none.
TEST_F(TextExchange, export_ontoAFullDisk_isReported_andLeavesTheOlderFileAndNoEmptyOne)
{
    const QString folder = testsupport::tempPath("full");
    testsupport::FullDisk disk(folder, {{"older.txt", "older export\n"}});
    if (!disk.mounted())
        GTEST_SKIP() << disk.reason().toStdString();
    openDatabase();
    addTransaction("Banco", "Casa", "  -  ", "2026-03-05", "10", "");
    for (const int rows : {1, 3000}) {
        if (rows > 1)
            exec("WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                 "INSERT INTO Movimento (conta_nome, conta, data, entrada) "
                 "SELECT 'Banco', 'Casa', '2026-03-05', i FROM n");
        for (const char* name : {"older.txt", "Tovira Export.txt"}) {
            SCOPED_TRACE(std::to_string(rows) + " rows to " + name);
            recorder.clear();
            recorder.fileNames << folder + '/' + name;
            App::ExportaDados();
            ASSERT_EQ(recorder.messages().size(), 1);
            EXPECT_TRUE(recorder.messages()[0].startsWith(Module1::kMsgExportacaoFalhou()));
            EXPECT_EQ(disk.entries(), QStringList({"older.txt"}));
            EXPECT_EQ(testsupport::readFile(folder + "/older.txt"), "older export\n");
        }
    }
}

// A database failure half way, then a kill: the test runs itself as a child
// process that imports many lines into the data file it is given and says so
// once it is well under way.
TEST_F(TextExchange, failureOrKillHalfWay_leavesLedgerAndRegistersAsBefore)
{
    if (const QString file = qEnvironmentVariable("TOVIRA_KILLED_IMPORT"); !file.isEmpty()) {
        App::CashDB = std::make_unique<SQLDatabase>();
        App::CashDB->setDatabaseFile(file);
        ASSERT_TRUE(App::CashDB->Connect());
        int inserts = 0;
        App::CashDB->setStatementObserver([&](const QString& sql) {
            if (sql.startsWith("INSERT") && ++inserts == 2000)
                fputs("IMPORT-RUNNING\n", stdout), fflush(stdout);
        });
        for (int i = 0; i < 200000; ++i)
            App::textoimporta << QString("Banco\tCasa\tAna\t05/03/26\t%1\t0").arg(i + 1);
        return wImporta::instance().ImportaDados2();
    }
    openDatabase();
    addTransaction("Antes", "Casa", "  -  ", "2026-01-01", "1", "");
    exec("CREATE TRIGGER quebra BEFORE INSERT ON Movimento WHEN NEW.conta_nome = 'Quebra' "
         "BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
    recorder.fileNames << newFile("Banco\tCasa\tAna\t05/03/26\t1\t0\nQuebra\tCasa\tAna\t05/03/26\t1\t0\n"
                                  "Banco\tCasa\tAna\t05/03/26\t1\t0\n");
    App::ImportaDados();
    click(wImporta::instance().btImporta);
    // The failure is the one message: the import changed nothing.
    EXPECT_EQ(recorder.messages().size(), 1);
    EXPECT_TRUE(recorder.messages().value(0).contains("disco cheio"));
    EXPECT_EQ(column(db(), "SELECT conta_nome FROM Movimento"), QStringList({"Antes"}));
    EXPECT_TRUE(testsupport::rows(db(), "SELECT nome FROM Contas UNION ALL SELECT nome FROM Contatos").isEmpty());

    closeWindows();
    const QString file = db().DatabaseFile();
    App::CashDB.reset();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TOVIRA_KILLED_IMPORT", file);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=TextExchange.failureOrKillHalfWay*"});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray said;
    while (!said.contains("IMPORT-RUNNING") && child.waitForReadyRead(60000))
        said += child.readAllStandardOutput();
    ASSERT_TRUE(said.contains("IMPORT-RUNNING")) << said.toStdString();
    child.kill();
    child.waitForFinished();

    App::CashDB = std::make_unique<SQLDatabase>();
    App::CashDB->setDatabaseFile(file);
    ASSERT_TRUE(App::CashDB->Connect());
    EXPECT_EQ(column(db(), "SELECT conta_nome FROM Movimento"), QStringList({"Antes"}));
    EXPECT_TRUE(testsupport::rows(db(), "SELECT nome FROM Contas UNION ALL SELECT nome FROM Contatos").isEmpty());
}
