#include "platform/Controls.h"

#include <QRegularExpressionValidator>
#include <QSignalBlocker>

PopupMenu::PopupMenu(QWidget* parent) : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index == last_)
            return;
        last_ = index;
        emit Change();
    });
}

void PopupMenu::AddRow(const QString& text)
{
    const int before = currentIndex();
    {
        // QComboBox selects its first row by itself; the program decides instead.
        const QSignalBlocker block(this);
        addItem(text);
        if (currentIndex() != before)
            setCurrentIndex(before);
    }
}

void PopupMenu::DeleteAllRows()
{
    {
        const QSignalBlocker block(this);
        clear();
    }
    if (last_ != -1) {
        last_ = -1;
        emit Change();
    }
}

void PopupMenu::setListIndex(int row)
{
    if (row < -1 || row >= count())
        row = -1;
    setCurrentIndex(row);
}

EditField::EditField(QWidget* parent) : QLineEdit(parent) {}

void EditField::setMask(const QString& mask)
{
    mask_ = mask;
    setValidator(nullptr);
    setInputMask(QString());
    setMaxLength(32767);
    if (mask.isEmpty())
        return;
    static const QRegularExpression numberMask(QStringLiteral("^9+(\\.9+)?$"));
    if (numberMask.match(mask).hasMatch()) {
        const int dot = int(mask.indexOf('.'));
        const int whole = dot < 0 ? int(mask.size()) : dot;
        const int decimals = dot < 0 ? 0 : int(mask.size()) - dot - 1;
        QString pattern = QStringLiteral("\\d{0,%1}").arg(whole);
        if (decimals > 0)
            pattern += QStringLiteral("(\\.\\d{0,%1})?").arg(decimals);
        setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
        return;
    }
    QString pattern;
    for (const QChar c : mask)
        pattern += c == '#' ? QStringLiteral("\\d") : QRegularExpression::escape(QString(c));
    // Partial input is allowed while typing; the program checks the whole value on save.
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
    setMaxLength(int(mask.size()));
}
