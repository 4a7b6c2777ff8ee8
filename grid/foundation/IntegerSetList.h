#pragma once

#include "grid/foundation/IntegerSet.h"
#include "platform/core/List.h"

namespace grid {

// A 0-based list with one optional integer set per index; the grid keeps two
// as a cross index of the cells that carry properties (for each column the
// set of its rows, for each row the set of its columns).
//
// The list owns its sets. ClearSets, Assign and destruction free them, and so
// do Delete, Clear and a smaller Count for the sets they drop. Writing a slot
// through SetSets does not free the set that was there: the caller has it
// back (and Extract hands a set back too). A caller that frees a set itself
// clears its slot with SetSets(index, nullptr) before anything else drops it.
class TtsIntegerSetList : public core::TList<TtsIntegerSet*> {
public:
    TtsIntegerSetList() = default;
    ~TtsIntegerSetList() override;

    // The set at `index` or nullptr; raises the list index error outside
    // 0..Count-1, as does writing.
    TtsIntegerSet* Sets(int index) const { return Items(index); }
    void SetSets(int index, TtsIntegerSet* set);
    // Frees every set and leaves every slot null; Count is unchanged.
    void ClearSets();
    // Frees this list's sets, then gives every index below both counts at
    // which `source` holds a set a new copy of it. Count is not changed:
    // callers size the list first, and indexes beyond the source stay null.
    virtual void Assign(const TtsIntegerSetList& source);

protected:
    void Notify(TtsIntegerSet* const& set, core::TListNotification action) override;

private:
    // Set while SetSets replaces a slot, whose old set stays alive.
    bool keepReplaced_ = false;
};

}  // namespace grid
