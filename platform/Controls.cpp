#include "platform/Controls.h"

#include "platform/Format.h"

#include <QApplication>
#include <QPointer>
#include <QProxyStyle>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>

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
        const QRect r = part == SC_ComboBoxArrow
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

// An amount field: typing takes digits and one decimal mark, "." or "," (a
// comma typed is the decimal mark, never dropped). Anything else is refused
// as it is typed. A pasted amount in another form ("1.234,56", "1,234.56")
// is read by ReadAmount and put in plain form, or refused whole.
class AmountValidator : public QValidator
{
public:
    AmountValidator(int whole, int decimals, QObject* parent)
        : QValidator(parent),
          typing_(QStringLiteral("^[0-9]{0,%1}([.,][0-9]{0,%2})?$").arg(whole).arg(decimals))
    {
    }

    State validate(QString& input, int& pos) const override
    {
        if (typing_.match(input).hasMatch())
            return Acceptable;
        if (input.contains('-') || input.contains('+'))
            return Invalid;
        const std::optional<double> value = ReadAmount(input);
        if (!value)
            return Invalid;
        const QString plain = AmountText(*value);
        if (!typing_.match(plain).hasMatch())
            return Invalid;
        input = plain;
        pos = int(plain.size());
        return Acceptable;
    }

private:
    QRegularExpression typing_;
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
        setValidator(new AmountValidator(whole, decimals, this));
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
