#pragma once

#include "grid/view/BaseGrid.h"
#include "grid/view/GridNavigation.h"
#include "platform/core/Event.h"

namespace grid {

using TtsCellLoadedEvent = core::TEvent<core::TObject*, int, int, Variant&>;
using TtsRowLoadedEvent = core::TEvent<core::TObject*, int>;
using TtsCellEditEvent = core::TEvent<core::TObject*, int, int, bool>;
using TtsCountChangedEvent = core::TEvent<core::TObject*, int, int>;
using TtsRowEvent = core::TEvent<core::TObject*, int, bool>;
using TtsColEvent = core::TEvent<core::TObject*, int, bool>;
using TtsSelectChangedEvent = core::TEvent<core::TObject*, TtsSelectType, bool>;
using TtsGridStatusChangedEvent = core::TEvent<core::TObject*, TtsGridStatus, TtsGridStatus>;
using TtsColChangedEvent = core::TEvent<core::TObject*, int, int>;
using TtsRowChangedEvent = core::TEvent<core::TObject*, int, int>;
using TtsCellChangedEvent = core::TEvent<core::TObject*, int, int, int, int>;
using TtsTopLeftChangedEvent = core::TEvent<core::TObject*, int, int, int, int, bool>;

// The grid with its events: every "do" method of the engine turns the row
// key into the data row and raises the event. It also runs the load step:
// OnRowLoaded once per row in a row (the last loaded row is kept), then
// OnCellLoaded, then the type check.
class TtsCustomGrid : public TtsBaseGrid {
    CORE_CLASS(TtsCustomGrid, TtsBaseGrid)

    explicit TtsCustomGrid(core::TComponent* owner) : TtsBaseGrid(owner) {}

    TtsCellLoadedEvent OnCellLoaded;
    TtsRowLoadedEvent OnRowLoaded;
    TtsCellEditEvent OnCellEdit;
    TtsCountChangedEvent OnRowCountChanged;
    TtsCountChangedEvent OnColCountChanged;
    TtsRowEvent OnDeleteRow;
    TtsColEvent OnDeleteCol;
    TtsRowEvent OnInsertRow;
    // Declared and filed; this grid never raises it.
    TtsColEvent OnInsertCol;
    TtsSelectChangedEvent OnSelectChanged;
    TtsGridStatusChangedEvent OnGridStatusChanged;
    TtsColChangedEvent OnColChanged;
    TtsRowChangedEvent OnRowChanged;
    TtsCellChangedEvent OnCellChanged;
    TtsTopLeftChangedEvent OnTopLeftChanged;

    // The data row OnRowLoaded was last raised for (-1 after a paint began).
    int LastLoadedRow() const { return lastLoadedRow_; }
    // Keys and clicks moving the current cell (GridNavigation.cpp).
    TtsGridNavigation& Navigation() { return navigation_; }

protected:
    // OnKeyDown first; a key it leaves goes to the navigation.
    void KeyDown(std::uint16_t& key, ui::TShiftState shift) override;
    // Asks for Tab while Tab moves between cells.
    void WndProc(ui::TMessage& message) override;
    // The data row a row key stands for.
    static int RowOfKey(const Variant& rowKey) { return rowKey.IsEmpty() ? -1 : rowKey.AsInteger(); }

    void LoadCell(int dataCol, int dataRow, TtsControlType type, Variant& value) override;
    virtual void DoRowLoaded(int dataRow);
    virtual void DoCellLoaded(int dataCol, int dataRow, Variant& value);
    void DoCellEdit(int dataCol, const Variant& rowKey, bool byUser) override;
    void DoRowCountChanged(int oldCount, int newCount) override;
    void DoColCountChanged(int oldCount, int newCount) override;
    void DoDeleteRow(const Variant& rowKey, bool byUser) override;
    void DoDeleteCol(int dataCol, bool byUser) override;
    void DoSelectChanged(TtsSelectType type, bool byUser) override;
    void DoGridStatusChanged(TtsGridStatus oldStatus, TtsGridStatus newStatus) override;
    void DoColChanged(int oldCol, int newCol) override;
    void DoRowChanged(const Variant& oldRow, const Variant& newRow) override;
    void DoCellChanged(int oldCol, int newCol, const Variant& oldRow, const Variant& newRow) override;
    void DoTopLeftChanged(int oldCol, int oldRow, int newCol, int newRow, bool byUser) override;

private:
    TtsGridNavigation navigation_{*this};
};

}  // namespace grid
