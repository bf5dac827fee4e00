#include "ui/common/Toolbar1.h"

#include "TestSupport.h"
#include "ui/common/ToolbarPictures.h"

#include <QAction>
#include <QHelpEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

TEST(Toolbar, aClickNamesItsButton_andNoButtonShowsATooltip)
{
    Toolbar1 toolbar;
    toolbar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&toolbar));
    testsupport::screenshot(toolbar, QStringLiteral("Toolbar1"));
    QSignalSpy spy(&toolbar, &QToolBar::actionTriggered);
    auto* contacts = toolbar.findChild<QToolButton*>(QStringLiteral("mcontatos"));
    ASSERT_NE(contacts, nullptr);
    QTest::mouseClick(contacts, Qt::LeftButton);
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].value<QAction*>(), toolbar.mcontatos);

    for (QAction* item : {toolbar.mcontatos, toolbar.mgraficos, toolbar.magendamento}) {
        EXPECT_FALSE(item->icon().isNull());
        QWidget* button = toolbar.widgetForAction(item);
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(button, &help);
        EXPECT_FALSE(QToolTip::isVisible()) << item->objectName().toStdString();
    }
}

// Pictures made in the test: a red square icon with white corners, and a mask
// that hides the left half.
QImage fakePicture(const QString& name)
{
    QImage image(8, 8, QImage::Format_RGB32);
    const bool mask = name.endsWith(QLatin1String("_mask"));
    image.fill(mask ? Qt::black : Qt::red);
    if (mask) {
        QPainter(&image).fillRect(0, 0, 4, 8, Qt::white);
    } else {
        image.setPixel(0, 0, qRgb(255, 255, 255));
        image.setPixel(7, 7, qRgb(255, 255, 255));
    }
    return image;
}

TEST(ToolbarPictures, maskHidesWhereWhite_missingMaskOnlyContactsLosesItsWhite)
{
    ToolbarPictures pictures(&fakePicture);
    const QImage& graphics = pictures.graphics();
    EXPECT_EQ(qAlpha(graphics.pixel(1, 3)), 0);
    EXPECT_EQ(qAlpha(graphics.pixel(6, 3)), 255);
    EXPECT_EQ(QColor(graphics.pixel(6, 3)), QColor(Qt::red));
    EXPECT_EQ(&pictures.graphics(), &graphics);

    ToolbarPictures noMasks(
        [](const QString& name) { return name.endsWith(QLatin1String("_mask")) ? QImage() : fakePicture(name); });
    EXPECT_EQ(qAlpha(noMasks.contacts().pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(noMasks.contacts().pixel(3, 3)), 255);
    EXPECT_EQ(qAlpha(noMasks.graphics().pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(noMasks.scheduler().pixel(7, 7)), 255);
}

} // namespace
