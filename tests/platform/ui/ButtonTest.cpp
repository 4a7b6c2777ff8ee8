#include <gtest/gtest.h>

#include <memory>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/graphics/Bitmap.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Form.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/support/Golden.h"
#include "tests/support/HeadlessFixture.h"

using namespace ui;
using backend::THeadlessBackend;
using graphics::Bounds;

namespace {

class ButtonTest : public HeadlessFixture {
protected:
    void SetUp() override
    {
        HeadlessFixture::SetUp();
        form->SetBounds(100, 100, 280, 120);
        ok = AddButton("OK", 10, mrOk);
        cancel = AddButton("Cancel", 95, mrCancel);
        other = AddButton("&Other", 180, mrNone);
        ok->SetDefault(true);
        cancel->SetCancel(true);
        other->OnClick = [this](core::TObject*) { ++otherClicks; };
    }

    TButton* AddButton(const char* caption, int left, TModalResult result)
    {
        auto* b = new TButton(form);
        b->SetParent(form);
        b->SetBounds(left, 20, 75, 23);
        b->SetCaption(caption);
        b->SetModalResult(result);
        return b;
    }

    void Key(unsigned vk, std::initializer_list<unsigned> modifiers = {})
    {
        for (unsigned m : modifiers)
            WindowManager().InjectKey(m, true);
        WindowManager().InjectKey(vk, true);
        WindowManager().InjectKey(vk, false);
        for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
            WindowManager().InjectKey(*it, false);
    }

    // Runs `act` from a timer of the modal loop that runs in 100 ms.
    void Later(std::function<void()> act)
    {
        auto id = std::make_shared<uintptr_t>(0);
        *id = WindowManager().SetTimer(nullptr, 0, 100, [id, act] {
            WindowManager().KillTimer(nullptr, *id);
            act();
        });
    }

    TButton* ok = nullptr;
    TButton* cancel = nullptr;
    TButton* other = nullptr;
    int otherClicks = 0;
};

}  // namespace

TEST_F(ButtonTest, ShowModalReturnsTheResultOfTheButtonThatClosedIt)
{
    struct Case {
        const char* name;
        std::function<void()> act;
        TModalResult expected;
    };
    auto clickCancel = [this] {
        TPoint at = Centre(cancel);
        WindowManager().InjectMouseMove(at);
        WindowManager().InjectMouseButton(mbLeft, true, at);
        WindowManager().InjectMouseButton(mbLeft, false, at);
    };
    // The form keeps its active control between showings: the click on
    // Cancel comes last, or Enter would press the focused Cancel.
    const Case cases[] = {
        {"enter on the default", [this] { Key(VK_RETURN); }, mrOk},
        {"escape on the cancel button", [this] { Key(VK_ESCAPE); }, mrCancel},
        {"click cancel", clickCancel, mrCancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Later(c.act);
        EXPECT_EQ(form->ShowModal(), c.expected);
        EXPECT_FALSE(form->Visible());
    }
}

TEST_F(ButtonTest, AButtonWithoutResultLeavesTheFormOpen)
{
    Later([&] {
        other->SetFocus();
        Key(VK_SPACE);
        Later([&] { Key(VK_ESCAPE); });
    });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_EQ(otherClicks, 1) << "the space bar clicked, the form stayed";
}

TEST_F(ButtonTest, ThePressFollowsThePointerAndAReleaseOutsideDoesNotClick)
{
    form->Show();
    TPoint at = Centre(other);
    display->Press(at);
    EXPECT_TRUE(other->Pressed());
    EXPECT_TRUE(other->Focused()) << "a press focuses the button";
    display->MoveMouse(at + TPoint{0, 40});
    EXPECT_FALSE(other->Pressed());
    display->MoveMouse(at);
    EXPECT_TRUE(other->Pressed());
    display->MoveMouse(at + TPoint{0, 40});
    display->Release(at + TPoint{0, 40});
    EXPECT_FALSE(other->Pressed());
    EXPECT_EQ(otherClicks, 0);

    display->Advance(1000);
    display->Click(at);
    EXPECT_EQ(otherClicks, 1);
}

TEST_F(ButtonTest, AcceleratorsClickEnabledButtonsOnly)
{
    form->Show();
    display->PressKey('O', {VK_MENU});
    EXPECT_EQ(otherClicks, 1);
    other->SetEnabled(false);
    display->PressKey('O', {VK_MENU});
    EXPECT_EQ(otherClicks, 1);
}

TEST_F(ButtonTest, TheDefaultFrameGoesToTheFocusedButton)
{
    form->Show();
    EXPECT_TRUE(ok->Active());
    cancel->SetFocus();
    EXPECT_TRUE(cancel->Active());
    EXPECT_FALSE(ok->Active());
    // Focus on something that is not a button gives the frame back to the default.
    auto* field = new TCustomControl(form);
    field->SetParent(form);
    field->SetBounds(10, 60, 50, 20);
    field->SetTabStop(true);
    field->SetFocus();
    EXPECT_TRUE(ok->Active());
    EXPECT_FALSE(cancel->Active());
}

// Four buttons as the user sees them: the default one focused, one plain,
// one held down, one disabled.
TEST_F(ButtonTest, GoldenPictureOfTheStates)
{
    form->SetBounds(100, 100, 360, 80);
    auto* held = AddButton("Held", 180, mrNone);
    auto* off = AddButton("&Off", 265, mrNone);
    off->SetEnabled(false);
    form->Show();
    WindowManager().SetActiveWindow(form->Handle());
    ok->SetFocus();
    display->Press(Centre(held));
    ok->SetFocus();
    WindowManager().PaintAll();
    ASSERT_TRUE(held->Pressed());
    EXPECT_TRUE(testsupport::MatchesGolden(*Picture(), "ui_button_states"));
    display->Release(Centre(held));
}
