// How the stand-in grid files what its published properties cannot hold: the
// column settings ("ColProperties") and the stored cell values ("Data", in
// the grid engine's cell store format, read and written by that store).
#include <algorithm>

#include "controls/TinyGrid.h"
#include "grid/foundation/2DStorage.h"
#include "platform/core/Stream.h"
#include "platform/filing/Reader.h"
#include "platform/filing/Writer.h"

namespace controls {

using core::Variant;

void TTinyGrid::DefineProperties(core::TFiler& filer)
{
    ui::TCustomControl::DefineProperties(filer);
    filer.DefineProperty(
        "ColProperties", [this](filing::TReader& reader) { ReadColProperties(reader); },
        [this](filing::TWriter& writer) { WriteColProperties(writer); }, HasColProperties());
    filer.DefineBinaryProperty(
        "Data", [this](core::TStream& stream) { ReadData(stream); },
        [this](core::TStream& stream) { WriteData(stream); }, storeData_);
}

// ---- Column settings -------------------------------------------------------------

bool TTinyGrid::HasColProperties() const
{
    return std::any_of(columns_.begin(), columns_.end(),
                       [](const auto& column) { return !column->IsDefault(); });
}

void TTinyGrid::ReadColProperties(filing::TReader& reader)
{
    // Each item binds itself to its column as its DataCol is read, so the
    // settings land in the columns; the items are not needed afterwards.
    TtsColCollection items(this);
    reader.ReadCollection(items);
}

void TTinyGrid::WriteColProperties(filing::TWriter& writer)
{
    TtsColCollection items(this);
    for (int c = 1; c <= Cols(); ++c)
        if (!Col(c)->IsDefault())
            static_cast<TtsColItem*>(items.Add())->SetDataCol(c);
    writer.WriteCollection(&items);
}

// ---- Stored cell values ----------------------------------------------------------

// The block is read and written by the grid engine's cell store, so this grid
// takes exactly the blocks the engine takes and refuses the same broken ones,
// with the same errors, before anything of its own changes.
void TTinyGrid::ReadData(core::TStream& stream)
{
    grid::Tts2DStorage store(Cols(), rows_);
    store.LoadFromStream(stream, nullptr);
    storeData_ = true;
    cells_.clear();
    int lastRow = std::min(store.LastRow(), rows_);
    for (int row = 1; row <= lastRow; ++row) {
        int lastCol = std::min(store.LastCol(row), Cols());
        for (int col = 1; col <= lastCol; ++col) {
            grid::TtsStoredKind kind = store.KindOf(col, row);
            // This grid shows no pictures; empty and Null cells come back
            // empty, as the grid engine reads them.
            if (kind == grid::skText || kind == grid::skPictureName || kind == grid::skCheckState)
                StoreCell(col, row, static_cast<TtsStoredKind>(kind), store.GetValue(col, row));
        }
    }
    Invalidate();
}

void TTinyGrid::WriteData(core::TStream& stream) const
{
    grid::Tts2DStorage store(Cols(), rows_);
    for (const auto& [row, cells] : cells_)
        for (size_t i = 0; i < cells.size(); ++i)
            if (cells[i].Kind != skEmpty)
                store.SetValue(static_cast<int>(i) + 1, row, static_cast<grid::TtsStoredKind>(cells[i].Kind),
                               cells[i].Value);
    store.SaveToStream(stream);
}

}  // namespace controls
