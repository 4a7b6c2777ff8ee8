#pragma once

#include "platform/ui/WinControl.h"

namespace ui {

// The platform's push button: a raised 3D face with a centred caption, drawn
// sunken while it is held down. It takes the focus, clicks on the space bar,
// on its accelerator ("&Yes" and Alt+Y), on Enter while it is the active
// button, and on Escape when it is the form's cancel button. A click hands
// its ModalResult to the form, which closes a modal form when it is not
// mrNone.
//
// The active button is the one Enter presses and the one drawn with the
// black default frame: the focused button, or the Default button while the
// focus is on a control that is not a button.
class TButton : public TCustomControl {
    CORE_CLASS(TButton, TCustomControl)

    explicit TButton(core::TComponent* owner);
    ~TButton() override;
    static void Publish(core::PropertyList& list);

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }

    bool Active() const { return active_; }
    // Whether the face is drawn pressed now.
    bool Pressed() const { return pressed_; }

    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;

private:
    void SetPressed(bool value);
    void UpdateActive(const TWinControl* focused);
    void PaintFace(graphics::TCanvas& canvas, TRect r);
    void PaintCaption(graphics::TCanvas& canvas, TRect r);

    bool default_ = false;
    bool cancel_ = false;
    TModalResult modalResult_ = mrNone;
    bool active_ = false;
    bool pressed_ = false;
    bool mouseHeld_ = false;
    bool spaceHeld_ = false;
};

}  // namespace ui
