#pragma once

#include <cstdint>

#include "platform/core/Variant.h"

namespace grid {

// The number of every setting a column, row or cell can carry. Reset masks
// have bit 2^number for a setting (columns, rows and cells alike), and the
// generic access of property elements is by number.
enum TtsPropNr : int {
    pnColor = 0,
    pnFont = 1,
    pnDisplayPos = 2,      // columns and rows
    pnWidth = 3,           // columns
    pnHeight = 4,          // rows
    pnReadOnly = 5,        // the Boolean of columns and rows
    pnAligned = 6,         // legacy "aligned" flag
    pnAlignment = 7,       // legacy text alignment
    pnIs3D = 8,
    pnSelected = 9,
    pnVisible = 10,        // columns and rows
    pnRowChanged = 11,     // rows
    pnHeadingButton = 12,  // columns
    pnSortPicture = 13,    // columns
    pnMaxLength = 14,      // columns
    pnWordWrap = 15,
    pnButtonType = 16,
    pnDropDownStyle = 17,
    pnCellReadOnly = 18,   // the three-state ReadOnly of cells
    pnParentFont = 20,
    pnMaskName = 21,
    pnCombo = 22,
    pnParentCombo = 23,
    pnPicture = 24,        // with a picture sub-number
    pnControlType = 25,
    pnSpinOptions = 26,
    pnSpinIncrement = 27,
    pnHorzAlignment = 28,
    pnVertAlignment = 29,
    pnDateTimeDef = 30,
};

// The sub-numbers of pnPicture.
enum TtsPictureNr : int { psStretchPicture = 1, psShrinkPicture = 2, psCenterPicture = 3, psKeepAspectRatio = 4 };

// The reset-mask bit of a setting.
constexpr uint32_t PropMask(TtsPropNr nr) { return uint32_t{1} << static_cast<unsigned>(nr); }

// A setting's value in the generic access by number: a plain value (a
// variant) or, for the font, the own combo and the date-time definition, an
// object reference (nullptr meaning none). A default-made value is
// Unassigned: what an element gives for a number it does not hold.
class TtsPropValue {
public:
    TtsPropValue() = default;
    TtsPropValue(core::Variant value) : value_(std::move(value)) {}
    static TtsPropValue Object(core::TObject* object)
    {
        TtsPropValue v;
        v.object_ = object;
        v.isObject_ = true;
        return v;
    }

    bool IsObject() const { return isObject_; }
    bool IsUnassigned() const { return !isObject_ && value_.IsEmpty(); }
    const core::Variant& Value() const { return value_; }
    core::TObject* ObjectRef() const { return object_; }

    // Plain values compare by the variant's value comparison (numbers as
    // numbers, so a Boolean's -1 and an integer -1 are one value); objects by
    // reference.
    bool operator==(const TtsPropValue& other) const
    {
        if (isObject_ != other.isObject_)
            return false;
        return isObject_ ? object_ == other.object_ : value_.Equals(other.value_);
    }

private:
    core::Variant value_;
    core::TObject* object_ = nullptr;
    bool isObject_ = false;
};

}  // namespace grid
