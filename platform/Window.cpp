#include "platform/Window.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>
#include <algorithm>

Window::Window(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

Window::~Window()
{
    if (modalLoop_)
        modalLoop_->quit();
}

void Window::Show()
{
    show();
    raise();
    activateWindow();
}

void Window::ShowModal()
{
    if (modalLoop_)
        return;
    const Qt::WindowModality previous = windowModality();
    const bool wasVisible = isVisible();
    if (wasVisible)
        hide();
    setWindowModality(Qt::ApplicationModal);
    Show();
    QEventLoop loop;
    modalLoop_ = &loop;
    // The window may be destroyed while the loop runs; the pointer tells.
    QPointer<Window> self(this);
    loop.exec(QEventLoop::DialogExec);
    if (self) {
        modalLoop_ = nullptr;
        hide();
        setWindowModality(previous);
    }
}

void Window::Close()
{
    if (closing_)
        return;
    closing_ = true;
    Event_Close();
    forgetInstance();
    hide();
    deleteLater();
}

void Window::setDefaultButton(QPushButton* button)
{
    if (defaultButton_)
        defaultButton_->setDefault(false);
    defaultButton_ = button;
    if (button)
        button->setDefault(true);
}

void Window::setCancelButton(QPushButton* button)
{
    cancelButton_ = button;
}

void Window::keyPressEvent(QKeyEvent* event)
{
    const bool plain = !(event->modifiers() & ~Qt::KeypadModifier);
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && defaultButton_ &&
        defaultButton_->isVisible() && defaultButton_->isEnabled()) {
        defaultButton_->click();
        return;
    }
    if (plain && event->key() == Qt::Key_Escape && cancelButton_ && cancelButton_->isVisible() &&
        cancelButton_->isEnabled()) {
        cancelButton_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Window::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (modalLoop_)
        modalLoop_->quit();
    emit hidden();
}

void Window::closeEvent(QCloseEvent* event)
{
    // The close box: the window decides, then is destroyed like Close().
    if (closing_) {
        event->accept();
        return;
    }
    if (CancelClose()) {
        event->ignore();
        return;
    }
    event->ignore();
    Close();
}

void Window::useDialogTextSize()
{
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
}

QRect ScreenAreaAt(const QPoint& point)
{
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

int FrameHeightOf(const QWidget& window)
{
    // Room for the title bar and border while they are not known.
    constexpr int frameAllowance = 48;
    const QWindow* handle = window.windowHandle();
    const int measured = handle ? handle->frameMargins().top() + handle->frameMargins().bottom() : 0;
    return std::max(measured, frameAllowance);
}
