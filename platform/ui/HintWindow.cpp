#include "platform/ui/HintWindow.h"

#include "platform/graphics/Bitmap.h"

namespace ui {

CORE_CLASS_IMPL(THintWindow)

using namespace graphics;

namespace {

// The text stands this far from the frame on the left and right, and on
// the top and bottom.
constexpr int kPadX = 2;
constexpr int kPadY = 1;
constexpr unsigned kTextFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

}  // namespace

AnsiString GetShortHint(const AnsiString& hint)
{
    size_t bar = hint.find('|');
    return bar == AnsiString::npos ? hint : hint.substr(0, bar);
}

AnsiString GetLongHint(const AnsiString& hint)
{
    size_t bar = hint.find('|');
    return bar == AnsiString::npos ? hint : hint.substr(bar + 1);
}

THintWindow::THintWindow(core::TComponent* owner) : TCustomControl(owner)
{
    SetVisible(false);
    SetColor(clInfoBk);
    SetParentFont(false);
    Font()->SetName("宋体");
    Font()->SetCharset(GB2312_CHARSET);
    Font()->SetHeight(-12);
    Font()->SetColor(clInfoText);
}

THintWindow::~THintWindow() = default;

void THintWindow::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    params.WndParent = nullptr;
}

TRect THintWindow::CalcHintRect(int maxWidth, const AnsiString& hint)
{
    TBitmap scratch(1, 1);
    TCanvas& canvas = *scratch.Canvas();
    canvas.Font()->Assign(Font());
    TRect r{0, 0, maxWidth, 0};
    canvas.DrawText(hint, r, kTextFlags | DT_CALCRECT);
    // The frame takes one pixel on each side.
    return {0, 0, r.Width() + 2 * kPadX + 2, r.Height() + 2 * kPadY + 2};
}

void THintWindow::ActivateHint(const TRect& rect, const AnsiString& hint)
{
    SetCaption(hint);
    SetBoundsRect(rect);
    Show();
    // The window may have gone with the display while Visible stayed on.
    Handle()->Show(true);
    Handle()->BringToTop();
    Invalidate();
}

void THintWindow::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetColor(Font()->Color());
    TRect r = Inflate(ClientRect(), -kPadX, -kPadY);
    canvas.DrawText(Caption(), r, kTextFlags);
}

void THintWindow::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_NCHITTEST:
        m.Result = HTTRANSPARENT;
        return;
    case WM_MOUSEACTIVATE:
        m.Result = MA_NOACTIVATE;
        return;
    default:
        TCustomControl::WndProc(m);
        return;
    }
}

}  // namespace ui
