#include "platform/Listbox.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>

QVariant ListboxModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole: {
        const QStringList& cells = rows_[row];
        return column < cells.size() ? cells[column] : QString();
    }
    case Qt::BackgroundRole:
        if (background_) {
            const QColor c = background_(row, column);
            if (c.isValid())
                return c;
        }
        return {};
    case Qt::ForegroundRole:
        if (foreground_) {
            const QColor c = foreground_(row, column);
            if (c.isValid())
                return c;
        }
        return {};
    default:
        return {};
    }
}

QVariant ListboxModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < headings_.size())
        return headings_[section];
    return {};
}

Listbox::Listbox(QWidget* parent) : QTreeView(parent)
{
    setModel(&model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    setHeaderHidden(true);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { selectionMoved(); });
}

void Listbox::setColumnCount(int count)
{
    model_.beginResetModel();
    model_.columns_ = qMax(1, count);
    model_.endResetModel();
    applyWidths();
}

void Listbox::setInitialValue(const QString& headings)
{
    model_.headings_ = headings.isEmpty() ? QStringList() : headings.split('\t');
    setHeaderHidden(headings.isEmpty());
    emit model_.headerDataChanged(Qt::Horizontal, 0, model_.columns_ - 1);
}

void Listbox::setColumnWidths(const QString& widths)
{
    widths_ = widths;
    applyWidths();
}

void Listbox::applyWidths()
{
    // An empty entry keeps the column's width; it never shifts the others.
    const QStringList parts = widths_.split(',');
    for (int i = 0; i < parts.size() && i < model_.columns_; ++i) {
        bool ok = false;
        const int w = parts[i].trimmed().toInt(&ok);
        if (ok && w >= 0)
            setColumnWidth(i, w);
    }
}

QString Listbox::ColumnWidths() const
{
    QStringList parts;
    for (int i = 0; i < model_.columns_; ++i)
        parts << QString::number(columnWidth(i));
    return parts.join(',');
}

void Listbox::AddRow(const QString& first)
{
    AddRow(QStringList{first});
}

void Listbox::AddRow(const QStringList& cells)
{
    const int row = int(model_.rows_.size());
    if (batchDepth_ == 0)
        model_.beginInsertRows({}, row, row);
    model_.rows_.append(cells);
    if (batchDepth_ == 0)
        model_.endInsertRows();
}

// A reset gives the columns their default widths: the ones the list has now,
// the user's included, are kept.
void Listbox::beginReset()
{
    widths_ = ColumnWidths();
    model_.beginResetModel();
}

void Listbox::endReset()
{
    model_.endResetModel();
    applyWidths();
}

void Listbox::DeleteAllRows()
{
    const bool hadSelection = listIndex_ >= 0;
    // Inside a batch the model is already being reset; the batch's end tells the view.
    if (batchDepth_ == 0)
        beginReset();
    model_.rows_.clear();
    if (batchDepth_ == 0)
        endReset();
    listIndex_ = -1;
    if (hadSelection)
        emit Change();
}

QString Listbox::Cell(int row, int column) const
{
    if (row < 0 || row >= model_.rows_.size() || column < 0)
        return {};
    const QStringList& cells = model_.rows_[row];
    return column < cells.size() ? cells[column] : QString();
}

void Listbox::setListIndex(int row)
{
    if (row < -1 || row >= model_.rows_.size())
        row = -1;
    if (row == -1)
        selectionModel()->clear();
    else
        selectionModel()->setCurrentIndex(model_.index(row, 0),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    selectionMoved();
}

void Listbox::selectionMoved()
{
    if (syncing_)
        return;
    const QModelIndexList rows = selectionModel()->selectedRows();
    const int now = rows.isEmpty() ? -1 : rows.first().row();
    if (now == listIndex_)
        return;
    listIndex_ = now;
    emit Change();
}

void Listbox::setBackgroundRule(ListboxModel::ColorRule rule)
{
    model_.background_ = std::move(rule);
}

void Listbox::setTextColorRule(ListboxModel::ColorRule rule)
{
    model_.foreground_ = std::move(rule);
}

void Listbox::Refresh()
{
    viewport()->update();
}

Listbox::Batch::Batch(Listbox& list) : list_(list)
{
    if (list_.batchDepth_++ == 0)
        list_.beginReset();
}

Listbox::Batch::~Batch()
{
    if (--list_.batchDepth_ == 0) {
        // The reset forgets the view's selection; the row selected before the
        // batch (or chosen during it) stays selected, with no Change for it.
        const int keep = list_.listIndex_;
        list_.endReset();
        if (keep >= 0 && keep < list_.model_.rows_.size())
            list_.selectionModel()->setCurrentIndex(list_.model_.index(keep, 0),
                                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        list_.selectionMoved();
    }
}

void Listbox::keyPressEvent(QKeyEvent* event)
{
    bool handled = false;
    emit KeyDown(event->key(), handled);
    if (!handled)
        QTreeView::keyPressEvent(event);
}

void Listbox::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex hit = indexAt(event->position().toPoint());
    doubleClickRow_ = hit.isValid() ? hit.row() : -1;
    QTreeView::mouseDoubleClickEvent(event);
    emit DoubleClick();
}
