#pragma once

// A list of rows and columns, backed by an item model so that a hundred
// thousand rows list quickly. Rows may hold more cells than the visible
// columns; the extra cells keep their texts and are never shown. The Change
// signal fires whenever the selected row changes, by the user or by the
// program, clearing included.

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <QTreeView>
#include <QVector>
#include <functional>

class ListboxModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using ColorRule = std::function<QColor(int row, int column)>;

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(rows_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : columns_; }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    friend class Listbox;
    QVector<QStringList> rows_;
    QStringList headings_;
    int columns_ = 1;
    ColorRule background_;
    ColorRule foreground_;
};

class Listbox : public QTreeView
{
    Q_OBJECT

public:
    explicit Listbox(QWidget* parent = nullptr);

    void setColumnCount(int count);
    // The heading row's texts separated by TAB; an empty text hides the heading.
    void setInitialValue(const QString& headings);
    // Column widths in pixels separated by commas, e.g. "150,100,80".
    void setColumnWidths(const QString& widths);
    QString ColumnWidths() const;
    int ColumnWidth(int column) const { return columnWidth(column); }

    void AddRow(const QString& first);
    void AddRow(const QStringList& cells);
    void DeleteAllRows();
    int ListCount() const { return int(model_.rows_.size()); }

    QString Cell(int row, int column) const;

    int ListIndex() const { return listIndex_; }
    void setListIndex(int row);
    // The first cell of the selected row; empty when none is selected.
    QString Text() const { return listIndex_ < 0 ? QString() : Cell(listIndex_, 0); }
    // The row under the pointer at the last double-click; -1 when it was in
    // the empty part below the rows (or there was none).
    int DoubleClickRow() const { return doubleClickRow_; }

    // Colours asked for each shown cell; an invalid colour keeps the default.
    void setBackgroundRule(ListboxModel::ColorRule rule);
    void setTextColorRule(ListboxModel::ColorRule rule);
    // Repaints every row, e.g. after the colour rule's inputs changed.
    void Refresh();

    // Collects many AddRow calls into one model reset; the view learns of the
    // rows once, when the outermost batch ends.
    class Batch
    {
    public:
        explicit Batch(Listbox& list);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        Listbox& list_;
    };

signals:
    void Change();
    void DoubleClick();
    // A key pressed while the list has the focus; set `handled` to stop it.
    void KeyDown(int key, bool& handled);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void selectionMoved();
    void applyWidths();
    void beginReset();
    void endReset();

    ListboxModel model_;
    int listIndex_ = -1;
    int doubleClickRow_ = -1;
    int batchDepth_ = 0;
    bool syncing_ = false;
    QString widths_;
};
