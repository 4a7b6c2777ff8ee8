#include <gtest/gtest.h>

#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/platform/graphics/PixelArt.h"

using namespace graphics;
using pixelart::Art;

namespace {

const std::map<TColor, char> kLegend = {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'},
                                        {clLime, 'g'},  {clYellow, 'y'}};

}  // namespace

TEST(CanvasLines, LinesLeaveOutTheirEndPoint)
{
    TBitmap b(8, 6);
    TCanvas& c = *b.Canvas();
    c.MoveTo(1, 1);
    c.LineTo(5, 1);  // horizontal: x 1..4
    c.LineTo(5, 4);  // vertical from the end left out before: y 1..3 at x 5
    c.MoveTo(0, 5);
    c.LineTo(3, 2);  // diagonal up: (0,5) (1,4) (2,3)
    c.MoveTo(7, 0);
    c.LineTo(7, 0);  // a line to its own start draws nothing
    EXPECT_EQ(Art(b, kLegend), (std::vector<std::string>{
                                   "........",
                                   ".#####..",
                                   ".....#..",
                                   "..#..#..",
                                   ".#......",
                                   "#.......",
                               }));
    EXPECT_EQ(c.PenPos(), Point(7, 0));
}

TEST(CanvasLines, ShallowLinesStepLikeBresenham)
{
    TBitmap b(9, 3);
    b.Canvas()->MoveTo(0, 0);
    b.Canvas()->LineTo(8, 2);
    EXPECT_EQ(Art(b, kLegend), (std::vector<std::string>{
                                   "###......",
                                   "...####..",
                                   ".......#.",
                               }));
}

TEST(CanvasLines, PolylineLeavesOutItsLastPointAndKeepsThePenPosition)
{
    TBitmap b(5, 4);
    TCanvas& c = *b.Canvas();
    c.MoveTo(4, 3);
    const TPoint points[] = {{0, 0}, {3, 0}, {3, 3}};
    c.Polyline(points);
    EXPECT_EQ(Art(b, kLegend), (std::vector<std::string>{
                                   "####.",
                                   "...#.",
                                   "...#.",
                                   ".....",
                               }));
    EXPECT_EQ(c.PenPos(), Point(4, 3));
}

TEST(CanvasLines, DottedPenSetsEveryOtherPixelAcrossSegments)
{
    TBitmap b(6, 4);
    TCanvas& c = *b.Canvas();
    c.Pen()->SetStyle(psDot);
    c.MoveTo(0, 0);
    c.LineTo(5, 0);  // x 0..4: on, off, on, off, on
    c.LineTo(5, 4);  // the pattern runs on: (5,0) off, (5,1) on ...
    EXPECT_EQ(Art(b, kLegend), (std::vector<std::string>{
                                   "#.#.#.",
                                   ".....#",
                                   "......",
                                   ".....#",
                               }));
}

TEST(CanvasLines, PenModesCombinePenAndDestinationByTheirTruthTables)
{
    // With pen bits 1100 and destination bits 1010 in every nibble, a binary
    // operation's result bits spell its own truth table (code - 1).
    const TPenMode modes[] = {pmBlack,      pmWhite,      pmNop,        pmNot,   pmCopy,     pmNotCopy,
                              pmMergePenNot, pmMaskPenNot, pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge,
                              pmMask,       pmNotMask,    pmXor,        pmNotXor};
    for (TPenMode mode : modes) {
        TBitmap b(3, 1);
        TCanvas& c = *b.Canvas();
        c.Brush()->SetColor(RGB(0xAA, 0xAA, 0xAA));
        c.FillRect(Rect(0, 0, 3, 1));
        c.Pen()->SetColor(RGB(0xCC, 0xCC, 0xCC));
        c.Pen()->SetMode(mode);
        c.MoveTo(0, 0);
        c.LineTo(2, 0);
        int table = (PenModeToRop2(mode) - 1) * 0x11;
        EXPECT_EQ(b.Pixel(1, 0), RGB(table, table, table)) << "mode " << mode;
        EXPECT_EQ(b.Pixel(2, 0), RGB(0xAA, 0xAA, 0xAA)) << "end point left alone, mode " << mode;
    }
}

TEST(CanvasLines, XorPenTwiceRestoresAndClearPenDrawsNothing)
{
    TBitmap b(10, 10);
    TCanvas& c = *b.Canvas();
    c.Brush()->SetColor(clYellow);
    c.FillRect(Rect(2, 2, 8, 8));
    TBitmap before;
    before.Assign(&b);
    c.Pen()->SetMode(pmXor);
    c.Pen()->SetColor(clWhite);
    c.Pen()->SetStyle(psDot);
    for (int pass = 0; pass < 2; ++pass) {
        c.MoveTo(0, 0);
        c.LineTo(9, 9);
        c.LineTo(0, 9);
    }
    c.Pen()->SetStyle(psClear);
    c.Pen()->SetMode(pmCopy);
    c.MoveTo(0, 5);
    c.LineTo(10, 5);
    EXPECT_EQ(Art(b, kLegend), Art(before, kLegend));
}

TEST(CanvasShapes, RectangleOutlinesWithThePenAndFillsInsideExcludingRightAndBottom)
{
    TBitmap b(7, 6);
    TCanvas& c = *b.Canvas();
    c.Brush()->SetColor(clYellow);
    c.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(Art(b, kLegend), (std::vector<std::string>{
                                   ".......",
                                   ".#####.",
                                   ".#yyy#.",
                                   ".#yyy#.",
                                   ".#####.",
                                   ".......",
                               }));
    // A clear pen leaves the brush one pixel smaller on the right and bottom.
    TBitmap d(7, 6);
    d.Canvas()->Brush()->SetColor(clYellow);
    d.Canvas()->Pen()->SetStyle(psClear);
    d.Canvas()->Rectangle(1, 1, 6, 5);
    EXPECT_EQ(Art(d, kLegend), (std::vector<std::string>{
                                   ".......",
                                   ".yyyy..",
                                   ".yyyy..",
                                   ".yyyy..",
                                   ".......",
                                   ".......",
                               }));
}

TEST(CanvasShapes, RectangleOutlineLandsExactlyOnTheBorderAtAnySize)
{
    for (TRect r : {Rect(3, 2, 30, 20), Rect(5, 5, 6, 18), Rect(4, 7, 25, 8), Rect(10, 10, 11, 11)}) {
        TBitmap b(32, 24);
        auto result = pixelart::CheckRedGreen(
            b, [&](int x, int y) { return pixelart::OnBorder(r, x, y); },
            [&](TCanvas& c) {
                c.Brush()->SetStyle(bsClear);
                c.Pen()->SetMode(pmXor);  // a pixel drawn twice would show as red again
                c.Pen()->SetColor(RGB(0, 0, 0x80));
                c.Rectangle(r);
            });
        EXPECT_EQ(result.MissedGreen, 0) << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
        EXPECT_EQ(result.SpoiledRed, 0) << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
    }
}

TEST(CanvasShapes, FillFrameAndInvert)
{
    TBitmap b(6, 5);
    TCanvas& c = *b.Canvas();
    c.Brush()->SetColor(clBlue);
    c.FrameRect(Rect(0, 0, 5, 4));
    c.Brush()->SetColor(clRed);
    c.FillRect(Rect(1, 1, 3, 3));
    c.Brush()->SetStyle(bsClear);
    c.FillRect(Rect(0, 0, 6, 5));  // a clear brush fills nothing
    c.InvertRect(Rect(4, 3, 6, 5));
    EXPECT_EQ(Art(b, {{clWhite, '.'}, {clBlue, 'b'}, {clRed, 'r'}, {clYellow, 'y'}, {clBlack, '#'}}),
              (std::vector<std::string>{
                  "bbbbb.",
                  "brr.b.",
                  "brr.b.",
                  "bbbby#",
                  "....##",
              }));
}

TEST(CanvasShapes, PolygonDrawsEveryVertexAndFillsItsInside)
{
    TBitmap b(7, 7);
    TCanvas& c = *b.Canvas();
    c.Brush()->SetColor(clYellow);
    const TPoint square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
    c.Polygon(square);
    EXPECT_EQ(Art(b, kLegend), (std::vector<std::string>{
                                   ".......",
                                   ".#####.",
                                   ".#yyy#.",
                                   ".#yyy#.",
                                   ".#yyy#.",
                                   ".#####.",
                                   ".......",
                               }));
}

TEST(CanvasShapes, EllipseStaysInsideItsRectangleAndIsSymmetric)
{
    TBitmap b(12, 10);
    TCanvas& c = *b.Canvas();
    c.Brush()->SetColor(clYellow);
    c.Ellipse(1, 1, 11, 9);
    auto art = Art(b, kLegend);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            char p = art[static_cast<size_t>(y)][static_cast<size_t>(x)];
            if (x < 1 || x >= 11 || y < 1 || y >= 9) {
                EXPECT_EQ(p, '.') << x << "," << y;
            }
            EXPECT_EQ(p, art[static_cast<size_t>(y)][static_cast<size_t>(11 - x)]);
            EXPECT_EQ(p, art[static_cast<size_t>(9 - y)][static_cast<size_t>(x)]);
        }
    EXPECT_EQ(art[1], "....####....");
    EXPECT_EQ(art[4], ".#yyyyyyyy#.");
}

TEST(CanvasShapes, PatternBrushIsAlignedToTheDeviceOriginNotTheLogicalOne)
{
    // The 50% checkerboard: white where x + y is odd.
    TBitmap pattern(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.SetPixel(x, y, (x + y) % 2 ? clWhite : clBlack);
    TBitmap b(10, 4);
    TCanvas& c = *b.Canvas();
    c.Brush()->SetBitmap(&pattern);
    c.Brush()->SetColor(clYellow);  // colour patterns ignore the brush colour
    c.FillRect(Rect(0, 0, 5, 4));
    c.SetWindowOrg(-5, -1);  // logical (0, -1) is device (5, 0)
    c.FillRect(Rect(0, -1, 5, 3));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(b.Pixel(x, y), (x + y) % 2 ? clWhite : clBlack) << x << "," << y;

    // A monochrome pattern takes the font colour for black and the brush
    // colour for white.
    pattern.SetMonochrome(true);
    TBitmap m(4, 2);
    m.Canvas()->Brush()->SetBitmap(&pattern);
    m.Canvas()->Brush()->SetColor(clYellow);
    m.Canvas()->Font()->SetColor(clBlue);
    m.Canvas()->FillRect(Rect(0, 0, 4, 2));
    EXPECT_EQ(Art(m, kLegend), (std::vector<std::string>{"byby", "ybyb"}));
}
