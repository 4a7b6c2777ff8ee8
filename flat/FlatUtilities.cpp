// The flat controls' colour arithmetic and drawing helpers. Conversions
// first (HslFromColor, ColorFromHsl, ShiftedColor), then the painters
// (DrawBevelFrame, PaintParentImage, MakeDisabledImage) and the placement
// of glyph and caption (LayoutGlyphText).
#include "flat/FlatUtilities.h"

#include <algorithm>
#include <cmath>

#include "platform/core/TypeInfo.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/SpeedButton.h"
#include "platform/ui/WinControl.h"

namespace flat {

using namespace graphics;

// ---- Hue, saturation, lightness ----------------------------------------------

namespace {

// Nearest integer, ties to even (the default rounding mode).
int RoundEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

int ToByte(double value)
{
    return std::clamp(RoundEven(value * 255.0), 0, 255);
}

}  // namespace

THsl HslFromColor(TColor color)
{
    TColor rgb = ColorToRGB(color);
    double r = GetRValue(rgb) / 255.0;
    double g = GetGValue(rgb) / 255.0;
    double b = GetBValue(rgb) / 255.0;
    double max = std::max({r, g, b});
    double min = std::min({r, g, b});
    double l = (max + min) / 2;
    double h = 0;
    double s = 0;
    if (max != min) {
        double d = max - min;
        s = l < 0.5 ? d / (max + min) : d / (2 - max - min);
        if (max == r)
            h = (g - b) / d;
        else if (max == g)
            h = 2 + (b - r) / d;
        else
            h = 4 + (r - g) / d;
        h /= 6;
        if (h < 0)
            h += 1;
    }
    return {RoundEven(h * HslHueMax), RoundEven(s * HslMax), RoundEven(l * HslMax)};
}

TColor ColorFromHsl(int hue, int saturation, int lightness)
{
    double h = std::clamp(hue, 0, HslHueMax) / static_cast<double>(HslHueMax);
    double s = std::clamp(saturation, 0, HslMax) / static_cast<double>(HslMax);
    double l = std::clamp(lightness, 0, HslMax) / static_cast<double>(HslMax);
    if (s == 0) {
        int grey = ToByte(l);
        return RGB(grey, grey, grey);
    }
    double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    double m1 = 2 * l - m2;
    auto component = [&](double x) {
        if (x < 0)
            x += 1;
        else if (x > 1)
            x -= 1;
        double v;
        if (6 * x < 1)
            v = m1 + (m2 - m1) * 6 * x;
        else if (2 * x < 1)
            v = m2;
        else if (3 * x < 2)
            v = m1 + (m2 - m1) * (2.0 / 3 - x) * 6;
        else
            v = m1;
        return ToByte(v);
    };
    return RGB(component(h + 1.0 / 3), component(h), component(h - 1.0 / 3));
}

TColor ShiftedColor(TColor base, TColor fallback, TAdvColors percent, bool darker)
{
    int p = std::clamp(percent, 0, 100);
    if (p == 0)
        return fallback;
    // The lightness moves the given share of the way to the end of the
    // scale, rounded to the nearest step: 100 per cent reaches white or
    // black, and small shares of a colour near its end may not move at all.
    THsl hsl = HslFromColor(base);
    if (darker)
        hsl.Lightness -= (hsl.Lightness * p + 50) / 100;
    else
        hsl.Lightness += ((HslMax - hsl.Lightness) * p + 50) / 100;
    return ColorFromHsl(hsl);
}

// ---- Pointer -------------------------------------------------------------------

ui::TControl* ControlAtCursor()
{
    ui::TWindowManager& wm = ui::WindowManager();
    TPoint p = wm.CursorPos();
    ui::TWinControl* window = ui::TWinControl::FromHandle(wm.WindowFromPoint(p));
    if (!window)
        return nullptr;
    if (ui::TControl* child = window->ControlAtPos(window->ScreenToClient(p), false))
        return child;
    return window;
}

// ---- Drawing -------------------------------------------------------------------

TRect DrawBevelFrame(TCanvas& canvas, TRect rect, TColor topLeft, TColor bottomRight, int width)
{
    TCanvasStateSaver saver(canvas);
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetStyle(psSolid);
    // Each side is a line that leaves out its end point. Its ends are first
    // brought to just outside what can be drawn, which keeps every pixel
    // that shows and spares walking the rest of a frame far larger than
    // the surface.
    const TRect clip = canvas.ClipRect();
    auto side = [&](TPoint from, TPoint to) {
        if (from.Y == to.Y) {
            if (from.Y < clip.Top || from.Y >= clip.Bottom)
                return;
            from.X = std::clamp(from.X, clip.Left - 1, clip.Right);
            to.X = std::clamp(to.X, clip.Left - 1, clip.Right);
        } else {
            if (from.X < clip.Left || from.X >= clip.Right)
                return;
            from.Y = std::clamp(from.Y, clip.Top - 1, clip.Bottom);
            to.Y = std::clamp(to.Y, clip.Top - 1, clip.Bottom);
        }
        canvas.MoveTo(from.X, from.Y);
        canvas.LineTo(to.X, to.Y);
    };
    // Right and bottom name the last column and row; each side runs one
    // pixel past the corner it ends at.
    --rect.Right;
    --rect.Bottom;
    for (int i = 0; i < width; ++i) {
        canvas.Pen()->SetColor(topLeft);
        side({rect.Left, rect.Bottom}, {rect.Left, rect.Top});
        side({rect.Left, rect.Top}, {rect.Right, rect.Top});
        canvas.Pen()->SetColor(bottomRight);
        side({rect.Right, rect.Top}, {rect.Right, rect.Bottom});
        side({rect.Right, rect.Bottom}, {rect.Left - 1, rect.Bottom});
        rect = Inflate(rect, -1, -1);
    }
    ++rect.Right;
    ++rect.Bottom;
    return rect;
}

void PaintParentImage(const ui::TControl& control, TCanvas& canvas)
{
    ui::TWinControl* parent = control.Parent();
    if (!parent)
        return;
    TCanvasStateSaver saver(canvas);
    // The parent's (0, 0) lies up and left of the control's corner.
    canvas.MoveWindowOrg(-control.Left(), -control.Top());
    canvas.IntersectClipRect(parent->ClientRect());
    parent->PaintTo(canvas, 0, 0);
}

std::unique_ptr<TBitmap> MakeDisabledImage(const TBitmap& image, TColor maskColor, TColor background,
                                           TColor highlight, TColor shadow, bool drawHighlight)
{
    int width = image.Width();
    int height = image.Height();
    auto out = std::make_unique<TBitmap>(std::max(width, 0), std::max(height, 0));
    if (out->Empty())
        return out;
    TColor key = image.Monochrome() ? clWhite : ColorToRGB(maskColor);
    std::vector<bool> mask(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            mask[static_cast<size_t>(y) * width + x] = image.Pixel(x, y) == key;
    out->Canvas()->Brush()->SetColor(background);
    out->Canvas()->FillRect(Bounds(0, 0, width, height));
    auto paint = [&](TColor color, int shift) {
        TColor rgb = ColorToRGB(color);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (mask[static_cast<size_t>(y) * width + x])
                    out->SetPixel(x + shift, y + shift, rgb);
    };
    if (drawHighlight)
        paint(highlight, 1);
    paint(shadow, 0);
    return out;
}

TGlyphTextLayout LayoutGlyphText(TCanvas& canvas, const TRect& client, TPoint pressOffset, const AnsiString& caption,
                                 TButtonLayout layout, int margin, int spacing, const TBitmap* glyph,
                                 TNumGlyphs numGlyphs)
{
    TSize clientSize{client.Width(), client.Height()};
    TSize glyphSize;
    if (glyph && !glyph->Empty())
        glyphSize = {glyph->Width() / std::max(numGlyphs, 1), glyph->Height()};
    TGlyphTextLayout out;
    TSize textSize;
    if (!caption.empty()) {
        out.TextBounds = {0, 0, clientSize.cx, 0};
        canvas.DrawText(caption, out.TextBounds, DT_CALCRECT | DT_SINGLELINE);
        textSize = {out.TextBounds.Width(), out.TextBounds.Height()};
    }
    // Distances beyond any screen are brought back, so that the sums below
    // stay far from overflowing whatever a stored form says.
    constexpr int kFar = 32767;
    margin = std::clamp(margin, -1, kFar);
    spacing = std::clamp(spacing, -kFar, kFar);
    ui::TButtonPlacement at = ui::PlaceGlyphAndText(clientSize, glyphSize, textSize, layout, margin, spacing);
    TPoint origin = client.TopLeft() + pressOffset;
    out.GlyphPos = at.Glyph + origin;
    TPoint textAt = at.Text + origin;
    out.TextBounds = Offset(out.TextBounds, textAt.X, textAt.Y);
    return out;
}

}  // namespace flat
