#include "controls/MagnifierGlyph.h"

#include "platform/graphics/Bitmap.h"

namespace controls {

namespace {

// One character a pixel: '.' olive (the background), '#' black (the rim
// and the handle), 'w' white (the glass), 's' silver (its shine), 'g' grey
// (the handle's shadow).
const char* const kMagnifier[12] = {
    "..####......",
    ".#ssww#.....",
    "#sswwww#....",
    "#swwwww#....",
    "#wwwwww#....",
    "#wwwwww#....",
    ".#wwww##....",
    "..####.##g..",
    "........##g.",
    ".........##g",
    "..........##",
    "...........#",
};

graphics::TColor ColourOf(char c)
{
    switch (c) {
    case '#': return graphics::clBlack;
    case 'w': return graphics::clWhite;
    case 's': return graphics::clSilver;
    case 'g': return graphics::clGray;
    default: return graphics::clOlive;
    }
}

}  // namespace

void LoadMagnifierGlyph(graphics::TBitmap& bitmap)
{
    bitmap.SetSize(12, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            bitmap.SetPixel(x, y, ColourOf(kMagnifier[y][x]));
}

}  // namespace controls
