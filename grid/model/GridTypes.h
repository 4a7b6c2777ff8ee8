#pragma once

// The grid engine's enumerations that column, row and cell settings share.
// A member whose name ends in Default means "take the value from the next
// level" (cell, then column and row, then grid).

#include "platform/core/EnumType.h"

namespace grid {

CORE_ENUM(TtsControlType, ctNone, ctText, ctCheck, ctPicture, ctDefault);

}  // namespace grid
