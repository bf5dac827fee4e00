// The transaction window on its own: its pop-ups, its checks in order, the
// stored rows, and the path without a user.

#include "LedgerFixture.h"

using TransactionWindow = TransactionTest;

namespace {

// The window as the new-transaction command leaves it, filled with a debit.
wTransacoes& filledDebit()
{
    wTransacoes& w = wTransacoes::instance();
    w.CarregaCategorias();
    w.CarregaContatos();
    w.CarregaContas();
    w.LimpaCampos();
    w.Show();
    w.sCategoria->setListIndex(w.sCategoria->findText("Casa"));
    w.sTipo->setListIndex(1);
    w.tValor->setText("12.50");
    w.tData->setText("05/03/26");
    w.tComentarios->setText("aluguel");
    return w;
}

} // namespace

// The loaders end with the insert row, the contacts start with the no-contact
// text; then each refusal in its turn, with its text and its way of showing.
TEST_F(TransactionWindow, loadersEndWithInsertRow_refusalsComeInOrder_storeNothing_insertRowHides_escapeCancels)
{
    wTransacoes& w = wTransacoes::instance();
    EXPECT_FALSE(w.isVisible());
    App::ContaInicial = "Carteira";
    w.CarregaCategorias();
    w.CarregaContatos();
    w.CarregaContas();
    EXPECT_EQ(rows(w.sCategoria) + rows(w.sContato) + rows(w.sContas),
              QStringList({"Casa", "Mercado", "Inserir...", "  -  ", "Loja", "Padaria", "Inserir...", "Banco",
                           "Carteira", "Inserir..."}));
    EXPECT_EQ(w.sCategoria->ListIndex() + w.sContato->ListIndex(), -2);
    EXPECT_EQ(w.sContas->Text(), "Carteira");

    exec("DELETE FROM Contas");
    w.CarregaContas();
    // With no account the only row must stay unselected, or it would open the register.
    EXPECT_EQ(rows(w.sContas), QStringList({"Inserir..."}));
    EXPECT_EQ(w.sContas->ListIndex(), -1);
    EXPECT_FALSE(w.isVisible());
    filledDebit();
    w.sCategoria->setListIndex(-1);
    w.tValor->clear();
    w.tData->setText("31/02/26");
    click(w.PushButton1);
    addAccounts({"Banco"});
    w.CarregaContas();
    click(w.PushButton1);
    select(w.sCategoria, "Casa");
    for (const char* zero : {"", "0", "0.00"}) {
        w.tValor->setText(zero);
        click(w.PushButton1);
    }
    w.tValor->setText("12.50");
    for (const char* bad : {"31/02/26", "29/02/25", "12/03/"}) {
        w.tData->setText(bad);
        click(w.PushButton1);
    }
    QStringList shown;
    for (const ShownText& t : recorder.shown)
        shown << t.kind + ":" + t.title + ":" + t.text + (t.showCancel ? "+cancel" : "");
    EXPECT_EQ(shown, QStringList({"message::Selecione uma conta", "confirm:Aviso:Selecione uma categoria",
                                  "confirm:Aviso:Valor não pode ser zero", "confirm:Aviso:Valor não pode ser zero",
                                  "confirm:Aviso:Valor não pode ser zero", "confirm:Aviso:Data inválida",
                                  "confirm:Aviso:Data inválida", "confirm:Aviso:Data inválida"}));
    EXPECT_EQ(rowCount(), 0);
    EXPECT_FALSE(w.okok);
    // A refused entry stays on screen as typed.
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.tData->Text(), "12/03/");

    // An "Inserir..." row hides the window and leaves the pop-up unselected;
    // Escape cancels, Return saves.
    filledDebit();
    for (PopupMenu* popup : {w.sCategoria, w.sContato}) {
        w.Show();
        select(popup, "Inserir...");
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(popup->ListIndex(), -1);
    }
    EXPECT_EQ(w.tValor->Text(), "12.50");

    filledDebit();
    QTest::keyClick(w.tComentarios, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(rowCount(), 0);
    w.Show();
    QTest::keyClick(w.tComentarios, Qt::Key_Return);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(rowCount(), 1);
}

// Saved without a mode: a debit without contact, then a credit with one,
// verified, for another account than the ledger shows.
TEST_F(TransactionWindow, okWithoutMode_storesEachTypeInItsColumn_reloadsLedgerAndHides_nextEntryKeepsType)
{
    wTransacoes& w = filledDebit();
    click(w.PushButton1);
    EXPECT_TRUE(recorder.shown.isEmpty());
    EXPECT_FALSE(w.isVisible());
    ASSERT_GE(ledgerRow("aluguel"), 0);
    EXPECT_EQ(main->Totalgeral->text(), "$-12.50");

    filledDebit();
    select(w.sContato, "Loja");
    select(w.sContas, "Carteira");
    w.sTipo->setListIndex(0);
    w.tValor->setText("1200.5");
    w.tComentarios->setText("luz");
    w.cConciliado->setChecked(true);
    testsupport::screenshot(w, "wTransacoes");
    click(w.PushButton1);
    ASSERT_EQ(storedRows(),
              QList<QStringList>({{"Banco", "Casa", "  -  ", "2026-03-05", "NULL", "12.5", "Não", "aluguel"},
                                  {"Carteira", "Casa", "Loja", "2026-03-05", "1200.5", "NULL", "Sim", "luz"}}));
    EXPECT_EQ(ledgerRow("luz"), -1);
    select(main->List_Contas, "Carteira");
    EXPECT_EQ(main->Totalgeral->text(), "$1,200.50");
    main->NovoMovimento();
    EXPECT_EQ(w.sTipo->ListIndex(), 0);
}

// A row handed over without a user is stored with its names and values
// unaltered (a four-digit year, an amount of nine integer digits whose total
// shows whole), straight into the ledger: the window the user has open, with
// what is typed and chosen in it, takes no part. Its problems are told; a
// failed write is left to the caller to report; nothing is shown.
TEST_F(TransactionWindow, handedOverRow_storesItsNamesAndValues_leavesTheOpenWindowAlone)
{
    wTransacoes& w = filledDebit();
    select(w.sContato, "Loja");
    const auto shown = [&w] {
        return QStringList{w.sContas->Text(), w.sCategoria->Text(), w.sContato->Text(),    w.sTipo->Text(),
                           w.tValor->Text(),  w.tData->Text(),      w.tComentarios->Text()};
    };
    const QStringList typed = shown();
    using Outcome = TransactionStore::Outcome;
    using Problem = TransactionEntry::Problem;
    const auto handedOver = [](const QString& account, double amount, const QDate& date, bool credit) {
        TransactionFields row;
        row.account = account;
        row.category = "Salário";
        row.contact = "";
        row.credit = credit;
        row.comment = "importado";
        row.amount = amount;
        row.date = date;
        const TransactionStore::HandedOver handed = TransactionStore::insertHandedOver(db(), row, false);
        return std::pair(handed.problem, handed.problem == Problem::None ? handed.outcome : Outcome::Failed);
    };
    EXPECT_EQ(handedOver("Conta Importada", 300, QDate(2026, 1, 10), true), std::pair(Problem::None, Outcome::Stored));
    EXPECT_EQ(handedOver("Banco", 0, QDate(2026, 1, 10), true).first, Problem::ZeroAmount);
    EXPECT_EQ(handedOver("Banco", 5, QDate(), true).first, Problem::BadDate);
    EXPECT_EQ(handedOver("Banco", 100345936.6 + 0.1 + 0.2, QDate(1999, 12, 31), false),
              std::pair(Problem::None, Outcome::Stored));
    EXPECT_EQ(shown(), typed);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(storedRows().first(),
              QStringList({"Conta Importada", "Salário", "", "2026-01-10", "300", "NULL", "Não", "importado"}));
    EXPECT_EQ(testsupport::column(db(), "SELECT data FROM Movimento WHERE saida = 100345936.6 + 0.1 + 0.2"),
              QStringList({"1999-12-31"}));
    EXPECT_EQ(rowCount(), 2);
    EXPECT_TRUE(recorder.shown.isEmpty());
    QLabel& total = *main->Totalgeral;
    const int right = total.geometry().right();
    main->CarregalMovimento(); // an import reloads the ledger once, at its end
    EXPECT_EQ(total.text(), "$-100,345,936.90");
    EXPECT_TRUE(QTest::qWaitFor([&] { return total.width() >= total.fontMetrics().horizontalAdvance(total.text()); }));
    EXPECT_EQ(total.geometry().right(), right);

    // Then the window's own OK stores what the user typed.
    click(w.PushButton1);
    EXPECT_EQ(storedRows().last(),
              QStringList({"Banco", "Casa", "Loja", "2026-03-05", "NULL", "12.5", "Não", "aluguel"}));

    testsupport::failOn(db(), "INSERT", "Movimento", "x");
    recorder.clear();
    EXPECT_EQ(handedOver("Banco", 5, QDate(2026, 1, 10), true), std::pair(Problem::None, Outcome::Failed));
    EXPECT_TRUE(recorder.shown.isEmpty());
    EXPECT_EQ(rowCount(), 3);
}
