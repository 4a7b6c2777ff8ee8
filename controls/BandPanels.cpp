#include "controls/BandPanels.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/Canvas.h"

namespace controls {

using namespace graphics;

CORE_CLASS_IMPL(TTopPanel)
CORE_CLASS_IMPL(TCenterPanel)
CORE_CLASS_IMPL(TBottomPanel)

namespace {

constexpr TColor kBandColor = 0xEBEBEB;
constexpr TColor kSilver = 0xC0C0C0;
constexpr TColor kGrey = 0x808080;
constexpr int kBandWidth = 4;

}  // namespace

void PaintGradient(TCanvas& canvas, TColor from, TColor to, const TRect& rect)
{
    // An empty rectangle has no bands; the band count of a rectangle 4 to 7
    // pixels narrower than nothing would even be 0.
    if (rect.IsEmpty())
        return;
    TColor start = ColorToRGB(from);
    TColor end = ColorToRGB(to);
    const int starts[3] = {GetRValue(start), GetGValue(start), GetBValue(start)};
    const int ends[3] = {GetRValue(end), GetGValue(end), GetBValue(end)};
    int steps = rect.Width() / kBandWidth + 1;
    double step[3];
    for (int c = 0; c < 3; ++c)
        step[c] = static_cast<double>(starts[c] - ends[c]) / steps;

    TCanvasStateSaver saver(canvas);
    canvas.Brush()->SetStyle(bsSolid);
    for (int i = 0; i <= steps; ++i) {
        int left = rect.Left + kBandWidth * i;
        if (left >= rect.Right)
            break;
        // std::nearbyint rounds halves to even in the default rounding mode.
        int channel[3];
        for (int c = 0; c < 3; ++c)
            channel[c] = static_cast<int>(std::nearbyint(starts[c] - i * step[c]));
        canvas.Brush()->SetColor(RGB(channel[0], channel[1], channel[2]));
        canvas.FillRect({left, rect.Top, std::min(left + kBandWidth, rect.Right), rect.Bottom});
    }
}

// ---- TTopPanel ---------------------------------------------------------------

TTopPanel::TTopPanel(core::TComponent* owner) : ui::TCustomPanel(owner)
{
    SetAlign(ui::alTop);
    SetColor(kBandColor);
}

void TTopPanel::Paint()
{
    PaintGradient(*Canvas(), clWhite, kSilver, ClientRect());
}

// ---- TCenterPanel ------------------------------------------------------------

TCenterPanel::TCenterPanel(core::TComponent* owner) : ui::TCustomPanel(owner)
{
    SetAlign(ui::alClient);
    SetColor(kBandColor);
    SetBorderStyle(ui::bsNone);
    SetBevelOuter(ui::bvNone);
    SetBevelInner(ui::bvNone);
    // The platform fills this band round the client area with the colour.
    SetBorderWidth(6);
}

void TCenterPanel::Paint()
{
    PaintGradient(*Canvas(), clWhite, kSilver, ClientRect());
}

// ---- TBottomPanel ------------------------------------------------------------

TBottomPanel::TBottomPanel(core::TComponent* owner) : ui::TCustomPanel(owner)
{
    SetAlign(ui::alBottom);
    SetColor(clBtnFace);
    SetCaption("标题");
}

void TBottomPanel::Publish(core::PropertyList& list)
{
    core::PropBuilder<TBottomPanel> p(list);
    p.Integer("LineColor", &TBottomPanel::LineColor, &TBottomPanel::SetLineColor, "TColor");
    p.String("Caption", &TBottomPanel::Caption, &TBottomPanel::SetCaption, "TCaption");
}

void TBottomPanel::Paint()
{
    TCanvas& canvas = *Canvas();
    const TRect r = ClientRect();
    PaintGradient(canvas, kSilver, kGrey, r);

    // The edges: dark along the left and the top, light along the right and
    // the bottom, and a black line under the top edge.
    canvas.Pen()->SetStyle(psSolid);
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetMode(pmCopy);
    canvas.Pen()->SetColor(kGrey);
    canvas.MoveTo(r.Left, r.Bottom);
    canvas.LineTo(r.Left, r.Top);
    canvas.LineTo(r.Right, r.Top);
    canvas.Pen()->SetColor(clWhite);
    canvas.MoveTo(r.Right - 1, r.Top);
    canvas.LineTo(r.Right - 1, r.Bottom - 1);
    canvas.LineTo(r.Left, r.Bottom - 1);
    canvas.Pen()->SetColor(clBlack);
    canvas.MoveTo(r.Left + 1, r.Top + 1);
    canvas.LineTo(r.Right - 1, r.Top + 1);

    // The tab: from the left edge along under the caption, up at its right
    // end and on to the right edge, once in white and once in LineColor one
    // pixel lower and further right.
    int h = (r.Bottom - r.Top) / 5;
    canvas.Font()->SetName("宋体");
    canvas.Font()->SetCharset(GB2312_CHARSET);
    canvas.Font()->SetSize(11);
    canvas.Font()->SetColor(clWindowText);
    core::AnsiString caption = Caption();
    int tabRight = r.Left + canvas.TextWidth(caption) + 12;
    const TPoint tab[] = {{r.Left, r.Bottom - h}, {tabRight, r.Bottom - h}, {tabRight, r.Top + h / 2}, {r.Right - 2, r.Top + h / 2}};
    TPoint shifted[4];
    for (int i = 0; i < 4; ++i)
        shifted[i] = {tab[i].X + 1, tab[i].Y + 1};
    canvas.Pen()->SetColor(clWhite);
    canvas.Polyline(tab);
    canvas.Pen()->SetColor(lineColor_);
    canvas.Polyline(shifted);

    canvas.Brush()->SetStyle(bsClear);
    canvas.SetBkMode(TRANSPARENT);
    int textHeight = canvas.TextHeight("中");
    canvas.TextOut(r.Left + 6, r.Top + ((r.Bottom - h + 1) - r.Top - textHeight) / 2, caption);
}

}  // namespace controls
