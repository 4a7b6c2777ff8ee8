// Form descriptions in the text form are edited by hand. Parsing one may
// only fail with a parser error; what parses prints back to a text that
// parses to the very same binary stream, and the stream reads into objects
// or fails with a filing error, freeing what it built.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/Exception.h"
#include "platform/core/Stream.h"
#include "platform/filing/Streaming.h"
#include "platform/filing/TextConvert.h"
#include "tests/platform/filing/SampleClasses.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool registered = (sample::RegisterSampleClasses(), true);
    (void)registered;
    sample::LoadedJournal().clear();
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string binary;
    try {
        core::TStringStream source{text};
        core::TStringStream output;
        filing::ObjectTextToBinary(source, output);
        binary = output.DataString();
    } catch (const core::EParserError&) {
        return 0;
    } catch (const core::EWriteError&) {
        return 0;  // a name longer than a short string holds
    }

    core::TStringStream input{binary};
    core::TStringStream printed;
    filing::ObjectBinaryToText(input, printed);
    core::TStringStream reparsedSource{printed.DataString()};
    core::TStringStream reparsed;
    filing::ObjectTextToBinary(reparsedSource, reparsed);
    if (reparsed.DataString() != binary)
        __builtin_trap();

    try {
        std::unique_ptr<core::TComponent> root(filing::ReadComponentText(text, nullptr));
    } catch (const core::Exception&) {
    }
    return 0;
}
