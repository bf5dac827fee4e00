#pragma once

// The time and peak memory of reading one imported file, measured in a child
// run of the bench itself so that nothing the bench did before counts: the
// bench runs its own program again with "--peak" and the file, the child
// reads it and prints what it held at most and before it started, how long it
// took and what it found.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <cstdio>
#include <functional>

inline constexpr char kPeakOption[] = "--peak";

// A figure of this program's memory from /proc/self/status, in bytes: VmRSS
// (what it holds now) or VmHWM (the most it has held since it started;
// getrusage would also count the bench's, which it keeps across the exec).
inline long long memoryFigure(const char* name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(name))
            return line.mid(qsizetype(qstrlen(name))).simplified().split(' ').value(0).toLongLong() * 1024;
    return 0;
}

// In the child: reads the file with `read`, which says what it found, and prints the line the bench reads.
inline int printPeakOf(const std::function<QString()>& read)
{
    const long long startUp = memoryFigure("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    const QString found = read();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    const long long peak = memoryFigure("VmHWM:");
    if (startUp == 0 || peak == 0)
        return 1;
    std::printf("%lld %lld %.1f %s\n", peak, startUp, ms, qPrintable(found));
    return 0;
}

struct PeakReading
{
    bool ok = false;
    double megabytes = 0;        // the most the child held, in MB
    double startUpMegabytes = 0; // what it held before it read the file
    double ms = 0;
    QString found;
};

// In the bench: the child's reading of `path`.
inline PeakReading peakOfReading(const QString& path)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QLatin1String(kPeakOption), path});
    PeakReading reading;
    if (!child.waitForFinished(600000) || child.exitCode() != 0)
        return reading;
    const QString said = QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed();
    reading.megabytes = said.section(' ', 0, 0).toDouble() / double(1 << 20);
    reading.startUpMegabytes = said.section(' ', 1, 1).toDouble() / double(1 << 20);
    reading.ms = said.section(' ', 2, 2).toDouble();
    reading.found = said.section(' ', 3);
    reading.ok = reading.megabytes > 0;
    return reading;
}

// One line of the report: the file, its size, time and peak, and what the
// peak is over the child's start-up against the file's size; whether that
// stays within `maxTimesFile` times the file (or within `maxMegabytes`, for a
// refused file).
inline void printPeak(const char* what, const QString& path, double maxTimesFile, double maxMegabytes = 0)
{
    const double fileMegabytes = double(QFileInfo(path).size()) / double(1 << 20);
    const PeakReading r = peakOfReading(path);
    const double overStartUp = r.megabytes - r.startUpMegabytes;
    const bool ok =
        r.ok && (maxMegabytes > 0 ? overStartUp <= maxMegabytes : overStartUp <= maxTimesFile * fileMegabytes);
    std::printf("%-34s %7.1f MB: %7.1f ms, peak memory %6.1f MB, %6.1f MB over start-up (%.2f x the file; "
                "limit %s): %s [%s]\n",
                what, fileMegabytes, r.ms, r.megabytes, overStartUp, overStartUp / fileMegabytes,
                qPrintable(maxMegabytes > 0 ? QStringLiteral("%1 MB").arg(maxMegabytes)
                                            : QStringLiteral("%1 x").arg(maxTimesFile)),
                ok ? "ok" : "FAILED", qPrintable(r.found));
}
