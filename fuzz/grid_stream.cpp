// Saved grid layouts, loaded through the grid's stream component: any bytes
// may only end in an error of the system, and a load that fails leaves the
// grid exactly as it was; a layout that loads saves again and loads into a
// fresh grid without error. The first byte picks the load mode.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "grid/view/Grid.h"
#include "platform/core/Exception.h"
#include "platform/core/Stream.h"
#include "platform/filing/Streaming.h"

namespace {

// Columns named A, B and C (C a check column), five rows with values, a
// moved column and a cell setting.
std::unique_ptr<grid::TtsGrid> Target()
{
    auto grid = std::make_unique<grid::TtsGrid>(nullptr);
    grid->SetName("Grid1");
    grid->SetCols(3);
    grid->SetRows(5);
    grid->SetStoreData(true);
    const char* names[] = {"A", "B", "C"};
    for (int c = 1; c <= 3; ++c)
        grid->GridCols().Col(c)->SetFieldName(names[c - 1]);
    grid->GridCols().Col(3)->SetControlType(grid::ctCheck);
    for (int r = 1; r <= 5; ++r) {
        grid->SetCell(1, r, core::Variant(core::AnsiString("a") + std::to_string(r)));
        grid->SetCell(3, r, core::Variant(int32_t{r % 2}));
    }
    grid->GridCols().MoveCol(2, 1);
    grid->CellSettings().SetCellColor(2, 2, graphics::clRed);
    return grid;
}

core::AnsiString Text(core::TComponent& component)
{
    return filing::ComponentToText(&component);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 64 * 1024)
        return 0;
    bool layout = (data[0] & 1) != 0;
    auto grid = Target();
    core::AnsiString before = Text(*grid);
    core::TStringStream in{core::AnsiString(reinterpret_cast<const char*>(data) + 1, size - 1)};
    try {
        grid->LoadFromStream(in, layout);
    } catch (const core::Exception&) {
        if (Text(*grid) != before)
            std::abort();
        return 0;
    }
    core::TStringStream saved;
    grid->SaveToStream(saved, grid::kAllPropKinds, true, grid::kAllPropsMask);
    auto fresh = std::make_unique<grid::TtsGrid>(nullptr);
    core::TStringStream again{saved.DataString()};
    fresh->LoadFromStream(again, true);
    return 0;
}
