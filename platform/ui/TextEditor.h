#pragma once

#include <algorithm>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/core/Forward.h"

namespace ui {

using core::AnsiString;

// One line of laid-out text. Bytes [Start, End) are shown on it; Next is
// where the following line begins: after the line break, or at End itself
// where a long line was wrapped.
struct TTextLine {
    int Start = 0;
    int End = 0;
    int Next = 0;
    int Width = 0;  // pixels from the line's left edge to End
};

// How an edit joins the undo step before it: typed characters and repeated
// deletions at the caret make one step each, everything else a step of its
// own; ekNoUndo changes text without a way back and empties the undo step.
enum TEditKind { ekOther, ekTyping, ekDeleting, ekNoUndo };

// The text engine behind the one-line and the multi-line edit controls: the
// text (code-page bytes), the selection, one step of undo, characters and
// words, and the layout of the text into lines of pixels.
//
// Positions are byte offsets. Every position the engine hands out or keeps
// lies on a character boundary: never between the two bytes of a double-byte
// character, never between the CR and the LF of a line break.
//
// Layout: in multi-line mode the text breaks at CR LF (and at a lone CR or
// LF that code put there) and, with a wrap width, wherever a line grows too
// wide: after blanks, or before and after double-byte characters, or inside
// a word that is wider than the line by itself. Blanks at a wrap hang at the
// end of their line. Widths come from the measure the control sets (its
// font); the password character stands in for every character when set.
class TTextEditor {
public:
    using TMeasure = std::function<int(std::string_view)>;

    TTextEditor();

    // ---- Text ---------------------------------------------------------------
    const AnsiString& Text() const { return text_; }
    int Length() const { return static_cast<int>(text_.size()); }
    // Replaces the whole text: the caret goes to the start and undo empties.
    void SetText(std::string_view text);
    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }

    // ---- Options ------------------------------------------------------------
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    // The most bytes typing and pasting may bring the text to; 0 is no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value < 0 ? 0 : value; }
    // Shown instead of every character when not 0 (one-line mode only).
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char value);

    // ---- Characters -----------------------------------------------------------
    // The boundary at or before `pos`.
    int Snap(int pos) const;
    // The boundary after the character at `pos` (a line break counts as one).
    int NextChar(int pos) const;
    // The boundary before `pos`.
    int PrevChar(int pos) const;
    bool IsLineBreakAt(int pos) const;

    // ---- Selection ----------------------------------------------------------
    // The anchor stays where a selection began, the caret moves.
    int Anchor() const { return anchor_; }
    int Caret() const { return caret_; }
    int SelStart() const { return std::min(anchor_, caret_); }
    int SelEnd() const { return std::max(anchor_, caret_); }
    int SelLength() const { return SelEnd() - SelStart(); }
    AnsiString SelText() const;
    // Both ends are clamped to the text and moved back to character boundaries.
    void SetSelection(int anchor, int caret);
    void SetCaret(int pos, bool extend) { SetSelection(extend ? anchor_ : pos, pos); }
    void SelectAll() { SetSelection(0, Length()); }

    // ---- Editing ------------------------------------------------------------
    // Replaces the selection by `text`, cut to what MaxLength leaves room for
    // (whole characters only); the caret ends after the new text. Returns
    // whether the text changed. Line breaks are the caller's business.
    bool Replace(std::string_view text, TEditKind kind = ekOther, bool limited = true);
    // Deletes the selection, or else the character before or after the caret.
    bool DeleteBackward();
    bool DeleteForward();
    bool CanUndo() const { return canUndo_; }
    // Swaps the text and selection with those kept before the last edit, so
    // that a second undo brings the edit back.
    bool Undo();
    void EmptyUndo();

    // ---- Words --------------------------------------------------------------
    // Starts of words to the left and right of `pos`, as Ctrl+arrows move.
    int WordLeft(int pos) const;
    int WordRight(int pos) const;
    // The word at `pos` with the blanks after it, as a double-click selects.
    void WordAt(int pos, int& start, int& end) const;

    // ---- Layout -------------------------------------------------------------
    void SetMeasure(TMeasure measure);
    // 0 lays out without wrapping.
    void SetWrapWidth(int width);
    int WrapWidth() const { return wrapWidth_; }
    // Tab stops, in pixels; 0 measures a tab as a character.
    void SetTabWidth(int width);
    const std::vector<TTextLine>& Lines() const;
    int LineCount() const { return static_cast<int>(Lines().size()); }
    // The line holding `pos`. Where a wrapped line ends, the position also
    // starts the next line; `atLineEnd` picks the first of the two.
    int LineOf(int pos, bool atLineEnd = false) const;
    // Pixels from the start of `line` to `pos` on it.
    int XOf(int line, int pos) const;
    // The boundary on `line` nearest to `x` (pixels from the line's start);
    // `atLineEnd` tells whether it is the end of a wrapped line.
    int PosAt(int line, int x, bool* atLineEnd = nullptr) const;
    int MaxLineWidth() const;

    // ---- Logical lines (those that line breaks separate) --------------------
    // As the memo's Lines see them: a last empty line does not count.
    int LogicalLineCount() const;
    // Start of a logical line, or -1 past the last.
    int LogicalLineStart(int index) const;
    // End of a logical line's text (before its break).
    int LogicalLineEnd(int index) const;

private:
    struct TState {
        AnsiString text;
        int anchor = 0;
        int caret = 0;
    };

    bool IsBreakByte(int pos) const;
    int BreakLength(int pos) const;
    int CharWidth(int pos, int x) const;
    void Invalidate() { layoutValid_ = false; }
    void Layout() const;
    void LayoutParagraph(int start, int end, int next) const;
    int RunWidth(int from, int to) const;
    int ClassAt(int pos) const;
    bool DeleteRange(int from, int to);

    AnsiString text_;
    int anchor_ = 0;
    int caret_ = 0;
    bool modified_ = false;
    bool multiLine_ = false;
    int maxLength_ = 0;
    char passwordChar_ = 0;

    TState undo_;
    bool canUndo_ = false;
    TEditKind lastKind_ = ekOther;
    int lastEditCaret_ = -1;

    TMeasure measure_;
    int wrapWidth_ = 0;
    int tabWidth_ = 0;
    mutable std::unordered_map<unsigned, int> widths_;
    mutable std::vector<TTextLine> lines_;
    mutable bool layoutValid_ = false;
};

}  // namespace ui
