#include <gtest/gtest.h>

#include <vector>

#include "controls/BandPanels.h"
#include "controls/TinyButton.h"
#include "controls/TinyEdit.h"
#include "controls/TinyEditBtn.h"
#include "controls/TinySpeedBtn.h"
#include "platform/graphics/Bitmap.h"
#include "platform/ui/Action.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/support/Golden.h"
#include "tests/support/HeadlessFixture.h"

using namespace controls;
using graphics::Bounds;

namespace {

class TinyButtonTest : public HeadlessFixture {};

}  // namespace

TEST_F(TinyButtonTest, ClicksBySpaceAndByEnterWhileFocusedAndByTheMouse)
{
    auto* edit = Add<TTinyEdit>("Edit", Bounds(10, 10, 100, 18));
    auto* button = new TTinyButton(form);
    button->SetParent(form);
    button->SetBounds(10, 40, button->Width(), button->Height());
    EXPECT_EQ(button->Width(), 68);
    EXPECT_EQ(button->Height(), 21);
    EXPECT_FALSE(button->TabStop());
    button->SetModalResult(ui::mrOk);
    int clicks = 0;
    button->OnClick = [&](core::TObject* sender) {
        EXPECT_EQ(sender, button);
        ++clicks;
    };
    ShowForm();

    display->Click(Centre(button));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form->ModalResult(), ui::mrOk);
    form->SetModalResult(ui::mrNone);
    // Not a tab stop: Tab from the edit does not reach it, and Enter in the
    // edit does not press it.
    edit->SetFocus();
    display->PressKey(ui::VK_TAB);
    EXPECT_FALSE(button->Focused());
    display->PressKey(ui::VK_RETURN);
    EXPECT_EQ(clicks, 1);

    button->SetFocus();
    display->PressKey(ui::VK_SPACE);
    EXPECT_EQ(clicks, 2);
    display->PressKey(ui::VK_RETURN);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(form->ModalResult(), ui::mrOk) << "Enter hands ModalResult to the form as a click does";
    display->PressKey('A');
    EXPECT_EQ(clicks, 3);

    // A plain flat button does not take Enter.
    auto* flatButton = Add<flat::TFlatButton>("Flat", Bounds(100, 40, 68, 21));
    int flatClicks = 0;
    flatButton->OnClick = [&](core::TObject*) { ++flatClicks; };
    flatButton->SetFocus();
    display->PressKey(ui::VK_RETURN);
    EXPECT_EQ(flatClicks, 0);
    display->PressKey(ui::VK_SPACE);
    EXPECT_EQ(flatClicks, 1);
}

TEST_F(TinyButtonTest, AnActionsCheckedLatchesOnlyAGroupedButton)
{
    auto* action = new ui::TAction(form);
    action->SetCaption("加粗");
    action->SetChecked(true);
    auto* plain = Add<TTinyButton>("Plain", Bounds(10, 10, 68, 21));
    auto* grouped = Add<TTinyButton>("Grouped", Bounds(90, 10, 68, 21));
    grouped->SetGroupIndex(1);
    grouped->SetAllowAllUp(true);
    auto* tool = Add<TTinySpeedBtn>("Tool", Bounds(10, 40, 25, 25));
    auto* groupedTool = Add<TTinySpeedBtn>("GroupedTool", Bounds(40, 40, 25, 25));
    groupedTool->SetGroupIndex(2);
    groupedTool->SetAllowAllUp(true);
    for (ui::TControl* c : std::vector<ui::TControl*>{plain, grouped, tool, groupedTool})
        c->SetAction(action);
    EXPECT_EQ(plain->Caption(), "加粗");
    EXPECT_FALSE(plain->Down());
    EXPECT_TRUE(grouped->Down());
    EXPECT_FALSE(tool->Down());
    EXPECT_TRUE(groupedTool->Down());
    action->SetChecked(false);
    EXPECT_FALSE(grouped->Down());
    EXPECT_FALSE(groupedTool->Down());
}

TEST_F(TinyButtonTest, ThePickButtonIsMadeInvisible)
{
    auto* button = new TTinyEditBtn(form);
    EXPECT_FALSE(button->Visible());
    EXPECT_EQ(button->Width(), 25);
    auto* tool = new TTinySpeedBtn(form);
    EXPECT_TRUE(tool->Visible());
}

TEST_F(TinyButtonTest, GoldenPicturesOfTheStates)
{
    auto* band = Add<TBottomPanel>("Band", Bounds(0, 0, 400, 100));
    band->SetCaption("");
    auto command = [&](const char* caption, int x, int y) {
        auto* b = Add<TTinyButton>("", Bounds(x, y, 68, 21), band);
        b->SetCaption(caption);
        return b;
    };
    command("登录", 8, 8);
    auto* hot = command("悬停", 84, 8);
    auto* focused = command("焦点", 160, 8);
    auto* held = command("按下", 236, 8);
    command("无效", 312, 8)->SetEnabled(false);
    auto* latched = command("锁定", 8, 36);
    latched->SetGroupIndex(1);
    latched->SetDown(true);
    command("默认", 84, 36)->SetDefault(true);

    graphics::TBitmap magnifier;
    LoadMagnifierGlyph(magnifier);
    auto pick = [&](int x, int y) {
        auto* b = Add<TTinyEditBtn>("", Bounds(x, y, 15, 18), band);
        b->SetGlyph(&magnifier);
        b->Show();
        return b;
    };
    pick(170, 38);
    auto* hotPick = pick(190, 38);
    pick(210, 38)->SetEnabled(false);
    auto* heldPick = pick(230, 38);
    auto* tool = Add<TTinySpeedBtn>("", Bounds(260, 34, 50, 25), band);
    tool->SetCaption("工具");
    ShowForm(400, 100);

    focused->SetFocus();
    display->MoveMouse(At(hotPick, {7, 9}));
    display->MoveMouse(At(hot, {30, 10}));
    EXPECT_TRUE(hot->MouseInControl());
    EXPECT_TRUE(hotPick->MouseInControl()) << "speed buttons keep a hot button of their own";
    EXPECT_TRUE(focused->MouseInControl()) << "a focused button looks hovered";
    EXPECT_TRUE(testsupport::MatchesGolden(*Picture(), "controls_tiny_buttons"));
    // Held down: sunken, the caption one pixel down and right.
    display->Press(At(held, {30, 10}));
    EXPECT_TRUE(testsupport::MatchesGolden(*PictureAround(held, 2), "controls_tiny_button_pressed"));
    display->Release(At(held, {30, 10}));
    display->Press(At(heldPick, {7, 9}));
    EXPECT_TRUE(testsupport::MatchesGolden(*PictureAround(heldPick, 2), "controls_tiny_pick_pressed"));
    display->Release(At(heldPick, {7, 9}));
}
