#include "platform/Controls.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

// Qt's combo box selects and signals on its own when rows are added or
// cleared; the program's handlers must see only real changes of the row.
TEST(PopupMenu, fillingNeverSelects_changeFiresOnlyWhenTheRowChanges_clearingFiresItOnce)
{
    PopupMenu menu;
    QSignalSpy change(&menu, &PopupMenu::Change);
    int indexSeen = 99;
    QObject::connect(&menu, &PopupMenu::Change, [&] { indexSeen = menu.ListIndex(); });
    menu.AddRow(QStringLiteral("Banco"));
    menu.AddRow(QStringLiteral("Casa"));
    EXPECT_EQ(menu.ListIndex(), -1);
    EXPECT_EQ(menu.Text(), QString());
    EXPECT_EQ(change.count(), 0);

    menu.setListIndex(1);
    menu.setListIndex(1);
    menu.AddRow(QStringLiteral("Inserir..."));
    EXPECT_EQ(menu.Text(), QStringLiteral("Casa"));
    EXPECT_EQ(change.count(), 1);
    menu.setListIndex(9);
    EXPECT_EQ(menu.ListIndex(), -1);
    EXPECT_EQ(change.count(), 2);

    menu.setListIndex(0);
    menu.DeleteAllRows();
    menu.DeleteAllRows();
    EXPECT_EQ(change.count(), 4);
    EXPECT_EQ(indexSeen, -1);
    EXPECT_EQ(menu.ListCount(), 0);
    menu.AddRow(QStringLiteral("c"));
    EXPECT_EQ(menu.ListIndex(), -1);
    EXPECT_EQ(change.count(), 4);
}

TEST(EditField, masks_takeOnlyWhatThePatternAllows)
{
    const struct
    {
        const char* mask;
        const char* typed;
        const char* kept;
    } cases[] = {
        {"##/##/##", "05/03/06", "05/03/06"},  {"##/##/##", "ab/cd", ""},     {"##/##/##", "05/03/2006", "05/03/20"},
        {"9999999.99", "1234.567", "1234.56"}, {"9999999.99", "-1,5x", "15"}, {"", "free text", "free text"},
    };
    for (const auto& c : cases) {
        EditField field;
        field.setMask(QString::fromLatin1(c.mask));
        QTest::keyClicks(&field, QString::fromLatin1(c.typed));
        EXPECT_EQ(field.Text(), QString::fromLatin1(c.kept)) << c.mask << " " << c.typed;
    }
}
