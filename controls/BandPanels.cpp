#include "controls/BandPanels.h"

#include "platform/graphics/Canvas.h"

namespace controls {

using namespace graphics;

CORE_CLASS_IMPL(TTopPanel)
CORE_CLASS_IMPL(TCenterPanel)
CORE_CLASS_IMPL(TBottomPanel)

namespace {

constexpr TColor kBandColor = 0xEBEBEB;

void PaintPlain(ui::TCustomPanel& panel, TCanvas& canvas)
{
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(panel.Color());
    canvas.FillRect(panel.ClientRect());
}

}  // namespace

TTopPanel::TTopPanel(core::TComponent* owner) : ui::TCustomPanel(owner)
{
    SetBevelOuter(ui::bvNone);
    SetAlign(ui::alTop);
    SetColor(kBandColor);
}

void TTopPanel::Paint()
{
    PaintPlain(*this, *Canvas());
}

TCenterPanel::TCenterPanel(core::TComponent* owner) : ui::TCustomPanel(owner)
{
    SetBevelOuter(ui::bvNone);
    SetAlign(ui::alClient);
    SetColor(kBandColor);
    SetBorderWidth(6);
}

void TCenterPanel::Paint()
{
    PaintPlain(*this, *Canvas());
}

TBottomPanel::TBottomPanel(core::TComponent* owner) : ui::TCustomPanel(owner)
{
    SetBevelOuter(ui::bvNone);
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

void TBottomPanel::SetLineColor(TColor value)
{
    if (value == lineColor_)
        return;
    lineColor_ = value;
    Invalidate();
}

void TBottomPanel::Paint()
{
    TCanvas& canvas = *Canvas();
    PaintPlain(*this, canvas);
    TRect r = ClientRect();
    int h = (r.Bottom - r.Top) / 5;
    canvas.Font()->SetName("宋体");
    canvas.Font()->SetCharset(GB2312_CHARSET);
    canvas.Font()->SetSize(11);
    canvas.Font()->SetColor(clWindowText);
    core::AnsiString caption = Caption();
    int captionWidth = canvas.TextWidth(caption);
    // The line runs under the caption, up round its right end and on to the
    // right edge: a tab holding the caption.
    int tabRight = r.Left + captionWidth + 12;
    const TPoint line[] = {{r.Left + 1, r.Bottom - h + 1},
                           {tabRight + 1, r.Bottom - h + 1},
                           {tabRight + 1, r.Top + h / 2 + 1},
                           {r.Right - 1, r.Top + h / 2 + 1}};
    canvas.Pen()->SetStyle(psSolid);
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetColor(lineColor_);
    canvas.Polyline(line);
    canvas.Brush()->SetStyle(bsClear);
    int textHeight = canvas.TextHeight("中");
    canvas.TextOut(r.Left + 6, r.Top + ((r.Bottom - h + 1) - r.Top - textHeight) / 2, caption);
}

}  // namespace controls
