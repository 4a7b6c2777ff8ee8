#pragma once

#include "grid/foundation/MaskLink.h"

namespace grid {

class TtsGridEditBox;

// The edit box's link to the grid's mask definitions: whenever the masks
// change or go, the box forgets the mask it looked up.
class TtsEditMaskLink : public TtsMaskLink {
    CORE_CLASS(TtsEditMaskLink, TtsMaskLink)

    explicit TtsEditMaskLink(TtsGridEditBox* owner) : owner_(owner) {}

    TtsGridEditBox* Owner() const { return owner_; }
    void MasksChanged() override;
    void MasksRemoved() override;

private:
    TtsGridEditBox* owner_;
};

}  // namespace grid
