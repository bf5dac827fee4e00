#include "Recorder.h"

Recorder::Recorder()
{
    seams::setMessages(this);
    seams::setConfirmations(this);
    seams::setFileDialogs(this);
    seams::setLauncher(this);
    seams::setClock(this);
    seams::setClipboard(this);
    seams::setPrintDialogs(this);
}

Recorder::~Recorder()
{
    seams::setMessages(nullptr);
    seams::setConfirmations(nullptr);
    seams::setFileDialogs(nullptr);
    seams::setLauncher(nullptr);
    seams::setClock(nullptr);
    seams::setClipboard(nullptr);
    seams::setPrintDialogs(nullptr);
}

QStringList Recorder::texts(const QString& kind) const
{
    QStringList out;
    for (const ShownText& s : shown)
        if (s.kind == kind)
            out << s.text;
    return out;
}

void Recorder::clear()
{
    shown.clear();
    openedUrls.clear();
    openedDocuments.clear();
}

void Recorder::message(const QString& text)
{
    shown.append({QStringLiteral("message"), text, QString(), false});
}

bool Recorder::confirm(const QString& message, bool showCancel, const QString& title)
{
    shown.append({QStringLiteral("confirm"), message, title, showCancel});
    return answers.isEmpty() ? defaultAnswer : answers.dequeue();
}

QString Recorder::openFile(const QString& caption, const QString&)
{
    shown.append({QStringLiteral("open-dialog"), caption, QString(), false});
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QString Recorder::saveFile(const QString& caption, const QString&, const QString&)
{
    shown.append({QStringLiteral("save-dialog"), caption, QString(), false});
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

bool Recorder::openUrl(const QUrl& url)
{
    openedUrls << url;
    return launchResult;
}

bool Recorder::openDocument(const QString& path)
{
    openedDocuments << path;
    return launchResult;
}
