#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/core/Event.h"
#include "platform/core/Persistent.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Surface.h"

namespace core {
class TStream;
}

namespace graphics {

class TCanvas;

// The depth a bitmap is filed with. In memory every bitmap is 32-bit; the
// format decides how it is written and what its pixels may hold (palette
// colours at 8 bits or fewer, black and white at 1 bit). pfDevice is the
// display's depth, 32 bits; pfCustom, a picture read with bit fields the
// file form here does not write, is written with 32 bits as well.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
// Where the transparent colour comes from: the bottom-left pixel, or the
// colour set.
enum TTransparentMode { tmAuto, tmFixed };

// A picture over a 32-bit pixel buffer with a canvas to draw on it. New
// pixels (a new bitmap, or the part a larger size adds) are white.
class TBitmap : public core::TPersistent {
    CORE_CLASS(TBitmap, core::TPersistent)

    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetWidth(int value) { SetSize(value, height_); }
    void SetHeight(int value) { SetSize(width_, value); }
    // Keeps the pixels that still fit, top-left aligned, and drops the
    // canvas's clip region.
    void SetSize(int width, int height);
    bool Empty() const { return width_ <= 0 || height_ <= 0; }

    TCanvas* Canvas() const { return canvas_.get(); }
    const TSurface& Surface() const { return surface_; }
    TPixel* ScanLine(int y) const { return surface_.Row(y); }
    // Pixels without clipping; outside the bitmap Pixel gives CLR_INVALID
    // and SetPixel does nothing. Monochrome bitmaps store black or white.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // One bit per pixel, black and white. Turning it on makes dark pixels
    // black and light ones white.
    bool Monochrome() const { return monochrome_; }
    void SetMonochrome(bool value);
    // Changing the format converts the pixels to what it can hold.
    TPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat value);
    // The colour table of formats of 8 bits or fewer.
    const std::vector<TColor>& Palette() const { return palette_; }
    void SetPalette(const std::vector<TColor>& palette);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode value);
    // The colour left out when drawn transparently: the colour set (tmFixed),
    // else the bottom-left pixel (white for a monochrome bitmap).
    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);

    // Turns the bitmap into a monochrome mask: pixels of `color` white, all
    // others black.
    void Mask(TColor color);

    // A deep copy of another bitmap (nullptr empties this one).
    void Assign(const core::TPersistent* source) override;
    using core::TPersistent::Assign;

    // The bitmap file form (see BitmapFile.h). Loading reads one picture
    // and takes its depth and colour table; an empty stream gives an empty
    // bitmap, and an empty bitmap writes nothing.
    void LoadFromStream(core::TStream& stream);
    void SaveToStream(core::TStream& stream) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    // Filed in form descriptions as "Data": the size of the bitmap file
    // form (4 bytes), then the file form itself; an empty bitmap is not filed.
    void DefineProperties(core::TFiler& filer) override;

    // Raised after the size, format, pixels as a whole or transparency change
    // (not after each drawing call).
    core::TNotifyEvent OnChange;

private:
    void Reallocate(int width, int height);
    void Quantize();
    void Changed() { OnChange(this); }

    int width_ = 0;
    int height_ = 0;
    std::vector<TPixel> pixels_;
    TSurface surface_;
    TPixelFormat pixelFormat_ = pfDevice;
    bool monochrome_ = false;
    std::vector<TColor> palette_;
    bool transparent_ = false;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clDefault;
    std::unique_ptr<TCanvas> canvas_;
};

}  // namespace graphics
