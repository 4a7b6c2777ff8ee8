#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "flat/FlatButton.h"
#include "flat/FlatSpeedButton.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/Panel.h"
#include "platform/ui/Shape.h"
#include "tests/flat/FlatFixture.h"
#include "tests/support/Golden.h"

using namespace flat;
using graphics::Bounds;
using graphics::ColorToRGB;
using graphics::RGB;
using graphics::TBitmap;

namespace {

constexpr TColor kOlive = graphics::clOlive;
constexpr TColor kFace = RGB(236, 233, 216);

// A strip of 16 by 16 images, each filled with its colour but for its
// bottom row, which is olive (the strip's transparent colour).
std::unique_ptr<TBitmap> Strip(const std::vector<TColor>& colours)
{
    auto strip = std::make_unique<TBitmap>(16 * static_cast<int>(colours.size()), 16);
    graphics::TCanvas& c = *strip->Canvas();
    c.Brush()->SetColor(kOlive);
    c.FillRect(Bounds(0, 0, strip->Width(), 16));
    for (size_t i = 0; i < colours.size(); ++i) {
        c.Brush()->SetColor(colours[i]);
        c.FillRect(Bounds(16 * static_cast<int>(i), 0, 16, 15));
    }
    return strip;
}

// A 16 by 16 picture: a black-framed sheet with a red band and a navy
// line, on olive.
std::unique_ptr<TBitmap> SheetGlyph()
{
    auto glyph = std::make_unique<TBitmap>(16, 16);
    graphics::TCanvas& c = *glyph->Canvas();
    c.Brush()->SetColor(kOlive);
    c.FillRect(Bounds(0, 0, 16, 16));
    c.Brush()->SetColor(graphics::clWhite);
    c.Pen()->SetColor(graphics::clBlack);
    c.Rectangle(Bounds(2, 1, 12, 14));
    c.Brush()->SetColor(graphics::clRed);
    c.FillRect(Bounds(3, 2, 10, 3));
    c.Pen()->SetColor(graphics::clNavy);
    for (int y : {7, 10}) {
        c.MoveTo(4, y);
        c.LineTo(12, y);
    }
    return glyph;
}

class FlatPaintTest : public FlatFixture {
protected:
    void SetUp() override
    {
        FlatFixture::SetUp();
        form->SetColor(kFace);
    }
    TColor Rgb(TColor c) const { return ColorToRGB(c) & 0xFFFFFF; }
};

}  // namespace

TEST_F(FlatPaintTest, FaceAndFrameOfEachState)
{
    auto* up = Button("Up", Bounds(10, 10, 50, 30));
    auto* def = Button("Def", Bounds(70, 10, 50, 30));
    def->SetDefault(true);
    auto* latched = Button("Latched", Bounds(130, 10, 50, 30), 1);
    latched->SetDown(true);
    auto* off = Button("Off", Bounds(190, 10, 50, 30));
    off->SetEnabled(false);
    auto* hot = Button("Hot", Bounds(10, 50, 50, 30));
    auto* held = Button("Held", Bounds(70, 50, 50, 30));
    ShowForm(260, 100);
    display->MoveMouse(At(hot, {30, 3}));
    struct Expect {
        ui::TControl* button;
        TColor face, topLeft, bottomRight, secondRing;
    };
    auto check = [&](const Expect& e) {
        const auto* b = e.button;
        EXPECT_EQ(PixelOf(b, {0, 0}), Rgb(e.topLeft)) << b->Name();
        EXPECT_EQ(PixelOf(b, {0, 28}), Rgb(e.topLeft)) << b->Name();
        EXPECT_EQ(PixelOf(b, {49, 0}), Rgb(e.bottomRight)) << b->Name();
        EXPECT_EQ(PixelOf(b, {0, 29}), Rgb(e.bottomRight)) << b->Name();
        EXPECT_EQ(PixelOf(b, {49, 29}), Rgb(e.bottomRight)) << b->Name();
        EXPECT_EQ(PixelOf(b, {1, 1}), Rgb(e.secondRing)) << b->Name();
        EXPECT_EQ(PixelOf(b, {2, 2}), Rgb(e.face)) << b->Name();
    };
    const TColor border = 8623776, focused = 14805739, down = 12965593;
    check({up, kFace, border, border, kFace});
    check({def, kFace, border, border, border});
    check({latched, down, graphics::clBlack, graphics::clWhite, down});
    check({off, kFace, border, border, kFace});
    check({hot, focused, graphics::clWhite, graphics::clBlack, focused});
    // Held down under the pointer: pressed, and no longer the hovered look.
    display->Press(At(held, {30, 3}));
    check({held, down, graphics::clBlack, graphics::clWhite, down});
    check({hot, kFace, border, border, kFace});
    display->Release(At(held, {30, 3}));
}

TEST_F(FlatPaintTest, TheGlyphImageOfEachStateAndCount)
{
    const std::vector<TColor> colours = {graphics::clRed, graphics::clLime, graphics::clBlue, graphics::clYellow};
    struct Case {
        int numGlyphs;
        TColor up, disabled, down, exclusive;
    };
    const TColor r = graphics::clRed, g = graphics::clLime, b = graphics::clBlue, y = graphics::clYellow;
    const Case cases[] = {
        {2, r, g, r, r},
        {3, r, g, b, b},
        {4, r, g, b, y},
    };
    for (const Case& c : cases) {
        auto strip = Strip(std::vector<TColor>(colours.begin(), colours.begin() + c.numGlyphs));
        auto* plain = Add<TFlatButton>("", Bounds(10, 10, 40, 40));
        auto* disabled = Add<TFlatButton>("", Bounds(60, 10, 40, 40));
        auto* held = Add<TFlatButton>("", Bounds(110, 10, 40, 40));
        auto* latched = Add<TFlatButton>("", Bounds(160, 10, 40, 40));
        for (TFlatButton* button : {plain, disabled, held, latched}) {
            button->SetGlyph(strip.get());
            ASSERT_EQ(button->NumGlyphs(), c.numGlyphs);
        }
        disabled->SetEnabled(false);
        latched->SetGroupIndex(1);
        latched->SetDown(true);
        if (!form->Visible())
            ShowForm(220, 60);
        Pump();
        display->Press(At(held, {20, 20}));
        auto glyphColour = [&](TFlatButton* button) { return PixelOf(button, button->GlyphPos() + TPoint{8, 7}); };
        EXPECT_EQ(glyphColour(plain), c.up) << c.numGlyphs;
        EXPECT_EQ(glyphColour(disabled), c.disabled) << c.numGlyphs;
        EXPECT_EQ(glyphColour(held), c.down) << c.numGlyphs;
        EXPECT_EQ(glyphColour(latched), c.exclusive) << c.numGlyphs;
        // The bottom row is the transparent colour: the face shows.
        EXPECT_EQ(PixelOf(plain, plain->GlyphPos() + TPoint{8, 15}), kFace);
        // Pressed and latched images sit one pixel right and down.
        EXPECT_EQ(held->GlyphPos(), (plain->GlyphPos() + TPoint{1, 1}));
        EXPECT_EQ(latched->GlyphPos(), (plain->GlyphPos() + TPoint{1, 1}));
        display->Release(At(held, {20, 20}));
        for (TFlatButton* button : {plain, disabled, held, latched})
            delete button;
    }
}

TEST_F(FlatPaintTest, ADisabledButtonEmbossesItsOnlyImageAndItsCaption)
{
    auto* b = Add<TFlatButton>("B", Bounds(10, 10, 60, 44));
    b->SetCaption("OK");
    auto glyph = SheetGlyph();
    b->SetGlyph(glyph.get());
    b->SetEnabled(false);
    ShowForm(100, 70);
    TPoint g = b->GlyphPos();
    const TColor shadow = Rgb(graphics::clBtnShadow), light = Rgb(graphics::clBtnHighlight);
    // The black frame of the sheet in shadow, its highlight copy below and
    // right where nothing black covers it. The rest of the embossed image
    // is button face, its bottom-left pixel and so its transparent colour:
    // the red band and the white sheet are gone and the face shows.
    EXPECT_EQ(PixelOf(b, g + TPoint{2, 1}), shadow);
    EXPECT_EQ(PixelOf(b, g + TPoint{13, 14}), shadow);
    EXPECT_EQ(PixelOf(b, g + TPoint{14, 15}), light);
    EXPECT_EQ(PixelOf(b, g + TPoint{3, 2}), light) << "inside the frame's corner";
    EXPECT_EQ(PixelOf(b, g + TPoint{6, 3}), kFace) << "the red band";
    EXPECT_EQ(PixelOf(b, g + TPoint{8, 8}), kFace) << "the sheet";
    // The caption: highlight and shadow ink, no black.
    int lightInk = 0, shadowInk = 0;
    TRect t = b->TextBounds();
    for (int y = t.Top; y <= t.Bottom; ++y)
        for (int x = t.Left; x <= t.Right; ++x) {
            TColor c = PixelOf(b, {x, y});
            EXPECT_NE(c, graphics::clBlack);
            lightInk += c == light;
            shadowInk += c == shadow;
        }
    EXPECT_GT(lightInk, 5);
    EXPECT_GT(shadowInk, 5);
    // Enabled again, the sheet shows in its colours and the caption black.
    b->SetEnabled(true);
    Pump();
    EXPECT_EQ(PixelOf(b, g + TPoint{6, 2}), graphics::clRed);
    EXPECT_EQ(PixelOf(b, g + TPoint{5, 5}), graphics::clWhite);
}

TEST_F(FlatPaintTest, TransparentButtonsShowTheirParent)
{
    auto* panel = Add<ui::TPanel>("Panel", Bounds(0, 0, 240, 60));
    panel->SetBevelOuter(ui::bvNone);
    panel->SetColor(RGB(120, 160, 200));
    auto* mark = Add<ui::TShape>("Mark", Bounds(10, 10, 8, 8), panel);
    mark->Brush()->SetColor(graphics::clMaroon);
    mark->Pen()->SetColor(graphics::clMaroon);
    struct Case {
        TTransparentMode mode;
        bool speed;
        bool hover;
        bool parentShows;
    };
    const Case cases[] = {
        {tmAlways, false, false, true},     {tmAlways, false, true, true},   {tmNotFocused, false, false, true},
        {tmNotFocused, false, true, false}, {tmNone, false, false, false},   {tmAlways, true, true, true},
        {tmNotFocused, true, false, true},  {tmNotFocused, true, true, false},
    };
    ShowForm(240, 100);
    for (const Case& c : cases) {
        ui::TControl* button;
        if (c.speed) {
            auto* s = Add<TFlatSpeedButton>("", Bounds(6, 6, 40, 30), panel);
            s->SetTransparentMode(c.mode);
            button = s;
        } else {
            auto* p = Add<TFlatButton>("", Bounds(6, 6, 40, 30), panel);
            p->SetTransparentMode(c.mode);
            button = p;
        }
        if (c.hover)
            display->MoveMouse(At(button, {30, 20}));
        Pump();
        // (6, 6) of the button is (12, 12) of the panel, on the mark.
        TColor face = PixelOf(button, {20, 20});
        TColor onMark = PixelOf(button, {6, 6});
        if (c.parentShows) {
            EXPECT_EQ(face, RGB(120, 160, 200)) << c.mode << c.speed << c.hover;
            EXPECT_EQ(onMark, graphics::clMaroon) << c.mode << c.speed << c.hover;
        } else {
            TColor expected = c.hover ? 14805739 : ColorToRGB(panel->Color());
            EXPECT_EQ(face, expected) << c.mode << c.speed << c.hover;
            EXPECT_EQ(onMark, expected) << c.mode << c.speed << c.hover;
        }
        // The frame is drawn either way.
        EXPECT_EQ(PixelOf(button, {39, 29}), c.hover ? graphics::clBlack : 8623776) << c.mode << c.speed << c.hover;
        delete button;
        display->MoveMouse(At(panel, {200, 50}));
        display->Advance(200);
        Pump();
    }
}

TEST_F(FlatPaintTest, GoldenPicturesOfTheStates)
{
    auto* panel = Add<ui::TPanel>("Panel", Bounds(0, 0, 340, 120));
    panel->SetBevelOuter(ui::bvNone);
    panel->SetColor(kFace);
    auto* stripe = Add<ui::TShape>("Stripe", Bounds(0, 60, 340, 14), panel);
    stripe->Brush()->SetColor(RGB(150, 180, 220));
    stripe->Pen()->SetColor(RGB(150, 180, 220));
    auto glyph = SheetGlyph();
    auto add = [&](const char* caption, int x, int y, bool speed = false) -> ui::TControl* {
        ui::TControl* c;
        if (speed) {
            auto* s = Add<TFlatSpeedButton>("", Bounds(x, y, 60, 50), panel);
            s->SetGlyph(glyph.get());
            s->SetCaption(caption);
            c = s;
        } else {
            auto* b = Add<TFlatButton>("", Bounds(x, y, 60, 50), panel);
            b->SetGlyph(glyph.get());
            b->SetCaption(caption);
            c = b;
        }
        return c;
    };
    add("Up", 5, 5);
    static_cast<TFlatButton*>(add("Default", 70, 5))->SetDefault(true);
    auto* latched = static_cast<TFlatButton*>(add("Latched", 135, 5));
    latched->SetGroupIndex(1);
    latched->SetDown(true);
    add("Disabled", 200, 5)->SetEnabled(false);
    auto* held = add("Held", 265, 5);
    static_cast<TFlatButton*>(add("Clear", 5, 62))->SetTransparentMode(tmAlways);
    auto* hot = add("Hot", 70, 62);
    static_cast<TFlatSpeedButton*>(add("Tool", 135, 62, true))->SetTransparentMode(tmAlways);
    auto* toolHot = static_cast<TFlatSpeedButton*>(add("Tool", 200, 62, true));
    toolHot->SetTransparentMode(tmNotFocused);
    auto* right = static_cast<TFlatButton*>(add("Right", 265, 62));
    right->SetLayout(ui::blGlyphRight);
    right->SetMargin(2);
    ShowForm(340, 120);

    display->MoveMouse(At(toolHot, {30, 25}));
    display->MoveMouse(At(hot, {30, 25}));
    EXPECT_TRUE(toolHot->MouseInControl());
    EXPECT_TRUE(static_cast<TFlatButton*>(hot)->MouseInControl());
    EXPECT_TRUE(testsupport::MatchesGolden(*Picture(), "flat_button_states"));

    // Pressed and held: the sunken look, content one pixel down and right.
    display->Press(At(held, {30, 25}));
    EXPECT_TRUE(testsupport::MatchesGolden(*Picture(), "flat_button_pressed"));
    display->Release(At(held, {30, 25}));
}
