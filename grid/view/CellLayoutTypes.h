#pragma once

// How cell text sits in its cell: the alignments and word wrap that columns,
// rows, cells and the in-cell editors carry. A "default" member is taken
// from the next level of settings.

#include "platform/core/EnumType.h"

namespace grid {

CORE_ENUM(TtsHorzAlignment, htaLeft, htaRight, htaCenter, htaDefault);
CORE_ENUM(TtsVertAlignment, vtaTop, vtaBottom, vtaCenter, vtaDefault);
CORE_ENUM(TtsWordWrap, wwOn, wwOff, wwDefault);

}  // namespace grid
