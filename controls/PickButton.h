#pragma once

#include "platform/ui/SpeedButton.h"

namespace controls {

// The button inside a pick button container: a speed button that also
// draws a dotted focus rectangle 3 pixels inside its edges, one pixel
// further right and down while it is pressed.
class TPickButton : public ui::TSpeedButton {
    CORE_CLASS(TPickButton, ui::TSpeedButton)

    explicit TPickButton(core::TComponent* owner);

protected:
    void Paint() override;
};

// A small window that holds one TPickButton, always filling it, and passes
// the button's clicks on as OnDownClick. It never keeps the focus: given
// the focus it hands it to its parent, and a press on the button focuses
// FocusControl (the edit the button picks for) instead. Alt+Down clicks the
// button. It is at least 15 pixels wide.
class TCPickButton : public ui::TWinControl {
    CORE_CLASS(TCPickButton, ui::TWinControl)

    explicit TCPickButton(core::TComponent* owner);
    static void Publish(core::PropertyList& list);

    TPickButton* Btn() const { return btn_; }
    graphics::TBitmap* DownGlyph() const;
    // Copies the picture into the button; null puts the magnifier back.
    void SetDownGlyph(const graphics::TBitmap* value);
    int DownNumGlyphs() const;
    void SetDownNumGlyphs(int value);
    ui::TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(ui::TWinControl* value);

    // Raised by a click on the button, unless its OnClick was pointed
    // elsewhere.
    core::TNotifyEvent OnDownClick;

    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(ui::TMessage& message) override;
    void Loaded() override;

protected:
    void KeyDown(uint16_t& key, ui::TShiftState shift) override;
    void Notification(core::TComponent* component, core::TOperation operation) override;

private:
    // Keeps the width at 15 or more and the button over the whole window.
    void ApplySizeRule(int& width, int height);
    void ButtonMouseDown(ui::TMouseButton button);

    TPickButton* btn_ = nullptr;
    ui::TWinControl* focusControl_ = nullptr;
    bool handingOn_ = false;  // passing the focus on to the parent
};

}  // namespace controls
