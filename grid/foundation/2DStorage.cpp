#include "grid/foundation/2DStorage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <string_view>

#include "grid/foundation/2DStorageCells.h"
#include "grid/foundation/BitmapSet.h"

namespace grid {

using core::AnsiString;
using core::Variant;

namespace {

// Growth arithmetic in 64 bits, so that rows and columns near the top of
// the integer range cannot wrap; a size that large then fails to allocate.
int ClampToInt(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, 0, std::numeric_limits<int>::max()));
}

}  // namespace

Variant BitmapValue(const graphics::TBitmap* bitmap)
{
    return Variant(static_cast<int64_t>(reinterpret_cast<intptr_t>(bitmap)));
}

graphics::TBitmap* ValueBitmap(const Variant& value)
{
    return reinterpret_cast<graphics::TBitmap*>(static_cast<intptr_t>(value.AsInt64()));
}

Tts2DStorage::Tts2DStorage(int colsHint, int rowsHint) : colsHint_(colsHint), rowsHint_(rowsHint) {}

Tts2DStorage::~Tts2DStorage()
{
    for (RowBlock* block : rows_)
        FreeBlock(block);
}

void Tts2DStorage::ReleasePayload(uint8_t kind, uintptr_t payload)
{
    if (!payload)
        return;
    if (kind == skText || kind == skPictureName)
        TextRep::Free(pool_, payload);
    else if (kind == skBitmap)
        ChangeBitmapRef(reinterpret_cast<const graphics::TBitmap*>(payload), true);
}

void Tts2DStorage::FreeBlock(RowBlock* block)
{
    if (!block)
        return;
    uint8_t* kinds = block->Kinds();
    uintptr_t* slots = block->Slots();
    for (int i = 0; i < block->length; ++i)
        ReleasePayload(kinds[i], slots[i]);
    pool_.Free(block, RowBlock::Bytes(block->capacity));
}

int Tts2DStorage::Lengths(int row) const
{
    RowBlock* block = Block(row);
    return block ? block->length : 0;
}

int Tts2DStorage::Capacities(int row) const
{
    RowBlock* block = Block(row);
    return block ? block->capacity : 0;
}

// ---- Reading -----------------------------------------------------------------------

TtsStoredKind Tts2DStorage::KindOf(int col, int row) const
{
    RowBlock* block = Block(row);
    if (!block || col < 1 || col > block->length)
        return skEmpty;
    return static_cast<TtsStoredKind>(block->Kinds()[col - 1]);
}

Variant Tts2DStorage::GetValue(int col, int row) const
{
    RowBlock* block = Block(row);
    if (!block || col < 1 || col > block->length)
        return {};
    uintptr_t payload = block->Slots()[col - 1];
    switch (block->Kinds()[col - 1]) {
    case skText:
    case skPictureName:
        return Variant(AnsiString(TextRep::ViewOf(payload)));
    case skCheckState:
        return Variant(static_cast<int32_t>(static_cast<uint32_t>(payload)));
    case skBitmap:
        return BitmapValue(reinterpret_cast<const graphics::TBitmap*>(payload));
    case skNull:
        return Variant::Null();
    default:
        return {};
    }
}

int Tts2DStorage::LastRow() const
{
    for (int row = RowSlots() - 1; row >= 1; --row)
        if (rows_[static_cast<std::size_t>(row)])
            return row;
    return 0;
}

int Tts2DStorage::LastCol(int row) const
{
    RowBlock* block = Block(row);
    if (!block)
        return 0;
    const uint8_t* kinds = block->Kinds();
    for (int col = block->length; col >= 1; --col)
        if (kinds[col - 1] != skEmpty)
            return col;
    return 0;
}

// ---- Storing -----------------------------------------------------------------------

void Tts2DStorage::SetValue(int col, int row, TtsStoredKind kind, const Variant& value)
{
    if (col < 1 || row < 0 || kind > skNull)
        return;
    TtsStoredKind oldKind = KindOf(col, row);
    bool unassigned = value.IsEmpty();
    if (unassigned && oldKind == skEmpty)
        return;

    // Convert first: a value that does not convert raises before the cell
    // or the row tables change.
    AnsiString text;
    int32_t integer = 0;
    graphics::TBitmap* bitmap = nullptr;
    if (!unassigned) {
        if (kind == skText || kind == skPictureName)
            text = value.AsString();
        else if (kind == skCheckState)
            integer = value.AsInteger();
        else if (kind == skBitmap)
            bitmap = ValueBitmap(value);
    }

    EnsureRow(row);
    EnsureCol(col, row);
    RowBlock* block = Block(row);
    std::size_t i = static_cast<std::size_t>(col - 1);
    if (unassigned || kind == skEmpty) {
        ClearCell(col, row);
        return;
    }
    switch (kind) {
    case skText:
    case skPictureName: {
        if (oldKind != skEmpty && oldKind != skText && oldKind != skPictureName)
            ClearCell(col, row);
        uintptr_t rep = TextRep::Make(pool_, text);
        uint8_t present = block->Kinds()[i];
        ReleasePayload(present, block->Slots()[i]);
        block->Slots()[i] = rep;
        break;
    }
    case skCheckState:
        if (oldKind != skEmpty && oldKind != skCheckState)
            ClearCell(col, row);
        block->Slots()[i] = static_cast<uint32_t>(integer);
        break;
    case skBitmap:
        if (oldKind != skEmpty && oldKind != skBitmap) {
            ClearCell(col, row);
            oldKind = skEmpty;
        }
        SetPicture(col, row, bitmap, oldKind);
        break;
    default:  // skNull
        ClearCell(col, row);
        break;
    }
    block->Kinds()[i] = kind;
}

void Tts2DStorage::SetPicture(int col, int row, graphics::TBitmap* bitmap, TtsStoredKind oldKind)
{
    RowBlock* block = Block(row);
    if (!block || col < 1 || col > block->length)
        return;
    uintptr_t& slot = block->Slots()[col - 1];
    if (oldKind == skBitmap && slot == reinterpret_cast<uintptr_t>(bitmap))
        return;
    if (oldKind == skBitmap)
        ClearCell(col, row);
    slot = reinterpret_cast<uintptr_t>(bitmap);
    ChangeBitmapRef(bitmap, false);
}

// ---- Growth ------------------------------------------------------------------------

void Tts2DStorage::EnsureRow(int row)
{
    if (row < RowSlots())
        return;
    int64_t hinted = int64_t{rowsHint_} + 1;
    SetRowSlots(ClampToInt(row < hinted ? hinted : int64_t{row} + 10));
}

void Tts2DStorage::EnsureCol(int col, int row)
{
    RowBlock* block = Block(row);
    int length = block ? block->length : 0;
    if (length >= col)
        return;
    int capacity = block ? block->capacity : 0;
    if (capacity < col)
        SetRowLength(row, col < colsHint_ ? colsHint_ : ClampToInt(int64_t{col} + 10));
    else
        block->length = col;
}

void Tts2DStorage::SetRowLength(int row, int n)
{
    if (row < 0 || row >= RowSlots())
        return;
    n = std::max(n, 0);
    RowBlock*& slot = rows_[static_cast<std::size_t>(row)];
    RowBlock* block = slot;
    int capacity = block ? block->capacity : 0;
    if (n == capacity) {
        if (block)
            block->length = n;
        return;
    }
    int length = block ? block->length : 0;
    RowBlock* grown = n > 0 ? RowBlock::Allocate(pool_, n) : nullptr;
    if (block) {
        int kept = std::min(length, n);
        if (grown) {
            std::memcpy(grown->Kinds(), block->Kinds(), static_cast<std::size_t>(kept));
            std::memcpy(grown->Slots(), block->Slots(), static_cast<std::size_t>(kept) * sizeof(uintptr_t));
        }
        // Cells cut off are normally empty already; release any that are not
        // rather than leak them.
        for (int i = kept; i < length; ++i)
            ReleasePayload(block->Kinds()[i], block->Slots()[i]);
        pool_.Free(block, RowBlock::Bytes(block->capacity));
    }
    slot = grown;
}

void Tts2DStorage::SetRowSlots(int n)
{
    n = std::max(n, 0);
    std::size_t count = static_cast<std::size_t>(n);
    if (count < rows_.size()) {
        for (std::size_t row = count; row < rows_.size(); ++row)
            FreeBlock(rows_[row]);
        rows_.resize(count);
        if (rows_.capacity() > 2 * count + 64)
            rows_.shrink_to_fit();
    } else {
        rows_.resize(count, nullptr);
    }
}

// ---- Clearing ----------------------------------------------------------------------

void Tts2DStorage::ClearCell(int col, int row)
{
    RowBlock* block = Block(row);
    if (!block || col < 1 || col > block->length)
        return;
    std::size_t i = static_cast<std::size_t>(col - 1);
    uint8_t kind = block->Kinds()[i];
    uintptr_t payload = block->Slots()[i];
    block->Kinds()[i] = skEmpty;
    block->Slots()[i] = 0;
    ReleasePayload(kind, payload);
}

void Tts2DStorage::ClearRow(int row, int newLength)
{
    RowBlock* block = Block(row);
    if (!block)
        return;
    uint8_t* kinds = block->Kinds();
    uintptr_t* slots = block->Slots();
    for (int i = 0; i < block->length; ++i) {
        uint8_t kind = kinds[i];
        uintptr_t payload = slots[i];
        kinds[i] = skEmpty;
        slots[i] = 0;
        ReleasePayload(kind, payload);
    }
    if (newLength >= 0)
        SetRowLength(row, newLength);
}

void Tts2DStorage::ClearCol(int col)
{
    for (int row = 1; row < RowSlots(); ++row)
        ClearCell(col, row);
}

void Tts2DStorage::ClearRows(int fromRow, bool shrink)
{
    if (fromRow <= 1)
        fromRow = 0;
    for (int row = fromRow; row < RowSlots(); ++row)
        ClearRow(row, 0);
    if (!shrink)
        return;
    SetRowSlots(fromRow == 0 ? 0 : fromRow + 1);
    // Every block is back in the pool: hand its chunks back to the heap.
    if (fromRow == 0)
        pool_.Clear();
}

// ---- Rows and columns --------------------------------------------------------------

void Tts2DStorage::CopyRow(int fromRow, int toRow)
{
    if (rows_.empty() || toRow < 0 || toRow >= RowSlots())
        return;
    RowBlock* source = Block(fromRow);
    if (!source) {
        ClearRow(toRow, 0);
        return;
    }
    int length = source->length;
    for (int col = 1; col <= length; ++col)
        SetValue(col, toRow, KindOf(col, fromRow), GetValue(col, fromRow));
    for (int col = length + 1; col <= Lengths(toRow); ++col)
        ClearCell(col, toRow);
}

void Tts2DStorage::SaveRow(int row)
{
    CopyRow(row, 0);
}

void Tts2DStorage::RestoreRow(int row)
{
    CopyRow(0, row);
    ClearSavedRow();
}

void Tts2DStorage::ClearSavedRow()
{
    ClearRow(0, 0);
}

void Tts2DStorage::DeleteRows(int fromRow, int toRow)
{
    fromRow = std::max(fromRow, 0);
    if (fromRow > toRow || fromRow >= RowSlots())
        return;
    toRow = std::min(toRow, RowSlots() - 1);
    for (int row = toRow; row >= fromRow; --row)
        ClearRow(row, 0);
    rows_.erase(rows_.begin() + fromRow, rows_.begin() + toRow + 1);
    if (rows_.capacity() > 2 * rows_.size() + 64)
        rows_.shrink_to_fit();
}

void Tts2DStorage::DeleteCols(int fromCol, int toCol)
{
    fromCol = std::max(fromCol, 1);
    if (toCol < fromCol)
        return;
    for (int row = 0; row < RowSlots(); ++row) {
        RowBlock* block = rows_[static_cast<std::size_t>(row)];
        if (!block || block->length < fromCol)
            continue;
        int length = block->length;
        int last = std::min(length, toCol);
        for (int col = fromCol; col <= last; ++col)
            ClearCell(col, row);
        int removed = last - fromCol + 1;
        int after = length - last;
        uint8_t* kinds = block->Kinds();
        uintptr_t* slots = block->Slots();
        std::memmove(kinds + fromCol - 1, kinds + last, static_cast<std::size_t>(after));
        std::memmove(slots + fromCol - 1, slots + last, static_cast<std::size_t>(after) * sizeof(uintptr_t));
        int newLength = length - removed;
        // The vacated cells at the end now repeat moved payloads: empty them.
        std::memset(kinds + newLength, 0, static_cast<std::size_t>(removed));
        std::memset(slots + newLength, 0, static_cast<std::size_t>(removed) * sizeof(uintptr_t));
        block->length = newLength;
        if (block->capacity - newLength >= 8 || newLength == 0)
            SetRowLength(row, newLength);
    }
}

void Tts2DStorage::Assign(const Tts2DStorage& source)
{
    if (&source == this)
        return;
    ownerFlag_ = source.OwnerFlag();
    int last = source.LastRow();
    if (last > 0) {
        ClearRows(last + 1, false);
        SetRowSlots(std::max(ClampToInt(int64_t{rowsHint_} + 1), last + 1));
    } else {
        ClearRows(0, true);
    }
    for (int row = 1; row <= last; ++row) {
        int cols = source.LastCol(row);
        if (cols > 0 && cols < colsHint_)
            cols = colsHint_;
        ClearRow(row, cols);
        for (int col = cols; col >= 1; --col)
            SetValue(col, row, source.KindOf(col, row), source.GetValue(col, row));
    }
}

}  // namespace grid
