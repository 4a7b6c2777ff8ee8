#pragma once

// The check box's rules shared by the grid's painting and the in-cell check
// box: reading a CheckBoxValues text, turning cell values into check states
// and back, the toggle cycle and which glyph of the shared strip a box shows.

#include "platform/core/Variant.h"

namespace grid {

// The look of check boxes: a flat box, a tick or a cross.
enum TtsCheckBoxStyle { stFlat, stCheck, stCross };

// A CheckBoxValues text split into its parts: "Checked|Unchecked|Grayed",
// the grayed part optional. An empty text sets nothing; the grid refuses
// other malformed texts before they get here (CheckBoxValuesValid).
struct CheckBoxTexts {
    bool set = false;
    core::AnsiString checked;
    core::AnsiString unchecked;
    core::AnsiString grayed;  // empty when the part is missing

    static CheckBoxTexts Parse(const core::AnsiString& text);
};

// The state a value shows: an integer is its own state; a string matched
// without regard to case against the checked text (1) and the unchecked
// text (0), any other string, or any string without texts, 2; Null 1 or 0
// when the checked or unchecked text is the word Null (any case), else 2;
// any other value 2.
int CheckStateOfValue(const core::Variant& value, const CheckBoxTexts& texts);

// The value a state stores: the integer state without texts; with them the
// state's text, or Null when that text is the word Null (any case). Null is
// recognised the same way both ways, so a stored Null reads back as the
// state that stored it.
core::Variant ValueOfCheckState(int state, const CheckBoxTexts& texts);

// The state a toggle moves to: 0 to 1; 1 to 2 when grayed is allowed,
// else to 0; 2, or any other number, to 0.
int NextCheckState(int state, bool allowGrayed);

// The index of a box's glyph in the shared 18-glyph strip: the style's base
// (cross 0, check 3, flat 6), plus 0 for checked, 1 for unchecked, 2 for
// grayed or any other state, plus 9 when pressed.
int CheckGlyphIndex(TtsCheckBoxStyle style, int state, bool pressed);

// Whether a glyph is combined with the brush (source AND brush) rather than
// copied, so that its interior takes the cell's background: the unpressed
// flat glyphs.
bool CheckGlyphTakesBrush(int glyph);

}  // namespace grid
