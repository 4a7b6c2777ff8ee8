#pragma once

#include <memory>

namespace grid {

// A 1-based array of integers, used by position (Get, Put, Insert, Delete) or
// as a sorted set (Add, Find, Remove by value, with binary search).
//
// The storage holds Capacity + 1 integers; entries 1 to Count are the list
// and entry 0 is never read as a list value. It grows 100 entries beyond
// what is needed, so a run of insertions reallocates once per 100 entries,
// and gives memory back only when more than 100 entries are spare.
//
// Out-of-range reads give 0 and out-of-range writes are ignored; nothing
// here raises errors. The grid's display-order list derives from it and reads
// and writes the storage and the count directly.
class TtsSortIntList {
public:
    TtsSortIntList() = default;
    virtual ~TtsSortIntList() = default;
    TtsSortIntList(const TtsSortIntList&) = delete;
    TtsSortIntList& operator=(const TtsSortIntList&) = delete;

    int Count() const { return count_; }
    int Capacity() const { return capacity_; }

    // Becomes a copy of `source`. An empty source leaves no storage here.
    virtual void Assign(const TtsSortIntList& source);
    // Makes room for a list about to hold `n` entries: grows to n + 100 when
    // it does not fit, shrinks to exactly n when more than 100 would be spare.
    virtual void CheckCapacity(int n);
    // The entry at `index`, 0 outside 1..Count.
    virtual int Get(int index) const;
    // Inserts at `index` (0 counts as 1), moving the entries from there up.
    // Positions outside 0..Count + 1 are ignored.
    virtual void Insert(int index, int value);
    // Removes the entry at `index`; ignored outside 1..Count.
    virtual void Delete(int index);
    // Reallocates the storage for `n` entries, keeping what fits. A list
    // longer than `n` is cut to `n` entries; a negative `n` is ignored.
    virtual void SetCapacity(int n);
    // Inserts `value` at its sorted position unless an equal entry exists.
    virtual void Add(int value);
    // Binary search of an ascending list: the position of an entry equal to
    // `value` (found = true), else the position at which `value` would be
    // inserted (1 for an empty list, Count + 1 after the last entry).
    virtual int Find(int value, bool& found) const;
    // Deletes the entry equal to `value`, if any.
    virtual void Remove(int value);

    // Writes the entry at `index`; ignored outside 1..Count.
    void Put(int index, int value);

protected:
    // Entries 0..Capacity; null while the list has no storage.
    std::unique_ptr<int[]> items_;
    int count_ = 0;

private:
    int capacity_ = 0;
};

}  // namespace grid
