#include <gtest/gtest.h>

#include <vector>

#include "platform/graphics/Canvas.h"
#include "platform/ui/Panel.h"
#include "platform/ui/SpeedButton.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/support/Golden.h"
#include "tests/support/HeadlessFixture.h"

using namespace ui;
using graphics::Bounds;
using graphics::TBitmap;
using graphics::TColor;

namespace {

constexpr TColor kOlive = 0x008080;

// A strip of 8 by 8 images, each filled with its colour, the bottom-left
// pixel of each olive (the strip's transparent colour).
std::unique_ptr<TBitmap> Strip(const std::vector<TColor>& colours)
{
    auto strip = std::make_unique<TBitmap>(8 * static_cast<int>(colours.size()), 8);
    int x = 0;
    for (TColor c : colours) {
        strip->Canvas()->Brush()->SetColor(c);
        strip->Canvas()->FillRect(Bounds(x, 0, 8, 8));
        strip->SetPixel(x, 7, kOlive);
        x += 8;
    }
    return strip;
}

// A 12 by 12 picture of a sheet of paper with two lines on it.
std::unique_ptr<TBitmap> SheetGlyph()
{
    auto glyph = std::make_unique<TBitmap>(12, 12);
    graphics::TCanvas& c = *glyph->Canvas();
    c.Brush()->SetColor(kOlive);
    c.FillRect(Bounds(0, 0, 12, 12));
    c.Brush()->SetColor(graphics::clWhite);
    c.Pen()->SetColor(graphics::clBlack);
    c.Rectangle(Bounds(2, 0, 8, 12));
    c.Pen()->SetColor(graphics::clNavy);
    for (int y : {3, 6}) {
        c.MoveTo(4, y);
        c.LineTo(8, y);
    }
    return glyph;
}

class SpeedButtonTest : public HeadlessFixture {
protected:
    TSpeedButton* Button(const char* name, graphics::TRect bounds, int group = 0, TWinControl* parent = nullptr)
    {
        auto* b = Add<TSpeedButton>(name, bounds, parent);
        b->SetGroupIndex(group);
        b->OnClick = [this, b](core::TObject*) { clicks.push_back(b->Name()); };
        return b;
    }
    void ClickOn(TControl* c) { display->Click(At(c, {5, 5})); }

    std::vector<AnsiString> clicks;
};

}  // namespace

TEST_F(SpeedButtonTest, ClickOnlyWhenReleasedOverTheButton)
{
    auto* b = Button("B", Bounds(10, 10, 40, 24));
    ShowForm(200, 100);
    display->Press(At(b, {5, 5}));
    EXPECT_EQ(b->State(), bsDown);
    EXPECT_TRUE(clicks.empty());
    // Holding the button repeats nothing.
    display->Advance(3000);
    Pump();
    EXPECT_TRUE(clicks.empty());
    display->MoveMouse(At(b, {60, 5}));
    EXPECT_EQ(b->State(), bsUp);
    display->Release(At(b, {60, 5}));
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(b->State(), bsUp);

    // Out and back in again before the release still clicks.
    display->Press(At(b, {5, 5}));
    display->MoveMouse(At(b, {60, 5}));
    display->MoveMouse(At(b, {6, 6}));
    EXPECT_EQ(b->State(), bsDown);
    display->Release(At(b, {6, 6}));
    EXPECT_EQ(clicks, std::vector<AnsiString>{"B"});
    EXPECT_EQ(b->State(), bsUp);
    EXPECT_FALSE(b->Down());

    // A disabled button takes no clicks.
    b->SetEnabled(false);
    ClickOn(b);
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(SpeedButtonTest, OneButtonOfAGroupIsDown)
{
    auto* a = Button("A", Bounds(10, 10, 30, 24), 1);
    auto* b = Button("B", Bounds(40, 10, 30, 24), 1);
    auto* c = Button("C", Bounds(70, 10, 30, 24), 1);
    auto* other = Button("Other", Bounds(100, 10, 30, 24), 2);
    other->SetDown(true);
    // The same group number on another parent is another group.
    auto* panel = Add<TPanel>("Panel1", Bounds(0, 40, 200, 40));
    auto* elsewhere = Button("Elsewhere", Bounds(10, 5, 30, 24), 1, panel);
    elsewhere->SetDown(true);
    ShowForm(200, 100);

    ClickOn(a);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->State(), bsExclusive);
    ClickOn(b);
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->State(), bsUp);
    EXPECT_TRUE(b->Down());
    // Clicking the down button clicks it but keeps it down.
    ClickOn(b);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(b->State(), bsExclusive);
    EXPECT_EQ(clicks, (std::vector<AnsiString>{"A", "B", "B"}));
    // Set by the program, the same rule holds.
    c->SetDown(true);
    EXPECT_FALSE(b->Down());
    b->SetDown(false);
    EXPECT_TRUE(c->Down());
    EXPECT_TRUE(other->Down());
    EXPECT_TRUE(elsewhere->Down());
}

TEST_F(SpeedButtonTest, AllowAllUpIsSharedByTheGroup)
{
    auto* a = Button("A", Bounds(10, 10, 30, 24), 1);
    auto* b = Button("B", Bounds(40, 10, 30, 24), 1);
    ShowForm(200, 100);
    a->SetAllowAllUp(true);
    EXPECT_TRUE(b->AllowAllUp());
    ClickOn(b);
    EXPECT_TRUE(b->Down());
    ClickOn(b);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(a->Down());
    b->SetAllowAllUp(false);
    EXPECT_FALSE(a->AllowAllUp());

    // Without a group a button never stays down.
    auto* single = Button("Single", Bounds(80, 10, 30, 24));
    single->SetDown(true);
    EXPECT_FALSE(single->Down());
    ClickOn(single);
    EXPECT_FALSE(single->Down());
}

TEST_F(SpeedButtonTest, AcceleratorClicksWithoutLatching)
{
    auto* bold = Button("Bold", Bounds(10, 10, 60, 24), 1);
    bold->SetCaption("&Bold");
    ShowForm(200, 100);
    display->PressKey('B', {VK_MENU});
    EXPECT_EQ(clicks, std::vector<AnsiString>{"Bold"});
    EXPECT_FALSE(bold->Down());
    display->PressKey('X', {VK_MENU});
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(SpeedButtonTest, FlatButtonIsHotOnlyUnderThePointer)
{
    auto* flat = Button("Flat", Bounds(10, 10, 40, 24));
    flat->SetFlat(true);
    auto* plain = Button("Plain", Bounds(60, 10, 40, 24));
    ShowForm(200, 100);
    display->MoveMouse(At(flat, {5, 5}));
    EXPECT_TRUE(flat->MouseInControl());
    display->MoveMouse(At(plain, {5, 5}));
    EXPECT_FALSE(flat->MouseInControl());
    EXPECT_FALSE(plain->MouseInControl());
    // Clicked and left where it is, it stays hot.
    ClickOn(flat);
    EXPECT_TRUE(flat->MouseInControl());
    display->MoveMouse(form->ClientToScreen({190, 90}));
    EXPECT_FALSE(flat->MouseInControl());
}

TEST_F(SpeedButtonTest, EachStateShowsItsImageOfTheStrip)
{
    const TColor red = graphics::clRed, green = graphics::clLime, blue = graphics::clBlue, yellow = graphics::clYellow;
    const TColor engraved = graphics::ColorToRGB(graphics::clBtnShadow);
    struct Case {
        int count;
        TColor up, disabled, pressed, latched;
    };
    const Case cases[] = {
        {1, red, engraved, red, red},
        {2, red, green, red, red},
        {3, red, green, blue, red},
        {4, red, green, blue, yellow},
    };
    auto* b = Button("B", Bounds(10, 10, 40, 30), 1);
    b->SetAllowAllUp(true);
    ShowForm(100, 60);
    const TColor colours[] = {red, green, blue, yellow};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        auto strip = Strip(std::vector<TColor>(colours, colours + c.count));
        b->SetGlyph(strip.get());
        EXPECT_EQ(b->NumGlyphs(), c.count);
        Pump();
        // The middle of the button lies inside the 8 by 8 glyph in every state.
        EXPECT_EQ(PixelAt(30, 25), c.up);
        b->SetEnabled(false);
        Pump();
        EXPECT_EQ(PixelAt(30, 25), c.disabled);
        b->SetEnabled(true);
        display->Press(At(b, {20, 15}));
        EXPECT_EQ(PixelAt(30, 25), c.pressed);
        display->Release(At(b, {20, 15}));
        ASSERT_TRUE(b->Down());
        EXPECT_EQ(PixelAt(30, 25), c.latched);
        b->SetDown(false);
        Pump();
    }
}

TEST_F(SpeedButtonTest, GlyphCountFollowsTheStripAndItsCornerIsTransparent)
{
    auto* b = Button("B", Bounds(10, 10, 40, 30));
    const struct {
        int width;
        int expected;
    } cases[] = {{32, 4}, {16, 2}, {40, 1}, {20, 1}};
    for (const auto& c : cases) {
        b->SetNumGlyphs(1);
        TBitmap strip(c.width, 8);
        b->SetGlyph(&strip);
        EXPECT_EQ(b->NumGlyphs(), c.expected) << c.width;
    }
    b->SetNumGlyphs(9);
    EXPECT_EQ(b->NumGlyphs(), 4);
    b->SetNumGlyphs(0);
    EXPECT_EQ(b->NumGlyphs(), 1);

    // Olive pixels show the face: the glyph's bottom-left corner at (26, 28).
    auto strip = Strip({graphics::clRed});
    b->SetGlyph(strip.get());
    ShowForm(100, 60);
    EXPECT_EQ(PixelAt(26, 28), graphics::ColorToRGB(graphics::clBtnFace));
    EXPECT_EQ(PixelAt(27, 28), graphics::clRed);
}

TEST(SpeedButtonPlacement, GlyphAndCaptionByLayoutMarginAndSpacing)
{
    // A 12 by 12 glyph and a 24 by 12 caption in a 50 by 20 area (40 by 50
    // for the vertical layouts).
    const graphics::TSize glyph{12, 12}, text{24, 12};
    struct Case {
        TButtonLayout layout;
        int margin, spacing;
        TPoint glyphAt, textAt;
    };
    const Case cases[] = {
        {blGlyphLeft, -1, 4, {5, 4}, {21, 4}},    // the pair centred
        {blGlyphRight, -1, 4, {33, 4}, {5, 4}},
        {blGlyphLeft, 2, -1, {2, 4}, {20, 4}},    // caption centred in the rest
        {blGlyphLeft, -1, -1, {4, 4}, {20, 4}},   // free room in thirds
        {blGlyphLeft, 0, 0, {0, 4}, {12, 4}},
        {blGlyphTop, -1, 4, {14, 11}, {8, 27}},
        {blGlyphBottom, 3, 2, {14, 35}, {8, 21}},
    };
    for (const Case& c : cases) {
        bool vertical = c.layout == blGlyphTop || c.layout == blGlyphBottom;
        graphics::TSize client = vertical ? graphics::TSize{40, 50} : graphics::TSize{50, 20};
        TButtonPlacement at = PlaceGlyphAndText(client, glyph, text, c.layout, c.margin, c.spacing);
        EXPECT_EQ(at.Glyph, c.glyphAt) << c.layout << " " << c.margin << " " << c.spacing;
        EXPECT_EQ(at.Text, c.textAt) << c.layout << " " << c.margin << " " << c.spacing;
    }
    // A glyph alone is centred, whatever the spacing.
    EXPECT_EQ(PlaceGlyphAndText({50, 20}, glyph, {0, 0}, blGlyphLeft, -1, 4).Glyph, (TPoint{19, 4}));
}

TEST_F(SpeedButtonTest, GoldenPictureOfEveryState)
{
    const char* names[] = {"Up", "Pressed", "Latched", "Disabled", "FlatHot", "FlatCold"};
    std::vector<TSpeedButton*> buttons;
    auto glyph = SheetGlyph();
    for (int i = 0; i < 6; ++i) {
        auto* b = Button(names[i], Bounds(6 + 70 * i, 6, 64, 26), i == 2 ? 1 : 0);
        b->SetGlyph(glyph.get());
        b->SetCaption("&Save 存");
        buttons.push_back(b);
    }
    buttons[2]->SetDown(true);
    buttons[3]->SetEnabled(false);
    buttons[4]->SetFlat(true);
    buttons[5]->SetFlat(true);
    ShowForm(6 + 70 * 6, 38);

    // Pressed needs the pointer on its button and hot on another one: the
    // pressed button is taken from a picture of its own.
    display->Press(At(buttons[1], {30, 12}));
    auto pressed = Picture();
    display->Release(At(buttons[1], {30, 12}));
    display->MoveMouse(At(buttons[4], {30, 12}));
    ASSERT_TRUE(buttons[4]->MouseInControl());
    auto picture = Picture();
    graphics::TRect r = buttons[1]->BoundsRect();
    picture->Canvas()->CopyRect(r, *pressed->Canvas(), r);
    EXPECT_TRUE(testsupport::MatchesGolden(*picture, "ui_speed_button"));
}
