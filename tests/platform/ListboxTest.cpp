#include "platform/Listbox.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

// A change fires only when the row changes. A reload clears the selection once, inside a batch or not; a batch that
// only adds rows keeps it, and the view sees every row when the batch ends.
TEST(Listbox, changeOnlyOnANewRow_reloadsClearTheSelectionOnce_batchesThatOnlyAddKeepIt)
{
    Listbox list;
    list.setColumnCount(2);
    list.AddRow("a"), list.AddRow("b");
    QSignalSpy change(&list, &Listbox::Change);
    list.setListIndex(0);
    list.setListIndex(0);
    list.setListIndex(7); // beyond the rows: nothing selected
    EXPECT_EQ(change.count(), 2);
    EXPECT_EQ(list.Text(), QString());
    list.setListIndex(0);
    change.clear();
    int indexSeen = 99;
    QObject::connect(&list, &Listbox::Change, [&] { indexSeen = list.ListIndex(); });
    list.DeleteAllRows();
    list.DeleteAllRows();
    EXPECT_EQ(change.count(), 1);
    EXPECT_EQ(indexSeen, -1);

    list.AddRow("a"), list.AddRow("b"), list.AddRow("c");
    list.setListIndex(2);
    {
        Listbox::Batch batch(list);
        list.DeleteAllRows();
        list.AddRow("x"), list.AddRow("y");
        EXPECT_EQ(list.ListIndex(), -1);
    }
    EXPECT_EQ(change.count(), 3);
    EXPECT_EQ(list.model()->rowCount(), 2);

    list.setListIndex(1);
    change.clear();
    {
        Listbox::Batch batch(list);
        for (int i = 0; i < 1000; ++i)
            list.AddRow(QStringList{QString::number(i), QStringLiteral("x"), QStringLiteral("hidden")});
    }
    EXPECT_EQ(list.model()->rowCount(), 1002);
    EXPECT_EQ(list.Cell(1001, 2), QStringLiteral("hidden")); // kept beyond the shown columns
    EXPECT_EQ(list.Cell(1001, 3), QString());
    EXPECT_EQ(list.Text(), QStringLiteral("y"));
    EXPECT_EQ(list.selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(change.count(), 0);
}
