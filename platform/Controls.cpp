#include "platform/Controls.h"

#include "platform/Format.h"

#include <QApplication>
#include <QPointer>
#include <QProxyStyle>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QToolTip>
#include <algorithm>

namespace {

// The program's pop-ups are as narrow as 80 pixels and as low as 19 and must
// still show a month name whole ("Novembro", "Dezembro" at text size 9) and
// a line of text size 11: the arrow gets a narrower strip than the style's
// own, and the text reaches to the frame.
// Every pop-up takes this style: the style caches its drawing by size, so
// two pop-ups of one size must agree on where the arrow is.
class PopupStyle final : public QProxyStyle
{
  public:
    static constexpr int ArrowStrip = 12;

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override
    {
        const auto* box = qstyleoption_cast<const QStyleOptionComboBox*>(option);
        if (control != CC_ComboBox || !box || box->editable ||
            (part != SC_ComboBoxArrow && part != SC_ComboBoxEditField))
            return QProxyStyle::subControlRect(control, option, part, widget);
        const QRect frame = option->rect;
        const QRect r =
            part == SC_ComboBoxArrow
                ? QRect(frame.right() - ArrowStrip + 1, frame.top(), ArrowStrip, frame.height())
                : QRect(frame.left() + 2, frame.top() + 1, frame.width() - ArrowStrip - 2, frame.height() - 2);
        return visualRect(option->direction, frame, r);
    }
};

QStyle* popupStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new PopupStyle;
        style->setParent(qApp);
    }
    return style;
}

} // namespace

PopupMenu::PopupMenu(QWidget* parent) : QComboBox(parent)
{
    setStyle(popupStyle());
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

namespace {

// An amount field: takes digits, "." and "," in any order, so that no key
// of a number is ever dropped; the whole text is read when it is saved.
// Anything else (a letter, a sign) is refused as it is typed, and the field
// says so. Blanks around a pasted amount are dropped.
class AmountValidator : public QValidator
{
  public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override
    {
        if (isAmountText(input))
            return Acceptable;
        const QString trimmed = input.trimmed();
        if (trimmed.size() == input.size() || !isAmountText(trimmed))
            return Invalid;
        const int leading = int(input.indexOf(trimmed));
        pos = std::clamp(pos - leading, 0, int(trimmed.size()));
        input = trimmed;
        return Acceptable;
    }

  private:
    static bool isAmountText(const QString& text)
    {
        // Room for twenty digits with their groups and two decimals, and some
        // more, so that an over-long number is told at save, not cut.
        constexpr qsizetype kLongest = 64;
        return text.size() <= kLongest && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
                   return (c >= u'0' && c <= u'9') || c == u'.' || c == u',';
               });
    }
};

// A date field: the day, month and year as people type them, with or without
// the slashes ("05/03/26", "5/3/26", "05/03/2026", "050326"). The whole date
// is read by ParseDate when it is saved.
const QRegularExpression& dateTyping()
{
    static const QRegularExpression pattern(
        QStringLiteral("^[0-9]{0,8}$|^[0-9]{1,2}/[0-9]{0,2}$|^[0-9]{1,2}/[0-9]{1,2}/[0-9]{0,4}$"));
    return pattern;
}

} // namespace

EditField::EditField(QWidget* parent) : QLineEdit(parent)
{
    // A refused key is not dropped without a word.
    connect(this, &QLineEdit::inputRejected, this, [this] {
        if (refusedKeyTip_.isEmpty())
            return;
        QApplication::beep();
        QToolTip::showText(mapToGlobal(QPoint(0, height())), refusedKeyTip_, this);
    });
}

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
        setValidator(new AmountValidator(this));
        return;
    }
    if (mask == QLatin1String("##/##/##")) {
        setValidator(new QRegularExpressionValidator(dateTyping(), this));
        setMaxLength(10);
        return;
    }
    QString pattern;
    for (const QChar c : mask)
        pattern += c == '#' ? QStringLiteral("[0-9]") : QRegularExpression::escape(QString(c));
    // Partial input is allowed while typing; the program checks the whole value on save.
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
    setMaxLength(int(mask.size()));
}
