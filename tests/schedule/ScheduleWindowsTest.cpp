// The schedule editor and the schedule list, driven offscreen.

#include "ScheduleFixture.h"

#include "schedule/wAgenda.h"
#include "schedule/wAgendaLista.h"

#include <QHeaderView>

namespace {

class ScheduleWindows : public ScheduleTest
{
  protected:
    void SetUp() override
    {
        ScheduleTest::SetUp();
        wCash::instance().Toolbar11_Action("magendamento");
        list = &wAgendaLista::instance();
    }
    // The list's Insere, with `play` run in the modal editor, which Cancela then closes.
    void inEditor(const std::function<void(wAgenda&)>& play)
    {
        QTimer::singleShot(0, [&] {
            wAgenda& editor = wAgenda::instance();
            EXPECT_TRUE(editor.isModal());
            play(editor);
            click(editor.bt_fecha);
        });
        click(list->bt_insere);
    }
    static void fill(wAgenda& editor, const QString& amount, const QString& date)
    {
        editor.tValor->setText(amount);
        editor.tData->setText(date);
        click(editor.bt_insere);
    }

    wAgendaLista* list = nullptr;
};

} // namespace

TEST_F(ScheduleWindows, editorRefusesWhatCannotPost_storesWhatWasTyped_andCancelReloadsTheList)
{
    EXPECT_TRUE(list->isVisible());
    inEditor([&](wAgenda& editor) {
        EXPECT_EQ(rows(editor.sContatos), QStringList({"D'Ávila", "  -  "}));
        for (const char* amount : {"", "0", "0.00", ".", "1.800"})
            fill(editor, amount, "05/12/26");
        for (const char* date : {"31/02/26", "05/12", ""})
            fill(editor, "10", date);
        editor.sCategoria->setListIndex(-1);
        fill(editor, "10", "05/12/26");
        editor.sContas->setListIndex(-1);
        fill(editor, "10", "05/12/26");
        EXPECT_EQ(recorder.confirmations(),
                  QStringList({"Valor não pode ser zero", "Valor não pode ser zero", "Valor não pode ser zero",
                               "O valor \".\" não é um número.",
                               "O valor \"1.800\" é ambíguo: o ponto ou a vírgula pode separar milhares ou "
                               "decimais. Escreva 1800 ou 1,80.",
                               "Data inválida", "Data inválida", "Data inválida", "Selecione uma categoria"}));
        EXPECT_EQ(recorder.messages(), QStringList({"Selecione uma conta"}));
        EXPECT_TRUE(agenda().isEmpty());

        select(editor.sContas, "Casa");
        select(editor.sCategoria, "Luz");
        select(editor.sContatos, "  -  ");
        select(editor.sTipo, "Débito");
        select(editor.sRepetir, "Não repetir");
        fill(editor, "50,25", "5/3/26");
        fill(editor, "1.800,00", "5/3/26");
        testsupport::screenshot(editor, "wAgenda");
    });
    EXPECT_EQ(recorder.messages().mid(1), QStringList({"Agendamento Inserido!", "Agendamento Inserido!"}));
    EXPECT_EQ(testsupport::rows(db(), "SELECT * FROM Agenda").value(1),
              QStringList({"Casa", "Luz", "Débito", "2026-03-05", "1.800,00", "Não repetir", "  -  "}));
    EXPECT_EQ(rows(list->lAgendamento), QStringList({"Casa", "Casa"}));
    EXPECT_EQ(list->lAgendamento->Cell(0, 2), "05/03/26");
}

TEST_F(ScheduleWindows, deleteRemovesTheSelectedScheduleAlone_afterConfirmation)
{
    addSchedule("D'Ávila", "Luz", "Crédito", "2026-12-01", "80", "Não repetir");
    addSchedule("D'Ávila", "Luz", "Crédito", "2026-12-01", "80", "Mensalmente");
    addSchedule("Banco", "Luz", "Débito", "2026-12-10", "5", "Anualmente", "D'Ávila");
    addSchedule("", "Luz", "Débito", "2026-12-10", "5", "Anualmente");
    list->CarregaAgenda();
    EXPECT_EQ(rows(list->lAgendamento), QStringList({"", "Banco", "D'Ávila", "D'Ávila"}));
    list->lAgendamento->setListIndex(0);
    EXPECT_FALSE(list->bt_apaga->isEnabled());
    list->lAgendamento->setListIndex(2);
    testsupport::screenshot(*list, "wAgendaLista");

    recorder.answers << false << true;
    click(list->bt_apaga);
    EXPECT_FALSE(list->bt_apaga->isEnabled());
    list->lAgendamento->setListIndex(3);
    list->lAgendamento->setListIndex(2);
    click(list->bt_apaga);
    EXPECT_EQ(recorder.shown[0].text + recorder.shown[0].title, "Confirma Apagar?Confirma?");
    EXPECT_EQ(agenda().size(), 3);
    EXPECT_EQ(agenda()[0], QStringList({"D'Ávila", "Luz", "80", "Mensalmente"}));
    EXPECT_EQ(rows(list->lAgendamento), QStringList({"", "Banco", "D'Ávila"}));

    // Compacted by another run of the program since the list was loaded: the
    // row numbers moved, and the one kept for Banco now names the row without account.
    exec("VACUUM");
    list->lAgendamento->setListIndex(1);
    click(list->bt_apaga);
    EXPECT_EQ(agenda().size(), 3);

    testsupport::failOn(db(), "DELETE", "Agenda", "preso");
    list->lAgendamento->setListIndex(1);
    click(list->bt_apaga);
    EXPECT_EQ(recorder.messages(), QStringList({"Erro: 19\n\npreso"}));
    EXPECT_TRUE(list->bt_apaga->isEnabled());
}

// The seven columns share the list's width: a header border dragged far to
// the right moves no column out of view, long texts included.
TEST_F(ScheduleWindows, listColumns_stayInViewWhateverIsDragged)
{
    addSchedule("Banco do Brasil S.A. conta corrente", "Água, luz e telefone", "Débito", "2026-12-01",
                "1234567.89", "Mensalmente", "D'Ávila");
    list->CarregaAgenda();
    Listbox* listbox = list->lAgendamento;
    QHeaderView* header = listbox->header();
    ASSERT_EQ(header->count(), 7);
    const auto inView = [&] {
        for (int column = 0; column < header->count(); ++column) {
            const int left = header->sectionViewportPosition(column);
            if (left < 0 || left + header->sectionSize(column) > listbox->viewport()->width())
                return false;
        }
        return true;
    };
    EXPECT_TRUE(inView());
    const int border = header->sectionViewportPosition(1) - 1;
    const int middle = header->height() / 2;
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(border, middle));
    QMouseEvent drag(QEvent::MouseMove, QPointF(border + 400, middle), header->viewport()->mapToGlobal(QPointF(border + 400, middle)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(header->viewport(), &drag);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(border + 400, middle));
    EXPECT_TRUE(inView());
    testsupport::screenshot(*list, "wAgendaLista_dragged");
}

// The editor's pop-ups, in text size 11, show their rows whole, an
// accented capital included.
TEST_F(ScheduleWindows, editorPopups_showTheirRowsWhole)
{
    addContacts({"Érica Ávila"});
    inEditor([&](wAgenda& editor) {
        for (PopupMenu* popup : {editor.sContas, editor.sCategoria, editor.sContatos, editor.sTipo, editor.sRepetir}) {
            for (const QString& row : rows(popup))
                EXPECT_TRUE(testsupport::showsWhole(*popup, row))
                    << popup->objectName().toStdString() << ": " << row.toStdString();
            testsupport::saveImage(testsupport::eachRowShown(*popup), "wAgenda_" + popup->objectName());
        }
    });
}
