#include "platform/ui/Screen.h"

#include <algorithm>

#include "platform/ui/Form.h"

namespace ui {

TScreen& Screen()
{
    static TScreen screen;
    return screen;
}

int TScreen::Width() const
{
    return WindowManager().SystemMetric(SM_CXSCREEN);
}

int TScreen::Height() const
{
    return WindowManager().SystemMetric(SM_CYSCREEN);
}

bool TScreen::HasForm(const TCustomForm* form) const
{
    return std::find(forms_.begin(), forms_.end(), form) != forms_.end();
}

void TScreen::AddForm(TCustomForm* form)
{
    if (!HasForm(form))
        forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form)
{
    std::erase(forms_, form);
}

TCustomForm* TScreen::ActiveForm() const
{
    HWND active = WindowManager().ActiveWindow();
    for (TCustomForm* form : forms_)
        if (form->HandleOrNull() && form->HandleOrNull() == active)
            return form;
    return nullptr;
}

TWinControl* TScreen::ActiveControl() const
{
    return TWinControl::FromHandle(WindowManager().Focus());
}

void TScreen::SetCursor(TCursor value)
{
    cursor_ = value;
    WindowManager().SetCursor(value == crDefault ? crArrow : value);
}

}  // namespace ui
