#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/Exception.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Surface.h"

namespace core {
class TStream;
}

namespace graphics {

// A picture that cannot be read or written.
class EInvalidGraphic : public core::Exception {
public:
    using Exception::Exception;
};

// A bitmap file's picture, decoded: pixels top row first, each 0xAARRGGBB
// (the alpha byte is the file's fourth byte at 32 bits per pixel, else 0),
// and the colour table of pictures with 8 bits per pixel or fewer.
struct TBitmapImage {
    int Width = 0;
    int Height = 0;
    int BitCount = 32;    // 1, 4, 8, 16, 24 or 32
    bool Rgb565 = false;  // 16 bits per pixel as 5-6-5 (else 5-5-5)
    bool OtherFields = false;  // read with bit fields this form cannot write
    std::vector<TColor> Palette;
    std::vector<TPixel> Pixels;
};

// Reads one bitmap file image from the stream's position and leaves the
// position just after it: the file's own size, or, when that is 0 or too
// small, the headers, colour table and pixel rows it describes. Reads 1, 4,
// 8, 16, 24 and 32 bits per pixel, uncompressed, run-length encoded (4 and
// 8 bits) or with bit fields (16 and 32 bits), bottom-up or top-down, with
// 12-, 40-, 52-, 56-, 108- and 124-byte headers. Raises EInvalidGraphic for
// anything else.
TBitmapImage ReadBitmapImage(core::TStream& stream);

// Writes the picture as the classic bitmap class writes it: a 14-byte file
// header, a 40-byte info header, the colour table (palette pictures; bit
// fields for 5-6-5 pictures), then the rows bottom-up, each padded to four
// bytes. Colours missing from the table take the nearest entry.
void WriteBitmapImage(core::TStream& stream, const TBitmapImage& image);

// The nearest entry of a colour table (the first of equals).
int NearestPaletteIndex(const std::vector<TColor>& palette, TPixel pixel);

// The colour table a bitmap gets when it is made 1, 4 or 8 bits deep: black
// and white; the 16 classic colours; those, a 6 by 6 by 6 colour cube and
// 24 greys.
std::vector<TColor> StandardPalette(int bitCount);

}  // namespace graphics
