// The main window's new, edit and delete commands over the transaction window.

#include "LedgerFixture.h"

using TransactionCommands = TransactionTest;

// The edit fills the window from the row, typing over the amount corrects it;
// a new transaction then starts on today and the shown account, all else cleared.
TEST_F(TransactionCommands, editingADebitRow_fillsTheWindowFromTheRow_thenNewTransactionStartsClear)
{
    addTransaction("Banco", "Casa", "  -  ", "2026-03-05", "", "1234.5", "Sim", "luz");
    main->lMovimento->setListIndex(ledgerRow("luz"));
    main->lMovimento_DoubleClick();
    wTransacoes& w = wTransacoes::instance();
    EXPECT_EQ(Module1::transacaoopcao, "a");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(QStringList({w.tValor->Text(), w.sTipo->Text(), w.tData->Text(), w.sContas->Text(), w.sCategoria->Text(),
                           w.sContato->Text(), w.tComentarios->Text()}),
              QStringList({"1234.50", Module1::kDebito(), "05/03/2026", "Banco", "Casa", "  -  ", "luz"}));
    EXPECT_TRUE(w.cConciliado->isChecked());

    w.tValor->setFocus();
    w.tValor->end(false);
    QTest::keyClick(w.tValor, Qt::Key_Backspace);
    QTest::keyClicks(w.tValor, "9");
    EXPECT_EQ(w.tValor->Text(), "1234.59");
    click(w.PushButton1);
    EXPECT_EQ(storedRows(),
              QList<QStringList>({{"Banco", "Casa", "  -  ", "2026-03-05", "NULL", "1234.59", "Sim", "luz"}}));

    select(main->List_Contas, "Carteira");
    w.tValor->setText("99");
    click(main->BevelButton2);
    EXPECT_EQ(Module1::transacaoopcao, "i");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(QStringList(
                  {w.sContas->Text(), w.tData->Text(), w.tValor->Text(), w.sCategoria->Text(), w.tComentarios->Text()}),
              QStringList({"Carteira", "05/12/26", "", "", ""}));
    EXPECT_FALSE(w.cConciliado->isChecked());
}

TEST_F(TransactionCommands, editedAndSavedUnchanged_rowIsIdenticalButForItsId)
{
    // Stored with more decimals than shown, in other centuries, and a credit below zero.
    const QString old1999 = addTransaction("Banco", "Casa", "Loja", "1999-06-15", "", "1234.567", "Não", "a");
    const QString old2100 = addTransaction("Banco", "Mercado", "  -  ", "2100-01-31", "0.1", "", "Sim", "b");
    addTransaction("Banco", "Mercado", "Loja", "2026-01-02", "-5", "", "Sim", "c");
    // A comment longer than an edit field holds (an imported memo).
    const QString memo = "d" + QString(40000, 'x');
    addTransaction("Banco", "Mercado", "Loja", "2026-01-03", "7", "", "Sim", memo);
    const QList<QStringList> before = storedRows();
    for (const QString& comment : {QString("a"), QString("b"), QString("c"), memo}) {
        select(main->sAno, Module1::kTodos2()); // saving reselects the current year
        ASSERT_GE(ledgerRow(comment), 0);
        click(edit(comment).PushButton1);
        EXPECT_FALSE(wTransacoes::instance().isVisible());
    }
    for (const ShownText& shown : recorder.shown)
        ADD_FAILURE() << shown.text.toStdString();
    EXPECT_EQ(storedRows(), before);
    EXPECT_TRUE(storedRow(old1999).isEmpty());
    EXPECT_TRUE(storedRow(old2100).isEmpty());
}

// The opened row is changed even after another row or account was selected;
// each check refuses in its turn, and the row moves to the chosen account.
TEST_F(TransactionCommands, changeActsOnTheOpenedRow_checksAccountAndCategory_andMovesTheRow)
{
    const QString a = addTransaction("Banco", "Casa", "Loja", "2026-01-10", "10", "", "Sim", "A");
    const QString b = addTransaction("Banco", "Casa", "Loja", "2026-01-11", "20", "", "Sim", "B");
    wTransacoes& w = edit("A");
    w.sCategoria->setListIndex(-1);
    click(w.PushButton1);
    EXPECT_EQ(recorder.confirmations(), QStringList({"Selecione uma categoria"}));
    EXPECT_TRUE(w.isVisible());
    select(w.sCategoria, "Mercado");
    w.sContas->setListIndex(-1);
    click(w.PushButton1);
    EXPECT_EQ(recorder.messages(), QStringList({"Selecione uma conta"}));
    w.tValor->setText("0");
    select(w.sContas, "Carteira");
    click(w.PushButton1);
    EXPECT_EQ(recorder.confirmations().last(), "Valor não pode ser zero");
    EXPECT_EQ(storedRow(a).first(), "Banco");

    w.tValor->setText("15");
    w.tComentarios->setText("A2");
    main->lMovimento->setListIndex(ledgerRow("B"));
    select(main->List_Contas, "Carteira");
    click(w.PushButton1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(storedRow(a).isEmpty());
    EXPECT_EQ(storedRows(),
              QList<QStringList>({{"Banco", "Casa", "Loja", "2026-01-11", "20", "NULL", "Sim", "B"},
                                  {"Carteira", "Mercado", "Loja", "2026-01-10", "15", "NULL", "Sim", "A2"}}));
    EXPECT_EQ(storedRow(b).last(), "B");
    EXPECT_EQ(main->Totalgeral->text(), "$15.00");
}

// Any delete key in an empty ledger does nothing; without a selection a
// warning; the question first; a failing delete keeps the row.
TEST_F(TransactionCommands, delete_needsASelection_asksFirst_andRemovesExactlyThatRow)
{
    main->lMovimento->setFocus();
    QTest::keyClick(main->lMovimento, Qt::Key_Backspace);
    EXPECT_TRUE(recorder.shown.isEmpty());
    const QString a = addTransaction("Banco", "Casa", "Loja", "2026-01-10", "10", "", "Sim", "A");
    const QString b = addTransaction("Banco", "Casa", "Loja", "2025-01-11", "", "4", "Sim", "B");
    main->CarregaAno();
    select(main->sAno, Module1::kTodos2());
    main->lMovimento->setListIndex(-1);
    click(main->BevelButton4);
    EXPECT_FALSE(main->lMovimento_KeyDown(QString(QChar(8))));
    EXPECT_EQ(recorder.messages(), QStringList({"Selecione um movimento", "Selecione um movimento"}));
    EXPECT_TRUE(recorder.confirmations().isEmpty());

    main->lMovimento->setListIndex(ledgerRow("B"));
    recorder.answers.enqueue(false);
    main->ApagaMovimento();
    ASSERT_EQ(recorder.shown.size(), 3);
    EXPECT_EQ(recorder.shown[2].text + recorder.shown[2].title, "Confirma Apagar?Confirma?");
    EXPECT_TRUE(recorder.shown[2].showCancel);
    EXPECT_EQ(rowCount(), 2);

    ASSERT_GE(main->sAno->findText("2025"), 0);
    main->ApagaMovimento(); // the recorder answers OK
    EXPECT_TRUE(storedRow(b).isEmpty());
    EXPECT_FALSE(storedRow(a).isEmpty());
    EXPECT_EQ(main->lMovimento->ListCount(), 1);
    EXPECT_EQ(main->Totalgeral->text(), "$10.00");
    // The year of the deleted row is offered no more.
    EXPECT_EQ(main->sAno->findText("2025"), -1);

    main->lMovimento->setListIndex(ledgerRow("A"));
    testsupport::failOn(db(), "DELETE", "Movimento", "kept");
    main->ApagaMovimento();
    EXPECT_EQ(recorder.messages().last(), "Erro: 19\n\nkept");
    EXPECT_EQ(rowCount(), 1);
    exec("DROP TRIGGER fail_DELETE_Movimento");
    EXPECT_FALSE(main->lMovimento_KeyDown(QString(QChar(127))));
    EXPECT_EQ(rowCount(), 0);
}

// An edit left open while its row is deleted: the next new row takes the
// freed id. Differing from the opened row in one stored value alone, it is
// still not that row, and OK overwrites nothing.
TEST_F(TransactionCommands, editLeftOpenWhileItsRowIsDeleted_aNewRowUnderItsIdIsNotOverwritten)
{
    // Date, credit, debit and comment of the new row.
    const std::pair<const char*, QStringList> newRows[] = {
        {"comment", {"2026-01-10", "10", "", "B"}},
        {"date", {"2026-01-11", "10", "", "A"}},
        {"credit", {"2026-01-10", "11", "", "A"}},
        {"debit", {"2026-01-10", "10", "1", "A"}},
    };
    for (const auto& [differs, row] : newRows) {
        SCOPED_TRACE(differs);
        exec("DELETE FROM Movimento");
        const QString opened = addTransaction("Banco", "Casa", "Loja", "2026-01-10", "10", "", "Sim", "A");
        wTransacoes& w = edit("A");
        w.tComentarios->setText("A2");
        main->lMovimento->setListIndex(ledgerRow("A"));
        main->ApagaMovimento();
        ASSERT_EQ(addTransaction("Banco", "Casa", "Loja", row[0], row[1], row[2], "Sim", row[3]), opened);
        const QList<QStringList> before = storedRows();
        recorder.clear();
        click(w.PushButton1);
        EXPECT_EQ(recorder.messages(), QStringList({"O movimento não existe mais."}));
        EXPECT_EQ(storedRows(), before);
    }
}
