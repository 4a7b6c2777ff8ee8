#include "platform/backend/headless/HeadlessBackend.h"

#include <algorithm>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/DrawFlags.h"
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
        TRegion caret = wm.CaretShape();
        caret.Offset(p.X, p.Y);
        caret.Intersect(target.Clip);
        for (const TRect& r : caret.Rects())
            for (int y = r.Top; y < r.Bottom; ++y)
                for (int x = r.Left; x < r.Right; ++x)
                    shot.Pixels[static_cast<size_t>(y) * shot.Width + x] ^= graphics::kPixelRgbMask;
    }
    return shot;
}

TSnapshot THeadlessBackend::FramedSnapshot(ui::HWND window) const
{
    TSnapshot client = Snapshot(window);
    if (!(window->Style() & ui::WS_CAPTION) || (window->Style() & ui::WS_CAPTION) != ui::WS_CAPTION)
        return client;
    using namespace graphics;
    bool tool = (window->ExStyle() & ui::WS_EX_TOOLWINDOW) != 0;
    int frame = (window->Style() & ui::WS_THICKFRAME) ? 4 : 3;
    int caption = tool ? 16 : 19;
    TSnapshot shot;
    shot.Width = client.Width + 2 * frame;
    shot.Height = client.Height + 2 * frame + caption;
    shot.Pixels.assign(static_cast<size_t>(shot.Width) * shot.Height, 0);
    TCanvas canvas;
    canvas.Attach(shot.Surface());
    TRect r{0, 0, shot.Width, shot.Height};
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(r);
    canvas.DrawEdge(r, EDGE_RAISED, BF_RECT);
    // The caption bar: the active caption colour fading into its gradient.
    bool active = ui::WindowManager().ActiveWindow() == window;
    TRect bar{frame, frame, shot.Width - frame, frame + caption - 1};
    TColor from = ColorToRGB(active ? clActiveCaption : clInactiveCaption);
    TColor to = ColorToRGB(SysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION));
    for (int x = bar.Left; x < bar.Right; ++x) {
        int t = bar.Width() > 1 ? (x - bar.Left) * 255 / (bar.Width() - 1) : 0;
        auto mix = [&](int shift) { return (((from >> shift) & 0xFF) * (255 - t) + ((to >> shift) & 0xFF) * t) / 255; };
        canvas.Brush()->SetColor(static_cast<TColor>(mix(0) | mix(8) << 8 | mix(16) << 16));
        canvas.FillRect({x, bar.Top, x + 1, bar.Bottom});
    }
    canvas.Font()->SetName("Tahoma");
    canvas.Font()->SetHeight(-11);
    canvas.Font()->SetStyle({fsBold});
    canvas.Font()->SetColor(active ? clCaptionText : clInactiveCaptionText);
    canvas.SetBkMode(TRANSPARENT);
    TRect title{bar.Left + 3, bar.Top, bar.Right - caption - 2, bar.Bottom};
    canvas.DrawText(window->Text(), title, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (window->Style() & ui::WS_SYSMENU) {
        // The close box: a raised button with a cross.
        TRect box{bar.Right - caption + 1, bar.Top + 2, bar.Right - 2, bar.Bottom - 2};
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(box);
        canvas.DrawEdge(box, EDGE_RAISED, BF_RECT);
        int cx = (box.Left + box.Right) / 2 - 1, cy = (box.Top + box.Bottom) / 2;
        canvas.Pen()->SetColor(clBtnText);
        for (int d = -3; d <= 3; ++d) {
            canvas.SetPixel(cx + d, cy + d, clBtnText);
            canvas.SetPixel(cx + d + 1, cy + d, clBtnText);
            canvas.SetPixel(cx + d, cy - d, clBtnText);
            canvas.SetPixel(cx + d + 1, cy - d, clBtnText);
        }
    }
    // The window's own pixels inside the frame.
    for (int y = 0; y < client.Height; ++y)
        std::copy(client.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * client.Width,
                  client.Pixels.begin() + static_cast<std::ptrdiff_t>(y + 1) * client.Width,
                  shot.Pixels.begin() + static_cast<std::ptrdiff_t>(y + frame + caption) * shot.Width + frame);
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
