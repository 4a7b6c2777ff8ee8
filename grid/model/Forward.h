#pragma once

// Forward declarations of the grid model's classes, so that headers include
// little.
namespace grid {

class IGridModelHost;
class TtsCol;
class TtsGridCols;
class TtsRow;
class TtsGridRows;
class TtsVisibleItems;

}  // namespace grid
