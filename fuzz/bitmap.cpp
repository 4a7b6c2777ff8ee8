// Bitmap files come from form descriptions, grid layouts and resources.
// Reading may only fail with the picture error; what it reads survives a
// write and a second read pixel for pixel, and can be drawn every way the
// controls draw pictures.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/core/Stream.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/BitmapFile.h"
#include "platform/graphics/Canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    core::TStringStream stream(std::string(reinterpret_cast<const char*>(data), size));
    graphics::TBitmap bitmap;
    try {
        bitmap.LoadFromStream(stream);
    } catch (const graphics::EInvalidGraphic&) {
        return 0;
    }
    if (stream.Position() > stream.Size())
        __builtin_trap();
    // Large pictures made from a few run-length bytes are read, not copied.
    if (bitmap.Empty() || static_cast<int64_t>(bitmap.Width()) * bitmap.Height() > (1 << 20))
        return 0;

    core::TStringStream written;
    bitmap.SaveToStream(written);
    written.SetPosition(0);
    graphics::TBitmap again;
    again.LoadFromStream(written);
    graphics::TPixelFormat format = bitmap.PixelFormat() == graphics::pfCustom ? graphics::pf32bit : bitmap.PixelFormat();
    if (again.Width() != bitmap.Width() || again.Height() != bitmap.Height() || again.PixelFormat() != format)
        __builtin_trap();
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (again.ScanLine(y)[x] != bitmap.ScanLine(y)[x])
                __builtin_trap();

    graphics::TBitmap target(40, 30);
    graphics::TCanvas& canvas = *target.Canvas();
    canvas.Draw(-3, -2, bitmap);
    canvas.StretchDraw(graphics::Rect(5, 5, 35, 25), bitmap);
    bitmap.SetTransparent(true);
    canvas.Draw(7, 3, bitmap);
    canvas.BitBlt(0, 0, 40, 30, *bitmap.Canvas(), 1, 1, graphics::MERGECOPY);
    canvas.Brush()->SetBitmap(&bitmap);
    canvas.FillRect(graphics::Rect(0, 0, 40, 30));
    return 0;
}
