#include <gtest/gtest.h>

#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WinControl.h"
#include "tests/support/HeadlessFixture.h"

using namespace ui;

namespace {

// A windowed control that paints itself flat, to be clicked.
class TFreedProbe : public TCustomControl {
public:
    explicit TFreedProbe(core::TComponent* owner) : TCustomControl(owner) {}

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
    }
};

// A windowless control, painted by its parent.
class TFreedShape : public TGraphicControl {
public:
    explicit TFreedShape(core::TComponent* owner) : TGraphicControl(owner) {}

protected:
    void Paint() override { Canvas()->FillRect(ClientRect()); }
};

using DestroyInHandlerTest = HeadlessFixture;

// A click handler that frees its own control is how a "remove this row"
// button or a close box of a page tab works; the rest of the button-up
// handling must not touch the freed control.
TEST_F(DestroyInHandlerTest, WindowedControlFreedByItsClickHandler)
{
    auto* probe = Add<TFreedProbe>("Probe", {10, 10, 60, 40});
    bool clicked = false;
    probe->OnClick = [&](core::TObject*) { clicked = true; delete probe; };
    ShowForm(200, 100);
    display->Click(At(probe, {5, 5}));
    Pump();
    EXPECT_TRUE(clicked);
    EXPECT_EQ(form->ControlCount(), 0);
}

TEST_F(DestroyInHandlerTest, WindowlessControlFreedByItsClickHandler)
{
    auto* shape = Add<TFreedShape>("Shape", {10, 10, 60, 40});
    bool clicked = false;
    shape->OnClick = [&](core::TObject*) { clicked = true; delete shape; };
    ShowForm(200, 100);
    display->Click(At(shape, {5, 5}));
    Pump();
    EXPECT_TRUE(clicked);
    EXPECT_EQ(form->ControlCount(), 0);
    // The pointer moving on over the form must not reach the freed control.
    display->MoveMouse(form->ClientToScreen({100, 50}));
    Pump();
}

// An in-place editor that Escape closes frees itself from its key handler,
// often without clearing the key.
TEST_F(DestroyInHandlerTest, WindowedControlFreedByItsKeyHandler)
{
    auto* probe = Add<TFreedProbe>("Probe", {10, 10, 60, 40});
    probe->SetTabStop(true);
    bool pressed = false;
    probe->OnKeyDown = [&](core::TObject*, uint16_t& key, TShiftState) {
        if (key == VK_ESCAPE || key == 'A') {
            pressed = true;
            delete probe;
        }
    };
    ShowForm(200, 100);
    probe->SetFocus();
    display->PressKey('A');
    Pump();
    EXPECT_TRUE(pressed);
    EXPECT_EQ(form->ControlCount(), 0);
}

// A focused control freed from outside its handlers (a page closed by a
// timer) must leave no focus or active-control pointer behind.
TEST_F(DestroyInHandlerTest, FocusedControlInsideAContainerFreed)
{
    auto* box = Add<TWinControl>("Box", {10, 10, 150, 80});
    auto* probe = Add<TFreedProbe>("Probe", {5, 5, 40, 30}, box);
    auto* other = Add<TFreedProbe>("Other", {160, 10, 190, 40});
    probe->SetTabStop(true);
    other->SetTabStop(true);
    ShowForm(200, 100);
    probe->SetFocus();
    Pump();
    delete box;
    Pump();
    EXPECT_NE(form->ActiveControl(), probe);
    display->PressKey(VK_TAB);
    Pump();
    EXPECT_TRUE(other->Focused());
    display->MoveMouse(form->ClientToScreen({20, 20}));
    display->Click(form->ClientToScreen({20, 20}));
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(form->ActiveControl(), other);
}

}  // namespace
