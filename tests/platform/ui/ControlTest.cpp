#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/graphics/Png.h"

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/core/IntegerConsts.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/Registration.h"
#include "platform/ui/Screen.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/support/HeadlessFixture.h"

using namespace ui;
using backend::THeadlessBackend;

namespace {

std::vector<std::string> journal;

// A focusable windowed control that records what happens to it.
class TProbe : public TCustomControl {
    CORE_CLASS(TProbe, TCustomControl)
    explicit TProbe(core::TComponent* owner) : TCustomControl(owner)
    {
        SetTabStop(true);
        OnEnter = [this](core::TObject*) { journal.push_back("enter " + Name()); };
        OnExit = [this](core::TObject*) { journal.push_back("exit " + Name()); };
        OnClick = [this](core::TObject*) { journal.push_back("click " + Name()); };
    }

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
    }
};
CORE_CLASS_IMPL(TProbe)

// A windowless control that records enter and leave.
class TSpot : public TGraphicControl {
    CORE_CLASS(TSpot, TGraphicControl)
    explicit TSpot(core::TComponent* owner) : TGraphicControl(owner)
    {
        OnMouseEnter = [this](core::TObject*) { journal.push_back("in " + Name()); };
        OnMouseLeave = [this](core::TObject*) { journal.push_back("out " + Name()); };
        OnClick = [this](core::TObject*) { journal.push_back("click " + Name()); };
    }

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(graphics::clRed);
        Canvas()->FillRect(ClientRect());
    }
};
CORE_CLASS_IMPL(TSpot)

class ControlTest : public HeadlessFixture {
protected:
    void SetUp() override
    {
        HeadlessFixture::SetUp();
        journal.clear();
        form->SetBounds(100, 100, 306, 225);
    }

    TPoint Screen(TControl* c, TPoint p) { return c->ClientToScreen(p); }
};

}  // namespace

TEST_F(ControlTest, FormGeometryKeepsTheFrameOutsideTheWindow)
{
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    EXPECT_EQ(form->Width(), 306);
    EXPECT_EQ(form->Height(), 225);
    form->Show();
    Pump();
    HWND h = form->Handle();
    EXPECT_EQ(h->BoundsRect(), graphics::Bounds(103, 122, 300, 200));
    EXPECT_EQ(form->ClientRect(), graphics::Rect(0, 0, 300, 200));
    EXPECT_EQ(form->ClientToScreen({0, 0}), (TPoint{103, 122}));
}

TEST_F(ControlTest, TabOrderDecidesWhereTabGoes)
{
    auto* a = Add<TProbe>("A", graphics::Bounds(10, 10, 50, 20));
    auto* b = Add<TProbe>("B", graphics::Bounds(10, 40, 50, 20));
    auto* c = Add<TProbe>("C", graphics::Bounds(10, 70, 50, 20));
    c->SetTabOrder(0);  // C, A, B
    EXPECT_EQ(a->TabOrder(), 1);
    form->Show();
    Pump();
    EXPECT_TRUE(c->Focused());
    display->PressKey(VK_TAB);
    EXPECT_TRUE(a->Focused());
    display->PressKey(VK_TAB);
    EXPECT_TRUE(b->Focused());
    display->PressKey(VK_TAB);
    EXPECT_TRUE(c->Focused());
    display->PressKey(VK_TAB, {VK_SHIFT});
    EXPECT_TRUE(b->Focused());
    // A control that is not a tab stop is passed over.
    a->SetTabStop(false);
    display->PressKey(VK_TAB);
    display->PressKey(VK_TAB);
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(form->ActiveControl(), b);
}

TEST_F(ControlTest, EnterAndExitFollowTheFocusThroughContainers)
{
    auto* box = Add<TProbe>("Box", graphics::Bounds(0, 0, 200, 100));
    box->SetTabStop(false);
    auto* inner = Add<TProbe>("Inner", graphics::Bounds(10, 10, 50, 20), box);
    auto* outer = Add<TProbe>("Outer", graphics::Bounds(10, 150, 50, 20));
    form->SetActiveControl(outer);
    form->Show();
    Pump();
    journal.clear();
    display->Click(Screen(inner, {5, 5}));
    EXPECT_EQ(journal, (std::vector<std::string>{"exit Outer", "enter Box", "enter Inner", "click Inner"}));
    journal.clear();
    outer->SetFocus();
    Pump();
    EXPECT_EQ(journal, (std::vector<std::string>{"exit Inner", "exit Box", "enter Outer"}));
}

TEST_F(ControlTest, ShowModalReturnsTheResultThatClosedIt)
{
    form->Show();
    Pump();
    auto* dialog = new TForm(form);
    dialog->SetBounds(150, 150, 200, 100);
    auto* ok = new TProbe(dialog);
    ok->SetName("Ok");
    ok->SetBounds(10, 10, 60, 25);
    ok->SetParent(dialog);
    ok->OnClick = [dialog](core::TObject*) { dialog->SetModalResult(mrOk); };
    // The click is waiting in the queue when the modal loop starts.
    WindowManager().SetTimer(nullptr, 0, 10, [&] {
        display->Click(ok->ClientToScreen({5, 5}));
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(form->Handle()->Enabled());

    // The close box answers Cancel.
    WindowManager().Reset();
    display = &THeadlessBackend::Install();
    form->Show();
    int ticks = 0;
    WindowManager().SetTimer(nullptr, 0, 10, [&] {
        if (ticks++ == 0)
            WindowManager().InjectClose(dialog->Handle());
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(ControlTest, WindowlessControlsGetMouseAndEnterLeave)
{
    auto* spot = Add<TSpot>("Spot", graphics::Bounds(20, 20, 30, 30));
    auto* other = Add<TSpot>("Other", graphics::Bounds(100, 20, 30, 30));
    form->Show();
    Pump();
    display->MoveMouse(Screen(spot, {5, 5}));
    display->MoveMouse(Screen(other, {5, 5}));
    display->Click(Screen(other, {6, 6}));
    EXPECT_EQ(journal, (std::vector<std::string>{"in Spot", "out Spot", "in Other", "click Other"}));
    // It painted on its parent's pixels.
    backend::TSnapshot shot = display->Snapshot(form->Handle());
    EXPECT_EQ(shot.At(25, 25) & graphics::kPixelRgbMask, 0xFF0000u);
    EXPECT_NE(shot.At(60, 25) & graphics::kPixelRgbMask, 0xFF0000u);
}

TEST_F(ControlTest, FontAndColourFollowTheParentUntilSet)
{
    form->Font()->SetName("宋体");
    form->Font()->SetHeight(-12);
    auto* a = Add<TProbe>("A", graphics::Bounds(0, 0, 10, 10));
    auto* b = Add<TProbe>("B", graphics::Bounds(0, 20, 10, 10));
    EXPECT_EQ(a->Font()->Name(), "宋体");
    b->Font()->SetHeight(-20);
    EXPECT_FALSE(b->ParentFont());
    form->Font()->SetHeight(-16);
    EXPECT_EQ(a->Font()->Height(), -16);
    EXPECT_EQ(b->Font()->Height(), -20);
    a->SetParentColor(true);
    EXPECT_EQ(a->Color(), graphics::clBtnFace);
    form->SetColor(graphics::clRed);
    EXPECT_EQ(a->Color(), graphics::clRed);
    EXPECT_TRUE(a->ParentColor());
}

TEST_F(ControlTest, AnchorsKeepDistancesWhenTheParentResizes)
{
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    auto* stretch = Add<TProbe>("Stretch", graphics::Bounds(10, 10, 100, 20));
    stretch->SetAnchors({akLeft, akTop, akRight});
    auto* corner = Add<TProbe>("Corner", graphics::Bounds(250, 170, 40, 20));
    corner->SetAnchors({akRight, akBottom});
    form->Show();
    Pump();
    form->SetClientWidth(400);
    form->SetClientHeight(260);
    EXPECT_EQ(stretch->BoundsRect(), graphics::Bounds(10, 10, 200, 20));
    EXPECT_EQ(corner->BoundsRect(), graphics::Bounds(350, 230, 40, 20));
}

TEST_F(ControlTest, CursorsFollowTheControlUnderThePointer)
{
    auto* split = Add<TProbe>("Split", graphics::Bounds(10, 10, 50, 20));
    split->SetCursor(crHSplit);
    auto* own = Add<TSpot>("Own", graphics::Bounds(100, 10, 20, 20));
    const uint32_t arrow[4] = {0xFF000000, 0xFF000000, 0xFF000000, 0};
    WindowManager().RegisterCursor(1, 2, 2, arrow, {0, 0});
    own->SetCursor(1);
    form->Show();
    Pump();
    display->MoveMouse(Screen(split, {5, 5}));
    EXPECT_EQ(display->Cursor(), crHSplit);
    display->MoveMouse(Screen(own, {5, 5}));
    EXPECT_EQ(display->Cursor(), 1);
    display->MoveMouse(form->ClientToScreen({200, 150}));
    EXPECT_EQ(display->Cursor(), crDefault);
    EXPECT_THROW(WindowManager().RegisterCursor(0, 2, 2, arrow, {0, 0}), core::EInvalidOperation);
}

TEST_F(ControlTest, AFramedSnapshotDrawsTheCaptionRoundTheWindow)
{
    form->SetCaption("帐套工具");
    form->SetClientWidth(200);
    form->SetClientHeight(80);
    form->Show();
    Pump();
    backend::TSnapshot shot = display->FramedSnapshot(form->Handle());
    ASSERT_EQ(shot.Width, 206);
    ASSERT_EQ(shot.Height, 105);
    // The caption bar starts in the active caption colour; the client area
    // sits under it in the face colour.
    EXPECT_EQ(graphics::PixelToRgb(shot.At(4, 5)), graphics::ColorToRGB(graphics::clActiveCaption));
    EXPECT_EQ(graphics::PixelToRgb(shot.At(100, 60)), graphics::ColorToRGB(graphics::clBtnFace));
    if (std::getenv("SAVE_SNAPSHOTS"))
        graphics::SavePng(shot.Surface(), "framed_form.png");
}

TEST_F(ControlTest, DescriptionsNameColoursCharsetsAndCursors)
{
    RegisterControls();
    int64_t value = 0;
    ASSERT_TRUE(core::IdentToInt("TColor", "clBtnFace", value));
    EXPECT_EQ(value, graphics::clBtnFace);
    ASSERT_TRUE(core::IdentToInt("TFontCharset", "GB2312_CHARSET", value));
    EXPECT_EQ(value, 134);
    AnsiString name;
    ASSERT_TRUE(core::IntToIdent("TCursor", crHSplit, name));
    EXPECT_EQ(name, "crHSplit");
    ASSERT_TRUE(core::IntToIdent("TColor", graphics::clWhite, name));
    EXPECT_EQ(name, "clWhite");
    EXPECT_FALSE(core::IntToIdent("TColor", 0x123456, name));
}
