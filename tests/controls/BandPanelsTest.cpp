#include <gtest/gtest.h>

#include <vector>

#include "controls/BandPanels.h"
#include "controls/TinyButton.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/HeadlessFixture.h"
#include "tests/support/Golden.h"

using namespace controls;
using graphics::TColor;
using graphics::TRect;

namespace {

constexpr TColor kBackground = 0xFF00FF;  // fuchsia: what no band is

class BandPanelsTest : public HeadlessFixture {
protected:
    struct Bands {
        TTopPanel* top;
        TCenterPanel* centre;
        TBottomPanel* bottom;
    };
    // The three panels as the login dialog has them.
    Bands LoginBands()
    {
        form->SetClientWidth(285);
        form->SetClientHeight(176);
        Bands b{new TTopPanel(form), new TCenterPanel(form), new TBottomPanel(form)};
        b.top->SetParent(form);
        b.top->SetHeight(17);
        b.centre->SetParent(form);
        b.bottom->SetParent(form);
        b.bottom->SetHeight(41);
        return b;
    }
    TBottomPanel* Bottom(int width, int height, const char* caption)
    {
        form->SetClientWidth(width);
        form->SetClientHeight(height);
        auto* bottom = new TBottomPanel(form);
        bottom->SetParent(form);
        bottom->SetHeight(height);
        bottom->SetCaption(caption);
        bottom->SetLineColor(graphics::clRed);
        ShowForm();
        return bottom;
    }
    // The caption's width in the bottom panel's caption font.
    static int CaptionWidth(const char* caption)
    {
        graphics::TCanvas measure;
        measure.Font()->SetName("宋体");
        measure.Font()->SetCharset(graphics::GB2312_CHARSET);
        measure.Font()->SetSize(11);
        return measure.TextWidth(caption);
    }
};

// A bitmap of fuchsia with a gradient painted into `rect`.
std::unique_ptr<graphics::TBitmap> Gradient(TColor from, TColor to, TRect rect, int width = 24, int height = 8)
{
    auto bitmap = std::make_unique<graphics::TBitmap>(width, height);
    bitmap->Canvas()->Brush()->SetColor(kBackground);
    bitmap->Canvas()->FillRect({0, 0, width, height});
    PaintGradient(*bitmap->Canvas(), from, to, rect);
    return bitmap;
}

}  // namespace

TEST(PaintGradientTest, BandsFourPixelsWideLeadFromTheStartColourTowardsTheEnd)
{
    struct Case {
        const char* what;
        TColor from, to;
        TRect rect;
        // Expected colour of each column from x = 0; kBackground where
        // nothing may be painted.
        std::vector<TColor> columns;
    };
    const TColor W = 0xFFFFFF, B = kBackground;
    const Case cases[] = {
        // 10 wide: 3 steps of 21 per channel; bands at 0, 4 and 8, the one
        // at 12 (the end colour) lies outside.
        {"ten wide", graphics::clWhite, 0xC0C0C0, {0, 0, 10, 8},
         {W, W, W, W, 0xEAEAEA, 0xEAEAEA, 0xEAEAEA, 0xEAEAEA, 0xD5D5D5, 0xD5D5D5, B, B, B, B}},
        // 8 wide: bands at 0 and 4 of 3 steps; the end colour's band is not reached.
        {"eight wide", 0x000000, 0x0000FF, {0, 0, 8, 8}, {0x000000, 0x000000, 0x000000, 0x000000, 0x55, 0x55, 0x55, 0x55, B}},
        // 3 wide: one step, the start colour's band cut at the edge.
        {"three wide", 0x102030, 0x000000, {0, 0, 3, 8}, {0x102030, 0x102030, 0x102030, B, B}},
        // Red 0 to 5 over 2 steps: 2.5 rounds to the even 2.
        {"halves to even", 0x000000, 0x000005, {0, 0, 7, 8}, {0, 0, 0, 0, 2, 2, 2, B}},
        // Bands start at the rectangle's left edge.
        {"moved right", graphics::clWhite, 0xC0C0C0, {2, 0, 12, 8},
         {B, B, W, W, W, W, 0xEAEAEA, 0xEAEAEA, 0xEAEAEA, 0xEAEAEA, 0xD5D5D5, 0xD5D5D5, B, B}},
        // A system colour is resolved before the steps are taken.
        {"system colour", graphics::clBtnFace, graphics::clBtnFace, {0, 0, 5, 8},
         {0xC0C0C0, 0xC0C0C0, 0xC0C0C0, 0xC0C0C0, 0xC0C0C0, B}},
        // Nothing for empty rectangles, nor for those whose band count
        // would be 0 (4 to 7 pixels narrower than nothing).
        {"empty", graphics::clWhite, 0xC0C0C0, {4, 0, 4, 8}, {B, B, B, B, B, B, B, B}},
        {"minus five", graphics::clWhite, 0xC0C0C0, {6, 0, 1, 8}, {B, B, B, B, B, B, B, B}},
        {"minus seven", graphics::clWhite, 0xC0C0C0, {8, 0, 1, 8}, {B, B, B, B, B, B, B, B, B}},
        {"no height", graphics::clWhite, 0xC0C0C0, {0, 3, 10, 3}, {B, B, B, B, B}},
    };
    graphics::ResetSysColors();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto bitmap = Gradient(c.from, c.to, c.rect);
        int y = c.rect.Top < c.rect.Bottom ? c.rect.Top : 0;
        for (size_t x = 0; x < c.columns.size(); ++x)
            EXPECT_EQ(bitmap->Pixel(static_cast<int>(x), y), c.columns[x]) << "x = " << x;
    }
}

TEST(PaintGradientTest, FillsTheFullHeightOfTheRectangleAndNoMore)
{
    auto bitmap = Gradient(graphics::clWhite, 0xC0C0C0, {0, 2, 10, 6});
    for (int x : {0, 5, 9}) {
        EXPECT_EQ(bitmap->Pixel(x, 1), kBackground);
        EXPECT_NE(bitmap->Pixel(x, 2), kBackground);
        EXPECT_NE(bitmap->Pixel(x, 5), kBackground);
        EXPECT_EQ(bitmap->Pixel(x, 6), kBackground);
    }
}

TEST(PaintGradientTest, EachBandIsItsShareOfTheWayToTheEndColour)
{
    // 13 wide: 13 div 4 + 1 = 4 steps; the band at 12 is three of them.
    auto bitmap = Gradient(0x123456, 0xFEDCBA, {0, 0, 13, 8});
    const int starts[3] = {0x56, 0x34, 0x12}, ends[3] = {0xBA, 0xDC, 0xFE};
    TColor pixel = bitmap->Pixel(12, 0);
    const int got[3] = {graphics::GetRValue(pixel), graphics::GetGValue(pixel), graphics::GetBValue(pixel)};
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(got[c], starts[c] + (ends[c] - starts[c]) * 3 / 4.0, 0.5);
}

TEST_F(BandPanelsTest, PanelsTakeTheTopTheBottomAndTheRestAndHoldTheirControls)
{
    auto [top, centre, bottom] = LoginBands();
    auto* button = new TTinyButton(form);
    button->SetParent(bottom);
    button->SetBounds(120, 16, 68, 21);
    auto* filler = new TTinyButton(form);
    filler->SetParent(centre);
    filler->SetAlign(ui::alClient);
    ShowForm();

    EXPECT_EQ(top->BoundsRect(), graphics::Bounds(0, 0, 285, 17));
    EXPECT_EQ(bottom->BoundsRect(), graphics::Bounds(0, 135, 285, 41));
    EXPECT_EQ(centre->BoundsRect(), graphics::Bounds(0, 17, 285, 118));
    EXPECT_EQ(centre->ClientWidth(), 285 - 12) << "a six-pixel band all round";
    EXPECT_EQ(filler->BoundsRect(), graphics::Bounds(0, 0, 285 - 12, 118 - 12)) << "no bevels in the body";
    EXPECT_EQ(button->ClientToScreen({0, 0}), bottom->ClientToScreen({120, 16}));
}

TEST_F(BandPanelsTest, NewPanelsHaveTheFamilysSettings)
{
    auto* top = new TTopPanel(form);
    auto* centre = new TCenterPanel(form);
    auto* bottom = new TBottomPanel(form);
    struct Row {
        ui::TCustomPanel* panel;
        ui::TAlign align;
        TColor color;
        const char* caption;
        int borderWidth;
    };
    const Row rows[] = {
        {top, ui::alTop, 0xEBEBEB, "", 0},
        {centre, ui::alClient, 0xEBEBEB, "", 6},
        {bottom, ui::alBottom, graphics::clBtnFace, "标题", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.panel->ClassName());
        EXPECT_EQ(r.panel->Align(), r.align);
        EXPECT_EQ(r.panel->Color(), r.color);
        EXPECT_EQ(r.panel->Caption(), r.caption);
        EXPECT_EQ(r.panel->BorderWidth(), r.borderWidth);
        EXPECT_EQ(r.panel->BorderStyle(), ui::bsNone);
    }
    EXPECT_EQ(centre->BevelOuter(), ui::bvNone);
    EXPECT_EQ(centre->BevelInner(), ui::bvNone);
    EXPECT_EQ(bottom->LineColor(), 0x57D1FE);
    // Forms name exactly these for the bottom panel (besides the platform's).
    EXPECT_NE(TBottomPanel::StaticClass().FindProperty("LineColor"), nullptr);
    EXPECT_NE(TBottomPanel::StaticClass().FindProperty("Caption"), nullptr);
}

TEST_F(BandPanelsTest, TheTopAndCentrePanelsShadeFromWhiteToSilverInsideTheCentresBand)
{
    form->SetClientWidth(100);
    form->SetClientHeight(80);
    auto* top = new TTopPanel(form);
    top->SetParent(form);
    top->SetHeight(20);
    auto* centre = new TCenterPanel(form);
    centre->SetParent(form);
    ShowForm();
    // 100 wide: 26 steps of 63/26 per channel.
    EXPECT_EQ(PixelOf(top, {0, 0}), 0xFFFFFF);
    EXPECT_EQ(PixelOf(top, {3, 19}), 0xFFFFFF);
    EXPECT_EQ(PixelOf(top, {4, 10}), 0xFDFDFD);  // 255 - 2.42 = 252.58
    EXPECT_EQ(PixelOf(top, {99, 10}), 0xC5C5C5);  // band 24: 255 - 58.15
    // The centre's band is its colour; its client (88 wide) starts white.
    EXPECT_EQ(PixelOf(centre, {-6, -6}), 0xEBEBEB);
    EXPECT_EQ(PixelOf(centre, {-1, 10}), 0xEBEBEB);
    EXPECT_EQ(PixelOf(centre, {88, 10}), 0xEBEBEB);
    EXPECT_EQ(PixelOf(centre, {0, 0}), 0xFFFFFF);
    EXPECT_EQ(PixelOf(centre, {87, 47}), 0xC5C5C5);  // 23 steps: band 21 of 88 wide
}

TEST_F(BandPanelsTest, ACentrePanelNarrowerThanItsBandPaintsOnlyTheBand)
{
    form->SetClientWidth(60);
    form->SetClientHeight(40);
    auto* centre = new TCenterPanel(form);
    centre->SetParent(form);
    centre->SetAlign(ui::alLeft);
    centre->SetWidth(7);  // a client width of -5 before it is clamped
    ShowForm();
    for (int x = 0; x < 7; ++x)
        EXPECT_EQ(PixelOf(form, {x, 20}), 0xEBEBEB) << x;
}

TEST_F(BandPanelsTest, TheBottomPanelsEdgesAndTabLieWhereItsHeightPutsThem)
{
    // 41 high: h = 8; the tab's lower line at 33 (white) and 34 (the line
    // colour), its upper line at 4 and 5.
    auto* bottom = Bottom(300, 41, "帐套工具");
    int tab = CaptionWidth("帐套工具") + 12;
    struct Probe {
        const char* what;
        graphics::TPoint at;
        TColor color;
        bool same;  // the pixel is `color`, or (false) anything but it
    };
    const Probe probes[] = {
        {"left edge", {0, 20}, 0x808080, true},
        {"bottom-left corner", {0, 40}, 0x808080, true},
        {"top edge", {150, 0}, 0x808080, true},
        {"black under the top", {150, 1}, 0x000000, true},
        {"black stops before the right edge", {298, 1}, 0x000000, true},
        {"right edge", {299, 20}, 0xFFFFFF, true},
        {"top-right corner", {299, 0}, 0xFFFFFF, true},
        {"bottom edge", {150, 40}, 0xFFFFFF, true},
        {"lower line, white", {2, 33}, 0xFFFFFF, true},
        {"lower line, coloured", {2, 34}, 0x0000FF, true},
        {"lower line starts at the left edge", {0, 33}, 0xFFFFFF, true},
        {"lower line ends under the tab's side", {tab, 33}, 0xFFFFFF, true},
        {"no lower line right of the tab", {tab + 4, 33}, 0xFFFFFF, false},
        {"tab side, white", {tab, 20}, 0xFFFFFF, true},
        {"tab side, coloured", {tab + 1, 20}, 0x0000FF, true},
        {"upper line, white", {200, 4}, 0xFFFFFF, true},
        {"upper line, coloured", {200, 5}, 0x0000FF, true},
        {"upper line stops two before the right edge", {297, 4}, 0xFFFFFF, true},
        {"a line leaves out its end point", {298, 4}, 0xFFFFFF, false},
        {"coloured line reaches one further", {298, 5}, 0x0000FF, true},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(p.what);
        if (p.same)
            EXPECT_EQ(PixelOf(bottom, p.at), p.color);
        else
            EXPECT_NE(PixelOf(bottom, p.at), p.color);
    }
}

TEST_F(BandPanelsTest, AnEmptyCaptionStillGetsATwelvePixelTab)
{
    auto* bottom = Bottom(200, 41, "");
    EXPECT_EQ(PixelOf(bottom, {12, 20}), 0xFFFFFF);
    EXPECT_EQ(PixelOf(bottom, {13, 20}), 0x0000FF);
    EXPECT_EQ(PixelOf(bottom, {12, 33}), 0xFFFFFF);
    EXPECT_EQ(PixelOf(bottom, {14, 4}), 0xFFFFFF);
    EXPECT_NE(PixelOf(bottom, {14, 33}), 0xFFFFFF);
}

TEST_F(BandPanelsTest, TheCaptionSitsInsideTheTabInTheWindowTextColour)
{
    auto* bottom = Bottom(300, 41, "帐套工具");
    auto picture = Picture(form);
    graphics::TPoint origin = bottom->ClientToScreen({0, 0}) - form->ClientOrigin();
    // Ink only between x = 6 and the tab's side, and between the lines.
    int inside = 0, outside = 0;
    int tab = CaptionWidth("帐套工具") + 12;
    for (int y = 2; y < 41; ++y)
        for (int x = 1; x < 299; ++x) {
            if (picture->Pixel(origin.X + x, origin.Y + y) != graphics::clBlack)
                continue;
            (x >= 6 && x < tab && y > 5 && y < 33 ? inside : outside)++;
        }
    EXPECT_GT(inside, 40);
    EXPECT_EQ(outside, 0);
}

TEST_F(BandPanelsTest, LineColourShowsFromTheNextPaint)
{
    auto* bottom = Bottom(200, 41, "");
    bottom->SetLineColor(graphics::clBlue);
    bottom->Invalidate();
    Pump();
    EXPECT_EQ(PixelOf(bottom, {13, 20}), 0xFF0000);
}

TEST_F(BandPanelsTest, ThePanelsLookAsDrawn)
{
    LoginBands().bottom->SetCaption("登录");
    ShowForm();
    EXPECT_TRUE(testsupport::MatchesGolden(*Picture(form), "controls_band_panels"));
}
