#pragma once

// What every benchmark runs in: a fresh temporary HOME (so no real user's
// files are read or written) and the offscreen platform unless told otherwise.

#include <QDir>
#include <QTemporaryDir>

class BenchHome
{
  public:
    BenchHome() : dir_(QDir::tempPath() + QStringLiteral("/tovira-bench-XXXXXX"))
    {
        qputenv("HOME", dir_.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (dir_.path() + QStringLiteral("/.config")).toUtf8());
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QString filePath(const QString& name) const { return dir_.filePath(name); }

  private:
    QTemporaryDir dir_;
};
