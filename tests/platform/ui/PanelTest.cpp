#include <gtest/gtest.h>

#include "platform/ui/Panel.h"
#include "tests/support/Golden.h"
#include "tests/support/HeadlessFixture.h"

using namespace ui;
using graphics::Bounds;

namespace {

class PanelTest : public HeadlessFixture {};

// A panel that paints itself, as the band panels of a window's frame do: its
// painting covers the client area only.
class TRedPanel : public TCustomPanel {
    CORE_CLASS(TRedPanel, TCustomPanel)
    explicit TRedPanel(core::TComponent* owner) : TCustomPanel(owner) {}

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(graphics::clRed);
        Canvas()->FillRect(ClientRect());
    }
};
CORE_CLASS_IMPL(TRedPanel)

}  // namespace

TEST_F(PanelTest, TopClientAndBottomPanelsFollowTheFormWhenItIsResized)
{
    auto* top = Add<TPanel>("Top", Bounds(0, 0, 50, 30));
    top->SetAlign(alTop);
    auto* bottom = Add<TPanel>("Bottom", Bounds(0, 0, 50, 40));
    bottom->SetAlign(alBottom);
    auto* client = Add<TPanel>("Client", Bounds(0, 0, 50, 50));
    client->SetAlign(alClient);
    ShowForm(300, 200);
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 300, 30));
    EXPECT_EQ(client->BoundsRect(), Bounds(0, 30, 300, 130));
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 160, 300, 40));

    form->SetClientWidth(400);
    form->SetClientHeight(150);
    Pump();
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 400, 30));
    EXPECT_EQ(client->BoundsRect(), Bounds(0, 30, 400, 80));
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 110, 400, 40));
    // The windows went along.
    EXPECT_EQ(bottom->Handle()->BoundsRect(), Bounds(0, 110, 400, 40));

    // A hidden band gives its room to the client panel.
    top->Hide();
    EXPECT_EQ(client->BoundsRect(), Bounds(0, 0, 400, 110));
}

TEST_F(PanelTest, ChildrenAlignInsideTheBorderBandAndTheBevels)
{
    auto* panel = Add<TPanel>("Panel1", Bounds(10, 10, 200, 100));
    panel->SetBorderWidth(6);
    panel->SetBevelOuter(bvRaised);
    panel->SetBevelInner(bvLowered);
    panel->SetBevelWidth(2);
    auto* child = Add<TPanel>("Child", Bounds(0, 0, 10, 10), panel);
    child->SetAlign(alClient);
    ShowForm(300, 200);
    // The band lies outside the client area; the bevels inside it.
    EXPECT_EQ(panel->ClientRect(), Bounds(0, 0, 188, 88));
    EXPECT_EQ(child->BoundsRect(), Bounds(4, 4, 180, 80));
    EXPECT_EQ(child->ClientToScreen({0, 0}), panel->ClientToScreen({4, 4}));
    EXPECT_EQ(panel->ClientToScreen({0, 0}), form->ClientToScreen({16, 16}));

    panel->SetBorderWidth(0);
    panel->SetBevelInner(bvNone);
    EXPECT_EQ(panel->ClientRect(), Bounds(0, 0, 200, 100));
    EXPECT_EQ(child->BoundsRect(), Bounds(2, 2, 196, 96));
}

TEST_F(PanelTest, BorderBandIsFilledWithThePanelColourAroundItsOwnPainting)
{
    auto* panel = Add<TRedPanel>("Panel1", Bounds(10, 10, 60, 40));
    panel->SetBorderWidth(6);
    panel->SetColor(graphics::RGB(0xEB, 0xEB, 0xEB));
    ShowForm(100, 70);
    const graphics::TColor band = graphics::RGB(0xEB, 0xEB, 0xEB);
    for (int x = 10; x < 70; ++x) {
        EXPECT_EQ(PixelAt(x, 10), band) << x;
        EXPECT_EQ(PixelAt(x, 15), band) << x;
        EXPECT_EQ(PixelAt(x, 16), x < 16 || x >= 64 ? band : graphics::clRed) << x;
        EXPECT_EQ(PixelAt(x, 43), x < 16 || x >= 64 ? band : graphics::clRed) << x;
        EXPECT_EQ(PixelAt(x, 44), band) << x;
        EXPECT_EQ(PixelAt(x, 49), band) << x;
    }
    // A new colour reaches the band as well.
    panel->SetColor(graphics::clWhite);
    Pump();
    EXPECT_EQ(PixelAt(12, 30), graphics::clWhite);
    EXPECT_EQ(PixelAt(30, 30), graphics::clRed);
}

TEST_F(PanelTest, SingleBorderSinksThePanel)
{
    auto* panel = Add<TPanel>("Panel1", Bounds(0, 0, 100, 50));
    panel->SetBevelOuter(bvNone);
    ShowForm(120, 60);
    HWND before = panel->Handle();
    EXPECT_EQ(panel->ClientRect(), Bounds(0, 0, 100, 50));
    panel->SetBorderStyle(bsSingle);
    EXPECT_NE(panel->Handle()->ExStyle() & WS_EX_CLIENTEDGE, 0u);
    EXPECT_EQ(panel->ClientRect(), Bounds(0, 0, 96, 46));
    panel->SetCtl3D(false);
    EXPECT_EQ(panel->Handle()->ExStyle() & WS_EX_CLIENTEDGE, 0u);
    EXPECT_NE(panel->Handle()->Style() & WS_BORDER, 0u);
    EXPECT_EQ(panel->ClientRect(), Bounds(0, 0, 98, 48));
    (void)before;
}

TEST_F(PanelTest, GoldenPicture)
{
    const struct {
        const char* caption;
        TPanelBevel outer;
        TPanelBevel inner;
        int bevelWidth;
        TAlignment alignment;
        TBorderStyle border;
        graphics::TRect bounds;
    } panels[] = {
        {"凸起 Raised", bvRaised, bvNone, 1, taCenter, bsNone, Bounds(8, 8, 110, 30)},
        {"凹陷 Lowered", bvLowered, bvNone, 1, taCenter, bsNone, Bounds(126, 8, 110, 30)},
        {"&Left 左", bvRaised, bvLowered, 2, taLeftJustify, bsNone, Bounds(8, 46, 110, 30)},
        {"Right 右", bvNone, bvNone, 1, taRightJustify, bsSingle, Bounds(126, 46, 110, 30)},
        {"", bvLowered, bvRaised, 1, taCenter, bsNone, Bounds(8, 84, 228, 44)},
    };
    TPanel* last = nullptr;
    for (const auto& p : panels) {
        last = Add<TPanel>("", p.bounds);
        last->SetCaption(p.caption);
        last->SetBevelOuter(p.outer);
        last->SetBevelInner(p.inner);
        last->SetBevelWidth(p.bevelWidth);
        last->SetAlignment(p.alignment);
        last->SetBorderStyle(p.border);
    }
    // A band of 6 pixels in the panel's colour outside the bevels, around a child.
    last->SetBorderWidth(6);
    auto* inside = Add<TPanel>("Inside", {}, last);
    inside->SetAlign(alClient);
    inside->SetBevelOuter(bvNone);
    inside->SetColor(graphics::clInfoBk);
    inside->SetCaption("BorderWidth 6");
    ShowForm(244, 136);
    EXPECT_TRUE(testsupport::MatchesGolden(*Picture(), "ui_panel"));
}
