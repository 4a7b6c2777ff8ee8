// Component streams come from files and registry values: saved grid
// layouts, form descriptions. Reading one may only fail with a filing error
// (and whatever it built is freed again); what reads is written back and
// reads to the same bytes; what the text printer accepts reads back from
// its text to the very same stream.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/Exception.h"
#include "platform/core/Stream.h"
#include "platform/filing/Streaming.h"
#include "platform/filing/TextConvert.h"
#include "tests/platform/filing/SampleClasses.h"

namespace {

std::string Write(core::TComponent* component)
{
    core::TStringStream stream;
    filing::WriteComponent(stream, component);
    return stream.DataString();
}

void CheckObjects(const std::string& bytes)
{
    std::unique_ptr<core::TComponent> root;
    try {
        core::TStringStream stream{bytes};
        root.reset(filing::ReadComponent(stream, nullptr));
    } catch (const core::Exception&) {
        return;
    }
    // Setters of the sample classes accept every value, so what was read
    // writes out and reads back to the same bytes.
    std::string written;
    try {
        written = Write(root.get());
    } catch (const core::Exception&) {
        return;  // values no stream can hold (an enumeration out of range)
    }
    core::TStringStream again{written};
    std::unique_ptr<core::TComponent> copy(filing::ReadComponent(again, nullptr));
    if (Write(copy.get()) != written)
        __builtin_trap();
}

void CheckText(const std::string& bytes)
{
    std::string text;
    try {
        core::TStringStream input{bytes};
        core::TStringStream output;
        filing::ObjectBinaryToText(input, output);
        text = output.DataString();
    } catch (const core::EFilerError&) {
        return;
    }
    core::TStringStream source{text};
    core::TStringStream binary;
    filing::ObjectTextToBinary(source, binary);
    binary.SetPosition(0);
    core::TStringStream back;
    filing::ObjectBinaryToText(binary, back);
    if (back.DataString() != text)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool registered = (sample::RegisterSampleClasses(), true);
    (void)registered;
    sample::LoadedJournal().clear();
    std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckObjects(bytes);
    CheckText(bytes);
    return 0;
}
