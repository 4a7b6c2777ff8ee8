#include <gtest/gtest.h>

#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/platform/graphics/PixelArt.h"

using namespace graphics;
using pixelart::Art;

namespace {

// The default scheme paints 3D light and button face alike; the edge tests
// give every colour its own value so that each line can be told apart.
class Edges : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSysColor(COLOR_3DLIGHT, RGB(0xE0, 0xE0, 0xE0));
        SetSysColor(COLOR_WINDOWFRAME, RGB(0x40, 0, 0));
        SetSysColor(COLOR_WINDOW, RGB(0xFF, 0xFF, 0xF0));
        legend_ = {
            {clLime, '.'},
            {ColorToRGB(cl3DLight), 'l'},
            {ColorToRGB(cl3DDkShadow), 'D'},
            {ColorToRGB(clBtnHighlight), 'H'},
            {ColorToRGB(clBtnShadow), 'S'},
            {ColorToRGB(clBtnFace), 'f'},
            {ColorToRGB(clWindowFrame), 'F'},
            {ColorToRGB(clWindow), 'W'},
        };
    }
    void TearDown() override { ResetSysColors(); }

    std::map<TColor, char> legend_;

    std::vector<std::string> Draw(unsigned edge, unsigned flags, TRect* adjusted = nullptr)
    {
        TBitmap b(6, 5);
        b.Canvas()->Brush()->SetColor(clLime);
        b.Canvas()->FillRect(Rect(0, 0, 6, 5));
        TRect r = Rect(0, 0, 6, 5);
        b.Canvas()->DrawEdge(r, edge, flags);
        if (adjusted)
            *adjusted = r;
        return Art(b, legend_);
    }
};

struct EdgeCase {
    const char* Name;
    unsigned Edge;
    unsigned Flags;
    std::vector<std::string> Expected;
};

}  // namespace

TEST_F(Edges, EachVariantPaintsItsRingsInTheClassicColours)
{
    const EdgeCase cases[] = {
        {"raised", EDGE_RAISED, BF_RECT, {"lllllD", "lHHHSD", "lH..SD", "lSSSSD", "DDDDDD"}},
        {"sunken", EDGE_SUNKEN, BF_RECT, {"SSSSSH", "SDDDlH", "SD..lH", "SllllH", "HHHHHH"}},
        {"etched", EDGE_ETCHED, BF_RECT, {"SSSSSH", "SHHHSH", "SH..SH", "SSSSSH", "HHHHHH"}},
        {"bump", EDGE_BUMP, BF_RECT, {"lllllD", "lDDDlD", "lD..lD", "lllllD", "DDDDDD"}},
        {"raised inner", BDR_RAISEDINNER, BF_RECT, {"HHHHHS", "H....S", "H....S", "H....S", "SSSSSS"}},
        {"sunken inner", BDR_SUNKENINNER, BF_RECT, {"DDDDDl", "D....l", "D....l", "D....l", "llllll"}},
        {"sunken outer", BDR_SUNKENOUTER, BF_RECT, {"SSSSSH", "S....H", "S....H", "S....H", "HHHHHH"}},
        {"raised outer", BDR_RAISEDOUTER, BF_RECT, {"lllllD", "l....D", "l....D", "l....D", "DDDDDD"}},
        {"top and left", EDGE_RAISED, BF_TOPLEFT, {"llllll", "lHHHHH", "lH....", "lH....", "lH...."}},
        {"bottom and right", EDGE_SUNKEN, BF_BOTTOMRIGHT, {"....lH", "....lH", "....lH", "lllllH", "HHHHHH"}},
        {"soft", EDGE_RAISED, BF_RECT | BF_SOFT, {"HHHHHD", "HlllSD", "Hl..SD", "HSSSSD", "DDDDDD"}},
        {"flat", EDGE_SUNKEN, BF_RECT | BF_FLAT, {"SSSSSS", "SffffS", "Sf..fS", "SffffS", "SSSSSS"}},
        {"mono", EDGE_RAISED, BF_RECT | BF_MONO, {"FFFFFF", "FWWWWF", "FW..WF", "FWWWWF", "FFFFFF"}},
        {"middle", EDGE_RAISED, BF_RECT | BF_MIDDLE, {"lllllD", "lHHHSD", "lHffSD", "lSSSSD", "DDDDDD"}},
    };
    for (const EdgeCase& c : cases)
        EXPECT_EQ(Draw(c.Edge, c.Flags), c.Expected) << c.Name;
}

TEST_F(Edges, AdjustShrinksTheRectangleOnTheSidesDrawn)
{
    TRect r;
    Draw(EDGE_SUNKEN, BF_RECT | BF_ADJUST, &r);
    EXPECT_EQ(r, Rect(2, 2, 4, 3));
    Draw(BDR_RAISEDINNER, BF_TOP | BF_RIGHT | BF_ADJUST, &r);
    EXPECT_EQ(r, Rect(0, 1, 5, 5));
    Draw(EDGE_RAISED, BF_RECT, &r);
    EXPECT_EQ(r, Rect(0, 0, 6, 5)) << "without BF_ADJUST the rectangle stays";
}

TEST_F(Edges, RingsLandOnTheBorderOfLargeRectanglesAndNowhereElse)
{
    const TRect r = Rect(3, 2, 37, 28);
    const TRect inner = Inflate(r, -1, -1);
    for (unsigned edge : {EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP}) {
        TBitmap b(40, 30);
        auto result = pixelart::CheckRedGreen(
            b, [&](int x, int y) { return pixelart::OnBorder(r, x, y) || pixelart::OnBorder(inner, x, y); },
            [&](TCanvas& c) {
                TRect rc = r;
                c.DrawEdge(rc, edge, BF_RECT);
            });
        EXPECT_EQ(result.MissedGreen, 0) << edge;
        EXPECT_EQ(result.SpoiledRed, 0) << edge;
    }
    TBitmap b(40, 30);
    auto filled = pixelart::CheckRedGreen(
        b, [&](int x, int y) { return pixelart::InRect(r, x, y); },
        [&](TCanvas& c) {
            TRect rc = r;
            c.DrawEdge(rc, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
        });
    EXPECT_EQ(filled.MissedGreen, 0);
    EXPECT_EQ(filled.SpoiledRed, 0);
}

TEST(FocusRect, InvertsEveryOtherBorderPixelAndUndoesItself)
{
    TBitmap b(7, 5);
    TCanvas& c = *b.Canvas();
    c.DrawFocusRect(Rect(0, 0, 6, 4));
    const std::map<TColor, char> legend = {{clWhite, '.'}, {clBlack, '#'}};
    EXPECT_EQ(Art(b, legend), (std::vector<std::string>{
                                  "#.#.#..",
                                  ".....#.",
                                  "#......",
                                  ".#.#.#.",
                                  ".......",
                              }));
    c.DrawFocusRect(Rect(0, 0, 6, 4));
    EXPECT_EQ(Art(b, legend), std::vector<std::string>(5, "......."));

    // The dots keep their place on the device whatever the rectangle: a
    // rectangle one pixel to the right starts with a gap.
    c.DrawFocusRect(Rect(1, 0, 7, 5));
    EXPECT_EQ(Art(b, legend)[0], "..#.#.#");
    EXPECT_EQ(Art(b, legend)[4], "..#.#.#");
}

TEST(FocusRect, InvertsWhateverIsUnderIt)
{
    TBitmap b(4, 3);
    b.Canvas()->Brush()->SetColor(RGB(0x12, 0x34, 0x56));
    b.Canvas()->FillRect(Rect(0, 0, 4, 3));
    b.Canvas()->DrawFocusRect(Rect(0, 0, 4, 3));
    EXPECT_EQ(b.Pixel(0, 0), RGB(0xED, 0xCB, 0xA9));
    EXPECT_EQ(b.Pixel(1, 0), RGB(0x12, 0x34, 0x56));
}
