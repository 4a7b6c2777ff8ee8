#include "grid/model/VisibleItems.h"

#include <algorithm>

namespace grid {

void TtsVisibleItems::Assign(const TtsSortIntList& source)
{
    TtsSortIntList::Assign(source);
    if (const auto* items = dynamic_cast<const TtsVisibleItems*>(&source)) {
        itemCount_ = items->itemCount_;
        materialized_ = items->materialized_;
    }
}

int TtsVisibleItems::Get(int index) const
{
    if (materialized_)
        return TtsSortIntList::Get(index);
    return index >= 1 && index <= itemCount_ ? index : 0;
}

void TtsVisibleItems::Add(int value)
{
    if (materialized_)
        TtsSortIntList::Add(value);
}

int TtsVisibleItems::Find(int value, bool& found) const
{
    if (materialized_)
        return TtsSortIntList::Find(value, found);
    found = value >= 1 && value <= itemCount_;
    if (found)
        return value;
    return value < 1 ? 1 : itemCount_ + 1;
}

void TtsVisibleItems::Remove(int value)
{
    if (!materialized_) {
        if (value < 1 || value > itemCount_)
            return;
        Materialize();
    }
    TtsSortIntList::Remove(value);
}

void TtsVisibleItems::Materialize()
{
    CheckCapacity(itemCount_);
    for (int i = 1; i <= itemCount_; ++i)
        items_[static_cast<std::size_t>(i)] = i;
    count_ = itemCount_;
    materialized_ = true;
}

void TtsVisibleItems::SetItemCount(int count)
{
    count = std::max(count, 0);
    if (materialized_) {
        if (count > itemCount_) {
            CheckCapacity(Count() + count - itemCount_);
            for (int p = itemCount_ + 1; p <= count; ++p)
                items_[static_cast<std::size_t>(++count_)] = p;
        } else if (count < itemCount_) {
            bool found;
            int keep = TtsSortIntList::Find(count + 1, found) - 1;
            count_ = keep;
            CheckCapacity(keep);
        }
    }
    itemCount_ = count;
}

void TtsVisibleItems::Reset(int count)
{
    SetCapacity(0);
    items_.reset();
    materialized_ = false;
    itemCount_ = std::max(count, 0);
}

bool TtsVisibleItems::IsVisible(int position) const
{
    bool found;
    Find(position, found);
    return found;
}

void TtsVisibleItems::MoveItem(int from, int to)
{
    if (!materialized_ || from == to || from < 1 || to < 1 || from > itemCount_ || to > itemCount_)
        return;
    int* items = items_.get();
    bool found;
    int at = TtsSortIntList::Find(from, found);
    if (from < to) {
        // Positions from+1..to move down by one; `from` lands at `to`.
        bool toFound;
        int last = TtsSortIntList::Find(to, toFound);
        if (!toFound)
            --last;  // the last entry not above `to`
        int first = found ? at + 1 : at;
        for (int i = first; i <= last; ++i)
            items[i] -= 1;
        if (found) {
            std::rotate(items + at, items + at + 1, items + last + 1);
            items[last] = to;
        }
    } else {
        // Positions to..from-1 move up by one; `from` lands at `to`.
        bool unused;
        int first = TtsSortIntList::Find(to, unused);
        int last = at - 1;  // the last entry below `from`
        for (int i = first; i <= last; ++i)
            items[i] += 1;
        if (found) {
            std::rotate(items + first, items + at, items + at + 1);
            items[first] = to;
        }
    }
}

}  // namespace grid
