#pragma once

#include "grid/foundation/TaggedValue.h"

namespace grid {

class TtsCustomSet;

// The base of every payload kept in an element set (TtsObjectSet).
//
// A subclass keeps its key in fields of its own. It implements CompareKey
// against an array of tagged values, and Compare by building such an array
// from the other element's key fields and calling its own CompareKey, so that
// insertion and lookup order elements alike.
class TtsSetElement {
public:
    TtsSetElement() = default;
    virtual ~TtsSetElement() = default;
    TtsSetElement& operator=(const TtsSetElement&) = delete;

    // Frees the element. The flag is passed down from the set's release and
    // carries no meaning in the library itself.
    virtual void Release(bool flag);
    // Where `element` sorts relative to this one. The base reports equal.
    virtual TtsCompare Compare(const TtsCustomSet* set, const TtsSetElement* element) const;
    // Where `key` sorts relative to this element. An element reads only as
    // many leading values as its own key has. The base reports equal.
    virtual TtsCompare CompareKey(const TtsCustomSet* set, TtsKey key) const;
    // A text for the element; empty in the base.
    virtual core::AnsiString AsString() const;

protected:
    // Subclasses copy their own fields when they make a fresh copy for an
    // assigned set.
    TtsSetElement(const TtsSetElement&) = default;
};

}  // namespace grid
