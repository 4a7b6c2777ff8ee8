#include <gtest/gtest.h>

#include <memory>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/HintWindow.h"
#include "platform/ui/VirtualKeys.h"

using namespace ui;
using backend::THeadlessBackend;

namespace {

class HintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        display = &THeadlessBackend::Install();
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(100, 100, 300, 200);
        hinted = AddControl(10, 10, "Save the set|Writes the account set to the store");
        hinted->SetShowHint(true);
        plain = AddControl(150, 10, "");
        form->Show();
        WindowManager().SetActiveWindow(form->Handle());
    }
    void TearDown() override
    {
        Application().CancelHint();
        Application().HintMouseControl(nullptr);
        Application().SetShowHint(true);
        form.reset();
        WindowManager().Reset();
    }

    TCustomControl* AddControl(int left, int top, const char* hint)
    {
        auto* c = new TCustomControl(form.get());
        c->SetParent(form.get());
        c->SetBounds(left, top, 100, 40);
        c->SetHint(hint);
        return c;
    }

    void Wait(uint32_t ms)
    {
        display->Advance(ms);
        WindowManager().ProcessMessages();
    }

    TPoint Over(TControl* c, int x = 20, int y = 10) { return c->ClientToScreen({x, y}); }
    bool HintShown() { return Application().ActiveHintWindow() != nullptr; }

    THeadlessBackend* display = nullptr;
    std::unique_ptr<TForm> form;
    TCustomControl* hinted = nullptr;
    TCustomControl* plain = nullptr;
};

}  // namespace

TEST_F(HintTest, ShowsBelowThePointerAfterTheRestAndGoesWhenItLeaves)
{
    TPoint at = Over(hinted);
    display->MoveMouse(at);
    Wait(499);
    EXPECT_FALSE(HintShown());
    Wait(1);
    ASSERT_TRUE(HintShown());
    THintWindow* hint = Application().ActiveHintWindow();
    EXPECT_EQ(hint->Caption(), "Save the set") << "the short hint, before the bar";
    TRect r = hint->Handle()->WindowRect();
    EXPECT_EQ(r.Left, at.X);
    EXPECT_EQ(r.Top, at.Y + 20);
    EXPECT_EQ(WindowManager().ActiveWindow(), form->Handle()) << "the hint takes no activation";

    // Its look: the info colour inside a black frame.
    backend::TSnapshot shot = display->Snapshot(hint->Handle());
    ASSERT_EQ(shot.Width, r.Width());
    EXPECT_EQ(graphics::PixelToRgb(shot.At(0, 0) & graphics::kPixelRgbMask), graphics::clBlack);
    EXPECT_EQ(graphics::PixelToRgb(shot.At(1, 1) & graphics::kPixelRgbMask), graphics::ColorToRGB(graphics::clInfoBk));

    display->MoveMouse(Over(plain));
    EXPECT_FALSE(HintShown());
    Wait(1000);
    EXPECT_FALSE(HintShown()) << "the other control has no hint";
}

TEST_F(HintTest, MovingRestartsThePause)
{
    display->MoveMouse(Over(hinted, 20, 10));
    Wait(300);
    display->MoveMouse(Over(hinted, 30, 10));
    Wait(300);
    EXPECT_FALSE(HintShown());
    Wait(200);
    EXPECT_TRUE(HintShown());
}

TEST_F(HintTest, AClickOrAKeyHidesItUntilThePointerComesBack)
{
    display->MoveMouse(Over(hinted));
    Wait(500);
    ASSERT_TRUE(HintShown());
    display->Click(Over(hinted));
    EXPECT_FALSE(HintShown());
    Wait(1000);
    EXPECT_FALSE(HintShown());

    display->MoveMouse(Over(plain));
    display->MoveMouse(Over(hinted));
    Wait(500);
    ASSERT_TRUE(HintShown());
    display->PressKey(VK_SHIFT);
    EXPECT_FALSE(HintShown());

    // A press during the pause cancels the hint to come.
    display->MoveMouse(Over(plain));
    display->MoveMouse(Over(hinted));
    Wait(200);
    display->Click(Over(hinted));
    Wait(1000);
    EXPECT_FALSE(HintShown());
}

TEST_F(HintTest, HidesAfterTheHidePause)
{
    display->MoveMouse(Over(hinted));
    Wait(500);
    ASSERT_TRUE(HintShown());
    Wait(Application().HintHidePause() - 1);
    EXPECT_TRUE(HintShown());
    Wait(1);
    EXPECT_FALSE(HintShown());
}

TEST_F(HintTest, ShowHintFollowsTheParentAndTheApplication)
{
    // The plain control shows no hint of its own until ShowHint comes from
    // the form; then the form's text would do if it had none.
    plain->SetHint("Plain");
    display->MoveMouse(Over(plain));
    Wait(1000);
    EXPECT_FALSE(HintShown()) << "ShowHint is off";
    display->MoveMouse(Over(hinted));
    form->SetShowHint(true);
    EXPECT_TRUE(plain->ShowHint()) << "ParentShowHint takes the form's";
    display->MoveMouse(Over(plain));
    Wait(500);
    ASSERT_TRUE(HintShown());
    EXPECT_EQ(Application().ActiveHintWindow()->Caption(), "Plain");

    Application().SetShowHint(false);
    EXPECT_FALSE(HintShown());
    display->MoveMouse(Over(hinted));
    Wait(1000);
    EXPECT_FALSE(HintShown());
}

TEST_F(HintTest, TheShortAndLongHints)
{
    EXPECT_EQ(GetShortHint("Open|Opens a file"), "Open");
    EXPECT_EQ(GetLongHint("Open|Opens a file"), "Opens a file");
    EXPECT_EQ(GetShortHint("Open"), "Open");
    EXPECT_EQ(GetLongHint("Open"), "Open");
}

TEST_F(HintTest, AControlFreedUnderThePointerIsForgotten)
{
    display->MoveMouse(Over(hinted));
    Wait(500);
    ASSERT_TRUE(HintShown());
    delete hinted;
    EXPECT_FALSE(HintShown());
    Wait(1000);
    EXPECT_FALSE(HintShown());
}
