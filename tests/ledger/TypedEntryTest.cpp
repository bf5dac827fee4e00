// What the user types is what is stored, and an open transaction window
// follows the rows and names changed elsewhere meanwhile.

#include "LedgerFixture.h"
#include "registers/wContas.h"
#include "registers/wContatos.h"
#include "registers/wEditaContato.h"

using TypedEntry = TransactionTest;

TEST_F(TypedEntry, keysTyped_areStoredAsTyped_anImpossibleDateIsRefused)
{
    // Amount keys, date keys, the amount field after them, what is stored ("": refused).
    const QList<QStringList> cases = {
        {"50,25", "050326", "50,25", "2026-03-05 50.25"},
        {"50.25", "5/3/26", "50.25", "2026-03-05 50.25"},
        {"-12,3,4x", "05/03/2026", "12,34", "2026-03-05 12.34"},
        {"7,5", "31/12/1999", "7,5", "1999-12-31 7.5"},
        {"50,25", "31/02/26", "50,25", ""},
    };
    for (const QStringList& c : cases) {
        exec("DELETE FROM Movimento");
        recorder.clear();
        main->NovoMovimento();
        wTransacoes& w = wTransacoes::instance();
        select(w.sCategoria, "Casa");
        w.tValor->clear();
        w.tData->clear();
        QTest::keyClicks(w.tValor, c[0]);
        QTest::keyClicks(w.tData, c[1]);
        EXPECT_EQ(w.tValor->Text(), c[2]);
        click(w.PushButton1);
        const bool refused = c[3].isEmpty();
        EXPECT_EQ(testsupport::column(db(), "SELECT data || ' ' || entrada FROM Movimento").value(0), c[3]);
        EXPECT_EQ(recorder.confirmations(), refused ? QStringList{"Data inválida"} : QStringList());
        EXPECT_EQ(w.isVisible(), refused);
    }
}

using OpenWindows = TransactionTest;

TEST_F(OpenWindows,
       accountRenamedOrDeletedMeanwhile_isAskedForAgain_rowDeletedMeanwhile_storesNothing_aContactRenameFollows)
{
    addTransaction("Banco", "Casa", "Loja", "2026-03-05", "", "10", "Não", "x");
    wTransacoes& w = edit("x");
    w.tValor->setText("11");
    doubleClickRow(main->List_Contas, "Banco");
    wContas::instance().tConta->setText("Banco 2");
    click(wContas::instance().btok);
    click(w.PushButton1);
    EXPECT_EQ(recorder.messages(), QStringList({"Selecione uma conta"}));
    EXPECT_EQ(rows(w.sContas), QStringList({"Banco 2", "Carteira", "Inserir..."}));
    EXPECT_EQ(w.sContas->ListIndex(), -1);
    select(w.sContas, "Banco 2");
    click(w.PushButton1);
    EXPECT_EQ(storedRows(), QList<QStringList>({{"Banco 2", "Casa", "Loja", "2026-03-05", "NULL", "11", "Não", "x"}}));

    edit("x");
    main->ApagaMovimento();
    click(w.PushButton1);
    EXPECT_EQ(recorder.messages().last(), "O movimento não existe mais.");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(rowCount(), 0);

    main->NovoMovimento(); // for Banco 2, deleted while the window is open
    select(w.sCategoria, "Casa");
    w.tValor->setText("5");
    main->BevelButton3_Action();
    click(w.PushButton1);
    EXPECT_EQ(recorder.messages().last(), "Selecione uma conta");
    EXPECT_EQ(rowCount(), 0);

    // A double-click below the names adds; a contact rename reloads the ledger.
    const QPoint below(10, main->List_Contas->viewport()->height() - 4);
    QTest::mouseClick(main->List_Contas->viewport(), Qt::LeftButton, {}, below);
    QTest::mouseDClick(main->List_Contas->viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(Module1::contaopcao, "i");
    EXPECT_TRUE(wContas::instance().isVisible() && wContas::instance().tConta->Text().isEmpty());
    addTransaction("Carteira", "Casa", "Padaria", "2026-03-05", "", "10", "Não", "x");
    doubleClickRow(wContatos::instance().ListBox1, "Padaria");
    wEditaContato::instance().tNome->setText("Padoca");
    click(wEditaContato::instance().btOK);
    EXPECT_EQ(main->lMovimento->Cell(ledgerRow("x"), 1), "Padoca");
}

TEST_F(OpenWindows, editKeepsTheRowsOwnCategoryAndContact_andAFailedSaveKeepsTheWindowOpen)
{
    addTransaction("Banco", "Importada", "Zé", "2026-03-05", "", "10", "Não", "x");
    exec("UPDATE Movimento SET contato = 'Zeca'"); // another program; the ledger still shows Zé
    wTransacoes& w = edit("x");
    w.tValor->setText("12.5");
    testsupport::failOn(db(), "INSERT", "Movimento", "disk full");
    click(w.PushButton1);
    EXPECT_EQ(recorder.messages(), QStringList({"Erro: 19\n\ndisk full"}));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(storedRows(),
              QList<QStringList>({{"Banco", "Importada", "Zeca", "2026-03-05", "NULL", "10", "Não", "x"}}));
    EXPECT_FALSE(db().InTransaction());
    exec("DROP TRIGGER fail_INSERT_Movimento");
    click(w.PushButton1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(storedRows(),
              QList<QStringList>({{"Banco", "Importada", "Zeca", "2026-03-05", "NULL", "12.5", "Não", "x"}}));
}
