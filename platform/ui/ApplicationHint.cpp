// The application's hints: which control the pointer rests over, the pause
// before its hint shows, the hint window, and what hides it again.
//
// Flow: the control layer reports each change of the control under the
// pointer (HintMouseControl). A control with a hint starts the pause timer
// and a watch on input: a move restarts the pause, a click or a key cancels
// the hint. When the pause ends over the same control, the hint window
// shows below the pointer and the hide timer starts. Leaving the control
// hides the window.
#include <algorithm>
#include <functional>

#include "platform/ui/Application.h"
#include "platform/ui/Control.h"
#include "platform/ui/HintWindow.h"
#include "platform/ui/WindowManager.h"

namespace ui {

namespace {

// Tells its owner-less callback when a watched component is destroyed, so
// the hint state never keeps a dangling control.
class THintWatcher : public core::TComponent {
public:
    explicit THintWatcher(std::function<void(core::TComponent*)> gone) : core::TComponent(nullptr), gone_(std::move(gone)) {}

protected:
    void Notification(core::TComponent* component, core::TOperation operation) override
    {
        core::TComponent::Notification(component, operation);
        if (operation == core::opRemove)
            gone_(component);
    }

private:
    std::function<void(core::TComponent*)> gone_;
};

// The pointer sits this far above the top of the hint.
constexpr int kBelowPointer = 20;

// The control whose Hint text shows for `control`: itself, or the nearest
// parent with a hint.
TControl* HintSource(TControl* control)
{
    for (TControl* c = control; c; c = c->Parent())
        if (!c->Hint().empty())
            return c;
    return nullptr;
}

bool HasHintToShow(TControl* control)
{
    TControl* source = HintSource(control);
    return control->ShowHint() && source && !GetShortHint(source->Hint()).empty();
}

bool IsPress(uint32_t message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_MOUSEWHEEL:
        return true;
    default:
        return false;
    }
}

}  // namespace

struct TApplication::THintState {
    TControl* control = nullptr;  // under the pointer
    uintptr_t timer = 0;
    bool hideTimer = false;       // the running timer ends a shown hint
    HHOOK mouseHook = 0;
    HHOOK keyHook = 0;
    std::unique_ptr<THintWindow> window;
    std::unique_ptr<THintWatcher> watcher;
};

void TApplication::THintStateDeleter::operator()(THintState* state) const
{
    delete state;
}

TApplication::THintState& TApplication::Hint()
{
    if (!hint_) {
        hint_.reset(new THintState);
        hint_->watcher = std::make_unique<THintWatcher>([this](core::TComponent* gone) {
            if (gone == hint_->control) {
                hint_->control = nullptr;
                CancelHint();
            }
        });
    }
    return *hint_;
}

void TApplication::SetShowHint(bool value)
{
    showHint_ = value;
    if (!value)
        CancelHint();
}

THintWindow* TApplication::ActiveHintWindow() const
{
    if (!hint_ || !hint_->window || !hint_->window->HandleAllocated() || !hint_->window->Handle()->Visible())
        return nullptr;
    return hint_->window.get();
}

void TApplication::CancelHint()
{
    if (!hint_)
        return;
    StopHintTimer();
    WatchInput(false);
    if (hint_->window)
        hint_->window->ReleaseHint();
}

void TApplication::HintMouseControl(TControl* control)
{
    if (!hint_ && !(control && showHint_ && HasHintToShow(control)))
        return;
    THintState& h = Hint();
    if (control == h.control)
        return;
    bool wasShown = ActiveHintWindow() != nullptr;
    CancelHint();
    if (h.control)
        h.control->RemoveFreeNotification(h.watcher.get());
    h.control = control;
    if (!control)
        return;
    control->FreeNotification(h.watcher.get());
    if (showHint_ && HasHintToShow(control)) {
        StartHintTimer(static_cast<unsigned>(wasShown ? hintShortPause_ : hintPause_), false);
        WatchInput(true);
    }
}

void TApplication::StartHintTimer(unsigned ms, bool hideTimer)
{
    StopHintTimer();
    THintState& h = Hint();
    h.hideTimer = hideTimer;
    h.timer = WindowManager().SetTimer(nullptr, 0, std::max(ms, 1u), [this] { HintTimerExpired(); });
}

void TApplication::StopHintTimer()
{
    if (hint_ && hint_->timer) {
        WindowManager().KillTimer(nullptr, hint_->timer);
        hint_->timer = 0;
    }
}

void TApplication::HintTimerExpired()
{
    THintState& h = Hint();
    bool hide = h.hideTimer;
    StopHintTimer();
    TControl* control = h.control;
    if (hide || !control || control != MouseControl() || !showHint_ || !HasHintToShow(control) || !control->Showing()) {
        CancelHint();
        return;
    }
    ShowHintFor(control);
    StartHintTimer(static_cast<unsigned>(hintHidePause_), true);
}

void TApplication::ShowHintFor(TControl* control)
{
    THintState& h = Hint();
    if (!h.window)
        h.window = std::make_unique<THintWindow>(nullptr);
    AnsiString text = GetShortHint(HintSource(control)->Hint());
    TWindowManager& wm = WindowManager();
    int screenWidth = wm.SystemMetric(SM_CXSCREEN), screenHeight = wm.SystemMetric(SM_CYSCREEN);
    TRect r = h.window->CalcHintRect(screenWidth, text);
    TPoint at = wm.CursorPos() + TPoint{0, kBelowPointer};
    // Kept on the screen: moved left at the right edge, above the pointer at
    // the bottom.
    at.X = std::max(0, std::min(at.X, screenWidth - r.Width()));
    if (at.Y + r.Height() > screenHeight)
        at.Y = wm.CursorPos().Y - r.Height();
    h.window->ActivateHint(graphics::Offset(r, at.X, at.Y), text);
}

void TApplication::WatchInput(bool on)
{
    THintState& h = Hint();
    TWindowManager& wm = WindowManager();
    if (!on) {
        if (h.mouseHook)
            wm.UnhookWindowsHook(h.mouseHook);
        if (h.keyHook)
            wm.UnhookWindowsHook(h.keyHook);
        h.mouseHook = h.keyHook = 0;
        return;
    }
    if (h.mouseHook)
        return;
    h.mouseHook = wm.SetWindowsHook(WH_MOUSE, [this](int message, WPARAM, LPARAM) {
        THintState& state = Hint();
        if (IsPress(static_cast<uint32_t>(message)))
            CancelHint();
        else if (message == WM_MOUSEMOVE && state.timer && !state.hideTimer)
            StartHintTimer(static_cast<unsigned>(hintPause_), false);  // the pointer has not rested yet
        return false;
    });
    h.keyHook = wm.SetWindowsHook(WH_KEYBOARD, [this](int message, WPARAM, LPARAM) {
        if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
            CancelHint();
        return false;
    });
}

}  // namespace ui
