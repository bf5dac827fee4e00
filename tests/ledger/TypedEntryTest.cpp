// What the user types is what is stored, and an open transaction window
// follows the rows and names changed elsewhere meanwhile.

#include "LedgerFixture.h"
#include "registers/wContas.h"
#include "registers/wContatos.h"
#include "registers/wEditaContato.h"

#include <QToolTip>

using TypedEntry = TransactionTest;

TEST_F(TypedEntry, keysTyped_areStoredAsAPersonReadsThem_orRefusedWithTheirText_andNothingIsStored)
{
    const QString ambiguous =
        QStringLiteral("O valor \"%1\" é ambíguo: o ponto ou a vírgula pode separar milhares ou decimais. ");
    // Amount keys, date keys, what is stored, or the refusal shown ("keeps": the window stays open with the text).
    const QList<QStringList> cases = {
        {"1.234,56", "050326", "2026-03-05 1234.56"},
        {"1,234.56", "5/3/26", "2026-03-05 1234.56"},
        {"1234,56", "05/03/2026", "2026-03-05 1234.56"},
        {"1234.56", "31/12/1999", "1999-12-31 1234.56"},
        {"1.234.567,89", "050326", "2026-03-05 1234567.89"},
        {"1,234,567.89", "050326", "2026-03-05 1234567.89"},
        {"0,5", "050326", "2026-03-05 0.5"},
        {"1.234.567", "050326", "2026-03-05 1234567.0"},
        {"5.000", "050326", ambiguous.arg("5.000") + "Escreva 5000 ou 5,00."},
        {"7.500", "050326", ambiguous.arg("7.500") + "Escreva 7500 ou 7,50."},
        {"1,234", "050326",
         ambiguous.arg("1,234") + "Escreva 1234, ou um valor com no máximo duas casas decimais."},
        {"1,2345", "050326", "O valor \"1,2345\" tem mais de duas casas decimais."},
        {"0.500", "050326", "O valor \"0.500\" tem mais de duas casas decimais."},
        {"123456789012345678901", "050326",
         "O valor \"123456789012345678901\" é grande demais para ser guardado com exatidão."},
        {"12,3,4", "050326", "O valor \"12,3,4\" não é um número."},
        {"1..2", "050326", "O valor \"1..2\" não é um número."},
        {"0,00", "050326", "Valor não pode ser zero"},
        {"50,25", "31/02/26", "Data inválida"},
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
        EXPECT_EQ(w.tValor->Text(), c[0]) << c[0].toStdString();
        click(w.PushButton1);
        const bool refused = !c[2].startsWith(QLatin1String("20")) && !c[2].startsWith(QLatin1String("19"));
        EXPECT_EQ(testsupport::column(db(), "SELECT data || ' ' || entrada FROM Movimento"),
                  refused ? QStringList() : QStringList{c[2]})
            << c[0].toStdString();
        EXPECT_EQ(recorder.confirmations(), refused ? QStringList{c[2]} : QStringList()) << c[0].toStdString();
        EXPECT_EQ(w.isVisible(), refused);
        EXPECT_EQ(w.tValor->Text(), c[0]);
    }

    // A key that cannot belong to an amount is refused where it is typed, and the field says so.
    wTransacoes& w = wTransacoes::instance();
    w.tValor->clear();
    QTest::keyClicks(w.tValor, "-12,5x");
    EXPECT_EQ(w.tValor->Text(), "12,5");
    EXPECT_EQ(QToolTip::text(), "Digite só algarismos, \".\" e \",\".");
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
