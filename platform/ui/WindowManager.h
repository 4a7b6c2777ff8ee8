#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/ui/Backend.h"
#include "platform/ui/Window.h"

namespace graphics {
class TBitmap;
}

namespace ui {

// A queued or retrieved message, with when and where the pointer was.
struct TMsg {
    HWND hwnd = nullptr;
    uint32_t message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    uint32_t time = 0;
    TPoint pt;
};

// Message hooks of the one UI thread.
enum THookKind { WH_KEYBOARD = 2, WH_GETMESSAGE = 3, WH_CALLWNDPROC = 4, WH_MOUSE = 7 };
// What a mouse hook is told about.
struct TMouseHookInfo {
    TPoint pt;        // screen
    HWND hwnd;        // the window the message goes to
    int hitTest;      // where in that window
};
// A hook gets the message kind (or key) and its parameters; returning true
// eats a mouse or keyboard message. Mouse hooks receive the message number in
// `code` and a TMouseHookInfo in lParam; keyboard hooks the virtual key in
// wParam and the key message's lParam; call-window-procedure hooks a TMsg.
using THookProc = std::function<bool(int code, WPARAM wParam, LPARAM lParam)>;
using HHOOK = int;

// Buttons of the pointer, for input injection.
enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Standard system metrics the controls measure with.
enum TSystemMetric {
    SM_CXSCREEN = 0,
    SM_CYSCREEN = 1,
    SM_CXVSCROLL = 2,
    SM_CYHSCROLL = 3,
    SM_CYCAPTION = 4,
    SM_CXBORDER = 5,
    SM_CYBORDER = 6,
    SM_CXDLGFRAME = 7,
    SM_CYDLGFRAME = 8,
    SM_CYVTHUMB = 9,
    SM_CXHTHUMB = 10,
    SM_CXDOUBLECLK = 36,
    SM_CYDOUBLECLK = 37,
    SM_CXEDGE = 45,
    SM_CYEDGE = 46,
    SM_DBCSENABLED = 42,
    SM_CXDRAG = 68,
    SM_CYDRAG = 69,
};

// The windowing state of the process: every window, the message queue,
// timers, hooks, focus, capture, the caret and the route of input into
// messages. There is one UI thread; everything here runs on it.
class TWindowManager {
public:
    static TWindowManager& Instance();
    TWindowManager(const TWindowManager&) = delete;
    TWindowManager& operator=(const TWindowManager&) = delete;

    void SetBackend(std::unique_ptr<TBackend> backend);
    TBackend& Backend();
    bool HasBackend() const { return backend_ != nullptr; }
    // Destroys every window and forgets all state (tests start clean).
    void Reset();

    // Windows.
    HWND CreateWindow(const TCreateParams& params, IWindowHandler* handler);
    void DestroyWindow(HWND window);
    bool IsWindow(HWND window) const;
    // Top-level windows from the top of the z-order.
    const std::vector<HWND>& TopLevels() const { return topLevels_; }
    // The deepest visible window at a screen point (disabled children pass the
    // point to their parent), or nullptr.
    HWND WindowFromPoint(TPoint screen) const;
    HWND ChildWindowFromPoint(HWND parent, TPoint client) const;

    // Messages.
    LRESULT SendMessage(HWND window, uint32_t msg, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT Perform(HWND window, TMessage& message);
    bool PostMessage(HWND window, uint32_t msg, WPARAM wParam = 0, LPARAM lParam = 0);
    void PostQuitMessage(int exitCode);
    // Takes (or looks at) the next message for `filter` (and its descendants;
    // nullptr: any) in [first, last] (0, 0: any): posted messages and input
    // first, then due timers, then paint requests.
    bool PeekMessage(TMsg& msg, HWND filter, uint32_t first, uint32_t last, bool remove);
    // Waits for the next message; false when it is WM_QUIT.
    bool GetMessage(TMsg& msg);
    // Key downs of Enter, Tab, Escape, Backspace and Ctrl+letters give their
    // characters; Alt+letters and Alt+digits give system characters.
    void TranslateMessage(const TMsg& msg);
    LRESULT DispatchMessage(const TMsg& msg);
    // Tab and Shift+Tab between the dialog's tab stops, unless the focused
    // window wants them (WM_GETDLGCODE). True when the message was used.
    bool IsDialogMessage(HWND dialog, const TMsg& msg);
    // Handles every pending message and paints, without waiting.
    void ProcessMessages();
    // Sends WM_PAINT to every window that needs it and presents the pixels.
    void PaintAll();
    void PresentAll();

    // Timers: WM_TIMER to the window, or the callback for process-wide ones
    // (window nullptr; the id is chosen and returned).
    uintptr_t SetTimer(HWND window, uintptr_t id, unsigned elapseMs, std::function<void()> callback = {});
    bool KillTimer(HWND window, uintptr_t id);

    // Hooks: the last installed runs first.
    HHOOK SetWindowsHook(THookKind kind, THookProc proc);
    void UnhookWindowsHook(HHOOK hook);

    // Focus, activation and capture.
    HWND Focus() const { return focus_; }
    // Moves the keyboard focus (WM_KILLFOCUS, then WM_SETFOCUS) and activates
    // its top-level window; false when the window cannot take it.
    bool SetFocus(HWND window);
    HWND ActiveWindow() const { return active_; }
    void SetActiveWindow(HWND window);
    HWND Capture() const { return capture_; }
    void SetCapture(HWND window);
    void ReleaseCapture();
    // The next (or previous) tab stop after `from` among the dialog's descendants.
    HWND NextDlgTabItem(HWND dialog, HWND from, bool previous) const;

    // Input state.
    TPoint CursorPos() const { return cursorPos_; }
    // Bit 15 set while the key is down; bit 0 toggled by each press. The
    // state is that of the input taken from the queue so far, so a handler
    // sees the modifiers as they were when its message was made.
    int16_t GetKeyState(unsigned vk) const;
    // The state of the keys now, including input still queued.
    int16_t GetAsyncKeyState(unsigned vk) const;
    bool KeyDown(unsigned vk) const { return GetKeyState(vk) < 0; }
    uint32_t TickCount() const;
    unsigned DoubleClickTime() const { return doubleClickTime_; }
    void SetDoubleClickTime(unsigned ms) { doubleClickTime_ = ms; }
    int SystemMetric(TSystemMetric metric) const;
    int WheelScrollLines() const { return 3; }

    // Cursors: the shape shown now; pictures registered for own ids.
    void SetCursor(TCursor cursor);
    TCursor CurrentCursor() const { return cursor_; }
    // Makes a cursor from a picture under a program's own (positive) id.
    void RegisterCursor(TCursor id, int width, int height, const uint32_t* argb, TPoint hotspot);
    bool CursorRegistered(TCursor id) const { return std::find(cursors_.begin(), cursors_.end(), id) != cursors_.end(); }

    // The caret: one per thread, owned by a window.
    void CreateCaret(HWND window, int width, int height);
    // A caret of the bitmap's size that inverts the pixels where the bitmap
    // is white and leaves those where it is black (a slanted italic caret).
    void CreateCaret(HWND window, const graphics::TBitmap& shape);
    // The pixels the caret inverts, relative to its position.
    const graphics::TRegion& CaretShape() const { return caretShape_; }
    void DestroyCaret();
    void ShowCaret(HWND window);
    void HideCaret(HWND window);
    void SetCaretPos(int x, int y);
    TPoint CaretPos() const { return caretPos_; }
    TSize CaretSize() const { return caretSize_; }
    HWND CaretOwner() const { return caretOwner_; }
    bool CaretShown() const { return caretOwner_ && caretHide_ == 0; }
    unsigned CaretBlinkTime() const { return 530; }

    // The clipboard's text (GBK).
    AnsiString ClipboardText();
    void SetClipboardText(const AnsiString& text);

    // Input, from a backend or a test. Positions are screen coordinates.
    void InjectMouseMove(TPoint screen);
    void InjectMouseButton(TMouseButton button, bool down, TPoint screen);
    void InjectMouseWheel(int delta, TPoint screen);
    void InjectKey(unsigned vk, bool down);
    // Committed text (GBK): one WM_CHAR per byte to the focused window.
    void InjectText(const AnsiString& text);
    // The user asked to close a top-level window (its close box).
    void InjectClose(HWND window);
    // The display gave or took the input focus of a top-level window.
    void InjectActivate(HWND window, bool active);

    // The pixels of a top-level window, allocated to its size on first use.
    graphics::TSurface SurfaceOf(HWND topLevel);

    // Pending messages for tests and diagnostics.
    size_t QueueSize() const { return queue_.size(); }

private:
    friend class TWindow;
    friend LRESULT DefWindowProc(HWND, TMessage&);
    TWindowManager() = default;

    struct TTimer {
        HWND window;
        uintptr_t id;
        unsigned elapse;
        uint32_t due;
        std::function<void()> callback;
    };
    struct THook {
        HHOOK id;
        THookKind kind;
        THookProc proc;
    };
    // A scroll bar being pressed or dragged.
    struct TScrollTrack {
        HWND window = nullptr;
        int bar = 0;
        int part = 0;  // the request repeated while held, or SB_THUMBTRACK
        int grabOffset = 0;
        uint32_t nextRepeat = 0;
    };

    bool CallHooks(THookKind kind, int code, WPARAM wParam, LPARAM lParam);
    bool EatenByHooks(const TMsg& msg);
    void Enqueue(const TMsg& msg);
    bool TakeTimer(TMsg& msg, HWND filter, bool remove);
    bool TakePaint(TMsg& msg, HWND filter);
    HWND FindWindowToPaint(HWND window, HWND filter) const;
    void Forget(HWND window);
    void RouteMouse(uint32_t clientMsg, WPARAM keys, TPoint screen);
    void TrackMouseOver(HWND window);
    void PostMouse(HWND target, int hit, uint32_t clientMsg, WPARAM keys, TPoint screen);
    WPARAM MouseKeyFlags() const;
    bool CanFocus(HWND window) const;
    void StartScrollTrack(HWND window, int hit, TPoint screen);
    void ContinueScrollTrack(TPoint screen, bool released);
    void RepeatScrollTrack();
    int ScrollBarPart(HWND window, int bar, TPoint screen) const;
    friend void PaintNonClient(HWND window);

    std::unique_ptr<TBackend> backend_;
    std::vector<std::unique_ptr<TWindow>> windows_;
    std::vector<HWND> topLevels_;
    std::deque<TMsg> queue_;
    std::vector<TTimer> timers_;
    uintptr_t nextTimerId_ = 0x7F00;
    std::vector<THook> hooks_;
    HHOOK nextHook_ = 1;
    bool quit_ = false;
    int quitCode_ = 0;

    HWND focus_ = nullptr;
    HWND active_ = nullptr;
    HWND capture_ = nullptr;
    HWND mouseOver_ = nullptr;
    TPoint cursorPos_;
    void TrackKeyState(const TMsg& msg);

    uint8_t keys_[256] = {};       // as input arrives
    uint8_t syncKeys_[256] = {};   // as input is taken from the queue
    unsigned doubleClickTime_ = 500;
    struct {
        HWND window = nullptr;
        uint32_t message = 0;
        uint32_t time = 0;
        TPoint pt;
    } lastClick_;
    TCursor cursor_ = crDefault;
    std::vector<TCursor> cursors_;
    TScrollTrack track_;

    HWND caretOwner_ = nullptr;
    TSize caretSize_;
    graphics::TRegion caretShape_;
    TPoint caretPos_;
    int caretHide_ = 1;
};

TWindowManager& WindowManager();

// The default handling of a message: frames and scroll bars, hit testing,
// cursors, background erasing, closing, activation and dialog navigation.
LRESULT DefWindowProc(HWND window, TMessage& message);

}  // namespace ui
