#pragma once

#include <cstdint>
#include <vector>

#include "grid/foundation/SmallBlockPool.h"
#include "platform/core/Variant.h"

namespace core {
class TStream;
}
namespace graphics {
class TBitmap;
}

namespace grid {

class TtsIntegerList;

// The kind of a stored cell, one byte in memory and in streams.
enum TtsStoredKind : std::uint8_t { skEmpty, skText, skCheckState, skBitmap, skPictureName, skNull };

// A picture travels in a cell value as its reference in an integer.
core::Variant BitmapValue(const graphics::TBitmap* bitmap);
// The picture an integer value refers to; raises the value's conversion
// error for values that are not numbers.
graphics::TBitmap* ValueBitmap(const core::Variant& value);

// The cell values of a grid that stores its data: a sparse two-dimensional
// array addressed by column (from 1) and row (from 0), each cell a kind and
// a payload (a text, an integer or a picture reference).
//
// Row 0 is the scratch row that keeps a row's values while the row is
// edited (SaveRow, RestoreRow, ClearSavedRow); rows 1 and up are the grid's
// data rows. Each row slot holds one block: the row's length and capacity,
// its kind bytes and its payload slots, so that a row costs one allocation
// and rows of different lengths cost only what they hold. Texts are compact
// strings (a length and the bytes); an empty text is no string at all. Row
// blocks and texts come from the store's own small-block pool.
//
// Growth follows the grid's hints: the row table grows to RowsHint + 1
// slots at first and 10 slots beyond the requested row after that; a row
// grows to ColsHint cells at first and 10 cells beyond the requested column
// after that. Deleting rows moves only the table entries; deleting columns
// keeps up to 7 spare cells in a row to spare reallocations.
//
// Cells beyond a row's length, and rows beyond RowSlots, read as empty;
// writes with a column below 1 or a row below 0 are ignored. A value is
// converted to its kind before anything is changed, so a failed conversion
// leaves the cell as it was.
//
// The stream form (the cell part of the grid's Data block; all integers
// signed 32-bit little-endian, a kind one byte):
//   for each data row with a non-empty cell, ascending: row number, cell
//   count n (the row's LastCol), then n records for columns 1 to n: the
//   kind, then a text's byte length and bytes, a check state's integer or a
//   picture's 1-based number in the picture list (nothing for an empty or
//   Null cell);
//   the end mark 0;
//   the picture count and each picture as a complete bitmap file image.
class Tts2DStorage {
public:
    Tts2DStorage(int colsHint, int rowsHint);
    virtual ~Tts2DStorage();
    Tts2DStorage(const Tts2DStorage&) = delete;
    Tts2DStorage& operator=(const Tts2DStorage&) = delete;

    // The smallest number of cells a row gets when it first grows.
    int ColsHint() const { return colsHint_; }
    void SetColsHint(int value) { colsHint_ = value; }
    // The grid's row count: the row table grows to at least this plus 1.
    int RowsHint() const { return rowsHint_; }
    void SetRowsHint(int value) { rowsHint_ = value; }
    // Set by the owner and copied by Assign; the storage does not read it.
    bool OwnerFlag() const { return ownerFlag_; }
    void SetOwnerFlag(bool value) { ownerFlag_ = value; }

    // Row slots 0 to RowSlots - 1 exist.
    int RowSlots() const { return static_cast<int>(rows_.size()); }
    // Whether the row slot has cells (a payload array); false outside.
    bool HasCells(int row) const { return Block(row) != nullptr; }
    // Cells allocated and initialised in the row, and cells its arrays can
    // hold; 0 for a row without cells or outside the slots.
    int Lengths(int row) const;
    int Capacities(int row) const;

    // Copies another storage: its data rows and OwnerFlag, not its scratch
    // row or hints.
    virtual void Assign(const Tts2DStorage& source);
    // Copies the row into the scratch row.
    virtual void SaveRow(int row);
    // Empties the scratch row.
    virtual void ClearSavedRow();
    // Removes the columns from every row, the scratch row included; later
    // cells move left.
    virtual void DeleteCols(int fromCol, int toCol);
    // Removes the row slots; later rows move up.
    virtual void DeleteRows(int fromRow, int toRow);
    // By kind: unassigned (empty), the text (text, picture name), the
    // integer (check state), the picture's reference as an integer
    // (picture), Null (null).
    virtual core::Variant GetValue(int col, int row) const;
    virtual TtsStoredKind KindOf(int col, int row) const;
    // Reads cells from the stream form above into the storage. With a
    // column map, the i-th cell of a row goes to column colMap[i - 1], cells
    // the map sends nowhere (0, or beyond its end) are dropped, and only the
    // mapped columns are cleared first;
    // without one, the whole storage is cleared first. Cells whose row or
    // column is 0 or less are read and dropped.
    //
    // The stream is checked whole before anything changes: a broken or
    // hostile stream raises EReadError (or the picture error) and leaves
    // the storage as it was.
    virtual void LoadFromStream(core::TStream& stream, const TtsIntegerList* colMap);
    // Copies the scratch row back into the row and empties the scratch row.
    virtual void RestoreRow(int row);
    virtual void SaveToStream(core::TStream& stream) const;
    // Stores a value with a kind. An unassigned value, or skEmpty, empties
    // the cell; skNull stores a Null cell; kinds above skNull are ignored.
    virtual void SetValue(int col, int row, TtsStoredKind kind, const core::Variant& value);

    // The highest data row that has cells, or 0.
    int LastRow() const;
    // The highest column of the row whose kind is not skEmpty, or 0.
    int LastCol(int row) const;
    // Releases the cell's text or picture and empties it.
    void ClearCell(int col, int row);
    // Empties cells 1 to the row's length; with a newLength of 0 or more the
    // row is then reallocated to exactly that many cells.
    void ClearRow(int row, int newLength);
    // Empties the column in every data row.
    void ClearCol(int col);
    // Empties the rows from fromRow on (a fromRow of 1 counts as 0) and
    // frees their cells; with `shrink` the table keeps only the rows before
    // fromRow (none when it is 0) and the slot of fromRow itself.
    void ClearRows(int fromRow, bool shrink);
    // Grows or shrinks the row table to n slots; rows cut off are cleared.
    void SetRowSlots(int n);

protected:
    // Stores the values of one row into another with SetValue; a missing
    // source row empties the target.
    void CopyRow(int fromRow, int toRow);
    void EnsureRow(int row);
    void EnsureCol(int col, int row);
    // Reallocates the row to n cells (new cells empty; 0 frees them); length
    // and capacity both become n.
    void SetRowLength(int row, int n);
    void SetPicture(int col, int row, graphics::TBitmap* bitmap, TtsStoredKind oldKind);

private:
    struct RowBlock;
    struct TextRep;
    class StreamScan;

    RowBlock* Block(int row) const
    {
        return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<std::size_t>(row)] : nullptr;
    }
    // Releases a cell's payload without touching its kind.
    void ReleasePayload(std::uint8_t kind, std::uintptr_t payload);
    void FreeBlock(RowBlock* block);
    void ApplyStream(core::TStream& stream, const TtsIntegerList* colMap, const StreamScan& scan);

    int colsHint_;
    int rowsHint_;
    bool ownerFlag_ = false;
    // Row blocks and texts; declared before the rows so that it outlives
    // them.
    TtsSmallBlockPool pool_;
    std::vector<RowBlock*> rows_;
};

}  // namespace grid
