#pragma once

// The grid's in-cell check box: shows a cell's check state with the shared
// glyph strip, toggles by the mouse and the space bar, maps values to
// states through CheckBoxValues, and undoes the toggles of one edit.

#include "grid/view/CheckState.h"
#include "grid/view/GridControl.h"

namespace grid {

class TtsGridCheckBox : public TtsGridControl {
    CORE_CLASS(TtsGridCheckBox, TtsGridControl)

    explicit TtsGridCheckBox(core::TComponent* owner);

    int State() const { return state_; }
    const core::Variant& Value() const { return value_; }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    const core::AnsiString& CheckBoxValues() const { return checkBoxValues_; }
    void SetCheckBoxValues(const core::AnsiString& value);
    TtsCheckBoxStyle Style() const { return style_; }
    void SetStyle(TtsCheckBoxStyle value);
    // Whether the box was toggled since its value was last put in.
    bool ChangedInEdit() const { return changed_; }
    // Whether the box shows pressed.
    bool Pressed() const;

    // Puts a value in (the grid loading its current cell, or the program):
    // asks OnCanEdit, ends the current edit, and reports OnChange(false)
    // and OnEdited(false, false, byUser). Loading reports no change of value,
    // so nothing is written back to the cell.
    bool SetValue(const core::Variant& value, bool byUser = false);
    // The same as the user's change: asks OnStartEdit first and reports
    // OnChange(true) and OnEdited(true, false, byUser).
    bool SetValueByUser(const core::Variant& value, bool byUser = true);
    // The next state of the toggle cycle, its value stored; the first
    // toggle of an edit saves the state and value for undo.
    void Toggle();

    // Where the glyph sits in a `width` x `height` area.
    static graphics::TRect BoxRect(int width, int height, bool ctl3D);
    // Whether a point of the control's client area lies on the box (a press
    // the grid forwards after moving the current cell toggles only there).
    bool PointOnBox(int x, int y) const;
    // Paints the box as it shows now into `rect` of `canvas` (the grid's
    // current cell while the control is shown), with the focus frame when
    // `showFocus`.
    void PaintCell(graphics::TCanvas& canvas, const graphics::TRect& rect, bool showFocus) const;

    bool WantsChar(char ch) override { return ch == ' '; }

protected:
    void PaintContent(graphics::TCanvas& canvas, const graphics::TRect& clip) override;
    void KeyDown(uint16_t& key, ui::TShiftState shift) override;
    void KeyUp(uint16_t& key, ui::TShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseMove(ui::TShiftState shift, int x, int y) override;
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void WndProc(ui::TMessage& message) override;

private:
    void PutValue(const core::Variant& value);
    void ToggleByUser();
    bool PressActive() const { return mousePressed_ || spacePressed_ || refused_; }
    void EndPress();

    int state_ = 0;
    core::Variant value_{int32_t{0}};
    bool allowGrayed_ = false;
    core::AnsiString checkBoxValues_;
    CheckBoxTexts texts_;
    TtsCheckBoxStyle style_ = stCheck;
    int savedState_ = 0;
    core::Variant savedValue_;
    bool changed_ = false;
    bool mousePressed_ = false;  // by the mouse, pointer inside
    bool mouseHeld_ = false;     // by the mouse, pointer anywhere
    bool spacePressed_ = false;
    bool refused_ = false;
    bool captured_ = false;
    bool releasing_ = false;
};

}  // namespace grid
