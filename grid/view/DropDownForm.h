#pragma once

#include "platform/ui/Form.h"

namespace grid {

// The borderless pop-up window that shows a combo list (or a date-time
// picker) under a cell. In drop-down mode it is a pop-up owned by the grid's
// window that never takes the activation from the grid's form, so the grid
// keeps the keyboard while the list is open. It erases no background: the
// list covers it.
class TtsDropDownForm : public ui::TCustomForm {
    CORE_CLASS(TtsDropDownForm, ui::TCustomForm)

    explicit TtsDropDownForm(core::TComponent* owner);
    // `ownerWindow` is the control whose window owns the pop-up (the grid).
    TtsDropDownForm(core::TComponent* owner, ui::TWinControl* ownerWindow, bool dropDownMode = true);

    bool DropDownMode() const { return dropDownMode_; }
    ui::TWinControl* OwnerWindow() const { return ownerWindow_; }
    // Moves and sizes the window in one step, on top of the z-order.
    void PlaceAt(const graphics::TRect& bounds);

    void WndProc(ui::TMessage& message) override;

protected:
    void CreateParams(ui::TCreateParams& params) override;

private:
    ui::TWinControl* ownerWindow_ = nullptr;
    bool dropDownMode_ = true;
};

}  // namespace grid
