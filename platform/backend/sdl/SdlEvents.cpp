// SDL events into the window manager's input: pointer positions become
// screen coordinates, keys virtual key codes, committed text GBK characters,
// window events closing, activation and repainting.
#include <SDL.h>

#include "platform/backend/sdl/SdlBackend.h"
#include "platform/backend/sdl/SdlKeys.h"
#include "platform/backend/sdl/SdlX11.h"
#include "platform/core/CodePage.h"

namespace backend {

namespace {

bool ToButton(Uint8 sdlButton, ui::TMouseButton& button)
{
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: button = ui::mbLeft; return true;
    case SDL_BUTTON_RIGHT: button = ui::mbRight; return true;
    case SDL_BUTTON_MIDDLE: button = ui::mbMiddle; return true;
    default: return false;
    }
}

}  // namespace

// How often a wait for events looks for them.
constexpr Uint32 kPollMs = 5;

bool TSdlBackend::PumpEvents(int timeoutMs)
{
    // A library that set an X error handler of its own for good is put
    // behind ours again before the wait.
    SurviveX11Errors();
    UpdateCaret();
    // Wake up in time for the caret's next blink.
    int wait = timeoutMs;
    int blink = MsUntilBlink();
    if (blink >= 0 && (wait < 0 || blink < wait))
        wait = blink;
    // SDL's own waiting wakes itself by sending an event to one of the
    // program's windows over a second X connection; on a busy X server that
    // can reach a window just destroyed, and the error ends the program
    // (see SurviveX11Errors). So the wait is a poll every few milliseconds.
    SDL_Event event;
    int got = SDL_PollEvent(&event);
    Uint64 deadline = SDL_GetTicks64() + static_cast<Uint64>(wait > 0 ? wait : 0);
    while (!got && wait != 0 && (wait < 0 || SDL_GetTicks64() < deadline)) {
        SDL_Delay(kPollMs);
        got = SDL_PollEvent(&event);
    }
    bool any = false;
    while (got) {
        any = true;
        Dispatch(event);
        got = SDL_PollEvent(&event);
    }
    SyncActivation();
    UpdateCaret();
    return any;
}

TPoint TSdlBackend::ScreenPoint(uint32_t windowId, int x, int y)
{
    if (TSdlWindow* w = FindById(windowId))
        return w->handle->WindowRect().TopLeft() + TPoint{x, y};
    int gx = 0, gy = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    return {gx, gy};
}

void TSdlBackend::Dispatch(const SDL_Event& event)
{
    ui::TWindowManager& wm = ui::WindowManager();
    ui::TMouseButton button;
    switch (event.type) {
    case SDL_MOUSEMOTION:
        wm.InjectMouseMove(ScreenPoint(event.motion.windowID, event.motion.x, event.motion.y));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (ToButton(event.button.button, button))
            wm.InjectMouseButton(button, event.type == SDL_MOUSEBUTTONDOWN,
                                 ScreenPoint(event.button.windowID, event.button.x, event.button.y));
        break;
    case SDL_MOUSEWHEEL: {
        int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        if (notches != 0)
            wm.InjectMouseWheel(notches * ui::WHEEL_DELTA,
                                ScreenPoint(event.wheel.windowID, event.wheel.mouseX, event.wheel.mouseY));
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        bool numLock = (event.key.keysym.mod & KMOD_NUM) != 0;
        if (unsigned vk = VirtualKeyFromSdl(event.key.keysym.sym, event.key.keysym.scancode, numLock))
            wm.InjectKey(vk, event.type == SDL_KEYDOWN);
        break;
    }
    case SDL_TEXTINPUT:
        // Ctrl and Alt make shortcuts, whose keys arrive as key messages;
        // AltGr (right Alt) still types characters on many layouts.
        if (!(SDL_GetModState() & (KMOD_CTRL | KMOD_LALT)))
            wm.InjectText(core::Utf8ToAnsi(event.text.text));
        break;
    case SDL_WINDOWEVENT:
        WindowEvent(event);
        break;
    default:
        // Text being composed is shown by the input method itself.
        break;
    }
}

void TSdlBackend::WindowEvent(const SDL_Event& event)
{
    TSdlWindow* w = FindById(event.window.windowID);
    if (!w)
        return;
    ui::HWND handle = w->handle;
    switch (event.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
        ui::WindowManager().InjectClose(handle);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
        // Decided once the batch is through: the keyboard often moves from
        // one of our windows to another, which is no loss of activation.
        focusChanged_ = true;
        break;
    case SDL_WINDOWEVENT_LEAVE: {
        // The pointer went off the window (SDL sends no motion for that):
        // where it is now tells the window manager what it left.
        int x = 0, y = 0;
        SDL_GetGlobalMouseState(&x, &y);
        ui::WindowManager().InjectMouseMove({x, y});
        break;
    }
    case SDL_WINDOWEVENT_EXPOSED:
        SDL_UpdateWindowSurface(w->window);
        break;
    case SDL_WINDOWEVENT_MOVED:
        // The user or the desktop moved the window: the window manager's
        // screen positions follow.
        if (TPoint{event.window.data1, event.window.data2} != w->bounds.TopLeft()) {
            w->bounds = graphics::Bounds(event.window.data1, event.window.data2, w->bounds.Width(), w->bounds.Height());
            handle->SetWindowPos(nullptr, event.window.data1, event.window.data2, 0, 0,
                                 ui::SWP_NOSIZE | ui::SWP_NOZORDER | ui::SWP_NOACTIVATE);
        }
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        if (event.window.data1 != w->bounds.Width() || event.window.data2 != w->bounds.Height()) {
            w->bounds = graphics::Bounds(w->bounds.Left, w->bounds.Top, event.window.data1, event.window.data2);
            if (caretDrawn_.top == handle)
                caretDrawn_ = {};
            handle->SetWindowPos(nullptr, 0, 0, event.window.data1, event.window.data2,
                                 ui::SWP_NOMOVE | ui::SWP_NOZORDER | ui::SWP_NOACTIVATE);
        }
        break;
    default:
        break;
    }
}

void TSdlBackend::SyncActivation()
{
    ui::TWindowManager& wm = ui::WindowManager();
    if (focusChanged_) {
        focusChanged_ = false;
        SDL_Window* keyboard = SDL_GetKeyboardFocus();
        TSdlWindow* w = keyboard ? FindById(SDL_GetWindowID(keyboard)) : nullptr;
        if (!w) {
            // Another program has the keyboard.
            if (wm.ActiveWindow())
                wm.InjectActivate(wm.ActiveWindow(), false);
        } else if (!w->popup && w->handle->Enabled()) {
            wm.InjectActivate(w->handle, true);
        } else if (!w->popup && wm.ActiveWindow()) {
            // A disabled window (a modal window is up) does not come forward;
            // the window that is active stays in front.
            lastActive_ = nullptr;
        }
    }
    // The window manager activated a window itself (a dialog shown, focus
    // set in another form): bring it forward, with the keyboard if the
    // keyboard is ours to give.
    ui::HWND active = wm.ActiveWindow();
    if (active == lastActive_)
        return;
    lastActive_ = active;
    TSdlWindow* w = Find(active);
    if (!w || !w->shown || w->popup)
        return;
    SDL_Window* keyboard = SDL_GetKeyboardFocus();
    if (keyboard == w->window)
        return;
    SDL_RaiseWindow(w->window);
    if (keyboard && FindById(SDL_GetWindowID(keyboard)))
        SDL_SetWindowInputFocus(w->window);
}

}  // namespace backend
