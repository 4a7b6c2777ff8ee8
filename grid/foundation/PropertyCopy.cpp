#include "grid/foundation/PropertyCopy.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/core/Object.h"
#include "platform/core/StrUtils.h"
#include "platform/core/TypeInfo.h"
#include "platform/core/Variant.h"

namespace grid {

namespace {

// Copies one property by the registry's accessors. Everything that knows
// how a kind of property is read and written is here.
void CopyValue(const core::PropInfo& from, core::TObject& dest, const core::TObject& source, bool withEvents)
{
    const core::PropInfo* to = dest.ClassType().FindProperty(from.Name());
    if (!to || to->Kind() != from.Kind() || to->ReadOnly())
        return;
    switch (from.Kind()) {
    case core::tkInteger:
    case core::tkChar:
    case core::tkWChar:
    case core::tkEnumeration:
    case core::tkSet:
        to->SetOrd(dest, from.GetOrd(source));
        break;
    case core::tkClass:
        to->SetObject(dest, from.GetObject(source));
        break;
    case core::tkFloat:
        to->SetFloat(dest, from.GetFloat(source));
        break;
    case core::tkString:
        to->SetStr(dest, from.GetStr(source));
        break;
    case core::tkWString:
        to->SetWideStr(dest, from.GetWideStr(source));
        break;
    case core::tkVariant:
        to->SetVariant(dest, from.GetVariant(source));
        break;
    case core::tkMethod:
        if (withEvents)
            to->SetMethod(dest, from.GetMethod(source));
        break;
    case core::tkInt64:
    case core::tkUnknown:
        break;
    }
}

std::vector<core::AnsiString> ExcludedNames(std::string_view excluded)
{
    std::vector<core::AnsiString> names;
    for (size_t start = 0; start <= excluded.size();) {
        size_t end = std::min(excluded.find(';', start), excluded.size());
        core::AnsiString name = core::Trim(excluded.substr(start, end - start));
        if (!name.empty())
            names.push_back(std::move(name));
        start = end + 1;
    }
    return names;
}

}  // namespace

void CopyProperties(core::TObject& dest, const core::TObject& source, const core::AnsiString& excluded)
{
    const std::vector<core::AnsiString> skip = ExcludedNames(excluded);
    for (const core::PropInfo* prop : source.ClassType().SortedProperties()) {
        bool excludedName = false;
        for (const core::AnsiString& name : skip)
            excludedName = excludedName || core::SameText(prop->Name(), name);
        if (!excludedName)
            CopyValue(*prop, dest, source, false);
    }
}

void CopyProperty(const core::AnsiString& name, core::TObject& dest, const core::TObject& source)
{
    if (const core::PropInfo* prop = source.ClassType().FindProperty(name))
        CopyValue(*prop, dest, source, true);
}

}  // namespace grid
