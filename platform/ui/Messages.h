#pragma once

#include <cstdint>

#include "platform/core/Forward.h"

// Window messages: numbers, parameters and the codes they carry. The numbers
// of the system messages are those desktop programs know; the control
// notifications (CM_*) and the reflected notifications (CN_*) are our own
// block above WM_USER.
namespace ui {

using core::AnsiString;

class TWindow;
using HWND = TWindow*;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

struct TMessage {
    uint32_t Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Packs and unpacks the two 16-bit halves of a parameter (coordinates are signed).
constexpr LPARAM MakeLParam(int low, int high)
{
    return static_cast<LPARAM>(static_cast<int32_t>((static_cast<uint32_t>(high) << 16) | (static_cast<uint32_t>(low) & 0xFFFF)));
}
constexpr int LoWord(LPARAM value) { return static_cast<int>(value & 0xFFFF); }
constexpr int HiWord(LPARAM value) { return static_cast<int>((value >> 16) & 0xFFFF); }
constexpr int SignedLoWord(LPARAM value) { return static_cast<int16_t>(value & 0xFFFF); }
constexpr int SignedHiWord(LPARAM value) { return static_cast<int16_t>((value >> 16) & 0xFFFF); }

enum : uint32_t {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_ENABLE = 0x000A,
    WM_SETTEXT = 0x000C,
    WM_GETTEXT = 0x000D,
    WM_GETTEXTLENGTH = 0x000E,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_ERASEBKGND = 0x0014,
    WM_SYSCOLORCHANGE = 0x0015,
    WM_SHOWWINDOW = 0x0018,
    WM_CANCELMODE = 0x001F,
    WM_SETCURSOR = 0x0020,
    WM_MOUSEACTIVATE = 0x0021,
    WM_GETMINMAXINFO = 0x0024,
    WM_NEXTDLGCTL = 0x0028,
    WM_SETFONT = 0x0030,
    WM_WINDOWPOSCHANGING = 0x0046,
    WM_WINDOWPOSCHANGED = 0x0047,
    WM_NCCALCSIZE = 0x0083,
    WM_NCHITTEST = 0x0084,
    WM_NCPAINT = 0x0085,
    WM_NCACTIVATE = 0x0086,
    WM_GETDLGCODE = 0x0087,
    WM_NCMOUSEMOVE = 0x00A0,
    WM_NCLBUTTONDOWN = 0x00A1,
    WM_NCLBUTTONUP = 0x00A2,
    WM_NCLBUTTONDBLCLK = 0x00A3,
    WM_NCRBUTTONDOWN = 0x00A4,
    WM_NCRBUTTONUP = 0x00A5,
    WM_KEYFIRST = 0x0100,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_SYSKEYDOWN = 0x0104,
    WM_SYSKEYUP = 0x0105,
    WM_SYSCHAR = 0x0106,
    WM_KEYLAST = 0x0109,
    WM_IME_STARTCOMPOSITION = 0x010D,
    WM_IME_ENDCOMPOSITION = 0x010E,
    WM_IME_COMPOSITION = 0x010F,
    WM_COMMAND = 0x0111,
    WM_SYSCOMMAND = 0x0112,
    WM_TIMER = 0x0113,
    WM_HSCROLL = 0x0114,
    WM_VSCROLL = 0x0115,
    WM_MOUSEFIRST = 0x0200,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MBUTTONDBLCLK = 0x0209,
    WM_MOUSEWHEEL = 0x020A,
    WM_MOUSELAST = 0x020A,
    WM_CAPTURECHANGED = 0x0215,
    // The pointer came into or left a window's area (the window under it
    // changed). The controls turn these into CM_MOUSEENTER and CM_MOUSELEAVE
    // for the control under the pointer.
    WM_MOUSELEAVE = 0x02A3,
    WM_MOUSEENTER = 0x02A5,
    WM_ENTERSIZEMOVE = 0x0231,
    WM_EXITSIZEMOVE = 0x0232,
    WM_CUT = 0x0300,
    WM_COPY = 0x0301,
    WM_PASTE = 0x0302,
    WM_CLEAR = 0x0303,
    WM_UNDO = 0x0304,
    WM_USER = 0x0400,

    // Edit control requests.
    EM_GETSEL = 0x00B0,
    EM_SETSEL = 0x00B1,
    EM_GETRECT = 0x00B2,
    EM_SETRECT = 0x00B3,
    EM_SETRECTNP = 0x00B4,
    EM_SCROLLCARET = 0x00B7,
    EM_GETMODIFY = 0x00B8,
    EM_SETMODIFY = 0x00B9,
    EM_LINEFROMCHAR = 0x00C9,
    EM_LINEINDEX = 0x00BB,
    EM_LIMITTEXT = 0x00C5,
    EM_CANUNDO = 0x00C6,
    EM_SETREADONLY = 0x00CF,
    EM_SETPASSWORDCHAR = 0x00CC,
    EM_SETMARGINS = 0x00D3,
    EM_POSFROMCHAR = 0x00D6,
    EM_CHARFROMPOS = 0x00D7,
    EM_LINESCROLL = 0x00B6,
    EM_GETLINECOUNT = 0x00BA,
    EM_LINELENGTH = 0x00C1,
    EM_REPLACESEL = 0x00C2,
    EM_GETLINE = 0x00C4,
    EM_SETLIMITTEXT = 0x00C5,
    EM_UNDO = 0x00C7,
    EM_EMPTYUNDOBUFFER = 0x00CD,
    EM_GETFIRSTVISIBLELINE = 0x00CE,
    EM_GETPASSWORDCHAR = 0x00D2,
    EM_GETMARGINS = 0x00D4,
    EM_GETLIMITTEXT = 0x00D5,
};

// The framework's component notifications.
enum : uint32_t {
    CM_BASE = 0xB000,
    CM_ACTIVATE = CM_BASE,
    CM_DEACTIVATE,
    CM_GOTFOCUS,
    CM_LOSTFOCUS,
    CM_CANCELMODE,
    CM_DIALOGKEY,
    CM_DIALOGCHAR,
    CM_FOCUSCHANGED,
    CM_PARENTFONTCHANGED,
    CM_PARENTCOLORCHANGED,
    CM_HITTEST,
    CM_VISIBLECHANGED,
    CM_ENABLEDCHANGED,
    CM_COLORCHANGED,
    CM_FONTCHANGED,
    CM_CURSORCHANGED,
    CM_CTL3DCHANGED,
    CM_PARENTCTL3DCHANGED,
    CM_TEXTCHANGED,
    CM_MOUSEENTER,
    CM_MOUSELEAVE,
    CM_BUTTONPRESSED,
    CM_SHOWINGCHANGED,
    CM_ENTER,
    CM_EXIT,
    CM_WANTSPECIALKEY,
    CM_RELEASE,
    CM_SHOWHINTCHANGED,
    CM_PARENTSHOWHINTCHANGED,
    CM_SYSCOLORCHANGE,
    CM_FONTCHANGE,
    CM_TABSTOPCHANGED,
    CM_CHILDKEY,
    CM_RECREATEWND,
    CM_INVALIDATE,
    CM_SYSFONTCHANGED,
    CM_CONTROLCHANGE,
    CM_CONTROLLISTCHANGE,
    CM_BORDERCHANGED,
    CM_BIDIMODECHANGED,
    CM_PARENTBIDIMODECHANGED,
    CM_ACTIONUPDATE,
    CM_ACTIONEXECUTE,
    CM_MOUSEWHEEL,
    CM_ISSHORTCUT,
    CM_HINTSHOW,

    // Notifications reflected back to the control that caused them.
    CN_BASE = 0xBC00,
    CN_COMMAND = CN_BASE + WM_COMMAND,
    CN_KEYDOWN = CN_BASE + WM_KEYDOWN,
    CN_KEYUP = CN_BASE + WM_KEYUP,
    CN_CHAR = CN_BASE + WM_CHAR,
    CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN,
    CN_SYSCHAR = CN_BASE + WM_SYSCHAR,
};

// Mouse key flags in the WParam of mouse messages.
enum : uint32_t {
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_SHIFT = 0x0004,
    MK_CONTROL = 0x0008,
    MK_MBUTTON = 0x0010,
};

// Hit-test codes.
enum : int {
    HTERROR = -2,
    HTTRANSPARENT = -1,
    HTNOWHERE = 0,
    HTCLIENT = 1,
    HTCAPTION = 2,
    HTSYSMENU = 3,
    HTHSCROLL = 6,
    HTVSCROLL = 7,
    HTLEFT = 10,
    HTRIGHT = 11,
    HTTOP = 12,
    HTBOTTOM = 15,
    HTBORDER = 18,
    HTCLOSE = 20,
};

// Scroll-bar request codes (low word of WM_HSCROLL / WM_VSCROLL).
enum : int {
    SB_LINEUP = 0,
    SB_LINELEFT = 0,
    SB_LINEDOWN = 1,
    SB_LINERIGHT = 1,
    SB_PAGEUP = 2,
    SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3,
    SB_PAGERIGHT = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_LEFT = 6,
    SB_BOTTOM = 7,
    SB_RIGHT = 7,
    SB_ENDSCROLL = 8,
};
// Which scroll bar a scroll-info call means.
enum : int { SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3 };

// Answers to WM_GETDLGCODE.
enum : uint32_t {
    DLGC_WANTARROWS = 0x0001,
    DLGC_WANTTAB = 0x0002,
    DLGC_WANTALLKEYS = 0x0004,
    DLGC_WANTMESSAGE = 0x0004,
    DLGC_HASSETSEL = 0x0008,
    DLGC_DEFPUSHBUTTON = 0x0010,
    DLGC_UNDEFPUSHBUTTON = 0x0020,
    DLGC_RADIOBUTTON = 0x0040,
    DLGC_WANTCHARS = 0x0080,
    DLGC_STATIC = 0x0100,
    DLGC_BUTTON = 0x2000,
};

// WM_ACTIVATE states, WM_SIZE kinds, WM_SYSCOMMAND commands.
enum : int { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };
enum : int { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };
enum : int { SC_CLOSE = 0xF060 };
enum : int { MA_ACTIVATE = 1, MA_ACTIVATEANDEAT = 2, MA_NOACTIVATE = 3, MA_NOACTIVATEANDEAT = 4 };

// The mouse wheel turns in notches of this many units.
constexpr int WHEEL_DELTA = 120;

}  // namespace ui
