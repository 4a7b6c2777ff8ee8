#include "grid/foundation/ObjectSet.h"

namespace grid {

CORE_CLASS_IMPL(TtsObjectSet)

TtsSetNode* TtsObjectSet::CreateNode(const TtsSetRef& value)
{
    // Sharing the source's element would leave two sets owning it, and the
    // second to release it would free it twice. A subclass that hands over a
    // fresh copy of the element is welcome.
    const TtsSetNode* copied = CopiedNode();
    if (Copying() && copied && value.Element() && value.Element() == copied->Value().Element())
        throw core::EInvalidOperation("%s cannot copy its elements", ClassName());
    return new TtsObjectSetNode(value.Element());
}

void TtsObjectSet::Add(TtsSetElement* element)
{
    if (!element)
        return;
    TtsSetNode* node = Insert(TtsSetRef(element));
    auto* holder = dynamic_cast<TtsObjectSetNode*>(node);
    if (!holder)
        throw core::EInvalidCast("Invalid class typecast");
    TtsSetElement* present = holder->Element();
    if (present == element)
        return;
    // An element with an equal key was there: the new one takes its node.
    holder->SetElement(element);
    if (present)
        present->Release(false);
}

TtsSetElement* TtsObjectSet::Find(TtsKey key) const
{
    TtsSetNode* node = FindNode(TtsSetRef(key));
    return node ? node->Value().Element() : nullptr;
}

void TtsObjectSet::Remove(TtsKey key)
{
    // The detached node releases its element and itself on leaving.
    Delete(TtsSetRef(key));
}

}  // namespace grid
