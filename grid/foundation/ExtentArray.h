#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace grid {

// The widths of a grid's columns or the heights of its rows (or the tab-stop
// flags of its columns), indexed from 0.
//
// A grid may have ten million rows of which a handful have a height of their
// own, so the entries are not kept one by one: the array is a sequence of
// runs of equal values, held in a balanced tree (a treap keyed implicitly by
// position) whose nodes also sum what lies below them. A new array is one run
// of `fill` values however long it is; setting an entry splits its run, so
// memory grows with the number of entries set, never with the count. Reads,
// writes, moves, resizes, range sums and position searches all cost
// O(log runs).
//
// Layout arithmetic treats a negative entry as 0: a cell never takes room
// away from the cells after it.
class TtsExtentArray {
public:
    TtsExtentArray();
    explicit TtsExtentArray(int count, int fill = 0);
    ~TtsExtentArray();
    TtsExtentArray(const TtsExtentArray& other);
    TtsExtentArray& operator=(const TtsExtentArray& other);
    TtsExtentArray(TtsExtentArray&&) noexcept;
    TtsExtentArray& operator=(TtsExtentArray&&) noexcept;

    int Count() const;
    // The value that entries take when the array grows.
    int Fill() const { return fill_; }
    // Entry i, or the fill value for an index outside 0..Count-1.
    int Get(int index) const;
    // Stores entry i (0 <= i < Count).
    void Set(int index, int value);

    // Grows with fill values or cuts the end off. Shrinking hands back what
    // was cut, so that a failed operation can put it back with Restore; an
    // array that grew is put back by Resize to its old count.
    TtsExtentArray Resize(int count);
    // Appends the entries of `tail` (a piece handed back by Resize).
    void Restore(TtsExtentArray&& tail);

    // Takes entry `from` out and puts it in at `to`; the entries between
    // shift by one towards `from` (0 <= from, to < Count).
    void Move(int from, int to);

    // Sum over [first, last) of max(entry, 0) + line. Indexes are clamped to
    // the array.
    int64_t Sum(int first, int last, int line) const;
    // Sum over [first, last) of entry + line for the entries above 0 only.
    int64_t SumPositive(int first, int last, int line) const;
    // The first index j >= first for which Sum(first, j + 1, line) > limit,
    // or Count() when there is none. A negative limit gives `first`.
    int FindEnd(int first, int64_t limit, int line) const;
    // The first index j >= first for which SumPositive(first, j + 1, line)
    // >= limit (limit > 0), or Count() when there is none.
    int FindPositiveEnd(int first, int64_t limit, int line) const;
    // The first index j >= first whose entry is above 0, or Count().
    int NextPositive(int first) const;
    // The last index j <= last whose entry is above 0, or -1.
    int PreviousPositive(int last) const;

    // Calls `visit(first, count, value)` for each run, in index order.
    void ForEachRun(const std::function<void(int first, int count, int value)>& visit) const;
    // The number of runs the array is kept in (for tests and benchmarks).
    int RunCount() const;

    bool operator==(const TtsExtentArray& other) const;

    // A run of the tree (defined in the source file).
    struct Node;
    using NodePtr = std::unique_ptr<Node>;

private:
    // Weights of one cell for the searches: extent, per cell, per positive cell.
    struct Weights {
        int64_t extent;
        int64_t cell;
        int64_t positive;
    };

    static void Update(Node* n);
    static NodePtr Split(NodePtr t, int64_t k, NodePtr& right);
    static NodePtr Merge(NodePtr a, NodePtr b);
    static NodePtr Clone(const Node* n);
    static int64_t Weight(const Node* n, const Weights& w);
    NodePtr MakeRun(int64_t count, int value) const;
    // Sum of the weights of the entries [0, index).
    int64_t PrefixWeight(int64_t index, const Weights& w) const;
    // The first index j with PrefixWeight(j + 1) > limit, or Count().
    int FindWeight(int64_t limit, const Weights& w) const;

    NodePtr root_;
    int fill_ = 0;
    mutable uint32_t seed_ = 0x9E3779B9u;
};

}  // namespace grid
