#include "grid/foundation/SetList.h"

namespace grid {

TtsSetList::TtsSetList(int count) : count_(count > 0 ? count : 0)
{
    if (count_ > 0)
        items_ = std::make_unique<TtsSetRef[]>(static_cast<std::size_t>(count_));
}

TtsSetRef TtsSetList::Items(int index) const
{
    if (index < 1 || index > count_)
        return {};
    return items_[static_cast<std::size_t>(index - 1)];
}

void TtsSetList::SetItems(int index, const TtsSetRef& value)
{
    if (index >= 1 && index <= count_)
        items_[static_cast<std::size_t>(index - 1)] = value;
}

}  // namespace grid
