#include <gtest/gtest.h>

#include "controls/PickButton.h"
#include "controls/Registration.h"
#include "platform/core/TypeInfo.h"
#include "platform/filing/Streaming.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Panel.h"
#include "platform/ui/Registration.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/support/Golden.h"
#include "tests/support/HeadlessFixture.h"

using controls::TCPickButton;
using controls::TPickButton;
using graphics::Bounds;

namespace {

class PickButtonTest : public HeadlessFixture {
protected:
    void SetUp() override
    {
        HeadlessFixture::SetUp();
        ui::RegisterControls();
        controls::RegisterControls();
    }

    // A press and release of the left button in the middle of the inner button.
    void ClickButton(TCPickButton* pick) { display->Click(Centre(pick->Btn())); }
};

bool IsMagnifier(const graphics::TBitmap* glyph)
{
    return glyph && glyph->Width() == 12 && glyph->Height() == 12 && glyph->Pixel(0, 11) == graphics::clOlive &&
           glyph->Pixel(0, 4) == graphics::clBlack;
}

}  // namespace

TEST_F(PickButtonTest, StartsWithTheMagnifierAndWithoutTabStop)
{
    TCPickButton pick(nullptr);
    EXPECT_EQ(pick.Width(), 20);
    EXPECT_EQ(pick.Height(), 25);
    EXPECT_FALSE(pick.TabStop());
    EXPECT_EQ(pick.DownNumGlyphs(), 1);
    EXPECT_TRUE(IsMagnifier(pick.DownGlyph()));
    EXPECT_EQ(pick.Btn()->BoundsRect(), Bounds(0, 0, 20, 25));
    EXPECT_EQ(pick.Btn()->Parent(), &pick);
    EXPECT_FALSE(pick.ControlStyle().Contains(ui::csAcceptsControls));
    EXPECT_FALSE(pick.ControlStyle().Contains(ui::csSetCaption));
    EXPECT_TRUE(pick.ControlStyle().Contains(ui::csOpaque));

    const core::TClass& cls = TCPickButton::StaticClass();
    for (const char* name : {"Btn", "DownGlyph", "DownNumGlyphs", "FocusControl", "OnDownClick", "TabStop", "Align",
                             "Anchors", "Enabled", "Visible", "TabOrder", "OnEnter", "OnExit"})
        EXPECT_NE(cls.FindProperty(name), nullptr) << name;
    EXPECT_TRUE(cls.FindProperty("Btn")->ReadOnly());
    EXPECT_FALSE(cls.FindProperty("Btn")->IsStored(pick));
}

TEST_F(PickButtonTest, IsAtLeastFifteenWideAndTheButtonFillsIt)
{
    struct Case {
        int width, height, expectedWidth;
    } const cases[] = {{10, 20, 15}, {0, 17, 15}, {15, 17, 15}, {16, 30, 16}, {40, 12, 40}};
    auto* pick = Add<TCPickButton>("Pick", Bounds(10, 10, 20, 25));
    ShowForm();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        pick->SetBounds(30, 40, c.width, c.height);
        EXPECT_EQ(pick->BoundsRect(), Bounds(30, 40, c.expectedWidth, c.height));
        EXPECT_EQ(pick->Btn()->BoundsRect(), Bounds(0, 0, c.expectedWidth, c.height));
    }
}

TEST_F(PickButtonTest, ALoadedButtonTooNarrowIsWidenedOnceLoaded)
{
    filing::ReadComponentText("object Form1: TForm\n"
                              "  object Pick: TCPickButton\n"
                              "    Left = 8\n    Top = 6\n    Width = 9\n    Height = 21\n"
                              "    DownNumGlyphs = 1\n"
                              "  end\n"
                              "end\n",
                              form);
    auto* pick = dynamic_cast<TCPickButton*>(form->FindComponent("Pick"));
    ASSERT_NE(pick, nullptr);
    EXPECT_EQ(pick->BoundsRect(), Bounds(8, 6, 15, 21));
    EXPECT_EQ(pick->Btn()->BoundsRect(), Bounds(0, 0, 15, 21));
}

TEST_F(PickButtonTest, DownGlyphCopiesAPictureAndNothingBringsTheMagnifierBack)
{
    TCPickButton pick(nullptr);
    graphics::TBitmap red;
    red.SetSize(32, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            red.SetPixel(x, y, graphics::clRed);
    pick.SetDownGlyph(&red);
    EXPECT_EQ(pick.Btn()->Glyph()->Width(), 32);
    EXPECT_EQ(pick.Btn()->Glyph()->Pixel(3, 3), graphics::clRed);
    EXPECT_EQ(pick.DownNumGlyphs(), 2) << "two square images side by side";
    pick.SetDownNumGlyphs(1);
    EXPECT_EQ(pick.Btn()->NumGlyphs(), 1);

    pick.SetDownGlyph(nullptr);
    EXPECT_TRUE(IsMagnifier(pick.Btn()->Glyph()));
}

TEST_F(PickButtonTest, AClickRaisesOnDownClickWithTheContainerAsSender)
{
    auto* pick = Add<TCPickButton>("Pick", Bounds(10, 10, 20, 25));
    core::TObject* sender = nullptr;
    int clicks = 0;
    pick->OnDownClick = [&](core::TObject* s) {
        sender = s;
        ++clicks;
    };
    ShowForm();
    ClickButton(pick);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, pick);

    // A press that is released away from the button is no click.
    display->Press(Centre(pick->Btn()));
    display->Release(At(form, {300, 200}));
    EXPECT_EQ(clicks, 1);

    pick->SetEnabled(false);
    ClickButton(pick);
    EXPECT_EQ(clicks, 1) << "a disabled container takes no clicks";
}

TEST_F(PickButtonTest, APressFocusesFocusControlOrTheContainerAsTheyAllow)
{
    // Where the focus goes when the left button is pressed on the button,
    // starting from another field.
    struct Case {
        const char* name;
        bool withFocusControl, focusControlTabStop, containerTabStop;
        const char* focused;  // name of the focused control after the press
    } const cases[] = {
        {"focus control with tab stop", true, true, false, "Target"},
        {"focus control with tab stop wins over the container", true, true, true, "Target"},
        {"focus control without tab stop, container without", true, false, false, "Other"},
        {"focus control without tab stop, container with", true, false, true, "Holder"},
        {"no focus control, container without tab stop", false, false, false, "Other"},
        {"no focus control, container with tab stop", false, false, true, "Holder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* other = Add<ui::TEdit>("Other", Bounds(10, 10, 100, 20));
        auto* target = Add<ui::TEdit>("Target", Bounds(10, 50, 100, 20));
        // The container sits in a panel; given the focus it hands it on to the panel.
        auto* holder = Add<ui::TPanel>("Holder", Bounds(10, 100, 60, 40));
        holder->SetTabStop(true);
        auto* pick = Add<TCPickButton>("Pick", Bounds(5, 5, 20, 25), holder);
        target->SetTabStop(c.focusControlTabStop);
        pick->SetTabStop(c.containerTabStop);
        if (c.withFocusControl)
            pick->SetFocusControl(target);
        ShowForm();
        other->SetFocus();
        Pump();
        display->Press(Centre(pick->Btn()));
        ui::TWinControl* focused = form->ActiveControl();
        ASSERT_NE(focused, nullptr);
        EXPECT_EQ(focused->Name(), c.focused);
        EXPECT_FALSE(pick->Focused()) << "the container never keeps the focus";
        display->Release(Centre(pick->Btn()));
        delete holder;
        delete target;
        delete other;
    }
}

TEST_F(PickButtonTest, FocusGivenToTheContainerGoesToItsParent)
{
    auto* edit = Add<ui::TEdit>("Edit", Bounds(10, 10, 120, 24));
    auto* pick = Add<TCPickButton>("Pick", Bounds(90, 0, 16, 18), edit);
    ShowForm();
    pick->SetFocus();
    Pump();
    EXPECT_TRUE(edit->Focused());
    EXPECT_FALSE(pick->Focused());
}

TEST_F(PickButtonTest, OnAFormThatGivesTheFocusBackItKeepsTheFocus)
{
    // The form hands its focus to its active control, the container, which
    // would hand it back for ever.
    auto* pick = Add<TCPickButton>("Pick", Bounds(10, 10, 20, 25));
    pick->SetTabStop(true);
    int clicks = 0;
    pick->OnDownClick = [&](core::TObject*) { ++clicks; };
    ShowForm();
    display->Click(Centre(pick->Btn()));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(pick->Focused());
    form->SetFocus();
    Pump();
    EXPECT_TRUE(pick->Focused());
    display->PressKey(ui::VK_DOWN, {ui::VK_MENU});
    EXPECT_EQ(clicks, 2) << "Alt+Down on the focused container";
}

TEST_F(PickButtonTest, AltDownAloneClicksTheButton)
{
    struct Case {
        const char* name;
        unsigned key;
        std::initializer_list<unsigned> held;
        int clicks;
    } const cases[] = {
        {"Alt+Down", ui::VK_DOWN, {ui::VK_MENU}, 1},
        {"Down", ui::VK_DOWN, {}, 0},
        {"Ctrl+Alt+Down", ui::VK_DOWN, {ui::VK_CONTROL, ui::VK_MENU}, 0},
        {"Shift+Alt+Down", ui::VK_DOWN, {ui::VK_SHIFT, ui::VK_MENU}, 0},
        {"Alt+Up", ui::VK_UP, {ui::VK_MENU}, 0},
    };
    // The keys go to the container's window as they would while it had the
    // focus (which it gives away to any parent that can take it).
    auto* holder = Add<ui::TPanel>("Holder", Bounds(10, 10, 60, 40));
    auto* pick = Add<TCPickButton>("Pick", Bounds(5, 5, 20, 25), holder);
    int clicks = 0;
    pick->OnDownClick = [&](core::TObject*) { ++clicks; };
    ShowForm();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clicks = 0;
        for (unsigned vk : c.held)
            display->KeyDown(vk);
        pick->Perform(ui::WM_KEYDOWN, c.key, 0);
        for (unsigned vk : c.held)
            display->KeyUp(vk);
        EXPECT_EQ(clicks, c.clicks);
    }
}

TEST_F(PickButtonTest, ForgetsAFocusControlDestroyedElsewhere)
{
    auto* pick = Add<TCPickButton>("Pick", Bounds(10, 10, 20, 25));
    auto* target = Add<ui::TEdit>("Target", Bounds(40, 10, 100, 20));
    pick->SetFocusControl(target);
    delete target;
    EXPECT_EQ(pick->FocusControl(), nullptr);
    ShowForm();
    display->Click(Centre(pick->Btn()));  // must not reach the freed edit
}

TEST_F(PickButtonTest, ThePictureShowsADottedFocusRectangleThatMovesWhenPressed)
{
    auto* up = Add<TCPickButton>("Up", Bounds(10, 10, 20, 25));
    auto* pressed = Add<TCPickButton>("Pressed", Bounds(40, 10, 20, 25));
    ShowForm(80, 45);
    display->Press(Centre(pressed->Btn()));
    auto picture = Picture(form);
    display->Release(Centre(pressed->Btn()));
    EXPECT_TRUE(testsupport::MatchesGolden(*picture, "controls_pick_buttons"));

    // The dotted rectangle: every other pixel of its top edge is dark, 3
    // pixels in (4 when pressed), over the button's face elsewhere.
    auto dots = [&](const TCPickButton* pick, int inset) {
        graphics::TPoint origin = pick->ClientToScreen({0, 0}) - form->ClientOrigin();
        int dark = 0;
        for (int x = inset; x < pick->Width() - inset; ++x)
            if (picture->Pixel(origin.X + x, origin.Y + inset) != graphics::ColorToRGB(graphics::clBtnFace))
                ++dark;
        return dark;
    };
    EXPECT_GE(dots(up, 3), 5);
    EXPECT_EQ(dots(up, 4), 0);
    EXPECT_GE(dots(pressed, 4), 5);
}
