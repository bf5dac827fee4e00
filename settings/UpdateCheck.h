#pragma once

// The update check without a window: the running version's texts, the reading
// of the published version file and the verdict, and the one blocking fetch.
// Only an HTTP 200 reply whose trimmed body is "major.minor" is a published
// version; anything else means the check could not be made.

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <optional>

// The about box's version text: "v2.1", or "v2.1.3" when the third number is not 0.
QString AboutVersionText(int major, int minor, int bug);

struct PublishedVersion
{
    int major = 0;
    int minor = 0;
};

// "major.minor" with ASCII digits only, blanks and line ends around it allowed.
std::optional<PublishedVersion> ParseVersionFile(const QByteArray& body);

// What came back from the update host.
struct VersionFileReply
{
    bool transferred = false; // the request completed without a network error or time-out
    int httpStatus = 0;
    QByteArray body;
};

enum class UpdateVerdict {
    UpToDate,       // the published version is the running one or older
    NewerAvailable, // a newer version is published
    CheckFailed,    // no usable answer: no connection, time-out, error status, not a version
};

UpdateVerdict JudgeVersionFile(const VersionFileReply& reply, int runningMajor, int runningMinor);

// Where and how long to ask. Tests point these at a local server.
struct UpdateCheckSettings
{
    static inline QUrl address = QUrl(QStringLiteral(TOVIRA_UPDATE_URL));
    static inline int timeoutMs = 20000;
};

// A reply larger than this is not a version file; the fetch stops reading it.
inline constexpr qint64 kMaxVersionFileBytes = 4096;

// GETs the address and waits at most timeoutMs for the whole reply. While it
// waits, windows repaint and network events run, but no user input is taken.
VersionFileReply FetchVersionFile(const QUrl& address, int timeoutMs);
