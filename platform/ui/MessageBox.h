#pragma once

#include "platform/core/Forward.h"

namespace ui {

// Buttons and icons of a message box, and the answers.
enum : unsigned {
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_ABORTRETRYIGNORE = 0x02,
    MB_YESNOCANCEL = 0x03,
    MB_YESNO = 0x04,
    MB_RETRYCANCEL = 0x05,
    MB_ICONERROR = 0x10,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_ICONASTERISK = 0x40,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// Shows `text` under `caption` in a modal window of its own with the buttons
// and icon that `style` asks for; returns the button chosen (Escape and the
// close box answer Cancel, or OK when OK is the only button).
int MessageBox(const core::AnsiString& text, const core::AnsiString& caption, unsigned style);

}  // namespace ui
