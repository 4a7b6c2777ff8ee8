#pragma once

// Small pieces that column and row objects share.

#include <array>
#include <cstdint>
#include <memory>

#include "grid/model/GridTypes.h"
#include "platform/core/Persistent.h"
#include "platform/ui/ControlTypes.h"

namespace filing {
class TReader;
}

namespace grid::model {

// Stores `value`; whether it differed.
template <typename T>
bool Assign(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

// The legacy pair (text alignment, "aligned") as a horizontal alignment:
// not aligned is htaDefault.
TtsHorzAlignment HorzAlignmentOf(ui::TAlignment alignment, bool aligned);
// And back: right and centre keep their side, anything else is left; aligned
// unless htaDefault.
void AlignmentPairOf(TtsHorzAlignment value, ui::TAlignment& alignment, bool& aligned);
// Reads a filed text alignment identifier ("taLeftJustify",
// "taRightJustify", "taCenter", any case); an unknown one keeps `current`.
ui::TAlignment ReadAlignment(filing::TReader& reader, ui::TAlignment current);

// The text without accelerator markers: each "&" marks the next character
// and is dropped, "&&" stands for "&". `accelPos` receives the 1-based
// position of the first marked character in the result, 0 when none.
core::AnsiString StripAccelerator(const core::AnsiString& text, int& accelPos);

// Whether every published ordinal property of the object that has no
// default (values an application keeps with the object and that are always
// filed) is 0.
bool OrdinalsWithoutDefaultAreZero(const core::TObject& object);

// A new object of the same class holding a copy (Assign) of `source`;
// nullptr for nullptr.
std::unique_ptr<core::TPersistent> Clone(const core::TPersistent* source);

// The order in which ResetProperties applies its bits.
inline constexpr std::array<uint32_t, 27> kResetOrder{
    rpColor,         rpFont,          rpIs3D,          rpVisible,      rpWidth,         rpHeight,
    rpDisplayPos,    rpAligned,       rpAlignment,     rpHorzAlignment, rpVertAlignment, rpSortPicture,
    rpHeadingButton, rpMaxLength,     rpReadOnly,      rpWordWrap,     rpMaskName,      rpButtonType,
    rpDropDownStyle, rpCombo,         rpParentCombo,   rpPictureOptions, rpSpinOptions,  rpSpinIncrement,
    rpDateTimeDef,   rpSelected,      rpRowChanged};

}  // namespace grid::model

namespace grid::model {

// Counts a list's own updates of the base layout, so that the layout's
// change hooks, which lead back to the list, are ignored meanwhile.
class LayoutUpdate {
public:
    explicit LayoutUpdate(int& counter) : counter_(counter) { ++counter_; }
    ~LayoutUpdate() { --counter_; }
    LayoutUpdate(const LayoutUpdate&) = delete;
    LayoutUpdate& operator=(const LayoutUpdate&) = delete;

private:
    int& counter_;
};

}  // namespace grid::model
