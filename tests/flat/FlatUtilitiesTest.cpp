#include <gtest/gtest.h>

#include <cstdlib>

#include "flat/FlatUtilities.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/Panel.h"
#include "platform/ui/Shape.h"
#include "tests/flat/FlatFixture.h"

using namespace flat;
using graphics::Bounds;
using graphics::RGB;
using graphics::TBitmap;
using graphics::TCanvas;

// ---- Hue, saturation, lightness ----------------------------------------------

namespace {

// How far apart two colours are: the largest difference of a component.
int Distance(TColor a, TColor b)
{
    return std::max({std::abs(graphics::GetRValue(a) - graphics::GetRValue(b)),
                     std::abs(graphics::GetGValue(a) - graphics::GetGValue(b)),
                     std::abs(graphics::GetBValue(a) - graphics::GetBValue(b))});
}

// How far apart two hues are on the circle of 239 steps.
int HueDistance(int a, int b)
{
    int d = std::abs(a - b);
    return std::min(d, HslHueMax - d);
}

}  // namespace

TEST(FlatHslTest, KnownColoursConvert)
{
    struct Case {
        TColor color;
        THsl hsl;
    };
    const Case cases[] = {
        {graphics::clBlack, {0, 0, 0}},
        {graphics::clWhite, {0, 0, 240}},
        {RGB(255, 0, 0), {0, 240, 120}},
        {RGB(255, 255, 0), {40, 240, 120}},
        {RGB(0, 255, 0), {80, 240, 120}},
        {RGB(0, 255, 255), {120, 240, 120}},
        {RGB(0, 0, 255), {159, 240, 120}},  // 2/3 of 239, rounded
        {RGB(255, 0, 255), {199, 240, 120}},
        {RGB(128, 0, 0), {0, 240, 60}},
        {RGB(255, 128, 128), {0, 240, 180}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HslFromColor(c.color), c.hsl) << std::hex << c.color;
        // Hue 0 comes back exactly; the others lie between steps of the
        // 239-step hue scale and come back within a few levels.
        TColor back = ColorFromHsl(c.hsl);
        if (c.hsl.Hue == 0)
            EXPECT_EQ(back, c.color) << std::hex << c.color;
        else
            EXPECT_LE(Distance(back, c.color), 3) << std::hex << c.color << " " << back;
    }
}

TEST(FlatHslTest, GreysHaveNoSaturationAndComeBackWithinOneLevel)
{
    for (int g = 0; g < 256; ++g) {
        THsl hsl = HslFromColor(RGB(g, g, g));
        EXPECT_EQ(hsl.Saturation, 0) << g;
        EXPECT_EQ(hsl.Hue, 0) << g;
        TColor back = ColorFromHsl(hsl);
        EXPECT_LE(std::abs(graphics::GetRValue(back) - g), 1) << g;
        EXPECT_EQ(graphics::GetRValue(back), graphics::GetGValue(back));
        EXPECT_EQ(graphics::GetRValue(back), graphics::GetBValue(back));
    }
    // 241 lightness steps against 256 grey levels: not every grey survives.
    EXPECT_EQ(ColorFromHsl(HslFromColor(RGB(127, 127, 127))), RGB(128, 128, 128));
}

TEST(FlatHslTest, EveryStepOfTheScaleSurvivesTheRoundTrip)
{
    // Lightness of greys: 241 steps onto 256 levels and back.
    for (int l = 0; l <= HslMax; ++l)
        EXPECT_EQ(HslFromColor(ColorFromHsl(0, 0, l)).Lightness, l) << l;
    // Every hue at full saturation and half lightness, and at softer
    // colours: the hue comes back to within one step, the rest exactly.
    for (int s : {240, 120}) {
        for (int h = 0; h <= HslHueMax; ++h) {
            THsl back = HslFromColor(ColorFromHsl(h, s, 120));
            EXPECT_LE(HueDistance(back.Hue, h), 1) << h << " " << s;
            EXPECT_LE(std::abs(back.Saturation - s), 1) << h << " " << s;
            EXPECT_EQ(back.Lightness, 120) << h << " " << s;
        }
    }
}

TEST(FlatHslTest, ValuesOffTheScaleAreBroughtToItsEnds)
{
    EXPECT_EQ(ColorFromHsl(0, 0, 500), graphics::clWhite);
    EXPECT_EQ(ColorFromHsl(0, 0, -5), graphics::clBlack);
    EXPECT_EQ(ColorFromHsl(-3, 240, 120), ColorFromHsl(0, 240, 120));
    EXPECT_EQ(ColorFromHsl(400, 900, 120), ColorFromHsl(HslHueMax, 240, 120));
}

TEST(FlatHslTest, SystemColoursAreResolvedFirst)
{
    graphics::ResetSysColors();
    EXPECT_EQ(HslFromColor(graphics::clBtnFace), HslFromColor(graphics::ColorToRGB(graphics::clBtnFace)));
}

TEST(FlatShiftedColorTest, NoPercentageGivesTheFallback)
{
    EXPECT_EQ(ShiftedColor(RGB(10, 20, 30), graphics::clRed, 0, false), graphics::clRed);
    EXPECT_EQ(ShiftedColor(RGB(10, 20, 30), graphics::clRed, 0, true), graphics::clRed);
    EXPECT_EQ(ShiftedColor(RGB(10, 20, 30), graphics::clRed, -5, true), graphics::clRed);
}

TEST(FlatShiftedColorTest, LightnessMovesTowardsWhiteOrBlackKeepingTheHue)
{
    const TColor base = RGB(64, 128, 192);
    const THsl start = HslFromColor(base);
    ASSERT_EQ(start.Lightness, 120);
    struct Case {
        int percent;
        bool darker;
        int lightness;
    };
    const Case cases[] = {
        {10, false, 132}, {50, false, 180}, {100, false, 240}, {255, false, 240},
        {10, true, 108},  {50, true, 60},   {100, true, 0},    {1, true, 119},
    };
    for (const Case& c : cases) {
        TColor shifted = ShiftedColor(base, graphics::clFuchsia, c.percent, c.darker);
        THsl hsl = HslFromColor(shifted);
        EXPECT_EQ(hsl.Lightness, c.lightness) << c.percent << (c.darker ? " darker" : " lighter");
        if (c.lightness > 0 && c.lightness < 240) {
            EXPECT_LE(HueDistance(hsl.Hue, start.Hue), 1) << c.percent;
            EXPECT_LE(std::abs(hsl.Saturation - start.Saturation), 2) << c.percent;
        }
    }
    EXPECT_EQ(ShiftedColor(base, 0, 100, false), graphics::clWhite);
    EXPECT_EQ(ShiftedColor(base, 0, 100, true), graphics::clBlack);
    // White cannot get lighter, black not darker.
    EXPECT_EQ(ShiftedColor(graphics::clWhite, 0, 30, false), graphics::clWhite);
    EXPECT_EQ(ShiftedColor(graphics::clBlack, 0, 30, true), graphics::clBlack);
}

// ---- Bevel frame -------------------------------------------------------------------

TEST(FlatBevelFrameTest, RingsOfTheFrameAndNothingElse)
{
    constexpr TColor kLight = RGB(250, 0, 0);
    constexpr TColor kDark = RGB(0, 0, 250);
    constexpr TColor kBlank = RGB(0, 200, 0);
    for (int width : {1, 2, 3}) {
        TBitmap b(12, 12);
        b.Canvas()->Brush()->SetColor(kBlank);
        b.Canvas()->FillRect(Bounds(0, 0, 12, 12));
        b.Canvas()->Pen()->SetColor(graphics::clYellow);
        b.Canvas()->Pen()->SetWidth(3);
        // The frame goes inside (1, 1, 11, 11): a 10 by 10 rectangle.
        TRect inner = DrawBevelFrame(*b.Canvas(), Bounds(1, 1, 10, 10), kLight, kDark, width);
        EXPECT_EQ(inner, Bounds(1 + width, 1 + width, 10 - 2 * width, 10 - 2 * width));
        EXPECT_EQ(b.Canvas()->Pen()->Color(), graphics::clYellow) << "the pen is kept";
        EXPECT_EQ(b.Canvas()->Pen()->Width(), 3);
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                TColor expected = kBlank;
                for (int ring = 0; ring < width; ++ring) {
                    int lo = 1 + ring, hi = 10 - ring;
                    if (x < lo || x > hi || y < lo || y > hi)
                        continue;
                    // Right and bottom sides own their corners.
                    if (x == hi || y == hi)
                        expected = kDark;
                    else if (x == lo || y == lo)
                        expected = kLight;
                }
                EXPECT_EQ(b.Pixel(x, y), expected) << "width " << width << " at " << x << "," << y;
            }
        }
    }
}

TEST(FlatBevelFrameTest, AFrameFarLargerThanTheSurfaceDrawsWhatShows)
{
    // Left edge far off to the left, bottom far below: on the 12 by 12
    // surface only the top side (light) and the right side (dark) show.
    TBitmap b(12, 12);
    DrawBevelFrame(*b.Canvas(), graphics::Rect(-50000, 3, 6, 4000000), graphics::clRed, graphics::clBlue, 1);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            TColor expected = graphics::clWhite;
            if (x == 5 && y >= 3)
                expected = graphics::clBlue;
            else if (y == 3 && x < 5)
                expected = graphics::clRed;
            EXPECT_EQ(b.Pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(FlatBevelFrameTest, WidthZeroDrawsNothing)
{
    TBitmap b(6, 6);
    DrawBevelFrame(*b.Canvas(), Bounds(0, 0, 6, 6), graphics::clBlack, graphics::clBlack, 0);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(b.Pixel(x, y), graphics::clWhite);
}

// ---- Disabled image ------------------------------------------------------------------

TEST(FlatDisabledImageTest, MaskPixelsBecomeAnEmbossedShape)
{
    constexpr TColor kFace = RGB(200, 200, 200);
    constexpr TColor kLight = RGB(255, 255, 255);
    constexpr TColor kShadow = RGB(100, 100, 100);
    TBitmap source(4, 3);
    source.Canvas()->Brush()->SetColor(graphics::clRed);
    source.Canvas()->FillRect(Bounds(0, 0, 4, 3));
    source.SetPixel(1, 0, graphics::clBlack);
    source.SetPixel(3, 2, graphics::clBlack);  // its highlight falls outside
    for (bool highlight : {true, false}) {
        auto out = MakeDisabledImage(source, graphics::clBlack, kFace, kLight, kShadow, highlight);
        ASSERT_EQ(out->Width(), 4);
        ASSERT_EQ(out->Height(), 3);
        const char* expected[] = {"-s--", "--h-", "---s"};
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 4; ++x) {
                char c = expected[y][x];
                TColor want = c == 's' ? kShadow : c == 'h' && highlight ? kLight : kFace;
                EXPECT_EQ(out->Pixel(x, y), want) << x << "," << y << (highlight ? " with" : " without") << " highlight";
            }
        }
    }
}

TEST(FlatDisabledImageTest, AMonochromeSourceMasksItsWhitePixels)
{
    TBitmap source(3, 1);
    source.SetPixel(0, 0, graphics::clBlack);
    source.SetPixel(1, 0, graphics::clBlack);
    source.SetMonochrome(true);  // (2, 0) stays white
    auto out = MakeDisabledImage(source, graphics::clBlack, graphics::clSilver, graphics::clWhite, graphics::clGray,
                                 false);
    EXPECT_EQ(out->Pixel(0, 0), graphics::clSilver);
    EXPECT_EQ(out->Pixel(1, 0), graphics::clSilver);
    EXPECT_EQ(out->Pixel(2, 0), graphics::clGray);
}

TEST(FlatDisabledImageTest, AnEmptyImageGivesAnEmptyOne)
{
    TBitmap empty;
    EXPECT_TRUE(MakeDisabledImage(empty, graphics::clBlack, 0, 0, 0, true)->Empty());
}

// ---- Glyph and caption layout --------------------------------------------------------

namespace {

// A canvas in the programs' 9-point Song face: "OK" is 12 by 12 pixels.
class FlatLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        canvas = bitmap.Canvas();
        canvas->Font()->SetName("宋体");
        canvas->Font()->SetHeight(-12);
        ASSERT_EQ(canvas->TextExtent("OK"), (graphics::TSize{12, 12}));
    }
    TBitmap bitmap{4, 4};
    TCanvas* canvas = nullptr;
    TBitmap strip{32, 16};  // two 16 by 16 images
};

}  // namespace

TEST_F(FlatLayoutTest, GlyphAndCaptionPlacedAlongEachLayout)
{
    struct Case {
        const char* what;
        TButtonLayout layout;
        int margin;
        int spacing;
        TPoint glyph;
        TRect text;
    };
    // Client 100 by 60; glyph 16 by 16; caption 12 by 12.
    const Case cases[] = {
        // Centred group: (100 - (16 + 4 + 12) + 1) div 2 = 34.
        {"left, centred", ui::blGlyphLeft, -1, 4, {34, 22}, Bounds(54, 24, 12, 12)},
        {"right, centred", ui::blGlyphRight, -1, 4, {50, 22}, Bounds(34, 24, 12, 12)},
        // (60 - (16 + 4 + 12) + 1) div 2 = 14.
        {"top, centred", ui::blGlyphTop, -1, 4, {42, 14}, Bounds(44, 34, 12, 12)},
        {"bottom, centred", ui::blGlyphBottom, -1, 4, {42, 30}, Bounds(44, 14, 12, 12)},
        // Three equal parts of 72: 24 before, 24 between, 24 after.
        {"left, thirds", ui::blGlyphLeft, -1, -1, {24, 22}, Bounds(64, 24, 12, 12)},
        // Margin 5: the room after the glyph, 79, less the caption, halved.
        {"left, margin 5", ui::blGlyphLeft, 5, -1, {5, 22}, Bounds(54, 24, 12, 12)},
        {"right, margin 5", ui::blGlyphRight, 5, -1, {79, 22}, Bounds(34, 24, 12, 12)},
        {"top, both given", ui::blGlyphTop, 3, 2, {42, 3}, Bounds(44, 21, 12, 12)},
        {"bottom, both given", ui::blGlyphBottom, 3, 2, {42, 41}, Bounds(44, 27, 12, 12)},
    };
    for (const Case& c : cases) {
        TGlyphTextLayout at =
            LayoutGlyphText(*canvas, Bounds(0, 0, 100, 60), {0, 0}, "OK", c.layout, c.margin, c.spacing, &strip, 2);
        EXPECT_EQ(at.GlyphPos, c.glyph) << c.what;
        EXPECT_EQ(at.TextBounds, c.text) << c.what;
    }
}

TEST_F(FlatLayoutTest, AloneTheGlyphOrTheCaptionIsCentredWithoutSpacing)
{
    TBitmap none;
    // No caption: spacing 4 becomes 0 and the glyph sits in the middle.
    TGlyphTextLayout glyphOnly =
        LayoutGlyphText(*canvas, Bounds(0, 0, 100, 60), {0, 0}, "", ui::blGlyphTop, -1, 4, &strip, 2);
    EXPECT_EQ(glyphOnly.GlyphPos, (TPoint{42, 22}));
    EXPECT_TRUE(glyphOnly.TextBounds.IsEmpty());
    // No glyph: the caption alone, in the middle.
    for (const TBitmap* glyph : {static_cast<const TBitmap*>(nullptr), static_cast<const TBitmap*>(&none)}) {
        TGlyphTextLayout textOnly =
            LayoutGlyphText(*canvas, Bounds(0, 0, 100, 60), {0, 0}, "OK", ui::blGlyphLeft, -1, 4, glyph, 1);
        EXPECT_EQ(textOnly.TextBounds, Bounds(44, 24, 12, 12));
    }
}

TEST_F(FlatLayoutTest, TheRemainderOfThreePartsGoesToTheEnd)
{
    // 101 - 28 = 73: 24 before, 24 between, 25 after.
    TGlyphTextLayout at =
        LayoutGlyphText(*canvas, Bounds(0, 0, 101, 60), {0, 0}, "OK", ui::blGlyphLeft, -1, -1, &strip, 2);
    EXPECT_EQ(at.GlyphPos.X, 24);
    EXPECT_EQ(at.TextBounds.Left, 64);
    EXPECT_EQ(101 - at.TextBounds.Right, 25);
}

TEST_F(FlatLayoutTest, TheClientCornerAndThePressOffsetMoveBoth)
{
    TGlyphTextLayout at =
        LayoutGlyphText(*canvas, Bounds(2, 3, 100, 60), {1, 1}, "OK", ui::blGlyphLeft, -1, 4, &strip, 2);
    EXPECT_EQ(at.GlyphPos, (TPoint{34 + 3, 22 + 4}));
    EXPECT_EQ(at.TextBounds, Bounds(54 + 3, 24 + 4, 12, 12));
}

// ---- Parent image ---------------------------------------------------------------------

namespace {

class FlatParentImageTest : public FlatFixture {};

}  // namespace

TEST_F(FlatParentImageTest, PaintsWhatLiesBehindTheControl)
{
    form->SetColor(RGB(10, 20, 30));
    // A windowless square the parent paints, half under the control.
    auto* square = Add<ui::TShape>("Square", Bounds(30, 30, 20, 20));
    square->Brush()->SetColor(RGB(200, 0, 0));
    square->Pen()->SetColor(RGB(200, 0, 0));
    // The control is windowed: the parent's painting leaves it out.
    auto* control = Add<ui::TPanel>("Control", Bounds(40, 40, 30, 30));
    ShowForm(200, 120);

    TBitmap image(30, 30);
    image.Canvas()->Brush()->SetColor(graphics::clWhite);
    int saved = image.Canvas()->SavedCount();
    PaintParentImage(*control, *image.Canvas());
    EXPECT_EQ(image.Canvas()->SavedCount(), saved);
    EXPECT_EQ(image.Canvas()->WindowOrg(), (TPoint{0, 0})) << "the canvas's state is kept";
    // The square covers (30..49, 30..49) of the form: (0..9, 0..9) here.
    EXPECT_EQ(image.Pixel(0, 0), RGB(200, 0, 0));
    EXPECT_EQ(image.Pixel(9, 9), RGB(200, 0, 0));
    EXPECT_EQ(image.Pixel(10, 10), RGB(10, 20, 30));
    EXPECT_EQ(image.Pixel(29, 29), RGB(10, 20, 30));
}

TEST_F(FlatParentImageTest, StopsAtTheParentsClientArea)
{
    form->SetColor(RGB(10, 20, 30));
    auto* control = Add<ui::TPanel>("Control", Bounds(180, 100, 30, 30));
    ShowForm(200, 120);
    TBitmap image(30, 30);  // white
    PaintParentImage(*control, *image.Canvas());
    EXPECT_EQ(image.Pixel(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(image.Pixel(19, 19), RGB(10, 20, 30));
    EXPECT_EQ(image.Pixel(20, 5), graphics::clWhite) << "right of the form";
    EXPECT_EQ(image.Pixel(5, 20), graphics::clWhite) << "below the form";
}

TEST_F(FlatParentImageTest, WithoutParentNothingIsPainted)
{
    ui::TShape orphan(nullptr);
    orphan.SetBounds(0, 0, 5, 5);
    TBitmap image(5, 5);
    PaintParentImage(orphan, *image.Canvas());
    EXPECT_EQ(image.Pixel(2, 2), graphics::clWhite);
}
