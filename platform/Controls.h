#pragma once

// The small controls the windows are built from, with the operations the
// program uses of them.

#include <QComboBox>
#include <QLineEdit>
#include <QString>

// A pop-up menu. Unlike a bare QComboBox it never selects a row on its own:
// adding rows keeps the selection, and Change fires only when the selected
// row really changes (clearing included).
class PopupMenu : public QComboBox
{
    Q_OBJECT

public:
    explicit PopupMenu(QWidget* parent = nullptr);

    void AddRow(const QString& text);
    void DeleteAllRows();
    QString List(int row) const { return itemText(row); }
    int ListCount() const { return count(); }
    int ListIndex() const { return currentIndex(); }
    void setListIndex(int row);
    QString Text() const { return currentIndex() < 0 ? QString() : currentText(); }

signals:
    void Change();

private:
    int last_ = -1;
};

// A one-line text field. The mask follows the program's notation: "#" a
// digit (the field then takes exactly that pattern, e.g. "##/##/##"), and a
// mask of "9"s with an optional "." is an amount: it takes digits, "." and
// ",", and the program reads and checks the whole text when it is saved.
class EditField : public QLineEdit
{
    Q_OBJECT

public:
    explicit EditField(QWidget* parent = nullptr);

    QString Text() const { return text(); }
    void setText_(const QString& text) { setText(text); }
    void setMask(const QString& mask);
    QString Mask() const { return mask_; }
    void setHelpTag(const QString& tip) { setToolTip(tip); }
    QString HelpTag() const { return toolTip(); }
    void SetFocus() { setFocus(Qt::OtherFocusReason); }
    // Shown by the field, with a beep, when the mask refuses a typed key.
    void setRefusedKeyTip(const QString& tip) { refusedKeyTip_ = tip; }

private:
    QString mask_;
    QString refusedKeyTip_;
};
