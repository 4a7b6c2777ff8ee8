#pragma once

#include <map>
#include <vector>

#include "platform/ui/Backend.h"
#include "platform/ui/WindowManager.h"

namespace backend {

using core::AnsiString;
using graphics::TPoint;
using graphics::TRegion;
using graphics::TRect;
using graphics::TSize;

// A picture of what a top-level window shows.
struct TSnapshot {
    int Width = 0;
    int Height = 0;
    std::vector<graphics::TPixel> Pixels;  // rows from the top

    graphics::TPixel At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
    graphics::TSurface Surface() { return {Pixels.data(), Width, Height, Width}; }
};

// A display in memory: a virtual screen, a virtual clock that only moves
// when told (or when the program waits), input injected by the caller, and
// snapshots of every top-level window. Everything is deterministic.
class THeadlessBackend : public ui::TBackend {
public:
    explicit THeadlessBackend(TSize screen = {1024, 768});

    // Installs a new headless backend in the window manager (after Reset)
    // and returns it.
    static THeadlessBackend& Install(TSize screen = {1024, 768});

    void WindowDestroyed(ui::HWND window) override;
    void Present(ui::HWND window, const graphics::TSurface& pixels, const graphics::TRegion& dirty) override;
    // Waiting lets the virtual clock run to the end of the wait; waiting
    // forever with nothing to come is a fault of the caller and raises.
    bool PumpEvents(int timeoutMs) override;
    uint32_t TickCount() const override { return now_; }
    TSize ScreenSize() const override { return screen_; }
    void SetCursor(ui::TCursor cursor) override { cursor_ = cursor; }
    ui::TCursor Cursor() const { return cursor_; }
    AnsiString ClipboardText() override { return clipboard_; }
    void SetClipboardText(const AnsiString& text) override { clipboard_ = text; }
    void SetTextInputArea(const TRect& area) override { textInputArea_ = area; }
    TRect TextInputArea() const { return textInputArea_; }

    // The clock.
    void Advance(uint32_t ms) { now_ += ms; }

    // What a window shows on the screen now, with the caret if it is on.
    TSnapshot Snapshot(ui::HWND window) const;
    // The same inside the frame a classic desktop draws round a window with
    // a caption: borders, the caption bar with the title and the close box.
    // Windows without a caption come back as Snapshot gives them.
    TSnapshot FramedSnapshot(ui::HWND window) const;

    // Input, in screen coordinates. Each call handles the messages it causes.
    void MoveMouse(TPoint screen);
    void Press(TPoint screen, ui::TMouseButton button = ui::mbLeft);
    void Release(TPoint screen, ui::TMouseButton button = ui::mbLeft);
    void Click(TPoint screen, ui::TMouseButton button = ui::mbLeft);
    void DoubleClick(TPoint screen);
    void Wheel(int delta, TPoint screen);
    void KeyDown(unsigned vk);
    void KeyUp(unsigned vk);
    // Down and up, with modifiers held around it (VK_SHIFT, VK_CONTROL, VK_MENU).
    void PressKey(unsigned vk, std::initializer_list<unsigned> modifiers = {});
    // Text as an input method commits it, given in UTF-8.
    void Type(std::string_view utf8);

private:
    void Settle();

    TSize screen_;
    uint32_t now_ = 1000;
    ui::TCursor cursor_ = ui::crDefault;
    AnsiString clipboard_;
    TRect textInputArea_;
    std::map<ui::HWND, TSnapshot> screens_;
};

}  // namespace backend
