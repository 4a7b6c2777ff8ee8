#include "controls/Registration.h"

#include "controls/BandPanels.h"
#include "controls/PickButton.h"
#include "controls/PickEdit.h"
#include "controls/TinyButton.h"
#include "controls/TinyEdit.h"
#include "controls/TinyEditBtn.h"
#include "controls/TinyMemo.h"
#include "controls/TinySpeedBtn.h"
#include "controls/TinyGrid.h"
#include "platform/core/ClassRegistry.h"

namespace controls {

void RegisterControls()
{
    core::RegisterClasses({
        &TTinyGrid::StaticClass(),
        &TTinyMemo::StaticClass(),
        &TTinyEdit::StaticClass(),
        &TTinyButton::StaticClass(),
        &TTinySpeedBtn::StaticClass(),
        &TTinyEditBtn::StaticClass(),
        &TTopPanel::StaticClass(),
        &TCenterPanel::StaticClass(),
        &TBottomPanel::StaticClass(),
        &TQorPickEditClass::StaticClass(),
        &TCPickButton::StaticClass(),
        &TPickButton::StaticClass(),
    });
}

}  // namespace controls
