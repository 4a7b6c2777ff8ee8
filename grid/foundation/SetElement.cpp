#include "grid/foundation/SetElement.h"

namespace grid {

void TtsSetElement::Release(bool flag)
{
    (void)flag;
    delete this;
}

TtsCompare TtsSetElement::Compare(const TtsCustomSet* set, const TtsSetElement* element) const
{
    (void)set;
    (void)element;
    return crEqual;
}

TtsCompare TtsSetElement::CompareKey(const TtsCustomSet* set, TtsKey key) const
{
    (void)set;
    (void)key;
    return crEqual;
}

core::AnsiString TtsSetElement::AsString() const
{
    return {};
}

}  // namespace grid
