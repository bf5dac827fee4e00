#include "ui/common/Module1.h"
#include "ui/common/confirma.h"

#include "TestSupport.h"
#include "platform/Seams.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Drives the real dialog: AbreJanela runs its modal loop, and `whileUp` runs
// inside that loop with the dialog on screen; it must answer the dialog.
class ConfirmationDialog : public ::testing::Test
{
protected:
    void SetUp() override { InstallConfirmationDialog(); }
    void TearDown() override { seams::setConfirmations(nullptr); }

    static bool ask(const QString& message, bool showCancel, const QString& title,
                    const std::function<void(confirma&)>& whileUp)
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
        QWidget* target = dlg.focusWidget() ? dlg.focusWidget() : &dlg;
        QTest::keyClick(target, key);
    }

    static void expectWarningLayout(confirma& dlg)
    {
        EXPECT_TRUE(dlg.BT_cancela->isHidden());
        EXPECT_TRUE(dlg.BT_ok->isVisible());
        EXPECT_EQ(dlg.BT_ok->pos(), QPoint(172, 72));
        EXPECT_TRUE(dlg.BT_ok->isDefault());
        EXPECT_FALSE(dlg.BT_cancela->isDefault());
        EXPECT_EQ(dlg.defaultButton(), dlg.BT_ok);
        EXPECT_EQ(dlg.focusWidget(), dlg.BT_ok);
    }

    static void expectQuestionLayout(confirma& dlg)
    {
        EXPECT_TRUE(dlg.BT_cancela->isVisible());
        EXPECT_TRUE(dlg.BT_ok->isVisible());
        EXPECT_EQ(dlg.BT_cancela->pos(), QPoint(58, 72));
        EXPECT_EQ(dlg.BT_ok->pos(), QPoint(134, 72));
        EXPECT_TRUE(dlg.BT_cancela->isDefault());
        EXPECT_FALSE(dlg.BT_ok->isDefault());
        EXPECT_EQ(dlg.defaultButton(), dlg.BT_cancela);
        EXPECT_EQ(dlg.focusWidget(), dlg.BT_cancela) << "Space answers like Return";
    }
};

} // namespace

TEST_F(ConfirmationDialog, newDialog_hasItsFixedFrameControlsAndInitialTitle)
{
    if (confirma::exists())
        confirma::instance().Close();
    confirma& dlg = confirma::instance();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Confirmação"));
    EXPECT_EQ(dlg.size(), QSize(261, 112));
    EXPECT_EQ(dlg.minimumSize(), dlg.maximumSize()) << "not resizable";
    EXPECT_FALSE(dlg.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dlg.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("mensagem")), dlg.mensagem);
    EXPECT_EQ(dlg.findChild<QPushButton*>(QStringLiteral("BT_cancela")), dlg.BT_cancela);
    EXPECT_EQ(dlg.findChild<QPushButton*>(QStringLiteral("BT_ok")), dlg.BT_ok);
    EXPECT_EQ(dlg.BT_cancela->text(), QStringLiteral("Cancela"));
    EXPECT_EQ(dlg.BT_ok->text(), QStringLiteral("Ok"));
    EXPECT_EQ(dlg.mensagem->geometry(), QRect(13, 14, 234, 46));
    EXPECT_TRUE(dlg.mensagem->wordWrap());
    EXPECT_TRUE(dlg.mensagem->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(dlg.cancelButton(), dlg.BT_cancela);
}

TEST_F(ConfirmationDialog, warning_showsOkAloneOnTheRight_andReturnAnswersOk)
{
    const bool answer = ask(Module1::kMsgValorZero(), false, Module1::kMsgAviso(), [](confirma& dlg) {
        expectWarningLayout(dlg);
        EXPECT_EQ(dlg.mensagem->text(), QStringLiteral("Valor não pode ser zero"));
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Aviso"));
        testsupport::screenshot(dlg, QStringLiteral("confirma_warning"));
        press(dlg, Qt::Key_Return);
    });
    EXPECT_TRUE(answer);
}

TEST_F(ConfirmationDialog, question_showsCancelThenOk_andReturnAnswersCancel)
{
    const bool answer = ask(Module1::kMsgApagaTudo2(), true, QStringLiteral("Confirma?"), [](confirma& dlg) {
        expectQuestionLayout(dlg);
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Confirma?"));
        testsupport::screenshot(dlg, QStringLiteral("confirma_question"));
        press(dlg, Qt::Key_Return);
    });
    EXPECT_FALSE(answer);
}

TEST_F(ConfirmationDialog, question_escapeAnswersCancel_clickOnOkAnswersOk)
{
    EXPECT_FALSE(ask("Confirma Apagar?", true, "Confirma?", [](confirma& dlg) { press(dlg, Qt::Key_Escape); }));
    EXPECT_TRUE(ask("Confirma Apagar?", true, "Confirma?",
                    [](confirma& dlg) { QTest::mouseClick(dlg.BT_ok, Qt::LeftButton); }));
    EXPECT_FALSE(ask("Confirma Apagar?", true, "Confirma?",
                     [](confirma& dlg) { QTest::mouseClick(dlg.BT_cancela, Qt::LeftButton); }));
}

TEST_F(ConfirmationDialog, question_spaceOnTheFocusedDefaultAnswersCancel)
{
    EXPECT_FALSE(ask("Confirma Apagar?", true, "Confirma?", [](confirma& dlg) { press(dlg, Qt::Key_Space); }));
}

TEST_F(ConfirmationDialog, question_returnAnswersTheDefaultEvenWithTheFocusOnOk)
{
    const bool answer = ask("Confirma Apagar?", true, "Confirma?", [](confirma& dlg) {
        dlg.BT_ok->setFocus();
        press(dlg, Qt::Key_Return);
    });
    EXPECT_FALSE(answer);
}

TEST_F(ConfirmationDialog, warningAfterQuestion_andQuestionAfterWarning_rearrangeBothButtons)
{
    EXPECT_TRUE(ask("q1", true, "Confirma?", [](confirma& dlg) {
        expectQuestionLayout(dlg);
        QTest::mouseClick(dlg.BT_ok, Qt::LeftButton);
    }));
    EXPECT_TRUE(ask("w", false, "Aviso", [](confirma& dlg) {
        expectWarningLayout(dlg);
        press(dlg, Qt::Key_Return);
    }));
    EXPECT_FALSE(ask("q2", true, "Confirma?", [](confirma& dlg) {
        expectQuestionLayout(dlg);
        EXPECT_EQ(dlg.mensagem->text(), QStringLiteral("q2"));
        press(dlg, Qt::Key_Return);
    }));
}

TEST_F(ConfirmationDialog, everyCall_replacesTheTitle_andReusesTheOneDialog)
{
    confirma* first = nullptr;
    for (const QString& title : {QStringLiteral("Aviso"), QStringLiteral("Confirma?"), QStringLiteral("Confirma")}) {
        ask("m", title != QLatin1String("Aviso"), title, [&](confirma& dlg) {
            EXPECT_EQ(dlg.windowTitle(), title);
            if (!first)
                first = &dlg;
            EXPECT_EQ(&dlg, first);
            QTest::mouseClick(dlg.BT_ok, Qt::LeftButton);
        });
    }
}

TEST_F(ConfirmationDialog, escapeOnAWarning_keepsItUpAndAnswerable)
{
    const bool answer = ask("w", false, "Aviso", [](confirma& dlg) {
        press(dlg, Qt::Key_Escape);
        EXPECT_TRUE(dlg.isVisible()) << "Escape has no button to press on a warning";
        press(dlg, Qt::Key_Return);
    });
    EXPECT_TRUE(answer);
}

TEST_F(ConfirmationDialog, closeFromTheWindowManager_answersCancel_neverAStaleOk)
{
    EXPECT_TRUE(ask("q", true, "Confirma?", [](confirma& dlg) { QTest::mouseClick(dlg.BT_ok, Qt::LeftButton); }));
    confirma* before = &confirma::instance();
    EXPECT_FALSE(ask("q", true, "Confirma?", [](confirma& dlg) { dlg.close(); }));
    EXPECT_TRUE(confirma::exists());
    EXPECT_EQ(&confirma::instance(), before);
    EXPECT_FALSE(ask("q", true, "Confirma?", [](confirma& dlg) { dlg.Hide(); }));
}

TEST_F(ConfirmationDialog, aSecondCallWhileOneIsOpen_answersNo_andLeavesTheOpenOneAlone)
{
    const bool answer = ask("outer", true, "Confirma?", [](confirma& dlg) {
        EXPECT_FALSE(Module1::AbreJanela("inner", false, "Aviso"));
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.mensagem->text(), QStringLiteral("outer"));
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Confirma?"));
        expectQuestionLayout(dlg);
        QTest::mouseClick(dlg.BT_ok, Qt::LeftButton);
    });
    EXPECT_TRUE(answer);
}

TEST_F(ConfirmationDialog, longestQuestions_fitTheMessageArea)
{
    confirma& dlg = confirma::instance();
    const QStringList messages = {
        Module1::kMsgApagaTudo(), Module1::kMsgApagaTudo2(),
        Module1::kConfirmaImport() + QStringLiteral(" 1000 ") + Module1::kMovimentos() + QStringLiteral("?")};
    for (const QString& m : messages) {
        dlg.mensagem->setText(m);
        EXPECT_LE(dlg.mensagem->heightForWidth(dlg.mensagem->width()), dlg.mensagem->height()) << m.toStdString();
    }
}
