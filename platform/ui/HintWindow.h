#pragma once

#include "platform/ui/WinControl.h"

namespace ui {

// The small pop-up that shows a control's hint: the text on the info
// background colour inside a one-pixel frame. It sits above other windows
// and never takes the activation or the focus.
class THintWindow : public TCustomControl {
    CORE_CLASS(THintWindow, TCustomControl)

    explicit THintWindow(core::TComponent* owner);
    ~THintWindow() override;

    // The size a hint needs, its text broken into lines within `maxWidth`,
    // as a rectangle at (0, 0).
    virtual TRect CalcHintRect(int maxWidth, const AnsiString& hint);
    // Shows `hint` in `rect` (screen coordinates, frame included).
    virtual void ActivateHint(const TRect& rect, const AnsiString& hint);
    // Hides the window.
    void ReleaseHint() { Hide(); }

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
};

// The part of a hint before "|" (the short hint), and the part after it.
AnsiString GetShortHint(const AnsiString& hint);
AnsiString GetLongHint(const AnsiString& hint);

}  // namespace ui
