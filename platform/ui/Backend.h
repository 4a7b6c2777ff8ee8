#pragma once

#include <cstdint>

#include "platform/core/Forward.h"
#include "platform/graphics/Region.h"
#include "platform/graphics/Surface.h"
#include "platform/ui/Cursors.h"
#include "platform/ui/Messages.h"

namespace ui {

// What the window manager needs from the display: top-level windows shown
// somewhere, their pixels presented, input delivered, a clock, a clipboard.
// Backends deliver input by calling the window manager's Inject* functions.
class TBackend {
public:
    virtual ~TBackend() = default;

    // A top-level window was created, destroyed, or changed its bounds,
    // title, visibility, enabled state or styles.
    virtual void WindowCreated(HWND) {}
    virtual void WindowDestroyed(HWND) {}
    virtual void WindowChanged(HWND) {}
    // Pixels of a top-level window changed in `dirty` (window coordinates).
    virtual void Present(HWND window, const graphics::TSurface& pixels, const graphics::TRegion& dirty) = 0;

    // Delivers pending input; waits up to `timeoutMs` (-1: until something
    // arrives) when there is none. Returns whether anything was delivered.
    virtual bool PumpEvents(int timeoutMs) = 0;
    // Milliseconds since some fixed moment.
    virtual uint32_t TickCount() const = 0;
    virtual graphics::TSize ScreenSize() const = 0;

    virtual void SetCursor(TCursor cursor) = 0;
    // A cursor made from a picture (32-bit ARGB, rows from the top) that a
    // later SetCursor(id) shows; the hot spot is the pixel that points.
    virtual void RegisterCursor(TCursor, int /*width*/, int /*height*/, const uint32_t* /*argb*/, graphics::TPoint /*hotspot*/) {}
    virtual AnsiString ClipboardText() = 0;
    virtual void SetClipboardText(const AnsiString& text) = 0;
    // Where text being composed by an input method should show (screen coordinates).
    virtual void SetTextInputArea(const graphics::TRect&) {}
};

}  // namespace ui
