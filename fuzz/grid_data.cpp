// The grid's Data block of stored cells, as a form description carries it,
// read by the grid engine itself: any bytes may only end in a filing or
// conversion error, never a crash, and a block that reads writes back as a
// block that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "grid/view/Grid.h"
#include "platform/core/ClassRegistry.h"
#include "platform/core/Component.h"
#include "platform/core/Exception.h"
#include "platform/filing/Streaming.h"

namespace {

// The account list window's grid: two text columns and a check column.
core::AnsiString Description(const uint8_t* data, size_t size)
{
    static const char hex[] = "0123456789ABCDEF";
    core::AnsiString text =
        "object Grid1: TtsGrid\n  Cols = 3\n  Rows = 5\n  StoreData = True\n"
        "  ColProperties = <\n    item\n      DataCol = 3\n      Col.ControlType = ctCheck\n    end>\n"
        "  Data = {\n    ";
    for (size_t i = 0; i < size; ++i) {
        text += hex[data[i] >> 4];
        text += hex[data[i] & 15];
    }
    return text + "}\nend\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool registered = (core::RegisterClass(grid::TtsGrid::StaticClass()), true);
    (void)registered;
    if (size > 64 * 1024)
        return 0;
    std::unique_ptr<core::TComponent> grid;
    try {
        grid.reset(filing::ReadComponentText(Description(data, size), nullptr));
    } catch (const core::Exception&) {
        return 0;
    }
    // What was read writes back and reads again to the same description.
    core::AnsiString once = filing::ComponentToText(grid.get());
    std::unique_ptr<core::TComponent> again(filing::ReadComponentText(once, nullptr));
    if (filing::ComponentToText(again.get()) != once)
        std::abort();
    return 0;
}
