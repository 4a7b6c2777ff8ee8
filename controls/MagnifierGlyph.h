#pragma once

namespace graphics {
class TBitmap;
}

namespace controls {

// The pick buttons' picture: a magnifying glass, 12 by 12 pixels in the
// 16 standard colours, on olive (RGB 80 80 00). The olive of the bottom-left
// pixel is what the buttons leave transparent. Replaces what `bitmap` held.
void LoadMagnifierGlyph(graphics::TBitmap& bitmap);

}  // namespace controls
