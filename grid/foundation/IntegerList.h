#pragma once

#include "platform/core/List.h"

namespace grid {

// A growable 0-based list of integers for column, row and edit-box
// bookkeeping: Add appends and returns the index, Items and SetItems read and
// write, Remove takes out the first equal entry and returns its former index
// (-1 when there is none). An index outside 0..Count-1 raises the list index
// error.
class TtsIntegerList : public core::TList<int> {};

}  // namespace grid
