#pragma once

// The program's contacts with the user and the outside world that tests must
// replace: message boxes, the confirmation dialog's answer, file dialogs,
// opening a web address or a document, and today's date. The program installs
// the Qt implementations at start-up; tests install recorders, so that no test
// ever blocks on a modal window or reads the wall clock.

#include <QDate>
#include <QString>
#include <QUrl>

class MessageService
{
public:
    virtual ~MessageService() = default;
    // A modal message with one OK button.
    virtual void message(const QString& text) = 0;
};

class ConfirmationService
{
public:
    virtual ~ConfirmationService() = default;
    // Shows a warning (showCancel false) or a question; true for OK.
    virtual bool confirm(const QString& message, bool showCancel, const QString& title) = 0;
};

class FileDialogService
{
public:
    virtual ~FileDialogService() = default;
    // The chosen file's path, or an empty text when the user cancelled.
    virtual QString openFile(const QString& caption, const QString& filter) = 0;
    virtual QString saveFile(const QString& caption, const QString& suggestedPath, const QString& filter) = 0;
};

class LaunchService
{
public:
    virtual ~LaunchService() = default;
    virtual bool openUrl(const QUrl& url) = 0;
    virtual bool openDocument(const QString& path) = 0;
};

class ClockService
{
public:
    virtual ~ClockService() = default;
    virtual QDate today() = 0;
};

namespace seams {

// The services in use. Each starts as the Qt implementation (the
// confirmation as a plain two-button message box until the program installs
// its own dialog). A service installed here is not owned.
MessageService& messages();
ConfirmationService& confirmations();
FileDialogService& fileDialogs();
LaunchService& launcher();
ClockService& clock();

void setMessages(MessageService* service);
void setConfirmations(ConfirmationService* service);
void setFileDialogs(FileDialogService* service);
void setLauncher(LaunchService* service);
void setClock(ClockService* service);

} // namespace seams

// The framework's message box: modal, one OK button.
inline void MsgBox(const QString& text)
{
    seams::messages().message(text);
}

inline QDate Today()
{
    return seams::clock().today();
}
