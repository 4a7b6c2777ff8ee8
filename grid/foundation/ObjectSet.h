#pragma once

#include "grid/foundation/CustomSet.h"
#include "grid/foundation/SetElement.h"

namespace grid {

// An ordered set of elements, each owned by its node. Elements are inserted
// as themselves and looked up and removed by keys of tagged values.
class TtsObjectSet : public TtsCustomSet {
    CORE_CLASS(TtsObjectSet, TtsCustomSet)

    // A TtsObjectSetNode holding the element. While the set is being
    // assigned, handing it the source's own element raises
    // EInvalidOperation rather than let two sets own one element: a subclass
    // that is copied overrides CreateNode and passes a fresh copy of the
    // source's element on to this one.
    TtsSetNode* CreateNode(const TtsSetRef& value) override;

    // Takes `element` over. When an element with an equal key is present it
    // is released with Release(false) and the new one takes its node; adding
    // the very element that is present changes nothing. A null element is
    // ignored.
    virtual void Add(TtsSetElement* element);
    // The element whose key equals `key`, or nullptr.
    virtual TtsSetElement* Find(TtsKey key) const;
    // Releases the element whose key equals `key`, with its node.
    virtual void Remove(TtsKey key);
};

}  // namespace grid
