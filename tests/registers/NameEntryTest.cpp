// Names are stored exactly as typed, blanks included, unless they hold a line
// end, a TAB or another control character: those are refused by every register.

#include "RegisterFixture.h"

#include "platform/Files.h"
#include "registers/wCategorias.h"
#include "registers/wContas.h"
#include "registers/wContatos.h"
#include "registers/wEditaContato.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

namespace {

const QStringList controlNames = {"Conta\nDois", "Conta\r\nDois", "Conta\tDois", "Conta\u2028Dois", "\x01", "Fim\n"};

// One register's window as the user reaches it: type a name into its field and press OK.
struct Register
{
    const char* table;
    const char* column;
    QString refusal;
    std::function<void(const QString& name)> add;
    std::function<void(const QString& from, const QString& to)> rename;
};

class NameEntry : public RegisterTest
{
  protected:
    QList<Register> registers()
    {
        return {
            {"Contas", "nome", Module1::kMsgContaInvalida(),
             [this](const QString& name) {
                 click(main->BevelButton1);
                 wContas::instance().tConta->setText(name);
                 click(wContas::instance().btok);
             },
             [this](const QString& from, const QString& to) {
                 doubleClickRow(main->List_Contas, from);
                 wContas::instance().tConta->setText(to);
                 click(wContas::instance().btok);
             }},
            {"Categorias", "descricao", Module1::kMsgCategoriaInvalida(),
             [this](const QString& name) {
                 click(main->BevelButton5);
                 wCategorias::instance().conta_descricao->setText(name);
                 click(wCategorias::instance().btok);
             },
             [this](const QString& from, const QString& to) {
                 doubleClickRow(main->List_Categorias, from);
                 wCategorias::instance().conta_descricao->setText(to);
                 click(wCategorias::instance().btok);
             }},
            {"Contatos", "nome", Module1::kMsgNomeVazio(),
             [](const QString& name) {
                 wContatos::instance().Show();
                 click(wContatos::instance().BevelButton1);
                 wEditaContato::instance().tNome->setText(name);
                 click(wEditaContato::instance().btOK);
             },
             [](const QString& from, const QString& to) {
                 wContatos::instance().Show();
                 doubleClickRow(wContatos::instance().ListBox1, from);
                 wEditaContato::instance().tNome->setText(to);
                 click(wEditaContato::instance().btOK);
             }},
        };
    }
};

} // namespace

TEST_F(NameEntry, namesWithControlCharacters_areRefusedByEveryRegister_otherNamesStoredAsTyped)
{
    for (const Register& r : registers()) {
        SCOPED_TRACE(r.table);
        const QStringList before = names(r.table, r.column);
        for (const QString& bad : controlNames) {
            recorder.clear();
            r.add(bad);
            EXPECT_EQ(recorder.confirmations(), QStringList({r.refusal})) << bad.toStdString();
        }
        EXPECT_EQ(names(r.table, r.column), before);

        // Blanks and every other character stay exactly as typed.
        recorder.clear();
        r.add("  Joana d'Arc  ");
        EXPECT_TRUE(names(r.table, r.column).contains("  Joana d'Arc  "));
        const QString refusalOfRename = QString(r.table) == "Contatos" ? "Nome Inválido" : r.refusal;
        for (const QString& bad : {QStringLiteral("Joana\nDois"), QStringLiteral("Joana\tDois")}) {
            recorder.clear();
            r.rename("  Joana d'Arc  ", bad);
            EXPECT_TRUE(recorder.confirmations().contains(refusalOfRename)) << bad.toStdString();
        }
        EXPECT_TRUE(names(r.table, r.column).contains("  Joana d'Arc  "));
        EXPECT_FALSE(recorder.shown.isEmpty());
    }
}

TEST_F(NameEntry, aNamePastedWithALineEnd_isRefused)
{
    click(main->BevelButton1);
    wContas& window = wContas::instance();
    window.tConta->clear();
    QApplication::clipboard()->setText("Poupança\nDois");
    QTest::keySequence(window.tConta, QKeySequence::Paste);
    // A one-line field keeps a pasted line end: OK must refuse it.
    ASSERT_EQ(window.tConta->Text(), "Poupança\nDois");
    click(window.btok);
    EXPECT_EQ(recorder.confirmations(), QStringList({Module1::kMsgContaInvalida()}));
    EXPECT_EQ(names("Contas", "nome"), QStringList({"Banco", "Casa"}));
}

// An older version could store any name; the start-up account may be one of them.
using StartAccount = AppTest;

TEST_F(StartAccount, nameWithALineEnd_neverBreaksThePreferencesFile)
{
    removeUserFiles();
    start();
    addAccounts({"Banco", "Conta\nDois"});
    App::ContaInicial = "Conta\nDois";
    App::MesInicial = "Março";
    restart();
    QStringList lines;
    ASSERT_TRUE(ReadTextLines(PreferencesFolder() + "/Tovira", lines));
    EXPECT_EQ(lines.size(), 20);
    EXPECT_EQ(lines.value(7), "conta_inicio =");
    EXPECT_EQ(lines.value(8), "mes_inicio =Março");
    EXPECT_EQ(App::MesInicial, "Março");
}
