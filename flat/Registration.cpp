#include "flat/Registration.h"

#include "flat/FlatButton.h"
#include "flat/FlatMemo.h"
#include "flat/FlatSpeedButton.h"
#include "platform/core/ClassRegistry.h"

namespace flat {

void RegisterControls()
{
    core::RegisterClasses({
        &TFlatButton::StaticClass(),
        &TFlatSpeedButton::StaticClass(),
        &TFlatMemo::StaticClass(),
    });
}

}  // namespace flat
