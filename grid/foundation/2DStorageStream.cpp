// The storage's stream form: writing, and reading in two passes.
//
// The stream comes from outside (form descriptions, saved layouts), so
// reading first walks the whole of it and checks every number that would
// decide an allocation or a position: row numbers, cell counts, kinds, text
// lengths, picture numbers, the picture count and the pictures themselves.
// Only a stream that passes is read a second time into the cells; a stream
// that fails raises a read error and leaves the storage untouched.
#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "grid/foundation/2DStorage.h"
#include "grid/foundation/2DStorageCells.h"
#include "grid/foundation/BitmapSet.h"
#include "grid/foundation/IntegerList.h"
#include "platform/core/Stream.h"
#include "platform/graphics/Bitmap.h"

namespace grid {

using core::AnsiString;
using core::EReadError;
using core::TStream;
using core::Variant;

namespace {

// Where the i-th cell of a row goes. With a column map, cells the map does
// not send anywhere (a 0 entry, or beyond the map) are dropped: they belong
// to saved columns the grid no longer has, and a column of the same number
// would be an unrelated one.
int TargetCol(const grid::TtsIntegerList* colMap, int i)
{
    if (!colMap)
        return i;
    return i <= colMap->Count() ? colMap->Items(i - 1) : 0;
}

// The smallest bitmap file image: a 14-byte file header and a 12-byte core
// header. A picture number or count that the rest of the stream could not
// hold this many bytes for is refused before any list grows for it.
constexpr int64_t kMinPictureBytes = 26;
// Row numbers up to the grid's row count, or up to this many rows for a
// storage whose owner gave no larger count, are taken; a higher number
// would make a row table of gigabytes from a few bytes.
constexpr int kStreamRowFloor = 1 << 20;
// The pictures of one block together: 64 mebipixels, 256 MiB of pixels.
// Run-length pictures can claim many pixels from few bytes.
constexpr int64_t kMaxPicturePixels = int64_t{1} << 26;
// The empty picture as it is written: the headers alone, width 0, height 0.
constexpr int kEmptyPictureBytes = 54;

uint32_t U32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void Put32(uint8_t* p, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(value >> (8 * i));
}

// Reads the row groups through a buffer of the stream's bytes, so that the
// millions of small numbers of a large block cost no stream call each. The
// stream's own position is only meaningful again after Sync.
class BlockReader {
public:
    BlockReader(TStream& stream, int64_t size) : stream_(stream), size_(size), base_(stream.Position()) {}

    int64_t Position() const { return base_ + static_cast<int64_t>(next_); }
    int64_t Remaining() const { return size_ - Position(); }

    uint8_t U8()
    {
        Need(1);
        return static_cast<uint8_t>(buffer_[next_++]);
    }
    int32_t I32()
    {
        Need(4);
        const auto* p = reinterpret_cast<const uint8_t*>(buffer_.data() + next_);
        next_ += 4;
        return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                    static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
    }
    // The next `count` bytes, valid until the next call.
    std::string_view Bytes(int32_t count)
    {
        Need(static_cast<std::size_t>(count));
        std::string_view bytes(buffer_.data() + next_, static_cast<std::size_t>(count));
        next_ += static_cast<std::size_t>(count);
        return bytes;
    }
    void Skip(int32_t count)
    {
        auto n = static_cast<std::size_t>(count);
        if (n <= buffer_.size() - next_) {
            next_ += n;
            return;
        }
        base_ = Position() + count;
        buffer_.clear();
        next_ = 0;
        stream_.SetPosition(base_);
    }
    // Puts the stream at the reader's position.
    void Sync() { stream_.SetPosition(Position()); }

private:
    static constexpr std::size_t kChunk = 64 * 1024;

    void Need(std::size_t count)
    {
        if (buffer_.size() - next_ >= count)
            return;
        base_ += static_cast<int64_t>(next_);
        buffer_.erase(0, next_);
        next_ = 0;
        std::size_t have = buffer_.size();
        std::size_t want = std::max(kChunk, count);
        buffer_.resize(want);
        int read = stream_.Read(buffer_.data() + have, static_cast<int>(want - have));
        buffer_.resize(have + static_cast<std::size_t>(std::max(read, 0)));
        if (buffer_.size() < count)
            throw EReadError("Stream read error");
    }

    TStream& stream_;
    int64_t size_;
    int64_t base_;
    std::string buffer_;
    std::size_t next_ = 0;
};

// Collects the row groups in memory and hands them to the stream in blocks.
class BlockWriter {
public:
    explicit BlockWriter(TStream& stream) : stream_(stream) { buffer_.reserve(kChunk + 64); }

    void U8(uint8_t value) { buffer_ += static_cast<char>(value); }
    void I32(int32_t value)
    {
        auto v = static_cast<uint32_t>(value);
        char bytes[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                         static_cast<char>(v >> 24)};
        buffer_.append(bytes, 4);
    }
    void Bytes(std::string_view bytes)
    {
        buffer_ += bytes;
    }
    // Hands over what is collected when it has grown to a block, or always.
    void Flush(bool always = false)
    {
        if (buffer_.empty() || (!always && buffer_.size() < kChunk))
            return;
        stream_.WriteBuffer(buffer_.data(), static_cast<int>(buffer_.size()));
        buffer_.clear();
    }

private:
    static constexpr std::size_t kChunk = 64 * 1024;

    TStream& stream_;
    std::string buffer_;
};

// An empty picture has no pixels for a bitmap file image to hold, and the
// bitmap class writes nothing for it; a picture list that skipped it would
// hand every later picture to the wrong cells. It is written as the headers
// of a 0 by 0 picture instead.
void WritePicture(TStream& stream, const graphics::TBitmap* bitmap)
{
    if (bitmap && !bitmap->Empty()) {
        bitmap->SaveToStream(stream);
        return;
    }
    uint8_t header[kEmptyPictureBytes] = {};
    header[0] = 'B';
    header[1] = 'M';
    Put32(header + 2, kEmptyPictureBytes);
    Put32(header + 10, kEmptyPictureBytes);
    Put32(header + 14, 40);
    header[26] = 1;   // planes
    header[28] = 24;  // bits per pixel
    stream.WriteBuffer(header, kEmptyPictureBytes);
}

// Reads one picture of the picture list into `bitmap`, consuming exactly
// that picture: a bitmap file image, or the headers of an empty picture.
void ReadPicture(TStream& stream, int64_t size, graphics::TBitmap& bitmap)
{
    int64_t start = stream.Position();
    int64_t remaining = size - start;
    if (remaining < kMinPictureBytes)
        throw EReadError("Missing picture in the grid's cell data");
    uint8_t head[kMinPictureBytes];
    stream.ReadBuffer(head, kMinPictureBytes);
    uint32_t headerSize = U32(head + 14);
    if (head[0] == 'B' && head[1] == 'M' && headerSize >= 40 && (U32(head + 18) == 0 || U32(head + 22) == 0)) {
        int64_t length = 14 + int64_t{headerSize};
        uint32_t fileSize = U32(head + 2);
        if (fileSize >= length && fileSize <= remaining)
            length = fileSize;
        if (length > remaining)
            throw EReadError("Invalid picture in the grid's cell data");
        stream.SetPosition(start + length);
        bitmap.Assign(nullptr);
        return;
    }
    stream.SetPosition(start);
    bitmap.LoadFromStream(stream);
}

}  // namespace

// What the checking pass learnt: where the pictures start and where the
// block ends.
class Tts2DStorage::StreamScan {
public:
    StreamScan(TStream& stream, const TtsIntegerList* colMap, int rowsHint);

    int64_t Start() const { return start_; }
    int64_t End() const { return end_; }
    int64_t Size() const { return size_; }
    const std::vector<int64_t>& PictureOffsets() const { return pictureOffsets_; }

private:
    int64_t start_;
    int64_t size_;
    int64_t end_ = 0;
    std::vector<int64_t> pictureOffsets_;
};

Tts2DStorage::StreamScan::StreamScan(TStream& stream, const TtsIntegerList* colMap, int rowsHint)
    : start_(stream.Position()), size_(stream.Size())
{
    int maxRow = std::max(rowsHint, kStreamRowFloor);
    BlockReader reader(stream, size_);
    for (;;) {
        int32_t row = reader.I32();
        if (row == 0)
            break;
        if (row > maxRow)
            throw EReadError("Invalid row number %d in the grid's cell data", row);
        int32_t count = reader.I32();
        // Every record takes at least its kind byte.
        if (count < 0 || count > reader.Remaining())
            throw EReadError("Invalid cell count %d in the grid's cell data", count);
        for (int32_t i = 1; i <= count; ++i) {
            uint8_t kind = reader.U8();
            int target = TargetCol(colMap, i);
            bool stored = row > 0 && target > 0;
            switch (kind) {
            case skEmpty:
            case skNull:
                break;
            case skText:
            case skPictureName: {
                int32_t length = reader.I32();
                if (length < 0 || length > reader.Remaining())
                    throw EReadError("Invalid text length %d in the grid's cell data", length);
                reader.Skip(length);
                break;
            }
            case skCheckState:
                reader.I32();
                break;
            case skBitmap: {
                int32_t number = reader.I32();
                // The rest must hold the end mark, the count and that many
                // pictures.
                if (stored && (number < 1 || number > (reader.Remaining() - 8) / kMinPictureBytes))
                    throw EReadError("Invalid picture number %d in the grid's cell data", number);
                break;
            }
            default:
                throw EReadError("Invalid cell kind %d in the grid's cell data", static_cast<int>(kind));
            }
        }
    }
    int32_t pictures = reader.I32();
    if (pictures < 0 || pictures > reader.Remaining() / kMinPictureBytes)
        throw EReadError("Invalid picture count %d in the grid's cell data", pictures);
    reader.Sync();
    graphics::TBitmap scratch;
    int64_t pixels = 0;
    pictureOffsets_.reserve(static_cast<std::size_t>(pictures));
    for (int32_t i = 0; i < pictures; ++i) {
        pictureOffsets_.push_back(stream.Position());
        ReadPicture(stream, size_, scratch);
        pixels += int64_t{scratch.Width()} * scratch.Height();
        if (pixels > kMaxPicturePixels)
            throw EReadError("The pictures of the grid's cell data are too large");
        scratch.Assign(nullptr);
    }
    end_ = stream.Position();
}

void Tts2DStorage::LoadFromStream(TStream& stream, const TtsIntegerList* colMap)
{
    int64_t start = stream.Position();
    std::unique_ptr<StreamScan> scan;
    try {
        scan = std::make_unique<StreamScan>(stream, colMap, rowsHint_);
    } catch (...) {
        stream.SetPosition(start);
        throw;
    }
    ApplyStream(stream, colMap, *scan);
}

void Tts2DStorage::ApplyStream(TStream& stream, const TtsIntegerList* colMap, const StreamScan& scan)
{
    if (colMap) {
        for (int col : *colMap)
            if (col > 0)
                ClearCol(col);
    } else {
        ClearRows(0, true);
    }

    // The load's picture list. Each picture made for it is held once by the
    // list itself until the load ends, so that a cell overwritten later in
    // the stream cannot free a picture that other cells are still to get.
    struct PictureList {
        std::vector<graphics::TBitmap*> items;
        ~PictureList()
        {
            for (graphics::TBitmap* bitmap : items)
                if (bitmap)
                    ChangeBitmapRef(bitmap, true);
        }
    } pictures;

    stream.SetPosition(scan.Start());
    BlockReader reader(stream, scan.Size());
    for (;;) {
        int32_t row = reader.I32();
        if (row == 0)
            break;
        int32_t count = reader.I32();
        for (int32_t i = 1; i <= count; ++i) {
            auto kind = static_cast<TtsStoredKind>(reader.U8());
            int target = TargetCol(colMap, i);
            bool stored = row > 0 && target > 0;
            switch (kind) {
            case skText:
            case skPictureName: {
                int32_t length = reader.I32();
                if (stored)
                    SetValue(target, row, kind, Variant(AnsiString(reader.Bytes(length))));
                else
                    reader.Skip(length);
                break;
            }
            case skCheckState: {
                int32_t state = reader.I32();
                if (stored)
                    SetValue(target, row, kind, Variant(state));
                break;
            }
            case skBitmap: {
                int32_t number = reader.I32();
                if (!stored)
                    break;
                auto index = static_cast<std::size_t>(number - 1);
                if (pictures.items.size() <= index)
                    pictures.items.resize(index + 1, nullptr);
                if (!pictures.items[index]) {
                    graphics::TBitmap* bitmap = NewSharedBitmap()->Bitmap();
                    ChangeBitmapRef(bitmap, false);
                    pictures.items[index] = bitmap;
                }
                SetValue(target, row, kind, BitmapValue(pictures.items[index]));
                break;
            }
            default:
                // Empty and Null records carry nothing and store nothing, so
                // a Null cell reads back empty.
                break;
            }
        }
    }

    const std::vector<int64_t>& offsets = scan.PictureOffsets();
    for (std::size_t i = 0; i < offsets.size() && i < pictures.items.size(); ++i) {
        if (!pictures.items[i])
            continue;
        stream.SetPosition(offsets[i]);
        ReadPicture(stream, scan.Size(), *pictures.items[i]);
    }
    stream.SetPosition(scan.End());
}

void Tts2DStorage::SaveToStream(TStream& stream) const
{
    // Each picture is written once, numbered in the order it is first met.
    TtsBitmapSet numbered;
    std::vector<const graphics::TBitmap*> pictures;
    BlockWriter out(stream);
    int lastRow = LastRow();
    for (int row = 1; row <= lastRow; ++row) {
        int count = LastCol(row);
        if (count <= 0)
            continue;
        RowBlock* block = rows_[static_cast<std::size_t>(row)];
        out.I32(row);
        out.I32(count);
        for (int i = 0; i < count; ++i) {
            uint8_t kind = block->Kinds()[i];
            uintptr_t payload = block->Slots()[i];
            out.U8(kind);
            switch (kind) {
            case skText:
            case skPictureName: {
                std::string_view text = TextRep::ViewOf(payload);
                if (text.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max()))
                    throw core::EWriteError("A text of the grid's cell data is too long");
                out.I32(static_cast<int32_t>(text.size()));
                out.Bytes(text);
                break;
            }
            case skCheckState:
                out.I32(static_cast<int32_t>(static_cast<uint32_t>(payload)));
                break;
            case skBitmap: {
                auto* bitmap = reinterpret_cast<graphics::TBitmap*>(payload);
                TtsBitmapElement* element = numbered.Acquire(bitmap);
                if (element->StreamIndex() == 0) {
                    pictures.push_back(bitmap);
                    element->SetStreamIndex(static_cast<int>(pictures.size()));
                }
                out.I32(element->StreamIndex());
                break;
            }
            default:
                break;
            }
        }
        out.Flush();
    }
    out.I32(0);
    out.I32(static_cast<int32_t>(pictures.size()));
    out.Flush(true);
    for (const graphics::TBitmap* bitmap : pictures)
        WritePicture(stream, bitmap);
}

}  // namespace grid
