#include "Recorder.h"

void Recorder::install(Recorder* r)
{
    seams::setMessages(r);
    seams::setConfirmations(r);
    seams::setFileDialogs(r);
    seams::setLauncher(r);
    seams::setClock(r);
    seams::setClipboard(r);
    seams::setPrintDialogs(r);
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
