// The ColWidths and RowHeights lists of the grid's layout base, as a form
// stream carries them: any bytes read into a grid may only end in a filing
// or grid error, the arrays always match the counts, and what was read writes
// back as a stream that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "grid/foundation/CustomGrid_ts.h"
#include "platform/core/Exception.h"
#include "platform/core/Stream.h"
#include "platform/filing/Streaming.h"

namespace {

class TFuzzGrid : public grid::TCustomGrid_ts {
public:
    using grid::TCustomGrid_ts::TCustomGrid_ts;

protected:
    void DrawCell(int, int, const graphics::TRect&, grid::TGridDrawState_ts) override {}
};

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckArrays(const TFuzzGrid& grid)
{
    Check(grid.ColExtents().Count() == grid.ColCount());
    Check(grid.RowExtents().Count() == grid.RowCount());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    TFuzzGrid grid(nullptr);
    grid.SetColCount(6);
    grid.SetRowCount(40);
    core::TMemoryStream input;
    input.Write(data, static_cast<int>(size));
    input.Seek(0, core::soBeginning);
    try {
        filing::ReadComponent(input, &grid);
    } catch (const core::Exception&) {
        CheckArrays(grid);
        return 0;
    }
    CheckArrays(grid);
    // What was read writes back and reads into a fresh grid the same.
    core::AnsiString once = filing::ComponentToText(&grid);
    TFuzzGrid again(nullptr);
    again.SetColCount(grid.ColCount());
    again.SetRowCount(grid.RowCount());
    filing::ReadComponentText(once, &again);
    Check(filing::ComponentToText(&again) == once);
    for (int i = 0; i < grid.ColCount(); ++i)
        Check(again.ColWidths(i) == grid.ColWidths(i));
    return 0;
}
