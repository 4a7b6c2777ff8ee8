#pragma once

#include "grid/model/GridTypes.h"

namespace grid {

// The three-state ReadOnly of a cell: roOn and roOff decide whatever its
// column and row say; roDefault leaves it to them.
CORE_ENUM(TtsReadOnly, roOn, roOff, roDefault);
// Which of column and row wins where both set a cell's setting.
CORE_ENUM(TtsDrawOverlap, doDrawColOnTop, doDrawRowOnTop);

}  // namespace grid
