// The program's own message box, shown through the real message service (no
// recorder) as the program shows it; a timer inspects it while it waits and
// answers it. The offscreen screen is 800 x 800.

#include "platform/Seams.h"

#include "MessageChecks.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Shows `text` with MsgBox and runs `whileUp` with the box on screen; then
// presses its OK button, which must end the box.
void showMessage(const QString& text, const std::function<void(QDialog&)>& whileUp)
{
    bool ran = false;
    QObject scope; // a timer that never fired dies with the call
    QTimer::singleShot(0, &scope, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box) << "no modal message box";
        EXPECT_EQ(box->windowTitle(), "Tovira");
        whileUp(*box);
        ran = true;
        auto* ok = box->findChild<QPushButton*>(QStringLiteral("BT_ok"));
        ASSERT_TRUE(ok);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    MsgBox(text);
    EXPECT_TRUE(ran) << "MsgBox returned without waiting for an answer";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// The size of the framework's own message box for `text`.
QSize frameworkBoxSize(const QString& text)
{
    QMessageBox box;
    box.setWindowTitle(QStringLiteral("Tovira"));
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    box.show(); // it sizes itself to its text only once shown
    return box.size();
}

// Whether the part of `widget` that its window shows lies inside `area` of the screen.
bool inView(const QWidget& widget, const QRect& area)
{
    const QRect global(widget.mapToGlobal(QPoint()), widget.size());
    const QWidget& window = *widget.window();
    return area.contains(global) && QRect(window.mapToGlobal(QPoint()), window.size()).contains(global);
}

} // namespace

// A word wider than the box (a name with no blank) wraps inside the word and
// shows whole; a text taller than the screen scrolls in a box that fits the
// screen's free height, its OK button in view; a short text keeps the size
// the framework's message box has for it.
TEST(MessageBox, showsEveryTextWhole_inABoxThatFitsTheScreen)
{
    const QString longWord = QString(150, QLatin1Char('W'));
    QStringList lines;
    for (int line = 1; line <= 61; ++line)
        lines += QStringLiteral("Linha %1: a conta Banco do agendamento não existe mais.").arg(line);
    const struct
    {
        const char* what;
        QString text;
        bool scrolls;
    } cases[] = {
        {"a short text", QStringLiteral("Senha inválida"), false},
        {"a word of 150 characters", QStringLiteral("A conta %1 não existe mais.").arg(longWord), false},
        {"a path with no blank",
         QStringLiteral("Não foi possível gravar o arquivo exportado.\n\n/home/usuario/%1/%1.txt").arg(longWord),
         false},
        {"61 lines", lines.join(QLatin1Char('\n')), true},
    };
    // A short text: a box of the framework's size, give or take a few pixels.
    const QString shortText = cases[0].text;
    showMessage(shortText, [&](QDialog& box) {
        const QSize framework = frameworkBoxSize(shortText);
        EXPECT_NEAR(box.width(), framework.width(), 8);
        EXPECT_NEAR(box.height(), framework.height(), 8);
    });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        showMessage(c.text, [&](QDialog& box) {
            const QRect screen = box.screen()->availableGeometry();
            auto* area = box.findChild<QScrollArea*>(QStringLiteral("areaMensagem"));
            ASSERT_TRUE(area);
            QScrollBar* bar = area->verticalScrollBar();
            EXPECT_EQ(bar->isVisible(), c.scrolls);
            EXPECT_TRUE(screen.contains(box.frameGeometry()));
            EXPECT_TRUE(inView(*box.findChild<QPushButton*>(QStringLiteral("BT_ok")), screen));
            testsupport::expectTextAndButtonsInside(box);
            testsupport::screenshot(box,
                                    QStringLiteral("MsgBox_%1").arg(QString::fromLatin1(c.what).replace(' ', '_')));
            if (!c.scrolls) {
                EXPECT_GE(testsupport::shownShare(box), 0.99);
                return;
            }
            EXPECT_EQ(bar->value(), 0);
            bar->setValue(bar->maximum());
            EXPECT_LE(area->widget()->y() + area->widget()->height(), area->viewport()->height())
                << "the last line can be scrolled into view";
        });
    }
}
