#pragma once

#include "grid/foundation/CustomSet.h"

namespace grid {

// An ordered set of signed 32-bit integers. Results are addresses of the
// integers stored in the nodes; they stay valid until the value is removed.
class TtsIntegerSet : public TtsCustomSet {
    CORE_CLASS(TtsIntegerSet, TtsCustomSet)

    // A TtsIntegerSetNode holding the integer that `value` refers to.
    TtsSetNode* CreateNode(const TtsSetRef& value) override;

    // Adds `value` unless present; the stored integer either way.
    virtual const int* Add(int value);
    // The stored integer equal to `value`, or nullptr.
    virtual const int* Find(int value) const;
    // Removes `value` when present.
    virtual void Remove(int value);
};

}  // namespace grid
