// The route of input into messages: pointer events become mouse messages for
// the window under the pointer (or the one holding the capture), keys go to
// the focused window, text becomes characters.
#include <algorithm>
#include <cstdlib>

#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowManager.h"

namespace ui {

WPARAM TWindowManager::MouseKeyFlags() const
{
    WPARAM flags = 0;
    auto down = [&](unsigned vk) { return GetAsyncKeyState(vk) < 0; };
    if (down(VK_LBUTTON))
        flags |= MK_LBUTTON;
    if (down(VK_RBUTTON))
        flags |= MK_RBUTTON;
    if (down(VK_MBUTTON))
        flags |= MK_MBUTTON;
    if (down(VK_SHIFT))
        flags |= MK_SHIFT;
    if (down(VK_CONTROL))
        flags |= MK_CONTROL;
    return flags;
}

// Tells windows that the pointer came or went.
void TWindowManager::TrackMouseOver(HWND window)
{
    if (window == mouseOver_)
        return;
    HWND old = mouseOver_;
    mouseOver_ = window;
    if (old && IsWindow(old))
        PostMessage(old, WM_MOUSELEAVE, 0, 0);
    if (window)
        PostMessage(window, WM_MOUSEENTER, 0, 0);
}

void TWindowManager::PostMouse(HWND target, int hit, uint32_t clientMsg, WPARAM keys, TPoint screen)
{
    uint32_t time = TickCount();
    if (hit == HTCLIENT || capture_ == target) {
        TPoint p = target->ScreenToClient(screen);
        Enqueue(TMsg{target, clientMsg, keys, MakeLParam(p.X, p.Y), time, screen});
    } else {
        uint32_t ncMsg = clientMsg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        if (clientMsg > WM_RBUTTONDBLCLK)
            return;  // no non-client middle button or wheel here
        Enqueue(TMsg{target, ncMsg, static_cast<WPARAM>(hit), MakeLParam(screen.X, screen.Y), time, screen});
    }
}

void TWindowManager::RouteMouse(uint32_t clientMsg, WPARAM keys, TPoint screen)
{
    HWND target = capture_;
    int hit = HTCLIENT;
    if (!target) {
        target = WindowFromPoint(screen);
        // Hit testing: transparent windows pass the point to what lies below.
        while (target) {
            hit = static_cast<int>(SendMessage(target, WM_NCHITTEST, 0, MakeLParam(screen.X, screen.Y)));
            if (hit != HTTRANSPARENT || !target->parent_)
                break;
            target = target->parent_;
        }
        if (!target) {
            TrackMouseOver(nullptr);  // the pointer left every window of ours
            return;
        }
        // Nothing reaches a window whose top-level window is disabled (a modal
        // window is up) or a disabled window itself.
        if (!target->TopLevel()->Enabled() || !target->Enabled())
            return;
        if (clientMsg == WM_MOUSEMOVE || clientMsg == WM_LBUTTONDOWN || clientMsg == WM_RBUTTONDOWN) {
            SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MakeLParam(hit, static_cast<int>(clientMsg)));
        }
    }
    TrackMouseOver(target);
    if (clientMsg == WM_LBUTTONDOWN || clientMsg == WM_RBUTTONDOWN || clientMsg == WM_MBUTTONDOWN) {
        // A press in an inactive window activates it, unless it declines.
        HWND top = target->TopLevel();
        if (top != active_) {
            LRESULT answer = SendMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top), MakeLParam(hit, static_cast<int>(clientMsg)));
            if (answer != MA_NOACTIVATE && answer != MA_NOACTIVATEANDEAT)
                SetActiveWindow(top);
            if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT)
                return;
        }
        // Two presses close in time and place make a double click, where the
        // window's class asks for them.
        uint32_t now = TickCount();
        int dx = std::abs(screen.X - lastClick_.pt.X), dy = std::abs(screen.Y - lastClick_.pt.Y);
        bool isDouble = lastClick_.window == target && lastClick_.message == clientMsg &&
                        now - lastClick_.time <= doubleClickTime_ && dx <= SystemMetric(SM_CXDOUBLECLK) / 2 &&
                        dy <= SystemMetric(SM_CYDOUBLECLK) / 2 && (target->classStyle_ & CS_DBLCLKS);
        if (isDouble) {
            lastClick_ = {};
            clientMsg += 2;  // WM_xBUTTONDBLCLK follows WM_xBUTTONUP
        } else {
            lastClick_.window = target;
            lastClick_.message = clientMsg;
            lastClick_.time = now;
            lastClick_.pt = screen;
        }
    }
    PostMouse(target, hit, clientMsg, keys, screen);
}

void TWindowManager::InjectMouseMove(TPoint screen)
{
    cursorPos_ = screen;
    if (track_.window) {
        ContinueScrollTrack(screen, false);
        return;
    }
    RouteMouse(WM_MOUSEMOVE, MouseKeyFlags(), screen);
}

void TWindowManager::InjectMouseButton(TMouseButton button, bool down, TPoint screen)
{
    cursorPos_ = screen;
    unsigned vk = button == mbLeft ? VK_LBUTTON : button == mbRight ? VK_RBUTTON : VK_MBUTTON;
    if (down)
        keys_[vk] = static_cast<uint8_t>(0x80 | ((keys_[vk] & 1) ^ 1));
    else
        keys_[vk] &= 1;
    if (track_.window && button == mbLeft && !down) {
        ContinueScrollTrack(screen, true);
        return;
    }
    uint32_t msg = button == mbLeft ? WM_LBUTTONDOWN : button == mbRight ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
    if (!down)
        msg += 1;
    RouteMouse(msg, MouseKeyFlags(), screen);
}

void TWindowManager::InjectMouseWheel(int delta, TPoint screen)
{
    cursorPos_ = screen;
    // The wheel goes to the focused window, as desktop programs expect.
    HWND target = focus_ ? focus_ : WindowFromPoint(screen);
    if (!target)
        return;
    WPARAM keys = MouseKeyFlags() | (static_cast<WPARAM>(static_cast<uint16_t>(static_cast<int16_t>(delta))) << 16);
    Enqueue(TMsg{target, WM_MOUSEWHEEL, keys, MakeLParam(screen.X, screen.Y), TickCount(), screen});
}

void TWindowManager::InjectKey(unsigned vk, bool down)
{
    vk &= 0xFF;
    auto press = [&](unsigned key, bool isDown) {
        uint8_t& state = keys_[key];
        state = isDown ? static_cast<uint8_t>(0x80 | ((state & 0x80) ? (state & 1) : ((state & 1) ^ 1))) : (state & 1);
    };
    // Programs see the generic modifier codes; the left and right keys are
    // kept apart so that releasing one while the other is held keeps it down.
    unsigned generic = vk;
    if (vk == VK_LSHIFT || vk == VK_RSHIFT)
        generic = VK_SHIFT;
    else if (vk == VK_LCONTROL || vk == VK_RCONTROL)
        generic = VK_CONTROL;
    else if (vk == VK_LMENU || vk == VK_RMENU)
        generic = VK_MENU;
    bool wasDown = (keys_[generic] & 0x80) != 0;
    press(vk, down);
    if (generic != vk) {
        unsigned left = generic == VK_SHIFT ? VK_LSHIFT : generic == VK_CONTROL ? VK_LCONTROL : VK_LMENU;
        unsigned right = left + 1;
        press(generic, (keys_[left] & 0x80) || (keys_[right] & 0x80));
        if (!down && (keys_[generic] & 0x80))
            return;  // the other one of the pair is still held
    }
    if (down && generic == VK_ESCAPE && (capture_ || track_.window)) {
        // Escape ends whatever the pointer was doing.
        if (HWND holder = capture_) {
            ReleaseCapture();
            SendMessage(holder, WM_CANCELMODE, 0, 0);
        }
        track_ = {};
    }
    HWND target = focus_ ? focus_ : active_;
    if (!target)
        return;
    bool alt = GetAsyncKeyState(VK_MENU) < 0;
    uint32_t msg = down ? (alt || generic == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    if (generic == VK_MENU)
        msg = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    // lParam: repeat count 1; bit 29 Alt held; bit 30 previous state; bit 31 released.
    LPARAM lParam = 1;
    if (alt)
        lParam |= LPARAM{1} << 29;
    if (wasDown)
        lParam |= LPARAM{1} << 30;
    if (!down)
        lParam |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
    Enqueue(TMsg{target, msg, generic, lParam, TickCount(), cursorPos_});
}

void TWindowManager::InjectText(const AnsiString& text)
{
    HWND target = focus_ ? focus_ : active_;
    if (!target)
        return;
    for (char c : text)
        Enqueue(TMsg{target, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1, TickCount(), cursorPos_});
}

void TWindowManager::InjectClose(HWND window)
{
    if (IsWindow(window) && window->Enabled())
        PostMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void TWindowManager::InjectActivate(HWND window, bool active)
{
    if (!IsWindow(window))
        return;
    if (active) {
        if (window->Enabled())
            SetActiveWindow(window);
    } else if (window == active_) {
        // Another program took the focus: nothing of ours is active.
        SetActiveWindow(nullptr);
        if (HWND holder = capture_) {
            ReleaseCapture();
            SendMessage(holder, WM_CANCELMODE, 0, 0);
        }
    }
}

// ---- Scroll bars -------------------------------------------------------------

int TWindowManager::ScrollBarPart(HWND window, int bar, TPoint screen) const
{
    TRect r = window->ScrollBarRect(bar);
    TRect w = window->WindowRect();
    TPoint p = screen - w.TopLeft();
    bool vertical = bar == SB_VERT;
    int length = vertical ? r.Height() : r.Width();
    int at = vertical ? p.Y - r.Top : p.X - r.Left;
    int arrow = std::min(17, length / 2);
    if (at < arrow)
        return SB_LINEUP;
    if (at >= length - arrow)
        return SB_LINEDOWN;
    TScrollInfo info = window->GetScrollInfo(bar);
    int track = length - 2 * arrow;
    int range = info.Max - info.Min + 1;
    int thumb = info.Page > 0 ? std::max(track * info.Page / std::max(range, 1), 8) : 17;
    thumb = std::min(thumb, track);
    int span = range - std::max(info.Page, 1);
    int thumbPos = arrow + (span > 0 ? (track - thumb) * (info.Pos - info.Min) / span : 0);
    if (at < thumbPos)
        return SB_PAGEUP;
    if (at >= thumbPos + thumb)
        return SB_PAGEDOWN;
    return SB_THUMBTRACK;
}

void TWindowManager::StartScrollTrack(HWND window, int hit, TPoint screen)
{
    int bar = hit == HTVSCROLL ? SB_VERT : SB_HORZ;
    uint32_t msg = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    int part = ScrollBarPart(window, bar, screen);
    track_.window = window;
    track_.bar = bar;
    track_.part = part;
    if (part == SB_THUMBTRACK) {
        TScrollInfo info = window->GetScrollInfo(bar);
        info.TrackPos = info.Pos;
        window->SetScrollInfo(bar, info, SIF_TRACKPOS, false);
        track_.grabOffset = bar == SB_VERT ? screen.Y : screen.X;
        return;
    }
    SendMessage(window, msg, static_cast<WPARAM>(part), 0);
    track_.nextRepeat = TickCount() + 400;
}

void TWindowManager::ContinueScrollTrack(TPoint screen, bool released)
{
    HWND window = track_.window;
    if (!IsWindow(window)) {
        track_ = {};
        return;
    }
    int bar = track_.bar;
    uint32_t msg = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    TScrollInfo info = window->GetScrollInfo(bar);
    if (track_.part == SB_THUMBTRACK) {
        TRect r = window->ScrollBarRect(bar);
        int length = (bar == SB_VERT ? r.Height() : r.Width()) - 2 * 17;
        int range = info.Max - info.Min + 1 - std::max(info.Page, 1);
        int moved = (bar == SB_VERT ? screen.Y : screen.X) - track_.grabOffset;
        int pos = info.Pos + (length > 0 ? moved * (range + 1) / length : 0);
        pos = std::clamp(pos, info.Min, info.Min + std::max(range, 0));
        if (pos != info.TrackPos || released) {
            info.TrackPos = pos;
            window->SetScrollInfo(bar, info, SIF_TRACKPOS, false);
            SendMessage(window, msg, static_cast<WPARAM>(released ? SB_THUMBPOSITION : SB_THUMBTRACK) | (static_cast<WPARAM>(pos & 0xFFFF) << 16), 0);
        }
    }
    if (released) {
        track_ = {};
        SendMessage(window, msg, SB_ENDSCROLL, 0);
    }
}

void TWindowManager::RepeatScrollTrack()
{
    if (!track_.window || track_.part == SB_THUMBTRACK)
        return;
    uint32_t now = TickCount();
    if (static_cast<int32_t>(now - track_.nextRepeat) < 0)
        return;
    track_.nextRepeat = now + 50;
    if (ScrollBarPart(track_.window, track_.bar, cursorPos_) != track_.part)
        return;
    SendMessage(track_.window, track_.bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, static_cast<WPARAM>(track_.part), 0);
}

}  // namespace ui
