#include "platform/Seams.h"

#include "platform/MessageDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>

namespace {

QWidget* activeParent()
{
    return QApplication::activeWindow();
}

class QtMessages final : public MessageService
{
public:
    void message(const QString& text) override
    {
        MessageDialog box(QStringLiteral("Tovira"), text, activeParent());
        box.exec();
    }
};

class QtConfirmations final : public ConfirmationService
{
public:
    bool confirm(const QString& message, bool showCancel, const QString& title) override
    {
        const auto buttons = showCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok;
        return QMessageBox::question(activeParent(), title, message, buttons,
                                     showCancel ? QMessageBox::Cancel : QMessageBox::Ok) == QMessageBox::Ok;
    }
};

// Qt's own dialog, not the desktop's: a desktop's dialog speaks the
// system's language, Qt's speaks the program's (its translation is loaded at
// start-up).
class QtFileDialogs final : public FileDialogService
{
public:
    QString openFile(const QString& caption, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(activeParent(), caption, QString(), filter, nullptr,
                                            QFileDialog::DontUseNativeDialog);
    }
    QString saveFile(const QString& caption, const QString& suggestedPath, const QString& filter) override
    {
        return QFileDialog::getSaveFileName(activeParent(), caption, suggestedPath, filter, nullptr,
                                            QFileDialog::DontUseNativeDialog);
    }
};

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// xdg-open says by its exit code that no program can open a file, but
// QDesktopServices does not wait for it. Some desktops run the reader in
// xdg-open's place, so an opener still running after a moment has found one;
// it is left to run (and never killed, even when the program ends).
bool openWithDesktop(const QString& path)
{
    auto* opener = new QProcess;
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({path});
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    opener->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    opener->start();
    const bool started = opener->waitForStarted();
    const bool finished = started && opener->waitForFinished(1500);
    QApplication::restoreOverrideCursor();
    if (!started) {
        delete opener;
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
    return !finished || (opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0);
}
#else
bool openWithDesktop(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
#endif

class QtLauncher final : public LaunchService
{
public:
    bool openUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
    bool openDocument(const QString& path) override { return openWithDesktop(path); }
};

class QtClipboard final : public ClipboardService
{
public:
    void setImage(const QImage& image) override { QGuiApplication::clipboard()->setImage(image); }
};

class QtPrintDialogs final : public PrintDialogService
{
public:
    std::shared_ptr<QPaintDevice> openPrinterDialog() override
    {
        auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
        QPrintDialog dialog(printer.get(), activeParent());
        if (dialog.exec() != QDialog::Accepted)
            return nullptr;
        return printer;
    }
};

class SystemClock final : public ClockService
{
public:
    QDate today() override { return QDate::currentDate(); }
};

QtMessages qtMessages;
QtConfirmations qtConfirmations;
QtFileDialogs qtFileDialogs;
QtLauncher qtLauncher;
QtClipboard qtClipboard;
QtPrintDialogs qtPrintDialogs;
SystemClock systemClock;

MessageService* currentMessages = &qtMessages;
ConfirmationService* currentConfirmations = &qtConfirmations;
FileDialogService* currentFileDialogs = &qtFileDialogs;
LaunchService* currentLauncher = &qtLauncher;
ClipboardService* currentClipboard = &qtClipboard;
PrintDialogService* currentPrintDialogs = &qtPrintDialogs;
ClockService* currentClock = &systemClock;

} // namespace

namespace seams {

MessageService& messages() { return *currentMessages; }
ConfirmationService& confirmations() { return *currentConfirmations; }
FileDialogService& fileDialogs() { return *currentFileDialogs; }
LaunchService& launcher() { return *currentLauncher; }
ClipboardService& clipboard() { return *currentClipboard; }
PrintDialogService& printDialogs() { return *currentPrintDialogs; }
ClockService& clock() { return *currentClock; }

void setMessages(MessageService* service) { currentMessages = service ? service : &qtMessages; }
void setConfirmations(ConfirmationService* service) { currentConfirmations = service ? service : &qtConfirmations; }
void setFileDialogs(FileDialogService* service) { currentFileDialogs = service ? service : &qtFileDialogs; }
void setLauncher(LaunchService* service) { currentLauncher = service ? service : &qtLauncher; }
void setClipboard(ClipboardService* service) { currentClipboard = service ? service : &qtClipboard; }
void setPrintDialogs(PrintDialogService* service) { currentPrintDialogs = service ? service : &qtPrintDialogs; }
void setClock(ClockService* service) { currentClock = service ? service : &systemClock; }

} // namespace seams
