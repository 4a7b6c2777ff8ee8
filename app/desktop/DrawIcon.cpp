// Draws the tool's desktop icon, 48 by 48 pixels: a bound ledger whose page
// is a small grid of account sets, the last column their check boxes, one
// of them ticked. It is drawn with the program's own canvas at build
// time and written as a PNG with an alpha channel; the one colour that no
// stroke uses (fuchsia) becomes the transparent background.
//
//   draw-icon OUTPUT.png
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <vector>

#include <png.h>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Pen.h"

namespace {

using graphics::TCanvas;
using graphics::TColor;
using graphics::TPoint;
using graphics::TRect;

constexpr int kSize = 48;

// Colours as RGB values (red in the low byte).
constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }
constexpr TColor kTransparent = Rgb(255, 0, 255);
constexpr TColor kCover = Rgb(0x2B, 0x57, 0x9A);
constexpr TColor kSpine = Rgb(0x1B, 0x3A, 0x6B);
constexpr TColor kEdge = Rgb(0x10, 0x24, 0x44);
constexpr TColor kBinding = Rgb(0xC8, 0xD4, 0xE8);
constexpr TColor kPage = Rgb(255, 255, 255);
constexpr TColor kHeading = Rgb(0xEB, 0xEB, 0xEB);
constexpr TColor kRule = Rgb(0xA0, 0xA0, 0xA0);
constexpr TColor kText = Rgb(0x40, 0x40, 0x40);
constexpr TColor kTick = Rgb(0, 0, 0);

void Fill(TCanvas& c, const TRect& r, TColor color)
{
    c.Brush()->SetStyle(graphics::bsSolid);
    c.Brush()->SetColor(color);
    c.FillRect(r);
}

void Line(TCanvas& c, int x1, int y1, int x2, int y2, TColor color)
{
    c.Pen()->SetColor(color);
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

void Frame(TCanvas& c, const TRect& r, TColor color)
{
    c.Brush()->SetColor(color);
    c.FrameRect(r);
}

void Draw(TCanvas& c)
{
    Fill(c, {0, 0, kSize, kSize}, kTransparent);
    // The cover, its spine and the binding.
    Fill(c, {4, 2, 45, 46}, kCover);
    Fill(c, {4, 2, 11, 46}, kSpine);
    Frame(c, {4, 2, 45, 46}, kEdge);
    for (int y : {8, 16, 24, 32, 40})
        Fill(c, {6, y, 9, y + 2}, kBinding);
    // The page: a heading row over three rows of two columns.
    Fill(c, {13, 5, 42, 44}, kPage);
    Fill(c, {14, 6, 41, 13}, kHeading);
    Frame(c, {13, 5, 42, 44}, kEdge);
    for (int y : {13, 23, 33})
        Line(c, 14, y, 41, y, kRule);
    Line(c, 31, 6, 31, 43, kRule);
    // Account names as grey strokes; the hidden flags as check boxes, the
    // second one ticked as the tool draws a tick.
    const int names[] = {13, 9, 11};
    static const char* const tick[] = {"....#", "...##", "#.##.", "###..", ".#..."};
    for (int row = 0; row < 3; ++row) {
        int line = 13 + row * 10;
        Fill(c, {16, line + 4, 16 + names[row], line + 6}, kText);
        TRect box{33, line + 2, 40, line + 9};
        Frame(c, box, kText);
        if (row == 1)
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 5; ++x)
                    if (tick[y][x] == '#')
                        c.SetPixel(box.Left + 1 + x, box.Top + 1 + y, kTick);
    }
}

void WritePng(const graphics::TBitmap& bitmap, const char* fileName)
{
    const graphics::TSurface& surface = bitmap.Surface();
    std::vector<png_byte> rgba;
    rgba.reserve(static_cast<size_t>(surface.Width) * static_cast<size_t>(surface.Height) * 4);
    const graphics::TPixel transparent = graphics::RgbToPixel(kTransparent);
    for (int y = 0; y < surface.Height; ++y)
        for (int x = 0; x < surface.Width; ++x) {
            graphics::TPixel p = surface.At(x, y) & graphics::kPixelRgbMask;
            bool clear = p == transparent;
            rgba.push_back(clear ? 0 : static_cast<png_byte>(p >> 16));
            rgba.push_back(clear ? 0 : static_cast<png_byte>(p >> 8));
            rgba.push_back(clear ? 0 : static_cast<png_byte>(p));
            rgba.push_back(clear ? 0 : 255);
        }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.Width);
    image.height = static_cast<png_uint_32>(surface.Height);
    image.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&image, fileName, 0, rgba.data(), 0, nullptr)) {
        std::fprintf(stderr, "draw-icon: cannot write %s: %s\n", fileName, image.message);
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-icon OUTPUT.png\n");
        return 2;
    }
    try {
        graphics::TBitmap bitmap;
        bitmap.SetPixelFormat(graphics::pf32bit);
        bitmap.SetSize(kSize, kSize);
        Draw(*bitmap.Canvas());
        WritePng(bitmap, argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "draw-icon: %s\n", e.what());
        return 1;
    }
    return 0;
}
