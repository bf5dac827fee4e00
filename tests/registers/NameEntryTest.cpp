// Names are stored exactly as typed, unless they hold a line end, a TAB or
// another control character: every register refuses those.

#include "RegisterFixture.h"

#include "registers/wCategorias.h"
#include "registers/wContas.h"
#include "registers/wEditaContato.h"

#include <QApplication>
#include <QClipboard>

using NameEntry = RegisterTest;

TEST_F(NameEntry, namesWithControlCharacters_areRefusedByEveryRegister_othersStoredAsTyped_neverBreakThePreferences)
{
    const auto pasteAccount = [this](const QString& name) {
        click(main->BevelButton1);
        QApplication::clipboard()->setText(name);
        QTest::keySequence(wContas::instance().tConta, QKeySequence::Paste);
        click(wContas::instance().btok);
    };
    const QString all = "SELECT nome FROM Contas UNION ALL SELECT descricao FROM Categorias UNION ALL "
                        "SELECT nome FROM Contatos";
    const QStringList before = testsupport::column(db(), all);
    for (const char* bad : {"Conta\nDois", "Conta\tDois", "Conta\u2028Dois", "\x01"}) {
        recorder.clear();
        pasteAccount(bad);
        wCategorias::instance().conta_descricao->setText(bad);
        click(wCategorias::instance().btok);
        wEditaContato::instance().tNome->setText(bad);
        click(wEditaContato::instance().btOK);
        EXPECT_EQ(recorder.confirmations(), QStringList({Module1::kMsgContaInvalida(), Module1::kMsgCategoriaInvalida(),
                                                         Module1::kMsgNomeVazio()}))
            << bad;
    }
    EXPECT_EQ(testsupport::column(db(), all), before);
    pasteAccount("  Joana d'Arc  ");
    EXPECT_EQ(names("Contas", "nome"), QStringList({"  Joana d'Arc  ", "Banco", "Casa"}));

    // An older version could store any name; the start-up account may be one of them.
    closeWindows();
    removeUserFiles();
    start();
    addAccounts({"Conta\nDois"});
    App::ContaInicial = "Conta\nDois";
    restart();
    EXPECT_EQ(prefsLines().size(), 20);
    EXPECT_EQ(prefsLines().value(7), "conta_inicio =");
}
