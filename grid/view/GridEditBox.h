#pragma once

// The grid's self-drawn in-cell text editor for text cells.
//
// Text is code-page bytes (GBK). Every position the box keeps (caret,
// selection ends, mouse anchor, first visible byte) lies on a character
// boundary: never between the two bytes of a double-byte character, never
// between the CR and the LF of a line break.

#include <memory>
#include <string_view>
#include <vector>

#include "grid/view/CellTextLayout.h"
#include "grid/view/EditMaskLink.h"
#include "grid/view/GridControl.h"

namespace graphics {
class TBitmap;
}

namespace grid {

class TtsGridEditBox : public TtsGridControl {
    CORE_CLASS(TtsGridEditBox, TtsGridControl)

    explicit TtsGridEditBox(core::TComponent* owner);
    ~TtsGridEditBox() override;

    // ---- Value ----------------------------------------------------------------
    const core::AnsiString& Value() const { return text_; }
    // Loads a value (the grid entering a cell, undo): not an edit; the undo
    // copy goes and the selection is kept as far as the new text reaches.
    void SetValue(const core::AnsiString& value);
    // Replaces the whole text as an edit of the user (or of the program).
    bool SetValueByUser(const core::AnsiString& value, bool byUser);
    // Whether the text was changed since the value was loaded.
    bool IsModified() const { return undoTaken_; }
    // The most characters the text may have after typing or pasting (a line
    // break counts two); 0 is no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value < 0 ? 0 : value; }

    // ---- Selection, in characters (a double-byte character counts one) ----
    int SelStart() const;
    void SetSelStart(int chars);
    int SelLength() const;
    void SetSelLength(int chars);
    core::AnsiString SelText() const;
    // Replaces the selection from the program: no limit, no mask, no undo.
    void SetSelText(const core::AnsiString& value);
    // ---- Selection and caret, in bytes ----------------------------------------
    int SelStartByte() const { return selStart_; }
    int SelLengthByte() const { return selLength_; }
    int CaretByte() const { return caret_; }
    // Selects [anchor, caret) or [caret, anchor); both ends snap back to
    // character boundaries.
    void Select(int anchor, int caret);
    void SelectAll();
    // Removes the selection, keeping the caret where it is.
    void RemoveSelection();
    int CaretLine() const { return caretLine_; }
    int CaretColumn() const { return caretColumn_; }
    // Whether a caret where a wrapped line ends shows at that line's end
    // rather than at the start of the next line.
    bool CaretAtLineEnd() const { return caretAtLineEnd_; }
    graphics::TPoint CaretPoint() const { return caretPoint_; }

    // ---- Layout and scrolling -------------------------------------------------
    bool Wrapped() const { return wrapped_; }
    const std::vector<TtsTextLine>& Lines() const { return lines_; }
    std::vector<int> LineStarts() const;
    int FirstVisibleLine() const { return firstVisibleLine_; }
    int FirstVisibleByte() const { return firstVisibleByte_; }
    int VisibleLineCount() const;
    // The byte nearest to a client point, and whether it is the end of a
    // wrapped line.
    int PosAt(graphics::TPoint p, bool* atLineEnd = nullptr) const;
    // The client point of the top of the caret at byte `pos`.
    graphics::TPoint PointOf(int pos, bool atLineEnd) const;

    // ---- Masks ----------------------------------------------------------------
    TtsEditMaskLink& MaskLink() { return maskLink_; }
    void SetMaskDefs(TtsMaskDefsComponent* defs);
    const core::AnsiString& MaskName() const { return maskName_; }
    void SetMaskName(const core::AnsiString& value);
    // The mask named MaskName, looked up once until the masks change.
    TtsMask* Mask();
    void DropMask();
    // At the end of a cell edit: false when the mask asks for complete
    // input and the text is not; otherwise appends the mask's trailing
    // literal text (moving the caret to the end) and answers true.
    bool CompleteMaskedText();

    // ---- Editing as the user edits --------------------------------------------
    // Inserts text over the selection after the checks of MaxLength, the
    // start of the edit and the mask; false when refused.
    bool InsertText(std::string_view text, bool byUser);
    bool DeleteSelection(bool byUser);
    // Backspace (false) and Delete (true).
    void DeleteAtCaret(bool forward);
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard(bool byUser = true);
    // Escape or Ctrl+Z: puts the undo copy back unless OnUndo cancels;
    // false when there was nothing to undo.
    bool Undo(uint16_t key);

    // Draws the box's text into a cell of the grid's canvas (the current
    // cell while the editor is over it); the selection shows when `focused`
    // or with AlwaysShowFocus.
    void PaintCell(graphics::TCanvas& canvas, const graphics::TRect& cellRect, bool focused);

    // The caret's picture: one pixel wide, or for an italic font a slanted
    // line across the font's overhang plus one pixel (one less when bold).
    graphics::TSize CaretSize() const;
    const graphics::TBitmap* CaretBitmap() const { return caretBitmap_.get(); }

    bool WantsChar(char ch) override;
    void SetHorzAlignment(TtsHorzAlignment value) override;
    void SetVertAlignment(TtsVertAlignment value) override;
    void SetWordWrap(TtsWordWrap value) override;
    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(ui::TMessage& message) override;

protected:
    core::AnsiString GetText() const override { return text_; }
    void SetTextValue(const core::AnsiString& value) override { SetValue(value); }
    void PaintContent(graphics::TCanvas& canvas, const graphics::TRect& clip) override;
    void KeyDown(uint16_t& key, ui::TShiftState shift) override;
    void KeyUp(uint16_t& key, ui::TShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseMove(ui::TShiftState shift, int x, int y) override;
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;

private:
    // Keys and characters; true when the box used them.
    bool EditKey(uint16_t key, ui::TShiftState shift);
    bool EditChar(char ch);
    bool AllSelected() const;

    // Characters and words.
    int Snap(int pos) const;
    int NextChar(int pos) const;
    int PrevChar(int pos) const;
    int WordLeft(int pos) const;
    int WordRight(int pos) const;
    int CharCount(std::string_view text) const;
    int CharsToBytes(int chars) const;

    // Changing the text and the caret.
    void TakeUndo();
    void ReplaceSelection(std::string_view text);
    void MoveCaret(int pos, bool extend, bool atLineEnd = false, bool byMouse = false);
    void MoveLines(int delta, bool extend);
    void SelectionChanged();
    void TextChanged(bool byUser, bool extra);
    void LoadText(const core::AnsiString& value);

    // Layout, caret and scrolling.
    void Relayout();
    void UpdateCaretPlace();
    void ScrollToCaret(bool byMouse);
    int LineOfPos(int pos, bool atLineEnd) const;
    int LineTop(int line) const;
    int SingleLineX() const;
    int RunWidth(int from, int to) const;
    // The character boundaries from `from` to `to`, both included.
    std::vector<int> Boundaries(int from, int to) const;
    TtsCellTextLayout ShownLayout(int dx, int dy) const;
    void MakeCaret();
    void BuildCaretBitmap();

    core::AnsiString text_;
    core::AnsiString undoText_;
    bool undoTaken_ = false;
    int selStart_ = 0;
    int selLength_ = 0;
    mutable int selStartChars_ = -1;   // cached character counts, -1 when stale
    mutable int selLengthChars_ = -1;
    int caret_ = 0;
    int caretLine_ = 0;
    int caretColumn_ = 0;
    bool caretAtLineEnd_ = false;
    std::vector<TtsTextLine> lines_{TtsTextLine{}};
    bool wrapped_ = false;
    int firstVisibleLine_ = 0;
    int firstVisibleByte_ = 0;
    graphics::TPoint caretPoint_;
    int goalX_ = -1;  // where Up and Down aim, or -1
    bool hasFocus_ = false;
    bool showCaretWhenFocused_ = true;
    bool mouseSelecting_ = false;
    bool keyHeld_ = false;
    int mouseAnchor_ = 0;
    int maxLength_ = 0;
    char pendingLead_ = 0;
    std::unique_ptr<graphics::TBitmap> caretBitmap_;
    TtsEditMaskLink maskLink_;
    core::AnsiString maskName_;
    TtsMask* mask_ = nullptr;
    bool maskLooked_ = false;
    TtsMaskDefsComponent* maskFrom_ = nullptr;  // the definitions mask_ came from

    std::unique_ptr<graphics::TCanvas> measure_;
    TtsTextFont font_;
    int laidOutHeight_ = -1;
};

}  // namespace grid
