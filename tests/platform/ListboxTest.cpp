#include "platform/Listbox.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void fill(Listbox& list, const QStringList& firstCells)
{
    for (const QString& s : firstCells)
        list.AddRow(s);
}

} // namespace

TEST(Listbox, selectionByProgramOrClick_firesChangeOnlyWhenTheRowChanges)
{
    Listbox list;
    fill(list, {"a", "b", "c"});
    QSignalSpy change(&list, &Listbox::Change);
    list.setListIndex(1);
    list.setListIndex(1);
    EXPECT_EQ(change.count(), 1);
    EXPECT_EQ(list.Text(), QStringLiteral("b"));
    list.setListIndex(-1);
    list.setListIndex(7); // beyond the rows: nothing selected
    EXPECT_EQ(change.count(), 2);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.Text(), QString());

    list.resize(200, 150);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(list.model()->index(2, 0)).center());
    EXPECT_EQ(change.count(), 3);
    EXPECT_EQ(list.ListIndex(), 2);
}

TEST(Listbox, deleteAllRowsOrAReloadInABatch_withASelection_firesChangeOnceWithoutNone)
{
    Listbox list;
    fill(list, {"a", "b"});
    list.setListIndex(0);
    QSignalSpy change(&list, &Listbox::Change);
    int indexSeen = 99;
    QObject::connect(&list, &Listbox::Change, [&] { indexSeen = list.ListIndex(); });
    list.DeleteAllRows();
    list.DeleteAllRows();
    EXPECT_EQ(change.count(), 1);
    EXPECT_EQ(indexSeen, -1);
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.LastIndex(), -1);

    fill(list, {"a", "b", "c"});
    list.setListIndex(2);
    {
        Listbox::Batch batch(list);
        list.DeleteAllRows();
        fill(list, {"x", "y"});
        EXPECT_EQ(list.ListIndex(), -1);
    }
    EXPECT_EQ(change.count(), 3);
    EXPECT_EQ(indexSeen, -1);
    EXPECT_EQ(list.model()->rowCount(), 2);
    list.setListIndex(1);
    EXPECT_EQ(list.Text(), QStringLiteral("y"));
}

TEST(Listbox, cellsBeyondTheVisibleColumns_keepTheirTexts_andAreNotShown_missingCellsReadEmpty)
{
    Listbox list;
    list.setColumnCount(6);
    list.AddRow(QStringList{"cat", "contact", "05/03/06", "10.00", "", "Sim", "42", "Banco", "a comment"});
    list.setCell(0, 10, QStringLiteral("later"));
    EXPECT_EQ(list.Cell(0, 8), QStringLiteral("a comment"));
    EXPECT_EQ(list.Cell(0, 10), QStringLiteral("later"));
    EXPECT_EQ(list.header()->count(), 6);
    for (const auto& [row, column] : {std::pair{0, 9}, std::pair{5, 0}, std::pair{0, -1}})
        EXPECT_EQ(list.Cell(row, column), QString()) << row << "," << column;
}

TEST(Listbox, batchThatAddsAThousandRows_theViewSeesThemAll_selectionKept_noChange)
{
    Listbox list;
    fill(list, {"a", "b"});
    list.setListIndex(1);
    QSignalSpy change(&list, &Listbox::Change);
    {
        Listbox::Batch batch(list);
        for (int i = 0; i < 1000; ++i)
            list.AddRow(QStringList{QString::number(i), QStringLiteral("x")});
        EXPECT_EQ(list.ListCount(), 1002);
    }
    EXPECT_EQ(list.model()->rowCount(), 1002);
    EXPECT_EQ(list.LastIndex(), 1001);
    EXPECT_EQ(list.Cell(1001, 0), QStringLiteral("999"));
    EXPECT_EQ(list.Text(), QStringLiteral("b"));
    EXPECT_EQ(list.selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(change.count(), 0);
}

TEST(Listbox, removingRows_theSelectedRowFollows_orIsClearedWhenRemoved_neverANeighbour)
{
    Listbox list;
    fill(list, {"a", "b", "c", "d", "e"});
    list.setListIndex(2);
    list.RemoveRow(0);
    QSignalSpy change(&list, &Listbox::Change);
    int countSeen = -1;
    QObject::connect(&list, &Listbox::Change, [&] { countSeen = list.ListCount(); });
    {
        Listbox::Batch batch(list);
        list.RemoveRow(0);
        list.AddRow(QStringLiteral("f"));
    }
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_EQ(list.Text(), QStringLiteral("c"));
    EXPECT_EQ(change.count(), 0);

    list.RemoveRow(0);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_TRUE(list.selectionModel()->selectedRows().isEmpty());
    EXPECT_EQ(change.count(), 1);
    EXPECT_EQ(countSeen, 3) << "Change runs once the row is gone";
    list.setListIndex(1);
    {
        Listbox::Batch batch(list);
        list.RemoveRow(1);
    }
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(change.count(), 3);

    // A row selected once and then cleared leaves no trace to select a neighbour by.
    list.setListIndex(0);
    list.setListIndex(-1);
    list.RemoveRow(0);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_TRUE(list.selectionModel()->selectedRows().isEmpty());
    EXPECT_EQ(change.count(), 5);
}
