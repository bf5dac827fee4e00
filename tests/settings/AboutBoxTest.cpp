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

class AboutBox : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        App::_mSobre_Action();
        ASSERT_TRUE(wSobre::exists());
        box = &wSobre::instance();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    }
    void TearDown() override
    {
        if (wSobre* open = wSobre::existing())
            open->Close();
    }

    Recorder recorder;
    wSobre* box = nullptr;
};

TEST_F(AboutBox, showsTheRunningVersion_withRoomForLongerOnes)
{
    EXPECT_TRUE(box->isVisible());
    // The build is version 2.1.0: no third number.
    EXPECT_EQ(box->Versao_numero->text(), "v2.1");
    EXPECT_GE(box->Versao_numero->width(), box->Versao_numero->fontMetrics().horizontalAdvance("v22.22.22"));
    testsupport::screenshot(*box, "wSobre");
}

TEST_F(AboutBox, okAndEscapeHideTheSameBox_closeBoxMakesANewOneNextTime)
{
    box->PushButton1->click();
    EXPECT_FALSE(box->isVisible());
    App::_mSobre_Action();
    EXPECT_EQ(&wSobre::instance(), box);
    EXPECT_TRUE(box->isVisible());
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(box->isVisible());
    EXPECT_TRUE(recorder.openedUrls.isEmpty());

    box->close();
    EXPECT_FALSE(wSobre::exists());
    App::_mSobre_Action();
    EXPECT_TRUE(wSobre::instance().isVisible());
}

TEST_F(AboutBox, clickOnCreditLine_opensThePageOnRelease_andHides)
{
    QTest::mousePress(box->StaticText1, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(recorder.openedUrls.isEmpty());
    QTest::mouseRelease(box->StaticText1, Qt::LeftButton, {}, QPoint(200, 10));
    EXPECT_EQ(recorder.openedUrls, QList<QUrl>{QUrl(TOVIRA_WEB_URL)});
    EXPECT_FALSE(box->isVisible());
}

TEST(UpdateNotice, returnDownloads_escapeDeclines)
{
    Recorder recorder;
    wUpdate& notice = wUpdate::instance();
    notice.Show();
    QTest::keyClick(&notice, Qt::Key_Escape);
    EXPECT_FALSE(notice.isVisible());
    EXPECT_TRUE(recorder.openedUrls.isEmpty());
    notice.Show();
    QTest::keyClick(&notice, Qt::Key_Return);
    EXPECT_FALSE(notice.isVisible());
    EXPECT_EQ(recorder.openedUrls.size(), 1);
    notice.Close();
}

} // namespace
