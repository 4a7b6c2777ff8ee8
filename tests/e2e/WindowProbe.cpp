// A window for the end-to-end check of the SDL display (window_probe.sh).
//
// It opens a form at (100, 80), 400 by 300, filled with kFormPixel, with a
// child panel at (50, 40) in it, 200 by 120, whose left half is kLeftPixel
// and right half kRightPixel, with a blinking caret at (150, 50) in the
// panel; and a borderless pop-up owned by the form at (600, 400), 100 by 60,
// filled with kPopupPixel, that never takes activation. The panel has the
// keyboard focus and a cursor made from a picture. The program writes one line per event to standard output:
//   ready              the windows are painted and on the screen
//   activate N         the form's WM_ACTIVATE, N its state (0 inactive)
//   click X Y          a left button press in the panel, client coordinates
//   popup-click X Y    the same in the pop-up
//   char HH            a character message to the panel, its byte in hex
//   clipboard U / G    after F2: the clipboard's text as SDL holds it (UTF-8)
//                      and as the program reads it back (GBK), bytes in hex
//   popup hidden       after F3
//   requestor gone     after F4: a second X client asked for the clipboard
//                      and went away before the answer, which then fails
//                      with an X error that the program must survive
//   wm-name TYPE HEX   at the start: the form's WM_NAME as the desktop reads
//                      it, its type and its text in UTF-8 bytes in hex (the
//                      form is made with an ASCII title that is then changed)
// and ends (exit status 0) on Escape or when the form is closed.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <functional>
#include <string>

#include "platform/backend/sdl/SdlBackend.h"
#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowManager.h"

using namespace ui;
using graphics::TPixel;

void SendToAGoneWindow();  // StaleWindow.cpp

namespace {

constexpr TPixel kFormPixel = 0x00336699;
constexpr TPixel kLeftPixel = 0x00C08040;
constexpr TPixel kRightPixel = 0x0020A060;
constexpr TPixel kPopupPixel = 0x00E0E040;

void Fill(const TDrawTarget& target, const TRect& rect, TPixel pixel)
{
    TRegion area(graphics::Offset(rect, target.Origin.X, target.Origin.Y));
    area.Intersect(target.Clip);
    for (const TRect& r : area.Rects())
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                target.Surface.At(x, y) = pixel;
}

std::string Hex(std::string_view bytes)
{
    std::string text;
    char buffer[4];
    for (unsigned char b : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X", b);
        text += buffer;
    }
    return text;
}

// A window that paints itself in one or two colours and reports its input.
class TProbeWindow : public IWindowHandler {
public:
    struct TOptions {
        HWND Parent = nullptr;
        const char* Caption = "";
        TRect Bounds;
        uint32_t Style = 0;
        uint32_t ExStyle = 0;
        TPixel Left = 0;
        TPixel Right = 0;
        const char* ClickTag = nullptr;  // reports left presses under this name
        bool ReportActivation = false;
        TCursor Cursor = crDefault;  // shown over the window
    };

    explicit TProbeWindow(const TOptions& options) : options_(options)
    {
        TCreateParams p;
        p.Caption = options.Caption;
        p.Style = options.Style;
        p.ExStyle = options.ExStyle;
        p.X = options.Bounds.Left;
        p.Y = options.Bounds.Top;
        p.Width = options.Bounds.Width();
        p.Height = options.Bounds.Height();
        p.WndParent = options.Parent;
        WindowManager().CreateWindow(p, this);
    }

    HWND Handle() const { return handle_; }
    std::function<void(unsigned vk)> OnKeyDown;

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
            if (options_.ClickTag)
                std::printf("%s %d %d\n", options_.ClickTag, SignedLoWord(m.LParam), SignedHiWord(m.LParam));
            return;
        case WM_SETCURSOR:
            if (options_.Cursor != crDefault) {
                WindowManager().SetCursor(options_.Cursor);
                m.Result = 1;
                return;
            }
            break;
        case WM_KEYDOWN:
            if (OnKeyDown)
                OnKeyDown(static_cast<unsigned>(m.WParam));
            return;
        case WM_CHAR:
            std::printf("char %02X\n", static_cast<unsigned>(m.WParam & 0xFF));
            if (m.WParam == VK_ESCAPE)
                WindowManager().PostQuitMessage(0);
            return;
        case WM_ACTIVATE:
            if (options_.ReportActivation)
                std::printf("activate %d\n", LoWord(static_cast<LPARAM>(m.WParam)));
            break;
        case WM_CLOSE:
            WindowManager().PostQuitMessage(0);
            return;
        default:
            break;
        }
        m.Result = DefWindowProc(handle_, m);
    }

private:
    void Paint()
    {
        TDrawTarget target = handle_->ClientTarget();
        TRect client = handle_->ClientRect();
        int middle = client.Width() / 2;
        Fill(target, {0, 0, middle, client.Bottom}, options_.Left);
        Fill(target, {middle, 0, client.Right, client.Bottom}, options_.Right);
        handle_->Validate();
    }

    TOptions options_;
    HWND handle_ = nullptr;
};

// Puts GBK text on the clipboard and reports how it is held and read back.
void ReportClipboard()
{
    TWindowManager& wm = WindowManager();
    wm.SetClipboardText("剪贴板 clip");
    char* held = SDL_GetClipboardText();
    std::printf("clipboard %s / %s\n", Hex(held ? held : "").c_str(), Hex(wm.ClipboardText()).c_str());
    SDL_free(held);
}

// A second client of the display asks for the clipboard's text and is gone
// before the answer comes.
void VanishingRequestor()
{
    Display* other = XOpenDisplay(nullptr);
    if (!other) {
        std::printf("requestor failed\n");
        return;
    }
    Window window = XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 1, 1, 0, 0, 0);
    XConvertSelection(other, XInternAtom(other, "CLIPBOARD", False), XInternAtom(other, "UTF8_STRING", False),
                      XInternAtom(other, "PROBE_CLIPBOARD", False), window, CurrentTime);
    XDestroyWindow(other, window);
    XCloseDisplay(other);  // sends both requests, in this order
    std::printf("requestor gone\n");
}

// The WM_NAME of the SDL window titled `utf8`, as a desktop reads it.
void ReportWmName(const char* utf8)
{
    for (Uint32 id = 1; id < 16; ++id) {
        SDL_Window* window = SDL_GetWindowFromID(id);
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (!window || std::string(SDL_GetWindowTitle(window)) != utf8 || !SDL_GetWindowWMInfo(window, &info) ||
            info.subsystem != SDL_SYSWM_X11)
            continue;
        Display* display = info.info.x11.display;
        XTextProperty property{};
        if (!XGetWMName(display, info.info.x11.window, &property))
            break;
        char** list = nullptr;
        int count = 0;
        std::string text;
        if (Xutf8TextPropertyToTextList(display, &property, &list, &count) >= Success && count > 0)
            text = list[0];
        if (list)
            XFreeStringList(list);
        char* type = property.encoding ? XGetAtomName(display, property.encoding) : nullptr;
        std::printf("wm-name %s %s\n", type ? type : "none", Hex(text).c_str());
        if (type)
            XFree(type);
        XFree(property.value);
        return;
    }
    std::printf("wm-name none\n");
}

// A cursor of our own: a 16 by 16 cross, opaque black on transparent.
constexpr TCursor kCrossCursor = 1;
void RegisterCrossCursor()
{
    uint32_t argb[16 * 16] = {};
    for (int i = 0; i < 16; ++i)
        argb[7 * 16 + i] = argb[i * 16 + 7] = 0xFF000000;
    WindowManager().RegisterCursor(kCrossCursor, 16, 16, argb, {7, 7});
}

int Run()
{
    TWindowManager& wm = WindowManager();
    wm.SetBackend(backend::CreateSdlBackend());
    SendToAGoneWindow();
    RegisterCrossCursor();
    TProbeWindow form({.Caption = "Probe",
                       .Bounds = graphics::Bounds(100, 80, 400, 300),
                       .Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                       .Left = kFormPixel,
                       .Right = kFormPixel,
                       .ReportActivation = true});
    TProbeWindow panel({.Parent = form.Handle(),
                        .Bounds = graphics::Bounds(50, 40, 200, 120),
                        .Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                        .Left = kLeftPixel,
                        .Right = kRightPixel,
                        .ClickTag = "click",
                        .Cursor = kCrossCursor});
    TProbeWindow popup({.Parent = form.Handle(),
                        .Bounds = graphics::Bounds(600, 400, 100, 60),
                        .Style = WS_POPUP | WS_VISIBLE,
                        .ExStyle = WS_EX_NOACTIVATE,
                        .Left = kPopupPixel,
                        .Right = kPopupPixel,
                        .ClickTag = "popup-click"});
    panel.OnKeyDown = [&](unsigned vk) {
        if (vk == VK_F2)
            ReportClipboard();
        if (vk == VK_F3) {
            popup.Handle()->Show(false);
            std::printf("popup hidden\n");
        }
        if (vk == VK_F4)
            VanishingRequestor();
    };
    form.Handle()->SetText("窗口 Probe");
    wm.SetFocus(panel.Handle());
    wm.CreateCaret(panel.Handle(), 2, 16);
    wm.SetCaretPos(150, 50);
    wm.ShowCaret(panel.Handle());
    wm.ProcessMessages();
    ReportWmName(core::AnsiToUtf8("窗口 Probe").c_str());
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
