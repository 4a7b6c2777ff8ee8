#include "platform/backend/headless/HeadlessBackend.h"

#include <algorithm>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/ui/Application.h"

namespace backend {

THeadlessBackend::THeadlessBackend(TSize screen) : screen_(screen) {}

THeadlessBackend& THeadlessBackend::Install(TSize screen)
{
    ui::TWindowManager& wm = ui::WindowManager();
    if (wm.HasBackend())
        wm.Reset();
    auto backend = std::make_unique<THeadlessBackend>(screen);
    THeadlessBackend& result = *backend;
    wm.SetBackend(std::move(backend));
    wm.Reset();
    return result;
}

void THeadlessBackend::WindowDestroyed(ui::HWND window)
{
    screens_.erase(window);
}

void THeadlessBackend::Present(ui::HWND window, const graphics::TSurface& pixels, const graphics::TRegion& dirty)
{
    TSnapshot& shown = screens_[window];
    if (shown.Width != pixels.Width || shown.Height != pixels.Height) {
        shown.Width = pixels.Width;
        shown.Height = pixels.Height;
        shown.Pixels.assign(static_cast<size_t>(pixels.Width) * pixels.Height, 0);
    }
    TRegion area = dirty;
    area.Intersect(pixels.Bounds());
    for (const TRect& r : area.Rects())
        for (int y = r.Top; y < r.Bottom; ++y)
            std::copy(&pixels.At(r.Left, y), &pixels.At(r.Left, y) + r.Width(),
                      shown.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * shown.Width + r.Left);
}

bool THeadlessBackend::PumpEvents(int timeoutMs)
{
    if (timeoutMs < 0)
        throw core::EInvalidOperation("The headless display would wait forever: nothing is queued and no timer runs");
    now_ += static_cast<uint32_t>(timeoutMs);
    return false;
}

TSnapshot THeadlessBackend::Snapshot(ui::HWND window) const
{
    ui::WindowManager().PresentAll();
    auto it = screens_.find(window);
    TSnapshot shot = it != screens_.end() ? it->second : TSnapshot{};
    // The caret is drawn over the picture, inverted, while it blinks on.
    ui::TWindowManager& wm = ui::WindowManager();
    ui::HWND owner = wm.CaretOwner();
    if (wm.CaretShown() && owner && owner->TopLevel() == window && (now_ / wm.CaretBlinkTime()) % 2 == 0) {
        ui::TDrawTarget target = owner->ClientTarget();
        TPoint p = wm.CaretPos() + target.Origin;
        TRegion caret(graphics::Bounds(p.X, p.Y, wm.CaretSize().cx, wm.CaretSize().cy));
        caret.Intersect(target.Clip);
        for (const TRect& r : caret.Rects())
            for (int y = r.Top; y < r.Bottom; ++y)
                for (int x = r.Left; x < r.Right; ++x)
                    shot.Pixels[static_cast<size_t>(y) * shot.Width + x] ^= graphics::kPixelRgbMask;
    }
    return shot;
}

void THeadlessBackend::Settle()
{
    // Through the application, so that controls get their dialog keys first.
    ui::Application().ProcessMessages();
}

void THeadlessBackend::MoveMouse(TPoint screen)
{
    ui::WindowManager().InjectMouseMove(screen);
    Settle();
}

void THeadlessBackend::Press(TPoint screen, ui::TMouseButton button)
{
    ui::WindowManager().InjectMouseMove(screen);
    ui::WindowManager().InjectMouseButton(button, true, screen);
    Settle();
}

void THeadlessBackend::Release(TPoint screen, ui::TMouseButton button)
{
    ui::WindowManager().InjectMouseMove(screen);
    ui::WindowManager().InjectMouseButton(button, false, screen);
    Settle();
}

void THeadlessBackend::Click(TPoint screen, ui::TMouseButton button)
{
    Press(screen, button);
    Release(screen, button);
}

void THeadlessBackend::DoubleClick(TPoint screen)
{
    Click(screen);
    Advance(50);
    Click(screen);
}

void THeadlessBackend::Wheel(int delta, TPoint screen)
{
    ui::WindowManager().InjectMouseWheel(delta, screen);
    Settle();
}

void THeadlessBackend::KeyDown(unsigned vk)
{
    ui::WindowManager().InjectKey(vk, true);
    Settle();
}

void THeadlessBackend::KeyUp(unsigned vk)
{
    ui::WindowManager().InjectKey(vk, false);
    Settle();
}

void THeadlessBackend::PressKey(unsigned vk, std::initializer_list<unsigned> modifiers)
{
    for (unsigned m : modifiers)
        ui::WindowManager().InjectKey(m, true);
    ui::WindowManager().InjectKey(vk, true);
    ui::WindowManager().InjectKey(vk, false);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        ui::WindowManager().InjectKey(*it, false);
    Settle();
}

void THeadlessBackend::Type(std::string_view utf8)
{
    ui::WindowManager().InjectText(core::Utf8ToAnsi(utf8));
    Settle();
}

}  // namespace backend
