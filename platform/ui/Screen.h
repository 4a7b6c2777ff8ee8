#pragma once

#include <vector>

#include "platform/ui/ControlTypes.h"
#include "platform/ui/Cursors.h"

namespace ui {

class TCustomForm;
class TWinControl;

// The screen as the program sees it: its size, the forms that exist, the
// active form and control, and the program-wide cursor.
class TScreen {
public:
    int Width() const;
    int Height() const;

    const std::vector<TCustomForm*>& Forms() const { return forms_; }
    int FormCount() const { return static_cast<int>(forms_.size()); }
    bool HasForm(const TCustomForm* form) const;
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);

    // The form whose window is active, and its focused control.
    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;

    // A cursor for the whole program; crDefault lets each control choose.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);

private:
    std::vector<TCustomForm*> forms_;
    TCursor cursor_ = crDefault;
};

TScreen& Screen();

}  // namespace ui
