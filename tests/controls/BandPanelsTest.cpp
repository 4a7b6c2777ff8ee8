#include <gtest/gtest.h>

#include "controls/BandPanels.h"
#include "controls/TinyButton.h"
#include "tests/support/HeadlessFixture.h"

using namespace controls;

namespace {

class BandPanelsTest : public HeadlessFixture {};

}  // namespace

TEST_F(BandPanelsTest, PanelsTakeTheTopTheBottomAndTheRestAndHoldTheirControls)
{
    form->SetClientWidth(285);
    form->SetClientHeight(176);
    auto* top = new TTopPanel(form);
    top->SetParent(form);
    top->SetHeight(17);
    auto* centre = new TCenterPanel(form);
    centre->SetParent(form);
    auto* bottom = new TBottomPanel(form);
    bottom->SetParent(form);
    bottom->SetHeight(41);
    auto* button = new TTinyButton(form);
    button->SetParent(bottom);
    button->SetBounds(120, 16, 68, 21);
    ShowForm();

    EXPECT_EQ(top->BoundsRect(), graphics::Bounds(0, 0, 285, 17));
    EXPECT_EQ(bottom->BoundsRect(), graphics::Bounds(0, 135, 285, 41));
    EXPECT_EQ(centre->BoundsRect(), graphics::Bounds(0, 17, 285, 118));
    EXPECT_EQ(centre->ClientWidth(), 285 - 12) << "a six-pixel band all round";
    EXPECT_EQ(button->ClientToScreen({0, 0}), bottom->ClientToScreen({120, 16}));
    EXPECT_EQ(top->Color(), 0xEBEBEB);
    EXPECT_EQ(centre->Color(), 0xEBEBEB);
    EXPECT_EQ(bottom->Color(), graphics::clBtnFace);
    EXPECT_EQ(bottom->Caption(), "标题");
    EXPECT_EQ(bottom->LineColor(), 0x57D1FE);
    EXPECT_EQ(PixelOf(top, {5, 5}), 0xEBEBEB);
    EXPECT_EQ(PixelOf(centre, {5, 5}), 0xEBEBEB);
}

TEST_F(BandPanelsTest, TheBottomPanelDrawsItsCaptionInsideATabOfItsLineColour)
{
    form->SetClientWidth(388);
    form->SetClientHeight(41);
    auto* bottom = new TBottomPanel(form);
    bottom->SetParent(form);
    bottom->SetHeight(41);
    bottom->SetCaption("帐套工具");
    bottom->SetLineColor(graphics::clRed);
    ShowForm();
    // 41 high: the line runs under the caption at y 34 and along the top at
    // y 5; the caption is drawn between them.
    EXPECT_EQ(PixelOf(bottom, {3, 34}), 0x0000FF);
    EXPECT_EQ(PixelOf(bottom, {300, 5}), 0x0000FF);
    EXPECT_EQ(PixelOf(bottom, {300, 34}), graphics::ColorToRGB(graphics::clBtnFace));
    auto picture = Picture(form);
    int inked = 0;
    for (int y = 6; y < 34; ++y)
        for (int x = 6; x < 40; ++x)
            if (picture->Pixel(x, y) == graphics::clBlack)
                ++inked;
    EXPECT_GT(inked, 20) << "the caption is there";
}
