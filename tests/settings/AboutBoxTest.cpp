#include "settings/wSobre.h"
#include "settings/wUpdate.h"

#include "Recorder.h"
#include "TestSupport.h"
#include "app/App.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The build is version 2.1.0: no third number. Ok and Escape hide the box, the
// close box ends it; a click on the credit line opens the page on release.
TEST(AboutBox, showsTheVersion_okOrEscapeHides_closeBoxEnds_creditLineOpensThePage)
{
    Recorder recorder;
    App::_mSobre_Action();
    wSobre* box = &wSobre::instance();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    EXPECT_EQ(box->Versao_numero->text(), "v2.1");
    EXPECT_GE(box->Versao_numero->width(), box->Versao_numero->fontMetrics().horizontalAdvance("v22.22.22"));
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

} // namespace
