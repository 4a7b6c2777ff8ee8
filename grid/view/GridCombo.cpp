#include "grid/view/GridCombo.h"

#include <algorithm>
#include <vector>

#include "grid/model/Col.h"
#include "grid/model/Row.h"
#include "grid/view/Combo.h"
#include "grid/view/ComboGrid.h"
#include "grid/view/DropDownForm.h"
#include "grid/view/Grid.h"
#include "platform/core/CodePage.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/Screen.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowManager.h"

namespace grid {

namespace {

// The grid's base height of a data row.
constexpr int kBaseRowHeight = 14;
// Typed letters of a sorted list extend the search while they come faster
// than this.
constexpr uint32_t kIncrementalSearchMs = 2000;

TtsCombo* AsCombo(core::TPersistent* object)
{
    return dynamic_cast<TtsCombo*>(object);
}

// ---- Closing on presses outside and on activation changes --------------------------
// Every grid with an open pop-up is registered here; the two hooks live
// while the list is not empty. Grids are visited from the last registered.
struct HookRegistry {
    std::vector<TtsGridCombo*> grids;
    ui::HHOOK mouse = 0;
    ui::HHOOK wndProc = 0;
};

HookRegistry& Registry()
{
    static HookRegistry registry;
    return registry;
}

bool IsRegistered(TtsGridCombo* combo)
{
    auto& grids = Registry().grids;
    return std::find(grids.begin(), grids.end(), combo) != grids.end();
}

void CloseRegistered(void* pressed, bool always)
{
    std::vector<TtsGridCombo*> grids = Registry().grids;
    for (auto it = grids.rbegin(); it != grids.rend(); ++it)
        if (IsRegistered(*it) && (always || !(*it)->IsOwnWindow(pressed)))
            (*it)->Close();
}

bool MouseHook(int code, ui::WPARAM, ui::LPARAM lParam)
{
    switch (code) {
    case ui::WM_LBUTTONDOWN:
    case ui::WM_RBUTTONDOWN:
    case ui::WM_LBUTTONDBLCLK:
    case ui::WM_RBUTTONDBLCLK:
    case ui::WM_NCLBUTTONDOWN:
    case ui::WM_NCRBUTTONDOWN:
    case ui::WM_NCLBUTTONDBLCLK:
        CloseRegistered(reinterpret_cast<const ui::TMouseHookInfo*>(lParam)->hwnd, false);
        break;
    default:
        break;
    }
    return false;
}

bool WndProcHook(int, ui::WPARAM, ui::LPARAM lParam)
{
    if (reinterpret_cast<const ui::TMsg*>(lParam)->message == ui::WM_NCACTIVATE)
        CloseRegistered(nullptr, true);
    return false;
}

}  // namespace

TtsGridCombo::TtsGridCombo(TtsGrid& grid) : grid_(grid) {}

TtsGridCombo::~TtsGridCombo()
{
    UnregisterHooks();
}

// ---- Objects ----------------------------------------------------------------------------

TtsCombo& TtsGridCombo::GridCombo()
{
    if (!gridCombo_) {
        std::unique_ptr<core::TPersistent> made = grid_.CreateCombo();
        gridCombo_.reset(AsCombo(made.get()));
        if (gridCombo_)
            made.release();
    }
    return *gridCombo_;
}

TtsComboGrid& TtsGridCombo::List()
{
    return *GridCombo().ComboGrid();
}

TtsDropDownForm& TtsGridCombo::DropDownForm()
{
    if (!form_)
        form_ = new TtsDropDownForm(&grid_, &grid_, true);
    return *form_;
}

bool TtsGridCombo::IsOwnWindow(void* hwnd) const
{
    auto* window = static_cast<ui::HWND>(hwnd);
    if (!window || !ui::WindowManager().IsWindow(window))
        return false;
    if (ui::HWND own = grid_.HandleOrNull(); own && window->IsDescendantOf(own))
        return true;
    if (ui::HWND popup = form_ ? form_->HandleOrNull() : nullptr; popup && window->IsDescendantOf(popup))
        return true;
    return false;
}

// ---- Rules --------------------------------------------------------------------------------

TtsCombo* TtsGridCombo::DefinitionOf(int dataCol, int dataRow) const
{
    if (dataCol < 1 || dataCol > grid_.Cols() || dataRow < 1 || dataRow > grid_.Rows())
        return nullptr;
    const TtsCellSettings& cells = grid_.CellSettings();
    if (!cells.CellParentCombo(dataCol, dataRow))
        return AsCombo(cells.CellCombo(dataCol, dataRow));
    const TtsCol* col = grid_.GridCols().Items(dataCol);
    TtsCombo* colDef = col && col->ButtonType() == btCombo && !col->ParentCombo() ? AsCombo(col->Combo()) : nullptr;
    const TtsRow* row = grid_.GridRows().Items(dataRow);
    TtsCombo* rowDef = row && !row->ParentCombo() ? AsCombo(row->Combo()) : nullptr;
    if (grid_.DrawOverlap() == doDrawColOnTop)
        return colDef ? colDef : rowDef;
    return rowDef ? rowDef : colDef;
}

bool TtsGridCombo::MayOpen(int dataCol, int dataRow) const
{
    if (dataCol < 1 || dataCol > grid_.Cols() || dataRow < 1 || dataRow > grid_.Rows())
        return false;
    if (grid_.GridMode() != gmEdit && grid_.GridMode() != gmEditInsert)
        return false;
    const TtsCellSettings& cells = grid_.CellSettings();
    return cells.EffectiveButtonType(dataCol, dataRow) == btCombo && !cells.EffectiveReadOnly(dataCol, dataRow);
}

// ---- Preparing ------------------------------------------------------------------------------

void TtsGridCombo::Prepare(int dataCol, int dataRow)
{
    if (prepared_ && preparedCol_ == dataCol && preparedRow_ == dataRow)
        return;
    TtsComboGrid& list = List();
    TtsCombo* definition = DefinitionOf(dataCol, dataRow);
    if (definition) {
        // Loaded afresh each time a cell is prepared: rows added to a
        // definition after its first use must show.
        if (definition != gridCombo_.get() && definition->ComboGrid())
            list.AssignList(*definition->ComboGrid());
    } else {
        if (lastLoaded_)
            list.ResetList();
        TtsDropDownStyle style = ddDropDown;
        grid_.CellSettings().EffectiveButtonType(dataCol, dataRow, &style);
        list.SetDropDownStyle(style);
        list.SetDefaultColWidth(grid_.ColWidths(grid_.DisplayColnr(dataCol)) + 10);
        graphics::TBitmap probe(1, 1);
        probe.Canvas()->Font()->Assign(*list.Font());
        list.SetDefaultRowHeight(std::max(kBaseRowHeight, probe.Canvas()->TextHeight("Wg")));
    }
    lastLoaded_ = definition;
    grid_.OnComboInit(&grid_, &list, dataCol, dataRow);
    prepared_ = true;
    preparedCol_ = dataCol;
    preparedRow_ = dataRow;
    // A filled list always has a current row, so that Enter picks it.
    if (list.Rows() > 0 && list.CurrentRow() < 1)
        list.SetCurrentRow(1);
}

// ---- Opening and closing ---------------------------------------------------------------------

void TtsGridCombo::Open(int dataCol, int dataRow)
{
    if (!MayOpen(dataCol, dataRow))
        return;
    TtsComboGrid& list = List();
    if (IsOpen() && (openCol_ != dataCol || openRow_ != dataRow))
        Close();
    list.OnListPick = [this] { Pick(); };
    TtsDropDownForm& form = DropDownForm();
    form.HandleNeeded();
    list.HandleNeeded();
    if (list.Rows() > 0) {
        list.SetTopRow(list.FixedRows());
        list.SetCurrentRow(1);
    }
    // Each opening loads the cell's definition again, so that what was
    // added to it since the last opening shows.
    prepared_ = false;
    Prepare(dataCol, dataRow);
    if (!IsOpen()) {
        pending_.clear();
        grid_.OnComboDropDown(&grid_, &list, dataCol, dataRow);
        openCol_ = dataCol;
        openRow_ = dataRow;
    }
    Resize();
    if (list.AutoSearch() != asNone)
        PositionOnText(grid_.ComboEditState().Text);
    form.SetEnabled(true);
    form.Show();
    list.SetVisible(true);
    // The list's window follows its now showing pop-up.
    list.Perform(ui::CM_SHOWINGCHANGED, 0, 0);
    grid_.Invalidate();
    grid_.ComboFocusGrid();
    // Focusing the grid may have brought its form to the front: the list
    // stays above it.
    if (form.HandleAllocated())
        form.Handle()->BringToTop();
    RegisterHooks();
}

void TtsGridCombo::Toggle(int dataCol, int dataRow)
{
    if (IsOpen() && openCol_ == dataCol && openRow_ == dataRow)
        Close();
    else
        Open(dataCol, dataRow);
}

void TtsGridCombo::Close()
{
    if (form_ && form_->Visible()) {
        form_->Hide();
        grid_.Invalidate();
    }
    UnregisterHooks();
    if (gridCombo_ && gridCombo_->ComboGrid()) {
        ui::HWND listWindow = gridCombo_->ComboGrid()->HandleOrNull();
        if (listWindow && ui::WindowManager().Capture() == listWindow)
            ui::WindowManager().ReleaseCapture();
    }
    if (openCol_ == -1)
        return;
    int col = openCol_, row = openRow_;
    pending_.clear();
    openCol_ = openRow_ = -1;
    grid_.OnComboRollUp(&grid_, &List(), col, row);
}

graphics::TSize TtsGridCombo::ListSize()
{
    TtsComboGrid& list = List();
    ui::TWindowManager& wm = ui::WindowManager();
    bool single = list.BorderStyle() == ui::bsSingle;
    int width = list.Width(), height = list.Height();
    int shownWidth = 0, allWidth = 0, shown = 0;
    for (int display = 1; display < list.ColCount(); ++display) {
        const TtsCol* col = list.GridCols().Items(list.DataColnr(display));
        if (col && !col->Visible())
            continue;
        int w = list.ColWidths(display);
        allWidth += w;
        if (shown < list.DropDownCols()) {
            shownWidth += w;
            ++shown;
        }
    }
    if (list.DropDownCols() > 0)
        width = shownWidth + (single ? 2 * wm.SystemMetric(ui::SM_CXBORDER) : 0) + (list.RowBarOn() ? list.RowBarWidth() : 0);
    if (list.DropDownRows() > 0)
        // Each row of the layout takes its grid line below it as well, or
        // the last row would show only in part and the list would scroll.
        height = std::min(list.DropDownRows(), std::max(1, list.Rows())) * (list.DefaultRowHeight() + list.LineWidth()) +
                 (list.HeadingOn() ? list.HeadingHeight() + list.LineWidth() : 0) +
                 (single ? 2 * wm.SystemMetric(ui::SM_CYBORDER) : 0);
    ui::TScrollStyle bars = list.ScrollBars();
    bool horz = bars == ui::ssHorizontal || bars == ui::ssBoth;
    bool vert = bars == ui::ssVertical || bars == ui::ssBoth;
    if (horz && list.DropDownCols() > 0 && allWidth > shownWidth)
        height += wm.SystemMetric(ui::SM_CYHSCROLL);
    if (vert && list.DropDownRows() > 0 && list.Rows() > list.DropDownRows())
        width += wm.SystemMetric(ui::SM_CXVSCROLL);
    return {width, height};
}

void TtsGridCombo::Resize()
{
    graphics::TSize size = ListSize();
    List().SetBounds(0, 0, size.cx, size.cy);
    Place();
}

void TtsGridCombo::Place()
{
    int col = IsOpen() ? openCol_ : grid_.CurDataCol();
    int row = IsOpen() ? openRow_ : grid_.CurDataRow();
    if (col < 1 || row < 1)
        return;
    TtsComboGrid& list = List();
    graphics::TRect cell = grid_.CellScreenRect(col, row);
    int width = list.Width(), height = list.Height();
    int x = cell.Left, y = cell.Bottom;
    if (width < cell.Width())
        x += cell.Width() - width;  // right edges line up
    int screenWidth = ui::Screen().Width(), screenHeight = ui::Screen().Height();
    if (x + width > screenWidth)
        x = std::max(0, screenWidth - width);
    if (y + height > screenHeight)
        y = std::max(0, cell.Top - height);  // above the cell, its bottom on the cell's top
    DropDownForm().PlaceAt(graphics::Bounds(x, y, width, height));
}

void TtsGridCombo::PositionOnText(const AnsiString& text)
{
    int col = grid_.CurDataCol(), row = grid_.CurDataRow();
    if (col >= 1 && row >= 1)
        Prepare(col, row);
    TtsComboGrid& list = List();
    if (list.AutoSearch() == asNone)
        return;
    TtsComboFound found = list.Search().Find(text, list.ValueColSorted(), false);
    if (found.Row > 0)
        list.PositionOn(found.Row);
}

// ---- Picking ------------------------------------------------------------------------------------

AnsiString TtsGridCombo::RowValueFor(int listRow, int dataCol, int dataRow, bool& fromEvent, core::Variant* raw)
{
    TtsComboGrid& list = List();
    core::Variant value;
    grid_.OnComboGetValue(&grid_, &list, dataCol, dataRow, listRow, value);
    fromEvent = !value.IsEmpty();
    if (!fromEvent && list.ValueCol() >= 1 && list.ValueCol() <= list.Cols())
        value = list.Cell(list.ValueCol(), listRow);
    if (raw)
        *raw = value;
    return value.IsEmpty() || value.IsNull() ? AnsiString() : value.AsString();
}

void TtsGridCombo::Pick()
{
    int col = IsOpen() ? openCol_ : grid_.CurDataCol();
    int row = IsOpen() ? openRow_ : grid_.CurDataRow();
    TtsComboGrid& list = List();
    int listRow = list.CurrentRow();
    if (list.Rows() < 1 || list.Cols() < 1 || listRow < 1 || col < 1 || row < 1) {
        grid_.ComboPlaceEditor();
        Close();
        grid_.ComboFocusGrid();
        return;
    }
    if (form_ && form_->Visible()) {
        form_->Hide();
        grid_.Invalidate();
    }
    bool fromEvent = false;
    core::Variant value;
    RowValueFor(listRow, col, row, fromEvent, &value);
    TtsControlType type = grid_.CellControlType(col, row);
    if (value.IsEmpty() && list.StoreData() && list.ValueCol() >= 1 && list.ValueCol() <= list.Cols() && list.Store() &&
        list.Store()->GetValue(list.ValueCol(), listRow).IsEmpty())
        value = type == ctText ? core::Variant(AnsiString()) : core::Variant::Null();
    if (fromEvent && type == ctText && !value.IsNull())
        value = core::Variant(value.AsString());
    // Closing comes whatever the edit events say of the value.
    struct CloseAfter {
        TtsGridCombo& self;
        ~CloseAfter()
        {
            self.grid_.ComboPlaceEditor();
            self.Close();
            self.grid_.ComboFocusGrid();
        }
    } closeAfter{*this};
    if (!value.IsEmpty() && !(grid_.Cell(col, row) == value))
        grid_.ComboWriteValue(value);
}

// ---- Keys and typing ------------------------------------------------------------------------------

bool TtsGridCombo::HandleKey(uint16_t key, ui::TShiftState shift)
{
    bool alt = shift.Contains(ui::ssAlt), ctrl = shift.Contains(ui::ssCtrl), shifted = shift.Contains(ui::ssShift);
    if (IsOpen() && !alt) {
        TtsComboEditState state = grid_.ComboEditState();
        TtsComboGrid& list = List();
        if (key == ui::VK_TAB && !ctrl) {
            Close();
            return false;
        }
        if (ctrl) {
            if (state.WhollySelected || !state.Modified)
                list.ListKey(key, shift);
            return true;
        }
        if (!shifted) {
            switch (key) {
            case ui::VK_RETURN: Pick(); return true;
            case ui::VK_ESCAPE: Close(); return true;
            case ui::VK_UP:
            case ui::VK_DOWN:
            case ui::VK_PRIOR:
            case ui::VK_NEXT:
                if (state.WhollySelected || !state.Modified || !state.Editable)
                    list.ListKey(key, {});
                return true;
            case ui::VK_LEFT:
            case ui::VK_RIGHT:
                if (state.WhollySelected || !state.Editable)
                    list.ListKey(key, {});
                return true;
            case ui::VK_HOME:
            case ui::VK_END:
                if (state.Editable)
                    return false;
                list.ListKey(key == ui::VK_HOME ? ui::VK_UP : ui::VK_DOWN, {ui::ssCtrl});
                return true;
            default: break;
            }
        }
    }
    bool toggle = (key == ui::VK_F4 && !alt && !ctrl && !shifted) || (alt && (key == ui::VK_DOWN || key == ui::VK_UP));
    if (!toggle)
        return false;
    int col = grid_.CurDataCol(), row = grid_.CurDataRow();
    if (IsOpen() || MayOpen(col, row)) {
        Toggle(col, row);
        return true;
    }
    return false;
}

bool TtsGridCombo::HandleChar(char ch)
{
    int col = grid_.CurDataCol(), row = grid_.CurDataRow();
    if (!MayOpen(col, row)) {
        leadByte_ = 0;
        return false;
    }
    TtsComboEditState state = grid_.ComboEditState();
    if (state.Editable || state.Selectable)
        return false;
    if (ch == '\x1b') {
        pending_.clear();
        leadByte_ = 0;
        return false;
    }
    // A double-byte character arrives as two messages: the search takes it
    // whole.
    if (leadByte_) {
        AnsiString character{leadByte_, ch};
        leadByte_ = 0;
        return LetterJump(character, state.Text);
    }
    if (core::IsLeadByte(ch)) {
        leadByte_ = ch;
        return true;
    }
    if (static_cast<unsigned char>(ch) < 32)
        return false;
    return LetterJump(AnsiString(1, ch), state.Text);
}

bool TtsGridCombo::LetterJump(const AnsiString& character, const AnsiString& cellText)
{
    int col = grid_.CurDataCol(), row = grid_.CurDataRow();
    Prepare(col, row);
    TtsComboGrid& list = List();
    if (list.AutoSearch() == asNone)
        return false;
    TtsComboSearch search = list.Search();
    int current = list.CurrentRow();
    auto cycle = [&]() {
        bool textStarts = cellText.size() >= character.size() &&
                          list.CompareValue(cellText, character, static_cast<int>(character.size())) == 0;
        bool onCurrent = false;
        if (textStarts && current > 0) {
            AnsiString value = list.RowValue(current);
            onCurrent = value.size() == cellText.size() &&
                        list.CompareValue(value, cellText, static_cast<int>(cellText.size())) == 0;
        }
        if (textStarts && !onCurrent) {
            TtsComboFound f = search.Find(cellText, list.ValueColSorted(), false);
            onCurrent = f.Hit && search.StartsWith(f.Row, character);
        }
        if (textStarts && onCurrent)
            return search.NextStartingWith(current, character);
        return search.NextStartingWith(0, character);
    };
    int found = 0;
    if (!list.ValueColSorted()) {
        found = cycle();
    } else {
        uint32_t now = ui::WindowManager().TickCount();
        if (!pending_.empty() && now - pendingTick_ >= kIncrementalSearchMs)
            pending_.clear();
        if (!pending_.empty()) {
            AnsiString extended = pending_ + character;
            TtsComboFound f = search.Find(extended, true, true);
            if (f.Hit && search.StartsWith(f.Row, extended)) {
                found = f.Row;
                pending_ = extended;
            } else if (pending_ == character) {
                found = cycle();
            }
        } else {
            TtsComboFound f = search.Find(character, true, true);
            if (f.Hit && search.StartsWith(f.Row, character)) {
                found = f.Row;
                pending_ = character;
            }
        }
        pendingTick_ = now;
    }
    if (found > 0) {
        list.SetCurrentRow(found);
        bool fromEvent = false;
        core::Variant value;
        AnsiString text = RowValueFor(found, col, row, fromEvent, &value);
        if (!fromEvent)
            value = core::Variant(text);
        if (!(grid_.Cell(col, row) == value))
            grid_.ComboWriteValue(value);
    }
    grid_.InvalidateCell(grid_.DisplayColnr(col), grid_.DisplayRownr(row));
    if (IsOpen())
        list.Invalidate();
    return true;
}

void TtsGridCombo::TextChanged(bool inserted)
{
    int col = grid_.CurDataCol(), row = grid_.CurDataRow();
    if (col < 1 || row < 1)
        return;
    TtsDropDownStyle style = ddDropDown;
    bool combo = grid_.CellSettings().EffectiveButtonType(col, row, &style) == btCombo;
    if (inserted && combo && style == ddDropDown) {
        if (!Complete(false))
            PositionOnText(grid_.ComboEditState().Text);
    } else if (IsOpen()) {
        PositionOnText(grid_.ComboEditState().Text);
    }
}

void TtsGridCombo::EditEnded()
{
    Complete(true);
}

void TtsGridCombo::CellMoved()
{
    prepared_ = false;
    leadByte_ = 0;
    if (IsOpen())
        Close();
}

bool TtsGridCombo::Complete(bool atExit)
{
    int col = grid_.CurDataCol(), row = grid_.CurDataRow();
    if (col < 1 || row < 1)
        return false;
    Prepare(col, row);
    TtsComboGrid& list = List();
    if (!list.AutoFill() || list.AutoSearch() == asNone || grid_.CellControlType(col, row) != ctText)
        return false;
    if (atExit && list.AutoFillConvertCase() != afcOnExit)
        return false;
    TtsComboEditState state = grid_.ComboEditState();
    const AnsiString& text = state.Text;
    if (text.empty())
        return false;
    TtsComboFound found = list.Search().Find(text, list.ValueColSorted(), true);
    if (!found.Hit)
        return false;
    list.PositionOn(found.Row);
    bool fromEvent = false;
    AnsiString value = RowValueFor(found.Row, col, row, fromEvent);
    if (value.empty())
        return false;
    bool startsWith =
        value.size() >= text.size() && list.CompareValue(value, text, static_cast<int>(text.size())) == 0;
    std::optional<AnsiString> next = ComboCompletion(text, value, startsWith, list.AutoFillConvertCase(), atExit);
    if (!next)
        return false;
    int selStart = std::clamp(state.SelStart, 0, static_cast<int>(next->size()));
    int selLength = value.size() > text.size() ? static_cast<int>(next->size()) - selStart : 0;
    grid_.ComboWriteText(*next, selStart, selLength);
    return true;
}

// ---- Hooks ---------------------------------------------------------------------------------------

void TtsGridCombo::RegisterHooks()
{
    if (registered_)
        return;
    HookRegistry& registry = Registry();
    registry.grids.push_back(this);
    registered_ = true;
    if (registry.grids.size() == 1) {
        registry.mouse = ui::WindowManager().SetWindowsHook(ui::WH_MOUSE, MouseHook);
        registry.wndProc = ui::WindowManager().SetWindowsHook(ui::WH_CALLWNDPROC, WndProcHook);
    }
}

void TtsGridCombo::UnregisterHooks()
{
    if (!registered_)
        return;
    registered_ = false;
    HookRegistry& registry = Registry();
    std::erase(registry.grids, this);
    if (registry.grids.empty()) {
        ui::WindowManager().UnhookWindowsHook(registry.mouse);
        ui::WindowManager().UnhookWindowsHook(registry.wndProc);
        registry.mouse = registry.wndProc = 0;
    }
}

}  // namespace grid
