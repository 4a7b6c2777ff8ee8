#include "platform/filing/Streaming.h"

#include "platform/core/Component.h"
#include "platform/core/Stream.h"
#include "platform/filing/Reader.h"
#include "platform/filing/TextConvert.h"
#include "platform/filing/Writer.h"

namespace filing {

void WriteComponent(core::TStream& stream, core::TComponent* component)
{
    WriteDescendent(stream, component, nullptr);
}

void WriteDescendent(core::TStream& stream, core::TComponent* component, core::TComponent* ancestor)
{
    TWriter writer(stream);
    writer.WriteDescendent(component, ancestor);
}

core::TComponent* ReadComponent(core::TStream& stream, core::TComponent* instance)
{
    TReader reader(stream);
    return reader.ReadRootComponent(instance);
}

AnsiString ComponentToText(core::TComponent* component)
{
    core::TMemoryStream binary;
    WriteComponent(binary, component);
    binary.SetPosition(0);
    core::TStringStream text;
    ObjectBinaryToText(binary, text);
    return text.DataString();
}

core::TComponent* ReadComponentText(std::string_view text, core::TComponent* instance)
{
    core::TStringStream source{AnsiString(text)};
    core::TMemoryStream binary;
    TLineMap lines;
    ObjectTextToBinary(source, binary, &lines);
    binary.SetPosition(0);
    TReader reader(binary);
    reader.SetPositionDescriber([&lines](int64_t offset) { return "on line " + std::to_string(lines.LineAt(offset)); });
    return reader.ReadRootComponent(instance);
}

}  // namespace filing
