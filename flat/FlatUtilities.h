#pragma once

#include "platform/core/EnumType.h"

// Colour and drawing helpers shared by the flat controls (push button,
// speed button, memo, band panels): hue/saturation/lightness on the
// 240-step scale, the derived ("advanced") colours, a bevelled frame, the
// parent painted behind a control, the embossed image of a disabled glyph,
// and the placement of a glyph and a one-line caption inside a button.
//
// The functions keep no state of their own and run on the UI thread.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/Forward.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Types.h"
#include "platform/ui/ControlTypes.h"

namespace graphics {
class TBitmap;
class TCanvas;
}  // namespace graphics

namespace ui {
class TControl;
}

namespace flat {

using core::AnsiString;
using graphics::TColor;
using graphics::TPoint;
using graphics::TRect;
using ui::TButtonLayout;

// Percentage (0 to 100, filed in one byte) by which a derived colour
// differs from its base colour; setters bring other values to the nearest
// end of that range.
using TAdvColors = int;
// Number of equal-width images side by side in a glyph strip, 1 to 4.
using TNumGlyphs = int;

// When a flat button shows its parent instead of a face colour: always,
// while the pointer is not over it (and it has not the focus), or never.
CORE_ENUM(TTransparentMode, tmAlways, tmNotFocused, tmNone);

// ---- Hue, saturation, lightness ----------------------------------------------

// The scale: hue runs 0 to HslHueMax, saturation and lightness 0 to HslMax.
constexpr int HslMax = 240;
constexpr int HslHueMax = HslMax - 1;

struct THsl {
    int Hue = 0;
    int Saturation = 0;
    int Lightness = 0;
    bool operator==(const THsl&) const = default;
};

// A colour's hue, saturation and lightness (a system colour is resolved to
// RGB first). Each is rounded to the nearest step, ties to even.
THsl HslFromColor(TColor color);
// The RGB colour of a hue, saturation and lightness; values outside the
// scale are brought to its nearest end. A saturation of 0 gives a grey.
// Not every grey comes back exactly: 241 lightness steps meet 256 grey
// levels (grey 127 comes back as grey 128).
TColor ColorFromHsl(int hue, int saturation, int lightness);
inline TColor ColorFromHsl(const THsl& hsl) { return ColorFromHsl(hsl.Hue, hsl.Saturation, hsl.Lightness); }

// The derived colour of `base`: `fallback` unchanged when `percent` is 0,
// otherwise `base` with its hue and saturation and its lightness moved
// `percent` per cent of the way to white (darker false) or to black (darker
// true). 100 per cent gives white or black.
TColor ShiftedColor(TColor base, TColor fallback, TAdvColors percent, bool darker);

// ---- Pointer -------------------------------------------------------------------

// The control under the pointer now: the windowless child (enabled and
// visible) of the window under the pointer at that place, else that
// window's control; nullptr over no window of ours.
ui::TControl* ControlAtCursor();

// ---- Drawing -------------------------------------------------------------------

// Draws a bevelled frame `width` pixels thick just inside `rect`: the top
// and left sides of each ring in `topLeft`, the right and bottom sides
// (with both of their corners) in `bottomRight`. A raised look is light on
// the top left, a sunken one dark. Returns the area inside the frame. The
// canvas's pen is left as it was.
TRect DrawBevelFrame(graphics::TCanvas& canvas, TRect rect, TColor topLeft, TColor bottomRight, int width);

// Paints, onto `canvas` at the control's place (canvas (0, 0) is the
// control's top-left corner), what the control's parent shows behind it:
// the parent's background and its own painting with its windowless
// children, clipped to the parent's client area. Nothing without a parent.
// The canvas's drawing state is kept.
void PaintParentImage(const ui::TControl& control, graphics::TCanvas& canvas);

// An embossed copy of `image` (the caller owns it): the pixels of
// `maskColor` drawn in `shadow` over `background`, with a `highlight` copy
// one pixel right and down under them when `drawHighlight` is on. For a
// monochrome image the mask colour is white. The flat buttons call it with
// black, clBtnFace, clBtnHighlight, clBtnShadow and true.
std::unique_ptr<graphics::TBitmap> MakeDisabledImage(const graphics::TBitmap& image, TColor maskColor,
                                                     TColor background, TColor highlight, TColor shadow,
                                                     bool drawHighlight);

// Where a button's glyph and caption go.
struct TGlyphTextLayout {
    TPoint GlyphPos;  // top-left corner of the glyph image
    TRect TextBounds; // the caption's measured bounds (empty without caption)
};

// Places one image of `glyph` (a strip of `numGlyphs` images; may be null or
// empty) and the one-line `caption`, measured with `canvas`'s font, inside
// `client`, moved by `pressOffset` ((1, 1) while shown pressed).
//
// The glyph stands left of, right of, above or below the caption as
// `layout` says and both are centred across that axis. Along it, `margin`
// is the gap from the edge to the glyph and `spacing` the gap between glyph
// and caption; -1 for margin centres the pair, -1 for both splits the free
// room in three equal parts (the remainder of the division goes to the
// end), and -1 for spacing alone shares the room after the glyph evenly.
// Without a caption or a glyph the spacing is 0.
TGlyphTextLayout LayoutGlyphText(graphics::TCanvas& canvas, const TRect& client, TPoint pressOffset,
                                 const AnsiString& caption, TButtonLayout layout, int margin, int spacing,
                                 const graphics::TBitmap* glyph, TNumGlyphs numGlyphs);

}  // namespace flat
