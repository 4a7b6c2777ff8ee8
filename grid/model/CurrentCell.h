#pragma once

#include "grid/model/GridTypes.h"
#include "platform/core/Variant.h"

namespace grid {

// What the current cell needs from its grid.
class ICurrentCellHost {
public:
    virtual ~ICurrentCellHost() = default;

    // Not designing, the editor usable, Rows and Cols positive.
    virtual bool HasCurrentCell() const = 0;
    // The current data column and row (-1 outside the grid).
    virtual int CurrentCellCol() const = 0;
    virtual int CurrentCellRow() const = 0;
    virtual TtsControlType CurrentCellControlType(int dataCol, int dataRow) const = 0;
    // The cell's value as Cell reads it.
    virtual core::Variant CurrentCellRead(int dataCol, int dataRow) = 0;
    // Raises the grid's error when the value does not fit the control type.
    virtual void CurrentCellCheck(TtsControlType type, const core::Variant& value) = 0;
    // The cell's value normalized as a write stores it.
    virtual core::Variant CurrentCellNormalize(TtsControlType type, const core::Variant& value) = 0;
    // Whether the grid can start editing the current cell and the editing
    // layer accepts a change now.
    virtual bool CurrentCellCanChange() = 0;
    virtual void CurrentCellShowEditor() = 0;
    // The editor takes the value; `changed` marks it as an edit.
    virtual void CurrentCellToEditor(const core::Variant& value, bool changed) = 0;
    virtual void CurrentCellRepaint() = 0;
};

// The current cell: its coordinates and the value an edit has given it that
// has not yet been written to the cell (the pending value).
class TtsCurrentCell {
public:
    explicit TtsCurrentCell(ICurrentCellHost& host) : host_(host) {}
    ~TtsCurrentCell() { ClearPending(); }
    TtsCurrentCell(const TtsCurrentCell&) = delete;
    TtsCurrentCell& operator=(const TtsCurrentCell&) = delete;

    // The current data column and row; -1 while there is no current cell.
    int DataCol() const;
    int DataRow() const;
    // The current cell's effective control type (ctNone without one).
    TtsControlType ControlType() const;

    // Unassigned without a current cell; the pending value while there is
    // one for this position; else the cell's value.
    core::Variant Value();
    // The application or an in-cell control sets the value: checked against
    // the control type, then handed to the editor as a change (which makes
    // it the pending value).
    void SetValue(const core::Variant& value, bool repaint = true);
    // Hands the cell's value to the editor, unchanged, unless a pending
    // value for this position is held.
    void Refresh();

    // Keeps `value` as pending for the current position and resets the
    // picture overrides. With `ownsObject` the value's object (a bitmap
    // made for the edit) is freed when the value is cleared.
    void StorePending(const core::Variant& value, core::TObject* ownedObject = nullptr);
    void ClearPending();
    bool HasPendingFor(int dataCol, int dataRow) const
    {
        return !pending_.IsEmpty() && dataCol == pendingCol_ && dataRow == pendingRow_;
    }
    const core::Variant& PendingValue() const { return pending_; }
    int PendingCol() const { return pendingCol_; }
    int PendingRow() const { return pendingRow_; }
    // A deleted row moved the pending row's data number.
    void SetPendingRow(int dataRow) { pendingRow_ = dataRow; }

    // The picture options of this edit, used where the cell's own option is
    // dopDefault.
    bool Stretch = true;
    bool Shrink = true;
    bool Center = true;
    bool KeepAspect = false;
    // The editor's texts.
    core::AnsiString EditText;
    core::AnsiString OldEditText;

private:
    ICurrentCellHost& host_;
    core::Variant pending_;
    core::TObject* owned_ = nullptr;
    int pendingCol_ = -1;
    int pendingRow_ = -1;
};

}  // namespace grid
