#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "platform/core/Exception.h"
#include <vector>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowManager.h"

using namespace ui;
using backend::THeadlessBackend;
using graphics::Bounds;
using graphics::Rect;

namespace {

// A plain window that records the messages it cares about and can be given
// extra behaviour per message.
class TTestWindow : public IWindowHandler {
public:
    TTestWindow(const char* name, HWND parent, TRect bounds, uint32_t style = WS_CHILD | WS_VISIBLE | WS_TABSTOP)
        : name_(name)
    {
        TCreateParams p;
        p.Caption = name;
        p.Style = parent ? style : (style & ~WS_CHILD) | WS_CAPTION;
        p.X = bounds.Left;
        p.Y = bounds.Top;
        p.Width = bounds.Width();
        p.Height = bounds.Height();
        p.WndParent = parent;
        handle_ = WindowManager().CreateWindow(p, this);
    }

    ~TTestWindow()
    {
        if (WindowManager().IsWindow(handle_)) {
            handle_->SetHandler(nullptr);
            WindowManager().DestroyWindow(handle_);
        }
    }

    HWND Handle() const { return handle_; }
    std::vector<uint32_t> Seen;
    std::vector<TPoint> Points;  // client positions of mouse messages
    std::map<uint32_t, std::function<bool(TMessage&)>> On;

    void AttachWindow(HWND window) override { handle_ = window; }
    void WindowProc(TMessage& m) override
    {
        static const uint32_t recorded[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE,
                                            WM_SETFOCUS, WM_KILLFOCUS, WM_KEYDOWN, WM_KEYUP, WM_CHAR,
                                            WM_TIMER, WM_MOUSEENTER, WM_MOUSELEAVE, WM_CAPTURECHANGED, WM_VSCROLL};
        if (std::find(std::begin(recorded), std::end(recorded), m.Msg) != std::end(recorded)) {
            Seen.push_back(m.Msg);
            if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST)
                Points.push_back({SignedLoWord(m.LParam), SignedHiWord(m.LParam)});
        }
        auto handler = On.find(m.Msg);
        if (handler != On.end() && handler->second(m))
            return;
        m.Result = DefWindowProc(handle_, m);
    }

    void Clear()
    {
        Seen.clear();
        Points.clear();
    }

private:
    const char* name_;
    HWND handle_ = nullptr;
};

class WindowManagerTest : public ::testing::Test {
protected:
    void SetUp() override { display = &THeadlessBackend::Install(); }
    void TearDown() override { WindowManager().Reset(); }

    THeadlessBackend* display = nullptr;
};

std::vector<uint32_t> Without(std::vector<uint32_t> seen, std::initializer_list<uint32_t> dropped)
{
    std::erase_if(seen, [&](uint32_t m) { return std::find(dropped.begin(), dropped.end(), m) != dropped.end(); });
    return seen;
}

}  // namespace

TEST_F(WindowManagerTest, ClickAndDoubleClickMessageOrder)
{
    TTestWindow form("form", nullptr, Bounds(100, 100, 300, 200), WS_VISIBLE);
    TTestWindow button("button", form.Handle(), Bounds(10, 10, 80, 30));
    TPoint at = button.Handle()->ClientToScreen({5, 6});
    display->Click(at);
    EXPECT_EQ(Without(button.Seen, {WM_MOUSEMOVE, WM_MOUSEENTER}), (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(button.Points.back(), (TPoint{5, 6}));

    button.Clear();
    display->Advance(1000);
    display->DoubleClick(at);
    EXPECT_EQ(Without(button.Seen, {WM_MOUSEMOVE}),
              (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));

    // Too slow, or too far apart, gives two single clicks.
    button.Clear();
    display->Advance(1000);
    display->Click(at);
    display->Advance(600);
    display->Click(at);
    display->Advance(1000);
    display->Click(at);
    display->Advance(50);
    display->Click(at + TPoint{5, 0});
    EXPECT_EQ(std::count(button.Seen.begin(), button.Seen.end(), WM_LBUTTONDBLCLK), 0);
}

TEST_F(WindowManagerTest, CaptureFollowsADragOutOfTheWindow)
{
    TTestWindow form("form", nullptr, Bounds(100, 100, 300, 200), WS_VISIBLE);
    TTestWindow left("left", form.Handle(), Bounds(10, 10, 50, 50));
    TTestWindow right("right", form.Handle(), Bounds(100, 10, 50, 50));
    left.On[WM_LBUTTONDOWN] = [&](TMessage&) {
        WindowManager().SetCapture(left.Handle());
        return true;
    };
    left.On[WM_LBUTTONUP] = [&](TMessage&) {
        WindowManager().ReleaseCapture();
        return true;
    };
    display->Press(left.Handle()->ClientToScreen({10, 10}));
    right.Clear();
    TPoint over = right.Handle()->ClientToScreen({5, 5});
    display->MoveMouse(over);
    display->Release(over);
    // The move and the release over the other window went to the holder, in
    // its own coordinates.
    EXPECT_TRUE(Without(right.Seen, {WM_MOUSEENTER, WM_MOUSELEAVE}).empty());
    EXPECT_EQ(left.Points.back(), left.Handle()->ScreenToClient(over));
    EXPECT_EQ(left.Seen.back(), WM_CAPTURECHANGED);
    EXPECT_EQ(WindowManager().Capture(), nullptr);

    // Escape during a capture cancels it.
    display->Press(left.Handle()->ClientToScreen({10, 10}));
    display->PressKey(VK_ESCAPE);
    EXPECT_EQ(WindowManager().Capture(), nullptr);
}

TEST_F(WindowManagerTest, TabShiftTabAndTheNextControlRequest)
{
    TTestWindow form("form", nullptr, Bounds(0, 0, 300, 200), WS_VISIBLE);
    form.Handle()->SetDialog(true);
    TTestWindow a("a", form.Handle(), Bounds(10, 10, 50, 20));
    TTestWindow b("b", form.Handle(), Bounds(10, 40, 50, 20));
    TTestWindow skipped("skipped", form.Handle(), Bounds(10, 70, 50, 20), WS_CHILD | WS_VISIBLE);
    TTestWindow c("c", form.Handle(), Bounds(10, 100, 50, 20));
    a.Handle()->SetTabIndex(0);
    b.Handle()->SetTabIndex(2);
    c.Handle()->SetTabIndex(1);
    TWindowManager& wm = WindowManager();
    wm.SetFocus(a.Handle());

    auto pumpTab = [&](bool shift) {
        if (shift)
            wm.InjectKey(VK_SHIFT, true);
        wm.InjectKey(VK_TAB, true);
        wm.InjectKey(VK_TAB, false);
        if (shift)
            wm.InjectKey(VK_SHIFT, false);
        TMsg msg;
        while (wm.PeekMessage(msg, nullptr, 0, 0, true))
            if (!wm.IsDialogMessage(form.Handle(), msg)) {
                wm.TranslateMessage(msg);
                wm.DispatchMessage(msg);
            }
    };
    pumpTab(false);
    EXPECT_EQ(wm.Focus(), c.Handle());
    pumpTab(false);
    EXPECT_EQ(wm.Focus(), b.Handle());
    pumpTab(false);
    EXPECT_EQ(wm.Focus(), a.Handle());  // wraps round
    pumpTab(true);
    EXPECT_EQ(wm.Focus(), b.Handle());
    EXPECT_EQ(std::count(b.Seen.begin(), b.Seen.end(), WM_SETFOCUS), 2);

    form.Handle()->Send(WM_NEXTDLGCTL, 1, 0);
    EXPECT_EQ(wm.Focus(), c.Handle());
    form.Handle()->Send(WM_NEXTDLGCTL, 0, 0);
    EXPECT_EQ(wm.Focus(), b.Handle());

    // A window that wants Tab keeps it.
    b.On[WM_GETDLGCODE] = [](TMessage& m) {
        m.Result = DLGC_WANTTAB;
        return true;
    };
    b.Clear();
    pumpTab(false);
    EXPECT_EQ(wm.Focus(), b.Handle());
    EXPECT_NE(std::find(b.Seen.begin(), b.Seen.end(), WM_CHAR), b.Seen.end());
}

TEST_F(WindowManagerTest, TimersFireWhenTheClockAdvances)
{
    TTestWindow form("form", nullptr, Bounds(0, 0, 100, 100), WS_VISIBLE);
    TWindowManager& wm = WindowManager();
    wm.SetTimer(form.Handle(), 1, 60);
    int processWide = 0;
    uintptr_t id = wm.SetTimer(nullptr, 0, 100, [&] { ++processWide; });
    wm.ProcessMessages();
    EXPECT_EQ(std::count(form.Seen.begin(), form.Seen.end(), WM_TIMER), 0);
    display->Advance(59);
    wm.ProcessMessages();
    EXPECT_EQ(std::count(form.Seen.begin(), form.Seen.end(), WM_TIMER), 0);
    display->Advance(1);
    wm.ProcessMessages();
    EXPECT_EQ(std::count(form.Seen.begin(), form.Seen.end(), WM_TIMER), 1);
    display->Advance(60);
    wm.ProcessMessages();
    EXPECT_EQ(std::count(form.Seen.begin(), form.Seen.end(), WM_TIMER), 2);
    EXPECT_EQ(processWide, 1);
    EXPECT_TRUE(wm.KillTimer(form.Handle(), 1));
    EXPECT_TRUE(wm.KillTimer(nullptr, id));
    display->Advance(500);
    wm.ProcessMessages();
    EXPECT_EQ(std::count(form.Seen.begin(), form.Seen.end(), WM_TIMER), 2);
    EXPECT_EQ(processWide, 1);
}

TEST_F(WindowManagerTest, AKeyboardHookSeesAndEatsKeys)
{
    TTestWindow form("form", nullptr, Bounds(0, 0, 100, 100), WS_VISIBLE);
    TTestWindow edit("edit", form.Handle(), Bounds(0, 0, 50, 20));
    TWindowManager& wm = WindowManager();
    wm.SetFocus(edit.Handle());
    std::vector<WPARAM> hooked;
    HHOOK hook = wm.SetWindowsHook(WH_KEYBOARD, [&](int code, WPARAM key, LPARAM) {
        hooked.push_back(key);
        return code == WM_KEYDOWN && key == VK_ESCAPE;  // eat the Escape press
    });
    display->PressKey(VK_ESCAPE);
    display->PressKey('A');
    EXPECT_EQ(hooked, (std::vector<WPARAM>{VK_ESCAPE, VK_ESCAPE, 'A', 'A'}));
    EXPECT_EQ(edit.Seen, (std::vector<uint32_t>{WM_SETFOCUS, WM_KEYUP, WM_KEYDOWN, WM_KEYUP}));
    wm.UnhookWindowsHook(hook);
    edit.Clear();
    display->PressKey(VK_ESCAPE);
    EXPECT_EQ(edit.Seen, (std::vector<uint32_t>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
}

TEST_F(WindowManagerTest, AHookEatingALongRunOfInputKeepsTheStack)
{
    // Every eaten message makes the manager look again; a long run of them
    // (a stuck key, a flood of pointer moves) must not deepen the stack.
    TTestWindow form("form", nullptr, Bounds(0, 0, 100, 100), WS_VISIBLE);
    TWindowManager& wm = WindowManager();
    wm.SetFocus(form.Handle());
    int eaten = 0;
    HHOOK keys = wm.SetWindowsHook(WH_KEYBOARD, [&](int, WPARAM, LPARAM) { return ++eaten, true; });
    HHOOK mouse = wm.SetWindowsHook(WH_MOUSE, [&](int, WPARAM, LPARAM) { return ++eaten, true; });
    constexpr int kRun = 300000;
    for (int i = 0; i < kRun; ++i) {
        if (i % 2)
            wm.PostMessage(form.Handle(), WM_KEYDOWN, 'A', 0);
        else
            wm.PostMessage(form.Handle(), WM_MOUSEMOVE, 0, 0);
    }
    wm.PostMessage(form.Handle(), WM_USER, 0, 0);
    TMsg msg;
    ASSERT_TRUE(wm.PeekMessage(msg, nullptr, 0, 0, true));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_EQ(eaten, kRun);
    EXPECT_FALSE(wm.PeekMessage(msg, nullptr, WM_KEYFIRST, WM_KEYLAST, true));
    wm.UnhookWindowsHook(keys);
    wm.UnhookWindowsHook(mouse);
}

TEST_F(WindowManagerTest, ATimersCallbackIsLookedUpWhenItsMessageIsDispatched)
{
    TWindowManager& wm = WindowManager();
    int first = 0, second = 0;
    uintptr_t id = wm.SetTimer(nullptr, 0, 10, [&] { ++first; });
    display->Advance(10);
    TMsg msg;
    ASSERT_TRUE(wm.PeekMessage(msg, nullptr, WM_TIMER, WM_TIMER, true));
    EXPECT_EQ(msg.wParam, id);
    // More timers move the table the taken message came from; the callback
    // is still the timer's own.
    std::vector<uintptr_t> others;
    for (int i = 0; i < 64; ++i)
        others.push_back(wm.SetTimer(nullptr, 0, 1000, [&] { ++second; }));
    wm.DispatchMessage(msg);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);

    // A timer killed after its message was taken runs nothing; one set anew
    // under its id runs its new callback.
    display->Advance(10);
    ASSERT_TRUE(wm.PeekMessage(msg, nullptr, WM_TIMER, WM_TIMER, true));
    EXPECT_TRUE(wm.KillTimer(nullptr, id));
    wm.DispatchMessage(msg);
    EXPECT_EQ(first, 1);
    uintptr_t other = others.front();
    display->Advance(1000);
    ASSERT_TRUE(wm.PeekMessage(msg, nullptr, WM_TIMER, WM_TIMER, true));
    ASSERT_EQ(msg.wParam, other);
    for (uintptr_t o : others)
        wm.KillTimer(nullptr, o);
    wm.DispatchMessage(msg);
    EXPECT_EQ(second, 0);
}

TEST_F(WindowManagerTest, TextAndControlCharacters)
{
    TTestWindow form("form", nullptr, Bounds(0, 0, 100, 100), WS_VISIBLE);
    std::vector<WPARAM> chars;
    form.On[WM_CHAR] = [&](TMessage& m) {
        chars.push_back(m.WParam);
        return true;
    };
    WindowManager().SetFocus(form.Handle());
    display->Type(reinterpret_cast<const char*>(u8"a宋"));
    display->PressKey('C', {VK_CONTROL});
    display->PressKey(VK_RETURN);
    // 宋 arrives as its two GBK bytes; Ctrl+C as 3; Enter as 13.
    EXPECT_EQ(chars, (std::vector<WPARAM>{'a', 0xCB, 0xCE, 3, 13}));
    EXPECT_FALSE(WindowManager().KeyDown(VK_CONTROL));
}

TEST_F(WindowManagerTest, ScrollingMovesPixelsAndInvalidatesTheUncoveredStrip)
{
    TTestWindow form("form", nullptr, Bounds(0, 0, 100, 100), WS_VISIBLE);
    TWindowManager& wm = WindowManager();
    // Paint each row in its own colour.
    form.On[WM_PAINT] = [&](TMessage&) {
        TDrawTarget t = form.Handle()->ClientTarget();
        for (const TRect& r : t.Clip.Rects())
            for (int y = r.Top; y < r.Bottom; ++y)
                for (int x = r.Left; x < r.Right; ++x)
                    t.Surface.At(x, y) = static_cast<graphics::TPixel>(y - t.Origin.Y);
        form.Handle()->Validate();
        return true;
    };
    wm.ProcessMessages();
    ASSERT_FALSE(form.Handle()->NeedsPaint());
    form.Handle()->Scroll(0, -10, nullptr, nullptr, SW_INVALIDATE);
    TDrawTarget t = form.Handle()->ClientTarget();
    EXPECT_EQ(t.Surface.At(50, 0), 10u);   // row 10 moved to the top
    EXPECT_EQ(t.Surface.At(50, 89), 99u);
    EXPECT_EQ(form.Handle()->UpdateRegion(), TRegion(Rect(0, 90, 100, 100)));
    // A pending update moves with the pixels.
    form.Handle()->Validate();
    TRect pending = Rect(0, 50, 100, 60);
    form.Handle()->Invalidate(&pending, false);
    form.Handle()->Scroll(0, 20, nullptr, nullptr, SW_INVALIDATE);
    TRegion expected(Rect(0, 0, 100, 20));
    expected.Union(Rect(0, 70, 100, 80));
    EXPECT_EQ(form.Handle()->UpdateRegion(), expected);
}

TEST_F(WindowManagerTest, EnterAndLeaveAsThePointerMovesBetweenWindows)
{
    TTestWindow form("form", nullptr, Bounds(0, 0, 300, 100), WS_VISIBLE);
    TTestWindow a("a", form.Handle(), Bounds(10, 10, 50, 50));
    TTestWindow b("b", form.Handle(), Bounds(100, 10, 50, 50));
    display->MoveMouse(a.Handle()->ClientToScreen({1, 1}));
    display->MoveMouse(a.Handle()->ClientToScreen({2, 2}));
    display->MoveMouse(b.Handle()->ClientToScreen({1, 1}));
    EXPECT_EQ(Without(a.Seen, {WM_MOUSEMOVE}), (std::vector<uint32_t>{WM_MOUSEENTER, WM_MOUSELEAVE}));
    EXPECT_EQ(Without(b.Seen, {WM_MOUSEMOVE}), (std::vector<uint32_t>{WM_MOUSEENTER}));
}

TEST_F(WindowManagerTest, ANestedLoopReturnsItsResult)
{
    TTestWindow form("form", nullptr, Bounds(0, 0, 200, 100), WS_VISIBLE);
    TTestWindow ok("ok", form.Handle(), Bounds(10, 10, 50, 20));
    TWindowManager& wm = WindowManager();
    int result = 0;
    bool done = false;
    ok.On[WM_LBUTTONUP] = [&](TMessage&) {
        done = true;
        return true;
    };
    form.On[WM_USER] = [&](TMessage&) {
        // The modal loop: runs until the button says it is done.
        TMsg msg;
        while (!done && wm.GetMessage(msg)) {
            wm.TranslateMessage(msg);
            wm.DispatchMessage(msg);
        }
        result = done ? 1 : 2;
        return true;
    };
    TPoint at = ok.Handle()->ClientToScreen({5, 5});
    wm.PostMessage(form.Handle(), WM_USER);
    wm.InjectMouseButton(mbLeft, true, at);
    wm.InjectMouseButton(mbLeft, false, at);
    wm.ProcessMessages();
    EXPECT_EQ(result, 1);
    EXPECT_EQ(wm.QueueSize(), 0u);
}

TEST_F(WindowManagerTest, AnIdleLoopWaitsForItsTimerOnTheVirtualClock)
{
    TTestWindow form("form", nullptr, Bounds(0, 0, 100, 100), WS_VISIBLE);
    TWindowManager& wm = WindowManager();
    wm.SetTimer(form.Handle(), 7, 250);
    uint32_t start = wm.TickCount();
    wm.ProcessMessages();
    TMsg msg;
    ASSERT_TRUE(wm.GetMessage(msg));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_GE(wm.TickCount() - start, 250u);
    wm.KillTimer(form.Handle(), 7);
    // With nothing to wait for, waiting is refused instead of hanging.
    EXPECT_THROW(wm.GetMessage(msg), core::EInvalidOperation);
}

TEST_F(WindowManagerTest, DestroyingAWindowForgetsItEverywhere)
{
    TTestWindow form("form", nullptr, Bounds(0, 0, 100, 100), WS_VISIBLE);
    auto* child = new TTestWindow("child", form.Handle(), Bounds(0, 0, 50, 50));
    TWindowManager& wm = WindowManager();
    HWND h = child->Handle();
    wm.SetFocus(h);
    wm.SetCapture(h);
    wm.SetTimer(h, 1, 10);
    wm.PostMessage(h, WM_USER);
    wm.DestroyWindow(h);
    delete child;
    EXPECT_FALSE(wm.IsWindow(h));
    EXPECT_EQ(wm.Focus(), nullptr);
    EXPECT_EQ(wm.Capture(), nullptr);
    EXPECT_TRUE(form.Handle()->Children().empty());
    display->Advance(100);
    wm.ProcessMessages();  // nothing left that would reach the dead window
}

TEST_F(WindowManagerTest, ScrollBarsTakeClientSpaceAndReportRequests)
{
    TTestWindow form("form", nullptr, Bounds(0, 0, 200, 200), WS_VISIBLE);
    TTestWindow list("list", form.Handle(), Bounds(10, 10, 100, 100), WS_CHILD | WS_VISIBLE | WS_BORDER);
    HWND h = list.Handle();
    EXPECT_EQ(h->ClientRect(), Rect(0, 0, 98, 98));
    TScrollInfo info;
    info.Min = 0;
    info.Max = 99;
    info.Page = 10;
    h->SetScrollInfo(SB_VERT, info, SIF_RANGE | SIF_PAGE, true);
    EXPECT_TRUE(h->ScrollBarVisible(SB_VERT));
    EXPECT_EQ(h->ClientRect(), Rect(0, 0, 81, 98));
    std::vector<int> requests;
    list.On[WM_VSCROLL] = [&](TMessage& m) {
        requests.push_back(LoWord(static_cast<LPARAM>(m.WParam)));
        return true;
    };
    TRect bar = h->ScrollBarRect(SB_VERT);
    TPoint window = h->WindowRect().TopLeft();
    display->Click(window + TPoint{bar.Left + 8, bar.Bottom - 5});  // the down arrow
    EXPECT_EQ(requests, (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
    // A whole range that fits its page hides the bar again.
    info.Page = 100;
    h->SetScrollInfo(SB_VERT, info, SIF_PAGE, true);
    EXPECT_FALSE(h->ScrollBarVisible(SB_VERT));
}

TEST_F(WindowManagerTest, ModifierPairsAltLettersAndLeavingTheProgram)
{
    TTestWindow form("form", nullptr, Bounds(0, 0, 100, 100), WS_VISIBLE);
    TWindowManager& wm = WindowManager();
    wm.SetFocus(form.Handle());
    std::vector<std::pair<uint32_t, WPARAM>> keys;
    for (uint32_t m : {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR})
        form.On[m] = [&keys](TMessage& msg) {
            keys.emplace_back(msg.Msg, msg.WParam);
            return false;
        };
    // Both Shift keys down, one released: Shift is still held, and programs
    // only ever see the generic code.
    wm.InjectKey(VK_LSHIFT, true);
    wm.InjectKey(VK_RSHIFT, true);
    wm.InjectKey(VK_LSHIFT, false);
    wm.ProcessMessages();
    EXPECT_TRUE(wm.KeyDown(VK_SHIFT));
    wm.InjectKey(VK_RSHIFT, false);
    wm.ProcessMessages();
    EXPECT_FALSE(wm.KeyDown(VK_SHIFT));
    // The second press repeats the key down, as the platform reports it.
    EXPECT_EQ(keys, (std::vector<std::pair<uint32_t, WPARAM>>{{WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, VK_SHIFT}, {WM_KEYUP, VK_SHIFT}}));

    keys.clear();
    display->PressKey('S', {VK_MENU});
    EXPECT_NE(std::find(keys.begin(), keys.end(), std::pair<uint32_t, WPARAM>{WM_SYSCHAR, 's'}), keys.end());

    display->MoveMouse({50, 50});
    form.Clear();
    display->MoveMouse({500, 500});
    EXPECT_EQ(form.Seen, (std::vector<uint32_t>{WM_MOUSELEAVE}));
}
