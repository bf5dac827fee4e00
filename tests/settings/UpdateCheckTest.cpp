#include "settings/UpdateCheck.h"

#include "Recorder.h"
#include "TestSupport.h"
#include "app/App.h"
#include "settings/wSobre.h"
#include "settings/wUpdate.h"
#include "ui/common/MenuBar1.h"
#include "ui/common/Module1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QNetworkProxy>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

// --- The reply and the verdict, without a network.

TEST(UpdateVerdictTest, sameOrOlderIsUpToDate_newerIsNotice_anythingElseFailed)
{
    const auto ok200 = [](const char* body) { return VersionFileReply{true, 200, QByteArray(body)}; };
    for (const char* body : {"2.1", "2.1\n", " 2.1\r\n", "2.0", "1.9"})
        EXPECT_EQ(JudgeVersionFile(ok200(body), 2, 1), UpdateVerdict::UpToDate) << body;
    for (const char* body : {"2.2", "2.10", "3.0"}) // numbers, not text
        EXPECT_EQ(JudgeVersionFile(ok200(body), 2, 1), UpdateVerdict::NewerAvailable) << body;
    for (const char* body : {"", "2", "2.1.3", "v2.1", "2.1 beta", "<html>404</html>", "2,1", "99999999999.1"})
        EXPECT_EQ(JudgeVersionFile(ok200(body), 2, 1), UpdateVerdict::CheckFailed) << body;
    EXPECT_EQ(JudgeVersionFile({true, 404, "2.1"}, 2, 1), UpdateVerdict::CheckFailed);
    EXPECT_EQ(JudgeVersionFile({true, 500, "9.9"}, 2, 1), UpdateVerdict::CheckFailed);
    EXPECT_EQ(JudgeVersionFile({false, 200, "9.9"}, 2, 1), UpdateVerdict::CheckFailed);
}

// The build is version 2.1.0: no third number. Ok and Escape hide the box, the
// close box ends it; a click on the credit line opens the page on release.
TEST(AboutBox, showsTheVersion_okOrEscapeHides_closeBoxEnds_creditLineOpensThePage)
{
    Recorder recorder;
    App::_mSobre_Action();
    wSobre* box = &wSobre::instance();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    EXPECT_EQ(box->Versao_numero->text(), "v2.1");
    testsupport::screenshot(*box, "wSobre");

    box->PushButton1->click();
    EXPECT_FALSE(box->isVisible());
    App::_mSobre_Action();
    EXPECT_EQ(&wSobre::instance(), box);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(box->isVisible());
    box->close();
    EXPECT_FALSE(wSobre::exists());
    EXPECT_TRUE(recorder.openedUrls.isEmpty());

    App::_mSobre_Action();
    box = &wSobre::instance();
    QTest::mousePress(box->StaticText1, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(recorder.openedUrls.isEmpty());
    QTest::mouseRelease(box->StaticText1, Qt::LeftButton, {}, QPoint(200, 10));
    EXPECT_EQ(recorder.openedUrls, QList<QUrl>{QUrl(TOVIRA_WEB_URL)});
    EXPECT_FALSE(box->isVisible());
    box->Close();
}

// --- The whole check against a local HTTP server.

// A one-page HTTP server on 127.0.0.1: answers every request with the given
// status and body, or never answers at all. `onRequest` runs when a request
// has arrived, before the answer.
class VersionServer : public QObject
{
  public:
    VersionServer()
    {
        server.listen(QHostAddress::LocalHost);
        url = QStringLiteral("http://127.0.0.1:%1/updates/tovira.upd").arg(server.serverPort());
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
            }
        });
    }

    QUrl url;
    int status = 200;
    QByteArray body;
    bool silent = false;
    std::function<void()> onRequest;
    QStringList requestedPaths;

  private:
    void answer(QTcpSocket* socket)
    {
        if (!socket->peek(socket->bytesAvailable()).contains("\r\n\r\n"))
            return; // the rest of the request is still on its way
        const QByteArray request = socket->readAll();
        requestedPaths << QString::fromLatin1(request.split(' ').value(1));
        if (onRequest)
            onRequest();
        if (silent)
            return;
        const QByteArray reason = status == 200 ? "OK" : "Not Found";
        socket->write("HTTP/1.0 " + QByteArray::number(status) + ' ' + reason + "\r\nContent-Type: text/plain\r\n" +
                      "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer server;
};

class UpdateCheck : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        // The local server is reached directly, whatever proxy the machine names.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        UpdateCheckSettings::address = server.url;
        UpdateCheckSettings::timeoutMs = 5000;
    }
    void TearDown() override
    {
        if (wUpdate* notice = wUpdate::existing())
            notice->Close();
        UpdateCheckSettings::address = QUrl(QStringLiteral(TOVIRA_UPDATE_URL));
        UpdateCheckSettings::timeoutMs = 20000;
    }

    bool noticeShown() const { return wUpdate::exists() && wUpdate::instance().isVisible(); }

    VersionServer server;
    Recorder recorder;
};

// One table of server answers: the running version says up to date, a newer
// one shows the notice, anything else says the check failed. While a check
// waits the command is disabled, the cursor busy, and no second check starts.
TEST_F(UpdateCheck, serverAnswers_giveUpToDateNoticeOrFailed_oneCheckAtATime_commandDisabled_cursorBusy)
{
    BindMenuHandlers(MenuBar1::instance());
    QAction* command = MenuBar1::instance().entry(QStringLiteral("mChecaUpdate"));
    const QString failed = Module1::kMsgUpdateFalhou();
    const std::tuple<int, QByteArray, bool, QString> cases[] = {
        {200, "2.1", false, "O Tovira está atualizado!"},
        {404, "9.9", false, failed},
        {200, "<html><body>Página não encontrada</body></html>", false, failed},
        {200, QByteArray(kMaxVersionFileBytes * 4, ' ') + "2.2", false, failed},
        {200, "2.1", true, failed},     // no answer at all
        {200, "2.2", false, QString()}, // the notice, last: it stays up
    };
    for (const auto& [status, body, silent, message] : cases) {
        SCOPED_TRACE(body.left(20).toStdString() + (silent ? " (silent)" : ""));
        recorder.clear();
        server.requestedPaths.clear();
        std::tie(server.status, server.body, server.silent) = std::tie(status, body, silent);
        UpdateCheckSettings::timeoutMs = silent ? 300 : 5000;
        ASSERT_TRUE(command->isEnabled());
        bool disabledAndBusy = false;
        server.onRequest = [&] {
            disabledAndBusy = !command->isEnabled() && QApplication::overrideCursor() &&
                              QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            App::ChecaUpdate(); // must not run: no second request, no second message
        };
        QElapsedTimer clock;
        clock.start();
        App::ChecaUpdate();
        EXPECT_LT(clock.elapsed(), 5000);
        EXPECT_TRUE(disabledAndBusy);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(command->isEnabled());
        EXPECT_EQ(server.requestedPaths, QStringList{"/updates/tovira.upd"});
        EXPECT_EQ(recorder.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        EXPECT_EQ(noticeShown(), message.isEmpty());
    }
    // The notice: Ok hides it, the same window comes back, the other button opens the page.
    wUpdate* first = &wUpdate::instance();
    testsupport::screenshot(*first, QStringLiteral("wUpdate"));
    first->PushButton1->click();
    EXPECT_FALSE(first->isVisible());
    EXPECT_TRUE(recorder.openedUrls.isEmpty());
    server.onRequest = nullptr; // it points at the loop's locals
    App::ChecaUpdate();
    EXPECT_TRUE(noticeShown());
    EXPECT_EQ(&wUpdate::instance(), first);
    first->PushButton2->click();
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(recorder.openedUrls, QList<QUrl>{QUrl(QStringLiteral(TOVIRA_WEB_URL))});
}

} // namespace
