#include "app/Registration.h"

#include "controls/Registration.h"
#include "platform/core/ClassRegistry.h"
#include "platform/data/ADOConnection.h"
#include "platform/data/ADOTable.h"
#include "platform/ui/Registration.h"

namespace app {

void RegisterClasses()
{
    ui::RegisterControls();
    controls::RegisterControls();
    core::RegisterClasses({&data::TADOConnection::StaticClass(), &data::TADOTable::StaticClass()});
}

}  // namespace app
