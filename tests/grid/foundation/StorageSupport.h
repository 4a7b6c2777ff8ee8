#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "grid/foundation/2DStorage.h"
#include "grid/foundation/BitmapSet.h"
#include "platform/core/Stream.h"
#include "platform/graphics/Bitmap.h"

namespace storagetest {

// Little-endian bytes of a storage stream, written by hand.
class Bytes {
public:
    Bytes& I32(int32_t value)
    {
        for (int i = 0; i < 4; ++i)
            text_ += static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
        return *this;
    }
    Bytes& U8(uint8_t value)
    {
        text_ += static_cast<char>(value);
        return *this;
    }
    Bytes& Raw(const std::string& bytes)
    {
        text_ += bytes;
        return *this;
    }
    // A text record's payload: the length, then the bytes.
    Bytes& Text(const std::string& text)
    {
        I32(static_cast<int32_t>(text.size()));
        return Raw(text);
    }
    const std::string& Str() const { return text_; }

private:
    std::string text_;
};

inline std::string Saved(const grid::Tts2DStorage& storage)
{
    core::TStringStream stream;
    storage.SaveToStream(stream);
    return stream.DataString();
}

inline void Load(grid::Tts2DStorage& storage, const std::string& bytes, const grid::TtsIntegerList* colMap = nullptr)
{
    core::TStringStream stream(bytes);
    storage.LoadFromStream(stream, colMap);
}

inline std::string PictureBytes(const graphics::TBitmap& bitmap)
{
    core::TStringStream stream;
    bitmap.SaveToStream(stream);
    return stream.DataString();
}

// A small picture with a pattern, so that a picture read back can be told
// apart from an empty one or another.
inline void Paint(graphics::TBitmap& bitmap, int width, int height, uint32_t seed)
{
    bitmap.SetSize(width, height);
    bitmap.SetPixelFormat(graphics::pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, static_cast<graphics::TColor>((seed * 2654435761u + x * 40503u + y * 977u) & 0xFFFFFF));
}

inline bool SamePixels(const graphics::TBitmap& a, const graphics::TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

inline int SharedCount()
{
    return grid::SharedBitmaps() ? grid::SharedBitmaps()->Count() : 0;
}

// Every test leaves the process-wide picture registry as it found it:
// empty. A picture still registered is a reference that was never let go.
class StorageFixture : public testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(SharedCount(), 0) << "pictures left in the shared registry"; }
};

}  // namespace storagetest
