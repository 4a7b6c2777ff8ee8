#pragma once

#include <memory>
#include <vector>

#include "platform/core/Forward.h"
#include "platform/graphics/Region.h"
#include "platform/graphics/Surface.h"
#include "platform/graphics/Types.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowStyles.h"

namespace ui {

using graphics::TPoint;
using graphics::TRect;
using graphics::TRegion;
using graphics::TSize;

// What receives a window's messages: the control that owns the window.
class IWindowHandler {
public:
    virtual ~IWindowHandler() = default;
    // Told the window's handle as soon as it exists, before its first message.
    virtual void AttachWindow(HWND) {}
    virtual void WindowProc(TMessage& message) = 0;
};

// What a window is created with.
struct TCreateParams {
    AnsiString Caption;
    uint32_t Style = 0;
    uint32_t ExStyle = 0;
    uint32_t ClassStyle = CS_DBLCLKS;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;  // the parent of a child, the owner of a pop-up
};

// One scroll bar's state.
enum : uint32_t { SIF_RANGE = 0x1, SIF_PAGE = 0x2, SIF_POS = 0x4, SIF_DISABLENOSCROLL = 0x8, SIF_TRACKPOS = 0x10, SIF_ALL = 0x17 };
struct TScrollInfo {
    int Min = 0;
    int Max = 100;
    int Page = 0;
    int Pos = 0;
    int TrackPos = 0;
};

// Where drawing on a window lands: the top-level window's pixels, the
// position of the drawing origin in them, and the pixels one may touch.
struct TDrawTarget {
    graphics::TSurface Surface;
    TPoint Origin;
    TRegion Clip;  // in surface coordinates
};

// A window: a rectangle of the screen with a place in the window tree, styles,
// a non-client frame (borders, scroll bars), an invalid region waiting to be
// painted, and a handler for its messages. Top-level windows own the pixels
// that they and their descendants draw into.
class TWindow {
public:
    HWND Parent() const { return parent_; }
    HWND Owner() const { return owner_; }
    // Children from the top of the z-order to the bottom.
    const std::vector<HWND>& Children() const { return children_; }
    HWND TopLevel() const;
    bool IsTopLevel() const { return parent_ == nullptr; }
    bool IsDescendantOf(HWND ancestor) const;

    IWindowHandler* Handler() const { return handler_; }
    void SetHandler(IWindowHandler* handler) { handler_ = handler; }

    uint32_t Style() const { return style_; }
    uint32_t ExStyle() const { return exStyle_; }
    uint32_t ClassStyle() const { return classStyle_; }
    // Changes styles in place; the frame is recomputed and redrawn.
    void SetStyle(uint32_t style);
    void SetExStyle(uint32_t exStyle);

    const AnsiString& Text() const { return text_; }
    void SetText(const AnsiString& text);

    // Position and size in the parent's client coordinates (screen
    // coordinates for top-level windows).
    TRect BoundsRect() const { return bounds_; }
    TRect WindowRect() const;  // on the screen
    TRect ClientRect() const { return {0, 0, clientRect_.Width(), clientRect_.Height()}; }
    // The client area relative to the window's top-left corner.
    TRect ClientInWindow() const { return clientRect_; }
    TPoint ClientOrigin() const;  // screen position of the client's top-left
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // Moves and sizes the window, telling it WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED,
    // WM_MOVE and WM_SIZE; SWP_NOMOVE, SWP_NOSIZE, SWP_NOZORDER, SWP_SHOWWINDOW,
    // SWP_HIDEWINDOW and SWP_FRAMECHANGED are honoured.
    void SetWindowPos(HWND insertAfter, int x, int y, int width, int height, uint32_t flags);
    void SetBounds(const TRect& r) { SetWindowPos(nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE); }
    void BringToTop();

    // Own visibility flag, and whether it and every ancestor is visible.
    bool Visible() const { return (style_ & WS_VISIBLE) != 0; }
    bool IsWindowVisible() const;
    void Show(bool show);
    bool Enabled() const { return (style_ & WS_DISABLED) == 0; }
    bool IsWindowEnabled() const;
    void Enable(bool enable);

    // Painting. Rectangles are in client coordinates; no rectangle means the
    // whole client area. Invalid parts of descendants are invalidated as well.
    void Invalidate(const TRect* rect = nullptr, bool erase = true);
    void InvalidateRegion(const TRegion& region, bool erase);
    void Validate(const TRect* rect = nullptr);
    // The invalid part of the client area, in client coordinates.
    TRegion UpdateRegion() const;
    bool NeedsPaint() const { return !update_.IsEmpty() || frameDirty_; }
    void InvalidateFrame() { frameDirty_ = true; }
    // Paints the window now if any of it is invalid (children are not painted).
    void Update();
    // Moves pixels of the client area by (dx, dy) within `scroll` (or the
    // whole client), clipped to `clip`, and invalidates what was uncovered.
    void Scroll(int dx, int dy, const TRect* scroll, const TRect* clip, uint32_t flags);

    // Starts painting the invalid part: the target is clipped to it, the
    // background is erased when that was asked for (WM_ERASEBKGND with the
    // target's address in WParam), and the part is validated. `paintRect`
    // receives its bounding box in client coordinates.
    TDrawTarget BeginPaint(TRect& paintRect);

    // Drawing targets for the client area and for the whole window. In
    // paint, the client target is also clipped to what is being painted.
    TDrawTarget ClientTarget() const;
    TDrawTarget WindowTarget() const;
    // The client area's visible part in the top-level surface: inside every
    // ancestor, without clipped children and higher clipped siblings.
    TRegion VisibleRegion(bool client) const;

    // Scroll bars (SB_HORZ or SB_VERT).
    TScrollInfo GetScrollInfo(int bar) const;
    int SetScrollInfo(int bar, const TScrollInfo& info, uint32_t mask, bool redraw);
    void ShowScrollBar(int bar, bool show);
    bool ScrollBarVisible(int bar) const;
    // A bar's rectangle relative to the window's top-left corner.
    TRect ScrollBarRect(int bar) const;

    // Messages: Send calls the handler now; Post queues.
    LRESULT Send(uint32_t msg, WPARAM wParam = 0, LPARAM lParam = 0);
    bool Post(uint32_t msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // The order of this window among its siblings for Tab and Shift+Tab
    // (lower first; equal values keep the child order).
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int index) { tabIndex_ = index; }

    // A dialog window moves focus with Tab among its descendants and answers
    // WM_NEXTDLGCTL in its default handling.
    bool IsDialog() const { return dialog_; }
    void SetDialog(bool dialog) { dialog_ = dialog; }

    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;
    ~TWindow();

private:
    friend class TWindowManager;
    TWindow() = default;

    // Recomputes the client rectangle from the frame the styles ask for.
    void UpdateClientRect();
    // Top-left of the window in its top-level window's surface.
    TPoint OffsetInTopLevel() const;
    void InvalidateInParent(const TRect& windowRectInParent);
    void AddUpdate(const TRegion& clientRegion, bool erase);

    HWND parent_ = nullptr;
    HWND owner_ = nullptr;
    std::vector<HWND> children_;
    IWindowHandler* handler_ = nullptr;
    uint32_t style_ = 0;
    uint32_t exStyle_ = 0;
    uint32_t classStyle_ = 0;
    AnsiString text_;
    TRect bounds_;
    TRect clientRect_;
    TRegion update_;  // client coordinates
    bool erase_ = false;
    bool frameDirty_ = false;
    bool destroying_ = false;
    bool dialog_ = false;
    int tabIndex_ = 0;
    TScrollInfo scroll_[2];
    // Pixels of a top-level window (window coordinates, frame included).
    std::vector<graphics::TPixel> pixels_;
    graphics::TSurface surface_;
    TRegion presentDirty_;  // surface coordinates, waiting to reach the screen
};

}  // namespace ui
