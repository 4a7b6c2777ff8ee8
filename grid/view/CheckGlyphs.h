#pragma once

// The check boxes' pictures: one strip shared by every check box of the
// process, built the first time it is asked for.

#include "platform/graphics/Types.h"

namespace graphics {
class TBitmap;
class TCanvas;
}

namespace grid {

inline constexpr int kCheckGlyphSize = 13;
inline constexpr int kCheckGlyphCount = 18;

// The strip, 13 pixels wide and 18 glyphs of 13 by 13 high; glyph i
// occupies rows 13 i to 13 i + 12 (CheckGlyphIndex picks one). Glyphs 0 to
// 8 are the cross, check and flat styles, each checked, unchecked and
// grayed; 9 to 17 are their pressed forms.
const graphics::TBitmap& CheckGlyphStrip();

// Copies glyph `glyph` with its top-left corner at (x, y), clipped to
// `clip`: a plain copy, or for the unpressed flat glyphs combined with the
// canvas's brush so that their interior takes the cell's background.
void DrawCheckGlyph(graphics::TCanvas& canvas, int glyph, int x, int y, const graphics::TRect& clip);

// Where the grid puts a check cell's glyph in its content rectangle:
// centred across what is right of the 3-pixel left margin (never left of
// the margin), centred down (one pixel lower in a 3D cell, never above the
// top). Alignments do not move it.
graphics::TPoint CheckCellGlyphOrigin(const graphics::TRect& content, bool is3D);

}  // namespace grid
