#pragma once

#include <memory>

#include "grid/foundation/SetRef.h"

namespace grid {

// A fixed-size snapshot of a set's values in key order, entries 1 to Count.
// The list belongs to whoever asked the set for it; the values it refers to
// stay owned by the set's nodes.
class TtsSetList {
public:
    // Allocates `count` entries, none for a count of 0 or less.
    explicit TtsSetList(int count);
    TtsSetList(const TtsSetList&) = delete;
    TtsSetList& operator=(const TtsSetList&) = delete;

    int Count() const { return count_; }
    // The entry at `index`, or a null reference outside 1..Count.
    TtsSetRef Items(int index) const;
    // Ignored outside 1..Count.
    void SetItems(int index, const TtsSetRef& value);

private:
    int count_;
    std::unique_ptr<TtsSetRef[]> items_;
};

}  // namespace grid
