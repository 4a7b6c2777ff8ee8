#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/core/Stream.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/BitmapFile.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Png.h"

using namespace graphics;

namespace {

std::string Bytes(std::initializer_list<int> bytes)
{
    std::string out;
    for (int b : bytes)
        out += static_cast<char>(b);
    return out;
}

std::string Le32(uint32_t v) { return Bytes({int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF), int(v >> 24)}); }
std::string Le16(uint32_t v) { return Bytes({int(v & 0xFF), int((v >> 8) & 0xFF)}); }

// A bitmap file from its parts: file header, a 40-byte info header, then
// `rest` (colour table and pixels).
std::string File(int width, int height, int bits, uint32_t compression, const std::string& rest,
                 uint32_t offBits = 0, uint32_t clrUsed = 0, uint32_t sizeImage = 0)
{
    std::string info = Le32(40) + Le32(static_cast<uint32_t>(width)) + Le32(static_cast<uint32_t>(height)) + Le16(1) +
                       Le16(static_cast<uint32_t>(bits)) + Le32(compression) + Le32(sizeImage) + Le32(0) + Le32(0) +
                       Le32(clrUsed) + Le32(0);
    if (!offBits)
        offBits = static_cast<uint32_t>(14 + info.size());
    std::string header = "BM" + Le32(static_cast<uint32_t>(14 + info.size() + rest.size())) + Le32(0) + Le32(offBits);
    return header + info + rest;
}

std::string Saved(const TBitmap& bitmap)
{
    core::TStringStream stream;
    bitmap.SaveToStream(stream);
    return stream.DataString();
}

void Load(TBitmap& bitmap, const std::string& bytes)
{
    core::TStringStream stream(bytes);
    bitmap.LoadFromStream(stream);
}

// Every colour of the format's table, or a spread of colours, over an odd
// width so that rows need padding.
void PaintSample(TBitmap& b)
{
    b.SetSize(13, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            b.SetPixel(x, y, RGB(x * 19, y * 37, (x * y * 7) & 0xFF));
}

}  // namespace

TEST(BitmapFile, SixteenColourTwelveByTwelveIsWrittenAsTheClassicClassWritesIt)
{
    TBitmap b(12, 12);
    b.SetPixelFormat(pf4bit);
    b.Canvas()->Brush()->SetColor(RGB(128, 128, 0));
    b.Canvas()->FillRect(Rect(0, 0, 12, 12));
    b.Canvas()->Pen()->SetColor(clBlack);
    b.Canvas()->Ellipse(2, 2, 9, 9);
    const std::string bytes = Saved(b);
    ASSERT_EQ(bytes.size(), 214u);
    EXPECT_EQ(bytes.substr(0, 54),
              Bytes({0x42, 0x4D, 0xD6, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x76, 0x00, 0x00, 0x00,
                     0x28, 0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x01, 0x00,
                     0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x60, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
    // Olive is entry 3 of the standard table (stored B, G, R, 0); the bottom
    // row comes first and the bottom-left pixel is olive.
    EXPECT_EQ(bytes.substr(54 + 3 * 4, 4), Bytes({0x00, 0x80, 0x80, 0x00}));
    EXPECT_EQ(static_cast<unsigned char>(bytes[118]) >> 4, 3);
    TBitmap again;
    Load(again, bytes);
    EXPECT_EQ(again.PixelFormat(), pf4bit);
    EXPECT_EQ(Saved(again), bytes);
}

TEST(BitmapFile, EveryDepthSurvivesARoundTripExactly)
{
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        TBitmap b;
        PaintSample(b);
        b.SetPixelFormat(format);
        if (format == pf32bit)
            b.ScanLine(3)[5] |= 0x7F000000;  // a fourth byte of its own
        const std::string first = Saved(b);
        TBitmap read;
        Load(read, first);
        EXPECT_EQ(read.PixelFormat(), format) << format;
        EXPECT_EQ(read.Monochrome(), format == pf1bit) << format;
        ASSERT_EQ(read.Width(), 13);
        ASSERT_EQ(read.Height(), 7);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_EQ(read.ScanLine(y)[x], b.ScanLine(y)[x]) << format << " at " << x << "," << y;
        EXPECT_EQ(Saved(read), first) << format;
    }
}

TEST(BitmapFile, ReadsTopDownCoreHeaderBitFieldAndRunLengthPictures)
{
    // 24 bits, top-down, 2 by 2: rows of 6 bytes padded to 8.
    TBitmap b;
    Load(b, File(2, -2, 24, 0, Bytes({0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0})));
    EXPECT_EQ(b.Pixel(0, 0), clRed);
    EXPECT_EQ(b.Pixel(1, 0), clLime);
    EXPECT_EQ(b.Pixel(0, 1), clBlue);
    EXPECT_EQ(b.Pixel(1, 1), clWhite);

    // A 12-byte core header, 8 bits, a table of RGB triples.
    std::string core = Le32(12) + Le16(2) + Le16(1) + Le16(1) + Le16(8);
    std::string table = Bytes({0, 0, 0, 0, 0, 255, 255, 0, 0});
    std::string coreFile = "BM" + Le32(14 + 12 + 9 + 4) + Le32(0) + Le32(14 + 12 + 9) + core + table + Bytes({2, 1, 0, 0});
    Load(b, coreFile);
    EXPECT_EQ(b.PixelFormat(), pf8bit);
    EXPECT_EQ(b.Pixel(0, 0), clBlue);
    EXPECT_EQ(b.Pixel(1, 0), clRed);

    // 16 bits, 5-6-5 bit fields after the header.
    std::string masks = Le32(0xF800) + Le32(0x07E0) + Le32(0x001F);
    Load(b, File(2, 1, 16, 3, masks + Le16(0xF800) + Le16(0x07E0), 14 + 40 + 12));
    EXPECT_EQ(b.PixelFormat(), pf16bit);
    EXPECT_EQ(b.Pixel(0, 0), clRed);
    EXPECT_EQ(b.Pixel(1, 0), clLime);

    // Run-length encoded 8 bits, bottom-up 4 by 2: a run, an end of line, a
    // literal group of three (padded), end of picture.
    std::string palette = Bytes({0, 0, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0});
    std::string rle = Bytes({4, 1, 0, 0, 0, 3, 2, 1, 2, 0, 0, 1});
    Load(b, File(4, 2, 8, 1, palette + rle, 0, 3, static_cast<uint32_t>(rle.size())));
    EXPECT_EQ(b.Pixel(0, 1), clRed);
    EXPECT_EQ(b.Pixel(3, 1), clRed);
    EXPECT_EQ(b.Pixel(0, 0), clBlue);
    EXPECT_EQ(b.Pixel(1, 0), clRed);
    EXPECT_EQ(b.Pixel(2, 0), clBlue);
    EXPECT_EQ(b.Pixel(3, 0), clBlack) << "pixels a run leaves out take colour 0";
}

TEST(BitmapFile, OddColourTablesAndBitFieldsStillWriteBackAsTheyRead)
{
    // Index 3 lies beyond a table of two: black, and the table grows to hold it.
    TBitmap b;
    Load(b, File(2, 1, 8, 0, Bytes({0, 0, 255, 0, 255, 0, 0, 0}) + Bytes({1, 3, 0, 0}), 0, 2));
    EXPECT_EQ(b.Pixel(0, 0), clBlue);
    EXPECT_EQ(b.Pixel(1, 0), clBlack);
    TBitmap again;
    Load(again, Saved(b));
    EXPECT_EQ(again.Pixel(1, 0), clBlack);
    EXPECT_EQ(again.Pixel(0, 0), clBlue);

    // A 1-bit picture with eight table entries keeps the two it can use.
    std::string table;
    for (int i = 0; i < 8; ++i)
        table += Bytes({i * 30, 0, 0, 0});
    Load(b, File(1, 1, 1, 0, table + Bytes({0x80, 0, 0, 0}), 0, 8));
    EXPECT_EQ(b.Palette().size(), 2u);
    EXPECT_EQ(b.Pixel(0, 0), RGB(0, 0, 30));
    Load(again, Saved(b));
    EXPECT_EQ(again.Pixel(0, 0), RGB(0, 0, 30));

    // 16 bits with 4-4-4 fields: full precision kept, written as 32 bits.
    std::string masks = Le32(0x0F00) + Le32(0x00F0) + Le32(0x000F);
    Load(b, File(1, 1, 16, 3, masks + Le16(0x0F81) + Le16(0), 14 + 40 + 12));
    EXPECT_EQ(b.PixelFormat(), pfCustom);
    EXPECT_EQ(b.Pixel(0, 0), RGB(0xFF, 0x88, 0x11));
    Load(again, Saved(b));
    EXPECT_EQ(again.PixelFormat(), pf32bit);
    EXPECT_EQ(again.Pixel(0, 0), RGB(0xFF, 0x88, 0x11));
}

TEST(BitmapFile, ReadsExactlyOnePicturePerCall)
{
    TBitmap a(3, 2), b(5, 1);
    a.SetPixel(0, 0, clRed);
    b.SetPixel(4, 0, clBlue);
    std::string first = Saved(a);
    // A file size of 0 is read as headers plus rows; a larger one is skipped over.
    std::string second = Saved(b);
    second.replace(2, 4, Le32(0));
    std::string third = Saved(a) + "pad";
    third.replace(2, 4, Le32(static_cast<uint32_t>(third.size())));
    core::TStringStream stream(first + second + third + "tail");
    TBitmap read;
    read.LoadFromStream(stream);
    EXPECT_EQ(read.Pixel(0, 0), clRed);
    read.LoadFromStream(stream);
    EXPECT_EQ(read.Width(), 5);
    EXPECT_EQ(read.Pixel(4, 0), clBlue);
    read.LoadFromStream(stream);
    EXPECT_EQ(read.Width(), 3);
    EXPECT_EQ(stream.ReadString(4), "tail");
}

TEST(BitmapFile, RefusesDamagedPictures)
{
    std::string good = File(1, 1, 24, 0, Bytes({1, 2, 3, 0}));
    std::vector<std::string> bad = {
        "",
        "BA" + good.substr(2),                   // not "BM"
        good.substr(0, good.size() - 1),         // rows cut short
        File(0, 1, 24, 0, Bytes({1, 2, 3, 0})),  // no width
        File(1, 1, 3, 0, Bytes({1, 2, 3, 0})),   // no such depth
        File(1, -1, 8, 1, Bytes({0, 0, 0, 0, 0, 1}), 0, 1, 2),  // run-length pictures are bottom-up
        File(1, 1, 8, 0, Bytes({1}), 0, 300),    // more than 256 colours
        File(70000, 70000, 1, 0, ""),            // far too large
    };
    for (const std::string& bytes : bad) {
        core::TStringStream stream(bytes);
        if (bytes.empty())
            continue;
        EXPECT_THROW(ReadBitmapImage(stream), EInvalidGraphic) << bytes.size();
    }
    TBitmap empty;
    Load(empty, "");
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(Saved(empty), "");
}

TEST(Bitmaps, NewPixelsAreWhiteAndResizingKeepsTheTopLeft)
{
    TBitmap b(2, 2);
    b.SetPixel(1, 1, clRed);
    b.SetSize(3, 3);
    EXPECT_EQ(b.Pixel(1, 1), clRed);
    EXPECT_EQ(b.Pixel(2, 2), clWhite);
    b.SetSize(1, 3);
    EXPECT_EQ(b.Pixel(1, 1), CLR_INVALID);
    b.SetSize(2, 2);
    EXPECT_EQ(b.Pixel(1, 1), clWhite);
    // The canvas follows the new pixels, without the old clip region.
    b.Canvas()->IntersectClipRect(Rect(0, 0, 1, 1));
    b.SetSize(2, 3);
    b.SetSize(2, 2);
    b.Canvas()->Brush()->SetColor(clBlue);
    b.Canvas()->FillRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(b.Pixel(1, 1), clBlue);
}

TEST(Bitmaps, MonochromeMaskAndAssign)
{
    TBitmap b(3, 1);
    b.SetPixel(0, 0, clSilver);
    b.SetPixel(1, 0, clGray);
    b.SetPixel(2, 0, clNavy);
    TBitmap copy;
    copy.Assign(&b);
    copy.SetMonochrome(true);
    EXPECT_EQ(copy.Pixel(0, 0), clWhite);
    EXPECT_EQ(copy.Pixel(1, 0), clWhite);
    EXPECT_EQ(copy.Pixel(2, 0), clBlack);
    EXPECT_EQ(b.Pixel(2, 0), clNavy) << "Assign copies the pixels";
    copy.SetPixel(2, 0, clYellow);
    EXPECT_EQ(copy.Pixel(2, 0), clWhite) << "a monochrome bitmap holds black and white only";

    b.Mask(clGray);
    EXPECT_TRUE(b.Monochrome());
    EXPECT_EQ(b.Pixel(0, 0), clBlack);
    EXPECT_EQ(b.Pixel(1, 0), clWhite);
    EXPECT_EQ(b.Pixel(2, 0), clBlack);

    int changes = 0;
    b.OnChange = [&](core::TObject*) { ++changes; };
    b.SetTransparent(true);
    b.SetSize(4, 4);
    EXPECT_EQ(changes, 2);
}

TEST(Png, SnapshotsReadBackPixelForPixel)
{
    TBitmap b;
    PaintSample(b);
    std::string path = (std::filesystem::temp_directory_path() / ("graphics-png-" + std::to_string(getpid()) + ".png")).string();
    SavePng(b, path);
    TBitmap read;
    LoadPng(read, path);
    std::filesystem::remove(path);
    ASSERT_EQ(read.Width(), 13);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(read.Pixel(x, y), b.Pixel(x, y));
    EXPECT_THROW(LoadPng(read, path), EInvalidGraphic);
}
