// The shared check-box picture strip.
#include <gtest/gtest.h>

#include "grid/view/CheckGlyphs.h"
#include "grid/view/CheckState.h"
#include "platform/graphics/Bitmap.h"
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

}  // namespace
