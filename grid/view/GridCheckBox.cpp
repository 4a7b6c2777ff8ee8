#include "grid/view/GridCheckBox.h"

#include <algorithm>

#include "grid/view/CheckGlyphs.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/VirtualKeys.h"

namespace grid {

CORE_CLASS_IMPL(TtsGridCheckBox)

TtsGridCheckBox::TtsGridCheckBox(core::TComponent* owner) : TtsGridControl(owner)
{
    // Two quick clicks toggle twice.
    SetSynthesizeDblClicks(false);
    CheckGlyphStrip();
}

void TtsGridCheckBox::SetCheckBoxValues(const core::AnsiString& value)
{
    checkBoxValues_ = value;
    texts_ = CheckBoxTexts::Parse(value);
    Invalidate();
}

void TtsGridCheckBox::SetStyle(TtsCheckBoxStyle value)
{
    if (value == style_)
        return;
    style_ = value;
    Invalidate();
}

bool TtsGridCheckBox::Pressed() const
{
    return mousePressed_ || (spacePressed_ && !captured_);
}

void TtsGridCheckBox::PutValue(const core::Variant& value)
{
    changed_ = false;
    savedState_ = 0;
    savedValue_ = core::Variant();
    if (value.IsString() || value.IsNull() || value.IsEmpty() || !texts_.set) {
        value_ = value;
        state_ = CheckStateOfValue(value, texts_);
    } else {
        state_ = CheckStateOfValue(value, texts_);
        value_ = ValueOfCheckState(state_, texts_);
    }
    Invalidate();
}

bool TtsGridCheckBox::SetValue(const core::Variant& value, bool byUser)
{
    if (!CanEdit(byUser))
        return false;
    PutValue(value);
    OnChange(false);
    OnEdited(false, false, byUser);
    return true;
}

bool TtsGridCheckBox::SetValueByUser(const core::Variant& value, bool byUser)
{
    if (!StartEdit(byUser))
        return false;
    PutValue(value);
    OnChange(true);
    OnEdited(true, false, byUser);
    return true;
}

void TtsGridCheckBox::Toggle()
{
    if (!changed_) {
        savedState_ = state_;
        savedValue_ = value_;
        changed_ = true;
    }
    value_ = ValueOfCheckState(NextCheckState(state_, allowGrayed_), texts_);
    state_ = CheckStateOfValue(value_, texts_);
    Invalidate();
}

void TtsGridCheckBox::ToggleByUser()
{
    Toggle();
    Update();
    OnChange(true);
    OnEdited(true, false, true);
}

void TtsGridCheckBox::EndPress()
{
    bool wasPressed = Pressed();
    mousePressed_ = mouseHeld_ = spacePressed_ = refused_ = false;
    captured_ = false;
    if (wasPressed)
        Invalidate();
}

graphics::TRect TtsGridCheckBox::BoxRect(int width, int height, bool ctl3D)
{
    int left = (width - kCheckGlyphSize) / 2;
    int top = (height - kCheckGlyphSize) / 2 + (ctl3D ? 1 : 0);
    return {left, top, left + kCheckGlyphSize, top + kCheckGlyphSize};
}

bool TtsGridCheckBox::PointOnBox(int x, int y) const
{
    graphics::TRect box = BoxRect(Width(), Height(), Ctl3D());
    return x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom;
}

void TtsGridCheckBox::PaintCell(graphics::TCanvas& canvas, const graphics::TRect& rect, bool showFocus) const
{
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(rect);
    graphics::TRect box = BoxRect(rect.Width(), rect.Height(), Ctl3D());
    graphics::OffsetRect(box, rect.Left, rect.Top);
    if (showFocus) {
        // The glyph grown by 5 left and right and 2 up and down, cut to the
        // area and then made even round the glyph.
        int inset = Ctl3D() ? 1 : 0;
        int left = std::max(box.Left - 5, rect.Left + inset), right = std::min(box.Right + 5, rect.Right);
        int top = std::max(box.Top - 2, rect.Top + inset), bottom = std::min(box.Bottom + 2, rect.Bottom);
        int dx = std::min(box.Left - left, right - box.Right), dy = std::min(box.Top - top, bottom - box.Bottom);
        if (dx > 0 && dy > 0)
            canvas.DrawFocusRect({box.Left - dx, box.Top - dy, box.Right + dx, box.Bottom + dy});
    }
    DrawCheckGlyph(canvas, CheckGlyphIndex(style_, state_, Pressed()), box.Left, box.Top, rect);
    if (Ctl3D()) {
        canvas.Pen()->SetColor(graphics::clBtnHighlight);
        canvas.MoveTo(rect.Left, rect.Top);
        canvas.LineTo(rect.Right, rect.Top);
    }
}

void TtsGridCheckBox::PaintContent(graphics::TCanvas& canvas, const graphics::TRect&)
{
    PaintCell(canvas, {0, 0, Width(), Height()}, ShowsFocus());
}

void TtsGridCheckBox::MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y)
{
    if (button == ui::mbLeft && !ComponentState().Contains(core::csDesigning)) {
        if (!Focused() && CanFocus())
            SetFocus();
        if (Editable() && MouseCapture()) {
            captured_ = true;
            mouseHeld_ = true;
            if (StartEdit(true)) {
                mousePressed_ = true;
                Invalidate();
            } else {
                refused_ = true;
                captured_ = false;
            }
        }
    }
    TtsGridControl::MouseDown(button, shift, x, y);
}

void TtsGridCheckBox::MouseMove(ui::TShiftState shift, int x, int y)
{
    if (captured_ && mouseHeld_ && !refused_) {
        // The three pixels left of the control count as inside.
        bool inside = x >= -3 && x < Width() && y >= 0 && y < Height();
        if (inside != mousePressed_) {
            mousePressed_ = inside;
            Invalidate();
        }
    }
    TtsGridControl::MouseMove(shift, x, y);
}

void TtsGridCheckBox::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y)
{
    if (button == ui::mbLeft && mouseHeld_) {
        bool toggle = mousePressed_ && !refused_;
        EndPress();
        if (toggle)
            ToggleByUser();
    }
    TtsGridControl::MouseUp(button, shift, x, y);
}

void TtsGridCheckBox::WndProc(ui::TMessage& message)
{
    // The release gives the capture up before MouseUp sees it; only a
    // capture lost otherwise ends the press unpressed.
    if (message.Msg == ui::WM_LBUTTONUP) {
        releasing_ = true;
        TtsGridControl::WndProc(message);
        releasing_ = false;
        return;
    }
    if ((message.Msg == ui::WM_CAPTURECHANGED || message.Msg == ui::WM_CANCELMODE) && mouseHeld_ && !releasing_)
        EndPress();
    TtsGridControl::WndProc(message);
}

void TtsGridCheckBox::KeyDown(uint16_t& key, ui::TShiftState shift)
{
    if (PressActive()) {
        key = 0;
        return;
    }
    bool ctrlZ = key == 'Z' && shift == ui::TShiftState{ui::ssCtrl};
    if ((key == ui::VK_ESCAPE && shift.Empty()) || ctrlZ) {
        if (changed_) {
            bool cancel = false;
            OnUndo(key, cancel);
            if (!cancel) {
                core::Variant saved = savedValue_;
                if (CanEdit(false)) {
                    PutValue(saved);
                    OnEdited(false, false, false);
                }
                OnChange(true);
            }
            key = 0;
            return;
        }
    }
    // The space bar works through its character and release.
    if (key != 0 && key != ui::VK_SPACE)
        OnGridKeyDown(key, shift);
}

void TtsGridCheckBox::KeyPress(char& key)
{
    if (key == ' ') {
        if (!PressActive()) {
            if (StartEdit(true))
                spacePressed_ = true;
            else
                refused_ = true;
            Invalidate();
        }
        key = 0;
        return;
    }
    if (PressActive()) {
        key = 0;
        return;
    }
    OnGridKeyPress(key);
}

void TtsGridCheckBox::KeyUp(uint16_t& key, ui::TShiftState shift)
{
    if (key == ui::VK_SPACE && (spacePressed_ || (refused_ && !mouseHeld_))) {
        bool toggle = spacePressed_ && !refused_;
        EndPress();
        key = 0;
        if (toggle) {
            Toggle();
            Update();
            Click();
            OnChange(true);
            OnEdited(true, false, true);
        }
        return;
    }
    if (PressActive()) {
        key = 0;
        return;
    }
    if (key != ui::VK_SPACE)
        OnGridKeyUp(key, shift);
}

}  // namespace grid
