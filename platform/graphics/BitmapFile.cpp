// The bitmap file form: reading every common variant, writing the one the
// classic bitmap class writes.
#include "platform/graphics/BitmapFile.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/core/Stream.h"

namespace graphics {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
// Larger pictures are refused rather than allocated.
constexpr int64_t kMaxPixels = int64_t{1} << 24;

enum Compression { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3 };

[[noreturn]] void Invalid() { throw EInvalidGraphic("Bitmap image is not valid"); }

uint32_t U32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

int64_t Stride(int width, int bitCount) { return ((static_cast<int64_t>(width) * bitCount + 31) / 32) * 4; }

// One colour channel under a bit-field mask, widened to 8 bits.
struct Channel {
    uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;

    explicit Channel(uint32_t mask) : Mask(mask)
    {
        if (!mask)
            return;
        while (!((mask >> Shift) & 1))
            ++Shift;
        while (Bits < 32 - Shift && ((mask >> (Shift + Bits)) & 1))
            ++Bits;
    }
    uint32_t Extract(uint32_t value) const
    {
        if (!Bits)
            return 0;
        uint32_t v = (value & Mask) >> Shift;
        if (Bits >= 8)
            return v >> (Bits - 8);
        // Repeat the bits downwards, so full scale stays full scale.
        uint32_t out = 0;
        for (int filled = 0; filled < 8; filled += Bits)
            out |= (v << (8 - Bits)) >> filled;
        return out & 0xFF;
    }
};

// The header fields the decoder needs, from any header version.
struct Header {
    int Width = 0;
    int Height = 0;
    bool TopDown = false;
    int BitCount = 0;
    uint32_t Compression = BI_RGB;
    uint32_t SizeImage = 0;
    uint32_t ColorsUsed = 0;
    uint32_t Masks[4] = {0, 0, 0, 0};
    bool HasMasks = false;
    bool Core = false;
};

Header ParseHeader(const uint8_t* h, uint32_t size)
{
    Header header;
    if (size == 12) {
        header.Core = true;
        header.Width = U16(h + 4);
        header.Height = U16(h + 6);
        header.BitCount = U16(h + 10);
        return header;
    }
    int32_t width = static_cast<int32_t>(U32(h + 4));
    int32_t height = static_cast<int32_t>(U32(h + 8));
    if (height == std::numeric_limits<int32_t>::min())
        Invalid();
    header.Width = width;
    header.TopDown = height < 0;
    header.Height = height < 0 ? -height : height;
    header.BitCount = U16(h + 14);
    header.Compression = U32(h + 16);
    header.SizeImage = U32(h + 20);
    header.ColorsUsed = U32(h + 32);
    if (size >= 52) {
        header.HasMasks = true;
        for (int i = 0; i < 3; ++i)
            header.Masks[i] = U32(h + 40 + 4 * i);
        if (size >= 56)
            header.Masks[3] = U32(h + 52);
    }
    return header;
}

void Validate(const Header& h)
{
    if (h.Width <= 0 || h.Height <= 0 || static_cast<int64_t>(h.Width) * h.Height > kMaxPixels)
        Invalid();
    switch (h.BitCount) {
    case 1:
    case 24:
        if (h.Compression != BI_RGB)
            Invalid();
        break;
    case 4:
        if (h.Compression != BI_RGB && h.Compression != BI_RLE4)
            Invalid();
        break;
    case 8:
        if (h.Compression != BI_RGB && h.Compression != BI_RLE8)
            Invalid();
        break;
    case 16:
    case 32:
        if (h.Compression != BI_RGB && h.Compression != BI_BITFIELDS)
            Invalid();
        break;
    default:
        Invalid();
    }
    bool rle = h.Compression == BI_RLE4 || h.Compression == BI_RLE8;
    if (rle && (h.TopDown || h.SizeImage == 0))
        Invalid();
}

// Reads `count` bytes or fails as an invalid picture.
void ReadExactly(core::TStream& stream, void* buffer, int64_t count)
{
    if (count < 0 || count > std::numeric_limits<int>::max() ||
        stream.Read(buffer, static_cast<int>(count)) != static_cast<int>(count))
        Invalid();
}

// An index beyond the table is black; the table is lengthened with black
// afterwards (Pad) so that the picture writes back as it reads.
TPixel PaletteAt(const std::vector<TColor>& palette, unsigned index, unsigned& highest)
{
    highest = std::max(highest, index);
    return index < palette.size() ? RgbToPixel(palette[index]) : 0;
}

void Pad(std::vector<TColor>& palette, unsigned highest, int bitCount)
{
    if (bitCount <= 8 && highest >= palette.size())
        palette.resize(highest + 1, clBlack);
}

// Run-length encoded rows (bottom-up): runs, escapes for end of line, end
// of picture, a jump, and literal groups padded to two bytes.
void DecodeRle(const Header& h, const std::vector<TColor>& palette, const uint8_t* data, size_t size,
               std::vector<TPixel>& pixels, unsigned& highest)
{
    bool four = h.Compression == BI_RLE4;
    int x = 0;
    int y = 0;  // counted from the bottom row
    size_t i = 0;
    auto put = [&](unsigned index) {
        if (x < h.Width && y < h.Height)
            pixels[static_cast<size_t>(h.Height - 1 - y) * static_cast<size_t>(h.Width) + static_cast<size_t>(x)] =
                PaletteAt(palette, index, highest);
        ++x;
    };
    while (i + 1 < size && y < h.Height) {
        unsigned count = data[i];
        unsigned value = data[i + 1];
        i += 2;
        if (count > 0) {
            for (unsigned k = 0; k < count; ++k)
                put(four ? ((k & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (i + 1 >= size)
                return;
            x += data[i];
            y += data[i + 1];
            i += 2;
        } else {
            size_t bytes = four ? (value + 1) / 2 : value;
            if (i + bytes > size)
                return;
            for (unsigned k = 0; k < value; ++k)
                put(four ? ((k & 1) ? data[i + k / 2] & 0x0F : data[i + k / 2] >> 4) : data[i + k]);
            i += bytes + (bytes & 1);
        }
    }
}

void DecodeRows(const Header& h, const std::vector<TColor>& palette, const uint8_t* data,
                std::vector<TPixel>& pixels, unsigned& highest)
{
    int64_t stride = Stride(h.Width, h.BitCount);
    uint32_t masks[4] = {h.Masks[0], h.Masks[1], h.Masks[2], h.Masks[3]};
    if (h.Compression != BI_BITFIELDS) {
        if (h.BitCount == 16) {
            masks[0] = 0x7C00;
            masks[1] = 0x03E0;
            masks[2] = 0x001F;
        }
    }
    Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
    for (int row = 0; row < h.Height; ++row) {
        const uint8_t* p = data + (h.TopDown ? row : h.Height - 1 - row) * stride;
        TPixel* out = pixels.data() + static_cast<size_t>(row) * static_cast<size_t>(h.Width);
        for (int x = 0; x < h.Width; ++x) {
            switch (h.BitCount) {
            case 1:
                out[x] = PaletteAt(palette, (p[x / 8] >> (7 - x % 8)) & 1, highest);
                break;
            case 4:
                out[x] = PaletteAt(palette, (p[x / 2] >> ((x & 1) ? 0 : 4)) & 0x0F, highest);
                break;
            case 8:
                out[x] = PaletteAt(palette, p[x], highest);
                break;
            case 16: {
                uint32_t v = U16(p + 2 * x);
                out[x] = (red.Extract(v) << 16) | (green.Extract(v) << 8) | blue.Extract(v);
                break;
            }
            case 24:
                out[x] = (static_cast<TPixel>(p[3 * x + 2]) << 16) | (p[3 * x + 1] << 8) | p[3 * x];
                break;
            case 32: {
                uint32_t v = U32(p + 4 * x);
                out[x] = h.Compression == BI_BITFIELDS ? (alpha.Extract(v) << 24) | (red.Extract(v) << 16) |
                                                             (green.Extract(v) << 8) | blue.Extract(v)
                                                       : v;
                break;
            }
            }
        }
    }
}

}  // namespace

int NearestPaletteIndex(const std::vector<TColor>& palette, TPixel pixel)
{
    pixel &= kPixelRgbMask;
    int best = 0;
    int64_t bestDistance = std::numeric_limits<int64_t>::max();
    for (size_t i = 0; i < palette.size(); ++i) {
        TPixel p = RgbToPixel(palette[i]);
        if (p == pixel)
            return static_cast<int>(i);
        int64_t dr = static_cast<int>((p >> 16) & 0xFF) - static_cast<int>((pixel >> 16) & 0xFF);
        int64_t dg = static_cast<int>((p >> 8) & 0xFF) - static_cast<int>((pixel >> 8) & 0xFF);
        int64_t db = static_cast<int>(p & 0xFF) - static_cast<int>(pixel & 0xFF);
        int64_t distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = distance;
        }
    }
    return best;
}

std::vector<TColor> StandardPalette(int bitCount)
{
    if (bitCount == 1)
        return {clBlack, clWhite};
    std::vector<TColor> palette = {RGB(0, 0, 0),     RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
                                   RGB(0, 0, 128),   RGB(128, 0, 128), RGB(0, 128, 128), RGB(128, 128, 128),
                                   RGB(192, 192, 192), RGB(255, 0, 0), RGB(0, 255, 0),   RGB(255, 255, 0),
                                   RGB(0, 0, 255),   RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
    if (bitCount == 4)
        return palette;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.push_back(RGB(r * 51, g * 51, b * 51));
    for (int i = 1; i <= 24; ++i)
        palette.push_back(RGB(i * 10, i * 10, i * 10));
    return palette;
}

TBitmapImage ReadBitmapImage(core::TStream& stream)
{
    uint8_t file[kFileHeaderSize];
    ReadExactly(stream, file, kFileHeaderSize);
    if (file[0] != 'B' || file[1] != 'M')
        Invalid();
    uint32_t fileSize = U32(file + 2);
    uint32_t offBits = U32(file + 10);

    uint8_t info[124];
    ReadExactly(stream, info, 4);
    uint32_t infoSize = U32(info);
    if (infoSize != 12 && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 && infoSize != 124)
        Invalid();
    ReadExactly(stream, info + 4, infoSize - 4);
    Header h = ParseHeader(info, infoSize);
    Validate(h);

    // Bit-field masks follow a 40-byte header; colour tables follow any.
    int64_t consumed = kFileHeaderSize + infoSize;
    if (h.Compression == BI_BITFIELDS && !h.HasMasks) {
        uint8_t masks[12];
        ReadExactly(stream, masks, 12);
        for (int i = 0; i < 3; ++i)
            h.Masks[i] = U32(masks + 4 * i);
        consumed += 12;
    }
    if (h.Compression == BI_BITFIELDS && (!h.Masks[0] || !h.Masks[1] || !h.Masks[2]))
        Invalid();

    TBitmapImage image;
    image.Width = h.Width;
    image.Height = h.Height;
    image.BitCount = h.BitCount;
    if (h.BitCount == 16 && h.Compression == BI_BITFIELDS) {
        image.Rgb565 = h.Masks[0] == 0xF800 && h.Masks[1] == 0x07E0 && h.Masks[2] == 0x001F;
        bool rgb555 = h.Masks[0] == 0x7C00 && h.Masks[1] == 0x03E0 && h.Masks[2] == 0x001F;
        image.OtherFields = !image.Rgb565 && !rgb555;
    }
    if (h.BitCount <= 8) {
        uint32_t count = h.ColorsUsed ? h.ColorsUsed : (1u << h.BitCount);
        if (count > 256)
            Invalid();
        int entry = h.Core ? 3 : 4;
        // A core header cannot say how many colours it has; the offset of
        // the rows can.
        if (h.Core && offBits > consumed)
            count = std::min<uint32_t>(count, static_cast<uint32_t>((offBits - consumed) / 3));
        std::vector<uint8_t> table(count * static_cast<size_t>(entry));
        ReadExactly(stream, table.data(), static_cast<int64_t>(table.size()));
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* e = table.data() + static_cast<size_t>(i) * static_cast<size_t>(entry);
            image.Palette.push_back(RGB(e[2], e[1], e[0]));
        }
        consumed += static_cast<int64_t>(table.size());
        // Entries no index of this depth can reach are dropped.
        if (image.Palette.size() > (1u << h.BitCount))
            image.Palette.resize(1u << h.BitCount);
    }

    // The pixel rows start at the file's offset, or right after the tables
    // when the offset points into them.
    int64_t dataOffset = std::max<int64_t>(offBits, consumed);
    bool rle = h.Compression == BI_RLE4 || h.Compression == BI_RLE8;
    int64_t imageSize = rle ? h.SizeImage : Stride(h.Width, h.BitCount) * h.Height;
    int64_t total = std::max<int64_t>(fileSize, dataOffset + imageSize);
    int64_t remaining = stream.Size() - stream.Position();
    if (total - consumed > remaining)
        Invalid();
    stream.Seek(dataOffset - consumed, core::soCurrent);
    std::vector<uint8_t> data(static_cast<size_t>(imageSize));
    ReadExactly(stream, data.data(), imageSize);
    stream.Seek(total - dataOffset - imageSize, core::soCurrent);

    unsigned highest = 0;
    image.Pixels.assign(static_cast<size_t>(h.Width) * static_cast<size_t>(h.Height),
                        rle ? PaletteAt(image.Palette, 0, highest) : 0);
    if (rle)
        DecodeRle(h, image.Palette, data.data(), data.size(), image.Pixels, highest);
    else
        DecodeRows(h, image.Palette, data.data(), image.Pixels, highest);
    Pad(image.Palette, highest, h.BitCount);
    return image;
}

void WriteBitmapImage(core::TStream& stream, const TBitmapImage& image)
{
    int bits = image.BitCount;
    if ((bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) || image.Width <= 0 ||
        image.Height <= 0 || image.Pixels.size() != static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height))
        throw EInvalidGraphic("Bitmap image is not valid");
    std::vector<TColor> palette = image.Palette;
    if (bits <= 8 && (palette.empty() || palette.size() > (1u << bits)))
        palette = StandardPalette(bits);
    bool fields = bits == 16 && image.Rgb565;
    uint32_t tableSize = bits <= 8 ? static_cast<uint32_t>(palette.size()) * 4 : fields ? 12 : 0;
    int64_t stride = Stride(image.Width, bits);
    int64_t imageSize = stride * image.Height;
    if (imageSize + kFileHeaderSize + kInfoHeaderSize + tableSize > std::numeric_limits<uint32_t>::max())
        throw EInvalidGraphic("Bitmap image is too large");
    uint32_t offBits = kFileHeaderSize + kInfoHeaderSize + tableSize;

    std::vector<uint8_t> out;
    out.reserve(offBits + static_cast<size_t>(imageSize));
    out.push_back('B');
    out.push_back('M');
    Put32(out, offBits + static_cast<uint32_t>(imageSize));
    Put32(out, 0);
    Put32(out, offBits);
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<uint32_t>(image.Width));
    Put32(out, static_cast<uint32_t>(image.Height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, fields ? BI_BITFIELDS : BI_RGB);
    Put32(out, static_cast<uint32_t>(imageSize));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, bits <= 8 ? static_cast<uint32_t>(palette.size()) : 0);
    Put32(out, 0);
    if (bits <= 8) {
        for (TColor c : palette) {
            out.push_back(static_cast<uint8_t>(GetBValue(c)));
            out.push_back(static_cast<uint8_t>(GetGValue(c)));
            out.push_back(static_cast<uint8_t>(GetRValue(c)));
            out.push_back(0);
        }
    } else if (fields) {
        Put32(out, 0xF800);
        Put32(out, 0x07E0);
        Put32(out, 0x001F);
    }

    std::vector<uint8_t> row(static_cast<size_t>(stride));
    for (int y = image.Height - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), 0);
        const TPixel* in = image.Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.Width);
        for (int x = 0; x < image.Width; ++x) {
            TPixel p = in[x];
            uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            switch (bits) {
            case 1:
                row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(NearestPaletteIndex(palette, p) << (7 - x % 8));
                break;
            case 4:
                row[static_cast<size_t>(x / 2)] |=
                    static_cast<uint8_t>(NearestPaletteIndex(palette, p) << ((x & 1) ? 0 : 4));
                break;
            case 8:
                row[static_cast<size_t>(x)] = static_cast<uint8_t>(NearestPaletteIndex(palette, p));
                break;
            case 16: {
                uint32_t v = fields ? ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)
                                    : ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
                row[static_cast<size_t>(2 * x)] = static_cast<uint8_t>(v);
                row[static_cast<size_t>(2 * x + 1)] = static_cast<uint8_t>(v >> 8);
                break;
            }
            case 24:
                row[static_cast<size_t>(3 * x)] = static_cast<uint8_t>(b);
                row[static_cast<size_t>(3 * x + 1)] = static_cast<uint8_t>(g);
                row[static_cast<size_t>(3 * x + 2)] = static_cast<uint8_t>(r);
                break;
            case 32:
                for (int k = 0; k < 4; ++k)
                    row[static_cast<size_t>(4 * x + k)] = static_cast<uint8_t>(p >> (8 * k));
                break;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    stream.WriteBuffer(out.data(), static_cast<int>(out.size()));
}

}  // namespace graphics
