// The stand-in list grid: its properties, cell values, the current cell and
// the user's ticking of check boxes. Filing is in TinyGridFiling.cpp and
// painting in TinyGridPaint.cpp.
#include "controls/TinyGrid.h"

#include <algorithm>

#include "platform/core/Format.h"
#include "platform/core/Properties.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"

namespace controls {

using core::Variant;
using graphics::TColor;
using graphics::TPoint;

CORE_CLASS_IMPL(TtsCol)
CORE_CLASS_IMPL(TtsColItem)
CORE_CLASS_IMPL(TtsColCollection)
CORE_CLASS_IMPL(TTinyGrid)

namespace {

// The fixed parts of the grid engine's layout that no stored form of the
// tool changes: the row bar at the left and the heading row at the top.
constexpr int kRowBarWidth = 14;
constexpr int kHeadingHeight = 15;

}  // namespace

int CheckStateOf(const Variant& value)
{
    switch (value.VarType()) {
    case core::varSmallint:
    case core::varInteger:
    case core::varByte:
    case core::varInt64:
        return value.AsInteger();
    default:
        return 2;
    }
}

// ---- Columns -----------------------------------------------------------------

void TtsCol::Publish(core::PropertyList& list)
{
    core::PropBuilder<TtsCol> p(list);
    p.Enum("ControlType", &TtsCol::ControlType, &TtsCol::SetControlType)
        .Default(ctDefault);
    p.String("FieldName", &TtsCol::FieldName, &TtsCol::SetFieldName);
    // Reading an empty heading gives the field name, which is filed as such.
    p.String("Heading", &TtsCol::Heading, &TtsCol::SetHeading).StoredWhen([](const TtsCol& c) {
        return !c.heading_.empty();
    });
    p.Enum("HeadingHorzAlignment", &TtsCol::HeadingHorzAlignment, &TtsCol::SetHeadingHorzAlignment)
        .Default(htaDefault);
    p.Boolean("ReadOnly", &TtsCol::ReadOnly, &TtsCol::SetReadOnly).Default(false);
    // A new column takes the grid's default width, so a column at it has
    // nothing of its own to file.
    p.Integer("Width", &TtsCol::Width, &TtsCol::SetWidth).DefaultFrom(&TtsCol::DefaultWidth);
    // The application's own values have no default: they are always filed,
    // and take no part in the default test.
    p.Integer("Tag", &TtsCol::Tag, &TtsCol::SetTag);
    p.Boolean("ColConfig", &TtsCol::ColConfig, &TtsCol::SetColConfig);
    p.Boolean("BePrint", &TtsCol::BePrint, &TtsCol::SetBePrint);
}

void TtsCol::Changed()
{
    if (grid_)
        grid_->ColumnChanged();
}

void TtsCol::SetHeading(const AnsiString& value)
{
    heading_ = value;
    Changed();
}

void TtsCol::SetHeadingHorzAlignment(TtsHorzAlignment value)
{
    headingHorzAlignment_ = value;
    Changed();
}

void TtsCol::SetWidth(int value)
{
    width_ = std::max(value, 0);
    Changed();
}

void TtsCol::SetControlType(TtsControlType value)
{
    controlType_ = value;
    Changed();
}

void TtsCol::SetFieldName(const AnsiString& value)
{
    fieldName_ = value;
    Changed();
}

int TtsCol::DefaultWidth() const
{
    return grid_ ? grid_->DefaultColWidth() : 64;
}

bool TtsCol::IsDefault() const
{
    return core::PropertiesAtDefault(*this);
}

void TtsCol::Assign(const core::TPersistent* source)
{
    auto* other = dynamic_cast<const TtsCol*>(source);
    if (!other) {
        core::TPersistent::Assign(source);
        return;
    }
    core::CopyProperties(*other, *this);
}

TtsColItem::TtsColItem(core::TCollection* collection) : core::TCollectionItem(collection) {}

TtsColItem::~TtsColItem() = default;

void TtsColItem::Publish(core::PropertyList& list)
{
    core::PropBuilder<TtsColItem> p(list);
    p.Integer("DataCol", &TtsColItem::DataCol, &TtsColItem::SetDataCol).Default(0);
    p.String("FieldName", &TtsColItem::FieldName, &TtsColItem::SetFieldName);
    p.Object<TtsCol>("Col", &TtsColItem::Col, &TtsColItem::SetCol);
}

void TtsColItem::SetDataCol(int value)
{
    auto* collection = dynamic_cast<TtsColCollection*>(Collection());
    TTinyGrid* grid = collection ? collection->Grid() : nullptr;
    dataCol_ = value;
    column_ = grid ? grid->Col(value) : nullptr;
}

TtsColCollection::TtsColCollection(TTinyGrid* grid) : core::TCollection(TtsColItem::StaticClass(), grid) {}

TTinyGrid* TtsColCollection::Grid() const
{
    return dynamic_cast<TTinyGrid*>(GetOwner());
}

// ---- The grid ----------------------------------------------------------------

TTinyGrid::TTinyGrid(core::TComponent* owner)
    : ui::TCustomControl(owner), headingFont_(std::make_unique<graphics::TFont>())
{
    SetControlStyle({ui::csCaptureMouse, ui::csClickEvents, ui::csDoubleClicks, ui::csOpaque});
    SetBounds(0, 0, 320, 120);
    SetTabStop(true);
    headingFont_->OnChange = [this](core::TObject*) {
        if (!copyingHeadingFont_)
            headingParentFont_ = false;
        Invalidate();
    };
    FollowParentFont();
    // The family's defaults over the grid engine's.
    SetDefaultRowHeight(17);
    SetColor(graphics::clWhite);
    SetSelectionColor(graphics::clBlack);
    SetHeadingColor(0xEBEBEB);
    SetHeading3D(false);
    SetRowSelectMode(rsNone);
    SetCellSelectMode(cmNone);
    SetStoreData(true);
    SetResizeRows(rrNone);
    SetWordWrap(wwOff);
    SetCtl3D(false);
    SetCols(6);
    SetRows(30);
    SetBePrinted(true);
}

TTinyGrid::~TTinyGrid() = default;

void TTinyGrid::Publish(core::PropertyList& list)
{
    core::PropBuilder<TTinyGrid> p(list);
    p.Integer("Cols", &TTinyGrid::Cols, &TTinyGrid::SetCols).NoDefault();
    p.Integer("Rows", &TTinyGrid::Rows, &TTinyGrid::SetRows).NoDefault();
    p.Integer("DefaultColWidth", &TTinyGrid::DefaultColWidth, &TTinyGrid::SetDefaultColWidth).Default(64);
    p.Integer("DefaultRowHeight", &TTinyGrid::DefaultRowHeight, &TTinyGrid::SetDefaultRowHeight).Default(14);
    p.Integer("HeadingColor", &TTinyGrid::HeadingColor, &TTinyGrid::SetHeadingColor, "TColor")
        .Default(graphics::clBtnFace);
    p.Object<graphics::TFont>("HeadingFont", &TTinyGrid::HeadingFont, &TTinyGrid::SetHeadingFont)
        .StoredWhen([](const TTinyGrid& grid) { return !grid.headingParentFont_; });
    p.Boolean("Heading3D", &TTinyGrid::Heading3D, &TTinyGrid::SetHeading3D).Default(true);
    p.Enum("CellSelectMode", &TTinyGrid::CellSelectMode,
           &TTinyGrid::SetCellSelectMode)
        .Default(cmRange);
    p.Enum("RowSelectMode", &TTinyGrid::RowSelectMode,
           &TTinyGrid::SetRowSelectMode)
        .Default(rsMulti);
    p.Integer("SelectionColor", &TTinyGrid::SelectionColor, &TTinyGrid::SetSelectionColor, "TColor")
        .Default(graphics::clHighlight);
    p.Enum("ResizeRows", &TTinyGrid::ResizeRows,
           &TTinyGrid::SetResizeRows)
        .Default(rrAll);
    p.Enum("WordWrap", &TTinyGrid::WordWrap, &TTinyGrid::SetWordWrap)
        .Default(wwDefault);
    // The check-box look is always filed.
    p.Enum("CheckBoxStyle", &TTinyGrid::CheckBoxStyle,
           &TTinyGrid::SetCheckBoxStyle);
    p.Boolean("StoreData", &TTinyGrid::StoreData, &TTinyGrid::SetStoreData).Default(false);
    p.Boolean("BorderCtl3D", &TTinyGrid::BorderCtl3D, &TTinyGrid::SetBorderCtl3D).Default(false);
    p.Boolean("BePrinted", &TTinyGrid::BePrinted, &TTinyGrid::SetBePrinted).Default(true);
    p.Boolean("TabStop", &TTinyGrid::TabStop, &TTinyGrid::SetTabStop).Default(true);
}

void TTinyGrid::Error(const AnsiString& text) const
{
    throw EInvalidGridOperation(Name() + ": " + text);
}

void TTinyGrid::ColumnChanged()
{
    Invalidate();
}

TtsCol* TTinyGrid::Col(int dataCol) const
{
    if (dataCol < 1 || dataCol > Cols())
        Error(core::Format("Column index %d out of range", dataCol));
    return columns_[static_cast<size_t>(dataCol - 1)].get();
}

void TTinyGrid::SetCols(int value)
{
    value = std::max(value, 0);
    if (value == Cols())
        return;
    while (Cols() > value)
        columns_.pop_back();
    while (Cols() < value) {
        auto column = std::make_unique<TtsCol>(this);
        column->width_ = defaultColWidth_;
        columns_.push_back(std::move(column));
    }
    // The values of removed columns go; a row keeps no empty cells at its
    // end, and no row stays empty.
    for (auto row = cells_.begin(); row != cells_.end();) {
        StoredRow& cells = row->second;
        if (static_cast<int>(cells.size()) > value)
            cells.resize(static_cast<size_t>(value));
        while (!cells.empty() && cells.back().Kind == skEmpty)
            cells.pop_back();
        row = cells.empty() ? cells_.erase(row) : std::next(row);
    }
    if (currentCol_ > value)
        SetCurrent(0, 0);
    Invalidate();
}

void TTinyGrid::SetRows(int value)
{
    value = std::max(value, 0);
    if (value == rows_)
        return;
    rows_ = value;
    cells_.erase(cells_.upper_bound(value), cells_.end());
    if (currentRow_ > value)
        SetCurrent(0, 0);
    Invalidate();
}

void TTinyGrid::SetStoreData(bool value)
{
    if (value == storeData_)
        return;
    storeData_ = value;
    cells_.clear();
    Invalidate();
}

TtsControlType TTinyGrid::CellControlType(int dataCol, int dataRow) const
{
    if (dataCol < 1 || dataCol > Cols() || dataRow < 1 || dataRow > rows_)
        return ctNone;
    TtsControlType type = Col(dataCol)->ControlType();
    return type == ctDefault ? ctText : type;
}

Variant TTinyGrid::Cell(int dataCol, int dataRow) const
{
    TtsControlType type = CellControlType(dataCol, dataRow);
    if (type == ctNone)
        return {};
    auto row = cells_.find(dataRow);
    if (row == cells_.end() || dataCol > static_cast<int>(row->second.size()))
        return {};
    const StoredCell& cell = row->second[static_cast<size_t>(dataCol - 1)];
    switch (cell.Kind) {
    case skText:
    case skPictureName:
        return Variant(cell.Value.AsString());
    case skCheckState:
    case skBitmap:
        // A text column shows whatever it holds as text.
        if (type == ctText)
            return Variant(cell.Value.AsString());
        return Variant(cell.Value.AsInteger());
    case skNull:
        return Variant::Null();
    default:
        return {};
    }
}

void TTinyGrid::SetCell(int dataCol, int dataRow, const Variant& value)
{
    TtsControlType type = CellControlType(dataCol, dataRow);
    if (type == ctNone || !storeData_)
        return;
    if (value.IsEmpty() || type == ctPicture)
        StoreCell(dataCol, dataRow, skEmpty, {});
    else if (value.IsNull())
        StoreCell(dataCol, dataRow, skNull, {});
    else if (type == ctText || value.IsString())
        StoreCell(dataCol, dataRow, skText, Variant(value.AsString()));
    else
        StoreCell(dataCol, dataRow, skCheckState, Variant(value.AsInteger()));
    InvalidateCell(dataCol, dataRow);
}

void TTinyGrid::StoreCell(int dataCol, int dataRow, TtsStoredKind kind, const Variant& value)
{
    auto row = cells_.find(dataRow);
    if (kind == skEmpty) {
        if (row == cells_.end() || dataCol > static_cast<int>(row->second.size()))
            return;
        row->second[static_cast<size_t>(dataCol - 1)] = {};
        // A row keeps no empty cells at its end, and no row stays empty.
        StoredRow& cells = row->second;
        while (!cells.empty() && cells.back().Kind == skEmpty)
            cells.pop_back();
        if (cells.empty())
            cells_.erase(row);
        return;
    }
    StoredRow& cells = cells_[dataRow];
    if (static_cast<int>(cells.size()) < dataCol)
        cells.resize(static_cast<size_t>(dataCol));
    cells[static_cast<size_t>(dataCol - 1)] = {kind, value};
}

void TTinyGrid::SetDefaultColWidth(int value)
{
    value = std::max(value, 1);
    if (value == defaultColWidth_)
        return;
    defaultColWidth_ = value;
    for (auto& column : columns_)
        column->width_ = value;
    Invalidate();
}

void TTinyGrid::SetDefaultRowHeight(int value)
{
    value = std::max(value, 1);
    if (value == defaultRowHeight_)
        return;
    defaultRowHeight_ = value;
    Invalidate();
}

void TTinyGrid::SetHeadingColor(TColor value)
{
    if (value == headingColor_)
        return;
    headingColor_ = value;
    Invalidate();
}

void TTinyGrid::SetHeading3D(bool value)
{
    if (value == heading3D_)
        return;
    heading3D_ = value;
    Invalidate();
}

void TTinyGrid::FollowParentFont()
{
    if (!headingParentFont_)
        return;
    copyingHeadingFont_ = true;
    headingFont_->Assign(Font());
    copyingHeadingFont_ = false;
}

// ---- Geometry ------------------------------------------------------------------

int TTinyGrid::ColumnLeft(int dataCol) const
{
    int left = kRowBarWidth;
    for (int c = 1; c < dataCol; ++c)
        left += Col(c)->Width();
    return left;
}

TRect TTinyGrid::CellRect(int dataCol, int dataRow) const
{
    if (dataCol < 0 || dataCol > Cols() || dataRow < 0 || dataRow > rows_)
        return {};
    int left = dataCol == 0 ? 0 : ColumnLeft(dataCol);
    int width = dataCol == 0 ? kRowBarWidth : Col(dataCol)->Width();
    int top = dataRow == 0 ? 0 : kHeadingHeight + (dataRow - 1) * defaultRowHeight_;
    int height = dataRow == 0 ? kHeadingHeight : defaultRowHeight_;
    return graphics::Bounds(left, top, width, height);
}

bool TTinyGrid::CellAt(TPoint p, int& dataCol, int& dataRow) const
{
    for (int r = 0; r <= rows_; ++r) {
        for (int c = 0; c <= Cols(); ++c) {
            if (CellRect(c, r).Contains(p)) {
                dataCol = c;
                dataRow = r;
                return true;
            }
        }
    }
    return false;
}

void TTinyGrid::InvalidateCell(int dataCol, int dataRow)
{
    if (!HandleAllocated())
        return;
    TRect r = CellRect(dataCol, dataRow);
    if (!r.IsEmpty())
        HandleOrNull()->Invalidate(&r, false);
}

// ---- The current cell and ticking ------------------------------------------------

void TTinyGrid::SetCurrent(int dataCol, int dataRow)
{
    if (dataCol == currentCol_ && dataRow == currentRow_)
        return;
    InvalidateCell(currentCol_, currentRow_);
    currentCol_ = dataCol;
    currentRow_ = dataRow;
    InvalidateCell(currentCol_, currentRow_);
}

bool TTinyGrid::Toggleable(int dataCol, int dataRow) const
{
    return CellControlType(dataCol, dataRow) == ctCheck && !Col(dataCol)->ReadOnly();
}

void TTinyGrid::Toggle(int dataCol, int dataRow)
{
    // Without check-box texts a tick stores 1 and clearing stores 0; a
    // grayed box (or any other value) clears.
    int state = CheckStateOf(Cell(dataCol, dataRow));
    SetCell(dataCol, dataRow, Variant(state == 0 ? 1 : 0));
}

void TTinyGrid::MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y)
{
    if (button == ui::mbLeft) {
        if (CanFocus() && !Focused())
            SetFocus();
        int c = 0, r = 0;
        if (CellAt({x, y}, c, r) && c > 0 && r > 0) {
            SetCurrent(c, r);
            if (Toggleable(c, r)) {
                pressedCol_ = c;
                pressedRow_ = r;
            }
        }
    }
    ui::TCustomControl::MouseDown(button, shift, x, y);
}

void TTinyGrid::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y)
{
    if (button == ui::mbLeft && pressedCol_ > 0) {
        int c = 0, r = 0;
        bool same = CellAt({x, y}, c, r) && c == pressedCol_ && r == pressedRow_;
        pressedCol_ = pressedRow_ = 0;
        if (same && Toggleable(c, r))
            Toggle(c, r);
    }
    ui::TCustomControl::MouseUp(button, shift, x, y);
}

void TTinyGrid::KeyDown(uint16_t& key, ui::TShiftState shift)
{
    if (key == ui::VK_SPACE)
        spaceHeld_ = true;
    ui::TCustomControl::KeyDown(key, shift);
}

void TTinyGrid::KeyUp(uint16_t& key, ui::TShiftState shift)
{
    if (key == ui::VK_SPACE && spaceHeld_) {
        spaceHeld_ = false;
        if (Toggleable(currentCol_, currentRow_))
            Toggle(currentCol_, currentRow_);
    }
    ui::TCustomControl::KeyUp(key, shift);
}

void TTinyGrid::CreateParams(ui::TCreateParams& params)
{
    ui::TCustomControl::CreateParams(params);
    if (Ctl3D())
        params.ExStyle |= ui::WS_EX_CLIENTEDGE;
    else
        params.Style |= ui::WS_BORDER;
}

void TTinyGrid::WndProc(ui::TMessage& m)
{
    switch (m.Msg) {
    case ui::CM_CTL3DCHANGED:
        RecreateWnd();
        break;
    case ui::CM_FONTCHANGED:
        FollowParentFont();
        Invalidate();
        break;
    case ui::WM_SETFOCUS:
    case ui::WM_KILLFOCUS:
        spaceHeld_ = false;
        InvalidateCell(currentCol_, currentRow_);
        break;
    case ui::WM_CANCELMODE:
        // The capture is let go before the release reaches MouseUp, so only
        // a cancelled press forgets its box.
        pressedCol_ = pressedRow_ = 0;
        break;
    default:
        break;
    }
    ui::TCustomControl::WndProc(m);
}

}  // namespace controls
