#pragma once

#include <array>
#include <optional>

#include "platform/core/EnumType.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/GraphicsObject.h"
#include "platform/graphics/Surface.h"

namespace graphics {

class TBitmap;

// bsClear fills nothing and makes text backgrounds transparent. The hatch
// styles draw their lines in the brush colour and leave the gaps alone.
CORE_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross);

// An 8 by 8 tile, repeated from the canvas's device origin. The pixels of a
// monochrome tile stand for colours chosen when it is drawn: black for the
// canvas font's colour, white for the brush colour.
struct TBrushPattern {
    std::array<TPixel, 64> Pixels{};
    bool Monochrome = false;

    bool operator==(const TBrushPattern&) const = default;
};

// What areas are filled with.
class TBrush : public TGraphicsObject {
    CORE_CLASS(TBrush, TGraphicsObject)

    TColor Color() const { return color_; }
    // Also makes a clear brush solid.
    void SetColor(TColor value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value);

    // A bitmap pattern: the top-left 8 by 8 pixels of `bitmap` (a smaller one
    // is repeated) are copied, so the bitmap may go away afterwards. nullptr
    // goes back to the plain style.
    void SetBitmap(const TBitmap* bitmap);
    const std::optional<TBrushPattern>& Pattern() const { return pattern_; }
    void SetPattern(const std::optional<TBrushPattern>& pattern);

    void Assign(const core::TPersistent* source) override;
    using core::TPersistent::Assign;
    static void Publish(core::PropertyList& list);

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    std::optional<TBrushPattern> pattern_;
};

}  // namespace graphics
