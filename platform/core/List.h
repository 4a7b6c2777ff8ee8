#pragma once

#include <algorithm>
#include <concepts>
#include <utility>
#include <vector>

#include "platform/core/Exception.h"

namespace core {

// What happened to an item, told to TList::Notify.
enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// The classic 0-based growable list. Slots between Count and Capacity always
// hold value-initialised items, so growing Count needs no filling. An index
// outside 0..Count-1 raises EListError naming the bad index.
//
// Notify is called for every non-empty item (an item that differs from T{})
// that enters or leaves the list through Add, Insert, SetItems, Delete,
// Extract, SetCount and Clear, so that a subclass can own or index its items.
// The destructor does not notify: a subclass that owns its items releases
// them in its own destructor.
template <typename T>
class TList {
public:
    TList() = default;
    virtual ~TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;

    int Count() const { return count_; }
    void SetCount(int count);
    int Capacity() const { return static_cast<int>(items_.size()); }
    void SetCapacity(int capacity);

    const T& Items(int index) const;
    void SetItems(int index, T item);
    const T& operator[](int index) const { return Items(index); }
    const T& First() const { return Items(0); }
    const T& Last() const { return Items(count_ - 1); }

    int Add(T item);
    void Insert(int index, T item);
    void Delete(int index);
    int Remove(const T& item);
    T Extract(const T& item);
    int IndexOf(const T& item) const;
    virtual void Clear();

    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    void Pack();
    // `compare` returns <0, 0 or >0; items that compare equal keep their order.
    template <typename Compare>
    void Sort(Compare compare);
    // Becomes a copy of `source`, capacity included.
    void Assign(const TList& source);

    // The items 0..Count-1 in order, for range-for and block reads.
    const T* begin() const { return items_.data(); }
    const T* end() const { return items_.data() + count_; }

protected:
    // Makes room when Add or Insert finds the list full: small lists grow by
    // 4, middle-sized ones by 16, large ones by a quarter.
    virtual void Grow();
    virtual void Notify(const T& item, TListNotification action)
    {
        (void)item;
        (void)action;
    }

    [[noreturn]] static void IndexError(int index) { throw EListError("List index out of bounds (%d)", index); }
    void CheckIndex(int index) const
    {
        if (index < 0 || index >= count_)
            IndexError(index);
    }

private:
    static bool IsEmpty(const T& item)
    {
        if constexpr (std::equality_comparable<T>)
            return item == T{};
        else
            return false;
    }
    void NotifyUnlessEmpty(const T& item, TListNotification action)
    {
        if (!IsEmpty(item))
            Notify(item, action);
    }

    // The storage is exactly Capacity slots long.
    std::vector<T> items_;
    int count_ = 0;
};

template <typename T>
void TList<T>::SetCount(int count)
{
    if (count < 0)
        throw EListError("List count out of bounds (%d)", count);
    if (count > Capacity())
        SetCapacity(count);
    // Shrinking deletes from the end one by one so that each item is notified.
    while (count_ > count)
        Delete(count_ - 1);
    count_ = count;
}

template <typename T>
void TList<T>::SetCapacity(int capacity)
{
    if (capacity < count_)
        throw EListError("List capacity out of bounds (%d)", capacity);
    items_.resize(static_cast<size_t>(capacity));
    if (items_.capacity() > items_.size())
        items_.shrink_to_fit();
}

template <typename T>
const T& TList<T>::Items(int index) const
{
    CheckIndex(index);
    return items_[static_cast<size_t>(index)];
}

template <typename T>
void TList<T>::SetItems(int index, T item)
{
    CheckIndex(index);
    T& slot = items_[static_cast<size_t>(index)];
    if constexpr (std::equality_comparable<T>) {
        if (slot == item)
            return;
    }
    T old = std::exchange(slot, std::move(item));
    NotifyUnlessEmpty(old, lnDeleted);
    NotifyUnlessEmpty(items_[static_cast<size_t>(index)], lnAdded);
}

template <typename T>
void TList<T>::Grow()
{
    int capacity = Capacity();
    int delta = capacity > 64 ? capacity / 4 : capacity > 8 ? 16 : 4;
    SetCapacity(capacity + delta);
}

template <typename T>
int TList<T>::Add(T item)
{
    Insert(count_, std::move(item));
    return count_ - 1;
}

template <typename T>
void TList<T>::Insert(int index, T item)
{
    if (index < 0 || index > count_)
        IndexError(index);
    if (count_ == Capacity())
        Grow();
    // A Grow override that found no room must not lead to a write past the end.
    if (count_ == Capacity())
        SetCapacity(count_ + 1);
    auto at = items_.begin() + index;
    std::move_backward(at, items_.begin() + count_, items_.begin() + count_ + 1);
    *at = std::move(item);
    ++count_;
    NotifyUnlessEmpty(*at, lnAdded);
}

template <typename T>
void TList<T>::Delete(int index)
{
    CheckIndex(index);
    auto at = items_.begin() + index;
    T old = std::move(*at);
    std::move(at + 1, items_.begin() + count_, at);
    --count_;
    items_[static_cast<size_t>(count_)] = T{};
    NotifyUnlessEmpty(old, lnDeleted);
}

template <typename T>
int TList<T>::Remove(const T& item)
{
    int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
    return index;
}

template <typename T>
T TList<T>::Extract(const T& item)
{
    int index = IndexOf(item);
    if (index < 0)
        return T{};
    // The slot is emptied first so that Delete reports nothing; the caller
    // now holds the item, which is told as extracted rather than deleted.
    T result = std::exchange(items_[static_cast<size_t>(index)], T{});
    Delete(index);
    NotifyUnlessEmpty(result, lnExtracted);
    return result;
}

template <typename T>
int TList<T>::IndexOf(const T& item) const
{
    for (int i = 0; i < count_; ++i)
        if (items_[static_cast<size_t>(i)] == item)
            return i;
    return -1;
}

template <typename T>
void TList<T>::Clear()
{
    SetCount(0);
    SetCapacity(0);
}

template <typename T>
void TList<T>::Exchange(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
}

template <typename T>
void TList<T>::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex)
        return;
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    // A rotation moves the item without telling anyone: it never leaves the list.
    auto from = items_.begin() + curIndex;
    auto to = items_.begin() + newIndex;
    if (curIndex < newIndex)
        std::rotate(from, from + 1, to + 1);
    else
        std::rotate(to, from, from + 1);
}

template <typename T>
void TList<T>::Pack()
{
    for (int i = count_ - 1; i >= 0; --i)
        if (IsEmpty(items_[static_cast<size_t>(i)]))
            Delete(i);
}

template <typename T>
template <typename Compare>
void TList<T>::Sort(Compare compare)
{
    std::stable_sort(items_.begin(), items_.begin() + count_,
                     [&compare](const T& a, const T& b) { return compare(a, b) < 0; });
}

template <typename T>
void TList<T>::Assign(const TList& source)
{
    if (&source == this)
        return;
    Clear();
    SetCapacity(source.Capacity());
    for (const T& item : source)
        Add(item);
}

}  // namespace core
