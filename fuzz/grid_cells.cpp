// Cell settings are read from form descriptions and saved grid layouts
// (CellProperties): every published setting of a cell, its font. Reading may
// only fail with an error of the system; whatever was read leaves the cell
// property set consistent (an element exactly for the cells that differ from
// the defaults, both halves of the cross index matching the elements), and
// what reads is written back and reads to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "grid/foundation/IntegerSet.h"
#include "grid/foundation/SetList.h"
#include "platform/core/Exception.h"
#include "platform/core/Stream.h"
#include "platform/core/TypeInfo.h"
#include "platform/filing/Streaming.h"
#include "grid/model/Cell.h"
#include "tests/grid/model/CellTestGrid.h"

namespace {

// A component that files two cells of a grid of four columns and rows.
class TCellHolder : public core::TComponent {
    CORE_CLASS(TCellHolder, core::TComponent)

    explicit TCellHolder(core::TComponent* owner = nullptr) : core::TComponent(owner)
    {
        SetName("Holder");
    }
    grid::TtsCell* Cell() const { return &cell; }
    grid::TtsCell* Other() const { return &other; }
    static void Publish(core::PropertyList& list)
    {
        core::PropBuilder<TCellHolder> p(list);
        p.Object<grid::TtsCell>("Cell", &TCellHolder::Cell, nullptr);
        p.Object<grid::TtsCell>("Other", &TCellHolder::Other, nullptr);
    }

    mutable TCellTestGrid grid{nullptr};
    mutable grid::TtsCell cell{&grid, 2, 3};
    mutable grid::TtsCell other{&grid, 4, 1};
};

CORE_CLASS_IMPL(TCellHolder)

std::string Write(TCellHolder& holder)
{
    holder.grid.writing = true;
    core::TStringStream stream;
    filing::WriteComponent(stream, &holder);
    holder.grid.writing = false;
    return stream.DataString();
}

bool Read(TCellHolder& holder, const std::string& bytes)
{
    holder.grid.reading = true;
    bool ok = true;
    try {
        core::TStringStream stream{bytes};
        filing::ReadComponent(stream, &holder);
    } catch (const core::Exception&) {
        ok = false;
    }
    holder.grid.reading = false;
    return ok;
}

bool Member(const grid::TtsIntegerSet* set, int value)
{
    return set && set->Find(value);
}

void CheckConsistent(TCellHolder& holder)
{
    const grid::TtsCellPropSet& set = holder.grid.Cells().PropSet();
    int elements = 0;
    int indexed = 0;
    for (int col = 0; col <= 5; ++col) {
        for (int row = 0; row <= 5; ++row) {
            const grid::TtsCellElement* element = set.FindCell(col, row);
            bool inIndex = Member(set.RowsOfCol(col), row);
            if (inIndex != Member(set.ColsOfRow(row), col) || inIndex != (element != nullptr))
                __builtin_trap();
            if (element && (element->IsDefault() || element->DataCol() != col || element->DataRow() != row))
                __builtin_trap();
            // Only the two filed cells can have settings.
            if (element && !((col == 2 && row == 3) || (col == 4 && row == 1)))
                __builtin_trap();
            elements += element != nullptr;
            indexed += inIndex;
        }
    }
    if (elements != set.Count() || indexed != set.Count())
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    TCellHolder holder;
    bool ok = Read(holder, bytes);
    CheckConsistent(holder);
    if (!ok)
        return 0;
    std::string written;
    try {
        written = Write(holder);
    } catch (const core::Exception&) {
        return 0;  // values no stream can hold (an enumeration out of range)
    }
    TCellHolder copy;
    if (!Read(copy, written) || Write(copy) != written)
        __builtin_trap();
    CheckConsistent(copy);
    return 0;
}
