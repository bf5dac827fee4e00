#include "platform/Controls.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(PopupMenu, addingRows_neverSelects_andFiresNoChange)
{
    PopupMenu menu;
    QSignalSpy change(&menu, &PopupMenu::Change);
    menu.AddRow(QStringLiteral("Banco"));
    menu.AddRow(QStringLiteral("Casa"));
    EXPECT_EQ(menu.ListIndex(), -1);
    EXPECT_EQ(menu.Text(), QString());
    EXPECT_EQ(menu.ListCount(), 2);
    EXPECT_EQ(change.count(), 0);

    menu.setListIndex(1);
    EXPECT_EQ(change.count(), 1);
    menu.AddRow(QStringLiteral("Inserir..."));
    EXPECT_EQ(menu.ListIndex(), 1);
    EXPECT_EQ(menu.Text(), QStringLiteral("Casa"));
    EXPECT_EQ(change.count(), 1);
}

TEST(PopupMenu, selection_firesChangeOnlyWhenTheRowChanges)
{
    PopupMenu menu;
    for (const char* s : {"a", "b", "c"})
        menu.AddRow(QString::fromLatin1(s));
    QSignalSpy change(&menu, &PopupMenu::Change);
    menu.setListIndex(0);
    menu.setListIndex(0);
    EXPECT_EQ(change.count(), 1);
    menu.setListIndex(2);
    EXPECT_EQ(change.count(), 2);
    EXPECT_EQ(menu.List(2), QStringLiteral("c"));
    menu.setListIndex(9);
    EXPECT_EQ(menu.ListIndex(), -1);
    EXPECT_EQ(change.count(), 3);
}

TEST(PopupMenu, deleteAllRows_withASelection_firesChangeOnce_withoutNone)
{
    PopupMenu menu;
    menu.AddRow(QStringLiteral("a"));
    menu.AddRow(QStringLiteral("b"));
    menu.setListIndex(1);
    QSignalSpy change(&menu, &PopupMenu::Change);
    int indexSeen = 99;
    QObject::connect(&menu, &PopupMenu::Change, [&] { indexSeen = menu.ListIndex(); });
    menu.DeleteAllRows();
    EXPECT_EQ(change.count(), 1);
    EXPECT_EQ(indexSeen, -1);
    EXPECT_EQ(menu.ListCount(), 0);
    menu.DeleteAllRows();
    EXPECT_EQ(change.count(), 1);
    // A refilled menu starts again with nothing selected.
    menu.AddRow(QStringLiteral("c"));
    EXPECT_EQ(menu.ListIndex(), -1);
    EXPECT_EQ(change.count(), 1);
}

TEST(EditField, dateMask_takesDigitsInThePatternOnly)
{
    EditField field;
    field.setMask(QStringLiteral("##/##/##"));
    QTest::keyClicks(&field, QStringLiteral("05/03/06"));
    EXPECT_EQ(field.Text(), QStringLiteral("05/03/06"));
    field.clear();
    QTest::keyClicks(&field, QStringLiteral("ab/cd"));
    EXPECT_EQ(field.Text(), QString());
    field.clear();
    QTest::keyClicks(&field, QStringLiteral("05/03/2006"));
    EXPECT_EQ(field.Text(), QStringLiteral("05/03/20"));
}

TEST(EditField, numberMask_takesDigitsAndOnePointWithinTheGivenPlaces)
{
    EditField field;
    field.setMask(QStringLiteral("9999999.99"));
    QTest::keyClicks(&field, QStringLiteral("1234.567"));
    EXPECT_EQ(field.Text(), QStringLiteral("1234.56"));
    field.clear();
    QTest::keyClicks(&field, QStringLiteral("-1,5x"));
    EXPECT_EQ(field.Text(), QStringLiteral("15"));
    field.setMask(QString());
    field.clear();
    QTest::keyClicks(&field, QStringLiteral("free text"));
    EXPECT_EQ(field.Text(), QStringLiteral("free text"));
}
