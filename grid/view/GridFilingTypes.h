#pragma once

#include <cstdint>

#include "platform/core/EnumType.h"
#include "platform/core/Set.h"

namespace grid {

// The parts of a grid that a saved layout can carry: the grid's own
// published properties, the columns, the rows and the cell settings.
CORE_ENUM(TtsPropKind, pkGrid, pkCols, pkRows, pkCells);
CORE_SET(TtsPropKinds, TtsPropKind);

inline constexpr TtsPropKinds kAllPropKinds{pkGrid, pkCols, pkRows, pkCells};

// The property mask of a layout: bit 2^n for property number n of columns,
// rows and cells (the rp... bits); this value stands for all of them.
inline constexpr uint32_t kAllPropsMask = 0x7FFFFFFF;
// What the column layout saves: everything but colour, font, the two
// read-only settings, selection, sort picture, parent font, picture options
// and control type.
inline constexpr uint32_t kColLayoutMask = 0x7CEBDDDC;

// How a layout stream is loaded: with the saved layout (columns by data
// number, counts applied), or onto the grid's own columns matched by field
// name.
enum TtsLoadMode : int { lmByFieldName = 0, lmWithLayout = 1 };

}  // namespace grid
