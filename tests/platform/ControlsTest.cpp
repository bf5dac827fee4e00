#include "platform/Controls.h"

#include <QApplication>
#include <QClipboard>
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

// Typed as people type, key by key: an amount keeps every digit and mark (it
// is read whole when saved), a sign or a letter is not taken; a date takes
// its usual spellings.
TEST(EditField, typedKeysAndPastedAmounts_takeWhatPeopleType_refuseWhatWouldChangeTheValue_programTextIsKept)
{
    // The mask, the keys typed and the text the field keeps.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"##/##/##", "05/03/06", "05/03/06"},     {"##/##/##", "ab/cd", ""},
        {"##/##/##", "05/03/2026", "05/03/2026"}, {"##/##/##", "5/3/26", "5/3/26"},
        {"##/##/##", "050326", "050326"},         {"##/##/##", "05/03/20261", "05/03/2026"},
        {"9999999.99", "50,25", "50,25"},         {"9999999.99", "1234.567", "1234.567"},
        {"9999999.99", "-1,5x", "1,5"},           {"9999999.99", "1.234,56", "1.234,56"},
        {"9999999.99", "1 0", "10"},              {"", "free text", "free text"},
    };
    for (const auto& [mask, typed, kept] : cases) {
        EditField field;
        field.setMask(QString::fromLatin1(mask));
        QTest::keyClicks(&field, QString::fromLatin1(typed));
        EXPECT_EQ(field.Text(), QString::fromLatin1(kept)) << mask << " " << typed;
    }

    // Pasted text is kept as it is, blanks around it dropped, or refused whole;
    // text the program puts in is never cut.
    const std::pair<const char*, const char*> pasted[] = {
        {"1.234,56", "1.234,56"}, {" 1,234.56\n", "1,234.56"}, {"-5", ""}, {"R$ 10", ""}, {"1.234,567", "1.234,567"},
    };
    for (const auto& [text, kept] : pasted) {
        EditField field;
        field.setMask(QStringLiteral("99999999999999999999.99"));
        field.insert(QString::fromLatin1(text));
        EXPECT_EQ(field.Text(), QString::fromLatin1(kept)) << text;
    }
    for (const auto& [mask, text] :
         {std::pair{"##/##/##", "31/12/1999"}, std::pair{"99999999999999999999.99", "-52.10"}}) {
        EditField field;
        field.setMask(QString::fromLatin1(mask));
        field.setText(QString::fromLatin1(text));
        EXPECT_EQ(field.Text(), QString::fromLatin1(text));
    }
}

// A paste into the middle of a typed amount leaves the caret after the pasted
// digits, as typing them would; blanks at the field's edges are dropped
// without moving it off them, and a paste whose blanks would land inside the
// number is refused whole, the field and caret as before.
TEST(EditField, pasteIntoAnAmount_leavesTheCaretAfterThePastedDigits)
{
    // The amount typed, the caret or selection before the paste (start, length),
    // the clipboard, the text kept and the caret after.
    const std::tuple<const char*, int, int, const char*, const char*, int> cases[] = {
        {"1234", 2, 0, "56", "125634", 4},        {"1234", 0, 0, "9", "91234", 1},
        {"1.234", 1, 0, ",5", "1,5.234", 3},      {"1234", 1, 2, "00", "1004", 3},
        {"1234", 0, 0, " 56", "561234", 2},       {"1234", 0, 0, "\t56", "561234", 2},
        {"1234", 4, 0, "56 ", "123456", 6},       {"1234", 0, 4, " 56 ", "56", 2},
        {"", 0, 0, " 1.234,56\n", "1.234,56", 8}, {"1234", 2, 0, " 56 ", "1234", 2},
        {"1234", 2, 0, "56 ", "1234", 2},         {"1234", 2, 0, "5x", "1234", 2},
    };
    for (const auto& [typed, start, length, clip, kept, caret] : cases) {
        EditField field;
        field.setMask(QStringLiteral("99999999999999999999.99"));
        QTest::keyClicks(&field, QString::fromLatin1(typed));
        field.setSelection(start, length);
        QApplication::clipboard()->setText(QString::fromLatin1(clip));
        QTest::keySequence(&field, QKeySequence::Paste);
        EXPECT_EQ(field.Text(), QString::fromLatin1(kept)) << typed << " + " << clip;
        EXPECT_EQ(field.cursorPosition(), caret) << typed << " + " << clip;
    }
}
