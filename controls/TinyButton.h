#pragma once

#include "flat/FlatButton.h"

namespace controls {

// The command button of the in-house library: a flat push button, 68 by 21
// when made, that the Enter key clicks as well as the space bar while it has
// the focus (a click hands ModalResult to the form, then runs OnClick).
// When its Action has Checked, Down follows it after the action's other
// settings are taken (so it latches only in a group).
class TTinyButton : public flat::TFlatButton {
    CORE_CLASS(TTinyButton, flat::TFlatButton)

    explicit TTinyButton(core::TComponent* owner);

    void WndProc(ui::TMessage& message) override;

protected:
    void ActionChange(core::TObject* sender, bool checkDefaults) override;
};

}  // namespace controls
