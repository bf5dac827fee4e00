#include "ui/common/confirma.h"
#include "ui/common/Module1.h"

#include "MessageChecks.h"
#include "TestSupport.h"
#include "platform/Seams.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QScreen>
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

namespace {

// Arguments as long as the program passes them: a line number, an amount of
// the most digits a field takes, a name, and a file name with no blank to break at.
const char* const longArguments[] = {
    "1234567",
    "99.999.999.999.999.999,999",
    "Cartão de Crédito Internacional do Banco Nacional de Desenvolvimento",
    "/home/usuario/Documentos/Extratos/extrato_da_conta_corrente_do_banco_2026-03-05.ofx",
};

const QRegularExpression placeholder(QStringLiteral("%[1-9]"));

// The text with every %1, %2, ... replaced by `argument`.
QString filled(QString text, const QString& argument)
{
    while (text.contains(placeholder))
        text = text.arg(argument);
    return text;
}

} // namespace

// Every text the program has, with long arguments in its blanks, shows whole
// in the dialog: no line below the text area, no word past its edge. A text
// of up to three lines keeps the dialog's own size; a longer one makes it
// taller, the width unchanged.
TEST_F(ConfirmationDialog, everyTextOfTheProgram_withLongArguments_showsWhole_withTheButtonsBelowIt)
{
    QStringList names;
    QStringList messages;
    for (const Module1::TextConstant& constant : Module1::textConstants()) {
        names += QLatin1String(constant.name);
        const QString text = constant.text();
        if (!text.contains(placeholder))
            messages += text;
        else
            for (const char* argument : longArguments)
                messages += filled(text, QString::fromUtf8(argument));
    }
    // The texts of the program's table and those added beside it, each once.
#define TOVIRA_TEXT(name, text) EXPECT_TRUE(names.contains(QLatin1String(#name))) << #name;
#include "ui/common/Module1Texts.inc"
#undef TOVIRA_TEXT
    EXPECT_TRUE(names.contains(QLatin1String("kMsgCreditoVazioLinha")));
    EXPECT_EQ(names.removeDuplicates(), 0);
    // Messages of several paragraphs, as the database's errors and the help's notice come.
    messages += QStringLiteral("Erro: 19\n\ndisk full");
    messages += Module1::kMsgAjudaSemLeitor() + QLatin1Char('\n') + QString::fromUtf8(longArguments[3]);

    const QFontMetrics metrics(confirma::instance().mensagem->font());
    int tallest = 0;
    for (qsizetype i = 0; i < messages.size(); ++i) {
        const QString& message = messages[i];
        SCOPED_TRACE(message.toStdString());
        const bool question = i % 2 == 1;
        ask(message, question, question ? QStringLiteral("Confirma?") : QStringLiteral("Aviso"), [&](confirma& dlg) {
            EXPECT_EQ(dlg.mensagem->text(), message);
            EXPECT_EQ(dlg.width(), 261);
            testsupport::expectTextAndButtonsInside(dlg);
            EXPECT_GE(testsupport::shownShare(dlg), 0.99);
            // While Qt's own word wrap fits the text in three lines, the dialog is as laid out.
            const QRect wrapped = metrics.boundingRect(QRect(0, 0, 234, 1000), Qt::TextWordWrap, message);
            const bool fitsThreeLines = wrapped.height() <= 46 && wrapped.width() <= 234;
            if (fitsThreeLines) {
                EXPECT_EQ(dlg.size(), QSize(261, 112));
                EXPECT_EQ(dlg.BT_ok->y(), 72);
            }
            if (dlg.height() > tallest) {
                tallest = dlg.height();
                testsupport::screenshot(dlg, QStringLiteral("confirma_longest_text"));
            }
            dlg.BT_ok_Action();
        });
    }
    EXPECT_GT(tallest, 112);
}

// A warning that lists many refused lines and ends with a question is taller
// than the screen: the dialog stops within the screen's free height, its text
// scrolls down to the last line, and the buttons and their keys stay. The
// next short message gets the dialog's own size back.
TEST_F(ConfirmationDialog, textTallerThanTheScreen_scrollsWithinTheScreen_andTheNextShortOneHasTheUsualSize)
{
    QStringList refusals;
    for (int line = 1; line <= 12; ++line)
        refusals += line % 2 ? Module1::kMsgCreditoVazioLinha().arg(line * 100003)
                             : Module1::kMsgValorAmbiguoLinha().arg(line * 100003).arg(QStringLiteral("1.234"));
    const QString list = refusals.join(QLatin1Char('\n')) + QLatin1Char('\n') + Module1::kConfirmaImport() + " 1000 " +
                         Module1::kMovimentos() + "?";
    // Twice: each call starts at the top of its own text.
    for (int round = 0; round < 2; ++round) {
        const bool answer = ask(list, true, QStringLiteral("Confirma?"), [&](confirma& dlg) {
            const QRect screen = dlg.screen()->availableGeometry();
            QScrollBar* bar = dlg.areaMensagem->verticalScrollBar();
            ASSERT_TRUE(bar->isVisible());
            EXPECT_LE(dlg.frameGeometry().height(), screen.height());
            EXPECT_EQ(dlg.width(), 261);
            testsupport::expectTextAndButtonsInside(dlg);
            EXPECT_LE(dlg.mensagem->width() + bar->width(), dlg.areaMensagem->width()) << "no text under the bar";
            EXPECT_EQ(bar->value(), 0);
            testsupport::screenshot(dlg, QStringLiteral("confirma_scrolled_top"));
            bar->setValue(bar->maximum());
            EXPECT_LE(dlg.mensagem->y() + dlg.mensagem->height(), dlg.areaMensagem->viewport()->height())
                << "the last line can be scrolled into view";
            testsupport::screenshot(dlg, QStringLiteral("confirma_scrolled_bottom"));
            press(dlg, Qt::Key_Return);
        });
        EXPECT_FALSE(answer);
    }

    ask(Module1::kMsgValorZero(), false, QStringLiteral("Aviso"), [](confirma& dlg) {
        EXPECT_EQ(dlg.size(), QSize(261, 112));
        EXPECT_EQ(QRect(dlg.areaMensagem->mapTo(&dlg, QPoint()), dlg.areaMensagem->size()), QRect(13, 14, 234, 46));
        EXPECT_FALSE(dlg.areaMensagem->verticalScrollBar()->isVisible());
        EXPECT_EQ(dlg.BT_ok->y(), 72);
        press(dlg, Qt::Key_Return);
    });
}
