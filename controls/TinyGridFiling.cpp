// How the stand-in grid files what its published properties cannot hold: the
// column settings ("ColProperties") and the stored cell values ("Data").
//
// The Data block holds, for each data row that has values, the row number,
// the number of cells n, and n cell records (a kind byte, then for text the
// length and the bytes, for a check state or a picture number a 32-bit
// integer, nothing for an empty or Null cell); a row number of 0 ends the
// rows, and a picture count with that many bitmap file images follows. All
// integers are signed 32-bit little-endian.
#include <algorithm>

#include "controls/TinyGrid.h"
#include "platform/core/Stream.h"
#include "platform/filing/Reader.h"
#include "platform/filing/Writer.h"
#include "platform/graphics/BitmapFile.h"

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

namespace {

int32_t ReadCount(core::TStream& stream, const char* what)
{
    int32_t count = stream.ReadInt32();
    // Every counted thing takes at least one byte, so a count beyond what is
    // left of the block cannot be right.
    if (count < 0 || count > stream.Size() - stream.Position())
        throw core::EReadError("Invalid %s %d in the grid's cell data", AnsiString(what), count);
    return count;
}

}  // namespace

void TTinyGrid::ReadData(core::TStream& stream)
{
    storeData_ = true;
    cells_.clear();
    for (;;) {
        int32_t row = stream.ReadInt32();
        if (row == 0)
            break;
        int32_t count = ReadCount(stream, "cell count");
        for (int32_t col = 1; col <= count; ++col) {
            uint8_t kind = stream.ReadUInt8();
            Variant value;
            switch (kind) {
            case skEmpty:
            case skNull:
                // A Null cell comes back empty, as the grid engine reads it.
                continue;
            case skText:
            case skPictureName:
                value = Variant(stream.ReadBytes(ReadCount(stream, "text length")));
                break;
            case skCheckState:
                value = Variant(stream.ReadInt32());
                break;
            case skBitmap:
                // This grid shows no pictures: the number is read and dropped.
                stream.ReadInt32();
                continue;
            default:
                throw core::EReadError("Invalid cell kind %d in the grid's cell data", static_cast<int>(kind));
            }
            if (row >= 1 && row <= rows_ && col <= Cols())
                StoreCell(col, row, static_cast<TtsStoredKind>(kind), value);
        }
    }
    // The pictures are read to the end of the block and dropped.
    int32_t pictures = ReadCount(stream, "picture count");
    for (int32_t i = 0; i < pictures; ++i)
        graphics::ReadBitmapImage(stream);
    Invalidate();
}

void TTinyGrid::WriteData(core::TStream& stream) const
{
    for (const auto& [row, cells] : cells_) {
        stream.WriteInt32(row);
        stream.WriteInt32(static_cast<int32_t>(cells.size()));
        for (const StoredCell& cell : cells) {
            stream.WriteUInt8(cell.Kind);
            if (cell.Kind == skText || cell.Kind == skPictureName) {
                AnsiString text = cell.Value.AsString();
                stream.WriteInt32(static_cast<int32_t>(text.size()));
                stream.WriteString(text);
            } else if (cell.Kind == skCheckState) {
                stream.WriteInt32(cell.Value.AsInteger());
            }
        }
    }
    stream.WriteInt32(0);
    // No pictures.
    stream.WriteInt32(0);
}

}  // namespace controls
