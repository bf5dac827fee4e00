#pragma once

// The program's windows: one instance per class, reached through the class's
// accessor `instance()`, which creates the window on first use and stores it
// before the window's open handler runs. `Show` shows, raises and activates;
// `ShowModal` waits until the window is hidden; `Hide` keeps the window and its
// contents; `Close` destroys it, so the next accessor call makes a new one.

#include <QPointer>
#include <QPushButton>
#include <QWidget>

class QEventLoop;

class Window : public QWidget
{
    Q_OBJECT

public:
    explicit Window(QWidget* parent = nullptr);
    ~Window() override;

    void Show();
    void ShowModal();
    void Hide() { hide(); }
    virtual void Close();

    // The text size of the program's dialogs, for the whole window.
    void useDialogTextSize();

    // Return and Enter press the default button, Escape the cancel button.
    void setDefaultButton(QPushButton* button);
    void setCancelButton(QPushButton* button);
    QPushButton* defaultButton() const { return defaultButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    // Runs once, right after the accessor has stored the new window.
    virtual void Event_Open() {}
    // The user asked to close the window (its close box); return false to keep it.
    virtual bool CancelClose() { return false; }
    virtual void Event_Close() {}

signals:
    void hidden();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Forgets the stored instance, so the accessor makes a new window.
    virtual void forgetInstance() = 0;

private:
    QPointer<QPushButton> defaultButton_;
    QPointer<QPushButton> cancelButton_;
    QEventLoop* modalLoop_ = nullptr;
    bool closing_ = false;
};

// The free area (without panels and docks) of the screen that shows `point`,
// or of the main screen when none does; empty when there is no screen.
QRect ScreenAreaAt(const QPoint& point);

// The height that the window manager's title bar and borders add to the
// window: what they measure once the window has been shown, and never less
// than a usual title bar needs, so that a window sized before it is shown
// still fits the screen.
int FrameHeightOf(const QWidget& window);

// Gives a window class its single-instance accessor:
//   class wContas : public SingleWindow<wContas> { ... };
//   wContas::instance().Show();
template <class W>
class SingleWindow : public Window
{
public:
    using Window::Window;

    static W& instance()
    {
        if (!current_) {
            current_ = new W();
            current_->Event_Open();
        }
        return *current_;
    }
    // Creates and stores the window without running its open handler, for a
    // window whose open handler needs state that is not ready yet; whoever
    // calls this runs Event_Open later.
    static W& instanceWithoutOpen()
    {
        if (!current_)
            current_ = new W();
        return *current_;
    }
    static bool exists() { return current_ != nullptr; }
    static W* existing() { return current_; }

protected:
    ~SingleWindow() override
    {
        if (current_ == this)
            current_ = nullptr;
    }
    void forgetInstance() override
    {
        if (current_ == this)
            current_ = nullptr;
    }

private:
    static inline W* current_ = nullptr;
};
