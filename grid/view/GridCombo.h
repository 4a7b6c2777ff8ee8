#pragma once

// The combo drop-down of a grid: which list a cell uses, preparing it,
// opening it under the cell in the drop-down window, the keys that act on the
// open list, picking, completing the cell text (AutoFill), letters jumping
// through a ddDropDownList list, and closing, by a key, a pick, a press
// outside or a change of activation.
//
// Call flow of an open: Toggle/Open -> close other pop-ups -> Prepare (load
// the cell's definition into the grid's list, OnComboInit) -> OnComboDropDown
// -> size (DropDownRows x DropDownCols) -> AutoSearch position -> place under
// (or above) the cell -> show -> register with the outside-press hooks.
//
// The grid's editing layer reaches the drop-down through the few entry
// points below (HandleKey, HandleChar, TextChanged, EditEnded, CellMoved,
// Toggle); what it needs of the editor it asks the grid through TtsGrid's
// Combo* virtual methods.

#include <memory>

#include "grid/view/ComboSearch.h"
#include "platform/core/Event.h"
#include "platform/core/Variant.h"
#include "platform/graphics/Types.h"
#include "platform/ui/ControlTypes.h"

namespace core {
class TPersistent;
}

namespace grid {

class TtsCombo;
class TtsComboGrid;
class TtsDropDownForm;
class TtsGrid;

using TtsComboEvent = core::TEvent<core::TObject*, TtsComboGrid*, int, int>;
using TtsComboGetValueEvent = core::TEvent<core::TObject*, TtsComboGrid*, int, int, int, core::Variant&>;
using TtsComboCellLoadedEvent = core::TEvent<core::TObject*, TtsComboGrid*, int, int, core::Variant&>;
using TtsComboCompareValueEvent = core::TEvent<core::TObject*, const AnsiString&, const AnsiString&, int&>;
using TtsComboLCompareValueEvent = core::TEvent<core::TObject*, const AnsiString&, const AnsiString&, int, int&>;

// What the drop-down needs to know of the current cell's editor.
struct TtsComboEditState {
    AnsiString Text;             // the cell's text as edited
    bool WhollySelected = true;  // the whole text is selected
    bool Modified = false;       // the text differs from the cell's value
    bool Editable = true;        // the text may be typed (not ddDropDownList)
    bool Selectable = true;      // the text may be selected
    int SelStart = 0;            // the caret, in bytes
};

class TtsGridCombo {
public:
    explicit TtsGridCombo(TtsGrid& grid);
    ~TtsGridCombo();
    TtsGridCombo(const TtsGridCombo&) = delete;
    TtsGridCombo& operator=(const TtsGridCombo&) = delete;

    // ---- Objects, made on first need ---------------------------------------------
    // The grid's own definition, whose list is the one shown.
    TtsCombo& GridCombo();
    bool HasGridCombo() const { return gridCombo_ != nullptr; }
    TtsComboGrid& List();
    TtsDropDownForm& DropDownForm();
    TtsDropDownForm* DropDownFormIfAny() const { return form_; }

    // ---- State ---------------------------------------------------------------------
    bool IsOpen() const { return openCol_ != -1; }
    int OpenCol() const { return openCol_; }
    int OpenRow() const { return openRow_; }
    bool Prepared() const { return prepared_; }
    const AnsiString& PendingSearch() const { return pending_; }

    // ---- Rules ---------------------------------------------------------------------
    // The definition a cell uses (its own, else the row's or the column's in
    // DrawOverlap order), or nullptr.
    TtsCombo* DefinitionOf(int dataCol, int dataRow) const;
    // The cell's button is btCombo, it is not read-only and the grid edits.
    bool MayOpen(int dataCol, int dataRow) const;

    // ---- Operations --------------------------------------------------------------------
    // Loads the cell's definition into the list (at most once per current
    // cell).
    void Prepare(int dataCol, int dataRow);
    // Opens the list for a cell; nothing when it may not open there.
    void Open(int dataCol, int dataRow);
    // Opens the list, or closes it when it is open for that cell.
    void Toggle(int dataCol, int dataRow);
    void Close();
    // Puts the list's current row into the current cell and closes.
    void Pick();
    // Sizes the open list (DropDownRows x DropDownCols) and places it again.
    void Resize();
    // The list's size for its settings and rows.
    graphics::TSize ListSize();
    // Positions the list on the cell text as AutoSearch asks.
    void PositionOnText(const AnsiString& text);

    // ---- Entry points for the grid's keys and editing --------------------------------
    // A key for the current cell: the keys acting on the open list, then F4,
    // Alt+Down and Alt+Up toggling it. True when the key was used.
    bool HandleKey(uint16_t key, ui::TShiftState shift);
    // A typed byte for the current cell: letters jumping through a
    // ddDropDownList list (a double-byte character is gathered first).
    // True when it was used.
    bool HandleChar(char ch);
    // The current cell's value changed: `inserted` when the editor inserted
    // text (typing, pasting).
    void TextChanged(bool inserted);
    // The edit of the current cell is ending (AutoFill with afcOnExit).
    void EditEnded();
    // The current cell moved: the list is prepared again and closes.
    void CellMoved();
    // The pointer left a window of the grid's pop-up (outside-press rule).
    bool IsOwnWindow(void* hwnd) const;

    // ---- Completion --------------------------------------------------------------------
    // Completes the current cell's text from the list (AutoFill); true when
    // the text changed.
    bool Complete(bool atExit);

private:
    AnsiString RowValueFor(int listRow, int dataCol, int dataRow, bool& fromEvent, core::Variant* raw = nullptr);
    void Place();
    void RegisterHooks();
    void UnregisterHooks();
    bool LetterJump(const AnsiString& character, const AnsiString& cellText);

    TtsGrid& grid_;
    std::unique_ptr<TtsCombo> gridCombo_;
    TtsDropDownForm* form_ = nullptr;  // owned by the grid (component)
    const TtsCombo* lastLoaded_ = nullptr;
    bool everLoaded_ = false;
    bool prepared_ = false;
    int preparedCol_ = -1;
    int preparedRow_ = -1;
    int openCol_ = -1;
    int openRow_ = -1;
    AnsiString pending_;
    uint32_t pendingTick_ = 0;
    char leadByte_ = 0;
    bool registered_ = false;
};

}  // namespace grid
