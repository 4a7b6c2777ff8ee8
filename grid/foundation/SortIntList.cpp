#include "grid/foundation/SortIntList.h"

#include <algorithm>
#include <cstring>

namespace grid {

namespace {

constexpr int kSpareEntries = 100;

}  // namespace

void TtsSortIntList::Assign(const TtsSortIntList& source)
{
    if (&source == this)
        return;
    if (!source.items_ || source.count_ == 0) {
        items_.reset();
        count_ = 0;
        capacity_ = 0;
        return;
    }
    CheckCapacity(source.count_);
    std::copy(source.items_.get(), source.items_.get() + source.count_ + 1, items_.get());
    count_ = source.count_;
}

void TtsSortIntList::CheckCapacity(int n)
{
    if (n > capacity_)
        SetCapacity(n + kSpareEntries);
    else if (n < capacity_ - kSpareEntries)
        SetCapacity(n);
}

void TtsSortIntList::SetCapacity(int n)
{
    if (n < 0 || n == capacity_)
        return;
    auto items = std::make_unique<int[]>(static_cast<std::size_t>(n) + 1);
    if (items_)
        std::copy(items_.get(), items_.get() + std::min(n, capacity_) + 1, items.get());
    items_ = std::move(items);
    capacity_ = n;
    // Entries beyond the storage are gone.
    count_ = std::min(count_, n);
}

int TtsSortIntList::Get(int index) const
{
    if (index < 1 || index > count_)
        return 0;
    return items_[static_cast<std::size_t>(index)];
}

void TtsSortIntList::Put(int index, int value)
{
    if (index >= 1 && index <= count_)
        items_[static_cast<std::size_t>(index)] = value;
}

void TtsSortIntList::Insert(int index, int value)
{
    if (index < 0 || index > count_ + 1)
        return;
    CheckCapacity(count_ + 1);
    if (index == 0)
        index = 1;
    int* at = items_.get() + index;
    if (index <= count_)
        std::memmove(at + 1, at, static_cast<std::size_t>(count_ - index + 1) * sizeof(int));
    *at = value;
    ++count_;
}

void TtsSortIntList::Delete(int index)
{
    if (index < 1 || index > count_)
        return;
    int* at = items_.get() + index;
    if (index < count_)
        std::memmove(at, at + 1, static_cast<std::size_t>(count_ - index) * sizeof(int));
    // The capacity check sees the count after the deletion.
    int count = count_ - 1;
    CheckCapacity(count);
    count_ = count;
}

int TtsSortIntList::Find(int value, bool& found) const
{
    found = false;
    int lo = 1;
    int hi = count_;
    while (hi >= lo) {
        int mid = lo + (hi - lo) / 2;
        int entry = Get(mid);
        if (entry > value) {
            hi = mid - 1;
        } else if (entry < value) {
            lo = mid + 1;
        } else {
            found = true;
            return mid;
        }
    }
    return lo;
}

void TtsSortIntList::Add(int value)
{
    bool found;
    int index = Find(value, found);
    if (!found)
        Insert(index, value);
}

void TtsSortIntList::Remove(int value)
{
    bool found;
    int index = Find(value, found);
    if (found)
        Delete(index);
}

}  // namespace grid
