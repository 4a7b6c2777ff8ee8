#include <gtest/gtest.h>

#include "platform/ui/Bevel.h"
#include "platform/ui/Panel.h"
#include "platform/ui/Shape.h"
#include "tests/support/Golden.h"
#include "tests/support/HeadlessFixture.h"

using namespace ui;
using graphics::Bounds;
using graphics::TColor;

namespace {

class ShapeTest : public HeadlessFixture {
protected:
    // A one-pixel line along the bottom of a windowed control, as an edit
    // keeps its underline.
    TShape* Underline(TWinControl* parent, int width, TColor color)
    {
        auto* line = Add<TShape>("", Bounds(0, parent->ClientHeight() - 1, width, 1), parent);
        line->Pen()->SetColor(color);
        return line;
    }
};

}  // namespace

TEST_F(ShapeTest, OnePixelHighShapeIsALineInThePenColour)
{
    auto* host = Add<TPanel>("Host", Bounds(10, 10, 80, 20));
    host->SetBevelOuter(bvNone);
    host->SetColor(graphics::clWhite);
    auto* line = Underline(host, 60, graphics::clBlue);
    ShowForm(100, 40);
    // Row 29 of the form is the host's last row.
    for (int x = 8; x < 94; ++x) {
        SCOPED_TRACE(x);
        bool on = x >= 10 && x < 70;
        EXPECT_EQ(PixelAt(x, 29), on ? graphics::clBlue : (x >= 10 && x < 90 ? graphics::clWhite : 0xC0C0C0));
        EXPECT_EQ(PixelAt(x, 28), x >= 10 && x < 90 ? graphics::clWhite : 0xC0C0C0);
    }

    // Moved, resized, recoloured or hidden, the line follows.
    line->SetWidth(30);
    line->Pen()->SetColor(graphics::clRed);
    Pump();
    EXPECT_EQ(PixelAt(39, 29), graphics::clRed);
    EXPECT_EQ(PixelAt(40, 29), graphics::clWhite);
    line->SetTop(5);
    Pump();
    EXPECT_EQ(PixelAt(20, 29), graphics::clWhite);
    EXPECT_EQ(PixelAt(20, 15), graphics::clRed);
    line->Hide();
    Pump();
    EXPECT_EQ(PixelAt(20, 15), graphics::clWhite);
}

TEST_F(ShapeTest, FiguresKeepInsideTheControl)
{
    struct Case {
        TShapeType shape;
        graphics::TRect bounds;  // of the figure's outline within a 40 by 20 control
    };
    const Case cases[] = {
        {stRectangle, Bounds(0, 0, 40, 20)},   {stSquare, Bounds(10, 0, 20, 20)},
        {stRoundRect, Bounds(0, 0, 40, 20)},   {stRoundSquare, Bounds(10, 0, 20, 20)},
        {stEllipse, Bounds(0, 0, 40, 20)},     {stCircle, Bounds(10, 0, 20, 20)},
    };
    auto* shape = Add<TShape>("Shape1", Bounds(10, 10, 40, 20));
    shape->Brush()->SetStyle(graphics::bsClear);
    ShowForm(60, 40);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        shape->SetShape(c.shape);
        Pump();
        graphics::TRect ink{1000, 1000, -1, -1};
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x)
                if (PixelAt(x, y) == graphics::clBlack) {
                    ink.Left = std::min(ink.Left, x - 10);
                    ink.Top = std::min(ink.Top, y - 10);
                    ink.Right = std::max(ink.Right, x - 10 + 1);
                    ink.Bottom = std::max(ink.Bottom, y - 10 + 1);
                }
        EXPECT_EQ(ink, c.bounds);
    }
}

TEST_F(ShapeTest, GoldenPictureOfShapesAndBevels)
{
    const TShapeType shapes[] = {stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle};
    int x = 6;
    for (TShapeType type : shapes) {
        auto* s = Add<TShape>("", Bounds(x, 6, 44, 30));
        s->SetShape(type);
        s->Brush()->SetColor(graphics::clInfoBk);
        if (type == stRoundRect || type == stCircle) {
            s->Pen()->SetWidth(type == stCircle ? 3 : 2);
            s->Pen()->SetColor(graphics::clNavy);
        }
        x += 50;
    }
    auto* line = Add<TShape>("", Bounds(6, 42, 294, 1));
    line->Pen()->SetColor(graphics::clGray);

    const TBevelShape bevels[] = {bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine};
    x = 6;
    for (TBevelShape shape : bevels) {
        auto* lowered = Add<TBevel>("", Bounds(x, 50, 44, 20));
        lowered->SetShape(shape);
        auto* raised = Add<TBevel>("", Bounds(x, 76, 44, 20));
        raised->SetShape(shape);
        raised->SetStyle(bsRaised);
        x += 50;
    }
    ShowForm(306, 102);
    EXPECT_TRUE(testsupport::MatchesGolden(*Picture(), "ui_shape"));
}
