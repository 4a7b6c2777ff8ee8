#include "platform/graphics/Pen.h"

#include "platform/core/TypeInfo.h"

namespace graphics {

CORE_CLASS_IMPL(TPen)

TRop2 PenModeToRop2(TPenMode mode)
{
    static constexpr TRop2 kRops[] = {R2_BLACK,      R2_WHITE,      R2_NOP,        R2_NOT,        R2_COPYPEN,
                                      R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN,
                                      R2_MERGEPEN,   R2_NOTMERGEPEN, R2_MASKPEN,    R2_NOTMASKPEN, R2_XORPEN,
                                      R2_NOTXORPEN};
    return kRops[static_cast<int>(mode) & 15];
}

void TPen::SetColor(TColor value)
{
    if (color_ == value)
        return;
    color_ = value;
    Changed();
}

void TPen::SetWidth(int value)
{
    if (width_ == value)
        return;
    width_ = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value)
{
    if (style_ == value)
        return;
    style_ = value;
    Changed();
}

void TPen::SetMode(TPenMode value)
{
    if (mode_ == value)
        return;
    mode_ = value;
    Changed();
}

void TPen::Assign(const core::TPersistent* source)
{
    auto* other = dynamic_cast<const TPen*>(source);
    if (!other) {
        TGraphicsObject::Assign(source);
        return;
    }
    if (color_ == other->color_ && width_ == other->width_ && style_ == other->style_ && mode_ == other->mode_)
        return;
    color_ = other->color_;
    width_ = other->width_;
    style_ = other->style_;
    mode_ = other->mode_;
    Changed();
}

void TPen::Publish(core::PropertyList& list)
{
    core::PropBuilder<TPen> p(list);
    p.Integer("Color", &TPen::Color, &TPen::SetColor, "TColor").Default(clBlack);
    p.Enum("Mode", &TPen::Mode, &TPen::SetMode)
        .Default(pmCopy);
    p.Enum("Style", &TPen::Style,
           &TPen::SetStyle)
        .Default(psSolid);
    p.Integer("Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

}  // namespace graphics
