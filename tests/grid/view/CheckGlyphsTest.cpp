// The shared check-box picture strip.
#include <gtest/gtest.h>

#include "grid/view/CheckGlyphs.h"
#include "grid/view/CheckState.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/Golden.h"

using namespace grid;
using namespace graphics;

namespace {

int Count(const TBitmap& strip, int glyph, TColor color)
{
    int n = 0;
    for (int y = 0; y < kCheckGlyphSize; ++y)
        for (int x = 0; x < kCheckGlyphSize; ++x)
            n += strip.Pixel(x, glyph * kCheckGlyphSize + y) == color;
    return n;
}

TEST(CheckGlyphsTest, StripHoldsEighteenGlyphsBuiltOnce)
{
    const TBitmap& strip = CheckGlyphStrip();
    EXPECT_EQ(&strip, &CheckGlyphStrip());
    EXPECT_EQ(strip.Width(), 13);
    EXPECT_EQ(strip.Height(), 234);
    EXPECT_TRUE(testsupport::MatchesGolden(strip, "grid_check_glyphs"));
}

TEST(CheckGlyphsTest, GlyphsDifferByStateAndPress)
{
    const TBitmap& strip = CheckGlyphStrip();
    for (TtsCheckBoxStyle style : {stCross, stCheck, stFlat}) {
        int checked = CheckGlyphIndex(style, 1, false);
        int unchecked = CheckGlyphIndex(style, 0, false);
        int grayed = CheckGlyphIndex(style, 2, false);
        SCOPED_TRACE(style);
        // An unchecked box is empty: its interior is all white.
        int interior = style == stFlat ? 11 * 11 : 9 * 9;
        EXPECT_GE(Count(strip, unchecked, clWhite), interior);
        EXPECT_LT(Count(strip, checked, clWhite), Count(strip, unchecked, clWhite));
        EXPECT_LT(Count(strip, grayed, clWhite), Count(strip, unchecked, clWhite));
        // Pressed sunken boxes turn white to silver; pressed flat boxes get
        // a second black border.
        int pressed = CheckGlyphIndex(style, 0, true);
        if (style == stFlat) {
            EXPECT_EQ(strip.Pixel(1, pressed * 13 + 6), clBlack);
            EXPECT_EQ(strip.Pixel(1, unchecked * 13 + 6), clWhite);
        } else {
            EXPECT_EQ(Count(strip, pressed, clWhite), 0);
            EXPECT_EQ(strip.Pixel(6, pressed * 13 + 6), clSilver);
        }
    }
}

// Placement of a check cell's glyph: centred right of the 3-pixel margin,
// never left of it nor above the top, a pixel lower in 3D.
TEST(CheckGlyphsTest, CellGlyphPlacement)
{
    struct {
        TRect content;
        bool is3D;
        int x, y;
    } const cases[] = {
        {{0, 0, 64, 18}, false, 3 + 24, 2},
        {{0, 0, 64, 18}, true, 3 + 24, 3},
        {{10, 20, 74, 38}, false, 13 + 24, 22},
        {{0, 0, 12, 10}, false, 3, 0},   // narrower and lower than the glyph
        {{0, 0, 16, 13}, true, 3, 1},
        {{0, 0, 17, 14}, false, 3, 0},
    };
    for (const auto& c : cases) {
        TPoint p = CheckCellGlyphOrigin(c.content, c.is3D);
        EXPECT_EQ(p.X, c.x) << c.content.Width() << "x" << c.content.Height();
        EXPECT_EQ(p.Y, c.y) << c.content.Width() << "x" << c.content.Height();
    }
}

// Glyphs are cut to the clip, and the flat ones take the brush inside.
TEST(CheckGlyphsTest, DrawnGlyphsAreClippedAndFlatOnesTakeTheBrush)
{
    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(40, 20);
    TCanvas& canvas = *target.Canvas();
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect({0, 0, 40, 20});
    canvas.Brush()->SetColor(clYellow);
    // Unchecked check style, shifted half out of the clip on the left.
    DrawCheckGlyph(canvas, CheckGlyphIndex(stCheck, 0, false), -6, 2, {0, 0, 20, 20});
    EXPECT_EQ(target.Pixel(0, 8), clWhite);       // interior column 6 of the glyph
    EXPECT_EQ(target.Pixel(5, 8), clSilver);      // its inner right edge
    EXPECT_EQ(target.Pixel(7, 8), clRed);         // right of the glyph
    // Unchecked flat style: the black border stays, the white interior becomes the brush.
    DrawCheckGlyph(canvas, CheckGlyphIndex(stFlat, 0, false), 22, 2, {20, 0, 40, 10});
    EXPECT_EQ(target.Pixel(22, 2), clBlack);
    EXPECT_EQ(target.Pixel(28, 8), clYellow);
    EXPECT_EQ(target.Pixel(28, 10), clRed);       // below the clip
    // Pressed flat glyphs are copied as they are.
    DrawCheckGlyph(canvas, CheckGlyphIndex(stFlat, 0, true), 22, 2, {20, 0, 40, 20});
    EXPECT_EQ(target.Pixel(28, 8), clWhite);
}

}  // namespace
