#include "platform/graphics/Brush.h"

#include "platform/core/TypeInfo.h"
#include "platform/graphics/Bitmap.h"

namespace graphics {

CORE_CLASS_IMPL(TBrush)

void TBrush::SetColor(TColor value)
{
    // Giving a clear brush a colour makes it solid, as the classic brush
    // does: code that fills after drawing transparent text relies on it.
    if (color_ == value && style_ != bsClear)
        return;
    color_ = value;
    if (style_ == bsClear)
        style_ = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value)
{
    if (style_ == value && !pattern_)
        return;
    style_ = value;
    // Choosing a style drops a bitmap pattern, as it replaces the brush.
    pattern_.reset();
    Changed();
}

void TBrush::SetBitmap(const TBitmap* bitmap)
{
    if (!bitmap || bitmap->Empty()) {
        SetPattern(std::nullopt);
        return;
    }
    TBrushPattern pattern;
    pattern.Monochrome = bitmap->Monochrome();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.Pixels[static_cast<size_t>(y * 8 + x)] =
                bitmap->Surface().At(x % bitmap->Width(), y % bitmap->Height()) & kPixelRgbMask;
    SetPattern(pattern);
}

void TBrush::SetPattern(const std::optional<TBrushPattern>& pattern)
{
    if (pattern_ == pattern)
        return;
    pattern_ = pattern;
    if (pattern_)
        style_ = bsSolid;
    Changed();
}

void TBrush::Assign(const core::TPersistent* source)
{
    auto* other = dynamic_cast<const TBrush*>(source);
    if (!other) {
        TGraphicsObject::Assign(source);
        return;
    }
    if (color_ == other->color_ && style_ == other->style_ && pattern_ == other->pattern_)
        return;
    color_ = other->color_;
    style_ = other->style_;
    pattern_ = other->pattern_;
    Changed();
}

void TBrush::Publish(core::PropertyList& list)
{
    core::PropBuilder<TBrush> p(list);
    p.Integer("Color", &TBrush::Color, &TBrush::SetColor, "TColor").Default(clWhite);
    p.Enum("Style", &TBrush::Style, &TBrush::SetStyle)
        .Default(bsSolid);
}

}  // namespace graphics
