#pragma once

#include "grid/foundation/SortIntList.h"

namespace grid {

// The display positions (1 to ItemCount) that are visible, in ascending
// order, for the rows or the columns of a grid.
//
// While nothing is hidden the list is not materialized: it holds no storage,
// entry i is i and every position is found at its own index, so a grid of a
// million rows pays nothing for it. Hiding the first position materializes
// the identity list once; from then on hiding and showing insert and remove
// one entry (a move of the entries after it), and moving a position shifts
// the entries between its old and new place by one.
class TtsVisibleItems : public TtsSortIntList {
public:
    TtsVisibleItems() = default;

    int ItemCount() const { return itemCount_; }
    bool Materialized() const { return materialized_; }
    // The number of visible positions: Count when materialized, else
    // ItemCount.
    int VisibleCount() const { return materialized_ ? Count() : itemCount_; }

    // Also copies the number of positions and the materialized state.
    void Assign(const TtsSortIntList& source) override;
    // Entry `index`, or `index` itself while not materialized (0 outside
    // 1..ItemCount).
    int Get(int index) const override;
    // Shows a position (only a materialized list has anything to do).
    void Add(int value) override;
    // Where `value` is or would go. Not materialized: a position within
    // 1..ItemCount is found at its own index, one beyond is placed after the
    // count, and 0 (or less) at 1.
    int Find(int value, bool& found) const override;
    // Hides a position; materializes the identity list first.
    void Remove(int value) override;

    // Covers `count` positions. Positions beyond the old count become
    // visible; positions cut off are dropped from the list.
    void SetItemCount(int count);
    // Moves position `from` to `to`: the positions between shift by one
    // toward `from`, and the list stays sorted. A hidden `from` stays hidden
    // at its new place.
    void MoveItem(int from, int to);
    // Covers `count` positions, every one visible (not materialized).
    void Reset(int count);
    // Whether a position is visible.
    bool IsVisible(int position) const;

private:
    void Materialize();

    int itemCount_ = 0;
    bool materialized_ = false;
};

}  // namespace grid
