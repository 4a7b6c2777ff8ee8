// The SDL display: windows, presentation of their pixels, cursors, the
// clipboard and the clock. Events are in SdlEvents.cpp, the caret in
// SdlCaret.cpp.
#include "platform/backend/sdl/SdlBackend.h"

#include "platform/backend/sdl/SdlX11.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"

namespace backend {

namespace {

using ui::HWND;

// The desktop draws the frame of a window with a caption (title bar and
// border); every other top-level window draws its own frame, if any.
bool HasCaption(uint32_t style)
{
    return (style & ui::WS_CAPTION) == ui::WS_CAPTION;
}

bool Resizable(uint32_t style)
{
    return HasCaption(style) && (style & ui::WS_THICKFRAME);
}

SDL_Rect ToSdl(const TRect& r)
{
    return SDL_Rect{r.Left, r.Top, r.Width(), r.Height()};
}

// Whether the surface keeps pixels as 32-bit words with red, green and blue
// where ours are, so that rows can be copied as they are.
bool SameLayout(const SDL_Surface* s)
{
    return s->format->BytesPerPixel == 4 && s->format->Rmask == 0x00FF0000 && s->format->Gmask == 0x0000FF00 &&
           s->format->Bmask == 0x000000FF;
}

SDL_SystemCursor SystemCursorFor(ui::TCursor cursor)
{
    switch (cursor) {
    case ui::crIBeam: return SDL_SYSTEM_CURSOR_IBEAM;
    case ui::crCross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case ui::crSizeNESW: return SDL_SYSTEM_CURSOR_SIZENESW;
    case ui::crSizeNWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case ui::crSizeNS:
    case ui::crVSplit: return SDL_SYSTEM_CURSOR_SIZENS;
    case ui::crSizeWE:
    case ui::crHSplit: return SDL_SYSTEM_CURSOR_SIZEWE;
    case ui::crSizeAll: return SDL_SYSTEM_CURSOR_SIZEALL;
    case ui::crHourGlass: return SDL_SYSTEM_CURSOR_WAIT;
    case ui::crSQLWait:
    case ui::crAppStart: return SDL_SYSTEM_CURSOR_WAITARROW;
    case ui::crNo:
    case ui::crNoDrop: return SDL_SYSTEM_CURSOR_NO;
    case ui::crHandPoint: return SDL_SYSTEM_CURSOR_HAND;
    default: return SDL_SYSTEM_CURSOR_ARROW;
    }
}

bool IsEmpty(const char* value)
{
    return value == nullptr || *value == '\0';
}

}  // namespace

TSdlBackend::TSdlBackend()
{
    // Committed text from the keyboard and the input method arrives as text
    // events; the controls take their characters from there.
    SDL_StartTextInput();
}

TSdlBackend::~TSdlBackend()
{
    for (auto& [handle, w] : windows_)
        SDL_DestroyWindow(w.window);
    windows_.clear();
    SDL_SetCursor(SDL_GetDefaultCursor());
    for (auto& [id, cursor] : cursors_)
        SDL_FreeCursor(cursor);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TSdlBackend::TSdlWindow* TSdlBackend::Find(HWND window)
{
    auto it = windows_.find(window);
    return it != windows_.end() ? &it->second : nullptr;
}

TSdlBackend::TSdlWindow* TSdlBackend::FindById(uint32_t windowId)
{
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    if (!window)
        return nullptr;
    for (auto& [handle, w] : windows_)
        if (w.window == window)
            return &w;
    return nullptr;
}

// ---- Windows ---------------------------------------------------------------

void TSdlBackend::WindowCreated(HWND window)
{
    uint32_t style = window->Style();
    TSdlWindow w;
    w.handle = window;
    w.popup = !HasCaption(style) && (style & ui::WS_POPUP);
    w.bounds = window->BoundsRect();
    w.title = window->Text();
    w.style = style;
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (!HasCaption(style))
        flags |= SDL_WINDOW_BORDERLESS;
    if (Resizable(style))
        flags |= SDL_WINDOW_RESIZABLE;
    // Drop-downs and other pop-ups stay out of the task bar and never take
    // the keyboard from the window that opened them.
    if (w.popup)
        flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
    else if (window->ExStyle() & ui::WS_EX_TOOLWINDOW)
        flags |= SDL_WINDOW_UTILITY;
    if (window->ExStyle() & ui::WS_EX_TOPMOST)
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    w.window = SDL_CreateWindow(core::AnsiToUtf8(w.title).c_str(), w.bounds.Left, w.bounds.Top,
                                std::max(w.bounds.Width(), 1), std::max(w.bounds.Height(), 1), flags);
    if (!w.window)
        throw core::EOSError("Cannot create a window: %s", core::Utf8ToAnsi(SDL_GetError()));
    SetX11WindowName(w.window, core::AnsiToUtf8(w.title));
    // An owned window with a caption (a dialog) stays above its owner.
    if (!w.popup && window->Owner())
        if (TSdlWindow* owner = Find(window->Owner()->TopLevel()))
            SDL_SetWindowModalFor(w.window, owner->window);
    windows_[window] = w;
}

void TSdlBackend::WindowDestroyed(HWND window)
{
    TSdlWindow* w = Find(window);
    if (!w)
        return;
    if (caretDrawn_.top == window)
        caretDrawn_ = {};
    if (lastActive_ == window)
        lastActive_ = nullptr;
    SDL_Window* sdl = w->window;
    bool hadKeyboard = SDL_GetKeyboardFocus() == sdl;
    windows_.erase(window);
    SDL_DestroyWindow(sdl);
    if (hadKeyboard)
        HandFocusOn(window);
}

void TSdlBackend::ApplyStyle(TSdlWindow& w, uint32_t style)
{
    w.style = style;
    // A pop-up keeps the kind it was created with; SDL cannot change it.
    if (w.popup)
        return;
    SDL_SetWindowBordered(w.window, HasCaption(style) ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowResizable(w.window, Resizable(style) ? SDL_TRUE : SDL_FALSE);
}

void TSdlBackend::WindowChanged(HWND window)
{
    TSdlWindow* w = Find(window);
    if (!w)
        return;
    if (window->Text() != w->title) {
        w->title = window->Text();
        std::string title = core::AnsiToUtf8(w->title);
        SDL_SetWindowTitle(w->window, title.c_str());
        SetX11WindowName(w->window, title);
    }
    uint32_t style = window->Style() & ~(ui::WS_VISIBLE | ui::WS_DISABLED);
    if (style != (w->style & ~(ui::WS_VISIBLE | ui::WS_DISABLED)))
        ApplyStyle(*w, style);
    TRect bounds = window->BoundsRect();
    if (bounds.TopLeft() != w->bounds.TopLeft())
        SDL_SetWindowPosition(w->window, bounds.Left, bounds.Top);
    if (bounds.Width() != w->bounds.Width() || bounds.Height() != w->bounds.Height()) {
        SDL_SetWindowSize(w->window, std::max(bounds.Width(), 1), std::max(bounds.Height(), 1));
        // The window's surface is made anew at the new size.
        if (caretDrawn_.top == window)
            caretDrawn_ = {};
    }
    w->bounds = bounds;
    bool show = window->Visible();
    if (show == w->shown)
        return;
    w->shown = show;
    if (show) {
        SDL_ShowWindow(w->window);
        return;
    }
    bool hadKeyboard = SDL_GetKeyboardFocus() == w->window;
    if (caretDrawn_.top == window)
        caretDrawn_ = {};
    SDL_HideWindow(w->window);
    if (hadKeyboard)
        HandFocusOn(window);
}

void TSdlBackend::HandFocusOn(HWND leaving)
{
    // The window manager's active window if it is another of ours, else the
    // owner of the window that went, else the topmost window that can take it.
    auto usable = [&](HWND h) -> TSdlWindow* {
        TSdlWindow* w = h && h != leaving ? Find(h) : nullptr;
        return w && w->shown && !w->popup && h->Enabled() ? w : nullptr;
    };
    ui::TWindowManager& wm = ui::WindowManager();
    TSdlWindow* next = usable(wm.ActiveWindow());
    if (!next && wm.IsWindow(leaving) && leaving->Owner())
        next = usable(leaving->Owner()->TopLevel());
    for (HWND top : wm.TopLevels())
        if (!next)
            next = usable(top);
    if (!next)
        return;
    SDL_RaiseWindow(next->window);
    SDL_SetWindowInputFocus(next->window);
}

// ---- Presentation ----------------------------------------------------------

void TSdlBackend::Present(HWND window, const graphics::TSurface& pixels, const TRegion& dirty)
{
    TSdlWindow* w = Find(window);
    if (!w || pixels.IsNull())
        return;
    SDL_Surface* surface = SDL_GetWindowSurface(w->window);
    if (!surface)
        return;
    TRegion area = dirty;
    area.Intersect(pixels.Bounds());
    area.Intersect(TRect{0, 0, surface->w, surface->h});
    if (area.IsEmpty())
        return;
    // The caret is taken off, the new pixels copied, and the caret put back,
    // so that the inverted pixels never mix with fresh ones.
    bool caretHere = caretDrawn_.top == window;
    if (caretHere)
        XorCaret(*w, caretDrawn_.area);
    if (SDL_MUSTLOCK(surface))
        SDL_LockSurface(surface);
    for (const TRect& r : area.Rects()) {
        auto* target = static_cast<uint8_t*>(surface->pixels) + static_cast<ptrdiff_t>(r.Top) * surface->pitch;
        if (SameLayout(surface)) {
            for (int y = r.Top; y < r.Bottom; ++y, target += surface->pitch) {
                const graphics::TPixel* from = &pixels.At(r.Left, y);
                auto* to = reinterpret_cast<uint32_t*>(target) + r.Left;
                for (int x = 0; x < r.Width(); ++x)
                    to[x] = from[x] | 0xFF000000u;
            }
        } else {
            SDL_ConvertPixels(r.Width(), r.Height(), SDL_PIXELFORMAT_XRGB8888, &pixels.At(r.Left, r.Top),
                              pixels.Stride * 4, surface->format->format,
                              target + r.Left * surface->format->BytesPerPixel, surface->pitch);
        }
    }
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    if (caretHere)
        XorCaret(*w, caretDrawn_.area);
    std::vector<SDL_Rect> rects;
    for (const TRect& r : area.Rects())
        rects.push_back(ToSdl(r));
    SDL_UpdateWindowSurfaceRects(w->window, rects.data(), static_cast<int>(rects.size()));
}

// ---- Clock, screen, cursors, clipboard --------------------------------------

uint32_t TSdlBackend::TickCount() const
{
    return SDL_GetTicks();
}

TSize TSdlBackend::ScreenSize() const
{
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return {1024, 768};
    return {mode.w, mode.h};
}

void TSdlBackend::SetCursor(ui::TCursor cursor)
{
    cursor_ = cursor;
    if (cursor == ui::crNone) {
        SDL_ShowCursor(SDL_DISABLE);
        cursorHidden_ = true;
        return;
    }
    if (cursorHidden_) {
        SDL_ShowCursor(SDL_ENABLE);
        cursorHidden_ = false;
    }
    SDL_Cursor*& shape = cursors_[cursor];
    if (!shape)
        shape = SDL_CreateSystemCursor(SystemCursorFor(cursor));
    if (shape)
        SDL_SetCursor(shape);
}

void TSdlBackend::RegisterCursor(ui::TCursor id, int width, int height, const uint32_t* argb, TPoint hotspot)
{
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(argb), width, height, 32,
                                                              width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!picture)
        throw core::EOSError("Cannot make a cursor: %s", core::Utf8ToAnsi(SDL_GetError()));
    SDL_Cursor* made = SDL_CreateColorCursor(picture, hotspot.X, hotspot.Y);
    SDL_FreeSurface(picture);
    if (!made)
        throw core::EOSError("Cannot make a cursor: %s", core::Utf8ToAnsi(SDL_GetError()));
    SDL_Cursor*& shape = cursors_[id];
    SDL_Cursor* old = shape;
    shape = made;
    if (cursor_ == id && !cursorHidden_)
        SDL_SetCursor(made);
    if (old)
        SDL_FreeCursor(old);
}

AnsiString TSdlBackend::ClipboardText()
{
    char* text = SDL_GetClipboardText();
    if (!text)
        return {};
    AnsiString result = core::Utf8ToAnsi(text);
    SDL_free(text);
    return result;
}

void TSdlBackend::SetClipboardText(const AnsiString& text)
{
    SDL_SetClipboardText(core::AnsiToUtf8(text).c_str());
}

void TSdlBackend::SetTextInputArea(const TRect& area)
{
    // SDL places the input method's window relative to the window that has
    // the keyboard: the caret's top-level window.
    ui::TWindowManager& wm = ui::WindowManager();
    HWND owner = wm.CaretOwner() ? wm.CaretOwner()->TopLevel() : wm.ActiveWindow();
    if (!owner)
        return;
    TPoint origin = owner->WindowRect().TopLeft();
    SDL_Rect r = ToSdl(graphics::Offset(area, -origin.X, -origin.Y));
    SDL_SetTextInputRect(&r);
}

// ---- Opening the display ----------------------------------------------------

std::unique_ptr<ui::TBackend> CreateSdlBackend()
{
    if (IsEmpty(std::getenv("DISPLAY")) && IsEmpty(std::getenv("WAYLAND_DISPLAY")) &&
        IsEmpty(std::getenv("SDL_VIDEODRIVER")))
        throw core::EOSError("No display: set DISPLAY or run under a desktop session");
    // Signals keep their usual meaning (SIGTERM ends the program); closing
    // the last window is the program's decision, not SDL's; the click that
    // activates a window reaches it, as desktop programs expect.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // Windows present plain software surfaces. SDL's framebuffer
    // acceleration would put each window's pixels through a renderer, which
    // loads an OpenGL driver (a software one where there is no accelerator)
    // for a few megabytes of pixels: about 90 MB more and a slower start.
    // SDL_FRAMEBUFFER_ACCELERATION in the environment still asks for it.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SurviveX11Errors();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw core::EOSError("Cannot open the display: %s", core::Utf8ToAnsi(SDL_GetError()));
    SurviveX11Errors();
    return std::make_unique<TSdlBackend>();
}

}  // namespace backend
