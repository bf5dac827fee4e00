#pragma once

// Stands in for every seam of the program during a test: logs each text shown
// and plays scripted answers, so that no test blocks on a modal window.

#include "platform/Seams.h"

#include <QDate>
#include <QImage>
#include <QQueue>
#include <QStringList>
#include <QUrl>

struct ShownText
{
    QString kind; // "message", "confirm"
    QString text;
    QString title;
    bool showCancel = false;
};

class Recorder final : public MessageService,
                       public ConfirmationService,
                       public FileDialogService,
                       public LaunchService,
                       public ClockService,
                       public ClipboardService,
                       public PrintDialogService
{
  public:
    // Installs itself in every seam; the destructor puts the Qt ones back.
    Recorder() { install(this); }
    ~Recorder() override { install(nullptr); }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Scripted answers, used in order; when none is left, confirmations answer
    // `defaultAnswer` and file dialogs answer "" (cancelled).
    QQueue<bool> answers;
    bool defaultAnswer = true;
    QQueue<QString> fileNames;
    QDate todayDate = QDate(2026, 12, 5);
    bool launchResult = true;
    // The page the print dialog gives; none means the user cancels.
    std::shared_ptr<QImage> page;

    QList<ShownText> shown;
    QList<QUrl> openedUrls;
    QStringList openedDocuments;
    QList<QImage> copied; // every picture put on the clipboard
    int printDialogsShown = 0;

    // Every message-box text, or every confirmation-dialog text, in order.
    QStringList messages() const { return texts(QStringLiteral("message")); }
    QStringList confirmations() const { return texts(QStringLiteral("confirm")); }
    QStringList texts(const QString& kind) const;
    void clear();

    void message(const QString& text) override { shown.append({QStringLiteral("message"), text, QString(), false}); }
    bool confirm(const QString& message, bool showCancel, const QString& title) override
    {
        shown.append({QStringLiteral("confirm"), message, title, showCancel});
        return answers.isEmpty() ? defaultAnswer : answers.dequeue();
    }
    QString openFile(const QString& caption, const QString&) override { return dialog("open-dialog", caption); }
    QString saveFile(const QString& caption, const QString&, const QString&) override
    {
        return dialog("save-dialog", caption);
    }
    bool openUrl(const QUrl& url) override
    {
        openedUrls << url;
        return launchResult;
    }
    bool openDocument(const QString& path) override
    {
        openedDocuments << path;
        return launchResult;
    }
    QDate today() override { return todayDate; }
    void setImage(const QImage& image) override { copied << image; }
    std::shared_ptr<QPaintDevice> openPrinterDialog() override { return ++printDialogsShown, page; }

  private:
    static void install(Recorder* r);
    QString dialog(const char* kind, const QString& caption);
};
