#include <gtest/gtest.h>

#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/platform/graphics/PixelArt.h"

using namespace graphics;
using pixelart::Art;

namespace {

const std::map<TColor, char> kLegend = {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clYellow, 'y'}};

void Fill(TCanvas& c, TColor color, const TRect& r)
{
    c.Brush()->SetColor(color);
    c.FillRect(r);
}

}  // namespace

TEST(Clipping, IntersectAndExcludeLimitDrawingAndTheClipBox)
{
    TBitmap b(6, 5);
    TCanvas& c = *b.Canvas();
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 6, 5));
    c.IntersectClipRect(Rect(1, 1, 5, 4));
    c.ExcludeClipRect(Rect(2, 2, 3, 3));
    EXPECT_EQ(c.ClipRect(), Rect(1, 1, 5, 4));
    EXPECT_FALSE(c.PtVisible({2, 2}));
    EXPECT_TRUE(c.PtVisible({4, 3}));
    EXPECT_FALSE(c.RectVisible(Rect(5, 0, 6, 5)));
    Fill(c, clRed, Rect(0, 0, 6, 5));
    c.SetPixel(0, 0, clBlack);  // outside: nothing
    EXPECT_EQ(Art(b, kLegend), (std::vector<std::string>{
                                   "......",
                                   ".rrrr.",
                                   ".r.rr.",
                                   ".rrrr.",
                                   "......",
                               }));
    // The pixels can still be read everywhere on the surface.
    EXPECT_EQ(c.Pixel(0, 0), clWhite);
    EXPECT_EQ(c.Pixel(6, 0), CLR_INVALID);
}

TEST(Clipping, SelectedRegionsAreInDeviceCoordinatesWhateverTheOrigin)
{
    TBitmap b(6, 4);
    TCanvas& c = *b.Canvas();
    TRegion region(Rect(0, 0, 2, 2));
    region.Union(Rect(4, 2, 6, 4));
    c.SetWindowOrg(10, 20);  // logical (10, 20) is device (0, 0)
    c.SelectClipRgn(&region);
    EXPECT_EQ(c.ClipRect(), Rect(10, 20, 16, 24));
    Fill(c, clYellow, Rect(10, 20, 16, 24));
    EXPECT_EQ(Art(b, kLegend), (std::vector<std::string>{"yy....", "yy....", "....yy", "....yy"}));
    TRegion got;
    ASSERT_TRUE(c.GetClipRgn(got));
    EXPECT_EQ(got, region);
    c.SelectClipRgn(nullptr);
    EXPECT_FALSE(c.GetClipRgn(got));
    EXPECT_EQ(c.ClipRect(), Rect(10, 20, 16, 24));
}

TEST(Clipping, SaveAndRestoreBringBackToolsOriginAndClip)
{
    TBitmap b(6, 3);
    TCanvas& c = *b.Canvas();
    c.Pen()->SetColor(clRed);
    c.Font()->SetName("宋体");
    c.MoveTo(1, 1);
    int first = c.SaveDC();
    EXPECT_EQ(first, 1);
    c.Pen()->SetColor(clBlack);
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetHeight(-20);
    c.SetViewportOrg(3, 0);
    c.IntersectClipRect(Rect(0, 0, 1, 1));
    c.MoveTo(4, 2);
    EXPECT_EQ(c.SaveDC(), 2);
    c.SetCopyMode(cmSrcAnd);
    EXPECT_TRUE(c.RestoreDC(first));  // drops the later state too
    EXPECT_EQ(c.SavedCount(), 0);
    EXPECT_FALSE(c.RestoreDC(-1));
    EXPECT_EQ(c.Pen()->Color(), clRed);
    EXPECT_EQ(c.Brush()->Style(), bsSolid);
    EXPECT_EQ(c.BkMode(), OPAQUE);
    EXPECT_EQ(c.Font()->Height(), -11);
    EXPECT_EQ(c.Font()->Name(), "宋体");
    EXPECT_EQ(c.ViewportOrg(), Point(0, 0));
    EXPECT_EQ(c.CopyMode(), cmSrcCopy);
    EXPECT_EQ(c.PenPos(), Point(1, 1));
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 6, 3));
    {
        TCanvasStateSaver saver(c);
        c.MoveWindowOrg(2, 1);  // logical (0, 0) drawn at device (2, 1)
        c.SetPixel(0, 0, clYellow);
        c.IntersectClipRect(Rect(0, 0, 1, 1));
        c.SetPixel(1, 0, clYellow);
    }
    c.SetPixel(0, 0, clYellow);
    EXPECT_EQ(Art(b, kLegend), (std::vector<std::string>{"y.....", "..y...", "......"}));
}

// A window's canvas: its device (0, 0) lies inside a larger back buffer and
// only its visible region may be painted.
TEST(Clipping, WindowSurfacesOffsetDrawingAndKeepToTheVisibleRegion)
{
    TBitmap buffer(10, 6);
    TCanvas window;
    TRegion visible(Rect(0, 0, 5, 4));
    visible.Subtract(Rect(3, 0, 5, 2));  // a sibling covers the top right
    window.Attach(buffer.Surface(), Point(4, 1), visible);
    EXPECT_EQ(window.ClipRect(), Rect(0, 0, 5, 4));
    window.Brush()->SetColor(clRed);
    window.FillRect(Rect(-2, -2, 20, 20));
    window.IntersectClipRect(Rect(0, 3, 10, 10));
    window.Brush()->SetColor(clYellow);
    window.FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(Art(buffer, kLegend), (std::vector<std::string>{
                                        "..........",
                                        "....rrr...",
                                        "....rrr...",
                                        "....rrrrr.",
                                        "....yyyyy.",
                                        "..........",
                                    }));
    // Focus dots follow the window's device origin, not the buffer's.
    TBitmap other(10, 6);
    TCanvas shifted;
    shifted.Attach(other.Surface(), Point(3, 0));
    shifted.DrawFocusRect(Rect(0, 0, 2, 1));
    EXPECT_EQ(other.Pixel(3, 0), clBlack);
    EXPECT_EQ(other.Pixel(4, 0), clWhite);
    window.Detach();
    EXPECT_FALSE(window.HandleAllocated());
    window.FillRect(Rect(0, 0, 10, 10));  // detached: nothing happens
}
