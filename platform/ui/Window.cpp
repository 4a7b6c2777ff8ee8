#include "platform/ui/Window.h"

#include <algorithm>
#include <cstring>

#include "platform/ui/WindowManager.h"

namespace ui {

namespace {

constexpr int kScrollBarSize = 17;

}  // namespace

TWindow::~TWindow() = default;

HWND TWindow::TopLevel() const
{
    const TWindow* w = this;
    while (w->parent_)
        w = w->parent_;
    return const_cast<HWND>(w);
}

bool TWindow::IsDescendantOf(HWND ancestor) const
{
    for (const TWindow* w = this; w; w = w->parent_)
        if (w == ancestor)
            return true;
    return false;
}

void TWindow::SetStyle(uint32_t style)
{
    if (style == style_)
        return;
    // Visibility and enabling go through Show and Enable so that their
    // notifications happen; the rest is the frame.
    constexpr uint32_t kState = WS_VISIBLE | WS_DISABLED;
    uint32_t frame = style & ~kState;
    if (frame != (style_ & ~kState)) {
        style_ = frame | (style_ & kState);
        UpdateClientRect();
        frameDirty_ = true;
        Invalidate(nullptr, true);
        if (IsTopLevel())
            WindowManager().Backend().WindowChanged(this);
    }
    Show((style & WS_VISIBLE) != 0);
    Enable((style & WS_DISABLED) == 0);
}

void TWindow::SetExStyle(uint32_t exStyle)
{
    if (exStyle == exStyle_)
        return;
    exStyle_ = exStyle;
    UpdateClientRect();
    Invalidate(nullptr, true);
    frameDirty_ = true;
    if (IsTopLevel())
        WindowManager().Backend().WindowChanged(this);
}

void TWindow::SetText(const AnsiString& text)
{
    if (text == text_)
        return;
    text_ = text;
    if (IsTopLevel())
        WindowManager().Backend().WindowChanged(this);
}

TRect TWindow::WindowRect() const
{
    TPoint origin = parent_ ? parent_->ClientToScreen({bounds_.Left, bounds_.Top}) : bounds_.TopLeft();
    return graphics::Bounds(origin.X, origin.Y, bounds_.Width(), bounds_.Height());
}

TPoint TWindow::ClientOrigin() const
{
    TRect w = WindowRect();
    return {w.Left + clientRect_.Left, w.Top + clientRect_.Top};
}

TPoint TWindow::ClientToScreen(TPoint p) const
{
    return p + ClientOrigin();
}

TPoint TWindow::ScreenToClient(TPoint p) const
{
    return p - ClientOrigin();
}

TPoint TWindow::OffsetInTopLevel() const
{
    TPoint offset{0, 0};
    for (const TWindow* w = this; w->parent_; w = w->parent_) {
        offset.X += w->bounds_.Left + w->parent_->clientRect_.Left;
        offset.Y += w->bounds_.Top + w->parent_->clientRect_.Top;
    }
    return offset;
}

void TWindow::UpdateClientRect()
{
    TRect old = clientRect_;
    TRect r{0, 0, bounds_.Width(), bounds_.Height()};
    TMessage m{WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r), 0};
    WindowManager().Perform(this, m);
    if (r.Right < r.Left)
        r.Right = r.Left;
    if (r.Bottom < r.Top)
        r.Bottom = r.Top;
    clientRect_ = r;
    if (old.Width() != r.Width() || old.Height() != r.Height())
        update_.Intersect(ClientRect());
}

bool TWindow::IsWindowVisible() const
{
    for (const TWindow* w = this; w; w = w->parent_)
        if (!w->Visible())
            return false;
    return true;
}

bool TWindow::IsWindowEnabled() const
{
    return Enabled();
}

void TWindow::InvalidateInParent(const TRect& windowRectInParent)
{
    if (parent_)
        parent_->Invalidate(&windowRectInParent, true);
}

void TWindow::SetWindowPos(HWND insertAfter, int x, int y, int width, int height, uint32_t flags)
{
    TRect next = bounds_;
    if (!(flags & SWP_NOMOVE))
        next = graphics::Bounds(x, y, next.Width(), next.Height());
    if (!(flags & SWP_NOSIZE))
        next = graphics::Bounds(next.Left, next.Top, std::max(width, 0), std::max(height, 0));
    TWindowManager& wm = WindowManager();

    TRect old = bounds_;
    bool moved = next.Left != old.Left || next.Top != old.Top;
    bool sized = next.Width() != old.Width() || next.Height() != old.Height();
    if (moved || sized || (flags & SWP_FRAMECHANGED)) {
        wm.SendMessage(this, WM_WINDOWPOSCHANGING, flags, reinterpret_cast<LPARAM>(&next));
        if (Visible())
            InvalidateInParent(old);
        bounds_ = next;
        TRect oldClient = clientRect_;
        UpdateClientRect();
        frameDirty_ = true;
        if (sized || oldClient != clientRect_)
            Invalidate(nullptr, true);
        if (Visible())
            InvalidateInParent(bounds_);
        if (!parent_ && !surface_.IsNull() && sized)
            surface_ = {};  // reallocated on the next draw
        if (IsTopLevel())
            wm.Backend().WindowChanged(this);
        wm.SendMessage(this, WM_WINDOWPOSCHANGED, flags, reinterpret_cast<LPARAM>(&bounds_));
        if (moved)
            wm.SendMessage(this, WM_MOVE, 0, MakeLParam(bounds_.Left + clientRect_.Left, bounds_.Top + clientRect_.Top));
        if (sized || oldClient.Width() != clientRect_.Width() || oldClient.Height() != clientRect_.Height())
            wm.SendMessage(this, WM_SIZE, SIZE_RESTORED, MakeLParam(clientRect_.Width(), clientRect_.Height()));
    }
    if (!(flags & SWP_NOZORDER)) {
        auto& siblings = parent_ ? parent_->children_ : wm.topLevels_;
        auto self = std::find(siblings.begin(), siblings.end(), this);
        if (self != siblings.end()) {
            siblings.erase(self);
            auto after = std::find(siblings.begin(), siblings.end(), insertAfter);
            siblings.insert(after == siblings.end() ? siblings.begin() : after + 1, this);
            if (Visible())
                Invalidate(nullptr, true);
        }
    }
    if (flags & SWP_SHOWWINDOW)
        Show(true);
    if (flags & SWP_HIDEWINDOW)
        Show(false);
}

void TWindow::BringToTop()
{
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TWindow::Show(bool show)
{
    if (Visible() == show)
        return;
    TWindowManager& wm = WindowManager();
    wm.SendMessage(this, WM_SHOWWINDOW, show ? 1 : 0, 0);
    if (show)
        style_ |= WS_VISIBLE;
    else
        style_ &= ~WS_VISIBLE;
    if (show) {
        frameDirty_ = true;
        Invalidate(nullptr, true);
    }
    InvalidateInParent(bounds_);
    if (!show) {
        // Focus, capture and the pointer leave a window that disappears.
        if (wm.focus_ && wm.focus_->IsDescendantOf(this))
            wm.SetFocus(parent_ && parent_->IsWindowVisible() ? parent_ : nullptr);
        if (wm.capture_ && wm.capture_->IsDescendantOf(this))
            wm.ReleaseCapture();
    }
    if (IsTopLevel())
        wm.Backend().WindowChanged(this);
}

void TWindow::Enable(bool enable)
{
    if (Enabled() == enable)
        return;
    TWindowManager& wm = WindowManager();
    if (enable)
        style_ &= ~WS_DISABLED;
    else
        style_ |= WS_DISABLED;
    if (!enable) {
        if (wm.focus_ && wm.focus_->IsDescendantOf(this))
            wm.SetFocus(nullptr);
        if (wm.capture_ && wm.capture_->IsDescendantOf(this))
            wm.ReleaseCapture();
    }
    wm.SendMessage(this, WM_ENABLE, enable ? 1 : 0, 0);
    if (IsTopLevel())
        wm.Backend().WindowChanged(this);
}

void TWindow::AddUpdate(const TRegion& clientRegion, bool erase)
{
    if (clientRegion.IsEmpty())
        return;
    update_.Union(clientRegion);
    erase_ = erase_ || erase;
}

void TWindow::Invalidate(const TRect* rect, bool erase)
{
    TRegion region(rect ? Intersection(*rect, ClientRect()) : ClientRect());
    InvalidateRegion(region, erase);
}

void TWindow::InvalidateRegion(const TRegion& clientRegion, bool erase)
{
    if (destroying_)
        return;
    TRegion region = clientRegion;
    region.Intersect(ClientRect());
    AddUpdate(region, erase);
    // What lies under a child is invalid for the child as well.
    for (HWND child : children_) {
        if (!child->Visible())
            continue;
        TRegion part = region;
        part.Intersect(child->bounds_);
        if (part.IsEmpty())
            continue;
        part.Offset(-child->bounds_.Left - child->clientRect_.Left, -child->bounds_.Top - child->clientRect_.Top);
        TRegion clientPart = part;
        clientPart.Intersect(child->ClientRect());
        if (!(part == clientPart))
            child->frameDirty_ = true;
        child->InvalidateRegion(clientPart, erase);
    }
}

void TWindow::Validate(const TRect* rect)
{
    if (rect)
        update_.Subtract(*rect);
    else
        update_.Clear();
    if (update_.IsEmpty())
        erase_ = false;
}

TRegion TWindow::UpdateRegion() const
{
    return update_;
}

void TWindow::Update()
{
    if (!IsWindowVisible())
        return;
    TWindowManager& wm = WindowManager();
    if (frameDirty_) {
        frameDirty_ = false;
        wm.SendMessage(this, WM_NCPAINT, 1, 0);
    }
    if (!update_.IsEmpty())
        wm.SendMessage(this, WM_PAINT, 0, 0);
}

TRegion TWindow::VisibleRegion(bool client) const
{
    TRegion visible;
    if (!IsWindowVisible())
        return visible;
    TPoint offset = OffsetInTopLevel();
    TRect own = client ? graphics::Offset(clientRect_, offset.X, offset.Y)
                       : graphics::Bounds(offset.X, offset.Y, bounds_.Width(), bounds_.Height());
    visible = TRegion(own);
    // Inside every ancestor's client area; higher siblings clip where asked.
    const TWindow* w = this;
    while (w->parent_) {
        const TWindow* parent = w->parent_;
        TPoint parentOffset = parent->OffsetInTopLevel();
        visible.Intersect(graphics::Offset(parent->clientRect_, parentOffset.X, parentOffset.Y));
        if (w->style_ & WS_CLIPSIBLINGS) {
            for (HWND sibling : parent->children_) {
                if (sibling == w)
                    break;
                if (sibling->Visible())
                    visible.Subtract(graphics::Offset(sibling->bounds_, parentOffset.X + parent->clientRect_.Left,
                                                      parentOffset.Y + parent->clientRect_.Top));
            }
        }
        w = parent;
    }
    if (client && (style_ & WS_CLIPCHILDREN)) {
        for (HWND child : children_)
            if (child->Visible())
                visible.Subtract(graphics::Offset(child->bounds_, offset.X + clientRect_.Left, offset.Y + clientRect_.Top));
    }
    return visible;
}

TDrawTarget TWindow::ClientTarget() const
{
    TDrawTarget target;
    HWND top = TopLevel();
    target.Surface = WindowManager().SurfaceOf(top);
    TPoint offset = OffsetInTopLevel();
    target.Origin = {offset.X + clientRect_.Left, offset.Y + clientRect_.Top};
    target.Clip = VisibleRegion(true);
    target.Clip.Intersect(target.Surface.Bounds());
    top->presentDirty_.Union(target.Clip);
    return target;
}

TDrawTarget TWindow::BeginPaint(TRect& paintRect)
{
    TDrawTarget target = ClientTarget();
    TRegion invalid = update_;
    paintRect = invalid.ClipBox();
    invalid.Offset(target.Origin.X, target.Origin.Y);
    target.Clip.Intersect(invalid);
    bool erase = erase_;
    Validate(nullptr);
    if (erase)
        WindowManager().SendMessage(this, WM_ERASEBKGND, reinterpret_cast<WPARAM>(&target), 0);
    return target;
}

TDrawTarget TWindow::WindowTarget() const
{
    TDrawTarget target;
    HWND top = TopLevel();
    target.Surface = WindowManager().SurfaceOf(top);
    target.Origin = OffsetInTopLevel();
    target.Clip = VisibleRegion(false);
    target.Clip.Intersect(target.Surface.Bounds());
    top->presentDirty_.Union(target.Clip);
    return target;
}

void TWindow::Scroll(int dx, int dy, const TRect* scroll, const TRect* clip, uint32_t flags)
{
    TRect area = scroll ? Intersection(*scroll, ClientRect()) : ClientRect();
    if (clip)
        area = Intersection(area, *clip);
    if (area.IsEmpty() || (dx == 0 && dy == 0))
        return;
    TDrawTarget target = ClientTarget();
    TPoint o = target.Origin;
    // The pixels that can move: visible and not waiting to be painted.
    TRegion source = target.Clip;
    source.Intersect(graphics::Offset(area, o.X, o.Y));
    TRegion pending = update_;
    pending.Offset(o.X, o.Y);
    source.Subtract(pending);
    TRegion moved = source;
    moved.Offset(dx, dy);
    moved.Intersect(graphics::Offset(area, o.X, o.Y));
    moved.Intersect(target.Clip);

    // Copy row by row in the direction that does not overwrite the source.
    const graphics::TSurface& s = target.Surface;
    for (const TRect& r : moved.Rects()) {
        int width = r.Width();
        if (dy > 0) {
            for (int y = r.Bottom - 1; y >= r.Top; --y)
                std::memmove(&s.At(r.Left, y), &s.At(r.Left - dx, y - dy), width * sizeof(graphics::TPixel));
        } else {
            for (int y = r.Top; y < r.Bottom; ++y)
                std::memmove(&s.At(r.Left, y), &s.At(r.Left - dx, y - dy), width * sizeof(graphics::TPixel));
        }
    }
    // A pending update moves with the pixels; what was uncovered is invalid.
    TRegion movedPending = update_;
    movedPending.Intersect(area);
    update_.Subtract(area);
    movedPending.Offset(dx, dy);
    movedPending.Intersect(area);
    update_.Union(movedPending);
    TRegion uncovered(area);
    moved.Offset(-o.X, -o.Y);
    uncovered.Subtract(moved);
    if (flags & SW_INVALIDATE)
        InvalidateRegion(uncovered, (flags & SW_ERASE) != 0);
    if (flags & SW_SCROLLCHILDREN) {
        for (HWND child : children_)
            child->SetWindowPos(nullptr, child->bounds_.Left + dx, child->bounds_.Top + dy, 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

TScrollInfo TWindow::GetScrollInfo(int bar) const
{
    return scroll_[bar == SB_VERT ? 1 : 0];
}

int TWindow::SetScrollInfo(int bar, const TScrollInfo& info, uint32_t mask, bool redraw)
{
    TScrollInfo& s = scroll_[bar == SB_VERT ? 1 : 0];
    if (mask & SIF_RANGE) {
        s.Min = info.Min;
        s.Max = std::max(info.Max, info.Min);
    }
    if (mask & SIF_PAGE)
        s.Page = std::clamp(info.Page, 0, s.Max - s.Min + 1);
    if (mask & SIF_POS)
        s.Pos = info.Pos;
    if (mask & SIF_TRACKPOS)
        s.TrackPos = info.TrackPos;
    int top = s.Max - std::max(s.Page - 1, 0);
    s.Pos = std::clamp(s.Pos, s.Min, std::max(top, s.Min));
    if (mask & (SIF_RANGE | SIF_PAGE)) {
        // A bar whose whole range fits in its page goes away.
        bool needed = s.Max > s.Min && s.Page <= s.Max - s.Min;
        if (!(mask & SIF_DISABLENOSCROLL) && needed != ScrollBarVisible(bar))
            ShowScrollBar(bar, needed);
    }
    if (redraw && ScrollBarVisible(bar))
        frameDirty_ = true;
    return s.Pos;
}

bool TWindow::ScrollBarVisible(int bar) const
{
    return (style_ & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
}

void TWindow::ShowScrollBar(int bar, bool show)
{
    uint32_t style = style_;
    uint32_t bits = bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    style = show ? style | bits : style & ~bits;
    if (style == style_)
        return;
    TRect oldClient = clientRect_;
    style_ = style;
    UpdateClientRect();
    frameDirty_ = true;
    Invalidate(nullptr, true);
    if (oldClient.Width() != clientRect_.Width() || oldClient.Height() != clientRect_.Height())
        WindowManager().SendMessage(this, WM_SIZE, SIZE_RESTORED, MakeLParam(clientRect_.Width(), clientRect_.Height()));
}

TRect TWindow::ScrollBarRect(int bar) const
{
    if (!ScrollBarVisible(bar))
        return {};
    TRect c = clientRect_;
    if (bar == SB_VERT)
        return {c.Right, c.Top, c.Right + kScrollBarSize, c.Bottom};
    return {c.Left, c.Bottom, c.Right, c.Bottom + kScrollBarSize};
}

LRESULT TWindow::Send(uint32_t msg, WPARAM wParam, LPARAM lParam)
{
    return WindowManager().SendMessage(this, msg, wParam, lParam);
}

bool TWindow::Post(uint32_t msg, WPARAM wParam, LPARAM lParam)
{
    return WindowManager().PostMessage(this, msg, wParam, lParam);
}

}  // namespace ui
