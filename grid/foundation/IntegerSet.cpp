#include "grid/foundation/IntegerSet.h"

namespace grid {

CORE_CLASS_IMPL(TtsIntegerSet)

TtsSetNode* TtsIntegerSet::CreateNode(const TtsSetRef& value)
{
    return new TtsIntegerSetNode(*value.Integer());
}

const int* TtsIntegerSet::Add(int value)
{
    return Insert(TtsSetRef(&value))->Value().Integer();
}

const int* TtsIntegerSet::Find(int value) const
{
    TtsSetNode* node = FindNode(TtsSetRef(&value));
    return node ? node->Value().Integer() : nullptr;
}

void TtsIntegerSet::Remove(int value)
{
    // The detached node is freed on leaving.
    Delete(TtsSetRef(&value));
}

}  // namespace grid
