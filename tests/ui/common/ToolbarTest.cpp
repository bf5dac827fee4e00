#include "ui/common/Toolbar1.h"

#include "TestSupport.h"
#include "ui/common/ToolbarPictures.h"

#include <QAction>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

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

TEST(Toolbar, buttonsInOrder_withCaptionsAndIcons_aClickNamesItsButton)
{
    Toolbar1 toolbar;
    const QList<QAction*> items = toolbar.actions();
    const std::pair<const char*, QString> expected[] = {{"mcontatos", "Contatos"},
                                                        {"ToolItem1", "Untitled"},
                                                        {"mgraficos", "Gráficos"},
                                                        {"magendamento", "Agendamento"}};
    ASSERT_EQ(items.size(), 4);
    for (int i = 0; i < 4; ++i) {
        const auto& [name, caption] = expected[i];
        SCOPED_TRACE(name);
        EXPECT_EQ(items[i]->objectName(), QLatin1String(name));
        EXPECT_EQ(items[i]->text(), caption);
        EXPECT_EQ(items[i]->isSeparator(), i == 1);
        EXPECT_TRUE(items[i]->isEnabled());
        if (i != 1) {
            EXPECT_FALSE(items[i]->icon().isNull());
            auto* button = toolbar.findChild<QToolButton*>(QLatin1String(name));
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->defaultAction(), items[i]);
        }
    }

    toolbar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&toolbar));
    QSignalSpy spy(&toolbar, &QToolBar::actionTriggered);
    QTest::mouseClick(toolbar.findChild<QToolButton*>(QStringLiteral("mgraficos")), Qt::LeftButton);
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].value<QAction*>()->objectName(), QLatin1String("mgraficos"));
    testsupport::screenshot(toolbar, QStringLiteral("Toolbar1"));
}

TEST(Toolbar, programPictures_eachLoadedOnceAndShared_withSeeThroughCorners)
{
    Toolbar1 first;
    Toolbar1 second;
    ToolbarPictures& pictures = ProgramToolbarPictures();
    EXPECT_EQ(&pictures.contacts(), &pictures.contacts());
    EXPECT_EQ(pictures.loadCount(), 6);
    for (const QImage* picture : {&pictures.contacts(), &pictures.graphics(), &pictures.scheduler(),
                                  &pictures.contacts_mask(), &pictures.graphics_mask(), &pictures.scheduler_mask()}) {
        EXPECT_FALSE(picture->isNull());
        EXPECT_GE(picture->width(), 32);
    }
    EXPECT_EQ(pictures.loadCount(), 6);
    EXPECT_EQ(pictures.scheduler().size(), pictures.scheduler_mask().size());
    EXPECT_EQ(qAlpha(pictures.scheduler().pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(pictures.graphics().pixel(pictures.graphics().width() - 1, 0)), 0);
}

TEST(ToolbarPictures, maskHidesWhereWhite_appliedOnce_missingMaskOnlyContactsLosesItsWhite)
{
    int loads = 0;
    ToolbarPictures pictures([&](const QString& name) {
        ++loads;
        return fakePicture(name);
    });
    const QImage& graphics = pictures.graphics();
    EXPECT_EQ(qAlpha(graphics.pixel(1, 3)), 0);
    EXPECT_EQ(qAlpha(graphics.pixel(6, 3)), 255);
    EXPECT_EQ(QColor(graphics.pixel(6, 3)), QColor(Qt::red));
    pictures.graphics();
    pictures.graphics_mask();
    EXPECT_EQ(loads, 2);

    ToolbarPictures noMasks(
        [](const QString& name) { return name.endsWith(QLatin1String("_mask")) ? QImage() : fakePicture(name); });
    EXPECT_EQ(qAlpha(noMasks.contacts().pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(noMasks.contacts().pixel(3, 3)), 255);
    EXPECT_EQ(qAlpha(noMasks.graphics().pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(noMasks.scheduler().pixel(7, 7)), 255);
}

} // namespace
