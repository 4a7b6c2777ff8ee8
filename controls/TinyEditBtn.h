#pragma once

#include "controls/TinySpeedBtn.h"

namespace graphics {
class TBitmap;
}

namespace controls {

// The pick button of the labelled edit (TTinyEdit): a tool-bar button made
// invisible, which the edit shows, places and sizes beside itself.
class TTinyEditBtn : public TTinySpeedBtn {
    CORE_CLASS(TTinyEditBtn, TTinySpeedBtn)

    explicit TTinyEditBtn(core::TComponent* owner);
};

// Makes `bitmap` the pick buttons' picture: a magnifying glass, 12 by 12 in
// 16 colours, on olive (RGB 80 80 00), the colour of its bottom-left pixel
// and so the transparent one.
void LoadMagnifierGlyph(graphics::TBitmap& bitmap);

}  // namespace controls
