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

QString Recorder::dialog(const char* kind, const QString& caption)
{
    shown.append({QLatin1String(kind), caption, QString(), false});
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}
