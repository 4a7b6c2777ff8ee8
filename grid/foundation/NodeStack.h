#pragma once

#include <cstdint>
#include <memory>

namespace grid {

class TtsSetNode;

// One step of a walk down a tree: the node left behind and the side taken,
// -1 for its left child and +1 for its right one.
struct TtsPathEntry {
    TtsSetNode* Node = nullptr;
    std::int8_t Direction = 0;
};

// The stack of path entries that a deletion walks back up to rebalance.
// Entries are addressed 1 to Top. The storage grows 10 entries at a time and
// is kept when the stack is cleared, so a set that deletes again and again
// allocates nothing after its first deep walk.
class TtsNodeStack {
public:
    TtsNodeStack() = default;
    TtsNodeStack(const TtsNodeStack&) = delete;
    TtsNodeStack& operator=(const TtsNodeStack&) = delete;

    int Top() const { return top_; }
    int Capacity() const { return capacity_; }

    // Stores the entry above the top and returns the new Top.
    int Push(TtsSetNode* node, std::int8_t direction)
    {
        if (top_ == capacity_)
            Grow();
        items_[static_cast<std::size_t>(top_)] = TtsPathEntry{node, direction};
        return ++top_;
    }
    // The top entry, which leaves the stack; (nullptr, 0) when it is empty.
    TtsPathEntry Pop()
    {
        if (top_ == 0)
            return {};
        return items_[static_cast<std::size_t>(--top_)];
    }
    // The entry at `index`, or (nullptr, 0) outside 1..Top.
    TtsPathEntry Entries(int index) const
    {
        if (index < 1 || index > top_)
            return {};
        return items_[static_cast<std::size_t>(index - 1)];
    }
    // Replaces the entry at `index`; ignored outside 1..Top.
    void SetEntries(int index, TtsSetNode* node, std::int8_t direction)
    {
        if (index >= 1 && index <= top_)
            items_[static_cast<std::size_t>(index - 1)] = TtsPathEntry{node, direction};
    }
    // Empties the stack and keeps its storage.
    void Clear() { top_ = 0; }

private:
    void Grow();

    std::unique_ptr<TtsPathEntry[]> items_;
    int capacity_ = 0;
    int top_ = 0;
};

}  // namespace grid
