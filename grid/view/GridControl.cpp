#include "grid/view/GridControl.h"

#include <cstdlib>

#include "grid/foundation/MemoryCanvas.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/Form.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowManager.h"

namespace grid {

CORE_CLASS_IMPL(TtsGridControl)

TtsGridControl::TtsGridControl(core::TComponent* owner) : ui::TCustomControl(owner)
{
    SetControlStyle(ControlStyle() + ui::TControlStyle{ui::csOpaque});
    SetTabStop(false);
}

TtsGridControl::~TtsGridControl()
{
    if (attached_) {
        TtsMemoryCanvas& buffer = ControlMemoryCanvas();
        buffer.Lock(this);
        buffer.Detach();
        buffer.Unlock();
    }
}

void TtsGridControl::SetLeftMargin(int value)
{
    if (value == leftMargin_)
        return;
    leftMargin_ = value;
    Invalidate();
}

void TtsGridControl::SetHorzAlignment(TtsHorzAlignment value)
{
    horzAlignment_ = static_cast<uint8_t>(value);
}

void TtsGridControl::SetVertAlignment(TtsVertAlignment value)
{
    vertAlignment_ = static_cast<uint8_t>(value);
}

void TtsGridControl::SetWordWrap(TtsWordWrap value)
{
    wordWrap_ = static_cast<uint8_t>(value);
}

void TtsGridControl::SetAlwaysShowFocus(bool value)
{
    if (value == alwaysShowFocus_)
        return;
    alwaysShowFocus_ = value;
    Invalidate();
}

bool TtsGridControl::CanEdit(bool byUser)
{
    bool cancel = false;
    OnCanEdit(byUser, cancel);
    return !cancel;
}

bool TtsGridControl::StartEdit(bool byUser)
{
    bool cancel = false;
    OnStartEdit(cancel);
    return !cancel && CanEdit(byUser);
}

bool TtsGridControl::WantsChar(char)
{
    return false;
}

bool TtsGridControl::ShowsFocus() const
{
    return Focused() || (grid_ && grid_->HostFocused()) || alwaysShowFocus_;
}

void TtsGridControl::SetBounds(int left, int top, int width, int height)
{
    if (left != Left() || top != Top())
        lastPressValid_ = false;  // a moved control starts its double clicks afresh
    ui::TCustomControl::SetBounds(left, top, width, height);
}

void TtsGridControl::SetFocus()
{
    if (Focused())
        return;
    ui::TCustomControl::SetFocus();
}

void TtsGridControl::WndProc(ui::TMessage& message)
{
    switch (message.Msg) {
    case ui::WM_GETDLGCODE:
        WMGetDlgCode(message);
        return;
    case ui::WM_ERASEBKGND:
        message.Result = 1;
        return;
    case ui::WM_SETFOCUS:
        // The form learns first that its grid holds the focus.
        if (grid_ && grid_->HostControl())
            if (ui::TCustomForm* form = ui::GetParentForm(this))
                form->SetFocusedControl(grid_->HostControl());
        break;
    case ui::WM_KILLFOCUS:
        if (!ComponentState().Contains(core::csDestroying))
            OnKillFocus(this);
        break;
    case ui::WM_LBUTTONDOWN:
    case ui::WM_LBUTTONDBLCLK:
        WMLButtonDown(message);
        break;
    default:
        break;
    }
    ui::TCustomControl::WndProc(message);
}

void TtsGridControl::WMGetDlgCode(ui::TMessage& m)
{
    ui::TWindowManager& wm = ui::WindowManager();
    m.Result = ui::DLGC_WANTARROWS | ui::DLGC_WANTCHARS;
    if (wantTabs_ && !wm.KeyDown(ui::VK_CONTROL))
        m.Result |= ui::DLGC_WANTTAB;
    if (wm.KeyDown(ui::VK_ESCAPE)) {
        bool want = false;
        OnWantKey(ui::VK_ESCAPE, want);
        if (want)
            m.Result |= ui::DLGC_WANTALLKEYS;
    }
    if (wm.KeyDown(ui::VK_RETURN))
        m.Result |= ui::DLGC_WANTALLKEYS;
}

void TtsGridControl::WMLButtonDown(ui::TMessage& m)
{
    // The control usually appears under the pointer at the first click, so
    // the platform never sees two clicks on it: two quick presses at the
    // same spot make the double click here, and the platform's own double
    // click counts as a plain press.
    if (m.Msg == ui::WM_LBUTTONDBLCLK)
        m.Msg = ui::WM_LBUTTONDOWN;
    if (!synthesizeDblClicks_ || !(editable_ || selectable_))
        return;
    ui::TWindowManager& wm = ui::WindowManager();
    graphics::TPoint pos{ui::SignedLoWord(m.LParam), ui::SignedHiWord(m.LParam)};
    uint32_t now = wm.TickCount();
    if (lastPressValid_ && now - lastPressTime_ <= wm.DoubleClickTime() && pos == lastPressPos_) {
        m.Msg = ui::WM_LBUTTONDBLCLK;
        lastPressValid_ = false;
        return;
    }
    lastPressValid_ = true;
    lastPressTime_ = now;
    lastPressPos_ = pos;
}

void TtsGridControl::PaintContent(graphics::TCanvas& canvas, const graphics::TRect& clip)
{
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(clip);
}

void TtsGridControl::Paint()
{
    graphics::TCanvas& screen = *Canvas();
    graphics::TRect clip = screen.ClipRect();
    clip.Right = std::min(clip.Right, Width());
    clip.Bottom = std::min(clip.Bottom, Height());
    clip.Left = std::max(clip.Left, 0);
    clip.Top = std::max(clip.Top, 0);
    if (clip.IsEmpty())
        return;
    TtsMemoryCanvas& buffer = ControlMemoryCanvas();
    buffer.Lock(this);
    struct Unlock {
        TtsMemoryCanvas& buffer;
        ~Unlock() { buffer.Unlock(); }
    } unlock{buffer};
    if (buffer.BusyElsewhere(this)) {
        // The buffer holds another control's picture: paint straight on.
        PaintContent(screen, clip);
        return;
    }
    if (!attached_) {
        buffer.Attach(&screen, Width(), Height());
        attached_ = true;
    } else {
        buffer.Resize(&screen, Width(), Height());
    }
    graphics::TCanvas& dc = *buffer.DC();
    dc.SetWindowOrg(0, 0);
    buffer.SetClip(clip);
    dc.Font()->Assign(Font());
    dc.Brush()->SetColor(Color());
    PaintContent(dc, clip);
    dc.SelectClipRgn(nullptr);
    screen.BitBlt(clip.Left, clip.Top, clip.Width(), clip.Height(), dc, clip.Left, clip.Top, graphics::SRCCOPY);
}

}  // namespace grid
