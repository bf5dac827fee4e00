#include "ModalWatchdog.h"

#include "app/App.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QThread>

ModalWatchdog::ModalWatchdog()
{
    // Its ticks run only inside an event loop: the very place a test can hang.
    timer_.setInterval(100);
    QObject::connect(&timer_, &QTimer::timeout, [this] { check(); });
}

void ModalWatchdog::OnTestStart(const ::testing::TestInfo&)
{
    modal_ = nullptr;
    loopLevel_ = 0;
    failed_ = false;
    since_.start();
    timer_.start();
}

void ModalWatchdog::OnTestEnd(const ::testing::TestInfo&)
{
    timer_.stop();
}

void ModalWatchdog::check()
{
    QWidget* modal = QApplication::activeModalWidget();
    const int loopLevel = QThread::currentThread()->loopLevel();
    if (modal != modal_ || loopLevel != loopLevel_) {
        modal_ = modal;
        loopLevel_ = loopLevel;
        since_.restart();
        return;
    }
    // Outside every event loop the test itself is running, not waiting.
    if (loopLevel == 0 || since_.elapsed() < (failed_ ? LimitAfterFailureMs : LimitMs))
        return;
    ADD_FAILURE() << describe(modal, loopLevel, since_.elapsed()).toStdString();
    failed_ = true;
    since_.restart();
    if (modal)
        dismiss(modal);
    else if (App::loopRunning)
        App::Quit(1);
    else
        QCoreApplication::exit(1);
}

QString ModalWatchdog::describe(QWidget* modal, int loopLevel, qint64 waitedMs)
{
    const auto name = [](const QWidget* w) {
        return QStringLiteral("%1 \"%2\" (%3)")
            .arg(QLatin1String(w->metaObject()->className()), w->objectName(), w->windowTitle());
    };
    const QString waited = QString::number(double(waitedMs) / 1000, 'f', 1);
    if (modal) {
        QString text =
            QStringLiteral("A modal window waited %1 s with nobody to answer it: %2").arg(waited, name(modal));
        if (const auto* box = qobject_cast<const QMessageBox*>(modal))
            text += QStringLiteral(", saying \"%1\"").arg(box->text());
        return text;
    }
    QStringList shown;
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            shown << name(w);
    return QStringLiteral("An event loop (level %1) ran %2 s with nobody to play the user; on screen: %3")
        .arg(QString::number(loopLevel), waited, shown.isEmpty() ? QStringLiteral("nothing") : shown.join(", "));
}

void ModalWatchdog::dismiss(QWidget* modal)
{
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->hide(); // a window shown with ShowModal leaves its loop when hidden
}
