#pragma once

// The check boxes' pictures: one strip shared by every check box of the
// process, built the first time it is asked for.

namespace graphics {
class TBitmap;
}

namespace grid {

inline constexpr int kCheckGlyphSize = 13;
inline constexpr int kCheckGlyphCount = 18;

// The strip, 13 pixels wide and 18 glyphs of 13 by 13 high; glyph i
// occupies rows 13 i to 13 i + 12 (CheckGlyphIndex picks one). Glyphs 0 to
// 8 are the cross, check and flat styles, each checked, unchecked and
// grayed; 9 to 17 are their pressed forms.
const graphics::TBitmap& CheckGlyphStrip();

}  // namespace grid
