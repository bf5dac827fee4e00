// Lists and pop-ups read while another program holds the data file: each
// action of the user tells the database's message once, however many lists
// it loads, and leaves them empty rather than showing registers with no names.

#include "LedgerFixture.h"

#include "charts/wGraficos.h"
#include "exchange/wImportaOFX.h"
#include "registers/wCategorias.h"
#include "registers/wContas.h"
#include "registers/wContatos.h"
#include "schedule/wAgendaLista.h"
#include "settings/wPreferencias.h"

#include <functional>

namespace {

const QString locked = QStringLiteral("Erro: 5\n\ndatabase is locked");

class HeldFile : public LedgerTest
{
  protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        addAccounts({"Banco"});
        addCategories({"Casa"});
        addContacts({"Ana"});
        addTransaction("Banco", "Casa", "Ana", "2026-03-05", "10", "");
        addSchedule("Banco", "Casa", "Débito", "2027-01-05", "10", "Mensalmente");
        App::MesInicial = Module1::kTodos2();
    }
    // The action ends: control is back in the event loop.
    static void endAction() { QCoreApplication::processEvents(); }
};

} // namespace

// The main window loads five lists at once: one message. Later reads of the
// same action stay quiet; the next action tells again; a free file lists all.
TEST_F(HeldFile, mainWindowOpening_tellsOnceForAllItsLists_theNextActionAgain_aFreeFileListsThem)
{
    {
        testsupport::FileHeldElsewhere held(db());
        db().setBusyTimeout(40);
        main = &openMain();
        EXPECT_EQ(recorder.messages(), QStringList{locked});
        // The rest of the action does not wait for the file again, list after list.
        EXPECT_EQ(db().BusyTimeout(), 0);
        EXPECT_EQ(rows(main->List_Contas) + rows(main->List_Categorias), QStringList());
        EXPECT_EQ(main->lMovimento->ListCount(), 0);
        main->CarregaContas();
        main->CarregalMovimento();
        EXPECT_EQ(recorder.messages().size(), 1);
        endAction();
        EXPECT_EQ(db().BusyTimeout(), 40);
        main->CarregaCategorias();
        main->CarregaAno();
        EXPECT_EQ(recorder.messages(), QStringList(2, locked));
    }
    endAction();
    main->CarregaCategorias();
    main->CarregaContas();
    EXPECT_EQ(rows(main->List_Contas) + rows(main->List_Categorias), QStringList({"Banco", "Casa"}));
    EXPECT_EQ(main->lMovimento->ListCount(), 1);
    EXPECT_EQ(recorder.messages().size(), 2);
}

// Every window with lists of names tells once as it opens and lists no name;
// so does a change refused for the held file, with the lists it reloads.
TEST_F(HeldFile, everyWindowWithNameLists_tellsOnceAsItOpens_andListsNoName)
{
    main = &openMain();
    const QString insert = Module1::kAdiciona();
    const QString all = Module1::ktodos();
    const std::tuple<const char*, std::function<QStringList()>, QStringList> cases[] = {
        {"accounts", [] { return App::_mContas_Action(), rows(wContas::instance().lContas); }, {}},
        {"categories", [] { return App::_mCategorias_Action(), rows(wCategorias::instance().ListBox1); }, {}},
        {"contacts", [] { return App::_mContatos_Action(), rows(wContatos::instance().ListBox1); }, {}},
        {"new transaction",
         [] {
             App::_mnovomovimento_Action();
             const wTransacoes& w = wTransacoes::instance();
             return rows(w.sContas) + rows(w.sCategoria) + rows(w.sContato);
         },
         {insert, insert, "  -  ", insert}},
        {"schedules", [] { return App::_mAgenda_Action(), rows(wAgendaLista::instance().lAgendamento); }, {}},
        {"charts",
         [] {
             return App::_mGraficos_Action(),
                    rows(wGraficos::instance().sContas) + rows(wGraficos::instance().sCategorias);
         },
         {all, all}},
        {"preferences", [] { return App::_mPreferencias_Action(), rows(wPreferencias::instance().sContas); }, {}},
        // Not the messages of empty registers, and no window.
        {"OFX import",
         [] { return App::_Importaofx_Action(), QStringList(wImportaOFX::exists() ? "opened" : ""); },
         {""}},
        {"account window's OK",
         [this] {
             wContas::instance().tConta->setText("Nova");
             click(wContas::instance().btok);
             return rows(main->List_Contas);
         },
         {}},
    };
    testsupport::FileHeldElsewhere held(db());
    for (const auto& [what, act, listed] : cases) {
        SCOPED_TRACE(what);
        endAction();
        recorder.clear();
        EXPECT_EQ(act(), listed);
        EXPECT_EQ(recorder.messages(), QStringList{locked});
        EXPECT_TRUE(recorder.confirmations().isEmpty());
    }
}
