#include "ui/common/confirma.h"
#include "ui/common/Module1.h"

#include "TestSupport.h"
#include "platform/Seams.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

namespace {

using Act = std::function<void(confirma&)>;

// Drives the real dialog: AbreJanela runs its modal loop, and `whileUp` runs
// inside that loop with the dialog on screen; it must answer the dialog.
class ConfirmationDialog : public ::testing::Test
{
  protected:
    void SetUp() override { InstallConfirmationDialog(); }
    void TearDown() override { seams::setConfirmations(nullptr); }

    static bool ask(const QString& message, bool showCancel, const QString& title, const Act& whileUp)
    {
        bool ran = false;
        QObject scope; // a timer that never fired dies with the call
        QTimer::singleShot(0, &scope, [&] {
            confirma& dlg = confirma::instance();
            EXPECT_TRUE(dlg.isVisible());
            EXPECT_EQ(dlg.windowModality(), Qt::ApplicationModal);
            whileUp(dlg);
            ran = true;
            if (dlg.isVisible()) {
                ADD_FAILURE() << "the dialog is still up after the answer";
                dlg.BT_cancela_Action();
            }
        });
        const bool answer = Module1::AbreJanela(message, showCancel, title);
        EXPECT_TRUE(ran) << "AbreJanela returned without waiting for an answer";
        EXPECT_FALSE(confirma::instance().isVisible());
        return answer;
    }

    // A key as the user types it: to the focused control, which passes on what it does not use.
    static void press(confirma& dlg, Qt::Key key)
    {
        QTest::keyClick(dlg.focusWidget() ? dlg.focusWidget() : &dlg, key);
    }

    // A warning shows OK alone; a question shows Cancel and OK, Cancel being
    // the default. The default holds the focus, so Space answers like Return.
    static void expectButtons(confirma& dlg, bool question)
    {
        QPushButton* byDefault = question ? dlg.BT_cancela : dlg.BT_ok;
        EXPECT_EQ(dlg.BT_cancela->isVisible(), question);
        EXPECT_TRUE(dlg.BT_ok->isVisible());
        EXPECT_EQ(dlg.defaultButton(), byDefault);
        EXPECT_EQ(dlg.focusWidget(), byDefault);
    }
};

} // namespace

// One dialog serves every call in turn; each call sets its own text, title,
// buttons and default, and anything but OK answers no, never a stale yes.
TEST_F(ConfirmationDialog, warningsAndQuestions_arrangeTheirButtons_andEachWayOfAnsweringGivesItsAnswer)
{
    const Act clickOk = [](confirma& dlg) { QTest::mouseClick(dlg.BT_ok, Qt::LeftButton); };
    const auto key = [](Qt::Key k) { return [k](confirma& dlg) { press(dlg, k); }; };
    // How the dialog is answered, whether it asks a question, the act, the answer.
    const std::tuple<const char*, bool, Act, bool> cases[] = {
        {"warning, Return", false, key(Qt::Key_Return), true},
        {"question, Return", true, key(Qt::Key_Return), false},
        {"warning, Escape does nothing, then Return", false,
         [](confirma& dlg) {
             press(dlg, Qt::Key_Escape);
             EXPECT_TRUE(dlg.isVisible()) << "Escape has no button to press on a warning";
             press(dlg, Qt::Key_Return);
         },
         true},
        {"question, Escape", true, key(Qt::Key_Escape), false},
        {"question, click on Ok", true, clickOk, true},
        {"question, hidden", true, [](confirma& dlg) { dlg.Hide(); }, false},
        {"question, click on Ok, again", true, clickOk, true},
        {"question, the window manager's close", true, [](confirma& dlg) { dlg.close(); }, false},
        {"question, a second call while it is up answers no", true,
         [&](confirma& dlg) {
             EXPECT_FALSE(Module1::AbreJanela("inner", false, "Aviso"));
             EXPECT_EQ(dlg.mensagem->text(), "question, a second call while it is up answers no");
             EXPECT_EQ(dlg.windowTitle(), "Confirma?");
             expectButtons(dlg, true);
             clickOk(dlg);
         },
         true},
    };
    confirma* first = nullptr;
    for (const auto& [how, question, act, expected] : cases) {
        SCOPED_TRACE(how);
        const QString message = QString::fromLatin1(how);
        const QString title = question ? QStringLiteral("Confirma?") : QStringLiteral("Aviso");
        const bool answer = ask(message, question, title, [&](confirma& dlg) {
            expectButtons(dlg, question);
            EXPECT_EQ(dlg.mensagem->text(), message);
            EXPECT_EQ(dlg.windowTitle(), title);
            first = first ? first : &dlg;
            EXPECT_EQ(&dlg, first);
            EXPECT_FALSE(dlg.windowFlags() & Qt::WindowCloseButtonHint);
            testsupport::screenshot(dlg, question ? "confirma_question" : "confirma_warning");
            act(dlg);
        });
        EXPECT_EQ(answer, expected);
    }
    // The longest questions fit.
    for (const QString& m :
         {Module1::kMsgApagaTudo(), Module1::kConfirmaImport() + " 1000 " + Module1::kMovimentos() + "?"}) {
        first->mensagem->setText(m);
        EXPECT_LE(first->mensagem->heightForWidth(first->mensagem->width()), first->mensagem->height());
    }
}
