// Columns and rows are read from saved grid layouts and form descriptions:
// published settings, the legacy alignment pairs, fonts. Reading one may
// only fail with an error of the system (what was read stays consistent);
// what reads is written back and reads to the same bytes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/Exception.h"
#include "platform/core/Stream.h"
#include "platform/core/TypeInfo.h"
#include "platform/filing/Streaming.h"
#include "tests/grid/model/ModelTestHost.h"

namespace {

// A component that files the first column and the first row of a grid of
// three columns and three rows, as a grid files its settings.
class TModelHolder : public core::TComponent {
    CORE_CLASS(TModelHolder, core::TComponent)

    explicit TModelHolder(core::TComponent* owner = nullptr) : core::TComponent(owner)
    {
        SetName("Holder");
        host.SetSize(3, 3);
    }
    grid::TtsCol* Col() const { return host.Cols().Items(1); }
    grid::TtsRow* Row() const { return &host.Rows().Ensure(1); }
    static void Publish(core::PropertyList& list)
    {
        core::PropBuilder<TModelHolder> p(list);
        p.Object<grid::TtsCol>("Col", &TModelHolder::Col, nullptr);
        p.Object<grid::TtsRow>("Row", &TModelHolder::Row, nullptr);
    }

    mutable TModelTestHost host;
};

CORE_CLASS_IMPL(TModelHolder)

std::string Write(TModelHolder& holder)
{
    holder.host.writing = true;
    core::TStringStream stream;
    filing::WriteComponent(stream, &holder);
    holder.host.writing = false;
    return stream.DataString();
}

bool Read(TModelHolder& holder, const std::string& bytes)
{
    holder.host.reading = true;
    bool ok = true;
    try {
        core::TStringStream stream{bytes};
        filing::ReadComponent(stream, &holder);
    } catch (const core::Exception&) {
        ok = false;
    }
    holder.host.reading = false;
    return ok;
}

// The display order and the layout agree with the columns and rows.
void CheckConsistent(TModelHolder& holder)
{
    TModelTestHost& grid = holder.host;
    for (int p = 1; p <= 3; ++p) {
        int c = grid.Cols().DataColnr(p);
        if (grid.Cols().DisplayColnr(c) != p)
            __builtin_trap();
        const grid::TtsCol& col = *grid.Cols().Items(c);
        if (grid.ColWidths(p) != (col.Visible() ? col.Width() : 0))
            __builtin_trap();
        int r = grid.Rows().DataRownr(p);
        if (grid.Rows().DisplayRownr(r) != p)
            __builtin_trap();
        const grid::TtsRow& row = grid.Rows().RowOrDefault(r);
        if (grid.RowHeights(p) != (row.Visible() ? row.Height() : 0))
            __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    TModelHolder holder;
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
    TModelHolder copy;
    if (!Read(copy, written) || Write(copy) != written)
        __builtin_trap();
    return 0;
}
