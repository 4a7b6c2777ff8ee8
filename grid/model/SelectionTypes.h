#pragma once

// The selection modes of the grid and the numbers it reports selection
// changes with.

#include <cstdint>

#include "platform/core/EnumType.h"

namespace grid {

CORE_ENUM(TtsRowSelectMode, rsNone, rsSingle, rsMulti);
CORE_ENUM(TtsColSelectMode, csNone, csMulti);
CORE_ENUM(TtsCellSelectMode, cmNone, cmRange);

// What is selected: the numbers are fixed (OnGridStatusChanged reports them).
enum TtsGridStatus : std::uint8_t { gstNone = 0, gstColsSelected = 1, gstRowsSelected = 2, gstCellsSelected = 3 };

// The kind of selection OnSelectChanged reports: rows, columns or cells.
enum TtsSelectType : std::uint8_t { stRowSelect = 0, stColSelect = 1, stCellSelect = 2 };

}  // namespace grid
