// Default handling of messages, and the frame every window draws for itself:
// borders and scroll bars.
#include <algorithm>

#include "platform/graphics/Color.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowManager.h"

namespace ui {

namespace {

using graphics::TPixel;

// Fills a rectangle (target coordinates) with one colour, inside the clip.
void Fill(const TDrawTarget& target, const TRect& rect, graphics::TColor color)
{
    TPixel pixel = graphics::ColorToPixel(color);
    TRegion region(graphics::Offset(rect, target.Origin.X, target.Origin.Y));
    region.Intersect(target.Clip);
    for (const TRect& r : region.Rects())
        for (int y = r.Top; y < r.Bottom; ++y)
            std::fill(&target.Surface.At(r.Left, y), &target.Surface.At(r.Left, y) + r.Width(), pixel);
}

// Draws the two-colour frame of a 3D edge, one pixel wide.
void Frame(const TDrawTarget& target, const TRect& r, graphics::TColor topLeft, graphics::TColor bottomRight)
{
    Fill(target, {r.Left, r.Top, r.Right - 1, r.Top + 1}, topLeft);
    Fill(target, {r.Left, r.Top, r.Left + 1, r.Bottom - 1}, topLeft);
    Fill(target, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
    Fill(target, {r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
}

void RaisedBox(const TDrawTarget& target, TRect r)
{
    using namespace graphics;
    Fill(target, r, SysColor(COLOR_BTNFACE));
    Frame(target, r, SysColor(COLOR_3DLIGHT), SysColor(COLOR_3DDKSHADOW));
    Frame(target, Inflate(r, -1, -1), SysColor(COLOR_BTNHIGHLIGHT), SysColor(COLOR_BTNSHADOW));
}

// A small solid triangle pointing in `direction` (0 up, 1 down, 2 left, 3 right).
void Arrow(const TDrawTarget& target, const TRect& box, int direction, bool enabled)
{
    graphics::TColor color = enabled ? graphics::SysColor(graphics::COLOR_BTNTEXT) : graphics::SysColor(graphics::COLOR_GRAYTEXT);
    int cx = box.Left + box.Width() / 2, cy = box.Top + box.Height() / 2;
    for (int i = 0; i < 4; ++i) {
        int half = i;
        switch (direction) {
        case 0: Fill(target, {cx - half, cy - 2 + i, cx + half + 1, cy - 1 + i}, color); break;
        case 1: Fill(target, {cx - (3 - half), cy - 1 + i, cx + (3 - half) + 1, cy + i}, color); break;
        case 2: Fill(target, {cx - 2 + i, cy - half, cx - 1 + i, cy + half + 1}, color); break;
        default: Fill(target, {cx - 1 + i, cy - (3 - half), cx + i, cy + (3 - half) + 1}, color); break;
        }
    }
}

void PaintScrollBar(HWND window, const TDrawTarget& target, int bar)
{
    TRect r = window->ScrollBarRect(bar);
    if (r.IsEmpty())
        return;
    bool vertical = bar == SB_VERT;
    int length = vertical ? r.Height() : r.Width();
    int arrow = std::min(17, length / 2);
    TScrollInfo info = window->GetScrollInfo(bar);
    bool enabled = window->Enabled() && info.Max > info.Min;
    TRect first = vertical ? TRect{r.Left, r.Top, r.Right, r.Top + arrow} : TRect{r.Left, r.Top, r.Left + arrow, r.Bottom};
    TRect last = vertical ? TRect{r.Left, r.Bottom - arrow, r.Right, r.Bottom} : TRect{r.Right - arrow, r.Top, r.Right, r.Bottom};
    TRect track = vertical ? TRect{r.Left, first.Bottom, r.Right, last.Top} : TRect{first.Right, r.Top, last.Left, r.Bottom};
    // The track is a fine checkerboard of face and highlight.
    using namespace graphics;
    Fill(target, track, SysColor(COLOR_BTNHIGHLIGHT));
    for (int y = track.Top; y < track.Bottom; ++y)
        for (int x = track.Left + ((track.Left + y) & 1); x < track.Right; x += 2)
            Fill(target, {x, y, x + 1, y + 1}, SysColor(COLOR_BTNFACE));
    RaisedBox(target, first);
    RaisedBox(target, last);
    Arrow(target, first, vertical ? 0 : 2, enabled);
    Arrow(target, last, vertical ? 1 : 3, enabled);
    int trackLength = length - 2 * arrow;
    if (!enabled || trackLength < 8)
        return;
    int range = info.Max - info.Min + 1;
    int thumb = info.Page > 0 ? std::max(trackLength * info.Page / std::max(range, 1), 8) : 17;
    thumb = std::min(thumb, trackLength);
    int span = range - std::max(info.Page, 1);
    int pos = info.Pos;
    int at = span > 0 ? (trackLength - thumb) * (pos - info.Min) / span : 0;
    TRect thumbRect = vertical ? TRect{r.Left, track.Top + at, r.Right, track.Top + at + thumb}
                               : TRect{track.Left + at, r.Top, track.Left + at + thumb, r.Bottom};
    RaisedBox(target, thumbRect);
}

}  // namespace

// Borders the styles ask for, scroll bars, then what the window adds.
void PaintNonClient(HWND window)
{
    TDrawTarget target = window->WindowTarget();
    TRect r{0, 0, window->BoundsRect().Width(), window->BoundsRect().Height()};
    using namespace graphics;
    // The display frames top-level windows with a caption; a pop-up with a
    // border alone (WS_BORDER is half of WS_CAPTION) draws its own.
    bool framed = !window->IsTopLevel() || (window->Style() & WS_CAPTION) != WS_CAPTION;
    if (framed && (window->Style() & WS_BORDER) && !(window->Style() & WS_DLGFRAME)) {
        Frame(target, r, SysColor(COLOR_WINDOWFRAME), SysColor(COLOR_WINDOWFRAME));
        r = Inflate(r, -1, -1);
    }
    if (framed && (window->Style() & WS_DLGFRAME)) {
        RaisedBox(target, r);
        Frame(target, Inflate(r, -2, -2), SysColor(COLOR_BTNFACE), SysColor(COLOR_BTNFACE));
        r = Inflate(r, -3, -3);
    }
    if (window->ExStyle() & WS_EX_CLIENTEDGE) {
        Frame(target, r, SysColor(COLOR_BTNSHADOW), SysColor(COLOR_BTNHIGHLIGHT));
        Frame(target, Inflate(r, -1, -1), SysColor(COLOR_3DDKSHADOW), SysColor(COLOR_3DLIGHT));
    } else if (window->ExStyle() & WS_EX_STATICEDGE) {
        Frame(target, r, SysColor(COLOR_BTNSHADOW), SysColor(COLOR_BTNHIGHLIGHT));
    }
    PaintScrollBar(window, target, SB_HORZ);
    PaintScrollBar(window, target, SB_VERT);
    if (window->ScrollBarVisible(SB_HORZ) && window->ScrollBarVisible(SB_VERT)) {
        TRect c = window->ClientInWindow();
        Fill(target, {c.Right, c.Bottom, c.Right + 17, c.Bottom + 17}, SysColor(COLOR_BTNFACE));
    }
}

namespace {

TRect FrameInsets(HWND window, TRect r)
{
    bool framed = !window->IsTopLevel() || (window->Style() & WS_CAPTION) != WS_CAPTION;
    if (framed && (window->Style() & WS_DLGFRAME))
        r = graphics::Inflate(r, -3, -3);
    else if (framed && (window->Style() & WS_BORDER))
        r = graphics::Inflate(r, -1, -1);
    if (window->ExStyle() & WS_EX_CLIENTEDGE)
        r = graphics::Inflate(r, -2, -2);
    else if (window->ExStyle() & WS_EX_STATICEDGE)
        r = graphics::Inflate(r, -1, -1);
    if (window->Style() & WS_VSCROLL)
        r.Right -= 17;
    if (window->Style() & WS_HSCROLL)
        r.Bottom -= 17;
    return r;
}

int HitTest(HWND window, TPoint screen)
{
    TRect w = window->WindowRect();
    if (!w.Contains(screen))
        return HTNOWHERE;
    TPoint p = screen - w.TopLeft();
    if (window->ClientInWindow().Contains(p))
        return HTCLIENT;
    if (window->ScrollBarRect(SB_VERT).Contains(p))
        return HTVSCROLL;
    if (window->ScrollBarRect(SB_HORZ).Contains(p))
        return HTHSCROLL;
    return HTBORDER;
}

}  // namespace

LRESULT DefWindowProc(HWND window, TMessage& m)
{
    TWindowManager& wm = WindowManager();
    switch (m.Msg) {
    case WM_NCCALCSIZE: {
        auto* r = reinterpret_cast<TRect*>(m.LParam);
        *r = FrameInsets(window, *r);
        return 0;
    }
    case WM_NCHITTEST:
        return HitTest(window, {SignedLoWord(m.LParam), SignedHiWord(m.LParam)});
    case WM_NCPAINT:
        PaintNonClient(window);
        return 0;
    case WM_PAINT:
        // Nobody painted: what was asked for counts as done.
        window->Validate(nullptr);
        return 0;
    case WM_ERASEBKGND: {
        auto* target = reinterpret_cast<const TDrawTarget*>(m.WParam);
        if (target)
            Fill(*target, window->ClientRect(), graphics::SysColor(graphics::COLOR_BTNFACE));
        return 1;
    }
    case WM_SETCURSOR: {
        // The parent may decide first; otherwise the arrow over the client area.
        if (window->Parent() && wm.SendMessage(window->Parent(), WM_SETCURSOR, m.WParam, m.LParam))
            return 1;
        if (LoWord(m.LParam) == HTCLIENT || LoWord(m.LParam) == HTVSCROLL || LoWord(m.LParam) == HTHSCROLL) {
            wm.SetCursor(crDefault);
            return 0;
        }
        return 0;
    }
    case WM_MOUSEACTIVATE:
        if (window->Parent())
            return wm.SendMessage(window->Parent(), WM_MOUSEACTIVATE, m.WParam, m.LParam);
        return (window->ExStyle() & WS_EX_NOACTIVATE) ? MA_NOACTIVATE : MA_ACTIVATE;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (m.WParam == HTVSCROLL || m.WParam == HTHSCROLL)
            wm.StartScrollTrack(window, static_cast<int>(m.WParam), {SignedLoWord(m.LParam), SignedHiWord(m.LParam)});
        return 0;
    case WM_SYSCOMMAND:
        if ((m.WParam & 0xFFF0) == SC_CLOSE)
            wm.SendMessage(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_CLOSE:
        wm.DestroyWindow(window);
        return 0;
    case WM_NEXTDLGCTL: {
        HWND dialog = window->TopLevel();
        HWND next = m.LParam ? reinterpret_cast<HWND>(m.WParam)
                             : wm.NextDlgTabItem(dialog, wm.Focus() ? wm.Focus() : window, m.WParam != 0);
        if (next)
            wm.SetFocus(next);
        return 0;
    }
    case WM_ACTIVATE:
        // An activated window with nothing focused gives the focus to itself.
        if (LoWord(static_cast<LPARAM>(m.WParam)) != WA_INACTIVE && (!wm.Focus() || wm.Focus()->TopLevel() != window))
            wm.SetFocus(window);
        return 0;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(window->Text().size());
    case WM_CANCELMODE:
        if (wm.Capture() == window)
            wm.ReleaseCapture();
        return 0;
    default:
        return 0;
    }
}

}  // namespace ui
