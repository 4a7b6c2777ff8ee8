#include "platform/core/Persistent.h"

#include "platform/core/Exception.h"

namespace core {

CORE_CLASS_IMPL(TPersistent)

void TPersistent::Assign(const TPersistent* source)
{
    if (!source)
        throw EConvertError("Cannot assign a %s to a %s", AnsiString("nil"), ClassName());
    source->AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& dest) const
{
    throw EConvertError("Cannot assign a %s to a %s", ClassName(), dest.ClassName());
}

void TPersistent::DefineProperties(TFiler&) {}

AnsiString TPersistent::GetNamePath() const
{
    return ClassName();
}

}  // namespace core
