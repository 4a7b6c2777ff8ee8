#include "grid/foundation/CellValues.h"

#include <cstdint>
#include <unordered_map>

#include "platform/core/Exception.h"

namespace grid {

namespace {

bool IsLooseNumber(const core::Variant& v)
{
    switch (v.VarType()) {
    case core::varSmallint:
    case core::varInteger:
    case core::varSingle:
    case core::varDouble:
    case core::varCurrency:
    case core::varByte:
        return true;
    default:
        return false;
    }
}

// The numbers handed out for objects, both ways. Cells live on the user
// interface's thread, so the table needs no lock.
struct ObjectNumbers {
    std::unordered_map<const core::TObject*, int32_t> byObject;
    std::unordered_map<int32_t, core::TObject*> byNumber;
    int32_t last = 0;

    static ObjectNumbers& Instance()
    {
        static ObjectNumbers table;
        return table;
    }
};

}  // namespace

bool ValuesEqual(const core::Variant& a, const core::Variant& b)
{
    if (a.IsEmpty() || b.IsEmpty())
        return a.IsEmpty() && b.IsEmpty();
    if (a.VarType() != b.VarType())
        return false;
    return a.IsNull() || a.Equals(b);
}

bool ValuesEqualLoose(const core::Variant& a, const core::Variant& b)
{
    if (ValuesEqual(a, b))
        return true;
    return a.VarType() != b.VarType() && IsLooseNumber(a) && IsLooseNumber(b) && a.AsFloat() == b.AsFloat();
}

core::Variant ObjectToValue(core::TObject* object)
{
    if (!object)
        return core::Variant(int32_t{0});
    ObjectNumbers& table = ObjectNumbers::Instance();
    auto [it, added] = table.byObject.try_emplace(object, 0);
    if (added) {
        if (table.last == INT32_MAX) {
            table.byObject.erase(it);
            throw core::EOutOfResources("Too many objects in cell values");
        }
        it->second = ++table.last;
        table.byNumber.emplace(it->second, object);
    }
    return core::Variant(it->second);
}

core::TObject* ValueToObject(const core::Variant& value)
{
    switch (value.VarType()) {
    case core::varSmallint:
    case core::varInteger:
    case core::varByte:
    case core::varInt64:
        break;
    default:
        return nullptr;
    }
    int64_t number = value.AsInt64();
    if (number <= 0 || number > INT32_MAX)
        return nullptr;
    const auto& byNumber = ObjectNumbers::Instance().byNumber;
    auto it = byNumber.find(static_cast<int32_t>(number));
    return it == byNumber.end() ? nullptr : it->second;
}

void ForgetObjectValue(const core::TObject* object)
{
    ObjectNumbers& table = ObjectNumbers::Instance();
    auto it = table.byObject.find(object);
    if (it == table.byObject.end())
        return;
    table.byNumber.erase(it->second);
    table.byObject.erase(it);
}

}  // namespace grid
