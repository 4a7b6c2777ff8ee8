#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WinControl.h"
#include "platform/ui/WindowManager.h"
#include "tests/support/HeadlessFixture.h"

using namespace ui;

namespace {

class TFocusProbe : public TCustomControl {
public:
    explicit TFocusProbe(core::TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }

protected:
    void Paint() override { Canvas()->FillRect(ClientRect()); }
};

using FocusReentryTest = HeadlessFixture;

// A field whose exit check fails takes the focus back; the control that was
// clicked must not end up believing it has the focus.
TEST_F(FocusReentryTest, ExitHandlerTakingTheFocusBackKeepsIt)
{
    auto* a = Add<TFocusProbe>("A", {10, 10, 60, 40});
    auto* b = Add<TFocusProbe>("B", {80, 10, 130, 40});
    std::vector<std::string> journal;
    bool refuse = true;
    a->OnExit = [&](core::TObject*) {
        journal.push_back("exit A");
        if (refuse) {
            refuse = false;
            a->SetFocus();
        }
    };
    a->OnEnter = [&](core::TObject*) { journal.push_back("enter A"); };
    b->OnEnter = [&](core::TObject*) { journal.push_back("enter B"); };
    b->OnExit = [&](core::TObject*) { journal.push_back("exit B"); };
    ShowForm(200, 100);
    a->SetFocus();
    Pump();
    journal.clear();
    display->Click(At(b, {5, 5}));
    Pump();
    EXPECT_TRUE(a->Focused());
    EXPECT_FALSE(b->Focused());
    EXPECT_EQ(form->ActiveControl(), a);
    EXPECT_EQ(WindowManager().Focus(), a->Handle());
    // The next click on B moves the focus normally.
    journal.clear();
    display->Click(At(b, {5, 5}));
    Pump();
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(form->ActiveControl(), b);
    EXPECT_EQ(journal, (std::vector<std::string>{"exit A", "enter B"}));
}

// Tab follows TabOrder, not creation order, skips disabled and hidden
// controls, goes into a container's children, and Shift+Tab walks back.
TEST_F(FocusReentryTest, TabFollowsTabOrderAcrossContainers)
{
    auto* c = Add<TFocusProbe>("C", {10, 10, 30, 30});
    auto* box = Add<TWinControl>("Box", {40, 10, 120, 60});
    auto* inner = Add<TFocusProbe>("Inner", {5, 5, 25, 25}, box);
    auto* a = Add<TFocusProbe>("A", {130, 10, 150, 30});
    auto* off = Add<TFocusProbe>("Off", {160, 10, 180, 30});
    auto* hidden = Add<TFocusProbe>("Hidden", {160, 40, 180, 60});
    off->SetEnabled(false);
    hidden->SetVisible(false);
    a->SetTabOrder(0);
    box->SetTabOrder(1);
    ShowForm(200, 100);
    a->SetFocus();
    std::vector<std::string> order;
    for (int i = 0; i < 3; ++i) {
        display->PressKey(VK_TAB);
        order.push_back(form->ActiveControl() ? form->ActiveControl()->Name() : "");
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Inner", "C", "A"}));
    order.clear();
    for (int i = 0; i < 3; ++i) {
        display->PressKey(VK_TAB, {VK_SHIFT});
        order.push_back(form->ActiveControl() ? form->ActiveControl()->Name() : "");
    }
    EXPECT_EQ(order, (std::vector<std::string>{"C", "Inner", "A"}));
    (void)c;
    (void)inner;
}

}  // namespace
