#pragma once

#include "platform/ui/Button.h"

namespace controls {

// Stand-in for the in-house command button until the flat buttons replace
// it: the platform's push button, 68 by 21 and no tab stop, that raises
// OnClick on a click and, while it has the focus, on the space bar and on
// Enter.
class TTinyButton : public ui::TButton {
    CORE_CLASS(TTinyButton, ui::TButton)

    explicit TTinyButton(core::TComponent* owner);
    static void Publish(core::PropertyList& list);
};

}  // namespace controls
