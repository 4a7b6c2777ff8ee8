// A window for the end-to-end check of the SDL display (window_probe.sh).
//
// It opens a form at (100, 80), 400 by 300, filled with kFormPixel, with a
// child panel at (50, 40) in it, 200 by 120, whose left half is kLeftPixel
// and right half kRightPixel, with a blinking caret at (150, 50) in the
// panel. The panel has the keyboard focus. It writes one line per event to
// standard output:
//   ready            the windows are painted and on the screen
//   click X Y        a left button press in the panel, client coordinates
//   char HH          a character message to the panel, its byte in hex
// and ends (exit status 0) on Escape or when the form is closed.
#include <cstdio>

#include "platform/backend/sdl/SdlBackend.h"
#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowManager.h"

using namespace ui;
using graphics::TPixel;

namespace {

constexpr TPixel kFormPixel = 0x00336699;
constexpr TPixel kLeftPixel = 0x00C08040;
constexpr TPixel kRightPixel = 0x0020A060;

void Fill(const TDrawTarget& target, const TRect& rect, TPixel pixel)
{
    TRegion area(graphics::Offset(rect, target.Origin.X, target.Origin.Y));
    area.Intersect(target.Clip);
    for (const TRect& r : area.Rects())
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                target.Surface.At(x, y) = pixel;
}

// A window that paints itself in one or two colours and reports its input.
class TProbeWindow : public IWindowHandler {
public:
    TProbeWindow(HWND parent, const char* caption, TRect bounds, uint32_t style, TPixel left, TPixel right)
        : left_(left), right_(right)
    {
        TCreateParams p;
        p.Caption = caption;
        p.Style = style;
        p.X = bounds.Left;
        p.Y = bounds.Top;
        p.Width = bounds.Width();
        p.Height = bounds.Height();
        p.WndParent = parent;
        handle_ = WindowManager().CreateWindow(p, this);
    }

    HWND Handle() const { return handle_; }

    void AttachWindow(HWND window) override { handle_ = window; }

    void WindowProc(TMessage& m) override
    {
        switch (m.Msg) {
        case WM_ERASEBKGND:
            m.Result = 1;  // painting covers everything
            return;
        case WM_PAINT:
            Paint();
            return;
        case WM_LBUTTONDOWN:
            if (handle_->Parent())
                std::printf("click %d %d\n", SignedLoWord(m.LParam), SignedHiWord(m.LParam));
            return;
        case WM_CHAR:
            std::printf("char %02X\n", static_cast<unsigned>(m.WParam & 0xFF));
            if (m.WParam == VK_ESCAPE)
                WindowManager().PostQuitMessage(0);
            return;
        case WM_CLOSE:
            WindowManager().PostQuitMessage(0);
            return;
        default:
            m.Result = DefWindowProc(handle_, m);
        }
    }

private:
    void Paint()
    {
        TDrawTarget target = handle_->ClientTarget();
        TRect client = handle_->ClientRect();
        int middle = client.Width() / 2;
        Fill(target, {0, 0, middle, client.Bottom}, left_);
        Fill(target, {middle, 0, client.Right, client.Bottom}, right_);
        handle_->Validate();
    }

    TPixel left_;
    TPixel right_;
    HWND handle_ = nullptr;
};

int Run()
{
    TWindowManager& wm = WindowManager();
    wm.SetBackend(backend::CreateSdlBackend());
    TProbeWindow form(nullptr, "窗口 Probe", graphics::Bounds(100, 80, 400, 300),
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, kFormPixel, kFormPixel);
    TProbeWindow panel(form.Handle(), "", graphics::Bounds(50, 40, 200, 120), WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                       kLeftPixel, kRightPixel);
    wm.SetFocus(panel.Handle());
    wm.CreateCaret(panel.Handle(), 2, 16);
    wm.SetCaretPos(150, 50);
    wm.ShowCaret(panel.Handle());
    wm.ProcessMessages();
    std::printf("ready\n");

    TMsg msg;
    while (wm.GetMessage(msg)) {
        wm.TranslateMessage(msg);
        wm.DispatchMessage(msg);
    }
    // The windows go before the display that shows them.
    wm.Reset();
    return static_cast<int>(msg.wParam);
}

}  // namespace

int main()
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    try {
        return Run();
    } catch (const core::Exception& e) {
        std::fprintf(stderr, "window probe: %s\n", core::AnsiToUtf8(e.Message()).c_str());
        return 2;
    }
}
