// The month pop-ups of the main window and of the chart window: 80 pixels
// wide at text size 9, they show every month name whole, closed and open.

#include "AppFixture.h"
#include "charts/wGraficos.h"

#include <QAbstractItemView>

using MonthPopups = AppTest;

TEST_F(MonthPopups, showEveryMonthNameWhole_closedAndOpen)
{
    openDatabase();
    const std::pair<PopupMenu*, QString> popups[] = {{openMain().sMes, "wCash_sMes"},
                                                     {wGraficos::instance().sMes, "wGraficos_sMes"}};
    for (const auto& [popup, name] : popups) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_EQ(popup->ListCount(), 13);
        for (const QString& month : rows(popup))
            EXPECT_TRUE(testsupport::showsWhole(*popup, month)) << month.toStdString();
        testsupport::saveImage(testsupport::eachRowShown(*popup), name);

        popup->showPopup();
        QAbstractItemView* list = popup->view();
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }));
        // Open, no row's text reaches the list's right edge: each ends on
        // the row's own background.
        const QImage open = list->viewport()->grab().toImage();
        for (int row = 0; row < popup->ListCount(); ++row) {
            const QRect band = list->visualRect(list->model()->index(row, 0)) & open.rect();
            ASSERT_FALSE(band.isEmpty()) << "row " << row << " out of view";
            const int y = band.center().y();
            const QColor background = open.pixelColor(open.width() - 1, y);
            int inked = -1;
            for (int by = band.top(); by <= band.bottom(); ++by)
                for (int x = 0; x < open.width(); ++x)
                    if (std::abs(open.pixelColor(x, by).lightness() - background.lightness()) > 60)
                        inked = std::max(inked, x);
            EXPECT_GT(inked, 0) << "row " << row << " shows no text";
            EXPECT_LT(inked, open.width() - 3) << rows(popup)[row].toStdString();
        }
        testsupport::screenshot(*list->window(), name + "_open");
        popup->hidePopup();
    }
}
