#include "platform/ui/Registration.h"

#include "platform/core/ClassRegistry.h"
#include "platform/ui/Bevel.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/Panel.h"
#include "platform/ui/Shape.h"
#include "platform/ui/SpeedButton.h"

namespace ui {

void RegisterControls()
{
    core::RegisterClasses({
        &TForm::StaticClass(),
        &TLabel::StaticClass(),
        &TPanel::StaticClass(),
        &TSpeedButton::StaticClass(),
        &TShape::StaticClass(),
        &TBevel::StaticClass(),
    });
}

}  // namespace ui
