#pragma once

// The transactions of a bank statement, kept small: a statement near the
// import limit may hold millions of them, of a few bytes each. Their texts lie
// one after another in a single block, and a transaction is where its three
// fields lie in it (24 bytes, and no block of its own). They are handed out
// one at a time, as OfxTransaction values.

#include <QString>
#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

struct OfxTransaction
{
    QString type;   // TRNTYPE as written: DEBIT, CREDIT, DEP, ...
    QString amount; // TRNAMT as written, with its sign
    QString memo;   // control characters made blanks: a row of the export is one line of tab-separated fields
};

// A transaction's fields where they lie in its list, valid while the list is
// unchanged: a look at a transaction that copies nothing, whatever its length.
struct OfxTransactionView
{
    QStringView type;
    QStringView amount;
    QStringView memo;
};

class OfxTransactions
{
  public:
    // Each step gives a transaction made from the texts, not a reference into the list.
    class const_iterator
    {
      public:
        using iterator_category = std::input_iterator_tag;
        using value_type = OfxTransaction;
        using difference_type = std::ptrdiff_t;
        using reference = OfxTransaction;
        using pointer = void;

        const_iterator() = default;
        OfxTransaction operator*() const { return (*list_)[index_]; }
        const_iterator& operator++()
        {
            ++index_;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++index_;
            return before;
        }
        bool operator==(const const_iterator& other) const { return index_ == other.index_; }

      private:
        friend class OfxTransactions;
        const_iterator(const OfxTransactions* list, size_t index) : list_(list), index_(index) {}

        const OfxTransactions* list_ = nullptr;
        size_t index_ = 0;
    };
    using iterator = const_iterator;
    using value_type = OfxTransaction;
    using size_type = size_t;

    size_t size() const { return fields_.size(); }
    bool empty() const { return fields_.empty(); }
    // In file order; `index` is below size().
    OfxTransaction operator[](size_t index) const
    {
        const Fields& fields = fields_[index];
        return {textOf(fields.type), textOf(fields.amount), textOf(fields.memo)};
    }
    OfxTransactionView view(size_t index) const
    {
        const Fields& fields = fields_[index];
        return {viewOf(fields.type), viewOf(fields.amount), viewOf(fields.memo)};
    }
    OfxTransaction front() const { return (*this)[0]; }
    OfxTransaction back() const { return (*this)[size() - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

  private:
    // Only the reader writes: it decodes each value straight into texts_.
    friend class OfxStatement;

    // Where a field's text lies in texts_. A file within the import limit
    // gives far fewer than 2^32 characters (the reader refuses larger ones).
    struct Span
    {
        std::uint32_t begin = 0;
        std::uint32_t size = 0;
    };
    struct Fields
    {
        Span type;
        Span amount;
        Span memo;
    };

    QString textOf(Span span) const { return span.size == 0 ? QString() : texts_.sliced(span.begin, span.size); }
    QStringView viewOf(Span span) const { return QStringView(texts_).sliced(span.begin, span.size); }

    QString texts_;
    std::vector<Fields> fields_;
};
