#include "platform/graphics/Bitmap.h"

#include <algorithm>

#include "platform/core/Stream.h"
#include "platform/core/Filer.h"
#include "platform/graphics/BitmapFile.h"
#include "platform/graphics/Canvas.h"

namespace graphics {

CORE_CLASS_IMPL(TBitmap)

namespace {

constexpr TPixel kWhitePixel = 0x00FFFFFF;

TPixel ToBlackOrWhite(TPixel p)
{
    int sum = static_cast<int>((p >> 16) & 0xFF) + static_cast<int>((p >> 8) & 0xFF) + static_cast<int>(p & 0xFF);
    return sum > 382 ? kWhitePixel : 0;
}

bool IsBlackAndWhite(const std::vector<TColor>& palette)
{
    return palette.size() == 2 && ((palette[0] == clBlack && palette[1] == clWhite) ||
                                   (palette[0] == clWhite && palette[1] == clBlack));
}

int BitCountOf(TPixelFormat format)
{
    switch (format) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf15bit:
    case pf16bit:
        return 16;
    case pf24bit:
        return 24;
    default:
        return 32;
    }
}

}  // namespace

TBitmap::TBitmap() : canvas_(std::make_unique<TCanvas>()) {}

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::~TBitmap() = default;

void TBitmap::Reallocate(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    std::vector<TPixel> pixels;
    if (width > 0 && height > 0) {
        pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), kWhitePixel);
        int keepWidth = std::min(width, width_);
        for (int y = 0; y < std::min(height, height_); ++y)
            std::copy_n(pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_), keepWidth,
                        pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width));
    }
    pixels_ = std::move(pixels);
    width_ = width;
    height_ = height;
    surface_ = pixels_.empty() ? TSurface{} : TSurface{pixels_.data(), width_, height_, width_};
    // New pixels, a new drawing surface: a clip region of the old size would
    // hide the new part, so it goes; tools and origins stay.
    canvas_->SelectClipRgn(nullptr);
    canvas_->Attach(surface_);
    canvas_->SetMonochrome(monochrome_);
}

void TBitmap::SetSize(int width, int height)
{
    if (width == width_ && height == height_)
        return;
    Reallocate(width, height);
    Changed();
}

TColor TBitmap::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    return PixelToRgb(surface_.At(x, y) & kPixelRgbMask);
}

void TBitmap::SetPixel(int x, int y, TColor color)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    TPixel p = ColorToPixel(color);
    surface_.At(x, y) = monochrome_ ? ToBlackOrWhite(p) : p;
}

void TBitmap::Quantize()
{
    for (TPixel& p : pixels_) {
        switch (pixelFormat_) {
        case pf1bit:
        case pf4bit:
        case pf8bit:
            p = monochrome_ ? ToBlackOrWhite(p) : RgbToPixel(palette_[static_cast<size_t>(NearestPaletteIndex(palette_, p))]);
            break;
        case pf15bit:
        case pf16bit: {
            // Keep the bits the file form holds, widened back to 8 bits.
            int greenBits = pixelFormat_ == pf16bit ? 6 : 5;
            auto widen = [](TPixel v, int bits) {
                v >>= 8 - bits;
                return ((v << (8 - bits)) | (v >> (2 * bits - 8))) & 0xFF;
            };
            p = (widen((p >> 16) & 0xFF, 5) << 16) | (widen((p >> 8) & 0xFF, greenBits) << 8) | widen(p & 0xFF, 5);
            break;
        }
        default:
            break;
        }
    }
}

void TBitmap::SetMonochrome(bool value)
{
    if (value == monochrome_)
        return;
    monochrome_ = value;
    if (value) {
        pixelFormat_ = pf1bit;
        palette_ = StandardPalette(1);
        Quantize();
    } else {
        pixelFormat_ = pfDevice;
        palette_.clear();
    }
    canvas_->SetMonochrome(monochrome_);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat value)
{
    if (value == pixelFormat_)
        return;
    if (value == pf1bit) {
        SetMonochrome(true);
        return;
    }
    monochrome_ = false;
    canvas_->SetMonochrome(false);
    pixelFormat_ = value;
    int bits = BitCountOf(value);
    if (bits <= 8) {
        if (palette_.empty() || palette_.size() > (1u << bits))
            palette_ = StandardPalette(bits);
    } else {
        palette_.clear();
    }
    Quantize();
    Changed();
}

void TBitmap::SetPalette(const std::vector<TColor>& palette)
{
    int bits = BitCountOf(pixelFormat_);
    if (bits > 8 || palette.empty() || palette.size() > (1u << bits))
        return;
    palette_.clear();
    for (TColor c : palette)
        palette_.push_back(ColorToRGB(c));
    if (pixelFormat_ == pf1bit && !IsBlackAndWhite(palette_)) {
        monochrome_ = false;
        canvas_->SetMonochrome(false);
    }
    Quantize();
    Changed();
}

void TBitmap::SetTransparent(bool value)
{
    if (value == transparent_)
        return;
    transparent_ = value;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value)
{
    if (value == transparentMode_)
        return;
    transparentMode_ = value;
    if (value == tmAuto)
        transparentColor_ = clDefault;
    Changed();
}

TColor TBitmap::TransparentColor() const
{
    if (transparentMode_ == tmFixed && transparentColor_ != clDefault)
        return transparentColor_;
    if (monochrome_)
        return clWhite;
    return Empty() ? clDefault : Pixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor value)
{
    if (value == transparentColor_)
        return;
    transparentColor_ = value;
    transparentMode_ = value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::Mask(TColor color)
{
    TPixel key = ColorToPixel(color);
    for (TPixel& p : pixels_)
        p = (p & kPixelRgbMask) == key ? kWhitePixel : 0;
    monochrome_ = true;
    pixelFormat_ = pf1bit;
    palette_ = StandardPalette(1);
    canvas_->SetMonochrome(true);
    Changed();
}

void TBitmap::Assign(const core::TPersistent* source)
{
    if (!source) {
        monochrome_ = false;
        pixelFormat_ = pfDevice;
        palette_.clear();
        pixels_.clear();
        width_ = height_ = 0;
        Reallocate(0, 0);
        Changed();
        return;
    }
    auto* other = dynamic_cast<const TBitmap*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    pixels_ = other->pixels_;
    width_ = other->width_;
    height_ = other->height_;
    surface_ = pixels_.empty() ? TSurface{} : TSurface{pixels_.data(), width_, height_, width_};
    pixelFormat_ = other->pixelFormat_;
    monochrome_ = other->monochrome_;
    palette_ = other->palette_;
    transparent_ = other->transparent_;
    transparentMode_ = other->transparentMode_;
    transparentColor_ = other->transparentColor_;
    canvas_->Attach(surface_);
    canvas_->SetMonochrome(monochrome_);
    Changed();
}

void TBitmap::LoadFromStream(core::TStream& stream)
{
    if (stream.Position() >= stream.Size()) {
        Assign(nullptr);
        return;
    }
    TBitmapImage image = ReadBitmapImage(stream);
    pixels_ = std::move(image.Pixels);
    width_ = image.Width;
    height_ = image.Height;
    surface_ = TSurface{pixels_.data(), width_, height_, width_};
    palette_ = std::move(image.Palette);
    switch (image.BitCount) {
    case 1:
        pixelFormat_ = pf1bit;
        break;
    case 4:
        pixelFormat_ = pf4bit;
        break;
    case 8:
        pixelFormat_ = pf8bit;
        break;
    case 16:
        // Unusual bit fields are kept at full precision and written as 32 bits.
        pixelFormat_ = image.OtherFields ? pfCustom : image.Rgb565 ? pf16bit : pf15bit;
        break;
    case 24:
        pixelFormat_ = pf24bit;
        break;
    default:
        pixelFormat_ = pf32bit;
        break;
    }
    monochrome_ = image.BitCount == 1 && IsBlackAndWhite(palette_);
    canvas_->Attach(surface_);
    canvas_->SetMonochrome(monochrome_);
    Changed();
}

void TBitmap::SaveToStream(core::TStream& stream) const
{
    if (Empty())
        return;
    TBitmapImage image;
    image.Width = width_;
    image.Height = height_;
    image.BitCount = BitCountOf(pixelFormat_);
    image.Rgb565 = pixelFormat_ == pf16bit;
    image.Palette = palette_;
    image.Pixels = pixels_;
    WriteBitmapImage(stream, image);
}

void TBitmap::LoadFromFile(const std::string& fileName)
{
    core::TFileStream stream(fileName, core::fmOpenRead | core::fmShareDenyWrite);
    LoadFromStream(stream);
}

void TBitmap::SaveToFile(const std::string& fileName) const
{
    core::TFileStream stream(fileName, core::fmCreate);
    SaveToStream(stream);
}

void TBitmap::DefineProperties(core::TFiler& filer)
{
    core::TPersistent::DefineProperties(filer);
    auto read = [this](core::TStream& stream) {
        stream.ReadUInt32();  // the size; the file form says it again
        LoadFromStream(stream);
    };
    auto write = [this](core::TStream& stream) {
        core::TMemoryStream image;
        SaveToStream(image);
        stream.WriteUInt32(static_cast<uint32_t>(image.Size()));
        stream.WriteBuffer(image.Memory(), static_cast<int>(image.Size()));
    };
    filer.DefineBinaryProperty("Data", read, write, !Empty());
}

}  // namespace graphics
