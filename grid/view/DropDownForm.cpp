#include "grid/view/DropDownForm.h"

#include "platform/ui/WindowManager.h"

namespace grid {

CORE_CLASS_IMPL(TtsDropDownForm)

TtsDropDownForm::TtsDropDownForm(core::TComponent* owner) : TtsDropDownForm(owner, nullptr, true) {}

TtsDropDownForm::TtsDropDownForm(core::TComponent* owner, ui::TWinControl* ownerWindow, bool dropDownMode)
    : ui::TCustomForm(owner), ownerWindow_(ownerWindow), dropDownMode_(dropDownMode)
{
    SetBorderStyle(ui::bsNone);
    SetBorderIcons({});
    SetVisible(false);
}

void TtsDropDownForm::CreateParams(ui::TCreateParams& params)
{
    ui::TCustomForm::CreateParams(params);
    if (!dropDownMode_)
        return;
    // A pop-up and nothing else, owned by the grid's window (it goes with
    // it and stays above it). It never takes the activation: the grid's
    // form stays active and the grid keeps the keyboard while the list is
    // open, which is what the original child-style trick of this window
    // achieves; here the window manager's no-activate style says it.
    params.Style = ui::WS_POPUP;
    params.ExStyle = ui::WS_EX_NOACTIVATE | ui::WS_EX_TOOLWINDOW;
    params.ClassStyle = ui::CS_DBLCLKS;
    params.WndParent = ownerWindow_ && !ComponentState().Contains(core::csDesigning) ? ownerWindow_->Handle() : nullptr;
}

void TtsDropDownForm::PlaceAt(const graphics::TRect& bounds)
{
    SetBoundsRect(bounds);
    if (HandleAllocated())
        Handle()->SetWindowPos(nullptr, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), 0);
}

void TtsDropDownForm::WndProc(ui::TMessage& message)
{
    switch (message.Msg) {
    case ui::WM_ERASEBKGND:
        message.Result = 1;
        return;
    case ui::WM_MOUSEACTIVATE:
        if (dropDownMode_) {
            message.Result = ui::MA_NOACTIVATE;
            return;
        }
        break;
    default:
        break;
    }
    ui::TCustomForm::WndProc(message);
}

}  // namespace grid
