#include "grid/foundation/IntegerSetList.h"

#include <algorithm>
#include <memory>

namespace grid {

TtsIntegerSetList::~TtsIntegerSetList()
{
    ClearSets();
}

void TtsIntegerSetList::SetSets(int index, TtsIntegerSet* set)
{
    keepReplaced_ = true;
    try {
        SetItems(index, set);
    } catch (...) {
        keepReplaced_ = false;
        throw;
    }
    keepReplaced_ = false;
}

void TtsIntegerSetList::ClearSets()
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i))
            SetItems(i, nullptr);
}

void TtsIntegerSetList::Assign(const TtsIntegerSetList& source)
{
    if (&source == this)
        return;
    ClearSets();
    int count = std::min(Count(), source.Count());
    for (int i = 0; i < count; ++i) {
        const TtsIntegerSet* from = source.Sets(i);
        if (!from)
            continue;
        // The list holds the copy before it is filled, so a failed copy is
        // not lost.
        auto* copy = new TtsIntegerSet();
        SetItems(i, copy);
        copy->Assign(*from);
    }
}

void TtsIntegerSetList::Notify(TtsIntegerSet* const& set, core::TListNotification action)
{
    if (action == core::lnDeleted && !keepReplaced_)
        delete set;
}

}  // namespace grid
