#include "exchange/ImportFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

ImportFileProblem unreadable(const QIODevice& device)
{
    return {ImportFileProblem::Kind::Unreadable, device.errorString(), 0};
}

} // namespace

ImportFileProblem ReadImportBytes(QIODevice& device, QByteArray& bytes)
{
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly))
        return unreadable(device);
    const qint64 told = device.isSequential() ? 0 : std::max<qint64>(0, device.size() - device.pos());
    if (told > kImportFileLimit)
        return {ImportFileProblem::Kind::TooLarge, QString(), told};
    // What the device says it holds is where reading starts, not where it
    // stops: a file may grow while it is read, and some (/proc) say nothing.
    // One byte past the limit is enough to know.
    constexpr qint64 past = kImportFileLimit + 1;
    QByteArray buffer(std::clamp<qint64>(told + 1, 64 * 1024, past), Qt::Uninitialized);
    qint64 have = 0;
    for (;;) {
        if (have == buffer.size()) {
            if (have == past)
                break;
            buffer.resize(std::min(have * 2, past));
        }
        const qint64 got = device.read(buffer.data() + have, buffer.size() - have);
        if (got < 0)
            return unreadable(device);
        if (got == 0)
            break;
        have += got;
    }
    const auto* file = qobject_cast<const QFileDevice*>(&device);
    if (file && file->error() != QFileDevice::NoError)
        return unreadable(device);
    if (have > kImportFileLimit)
        return {ImportFileProblem::Kind::TooLarge, QString(), 0};
    buffer.truncate(have);
    bytes = std::move(buffer);
    return {};
}

ImportFileProblem ReadImportBytes(const QString& path, QByteArray& bytes)
{
    // A pipe holds the program until another writes to it, and a device may
    // never end: only plain files are read. Looked at before the opening,
    // which would wait on a pipe, and again after it.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return {ImportFileProblem::Kind::NotAFile, QString(), 0};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return unreadable(file);
    if (file.isSequential())
        return {ImportFileProblem::Kind::NotAFile, QString(), 0};
    return ReadImportBytes(file, bytes);
}
