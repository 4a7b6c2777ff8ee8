#include "platform/graphics/Png.h"

#include <cstring>
#include <vector>

#include <png.h>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/BitmapFile.h"

namespace graphics {

void SavePng(const TSurface& surface, const std::string& fileName)
{
    if (surface.IsNull())
        throw EInvalidGraphic("Cannot write an empty picture to %s", fileName);
    std::vector<png_byte> rgb(static_cast<size_t>(surface.Width) * static_cast<size_t>(surface.Height) * 3);
    png_byte* out = rgb.data();
    for (int y = 0; y < surface.Height; ++y)
        for (int x = 0; x < surface.Width; ++x) {
            TPixel p = surface.At(x, y);
            *out++ = static_cast<png_byte>(p >> 16);
            *out++ = static_cast<png_byte>(p >> 8);
            *out++ = static_cast<png_byte>(p);
        }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.Width);
    image.height = static_cast<png_uint_32>(surface.Height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, fileName.c_str(), 0, rgb.data(), 0, nullptr))
        throw EInvalidGraphic("Cannot write %s: %s", fileName, std::string(image.message));
}

void SavePng(const TBitmap& bitmap, const std::string& fileName) { SavePng(bitmap.Surface(), fileName); }

void LoadPng(TBitmap& bitmap, const std::string& fileName)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, fileName.c_str()))
        throw EInvalidGraphic("Cannot read %s: %s", fileName, std::string(image.message));
    image.format = PNG_FORMAT_BGRA;
    std::vector<png_byte> bgra(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bgra.data(), 0, nullptr)) {
        png_image_free(&image);
        throw EInvalidGraphic("Cannot read %s: %s", fileName, std::string(image.message));
    }
    bitmap.Assign(nullptr);
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(static_cast<int>(image.width), static_cast<int>(image.height));
    const png_byte* in = bgra.data();
    for (int y = 0; y < bitmap.Height(); ++y) {
        TPixel* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x, in += 4)
            row[x] = (static_cast<TPixel>(in[2]) << 16) | (static_cast<TPixel>(in[1]) << 8) | in[0];
    }
}

}  // namespace graphics
