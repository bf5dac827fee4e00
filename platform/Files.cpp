#include "platform/Files.h"

#include "platform/Format.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

QString DocumentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString PreferencesFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

namespace {

QString applicationFolderOverride;

// The line as text, or nothing when it is not text.
QString textOrNothing(QByteArrayView line)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(line);
    return utf8.hasError() || HasControlCharacter(text) ? QString() : text;
}

// What the writer of a file writes on: each write goes to the file whole. A
// disk that fills up part way takes only part of a write, with no error; the
// rest is written again, so that the write that fails says why.
class WholeWrites final : public QIODevice
{
  public:
    explicit WholeWrites(QFileDevice& file) : file_(file) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    bool failed() const { return failed_; }
    bool seek(qint64 pos) override { return file_.seek(pos) && QIODevice::seek(pos); }
    qint64 size() const override { return file_.size(); }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        for (qint64 done = 0; done < size;) {
            const qint64 written = file_.write(data + done, size - done);
            if (written <= 0) {
                failed_ = true;
                setErrorString(file_.errorString());
                return -1;
            }
            done += written;
        }
        return size;
    }

  private:
    QFileDevice& file_;
    bool failed_ = false;
};

} // namespace

QString ApplicationFolder()
{
    return applicationFolderOverride.isEmpty() ? QCoreApplication::applicationDirPath() : applicationFolderOverride;
}

void SetApplicationFolder(const QString& folder)
{
    applicationFolderOverride = folder;
}

bool EnsureFolder(const QString& path)
{
    return QDir().mkpath(path) && QFileInfo(path).isDir();
}

bool ReadTextLines(const QString& path, QStringList& lines, int maxLines, qsizetype maxLineBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Enough for the lines wanted at their longest, and never more: a huge
    // file costs no more to read than a normal one.
    const qint64 reach = qint64(maxLines) * (maxLineBytes + 2);
    const QByteArray head = file.read(file.size() > 0 ? qMin(reach, file.size()) : reach);
    if (file.error() != QFileDevice::NoError)
        return false;
    lines.clear();
    for (qsizetype start = 0; lines.size() < maxLines && start < head.size();) {
        qsizetype end = head.indexOf('\n', start);
        // A last line that the read cut off is too long, whatever its length here.
        const bool cut = end < 0 && !file.atEnd();
        if (end < 0)
            end = head.size();
        QByteArrayView line(head.constData() + start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        lines << (cut || line.size() > maxLineBytes ? QString() : textOrNothing(line));
        start = end + 1;
    }
    return true;
}

bool IsRegularFileOrNothing(const QString& path)
{
    const QFileInfo target(path);
    return !target.exists() || target.isFile();
}

FileWrite WriteFileWhole(const QString& path, const std::function<bool(QIODevice&)>& write, QString* error)
{
    // QSaveFile puts a new regular file in the place of whatever was there:
    // a device or a FIFO, even one that a link points to, would be lost.
    // Asking what is there opens nothing, so a FIFO cannot hold the program.
    if (!IsRegularFileOrNothing(path))
        return FileWrite::NotARegularFile;
    QSaveFile file(path);
    const auto fail = [&] {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return FileWrite::Failed;
    };
    // Unbuffered: Qt's own buffer loses the reason of a write that a full disk
    // cut short, and its commit does not see a failed write of that buffer.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail();
    WholeWrites out(file);
    if (!write(out) || out.failed() || !file.flush() || !file.commit())
        return fail();
    return FileWrite::Written;
}

FileWrite WriteTextLines(const QString& path, const QStringList& lines, QString* error)
{
    QByteArray data;
    for (const QString& line : lines)
        data += line.toUtf8() + '\n';
    return WriteFileWhole(
        path, [&](QIODevice& out) { return out.write(data) == data.size(); }, error);
}

bool CopyFileWhole(const QString& from, const QString& to, QString* error)
{
    if (QFileInfo::exists(to)) {
        if (error)
            *error = QStringLiteral("%1 already exists").arg(to);
        return false;
    }
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        if (error)
            *error = source.errorString();
        return false;
    }
    const auto copy = [&](QIODevice& out) {
        constexpr qint64 piece = 1 << 20;
        for (QByteArray data = source.read(piece); !data.isEmpty(); data = source.read(piece))
            if (out.write(data) != data.size())
                return false;
        return source.error() == QFileDevice::NoError;
    };
    switch (WriteFileWhole(to, copy, error)) {
    case FileWrite::Written:
        return true;
    case FileWrite::NotARegularFile: // put there since the look above
        if (error)
            *error = QStringLiteral("%1 already exists").arg(to);
        return false;
    case FileWrite::Failed:
        break;
    }
    if (error && source.error() != QFileDevice::NoError)
        *error = source.errorString();
    return false;
}
