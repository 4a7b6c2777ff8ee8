#pragma once

#include "platform/core/EnumType.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/GraphicsObject.h"
#include "platform/graphics/RasterOp.h"

namespace graphics {

// Dotted pens set one pixel and skip the next; dashes are 6 on and 2 off.
// The gaps of a styled line are left untouched.
CORE_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame);

// How the pen colour meets the pixels under it; each names a binary raster
// operation (pmXor is R2_XORPEN: pen XOR destination).
CORE_ENUM(TPenMode,
          pmBlack,
          pmWhite,
          pmNop,
          pmNot,
          pmCopy,
          pmNotCopy,
          pmMergePenNot,
          pmMaskPenNot,
          pmMergeNotPen,
          pmMaskNotPen,
          pmMerge,
          pmNotMerge,
          pmMask,
          pmNotMask,
          pmXor,
          pmNotXor);

// The binary raster operation of a pen mode.
TRop2 PenModeToRop2(TPenMode mode);

// What lines and shape outlines are drawn with.
class TPen : public TGraphicsObject {
    CORE_CLASS(TPen, TGraphicsObject)

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int Width() const { return width_; }
    // Widths below 1 draw as 1, as cosmetic pens do.
    void SetWidth(int value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode value);

    void Assign(const core::TPersistent* source) override;
    using core::TPersistent::Assign;
    static void Publish(core::PropertyList& list);

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};

}  // namespace graphics
