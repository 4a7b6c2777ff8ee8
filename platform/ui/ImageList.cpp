#include "platform/ui/ImageList.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace ui {

CORE_CLASS_IMPL(TCustomImageList)
CORE_CLASS_IMPL(TImageList)

using namespace graphics;

// One picture: its colours and which pixels are drawn, row by row.
struct TCustomImageList::TImage {
    std::vector<TColor> Pixels;
    std::vector<uint8_t> Drawn;
};

namespace {

// A pixel counts as dark for the embossed look when its brightness is below
// the middle, as a conversion to black and white would judge it.
bool IsDark(TColor rgb)
{
    int brightness = (GetRValue(rgb) * 30 + GetGValue(rgb) * 59 + GetBValue(rgb) * 11) / 100;
    return brightness < 128;
}

}  // namespace

TCustomImageList::TCustomImageList(core::TComponent* owner) : core::TComponent(owner) {}

TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::Publish(core::PropertyList& list)
{
    core::PropBuilder<TCustomImageList> p(list);
    p.Integer("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth).Default(16);
    p.Integer("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight).Default(16);
    p.Boolean("Masked", &TCustomImageList::Masked, &TCustomImageList::SetMasked).Default(true);
    p.Integer("BkColor", &TCustomImageList::BkColor, &TCustomImageList::SetBkColor, "TColor").Default(clNone);
    p.Event("OnChange", &TCustomImageList::OnChange);
}

TImageList::TImageList(core::TComponent* owner) : TCustomImageList(owner) {}

void TCustomImageList::Changed()
{
    OnChange(this);
}

void TCustomImageList::SetWidth(int value)
{
    value = std::max(value, 1);
    if (value == width_)
        return;
    width_ = value;
    images_.clear();
    Changed();
}

void TCustomImageList::SetHeight(int value)
{
    value = std::max(value, 1);
    if (value == height_)
        return;
    height_ = value;
    images_.clear();
    Changed();
}

void TCustomImageList::SetMasked(bool value)
{
    if (value == masked_)
        return;
    masked_ = value;
    Changed();
}

void TCustomImageList::SetBkColor(TColor value)
{
    if (value == bkColor_)
        return;
    bkColor_ = value;
    Changed();
}

// ---- Adding and removing -----------------------------------------------------

void TCustomImageList::AddStrip(const TBitmap& image, const std::vector<uint8_t>& drawn)
{
    int count = std::max(image.Width() / width_, 1);
    for (int n = 0; n < count; ++n) {
        auto picture = std::make_unique<TImage>();
        picture->Pixels.assign(static_cast<size_t>(width_) * height_, clWhite);
        picture->Drawn.assign(static_cast<size_t>(width_) * height_, 0);
        for (int y = 0; y < std::min(height_, image.Height()); ++y)
            for (int x = 0; x < width_; ++x) {
                int sx = n * width_ + x;
                if (sx >= image.Width())
                    break;
                size_t at = static_cast<size_t>(y) * width_ + x;
                picture->Pixels[at] = image.Pixel(sx, y);
                picture->Drawn[at] = drawn[static_cast<size_t>(y) * image.Width() + sx];
            }
        images_.push_back(std::move(picture));
    }
}

int TCustomImageList::Add(const TBitmap* image, const TBitmap* mask)
{
    if (!image || image->Empty())
        throw core::EInvalidOperation("Invalid image");
    int first = Count();
    std::vector<uint8_t> drawn(static_cast<size_t>(image->Width()) * image->Height(), 1);
    if (mask) {
        for (int y = 0; y < image->Height(); ++y)
            for (int x = 0; x < image->Width(); ++x) {
                // Outside the mask, pixels are drawn.
                TColor m = mask->Pixel(x, y);
                bool transparent = m != CLR_INVALID && m != clBlack;
                drawn[static_cast<size_t>(y) * image->Width() + x] = transparent ? 0 : 1;
            }
    }
    AddStrip(*image, drawn);
    Changed();
    return first;
}

int TCustomImageList::AddMasked(const TBitmap* image, TColor maskColor)
{
    if (!image || image->Empty())
        throw core::EInvalidOperation("Invalid image");
    int first = Count();
    TColor key = maskColor == clDefault ? image->Pixel(0, image->Height() - 1) : ColorToRGB(maskColor);
    std::vector<uint8_t> drawn(static_cast<size_t>(image->Width()) * image->Height());
    for (int y = 0; y < image->Height(); ++y)
        for (int x = 0; x < image->Width(); ++x)
            drawn[static_cast<size_t>(y) * image->Width() + x] = image->Pixel(x, y) == key ? 0 : 1;
    AddStrip(*image, drawn);
    Changed();
    return first;
}

void TCustomImageList::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw core::EListError("Image index out of bounds (%d)", index);
    images_.erase(images_.begin() + index);
    Changed();
}

void TCustomImageList::Clear()
{
    if (images_.empty())
        return;
    images_.clear();
    Changed();
}

// ---- Drawing -----------------------------------------------------------------

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const
{
    if (!canvas || index < 0 || index >= Count())
        return;
    const TImage& image = *images_[static_cast<size_t>(index)];
    if (!enabled) {
        DrawEmbossed(*canvas, x, y, image);
        return;
    }
    for (int j = 0; j < height_; ++j)
        for (int i = 0; i < width_; ++i) {
            size_t at = static_cast<size_t>(j) * width_ + i;
            if (image.Drawn[at] || !masked_)
                canvas->SetPixel(x + i, y + j, image.Pixels[at]);
            else if (bkColor_ != clNone)
                canvas->SetPixel(x + i, y + j, bkColor_);
        }
}

void TCustomImageList::DrawEmbossed(TCanvas& canvas, int x, int y, const TImage& image) const
{
    auto shape = [&](int i, int j) {
        size_t at = static_cast<size_t>(j) * width_ + i;
        return (image.Drawn[at] || !masked_) && IsDark(image.Pixels[at]);
    };
    TColor highlight = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
    for (int j = 0; j < height_; ++j)
        for (int i = 0; i < width_; ++i)
            if (shape(i, j))
                canvas.SetPixel(x + i + 1, y + j + 1, highlight);
    for (int j = 0; j < height_; ++j)
        for (int i = 0; i < width_; ++i)
            if (shape(i, j))
                canvas.SetPixel(x + i, y + j, shadow);
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) const
{
    if (!image)
        return;
    image->SetSize(width_, height_);
    Draw(image->Canvas(), 0, 0, index, true);
}

}  // namespace ui
