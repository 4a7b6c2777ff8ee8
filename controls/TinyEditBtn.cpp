#include "controls/TinyEditBtn.h"

#include "platform/graphics/Bitmap.h"

namespace controls {

CORE_CLASS_IMPL(TTinyEditBtn)

TTinyEditBtn::TTinyEditBtn(core::TComponent* owner) : TTinySpeedBtn(owner)
{
    SetVisible(false);
}

void LoadMagnifierGlyph(graphics::TBitmap& bitmap)
{
    // . olive (transparent), k black, g grey, w white.
    static const char* const kRows[12] = {
        "..kkkk......",
        ".kwwggk.....",
        "kwwg..gk....",
        "kwg....k....",
        "kg.....k....",
        "kg.....k....",
        ".kg...kk....",
        "..kkkkkgk...",
        "......kkgk..",
        ".......kkgk.",
        "........kkk.",
        ".........k..",
    };
    bitmap.SetSize(12, 12);
    bitmap.SetPixelFormat(graphics::pf4bit);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            graphics::TColor color = graphics::clOlive;
            switch (kRows[y][x]) {
            case 'k': color = graphics::clBlack; break;
            case 'g': color = graphics::clGray; break;
            case 'w': color = graphics::clWhite; break;
            default: break;
            }
            bitmap.SetPixel(x, y, color);
        }
    }
}

}  // namespace controls
