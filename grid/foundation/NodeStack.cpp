#include "grid/foundation/NodeStack.h"

#include <algorithm>

namespace grid {

void TtsNodeStack::Grow()
{
    int capacity = top_ + 10;
    auto items = std::make_unique<TtsPathEntry[]>(static_cast<std::size_t>(capacity));
    std::copy(items_.get(), items_.get() + top_, items.get());
    items_ = std::move(items);
    capacity_ = capacity;
}

}  // namespace grid
