#include "platform/filing/Filer.h"

#include <iterator>

#include "platform/core/Component.h"
#include "platform/filing/Reader.h"
#include "platform/filing/Writer.h"

namespace filing {

const char* ValueTypeName(TValueType type)
{
    static const char* const names[] = {
        "Null",  "List",   "Int8",       "Int16",  "Int32",    "Extended", "String",  "Ident",
        "False", "True",   "Binary",     "Set",    "LString",  "Nil",      "Collection", "Single",
        "Currency", "Date", "WString",   "Int64",  "UTF8String", "UString",
    };
    return type < std::size(names) ? names[type] : "unknown";
}

namespace {

// The design position keeps left and top as the two 16-bit halves of one
// number, each filed as an unsigned 16-bit value, as the classic format has it.
uint16_t Half(int32_t info, bool top)
{
    return static_cast<uint16_t>(static_cast<uint32_t>(info) >> (top ? 16 : 0));
}

int32_t WithHalf(int32_t info, bool top, int64_t value)
{
    uint32_t bits = static_cast<uint32_t>(info);
    uint32_t half = static_cast<uint16_t>(value);
    bits = top ? (bits & 0x0000FFFFu) | (half << 16) : (bits & 0xFFFF0000u) | half;
    return static_cast<int32_t>(bits);
}

void DefineDesignPosition(TFiler& filer, core::TComponent& component)
{
    auto* ancestor = dynamic_cast<core::TComponent*>(filer.Ancestor());
    int32_t ancestorInfo = ancestor ? ancestor->DesignInfo() : 0;
    for (bool top : {false, true}) {
        filer.DefineProperty(
            top ? "Top" : "Left",
            [&component, top](TReader& reader) {
                component.SetDesignInfo(WithHalf(component.DesignInfo(), top, reader.ReadInteger()));
            },
            [&component, top](TWriter& writer) { writer.WriteInteger(Half(component.DesignInfo(), top)); },
            Half(component.DesignInfo(), top) != Half(ancestorInfo, top));
    }
}

}  // namespace

void DefineAllProperties(TFiler& filer, core::TPersistent& instance)
{
    if (auto* component = dynamic_cast<core::TComponent*>(&instance))
        DefineDesignPosition(filer, *component);
    instance.DefineProperties(filer);
}

}  // namespace filing
