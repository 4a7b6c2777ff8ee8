#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "platform/ui/Backend.h"
#include "platform/ui/WindowManager.h"

struct SDL_Window;
struct SDL_Cursor;
union SDL_Event;

namespace backend {

using core::AnsiString;
using graphics::TPoint;
using graphics::TRect;
using graphics::TRegion;
using graphics::TSize;

// The desktop display through SDL2: one SDL window per top-level window,
// pixels presented in software through the window's surface, input turned
// into the window manager's Inject* calls, the caret drawn and blinked here,
// text from the input method converted to GBK, the SDL clipboard.
//
// Windows with a caption are decorated by the desktop and keep their size
// unless they have a sizing frame; pop-up windows without a caption are
// borderless pop-up menus that never take the keyboard from their owner.
class TSdlBackend : public ui::TBackend {
public:
    // SDL's video subsystem must be initialised (CreateSdlBackend does it).
    TSdlBackend();
    ~TSdlBackend() override;
    TSdlBackend(const TSdlBackend&) = delete;
    TSdlBackend& operator=(const TSdlBackend&) = delete;

    void WindowCreated(ui::HWND window) override;
    void WindowDestroyed(ui::HWND window) override;
    void WindowChanged(ui::HWND window) override;
    void Present(ui::HWND window, const graphics::TSurface& pixels, const TRegion& dirty) override;
    bool PumpEvents(int timeoutMs) override;
    uint32_t TickCount() const override;
    TSize ScreenSize() const override;
    void SetCursor(ui::TCursor cursor) override;
    AnsiString ClipboardText() override;
    void SetClipboardText(const AnsiString& text) override;
    void SetTextInputArea(const TRect& area) override;

    // Registering a standard shape's id replaces that shape.
    void RegisterCursor(ui::TCursor id, int width, int height, const uint32_t* argb, TPoint hotspot) override;

private:
    // An SDL window and what it was last told, so that WindowChanged applies
    // only what changed.
    struct TSdlWindow {
        ui::HWND handle = nullptr;
        SDL_Window* window = nullptr;
        bool popup = false;  // created as a pop-up: borderless, never activated
        TRect bounds;
        AnsiString title;
        uint32_t style = 0;
        bool shown = false;
    };
    // The caret as it is drawn (inverted) on a window's surface.
    struct TCaretDrawn {
        ui::HWND top = nullptr;
        TRegion area;  // surface coordinates
    };
    // The caret as the window manager last described it; a change restarts
    // the blink with the caret visible.
    struct TCaretSeen {
        ui::HWND owner = nullptr;
        TPoint pos;
        TSize size;
        uint32_t since = 0;
    };

    TSdlWindow* Find(ui::HWND window);
    TSdlWindow* FindById(uint32_t windowId);
    void ApplyStyle(TSdlWindow& w, uint32_t style);
    TPoint ScreenPoint(uint32_t windowId, int x, int y);

    // Event translation (SdlEvents.cpp).
    void Dispatch(const SDL_Event& event);
    void WindowEvent(const SDL_Event& event);
    // After a batch of events: who has the keyboard now, and what the
    // window manager made active.
    void SyncActivation();
    // Gives the keyboard back to one of our windows when the window holding
    // it goes away (without a desktop window manager nobody else would).
    void HandFocusOn(ui::HWND leaving);

    // The caret (SdlCaret.cpp).
    void UpdateCaret();
    void XorCaret(TSdlWindow& w, const TRegion& area);
    int MsUntilBlink() const;

    std::map<ui::HWND, TSdlWindow> windows_;
    std::map<ui::TCursor, SDL_Cursor*> cursors_;
    ui::TCursor cursor_ = ui::crDefault;
    bool cursorHidden_ = false;
    TCaretDrawn caretDrawn_;
    TCaretSeen caretSeen_;
    ui::HWND lastActive_ = nullptr;
    bool focusChanged_ = false;
};

// Opens the display and returns its backend. Raises core::EOSError when
// there is no display to open.
std::unique_ptr<ui::TBackend> CreateSdlBackend();

}  // namespace backend
