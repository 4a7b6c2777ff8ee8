#include "platform/ui/WindowManager.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/VirtualKeys.h"

namespace ui {

TWindowManager& TWindowManager::Instance()
{
    static TWindowManager manager;
    return manager;
}

TWindowManager& WindowManager()
{
    return TWindowManager::Instance();
}

void TWindowManager::SetBackend(std::unique_ptr<TBackend> backend)
{
    backend_ = std::move(backend);
}

TBackend& TWindowManager::Backend()
{
    if (!backend_)
        throw core::EInvalidOperation("No display backend has been set up");
    return *backend_;
}

void TWindowManager::Reset()
{
    while (!topLevels_.empty())
        DestroyWindow(topLevels_.front());
    queue_.clear();
    timers_.clear();
    hooks_.clear();
    quit_ = false;
    focus_ = active_ = capture_ = mouseOver_ = nullptr;
    caretOwner_ = nullptr;
    caretHide_ = 1;
    std::fill(std::begin(keys_), std::end(keys_), 0);
    std::fill(std::begin(syncKeys_), std::end(syncKeys_), 0);
    lastClick_ = {};
    track_ = {};
    cursor_ = crDefault;
}

// ---- Windows ---------------------------------------------------------------

HWND TWindowManager::CreateWindow(const TCreateParams& params, IWindowHandler* handler)
{
    auto owned = std::unique_ptr<TWindow>(new TWindow());
    HWND w = owned.get();
    bool child = (params.Style & WS_CHILD) != 0;
    if (child && !params.WndParent)
        throw core::EInvalidOperation("A child window needs a parent");
    w->parent_ = child ? params.WndParent : nullptr;
    w->owner_ = child ? nullptr : params.WndParent;
    w->handler_ = handler;
    w->style_ = params.Style & ~WS_VISIBLE;
    w->exStyle_ = params.ExStyle;
    w->classStyle_ = params.ClassStyle;
    w->text_ = params.Caption;
    w->bounds_ = graphics::Bounds(params.X, params.Y, std::max(params.Width, 0), std::max(params.Height, 0));
    windows_.push_back(std::move(owned));
    if (handler)
        handler->AttachWindow(w);
    if (w->parent_)
        w->parent_->children_.insert(w->parent_->children_.begin(), w);
    else
        topLevels_.insert(topLevels_.begin(), w);
    w->UpdateClientRect();
    w->frameDirty_ = true;
    if (!w->parent_)
        Backend().WindowCreated(w);
    SendMessage(w, WM_CREATE, 0, 0);
    if (params.Style & WS_VISIBLE)
        w->Show(true);
    return w;
}

bool TWindowManager::IsWindow(HWND window) const
{
    return window && std::any_of(windows_.begin(), windows_.end(), [&](const auto& w) { return w.get() == window; });
}

void TWindowManager::DestroyWindow(HWND window)
{
    if (!IsWindow(window) || window->destroying_)
        return;
    if (window->Visible() && window->parent_)
        window->InvalidateInParent(window->bounds_);
    // The window hears of its end first, then its children, deepest last.
    std::vector<HWND> doomed{window};
    for (size_t i = 0; i < doomed.size(); ++i)
        for (HWND child : doomed[i]->children_)
            doomed.push_back(child);
    for (HWND w : doomed) {
        w->destroying_ = true;
        SendMessage(w, WM_DESTROY, 0, 0);
    }
    // Owned pop-ups go with their owner.
    std::vector<HWND> owned;
    for (HWND top : topLevels_)
        if (top->owner_ && std::find(doomed.begin(), doomed.end(), top->owner_) != doomed.end())
            owned.push_back(top);
    for (HWND w : owned)
        DestroyWindow(w);
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        Forget(*it);
    if (window->parent_) {
        auto& siblings = window->parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    } else {
        topLevels_.erase(std::remove(topLevels_.begin(), topLevels_.end(), window), topLevels_.end());
        if (backend_)
            backend_->WindowDestroyed(window);
    }
    std::erase_if(windows_, [&](const auto& w) { return std::find(doomed.begin(), doomed.end(), w.get()) != doomed.end(); });
}

// Drops every reference the manager holds to a window that is going away.
void TWindowManager::Forget(HWND window)
{
    // Input dropped with its window still moves the keys' state, or a key
    // released while the window was going away would stay down.
    for (const TMsg& m : queue_)
        if (m.hwnd == window)
            TrackKeyState(m);
    std::erase_if(queue_, [&](const TMsg& m) { return m.hwnd == window; });
    std::erase_if(timers_, [&](const TTimer& t) { return t.window == window; });
    if (focus_ == window)
        focus_ = nullptr;
    if (active_ == window)
        active_ = nullptr;
    if (capture_ == window)
        capture_ = nullptr;
    if (mouseOver_ == window)
        mouseOver_ = nullptr;
    if (caretOwner_ == window)
        caretOwner_ = nullptr;
    if (track_.window == window)
        track_ = {};
    if (lastClick_.window == window)
        lastClick_ = {};
    window->handler_ = nullptr;
}

graphics::TSurface TWindowManager::SurfaceOf(HWND top)
{
    int width = top->bounds_.Width(), height = top->bounds_.Height();
    if (top->surface_.Width != width || top->surface_.Height != height || top->surface_.IsNull()) {
        top->pixels_.assign(static_cast<size_t>(std::max(width, 1)) * std::max(height, 1), 0);
        top->surface_ = {top->pixels_.data(), width, height, width};
        top->presentDirty_ = TRegion(top->surface_.Bounds());
    }
    return top->surface_;
}

HWND TWindowManager::ChildWindowFromPoint(HWND parent, TPoint client) const
{
    for (HWND child : parent->children_)
        if (child->Visible() && child->bounds_.Contains(client))
            return child;
    return nullptr;
}

HWND TWindowManager::WindowFromPoint(TPoint screen) const
{
    for (HWND top : topLevels_) {
        if (!top->Visible() || !top->WindowRect().Contains(screen))
            continue;
        HWND w = top;
        while (true) {
            if (!w->ClientRect().Contains(w->ScreenToClient(screen)))
                break;
            HWND child = ChildWindowFromPoint(w, w->ScreenToClient(screen));
            if (!child || !child->Enabled())
                break;
            w = child;
        }
        return w;
    }
    return nullptr;
}

// ---- Messages --------------------------------------------------------------

LRESULT TWindowManager::Perform(HWND window, TMessage& message)
{
    if (!window)
        return 0;
    if (!hooks_.empty()) {
        TMsg seen{window, message.Msg, message.WParam, message.LParam, TickCount(), cursorPos_};
        CallHooks(WH_CALLWNDPROC, 0, 0, reinterpret_cast<LPARAM>(&seen));
    }
    if (window->handler_)
        window->handler_->WindowProc(message);
    else
        message.Result = DefWindowProc(window, message);
    return message.Result;
}

LRESULT TWindowManager::SendMessage(HWND window, uint32_t msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    return Perform(window, message);
}

bool TWindowManager::PostMessage(HWND window, uint32_t msg, WPARAM wParam, LPARAM lParam)
{
    if (window && !IsWindow(window))
        return false;
    Enqueue(TMsg{window, msg, wParam, lParam, TickCount(), cursorPos_});
    return true;
}

void TWindowManager::Enqueue(const TMsg& msg)
{
    queue_.push_back(msg);
}

void TWindowManager::PostQuitMessage(int exitCode)
{
    quit_ = true;
    quitCode_ = exitCode;
}

bool TWindowManager::CallHooks(THookKind kind, int code, WPARAM wParam, LPARAM lParam)
{
    // Copy: a hook may remove itself or others while it runs.
    std::vector<THook> hooks = hooks_;
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
        if (it->kind != kind)
            continue;
        bool stillInstalled = std::any_of(hooks_.begin(), hooks_.end(), [&](const THook& h) { return h.id == it->id; });
        if (stillInstalled && it->proc(code, wParam, lParam))
            return true;
    }
    return false;
}

HHOOK TWindowManager::SetWindowsHook(THookKind kind, THookProc proc)
{
    hooks_.push_back({nextHook_, kind, std::move(proc)});
    return nextHook_++;
}

void TWindowManager::UnhookWindowsHook(HHOOK hook)
{
    std::erase_if(hooks_, [&](const THook& h) { return h.id == hook; });
}

namespace {

bool InRange(uint32_t message, uint32_t first, uint32_t last)
{
    return (first == 0 && last == 0) || (message >= first && message <= last);
}

bool IsMouseMessage(uint32_t m)
{
    return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCRBUTTONUP);
}

bool IsKeyMessage(uint32_t m)
{
    return m >= WM_KEYFIRST && m <= WM_KEYLAST;
}

}  // namespace

// Hooks see input as it is taken from the queue and may eat it.
bool TWindowManager::EatenByHooks(const TMsg& msg)
{
    if (hooks_.empty())
        return false;
    if (IsMouseMessage(msg.message)) {
        bool nonClient = msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCRBUTTONUP;
        TMouseHookInfo info{msg.pt, msg.hwnd, nonClient ? static_cast<int>(msg.wParam) : static_cast<int>(HTCLIENT)};
        return CallHooks(WH_MOUSE, static_cast<int>(msg.message), 0, reinterpret_cast<LPARAM>(&info));
    }
    if (IsKeyMessage(msg.message))
        return CallHooks(WH_KEYBOARD, static_cast<int>(msg.message), msg.wParam, msg.lParam);
    return false;
}

bool TWindowManager::PeekMessage(TMsg& msg, HWND filter, uint32_t first, uint32_t last, bool remove)
{
    if (backend_)
        backend_->PumpEvents(0);
    RepeatScrollTrack();
    auto wanted = [&](const TMsg& m) {
        return (!filter || (m.hwnd && m.hwnd->IsDescendantOf(filter))) && InRange(m.message, first, last);
    };
    // A message that a hook eats is gone: look again, in a loop, so that a
    // long run of eaten input costs no stack.
    for (auto it = std::find_if(queue_.begin(), queue_.end(), wanted); it != queue_.end();
         it = std::find_if(queue_.begin(), queue_.end(), wanted)) {
        TMsg found = *it;
        if (!remove) {
            msg = found;
            return true;
        }
        queue_.erase(it);
        TrackKeyState(found);
        if (EatenByHooks(found))
            continue;
        if (!hooks_.empty())
            CallHooks(WH_GETMESSAGE, 0, 0, reinterpret_cast<LPARAM>(&found));
        msg = found;
        return true;
    }
    if (quit_ && !filter && InRange(WM_QUIT, first, last)) {
        msg = TMsg{nullptr, WM_QUIT, static_cast<WPARAM>(quitCode_), 0, TickCount(), cursorPos_};
        if (remove)
            quit_ = false;
        return true;
    }
    if (InRange(WM_TIMER, first, last) && TakeTimer(msg, filter, remove))
        return true;
    if (InRange(WM_PAINT, first, last) && TakePaint(msg, filter))
        return true;
    return false;
}

bool TWindowManager::GetMessage(TMsg& msg)
{
    while (!PeekMessage(msg, nullptr, 0, 0, true)) {
        PresentAll();
        int wait = -1;
        uint32_t now = TickCount();
        for (const TTimer& t : timers_) {
            int left = static_cast<int>(t.due - now);
            wait = wait < 0 ? std::max(left, 0) : std::min(wait, std::max(left, 0));
        }
        if (track_.window)
            wait = wait < 0 ? 50 : std::min(wait, 50);
        Backend().PumpEvents(wait);
    }
    return msg.message != WM_QUIT;
}

bool TWindowManager::TakeTimer(TMsg& msg, HWND filter, bool remove)
{
    uint32_t now = TickCount();
    for (TTimer& t : timers_) {
        if (static_cast<int32_t>(now - t.due) < 0)
            continue;
        if (filter && !(t.window && t.window->IsDescendantOf(filter)))
            continue;
        // lParam only says that the timer has a callback: DispatchMessage
        // looks the callback up by the timer's window and id, as the timer
        // may be killed or set anew before the message is dispatched.
        msg = TMsg{t.window, WM_TIMER, t.id, t.callback ? 1 : 0, now, cursorPos_};
        if (remove)
            t.due = now + std::max(t.elapse, 1u);
        return true;
    }
    return false;
}

HWND TWindowManager::FindWindowToPaint(HWND window, HWND filter) const
{
    if (!window->Visible())
        return nullptr;
    if (window->NeedsPaint() && (!filter || window->IsDescendantOf(filter)))
        return window;
    // Children from the bottom of the z-order up, so higher ones paint last.
    for (auto it = window->children_.rbegin(); it != window->children_.rend(); ++it)
        if (HWND found = FindWindowToPaint(*it, filter))
            return found;
    return nullptr;
}

bool TWindowManager::TakePaint(TMsg& msg, HWND filter)
{
    // A window whose frame painting left nothing else to paint (or that it
    // destroyed) is passed over: look again.
    for (;;) {
        HWND w = nullptr;
        for (auto it = topLevels_.rbegin(); it != topLevels_.rend() && !w; ++it)
            w = FindWindowToPaint(*it, filter);
        if (!w)
            return false;
        if (w->frameDirty_) {
            w->frameDirty_ = false;
            SendMessage(w, WM_NCPAINT, 1, 0);
            if (!IsWindow(w) || w->update_.IsEmpty())
                continue;
        }
        msg = TMsg{w, WM_PAINT, 0, 0, TickCount(), cursorPos_};
        return true;
    }
}

void TWindowManager::TranslateMessage(const TMsg& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return;
    unsigned vk = static_cast<unsigned>(msg.wParam);
    int ch = -1;
    if (vk == VK_RETURN || vk == VK_TAB || vk == VK_ESCAPE || vk == VK_BACK)
        ch = static_cast<int>(vk);
    else if (KeyDown(VK_CONTROL) && !KeyDown(VK_MENU) && vk >= 'A' && vk <= 'Z')
        ch = static_cast<int>(vk - 'A' + 1);
    else if (msg.message == WM_SYSKEYDOWN && KeyDown(VK_MENU) && !KeyDown(VK_CONTROL) &&
             ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')))
        // Alt with a letter or digit is an accelerator: a system character,
        // lower case unless Shift is held, as the keyboard would type it.
        ch = static_cast<int>(vk >= 'A' && vk <= 'Z' && !KeyDown(VK_SHIFT) ? vk + 32 : vk);
    if (ch < 0)
        return;
    uint32_t charMsg = msg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    queue_.push_front(TMsg{msg.hwnd, charMsg, static_cast<WPARAM>(ch), msg.lParam, msg.time, msg.pt});
}

LRESULT TWindowManager::DispatchMessage(const TMsg& msg)
{
    if (msg.message == WM_TIMER && msg.lParam) {
        // A timer with a callback: run the one the timer has now (copied, it
        // may kill itself); a timer killed since runs nothing.
        auto timer = std::find_if(timers_.begin(), timers_.end(),
                                  [&](const TTimer& t) { return t.window == msg.hwnd && t.id == msg.wParam; });
        if (timer == timers_.end() || !timer->callback)
            return 0;
        auto callback = timer->callback;
        callback();
        return 0;
    }
    if (!msg.hwnd || !IsWindow(msg.hwnd))
        return 0;
    return SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

void TWindowManager::ProcessMessages()
{
    TMsg msg;
    while (PeekMessage(msg, nullptr, 0, 0, true)) {
        if (msg.message == WM_QUIT) {
            quit_ = true;  // leave it for the loop that owns the program
            quitCode_ = static_cast<int>(msg.wParam);
            break;
        }
        TranslateMessage(msg);
        DispatchMessage(msg);
    }
    PresentAll();
}

void TWindowManager::PaintAll()
{
    TMsg msg;
    while (TakePaint(msg, nullptr))
        DispatchMessage(msg);
}

void TWindowManager::PresentAll()
{
    if (!backend_)
        return;
    for (HWND top : topLevels_) {
        if (top->presentDirty_.IsEmpty() || top->surface_.IsNull())
            continue;
        TRegion dirty = top->presentDirty_;
        top->presentDirty_.Clear();
        backend_->Present(top, top->surface_, dirty);
    }
}

// ---- Timers ----------------------------------------------------------------

uintptr_t TWindowManager::SetTimer(HWND window, uintptr_t id, unsigned elapseMs, std::function<void()> callback)
{
    if (!window)
        id = nextTimerId_++;
    uint32_t due = TickCount() + std::max(elapseMs, 1u);
    for (TTimer& t : timers_) {
        if (t.window == window && t.id == id) {
            t.elapse = elapseMs;
            t.due = due;
            t.callback = std::move(callback);
            return id;
        }
    }
    timers_.push_back({window, id, elapseMs, due, std::move(callback)});
    return id;
}

bool TWindowManager::KillTimer(HWND window, uintptr_t id)
{
    size_t before = timers_.size();
    std::erase_if(timers_, [&](const TTimer& t) { return t.window == window && t.id == id; });
    // A WM_TIMER already queued for it is dropped too.
    std::erase_if(queue_, [&](const TMsg& m) { return m.hwnd == window && m.message == WM_TIMER && m.wParam == id; });
    return timers_.size() != before;
}

uint32_t TWindowManager::TickCount() const
{
    return backend_ ? backend_->TickCount() : 0;
}

int TWindowManager::SystemMetric(TSystemMetric metric) const
{
    switch (metric) {
    case SM_CXSCREEN:
        return backend_ ? backend_->ScreenSize().cx : 1024;
    case SM_CYSCREEN:
        return backend_ ? backend_->ScreenSize().cy : 768;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return 17;
    case SM_CYCAPTION:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    case SM_DBCSENABLED:
        return 1;
    }
    return 0;
}

// ---- Focus, activation, capture --------------------------------------------

bool TWindowManager::CanFocus(HWND window) const
{
    if (!IsWindow(window) || !window->IsWindowVisible())
        return false;
    for (HWND w = window; w; w = w->parent_)
        if (!w->Enabled())
            return false;
    return true;
}

bool TWindowManager::SetFocus(HWND window)
{
    if (window == focus_)
        return true;
    if (window && !CanFocus(window))
        return false;
    HWND old = focus_;
    if (window && window->TopLevel() != active_)
        SetActiveWindow(window->TopLevel());
    if (focus_ != old)  // activation moved the focus already
        old = focus_;
    focus_ = window;
    if (old && IsWindow(old))
        SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    // The handler of WM_KILLFOCUS may have moved the focus elsewhere.
    if (focus_ != window)
        return focus_ == window;
    if (window) {
        SendMessage(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
        if (caretOwner_ && caretOwner_ != window)
            DestroyCaret();
    }
    return true;
}

void TWindowManager::SetActiveWindow(HWND window)
{
    if (window)
        window = window->TopLevel();
    if (window == active_)
        return;
    HWND old = active_;
    active_ = window;
    if (old && IsWindow(old)) {
        SendMessage(old, WM_NCACTIVATE, 0, reinterpret_cast<LPARAM>(window));
        SendMessage(old, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(window));
        if (focus_ && focus_->TopLevel() == old) {
            HWND lost = focus_;
            focus_ = nullptr;
            SendMessage(lost, WM_KILLFOCUS, 0, 0);
        }
    }
    if (window) {
        window->BringToTop();
        SendMessage(window, WM_NCACTIVATE, 1, reinterpret_cast<LPARAM>(old));
        SendMessage(window, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(old));
    }
}

void TWindowManager::SetCapture(HWND window)
{
    if (window == capture_)
        return;
    HWND old = capture_;
    capture_ = window;
    if (old && IsWindow(old))
        SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
}

void TWindowManager::ReleaseCapture()
{
    SetCapture(nullptr);
}

HWND TWindowManager::NextDlgTabItem(HWND dialog, HWND from, bool previous) const
{
    // Every focusable tab stop of the dialog, in tab order, depth first.
    std::vector<HWND> stops;
    std::function<void(HWND)> collect = [&](HWND parent) {
        std::vector<HWND> kids(parent->children_.rbegin(), parent->children_.rend());
        std::stable_sort(kids.begin(), kids.end(), [](HWND a, HWND b) { return a->tabIndex_ < b->tabIndex_; });
        for (HWND child : kids) {
            if (!child->IsWindowVisible() || !child->Enabled())
                continue;
            if (child->style_ & WS_TABSTOP)
                stops.push_back(child);
            collect(child);
        }
    };
    collect(dialog);
    if (stops.empty())
        return nullptr;
    auto it = std::find(stops.begin(), stops.end(), from);
    if (it == stops.end()) {
        // From a window that is no stop itself: go from its nearest stop ancestor, or the ends.
        for (HWND w = from; w && it == stops.end(); w = w->parent_)
            it = std::find(stops.begin(), stops.end(), w);
        if (it == stops.end())
            return previous ? stops.back() : stops.front();
    }
    size_t index = static_cast<size_t>(it - stops.begin());
    size_t n = stops.size();
    return stops[previous ? (index + n - 1) % n : (index + 1) % n];
}

bool TWindowManager::IsDialogMessage(HWND dialog, const TMsg& msg)
{
    if (!dialog || !msg.hwnd || !msg.hwnd->IsDescendantOf(dialog))
        return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && !KeyDown(VK_CONTROL) && !KeyDown(VK_MENU)) {
        LRESULT code = SendMessage(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
        if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))
            return false;
        if (HWND next = NextDlgTabItem(dialog, msg.hwnd, KeyDown(VK_SHIFT)))
            SetFocus(next);
        return true;
    }
    if (msg.message == WM_CHAR && msg.wParam == VK_TAB) {
        LRESULT code = SendMessage(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
        return !(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS));
    }
    return false;
}

int16_t TWindowManager::GetKeyState(unsigned vk) const
{
    uint8_t state = syncKeys_[vk & 0xFF];
    return static_cast<int16_t>(((state & 0x80) ? 0x8000 : 0) | (state & 1));
}

int16_t TWindowManager::GetAsyncKeyState(unsigned vk) const
{
    uint8_t state = keys_[vk & 0xFF];
    return static_cast<int16_t>(((state & 0x80) ? 0x8000 : 0) | (state & 1));
}

void TWindowManager::TrackKeyState(const TMsg& msg)
{
    auto set = [&](unsigned vk, bool down) {
        uint8_t& state = syncKeys_[vk & 0xFF];
        state = down ? static_cast<uint8_t>(0x80 | ((state & 0x80) ? (state & 1) : ((state & 1) ^ 1))) : (state & 1);
    };
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
        unsigned vk = static_cast<unsigned>(msg.wParam) & 0xFF;
        set(vk, down);
        if (vk == VK_LSHIFT || vk == VK_RSHIFT)
            set(VK_SHIFT, down);
        if (vk == VK_LCONTROL || vk == VK_RCONTROL)
            set(VK_CONTROL, down);
        if (vk == VK_LMENU || vk == VK_RMENU)
            set(VK_MENU, down);
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        set(VK_LBUTTON, true);
        break;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
        set(VK_LBUTTON, false);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
        set(VK_RBUTTON, true);
        break;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP:
        set(VK_RBUTTON, false);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        set(VK_MBUTTON, true);
        break;
    case WM_MBUTTONUP:
        set(VK_MBUTTON, false);
        break;
    default:
        break;
    }
}

// ---- Cursor, caret, clipboard ----------------------------------------------

void TWindowManager::SetCursor(TCursor cursor)
{
    if (cursor == cursor_)
        return;
    cursor_ = cursor;
    if (backend_)
        backend_->SetCursor(cursor);
}

void TWindowManager::RegisterCursor(TCursor id, int width, int height, const uint32_t* argb, TPoint hotspot)
{
    if (id <= 0 || width <= 0 || height <= 0 || !argb)
        throw core::EInvalidOperation("A cursor needs a positive id and a picture");
    if (!CursorRegistered(id))
        cursors_.push_back(id);
    Backend().RegisterCursor(id, width, height, argb, hotspot);
}

void TWindowManager::CreateCaret(HWND window, int width, int height)
{
    DestroyCaret();
    caretOwner_ = window;
    caretSize_ = {std::max(width, 1), std::max(height, 1)};
    caretShape_ = graphics::TRegion(graphics::Bounds(0, 0, caretSize_.cx, caretSize_.cy));
    caretPos_ = {0, 0};
    caretHide_ = 1;
}

void TWindowManager::CreateCaret(HWND window, const graphics::TBitmap& shape)
{
    CreateCaret(window, shape.Width(), shape.Height());
    graphics::TRegion white;
    const graphics::TCanvas& c = *shape.Canvas();
    for (int y = 0; y < shape.Height(); ++y) {
        for (int x = 0; x < shape.Width();) {
            if ((c.Pixel(x, y) & 0xFFFFFF) != graphics::clWhite) {
                ++x;
                continue;
            }
            int run = x;
            while (run < shape.Width() && (c.Pixel(run, y) & 0xFFFFFF) == graphics::clWhite)
                ++run;
            white.Union(graphics::TRect{x, y, run, y + 1});
            x = run;
        }
    }
    caretShape_ = white;
}

void TWindowManager::DestroyCaret()
{
    if (caretOwner_ && caretHide_ == 0 && IsWindow(caretOwner_)) {
        TPoint origin = caretOwner_->ClientTarget().Origin;
        caretOwner_->TopLevel()->presentDirty_.Union(
            graphics::Bounds(origin.X + caretPos_.X, origin.Y + caretPos_.Y, caretSize_.cx, caretSize_.cy));
    }
    caretOwner_ = nullptr;
    caretHide_ = 1;
}

void TWindowManager::ShowCaret(HWND window)
{
    if (window == caretOwner_ && caretHide_ > 0)
        --caretHide_;
}

void TWindowManager::HideCaret(HWND window)
{
    if (window == caretOwner_)
        ++caretHide_;
}

void TWindowManager::SetCaretPos(int x, int y)
{
    caretPos_ = {x, y};
    if (caretOwner_ && backend_) {
        TPoint screen = caretOwner_->ClientToScreen(caretPos_);
        backend_->SetTextInputArea(graphics::Bounds(screen.X, screen.Y, caretSize_.cx, caretSize_.cy));
    }
}

AnsiString TWindowManager::ClipboardText()
{
    return Backend().ClipboardText();
}

void TWindowManager::SetClipboardText(const AnsiString& text)
{
    Backend().SetClipboardText(text);
}

}  // namespace ui
