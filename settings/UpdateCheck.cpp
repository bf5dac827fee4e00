#include "settings/UpdateCheck.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTimer>

QString AboutVersionText(int major, int minor, int bug)
{
    QString text = QStringLiteral("v%1.%2").arg(major).arg(minor);
    if (bug != 0)
        text += QStringLiteral(".%1").arg(bug);
    return text;
}

std::optional<PublishedVersion> ParseVersionFile(const QByteArray& body)
{
    // Nine digits at most, so a number always fits an int.
    static const QRegularExpression versionPattern(QStringLiteral("^([0-9]{1,9})\\.([0-9]{1,9})$"));
    const QRegularExpressionMatch match = versionPattern.match(QString::fromLatin1(body.trimmed()));
    if (!match.hasMatch())
        return std::nullopt;
    return PublishedVersion{match.captured(1).toInt(), match.captured(2).toInt()};
}

UpdateVerdict JudgeVersionFile(const VersionFileReply& reply, int runningMajor, int runningMinor)
{
    if (!reply.transferred || reply.httpStatus != 200)
        return UpdateVerdict::CheckFailed;
    const std::optional<PublishedVersion> published = ParseVersionFile(reply.body);
    if (!published)
        return UpdateVerdict::CheckFailed;
    if (published->major != runningMajor)
        return published->major > runningMajor ? UpdateVerdict::NewerAvailable : UpdateVerdict::UpToDate;
    return published->minor > runningMinor ? UpdateVerdict::NewerAvailable : UpdateVerdict::UpToDate;
}

VersionFileReply FetchVersionFile(const QUrl& address, int timeoutMs)
{
    VersionFileReply result;
    QNetworkAccessManager manager;
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = manager.get(request);

    bool failed = false;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, [&] {
        failed = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        if (reply->bytesAvailable() > kMaxVersionFileBytes) {
            failed = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        deadline.start(timeoutMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

    result.transferred = !failed && reply->error() == QNetworkReply::NoError;
    result.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (result.transferred)
        result.body = reply->read(kMaxVersionFileBytes + 1);
    delete reply;
    return result;
}
