#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/platform/graphics/PixelArt.h"

using namespace graphics;
using pixelart::Art;

namespace {

const std::map<TColor, char> kLegend = {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'},
                                        {clLime, 'g'},  {clYellow, 'y'}, {clNavy, 'n'}, {clGray, 's'}};
const std::map<char, TColor> kPaint = {{'.', clWhite}, {'#', clBlack}, {'r', clRed},  {'b', clBlue},
                                       {'g', clLime},  {'y', clYellow}, {'n', clNavy}, {'s', clGray}};

struct RopCase {
    const char* Name;
    TRop3 Rop;
    std::function<uint32_t(uint32_t p, uint32_t s, uint32_t d)> Formula;
};

}  // namespace

TEST(RasterOps, EachOperationCombinesPatternSourceAndDestinationByItsFormula)
{
    // Pattern bits 11110000, source 11001100, destination 10101010: every
    // combination of the three occurs in each byte.
    const uint32_t P = 0xF0, S = 0xCC, D = 0xAA;
    const RopCase cases[] = {
        {"SRCCOPY", SRCCOPY, [](uint32_t, uint32_t s, uint32_t) { return s; }},
        {"SRCPAINT", SRCPAINT, [](uint32_t, uint32_t s, uint32_t d) { return s | d; }},
        {"SRCAND", SRCAND, [](uint32_t, uint32_t s, uint32_t d) { return s & d; }},
        {"SRCINVERT", SRCINVERT, [](uint32_t, uint32_t s, uint32_t d) { return s ^ d; }},
        {"SRCERASE", SRCERASE, [](uint32_t, uint32_t s, uint32_t d) { return s & ~d; }},
        {"NOTSRCCOPY", NOTSRCCOPY, [](uint32_t, uint32_t s, uint32_t) { return ~s; }},
        {"NOTSRCERASE", NOTSRCERASE, [](uint32_t, uint32_t s, uint32_t d) { return ~(s | d); }},
        {"MERGECOPY", MERGECOPY, [](uint32_t p, uint32_t s, uint32_t) { return p & s; }},
        {"MERGEPAINT", MERGEPAINT, [](uint32_t, uint32_t s, uint32_t d) { return ~s | d; }},
        {"PATCOPY", PATCOPY, [](uint32_t p, uint32_t, uint32_t) { return p; }},
        {"PATPAINT", PATPAINT, [](uint32_t p, uint32_t s, uint32_t d) { return p | ~s | d; }},
        {"PATINVERT", PATINVERT, [](uint32_t p, uint32_t, uint32_t d) { return p ^ d; }},
        {"DSTINVERT", DSTINVERT, [](uint32_t, uint32_t, uint32_t d) { return ~d; }},
        {"BLACKNESS", BLACKNESS, [](uint32_t, uint32_t, uint32_t) { return 0u; }},
        {"WHITENESS", WHITENESS, [](uint32_t, uint32_t, uint32_t) { return 0xFFu; }},
        {"PSDPxax", ROP_PSDPXAX, [](uint32_t p, uint32_t s, uint32_t d) { return ((d ^ p) & s) ^ p; }},
    };
    TBitmap source(2, 1);
    source.Canvas()->Brush()->SetColor(RGB(S, S, S));
    source.Canvas()->FillRect(Rect(0, 0, 2, 1));
    for (const RopCase& c : cases) {
        TBitmap dest(3, 1);
        TCanvas& canvas = *dest.Canvas();
        canvas.Brush()->SetColor(RGB(D, D, D));
        canvas.FillRect(Rect(0, 0, 3, 1));
        canvas.Brush()->SetColor(RGB(P, P, P));
        canvas.BitBlt(1, 0, 2, 1, *source.Canvas(), 0, 0, c.Rop);
        int expected = static_cast<int>(c.Formula(P, S, D) & 0xFF);
        EXPECT_EQ(dest.Pixel(1, 0), RGB(expected, expected, expected)) << c.Name;
        EXPECT_EQ(dest.Pixel(0, 0), RGB(D, D, D)) << c.Name << " left of the block";
    }
}

TEST(RasterOps, PatBltCombinesTheBrushWithTheDestination)
{
    TBitmap b(3, 1);
    TCanvas& c = *b.Canvas();
    c.Brush()->SetColor(RGB(0xAA, 0xAA, 0xAA));
    c.FillRect(Rect(0, 0, 3, 1));
    c.Brush()->SetColor(RGB(0xF0, 0xF0, 0xF0));
    c.PatBlt(Rect(0, 0, 1, 1), PATINVERT);
    c.PatBlt(Rect(1, 0, 2, 1), DSTINVERT);
    EXPECT_EQ(b.Pixel(0, 0), RGB(0x5A, 0x5A, 0x5A));
    EXPECT_EQ(b.Pixel(1, 0), RGB(0x55, 0x55, 0x55));
    EXPECT_EQ(b.Pixel(2, 0), RGB(0xAA, 0xAA, 0xAA));
}

TEST(Blits, GlyphsTakeTheBrushColourThroughMergeAndThroughPsdpxax)
{
    TBitmap glyph;
    pixelart::Paint(glyph, {"#..#", ".##."}, kPaint);

    // Source AND brush: the glyph's white takes the brush colour.
    TBitmap merged(4, 2);
    merged.Canvas()->Brush()->SetColor(clYellow);
    merged.Canvas()->BitBlt(0, 0, 4, 2, *glyph.Canvas(), 0, 0, MERGECOPY);
    EXPECT_EQ(Art(merged, kLegend), (std::vector<std::string>{"#yy#", "y##y"}));

    // Black pixels take the brush colour, white ones leave the destination.
    TBitmap painted;
    pixelart::Paint(painted, {"ssss", "ssss"}, kPaint);
    painted.Canvas()->Brush()->SetColor(clRed);
    painted.Canvas()->BitBlt(0, 0, 4, 2, *glyph.Canvas(), 0, 0, ROP_PSDPXAX);
    EXPECT_EQ(Art(painted, kLegend), (std::vector<std::string>{"rssr", "srrs"}));

    // (NOT source) OR destination: white stays where the glyph is black.
    TBitmap inverted;
    pixelart::Paint(inverted, {"nnnn", "nnnn"}, kPaint);
    inverted.Canvas()->BitBlt(0, 0, 4, 2, *glyph.Canvas(), 0, 0, MERGEPAINT);
    EXPECT_EQ(Art(inverted, kLegend), (std::vector<std::string>{".nn.", "n..n"}));
}

TEST(Blits, CopiesClipToTheSourceAndMoveOverlappingPixelsCorrectly)
{
    TBitmap source;
    pixelart::Paint(source, {"rgb", "ybn"}, kPaint);
    TBitmap dest(5, 3);
    // Half of the block lies left of the source: only the rest is copied.
    dest.Canvas()->BitBlt(0, 0, 4, 2, *source.Canvas(), -1, 0, SRCCOPY);
    EXPECT_EQ(Art(dest, kLegend), (std::vector<std::string>{".rgb.", ".ybn.", "....."}));

    // Scrolling within one bitmap: one pixel to the right, then down.
    TBitmap scroll;
    pixelart::Paint(scroll, {"rgby.", "n....", "....."}, kPaint);
    scroll.Canvas()->BitBlt(1, 0, 4, 1, *scroll.Canvas(), 0, 0, SRCCOPY);
    scroll.Canvas()->BitBlt(0, 1, 5, 2, *scroll.Canvas(), 0, 0, SRCCOPY);
    EXPECT_EQ(Art(scroll, kLegend), (std::vector<std::string>{"rrgby", "rrgby", "n...."}));
}

TEST(Blits, StretchSamplesTheNearestSourcePixel)
{
    TBitmap source;
    pixelart::Paint(source, {"rg", "by"}, kPaint);
    TBitmap big(4, 4);
    big.Canvas()->StretchDraw(Rect(0, 0, 4, 4), source);
    EXPECT_EQ(Art(big, kLegend), (std::vector<std::string>{"rrgg", "rrgg", "bbyy", "bbyy"}));
    TBitmap small(1, 1);
    small.Canvas()->CopyRect(Rect(0, 0, 1, 1), *big.Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(small.Pixel(0, 0), clRed);
}

TEST(Blits, TransparentDrawingLeavesOutTheKeyColourAndBrushCopyReplacesIt)
{
    TBitmap glyph;
    pixelart::Paint(glyph, {"gbg", "bbb", "gbg"}, kPaint);
    glyph.SetTransparent(true);  // automatic: the bottom-left pixel's colour
    EXPECT_EQ(glyph.TransparentColor(), clLime);
    TBitmap dest;
    pixelart::Paint(dest, {"yyyy", "yyyy", "yyyy"}, kPaint);
    dest.Canvas()->Draw(1, 0, glyph);
    EXPECT_EQ(Art(dest, kLegend), (std::vector<std::string>{"yyby", "ybbb", "yyby"}));

    glyph.SetTransparentColor(clBlue);
    EXPECT_EQ(glyph.TransparentMode(), tmFixed);
    dest.Canvas()->Draw(0, 0, glyph);
    EXPECT_EQ(Art(dest, kLegend), (std::vector<std::string>{"gygy", "ybbb", "gygy"}));

    TBitmap replaced(3, 3);
    replaced.Canvas()->Brush()->SetColor(clNavy);
    replaced.Canvas()->BrushCopy(Rect(0, 0, 3, 3), glyph, Rect(0, 0, 3, 3), clLime);
    EXPECT_EQ(Art(replaced, kLegend), (std::vector<std::string>{"nbn", "bbb", "nbn"}));
}

TEST(Blits, MonochromeSourcesTakeTextAndBackgroundColours)
{
    TBitmap mask;
    pixelart::Paint(mask, {"#.", ".#"}, kPaint);
    mask.SetMonochrome(true);
    TBitmap dest(2, 2);
    dest.Canvas()->Font()->SetColor(clRed);
    dest.Canvas()->Brush()->SetColor(clYellow);
    dest.Canvas()->Draw(0, 0, mask);
    EXPECT_EQ(Art(dest, kLegend), (std::vector<std::string>{"ry", "yr"}));
}

TEST(Blits, CopiesIntoMonochromeTurnTheSourceBackgroundWhite)
{
    TBitmap colour;
    pixelart::Paint(colour, {"gr", "..", "yg"}, kPaint);
    colour.Canvas()->Brush()->SetColor(clLime);
    TBitmap mono(2, 3);
    mono.SetMonochrome(true);
    mono.Canvas()->BitBlt(0, 0, 2, 3, *colour.Canvas(), 0, 0, SRCCOPY);
    EXPECT_EQ(Art(mono, kLegend), (std::vector<std::string>{".#", "##", "#."}));
}

TEST(Blits, DrawUsesTheCopyMode)
{
    TBitmap source;
    pixelart::Paint(source, {"#."}, kPaint);
    TBitmap dest;
    pixelart::Paint(dest, {"yy"}, kPaint);
    dest.Canvas()->SetCopyMode(cmSrcInvert);
    dest.Canvas()->Draw(0, 0, source);
    EXPECT_EQ(Art(dest, kLegend), (std::vector<std::string>{"yb"}));
}
