#include <gtest/gtest.h>

#include <vector>

#include "flat/FlatButton.h"
#include "flat/FlatSpeedButton.h"
#include "flat/Registration.h"
#include "platform/core/TypeInfo.h"
#include "platform/filing/Streaming.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/Action.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Registration.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/flat/FlatFixture.h"

using namespace flat;
using graphics::Bounds;
using graphics::RGB;
using graphics::TBitmap;

namespace {

class FlatButtonTest : public FlatFixture {};

}  // namespace

// ---- Published properties --------------------------------------------------------

TEST_F(FlatButtonTest, ANewButtonHasThePublishedDefaults)
{
    TFlatButton b(nullptr);
    EXPECT_EQ(b.Width(), 25);
    EXPECT_EQ(b.Height(), 25);
    EXPECT_TRUE(b.ParentColor());
    EXPECT_FALSE(b.TabStop());
    EXPECT_EQ(b.Layout(), ui::blGlyphTop);
    // Every published property of a new button is at its declared default,
    // so nothing but what a form sets is filed.
    struct Expected {
        const char* name;
        int64_t value;
    };
    const Expected expected[] = {
        {"ColorFocused", 14805739}, {"ColorDown", 12965593}, {"ColorBorder", 8623776},
        {"ColorHighLight", 16777215}, {"ColorShadow", 0},     {"AdvColorFocused", 10},
        {"AdvColorDown", 10},        {"AdvColorBorder", 50},   {"UseAdvColors", 0},
        {"TransparentMode", tmNone},  {"Default", 0},          {"GroupIndex", 0},
        {"Down", 0},                 {"AllowAllUp", 0},        {"NumGlyphs", 1},
        {"Layout", ui::blGlyphTop},  {"Margin", -1},           {"Spacing", 4},
        {"ModalResult", 0},          {"ParentColor", 1},       {"TabStop", 0},
    };
    for (const Expected& e : expected) {
        const core::PropInfo* p = TFlatButton::StaticClass().FindProperty(e.name);
        ASSERT_NE(p, nullptr) << e.name;
        EXPECT_EQ(p->GetOrd(b), e.value) << e.name;
        EXPECT_TRUE(p->IsDefaultValue(b)) << e.name;
    }
    for (const char* name : {"Caption", "Glyph", "Color", "Font", "OnClick", "OnDblClick", "OnMouseEnter"})
        EXPECT_NE(TFlatButton::StaticClass().FindProperty(name), nullptr) << name;
    // The speed button has the same, without Default and the tab order, and
    // with an action.
    EXPECT_EQ(TFlatSpeedButton::StaticClass().FindProperty("Default"), nullptr);
    EXPECT_EQ(TFlatSpeedButton::StaticClass().FindProperty("TabStop"), nullptr);
    EXPECT_NE(TFlatSpeedButton::StaticClass().FindProperty("Action"), nullptr);
    EXPECT_NE(TFlatSpeedButton::StaticClass().FindProperty("TransparentMode"), nullptr);
}

TEST_F(FlatButtonTest, AFormDescriptionSetsTheButtonsAndTheyAreWrittenBack)
{
    RegisterControls();
    ui::RegisterControls();
    const std::string text = R"(object Form1: TForm
  Left = 100
  Top = 100
  Caption = 'Flat'
  ClientHeight = 100
  ClientWidth = 200
  object Ok: TFlatButton
    Left = 8
    Top = 8
    Width = 60
    Height = 24
    ColorFocused = clRed
    AdvColorBorder = 20
    TransparentMode = tmNotFocused
    Default = True
    AllowAllUp = True
    GroupIndex = 3
    Down = True
    Caption = '&OK'
    Layout = blGlyphLeft
    Margin = 2
    Spacing = -1
    ModalResult = 1
  end
  object Tool: TFlatSpeedButton
    Left = 80
    Top = 8
    TransparentMode = tmAlways
    NumGlyphs = 3
  end
end
)";
    filing::ReadComponentText(text, form);
    auto* ok = dynamic_cast<TFlatButton*>(form->FindComponent("Ok"));
    auto* tool = dynamic_cast<TFlatSpeedButton*>(form->FindComponent("Tool"));
    ASSERT_TRUE(ok && tool);
    EXPECT_EQ(ok->ColorFocused(), graphics::clRed);
    EXPECT_EQ(ok->AdvColorBorder(), 20);
    EXPECT_EQ(ok->TransparentMode(), tmNotFocused);
    EXPECT_TRUE(ok->Default());
    EXPECT_TRUE(ok->AllowAllUp());
    EXPECT_EQ(ok->GroupIndex(), 3);
    EXPECT_TRUE(ok->Down());
    EXPECT_EQ(ok->State(), bsExclusive);
    EXPECT_EQ(ok->Layout(), ui::blGlyphLeft);
    EXPECT_EQ(ok->Margin(), 2);
    EXPECT_EQ(ok->Spacing(), -1);
    EXPECT_EQ(ok->ModalResult(), 1);
    EXPECT_EQ(ok->Color(), form->Color()) << "the face follows the form";
    EXPECT_EQ(tool->TransparentMode(), tmAlways);
    EXPECT_EQ(tool->NumGlyphs(), 3);
    EXPECT_EQ(tool->BoundsRect(), Bounds(80, 8, 25, 25));

    AnsiString written = filing::ComponentToText(form);
    for (const char* line : {"ColorFocused = clRed", "AdvColorBorder = 20", "TransparentMode = tmNotFocused",
                             "Default = True", "GroupIndex = 3", "Down = True", "Layout = blGlyphLeft",
                             "Spacing = -1", "ModalResult = 1", "TransparentMode = tmAlways", "NumGlyphs = 3"})
        EXPECT_NE(written.find(line), std::string::npos) << line << "\n" << written;
    for (const char* absent : {"ParentColor", "ColorDown", "TabStop", "Layout = blGlyphTop", "\n    Color = "})
        EXPECT_EQ(written.find(absent), std::string::npos) << absent << "\n" << written;
}

TEST_F(FlatButtonTest, NumGlyphsFollowsTheShapeOfANewGlyph)
{
    struct Case {
        int width;
        int height;
        int numGlyphs;
    };
    // Starting from 2 images: a strip that is no whole multiple keeps it.
    const Case cases[] = {{64, 16, 4}, {48, 16, 3}, {32, 16, 2}, {16, 16, 1}, {80, 16, 1}, {50, 16, 2}, {16, 32, 2}};
    for (const Case& c : cases) {
        TFlatButton b(nullptr);
        b.SetNumGlyphs(2);
        TBitmap glyph(c.width, c.height);
        b.SetGlyph(&glyph);
        EXPECT_EQ(b.NumGlyphs(), c.numGlyphs) << c.width << "x" << c.height;
        EXPECT_EQ(b.Glyph()->Width(), c.width);
    }
    // The bitmap the button holds is no new glyph.
    TFlatButton b(nullptr);
    TBitmap strip(64, 16);
    b.SetGlyph(&strip);
    b.SetNumGlyphs(2);
    b.SetGlyph(b.Glyph());
    EXPECT_EQ(b.NumGlyphs(), 2);
    EXPECT_EQ(b.Glyph()->Width(), 64);
    // Out of range counts are brought into 1 to 4.
    b.SetNumGlyphs(0);
    EXPECT_EQ(b.NumGlyphs(), 1);
    b.SetNumGlyphs(9);
    EXPECT_EQ(b.NumGlyphs(), 4);
}

TEST_F(FlatButtonTest, MarginBelowMinusOneIsIgnoredAndPercentagesAreBounded)
{
    TFlatButton b(nullptr);
    b.SetMargin(3);
    b.SetMargin(-2);
    EXPECT_EQ(b.Margin(), 3);
    b.SetMargin(-1);
    EXPECT_EQ(b.Margin(), -1);
    b.SetAdvColorDown(300);
    EXPECT_EQ(b.AdvColorDown(), 100);
    b.SetAdvColorFocused(-4);
    EXPECT_EQ(b.AdvColorFocused(), 0);
}

TEST_F(FlatButtonTest, AdvancedColoursAreDerivedFromTheFaceColour)
{
    form->SetColor(RGB(64, 128, 192));
    auto* b = Add<TFlatButton>("B", Bounds(10, 10, 60, 24));
    b->SetColor(graphics::clRed);
    EXPECT_FALSE(b->ParentColor());
    b->SetUseAdvColors(true);
    // Switching it on follows the parent's colour again.
    EXPECT_TRUE(b->ParentColor());
    EXPECT_EQ(b->Color(), RGB(64, 128, 192));
    EXPECT_EQ(b->ColorFocused(), ShiftedColor(RGB(64, 128, 192), 0, 10, false));
    EXPECT_EQ(b->ColorDown(), ShiftedColor(RGB(64, 128, 192), 0, 10, true));
    EXPECT_EQ(b->ColorBorder(), ShiftedColor(RGB(64, 128, 192), 0, 50, true));
    b->SetAdvColorBorder(100);
    EXPECT_EQ(b->ColorBorder(), graphics::clBlack);
    // Percentage 0 keeps the colour there is.
    b->SetColorDown(graphics::clLime);
    b->SetAdvColorDown(0);
    EXPECT_EQ(b->ColorDown(), graphics::clLime);
    // The parent's colour changes: the derived colours follow.
    form->SetColor(RGB(200, 100, 0));
    EXPECT_EQ(b->ColorFocused(), ShiftedColor(RGB(200, 100, 0), 0, 10, false));
    // Without UseAdvColors they are left alone.
    TFlatButton plain(nullptr);
    plain.SetAdvColorFocused(90);
    EXPECT_EQ(plain.ColorFocused(), 14805739);
}

TEST_F(FlatButtonTest, OnlyAButtonThatFollowsItsParentTakesTheParentsNewColour)
{
    auto* follows = Add<TFlatButton>("Follows", Bounds(10, 10, 60, 24));
    auto* own = Add<TFlatButton>("Own", Bounds(80, 10, 60, 24));
    auto* ownSpeed = Add<TFlatSpeedButton>("OwnSpeed", Bounds(150, 10, 60, 24));
    own->SetColor(graphics::clYellow);
    ownSpeed->SetColor(graphics::clAqua);
    form->SetColor(RGB(1, 2, 3));
    EXPECT_EQ(follows->Color(), RGB(1, 2, 3));
    EXPECT_EQ(own->Color(), graphics::clYellow);
    EXPECT_FALSE(own->ParentColor());
    EXPECT_EQ(ownSpeed->Color(), graphics::clAqua);
    // A system colour change does not take the own colour away either.
    for (ui::TControl* c : std::initializer_list<ui::TControl*>{follows, own, ownSpeed})
        c->Perform(ui::CM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(own->Color(), graphics::clYellow);
    EXPECT_EQ(ownSpeed->Color(), graphics::clAqua);
    EXPECT_EQ(follows->Color(), RGB(1, 2, 3));
}

// ---- Groups --------------------------------------------------------------------------

TEST_F(FlatButtonTest, GroupRules)
{
    auto* a = Button("A", Bounds(10, 10, 40, 24), 1);
    auto* b = Button("B", Bounds(60, 10, 40, 24), 1);
    auto* other = Button("Other", Bounds(110, 10, 40, 24), 2);
    auto* plain = Button("Plain", Bounds(160, 10, 40, 24), 0);
    ShowForm(220, 60);

    // Without a group a button cannot be down.
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());

    a->SetDown(true);
    EXPECT_EQ(a->State(), bsExclusive);
    other->SetDown(true);
    EXPECT_TRUE(a->Down()) << "another group";
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->State(), bsUp);
    EXPECT_TRUE(other->Down());

    // Latched without AllowAllUp: neither a click nor the setter releases it.
    b->SetDown(false);
    EXPECT_TRUE(b->Down());
    ClickOn(b);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(b->State(), bsExclusive);
    EXPECT_EQ(clicks, (std::vector<core::AnsiString>{"B"})) << "it still clicks";

    // AllowAllUp is shared by the group and lets the down one come up.
    a->SetAllowAllUp(true);
    EXPECT_TRUE(b->AllowAllUp());
    EXPECT_FALSE(other->AllowAllUp());
    ClickOn(b);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(b->State(), bsUp);
    ClickOn(a);
    EXPECT_TRUE(a->Down());
    a->SetDown(false);
    EXPECT_FALSE(a->Down());

    // A button joining a group hands it its AllowAllUp.
    b->SetAllowAllUp(false);
    EXPECT_FALSE(a->AllowAllUp());
    other->SetAllowAllUp(true);
    other->SetGroupIndex(1);
    EXPECT_TRUE(a->AllowAllUp());
    EXPECT_TRUE(b->AllowAllUp());
}

TEST_F(FlatButtonTest, GroupsOfTheTwoClassesDoNotMix)
{
    auto* push = Button("Push", Bounds(10, 10, 40, 24), 1);
    auto* speed = Add<TFlatSpeedButton>("Speed", Bounds(60, 10, 40, 24));
    speed->SetGroupIndex(1);
    push->SetDown(true);
    speed->SetDown(true);
    EXPECT_TRUE(push->Down());
    EXPECT_TRUE(speed->Down());
}

// ---- Mouse ---------------------------------------------------------------------------

TEST_F(FlatButtonTest, PressDragOffAndReleaseGivesNoClick)
{
    auto* b = Button("B", Bounds(10, 10, 40, 24));
    b->SetModalResult(ui::mrOk);
    ShowForm(200, 100);
    form->SetModalResult(77);
    display->Press(At(b, {5, 5}));
    EXPECT_EQ(b->State(), bsDown);
    EXPECT_TRUE(b->Dragging());
    display->MoveMouse(At(b, {60, 5}));
    EXPECT_EQ(b->State(), bsUp);
    display->MoveMouse(At(b, {20, 10}));
    EXPECT_EQ(b->State(), bsDown) << "back over it";
    display->MoveMouse(At(b, {5, 40}));
    EXPECT_EQ(b->State(), bsUp);
    display->Release(At(b, {5, 40}));
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(form->ModalResult(), 77) << "no modal result";
    EXPECT_FALSE(b->Dragging());
    EXPECT_FALSE(b->MouseInControl()) << "the pointer is elsewhere";

    // A click hands the result to the form, also a result of 0.
    ClickOn(b);
    EXPECT_EQ(clicks, (std::vector<core::AnsiString>{"B"}));
    EXPECT_EQ(form->ModalResult(), ui::mrOk);
    b->SetModalResult(ui::mrNone);
    form->SetModalResult(77);
    ClickOn(b);
    EXPECT_EQ(form->ModalResult(), ui::mrNone);
}

TEST_F(FlatButtonTest, ReleaseOnTheBottomEdgeRowCountsButNotOnTheRightEdgeColumn)
{
    auto* b = Button("B", Bounds(10, 10, 40, 24));
    ShowForm(200, 100);
    struct Case {
        TPoint at;
        bool click;
    };
    const Case cases[] = {
        {{0, 0}, true}, {{39, 23}, true}, {{20, 24}, true}, {{39, 24}, true},
        {{40, 10}, false}, {{20, 25}, false}, {{-1, 10}, false}, {{20, -1}, false},
    };
    for (const Case& c : cases) {
        clicks.clear();
        display->Press(At(b, {5, 5}));
        display->Release(At(b, c.at));
        EXPECT_EQ(clicks.size(), c.click ? 1u : 0u) << c.at.X << "," << c.at.Y;
    }
}

TEST_F(FlatButtonTest, AGroupedButtonReleasedOutsideWithoutAMoveShowsItsGroupStateAgain)
{
    auto* b = Button("B", Bounds(10, 10, 40, 24), 1);
    auto* latched = Button("Latched", Bounds(60, 10, 40, 24), 1);
    latched->SetDown(true);
    ShowForm(200, 100);
    for (auto* button : {b, latched}) {
        display->Press(At(button, {5, 5}));
        // The release comes far away, with no move before it.
        ui::WindowManager().InjectMouseButton(ui::mbLeft, false, At(button, {5, 60}));
        Pump();
        EXPECT_TRUE(clicks.empty()) << button->Name();
        EXPECT_EQ(button->State(), button->Down() ? bsExclusive : bsUp) << button->Name();
    }
    EXPECT_FALSE(b->Down());
    EXPECT_TRUE(latched->Down());
    // And it is drawn so: the face of a button at rest, not the pressed one.
    EXPECT_EQ(PixelOf(b, {20, 12}), graphics::ColorToRGB(form->Color()) & 0xFFFFFF);
}

TEST_F(FlatButtonTest, DoubleClickFiresOnlyWhileDown)
{
    // The first click latches the grouped button, so the second press finds
    // it down; the plain button is never down.
    auto* grouped = Button("Grouped", Bounds(10, 10, 40, 24), 1);
    grouped->SetAllowAllUp(true);
    auto* plain = Button("Plain", Bounds(60, 10, 40, 24));
    ShowForm(200, 100);
    for (auto* b : {grouped, plain}) {
        int doubles = 0;
        b->OnDblClick = [&](core::TObject*) { ++doubles; };
        display->DoubleClick(At(b, {5, 5}));
        EXPECT_EQ(doubles, b == grouped ? 1 : 0) << b->Name();
        EXPECT_FALSE(b->Down()) << "the second click released it";
        b->OnDblClick.Clear();
    }
    EXPECT_EQ(clicks.size(), 4u);
}

// ---- Hover ---------------------------------------------------------------------------

TEST_F(FlatButtonTest, OneHotButtonAtATimeAndTheTimerLetsItGo)
{
    auto* a = Button("A", Bounds(10, 10, 40, 24));
    auto* b = Button("B", Bounds(60, 10, 40, 24));
    ShowForm(200, 100);
    ui::TTimer* timer = TFlatButton::HoverTimer();
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->Interval(), 100u);
    EXPECT_FALSE(timer->Enabled());

    display->MoveMouse(At(a, {5, 5}));
    EXPECT_EQ(TFlatButton::HotButton(), a);
    EXPECT_TRUE(a->MouseInControl());
    EXPECT_TRUE(timer->Enabled());

    // Straight to the other button: the look moves at once.
    display->MoveMouse(At(b, {5, 5}));
    EXPECT_EQ(TFlatButton::HotButton(), b);
    EXPECT_FALSE(a->MouseInControl());
    EXPECT_TRUE(b->MouseInControl());

    // Off the buttons: the next tick lets the hot one go, not earlier.
    display->MoveMouse(At(b, {5, 50}));
    display->Advance(99);
    Pump();
    EXPECT_TRUE(b->MouseInControl());
    display->Advance(1);
    Pump();
    EXPECT_FALSE(b->MouseInControl());
    EXPECT_EQ(TFlatButton::HotButton(), nullptr);
    EXPECT_FALSE(timer->Enabled());
}

TEST_F(FlatButtonTest, PushAndSpeedButtonsHaveTheirOwnHotButton)
{
    auto* push = Button("Push", Bounds(10, 10, 40, 24));
    auto* speed = Add<TFlatSpeedButton>("Speed", Bounds(60, 10, 40, 24));
    ShowForm(200, 100);
    display->MoveMouse(At(push, {5, 5}));
    display->MoveMouse(At(speed, {5, 5}));
    EXPECT_EQ(TFlatSpeedButton::HotButton(), speed);
    EXPECT_EQ(TFlatButton::HotButton(), push) << "until its own timer ticks";
    EXPECT_TRUE(push->MouseInControl());
    EXPECT_TRUE(speed->MouseInControl());
    display->Advance(100);
    Pump();
    EXPECT_EQ(TFlatButton::HotButton(), nullptr);
    EXPECT_FALSE(push->MouseInControl());
    EXPECT_TRUE(speed->MouseInControl());
}

TEST_F(FlatButtonTest, AHeldButtonKeepsItsLookUntilReleased)
{
    auto* b = Button("B", Bounds(10, 10, 40, 24));
    ShowForm(200, 100);
    display->Press(At(b, {5, 5}));
    EXPECT_TRUE(b->MouseInControl());
    display->MoveMouse(At(b, {5, 60}));
    display->Advance(300);
    Pump();
    EXPECT_TRUE(b->MouseInControl()) << "dragging";
    display->Release(At(b, {5, 60}));
    // Released away from it: the look goes, though the button has the
    // focus it took on the press.
    EXPECT_TRUE(b->Focused());
    EXPECT_FALSE(b->MouseInControl());
    EXPECT_EQ(TFlatButton::HotButton(), nullptr);
}

TEST_F(FlatButtonTest, DisablingAndFreeingLetTheHotButtonGo)
{
    auto* a = Button("A", Bounds(10, 10, 40, 24));
    ShowForm(200, 100);
    display->MoveMouse(At(a, {5, 5}));
    ASSERT_EQ(TFlatButton::HotButton(), a);
    a->SetEnabled(false);
    EXPECT_EQ(a->State(), bsDisabled);
    EXPECT_FALSE(a->MouseInControl());
    EXPECT_EQ(TFlatButton::HotButton(), nullptr);
    EXPECT_FALSE(TFlatButton::HoverTimer()->Enabled());
    // Enabled again under the pointer: it looks hovered, and the next paint
    // shows it up.
    a->SetEnabled(true);
    EXPECT_TRUE(a->MouseInControl());
    Pump();
    EXPECT_EQ(a->State(), bsUp);

    display->MoveMouse(At(a, {6, 6}));
    ASSERT_EQ(TFlatButton::HotButton(), a);
    delete a;
    EXPECT_EQ(TFlatButton::HotButton(), nullptr);
    EXPECT_EQ(TFlatButton::HoverTimer(), nullptr) << "freed with the last button";
    display->Advance(200);
    Pump();
}

// ---- Keys, focus, accelerator ------------------------------------------------------------

TEST_F(FlatButtonTest, SpaceBarPressesAndClicks)
{
    auto* b = Button("B", Bounds(10, 10, 40, 24));
    int keyEvents = 0;
    b->OnKeyDown = [&](core::TObject*, uint16_t&, ui::TShiftState) { ++keyEvents; };
    ShowForm(200, 100);
    b->SetFocus();
    EXPECT_TRUE(b->MouseInControl()) << "a focused button looks hovered";
    display->KeyDown(ui::VK_SPACE);
    EXPECT_EQ(b->State(), bsDown);
    EXPECT_TRUE(clicks.empty());
    display->KeyUp(ui::VK_SPACE);
    EXPECT_EQ(b->State(), bsUp);
    EXPECT_EQ(clicks, (std::vector<core::AnsiString>{"B"}));
    display->PressKey('A');
    EXPECT_EQ(keyEvents, 0) << "other keys do nothing";
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(FlatButtonTest, SpaceBarLatchesAndUnlatchesAsAClickDoes)
{
    auto* a = Button("A", Bounds(10, 10, 40, 24), 1);
    auto* b = Button("B", Bounds(60, 10, 40, 24), 1);
    ShowForm(200, 100);
    for (bool allowAllUp : {true, false}) {
        a->SetAllowAllUp(allowAllUp);
        b->SetDown(true);
        a->SetFocus();
        display->KeyDown(ui::VK_SPACE);
        EXPECT_FALSE(a->Down()) << "held, not yet latched";
        EXPECT_EQ(a->State(), bsDown);
        display->KeyUp(ui::VK_SPACE);
        EXPECT_TRUE(a->Down()) << allowAllUp;
        EXPECT_EQ(a->State(), bsExclusive);
        EXPECT_FALSE(b->Down());
        // Again: it comes up only where the group allows all up.
        display->PressKey(ui::VK_SPACE);
        EXPECT_EQ(a->Down(), !allowAllUp) << allowAllUp;
        EXPECT_EQ(a->State(), a->Down() ? bsExclusive : bsUp);
    }
    EXPECT_EQ(clicks.size(), 4u);
}

TEST_F(FlatButtonTest, EnterDoesNotPressADefaultButtonAndItIsNoTabStop)
{
    auto* edit = Add<ui::TEdit>("Edit", Bounds(10, 50, 80, 20));
    auto* b = Button("B", Bounds(10, 10, 40, 24));
    b->SetDefault(true);
    ShowForm(200, 100);
    edit->SetFocus();
    display->PressKey(ui::VK_RETURN);
    EXPECT_TRUE(clicks.empty());
    display->PressKey(ui::VK_TAB);
    EXPECT_FALSE(b->Focused());
}

TEST_F(FlatButtonTest, TheAcceleratorClicksAndLatchesAPushButtonButOnlyClicksASpeedButton)
{
    auto* push = Button("Push", Bounds(10, 10, 40, 24), 1);
    push->SetCaption("&Save");
    auto* speed = Add<TFlatSpeedButton>("Speed", Bounds(60, 10, 40, 24));
    speed->SetCaption("&Open");
    speed->SetGroupIndex(2);
    int speedClicks = 0;
    speed->OnClick = [&](core::TObject*) { ++speedClicks; };
    auto* hidden = Button("Hidden", Bounds(110, 10, 40, 24));
    hidden->SetCaption("&Hide");
    hidden->Hide();
    ShowForm(200, 100);

    EXPECT_NE(form->Perform(ui::CM_DIALOGCHAR, 's', 0), 0);
    EXPECT_EQ(clicks, (std::vector<core::AnsiString>{"Push"}));
    EXPECT_TRUE(push->Down());
    EXPECT_NE(form->Perform(ui::CM_DIALOGCHAR, 'O', 0), 0);
    EXPECT_EQ(speedClicks, 1);
    EXPECT_FALSE(speed->Down()) << "a speed button is not latched by its accelerator";
    EXPECT_EQ(form->Perform(ui::CM_DIALOGCHAR, 'h', 0), 0) << "a hidden button takes no accelerator";
    push->SetEnabled(false);
    EXPECT_EQ(form->Perform(ui::CM_DIALOGCHAR, 's', 0), 0);
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(FlatButtonTest, ASpeedButtonClicksWithoutTakingTheFocusOrKeys)
{
    auto* edit = Add<ui::TEdit>("Edit", Bounds(10, 50, 80, 20));
    auto* speed = Add<TFlatSpeedButton>("Speed", Bounds(10, 10, 40, 24));
    int speedClicks = 0;
    speed->OnClick = [&](core::TObject*) { ++speedClicks; };
    auto* push = Button("Push", Bounds(60, 10, 40, 24));
    ShowForm(200, 100);
    edit->SetFocus();
    display->Press(At(speed, {5, 5}));
    EXPECT_EQ(speed->State(), bsDown);
    display->Release(At(speed, {5, 5}));
    EXPECT_EQ(speedClicks, 1);
    EXPECT_TRUE(edit->Focused());
    display->PressKey(ui::VK_SPACE);
    EXPECT_EQ(speedClicks, 1);
    // The push button takes the focus when pressed.
    ClickOn(push);
    EXPECT_TRUE(push->Focused());
}

// ---- Speed button's action -------------------------------------------------------------

TEST_F(FlatButtonTest, ASpeedButtonTakesItsActionsImageAsGlyph)
{
    auto* images = new ui::TImageList(form);
    images->SetWidth(8);
    images->SetHeight(8);
    TBitmap red(8, 8);
    red.Canvas()->Brush()->SetColor(graphics::clRed);
    red.Canvas()->FillRect(Bounds(1, 0, 7, 7));  // the left column and bottom row stay white
    images->AddMasked(&red, graphics::clWhite);
    auto* list = new ui::TActionList(form);
    list->SetImages(images);
    struct Case {
        int index;
        bool preset;
        bool takes;
    };
    const Case cases[] = {{0, false, true}, {-1, false, false}, {1, false, false}, {0, true, false}};
    for (const Case& c : cases) {
        auto* action = new ui::TAction(form);
        action->SetActionList(list);
        action->SetImageIndex(c.index);
        auto* b = Add<TFlatSpeedButton>("", Bounds(10, 10, 30, 30));
        TBitmap preset(4, 4);
        if (c.preset)
            b->SetGlyph(&preset);
        b->SetAction(action);
        if (c.takes) {
            ASSERT_EQ(b->Glyph()->Width(), 8) << c.index;
            EXPECT_EQ(b->Glyph()->Pixel(3, 3), graphics::clRed);
            EXPECT_EQ(b->Glyph()->Pixel(0, 7), graphics::clFuchsia) << "the image is drawn over fuchsia";
        } else {
            EXPECT_EQ(b->Glyph()->Width(), c.preset ? 4 : 0) << c.index;
        }
        delete b;
    }
}
