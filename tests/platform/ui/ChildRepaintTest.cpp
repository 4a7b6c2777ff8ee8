#include <gtest/gtest.h>

#include "platform/graphics/Color.h"
#include "platform/ui/WinControl.h"
#include "tests/support/HeadlessFixture.h"

using namespace ui;

namespace {

// A windowed block of one colour.
class TBlock : public TCustomControl {
public:
    explicit TBlock(core::TComponent* owner) : TCustomControl(owner) {}

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
    }
};

// A windowless block of one colour.
class TFlatBlock : public TGraphicControl {
public:
    explicit TFlatBlock(core::TComponent* owner) : TGraphicControl(owner) {}

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
    }
};

class ChildRepaintTest : public HeadlessFixture {
protected:
    void SetUp() override
    {
        HeadlessFixture::SetUp();
        form->SetColor(graphics::clWhite);
    }
};

TEST_F(ChildRepaintTest, HiddenAndMovedWindowedChildLeavesNoPixels)
{
    auto* block = Add<TBlock>("Block", {10, 10, 40, 40});
    block->SetColor(graphics::clRed);
    ShowForm(200, 100);
    EXPECT_EQ(PixelAt(20, 20), 0x0000FF);
    block->SetLeft(100);
    Pump();
    EXPECT_EQ(PixelAt(20, 20), 0xFFFFFF);
    EXPECT_EQ(PixelAt(110, 20), 0x0000FF);
    block->Hide();
    Pump();
    EXPECT_EQ(PixelAt(110, 20), 0xFFFFFF);
}

TEST_F(ChildRepaintTest, HiddenAndMovedWindowlessChildLeavesNoPixels)
{
    auto* block = Add<TFlatBlock>("Flat", {10, 10, 40, 40});
    block->SetColor(graphics::clRed);
    ShowForm(200, 100);
    EXPECT_EQ(PixelAt(20, 20), 0x0000FF);
    block->SetLeft(100);
    Pump();
    EXPECT_EQ(PixelAt(20, 20), 0xFFFFFF);
    EXPECT_EQ(PixelAt(110, 20), 0x0000FF);
    block->Hide();
    Pump();
    EXPECT_EQ(PixelAt(110, 20), 0xFFFFFF);
}

TEST_F(ChildRepaintTest, BringToFrontShowsTheRaisedChild)
{
    auto* low = Add<TBlock>("Low", {10, 10, 60, 60});
    auto* high = Add<TBlock>("High", {30, 30, 80, 80});
    low->SetColor(graphics::clRed);
    high->SetColor(graphics::clBlue);
    ShowForm(200, 100);
    EXPECT_EQ(PixelAt(40, 40), 0xFF0000);
    low->BringToFront();
    Pump();
    EXPECT_EQ(PixelAt(40, 40), 0x0000FF);
    high->BringToFront();
    Pump();
    EXPECT_EQ(PixelAt(40, 40), 0xFF0000);
    // A windowless control is raised among its windowless siblings.
    auto* flatLow = Add<TFlatBlock>("FlatLow", {100, 10, 150, 60});
    auto* flatHigh = Add<TFlatBlock>("FlatHigh", {120, 30, 170, 80});
    flatLow->SetColor(graphics::clRed);
    flatHigh->SetColor(graphics::clBlue);
    Pump();
    EXPECT_EQ(PixelAt(130, 40), 0xFF0000);
    flatLow->BringToFront();
    Pump();
    EXPECT_EQ(PixelAt(130, 40), 0x0000FF);
}

}  // namespace
