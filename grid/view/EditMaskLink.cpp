#include "grid/view/EditMaskLink.h"

#include "grid/view/GridEditBox.h"

namespace grid {

CORE_CLASS_IMPL(TtsEditMaskLink)

void TtsEditMaskLink::MasksChanged()
{
    if (owner_)
        owner_->DropMask();
}

void TtsEditMaskLink::MasksRemoved()
{
    if (owner_)
        owner_->DropMask();
}

}  // namespace grid
