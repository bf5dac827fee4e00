#include "RegisterFixture.h"

#include "registers/wContatos.h"
#include "registers/wEditaContato.h"

namespace {

class ContactWindow : public RegisterTest
{
  protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        main->Toolbar11_Action("mcontatos");
        ASSERT_TRUE(wContatos::exists());
        list = &wContatos::instance();
    }
    void rename(const QString& from, const QString& to)
    {
        doubleClickRow(list->ListBox1, from);
        wEditaContato::instance().tNome->setText(to);
        click(wEditaContato::instance().btOK);
    }
    static QStringList contacts() { return names("Contatos", "nome"); }

    wContatos* list = nullptr;
};

} // namespace

// Added through the editor as typed; a blank name, the no-contact text and a
// taken name are refused, a trailing blank makes another name.
TEST_F(ContactWindow, toolbarOpensTheList_plusAddsThroughTheEditor_refusingBlankDashAndTakenNames)
{
    EXPECT_TRUE(list->isVisible());
    for (const char* name : {"Carla", "  -  ", " ", "Ana", "Ana "}) {
        click(list->BevelButton1);
        EXPECT_EQ(Module1::contatoopcao + wEditaContato::instance().tNome->Text(), "i");
        wEditaContato::instance().tNome->setText(name);
        click(wEditaContato::instance().btOK);
    }
    EXPECT_EQ(recorder.confirmations(), QStringList({"Nome não pode estar vazio", "Nome não pode estar vazio"}));
    EXPECT_EQ(recorder.messages(), QStringList({"Contato Existente!"}));
    EXPECT_EQ(contacts(), QStringList({"Ana", "Ana ", "Bruno", "Carla"}));
    EXPECT_EQ(rows(list->ListBox1), contacts());
    testsupport::screenshot(*list, "wContatos");
    testsupport::screenshot(wEditaContato::instance(), "wEditaContato");
}

// Refused renames leave register and ledger unchanged; a good one carries the
// name into the ledger. A delete asks first and removes only the register row.
TEST_F(ContactWindow, renameRefusals_leaveRegisterAndLedgerUnchanged_aRenameCarriesTheName_deleteAsksFirst)
{
    for (const char* to : {"  ", "-", "  -  ", "Bruno"})
        rename("Ana", to);
    list->ListBox1->setListIndex(-1);
    wEditaContato::instance().tNome->setText("Zé");
    click(wEditaContato::instance().btOK);
    EXPECT_EQ(recorder.confirmations(),
              QStringList({"Nome Inválido", "Nome Inválido", "Nome Inválido", "Selecione um contato"}));
    EXPECT_EQ(recorder.messages(), QStringList({"Contato Existente!"}));
    EXPECT_EQ(contacts(), QStringList({"Ana", "Bruno"}));
    EXPECT_EQ(ids("contato", ""), QStringList({"4"}));
    EXPECT_EQ(ids("contato", "Ana"), QStringList({"1", "3"}));

    recorder.clear();
    rename("Bruno", "Bruna");
    ASSERT_EQ(recorder.shown.size(), 1);
    EXPECT_EQ(recorder.shown[0].text + "|" + recorder.shown[0].title, "Confirma Alteração?|Confirma");
    EXPECT_EQ(contacts(), QStringList({"Ana", "Bruna"}));
    EXPECT_EQ(ids("contato", "Bruna"), QStringList({"2"}));
    // The schedules' contact is in contatoplus; their contato column holds the amount.
    EXPECT_EQ(agenda("contatoplus") + agenda("contato"), QStringList({"Bruna", "Ana", "", "50", "100", "1"}));
    EXPECT_EQ(rows(list->ListBox1), QStringList({"Ana", "Bruna"}));

    recorder.clear();
    list->ListBox1->setListIndex(-1);
    click(list->BevelButton2);
    EXPECT_EQ(recorder.confirmations(), QStringList({"Selecione um contato"}));
    select(list->ListBox1, "Ana");
    recorder.answers.enqueue(false);
    click(list->BevelButton2);
    EXPECT_EQ(contacts(), QStringList({"Ana", "Bruna"}));
    select(list->ListBox1, "Ana");
    click(list->BevelButton2);
    EXPECT_EQ(recorder.shown.last().text + "|" + recorder.shown.last().title, "Confirma Apagar?|Confirma?");
    EXPECT_EQ(contacts(), QStringList({"Bruna"}));
    EXPECT_EQ(rows(list->ListBox1), QStringList({"Bruna"}));
    EXPECT_EQ(ids("contato", "Ana"), QStringList({"1", "3"}));

    testsupport::failOn(db(), "DELETE", "Contatos", "preso");
    select(list->ListBox1, "Bruna");
    click(list->BevelButton2);
    EXPECT_EQ(recorder.messages(), QStringList({"Erro: 19\n\npreso"}));
    EXPECT_EQ(rows(list->ListBox1), QStringList({"Bruna"}));
}

// A stored row named blank or with the no-contact text (an older file's, an
// import's) names what every transaction without a contact carries: it
// cannot be renamed, and those transactions keep what they had.
TEST_F(ContactWindow, blankOrNoContactRow_cannotBeRenamed_theTransactionsWithoutAContactKeepIt)
{
    addContacts({"  -  ", "", "   "});
    list->CarregaContatos();
    for (const char* from : {"  -  ", "", "   "})
        rename(from, "Carlos");
    EXPECT_EQ(recorder.confirmations(), QStringList(3, Module1::kMsgContatoNaoRenomeavel()));
    EXPECT_EQ(contacts(), QStringList({"", "   ", "  -  ", "Ana", "Bruno"}));
    EXPECT_EQ(ids("contato", "  -  ") + ids("contato", "") + ids("contato", "Carlos"), QStringList({"5", "4"}));
}

// A name typed as soon as the editor shows goes into its field, whatever had
// the focus there before, and Return stores it; a rename's text is selected,
// so that what is typed replaces it.
TEST_F(ContactWindow, editorTakesANameTypedAtOnce_returnStoresIt_aRenameTypesOverTheSelectedText)
{
    wEditaContato& editor = wEditaContato::instance();
    const auto activate = [](QWidget* window) {
        window->activateWindow();
        return QTest::qWaitFor([&] { return QApplication::activeWindow() == window; });
    };
    // As the user types: into the focused control, Return last.
    const auto typeAtOnce = [&](const QString& text) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &editor; }));
        ASSERT_TRUE(QApplication::focusWidget());
        QTest::keyClicks(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    };
    for (const char* name : {"Ana Maria", "Jose da Silva"}) {
        // The click on "+" makes the list the active window.
        ASSERT_TRUE(activate(list));
        click(list->BevelButton1);
        typeAtOnce(name);
        EXPECT_FALSE(editor.isVisible()) << name;
        // A button that had the focus when the editor was put away does not keep it.
        editor.bt_fecha1->setFocus();
    }
    EXPECT_EQ(contacts(), QStringList({"Ana", "Ana Maria", "Bruno", "Jose da Silva"}));
    EXPECT_TRUE(recorder.shown.isEmpty());

    ASSERT_TRUE(activate(list));
    doubleClickRow(list->ListBox1, "Bruno");
    EXPECT_EQ(editor.tNome->selectedText(), "Jose da Silva");
    typeAtOnce("Beto Souza");
    EXPECT_EQ(recorder.confirmations(), QStringList({"Confirma Alteração?"}));
    EXPECT_EQ(contacts(), QStringList({"Ana", "Ana Maria", "Beto Souza", "Jose da Silva"}));
    EXPECT_EQ(ids("contato", "Beto Souza"), QStringList({"2"}));
}
