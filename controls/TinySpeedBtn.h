#pragma once

#include "flat/FlatSpeedButton.h"

namespace controls {

// The tool-bar button of the in-house library: a flat speed button whose
// Action's Checked, when the action has one, sets Down after the action's
// other settings are taken (so it latches only in a group).
class TTinySpeedBtn : public flat::TFlatSpeedButton {
    CORE_CLASS(TTinySpeedBtn, flat::TFlatSpeedButton)

    explicit TTinySpeedBtn(core::TComponent* owner);

protected:
    void ActionChange(core::TObject* sender, bool checkDefaults) override;
};

}  // namespace controls
