#include "grid/model/CurrentCell.h"

#include "platform/core/Object.h"

namespace grid {

int TtsCurrentCell::DataCol() const
{
    return host_.HasCurrentCell() ? host_.CurrentCellCol() : -1;
}

int TtsCurrentCell::DataRow() const
{
    return host_.HasCurrentCell() ? host_.CurrentCellRow() : -1;
}

TtsControlType TtsCurrentCell::ControlType() const
{
    if (!host_.HasCurrentCell())
        return ctNone;
    return host_.CurrentCellControlType(host_.CurrentCellCol(), host_.CurrentCellRow());
}

void TtsCurrentCell::Refresh()
{
    if (!host_.HasCurrentCell())
        return;
    int col = host_.CurrentCellCol(), row = host_.CurrentCellRow();
    if (HasPendingFor(col, row))
        return;
    host_.CurrentCellToEditor(host_.CurrentCellRead(col, row), false);
}

core::Variant TtsCurrentCell::Value()
{
    if (!host_.HasCurrentCell())
        return {};
    int col = host_.CurrentCellCol(), row = host_.CurrentCellRow();
    if (HasPendingFor(col, row))
        return pending_;
    return host_.CurrentCellRead(col, row);
}

void TtsCurrentCell::SetValue(const core::Variant& value, bool repaint)
{
    if (!host_.HasCurrentCell())
        return;
    TtsControlType type = ControlType();
    host_.CurrentCellCheck(type, value);
    if (!host_.CurrentCellCanChange())
        return;
    ClearPending();
    host_.CurrentCellShowEditor();
    core::Variant normalized = host_.CurrentCellNormalize(type, value);
    host_.CurrentCellToEditor(normalized, true);
    // Without an editor that takes changes the value is pending here.
    if (!HasPendingFor(host_.CurrentCellCol(), host_.CurrentCellRow()))
        StorePending(normalized);
    if (repaint)
        host_.CurrentCellRepaint();
}

void TtsCurrentCell::StorePending(const core::Variant& value, core::TObject* ownedObject)
{
    if (owned_ && owned_ != ownedObject)
        delete owned_;
    owned_ = ownedObject;
    pending_ = value;
    pendingCol_ = host_.CurrentCellCol();
    pendingRow_ = host_.CurrentCellRow();
    Stretch = Shrink = Center = true;
    KeepAspect = false;
}

void TtsCurrentCell::ClearPending()
{
    pending_ = core::Variant();
    pendingCol_ = pendingRow_ = -1;
    delete owned_;
    owned_ = nullptr;
}

}  // namespace grid
