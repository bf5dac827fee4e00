// The OFX import as the user meets it: the menu command's checks, the start a
// second after the window opens, the question, the review one transaction at
// a time, and the rows it stores.

#include "AppFixture.h"
#include "ExchangeFiles.h"
#include "exchange/wImportaOFX.h"
#include "registers/wCategorias.h"

#include <QPointer>
#include <QTimer>

namespace {

class OfxImport : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        openDatabase();
        addAccounts({"Banco", "Carteira", "Poupança"});
        addCategories({"Casa", "Mercado"});
        App::ContaInicial = QStringLiteral("Banco");
        App::MesInicial = Module1::kTodos2();
        main = &openMain();
        select(main->sAno, Module1::kTodos2());
    }

    // The menu command with `file` chosen in the open dialog ("" cancels it),
    // started at once rather than a second later.
    wImportaOFX& import(const QString& file)
    {
        recorder.fileNames.enqueue(file.isEmpty() ? QString() : ofxTestFile(file));
        App::_Importaofx_Action();
        wImportaOFX& w = wImportaOFX::instance();
        w.Timer1->stop();
        w.Timer1_Action();
        return w;
    }

    wCash* main = nullptr;
};

// Answers the confirmation as the recorder does, noting what the review shows behind the question.
class BehindTheQuestion final : public ConfirmationService
{
  public:
    explicit BehindTheQuestion(Recorder& recorder) : recorder_(recorder) { seams::setConfirmations(this); }
    ~BehindTheQuestion() override { seams::setConfirmations(&recorder_); }
    BehindTheQuestion(const BehindTheQuestion&) = delete;
    BehindTheQuestion& operator=(const BehindTheQuestion&) = delete;

    QStringList labels; // type, amount, memo when the first question was asked
    bool confirm(const QString& message, bool showCancel, const QString& title) override
    {
        if (labels.isEmpty() && wImportaOFX::exists()) {
            const wImportaOFX& w = wImportaOFX::instance();
            labels = QStringList({w.t_type->text(), w.t_valor->text(), w.t_comentarios->text()});
        }
        return recorder_.confirm(message, showCancel, title);
    }

  private:
    Recorder& recorder_;
};

} // namespace

TEST_F(OfxImport, menuCommand_needsAnAccountAndACategory)
{
    exec("DELETE FROM Contas");
    exec("DELETE FROM Categorias");
    App::_Importaofx_Action();
    addCategories({"Casa"});
    App::_Importaofx_Action();
    EXPECT_EQ(recorder.messages(),
              QStringList({Module1::kCategoriasVazias(), Module1::kContasVazias(), Module1::kContasVazias()}));
    EXPECT_FALSE(wImportaOFX::exists());
    // With both the window opens; its close box before the start stops the timer.
    addAccounts({"Banco"});
    App::_Importaofx_Action();
    const QPointer<QTimer> timer = wImportaOFX::instance().Timer1;
    ASSERT_TRUE(timer->isActive());
    wImportaOFX::instance().close();
    EXPECT_TRUE(!timer || !timer->isActive());
}

TEST_F(OfxImport, threeTransactions_reviewedAndStoredOneRowEach_theLedgerFollows)
{
    App::_Importaofx_Action();
    wImportaOFX& w = wImportaOFX::instance();
    EXPECT_TRUE(w.isVisible() && !w.PushButton1->isEnabled());
    recorder.fileNames.enqueue(ofxTestFile("three.ofx"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder.confirmations().isEmpty(); }, 3000));
    EXPECT_EQ(recorder.confirmations(), QStringList({"Confirma importação de 3 Movimentos?"}));
    EXPECT_TRUE(recorder.shown.last().showCancel);

    EXPECT_EQ(QStringList({w.t_type->text(), w.t_valor->text(), w.t_comentarios->text(), w.tData->Text(),
                           w.t_atual->text(), w.t_total->text()}),
              QStringList({"DEBIT", "-52.10", "PAGAMENTO CONTA LUZ", "05/12/26", "1", "3"}));
    EXPECT_EQ(QStringList({w.sContas->Text(), w.sCategoria->Text()}), QStringList({"Banco", "Casa"}));
    EXPECT_TRUE(w.tData->isVisible() && w.PushButton1->isEnabled());
    // The counts of a statement at the size limit show whole: one cut short reads as another number.
    for (QLabel* count : {w.t_atual, w.t_total})
        EXPECT_LE(count->fontMetrics().horizontalAdvance(Str(kImportFileLimit / 16)), count->width());
    testsupport::screenshot(w, "wImportaOFX");
    w.tData->setText("5/3/26");
    click(w.PushButton1);
    EXPECT_EQ(main->lMovimento->ListCount(), 1);

    EXPECT_EQ(w.t_comentarios->text(), "SALARIO <b>JAN</b>");
    EXPECT_EQ(w.t_atual->text(), "2");
    select(w.sContas, "Carteira");
    select(w.sCategoria, "Mercado");
    w.tData->setText("060326");
    click(w.PushButton1);
    click(w.PushButton1);
    // The last one stays shown until one more OK.
    EXPECT_EQ(QStringList({w.t_type->text(), w.t_atual->text()}), QStringList({"DEP", "3"}));
    EXPECT_EQ(storedRows(), QList<QStringList>({
                                {"Banco", "Casa", "", "2026-03-05", "NULL", "52.1", "Sim", "PAGAMENTO CONTA LUZ"},
                                {"Carteira", "Mercado", "", "2026-03-06", "100", "NULL", "Sim", "SALARIO <b>JAN</b>"},
                                {"Carteira", "Mercado", "", "2026-12-05", "7.25", "NULL", "Sim", "ESTORNO"},
                            }));
    click(w.PushButton1);
    EXPECT_FALSE(wImportaOFX::exists());
    EXPECT_EQ(recorder.confirmations().size(), 1);
    EXPECT_TRUE(recorder.messages().isEmpty());
}

TEST_F(OfxImport, refusedAccountDateOrWrite_keepsTheTransaction_zeroAndBadAmountsAreSkipped)
{
    wImportaOFX& w = import("three.ofx");
    w.sContas->setListIndex(-1);
    click(w.PushButton1);
    EXPECT_EQ(recorder.messages(), QStringList({"Selecione uma conta"}));
    select(w.sContas, "Banco");
    w.tData->setText("31/02/26");
    click(w.PushButton1);
    EXPECT_EQ(recorder.shown.last().text, "Data inválida");
    w.tData->setText("28/02/26");
    testsupport::failOn(db(), "INSERT", "Movimento", "disco cheio");
    click(w.PushButton1);
    EXPECT_EQ(recorder.messages().last(), "Erro: 19\n\ndisco cheio");
    EXPECT_EQ(w.t_atual->text(), "1");
    EXPECT_TRUE(storedRows().isEmpty());
    exec("DROP TRIGGER fail_INSERT_Movimento");
    click(w.PushButton1);
    EXPECT_EQ(w.t_atual->text(), "2");
    EXPECT_EQ(storedRows().size(), 1);
    click(w.PushButton2);

    recorder.clear();
    wImportaOFX& again = import("refusals.ofx");
    click(again.PushButton1);
    EXPECT_EQ(recorder.shown.last().title, "Aviso");
    click(again.PushButton1);
    EXPECT_EQ(recorder.confirmations(),
              QStringList({"Confirma importação de 3 Movimentos?", "Valor não pode ser zero"}));
    EXPECT_EQ(recorder.messages(), QStringList({"Formato Incompatível."}));
    EXPECT_EQ(again.t_comentarios->text(), "ESTORNO");
    click(again.PushButton1);
    EXPECT_EQ(storedRows().last(), QStringList({"Banco", "Casa", "", "2026-12-05", "NULL", "5", "Sim", "ESTORNO"}));
}

// OFX amounts keep their own reader: a bank's third decimal is not the
// thousands group a typed "1.500" could be.
TEST_F(OfxImport, amountsWithThreeDecimals_areStoredAsTheBankWroteThem)
{
    wImportaOFX& w = import("three_decimals.ofx");
    EXPECT_EQ(w.t_valor->text(), "-12.345");
    click(w.PushButton1);
    EXPECT_EQ(w.t_valor->text(), "1.500");
    click(w.PushButton1);
    click(w.PushButton1);
    EXPECT_FALSE(wImportaOFX::exists());
    EXPECT_EQ(recorder.confirmations(), QStringList({"Confirma importação de 2 Movimentos?"}));
    EXPECT_TRUE(recorder.messages().isEmpty());
    EXPECT_EQ(storedRows(), QList<QStringList>({
                                {"Banco", "Casa", "", "2026-12-05", "NULL", "12.345", "Sim", "TARIFA EM TRES CASAS"},
                                {"Banco", "Casa", "", "2026-12-05", "1.5", "NULL", "Sim", "RENDIMENTO"},
                            }));
}

TEST_F(OfxImport, cancelNothingFoundOrUnreadable_closesTheWindowAndStoresNothing)
{
    const std::tuple<QString, bool, QString> cases[] = {
        {"three.ofx", false, "Confirma importação de 3 Movimentos?"},
        {"", true, "Nada para importar..."},
        {"no_statement.ofx", true, "Nada para importar..."},
        {"missing.ofx", true, "Não foi possível ler o arquivo.\n\n"},
    };
    for (const auto& [file, confirm, said] : cases) {
        recorder.clear();
        recorder.defaultAnswer = confirm;
        import(file);
        EXPECT_FALSE(wImportaOFX::exists()) << file.toStdString();
        ASSERT_EQ(recorder.shown.size(), 2) << file.toStdString();
        EXPECT_TRUE(recorder.shown.last().text.startsWith(said)) << file.toStdString();
    }
    EXPECT_TRUE(storedRows().isEmpty());
}

TEST_F(OfxImport, insertRow_endsTheImportAndOpensTheRegister_storedRowsStay)
{
    App::ContaInicial = QStringLiteral("Poupança");
    wImportaOFX& w = import("three.ofx");
    EXPECT_EQ(rows(w.sContas), QStringList({"Banco", "Carteira", "Poupança", "Inserir..."}));
    EXPECT_EQ(w.sContas->Text(), "Poupança");
    click(w.PushButton1);
    select(w.sCategoria, "Inserir...");
    EXPECT_FALSE(wImportaOFX::exists());
    EXPECT_TRUE(wCategorias::exists() && wCategorias::instance().isVisible());
    EXPECT_EQ(storedRows().size(), 1);
}

TEST_F(OfxImport, statementsAsBanksWriteThem_storedWhole_aCutFileIsToldOnceBeforeTheQuestion)
{
    // The file; what is said before the question; the last transaction, shown behind
    // the question; the memos stored when every transaction is confirmed.
    const std::tuple<QString, QStringList, QStringList, QStringList> cases[] = {
        {"cdata.ofx", {}, {"DEBIT", "-1.00", ""}, {"COMPRA A&B <LOJA> 3<10", "PIX RECEBIDO &amp; JOÃO & CIA", ""}},
        {"utf8_under_1252.ofx",
         {},
         {"CREDIT", "1200.00", "CRÉDITO SALÁRIO €"},
         {"SERVIÇOS DIGITAIS", "CRÉDITO SALÁRIO €"}},
        {"unclosed_last_block.ofx",
         {Module1::kMsgExtratoIncompleto()},
         {"CREDIT", "8.00", "ABERTA"},
         {"FECHADA", "ABERTA"}},
    };
    for (const auto& [file, told, behind, memos] : cases) {
        exec("DELETE FROM Movimento");
        recorder.clear();
        BehindTheQuestion question(recorder);
        wImportaOFX& w = import(file);
        EXPECT_EQ(recorder.messages(), told) << file.toStdString();
        EXPECT_EQ(recorder.shown.last().kind, "confirm") << file.toStdString();
        EXPECT_EQ(question.labels, behind) << file.toStdString();
        for (qsizetype i = 0; i <= memos.size(); ++i)
            click(w.PushButton1);
        EXPECT_FALSE(wImportaOFX::exists()) << file.toStdString();
        QStringList stored;
        for (const QStringList& row : storedRows())
            stored << row.last();
        EXPECT_EQ(stored, memos) << file.toStdString();
    }
}
