#pragma once

// The grid engine's enumerations and sets that column, row and cell settings
// share. A member whose name ends in Default means "take the value from the
// next level" (cell, then column and row, then grid).

#include "platform/core/EnumType.h"
#include "platform/graphics/Color.h"

namespace grid {

CORE_ENUM(TtsButtonType, btCombo, btNormal, btNone, btDefault, btVertSpin, btHorzSpin, btDateTimeDropDown,
          btDateTimePopup);
CORE_ENUM(TtsDrawOption, dopOn, dopOff, dopDefault);
CORE_ENUM(TtsControlType, ctNone, ctText, ctCheck, ctPicture, ctDefault);
CORE_ENUM(TtsDropDownStyle, ddDropDown, ddDropDownList);
CORE_ENUM(TtsColHeadingButton, cbCell, cbButton, cbGrid, cbNone);
CORE_ENUM(TtsHorzAlignment, htaLeft, htaRight, htaCenter, htaDefault);
CORE_ENUM(TtsVertAlignment, vtaTop, vtaBottom, vtaCenter, vtaDefault);
CORE_ENUM(TtsWordWrap, wwOn, wwOff, wwDefault);
CORE_ENUM(TtsSortPicture, spUp, spDown, spBullet, spNone);
CORE_ENUM(TtsSpinOption, spoAutoRepeat, spoAutoIncrement, spoKeyEdit);
CORE_SET(TtsSpinOptions, TtsSpinOption);

// Every spin option: the default of columns, rows and cells.
inline constexpr TtsSpinOptions kAllSpinOptions{spoAutoRepeat, spoAutoIncrement, spoKeyEdit};

// A colour that is not set and is taken from the next level.
inline constexpr graphics::TColor kNoColor = graphics::clNone;

// The groups of settings that a column's or a row's ResetProperties takes,
// one bit each.
enum : uint32_t {
    rpColor = 0x1,
    rpFont = 0x2,
    rpDisplayPos = 0x4,
    rpWidth = 0x8,
    rpHeight = 0x10,
    rpReadOnly = 0x20,
    rpAligned = 0x40,
    rpAlignment = 0x80,
    rpIs3D = 0x100,
    rpSelected = 0x200,
    rpVisible = 0x400,
    rpRowChanged = 0x800,
    rpHeadingButton = 0x1000,
    rpSortPicture = 0x2000,
    rpMaxLength = 0x4000,
    rpWordWrap = 0x8000,
    rpButtonType = 0x10000,
    rpDropDownStyle = 0x20000,
    rpMaskName = 0x200000,
    rpCombo = 0x400000,
    rpParentCombo = 0x800000,
    rpPictureOptions = 0x1000000,
    rpSpinOptions = 0x4000000,
    rpSpinIncrement = 0x8000000,
    rpHorzAlignment = 0x10000000,
    rpVertAlignment = 0x20000000,
    rpDateTimeDef = 0x40000000,
};

}  // namespace grid
