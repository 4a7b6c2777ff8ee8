#pragma once

#include <cstdint>
#include <memory>

#include "grid/foundation/IntegerList.h"
#include "grid/view/BaseGrid.h"
#include "platform/core/Component.h"
#include "platform/core/Filer.h"

namespace grid {

// Saves chosen parts of a grid to a stream and loads them back: the grid's
// published properties ("Grid", a component stream of its own), the
// columns, rows and cell settings as collections, the counts and default
// sizes, and the Data block. The grid's Save... and Load... operations make
// one of these for the time of the operation.
//
// Saving with a mask that is not all properties works on a hidden copy of
// the grid on which every property outside the mask is back at its default,
// so that only the masked properties are written.
//
// Loading by field name (lmByFieldName) matches each saved column to the
// grid's column of the same field name; the Data block's cells follow their
// column, and the values of a saved column that matches none are dropped.
class TtsGridStreamComponent : public core::TComponent {
    CORE_CLASS(TtsGridStreamComponent, core::TComponent)

    explicit TtsGridStreamComponent(core::TComponent* owner = nullptr);
    ~TtsGridStreamComponent() override;
    static void Publish(core::PropertyList& list);

    // Works on `grid` (a scratch copy for a masked save, made here and
    // owned until this component goes).
    void Prepare(TtsBaseGrid& grid, TtsPropKinds kinds, bool saveData, uint32_t mask);
    void PrepareLoad(TtsBaseGrid& grid, TtsLoadMode mode);
    TtsBaseGrid* Grid() const { return grid_; }

    TtsPropKinds SavePropKinds() const { return kinds_; }
    void SetSavePropKinds(TtsPropKinds value) { kinds_ = value; }
    bool SaveData() const { return saveData_; }
    void SetSaveData(bool value) { saveData_ = value; }
    uint32_t PropMask() const { return mask_; }
    bool AllProperties() const { return allProps_; }
    TtsLoadMode LoadMode() const { return mode_; }

    void DefineProperties(core::TFiler& filer) override;

    // While the "Grid" part is written: the grid leaves out what this
    // component writes itself.
    bool WritingGridPart() const { return writingGrid_; }
    // The Data block's column map while loading by field name: entry i is
    // the grid's column for the saved grid's column i + 1 (0: dropped).
    const TtsIntegerList* ColumnMap() const { return colMap_.get(); }
    // A saved column matched the grid's `col`: the column is reset by the
    // mask and takes the saved column's cells.
    void ColumnMatched(int savedCol, TtsCol& col);

private:
    void ResetBeforeLoad();
    void ReadGridPart(core::TStream& stream);
    void WriteGridPart(core::TStream& stream);
    void ReadMask(filing::TReader& reader);
    void WriteMask(filing::TWriter& writer);

    TtsBaseGrid* grid_ = nullptr;
    std::unique_ptr<TtsBaseGrid> scratch_;
    TtsPropKinds kinds_;
    bool saveData_ = false;
    uint32_t mask_ = kAllPropsMask;
    bool allProps_ = true;
    TtsLoadMode mode_ = lmWithLayout;
    bool writingGrid_ = false;
    // The saved grid's column count, when the stream gives it.
    int savedCols_ = 0;
    std::unique_ptr<TtsIntegerList> colMap_;
};

}  // namespace grid
