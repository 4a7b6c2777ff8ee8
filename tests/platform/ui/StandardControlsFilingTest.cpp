#include <gtest/gtest.h>

#include <cstdio>

#include "platform/core/Stream.h"
#include "platform/filing/Streaming.h"
#include "platform/ui/Bevel.h"
#include "platform/ui/Label.h"
#include "platform/ui/Panel.h"
#include "platform/ui/Registration.h"
#include "platform/ui/Shape.h"
#include "platform/ui/SpeedButton.h"
#include "tests/support/HeadlessFixture.h"

using namespace ui;
using graphics::Bounds;

namespace {

class StandardControlsFilingTest : public HeadlessFixture {
protected:
    void SetUp() override
    {
        HeadlessFixture::SetUp();
        RegisterControls();
    }

    // A form description's binary value for a bitmap: its size, then its file form.
    static std::string GlyphData(const graphics::TBitmap& bitmap)
    {
        core::TMemoryStream file;
        bitmap.SaveToStream(file);
        core::TMemoryStream data;
        data.WriteUInt32(static_cast<uint32_t>(file.Size()));
        data.WriteBuffer(file.Memory(), static_cast<int>(file.Size()));
        std::string hex;
        for (int64_t i = 0; i < data.Size(); ++i) {
            char two[3];
            std::snprintf(two, sizeof two, "%02X", static_cast<unsigned char>(data.Memory()[i]));
            hex += two;
            if (i % 32 == 31)
                hex += "\n      ";
        }
        return hex;
    }
};

}  // namespace

TEST_F(StandardControlsFilingTest, FormDescriptionLoadsEveryPropertyAndWritesItBack)
{
    graphics::TBitmap strip(16, 8);
    strip.Canvas()->Brush()->SetColor(graphics::clRed);
    strip.Canvas()->FillRect(Bounds(0, 0, 8, 8));
    const std::string text = R"(object Form1: TForm
  Left = 100
  Top = 100
  BorderStyle = bsDialog
  Caption = 'Controls'
  ClientHeight = 200
  ClientWidth = 300
  object TopPanel: TPanel
    Left = 0
    Top = 0
    Width = 300
    Height = 60
    Align = alTop
    Alignment = taLeftJustify
    BevelInner = bvLowered
    BevelOuter = bvSpace
    BevelWidth = 2
    BorderWidth = 6
    BorderStyle = bsSingle
    Caption = 'Top'
    Color = clWhite
    FullRepaint = False
    TabOrder = 1
    object NameLabel: TLabel
      Left = 8
      Top = 8
      Width = 60
      Height = 20
      Alignment = taRightJustify
      AutoSize = False
      Caption = '&Name'
      FocusControl = Target
      Layout = tlCenter
      ShowAccelChar = False
      Transparent = True
      WordWrap = True
    end
  end
  object Target: TPanel
    Left = 0
    Top = 160
    Width = 300
    Height = 40
    Align = alBottom
    TabOrder = 0
    TabStop = True
  end
  object Save: TSpeedButton
    Left = 8
    Top = 70
    Width = 60
    Height = 40
    AllowAllUp = True
    GroupIndex = 1
    Down = True
    Caption = 'Save'
    Flat = True
    Glyph.Data = {
      )" + GlyphData(strip) + R"(}
    Layout = blGlyphTop
    Margin = 2
    NumGlyphs = 2
    Spacing = 3
    Transparent = False
  end
  object Underline: TShape
    Left = 80
    Top = 70
    Width = 100
    Height = 1
    Brush.Style = bsClear
    Pen.Color = clBlue
    Pen.Width = 2
    Shape = stRoundRect
  end
  object Rule: TBevel
    Left = 80
    Top = 80
    Width = 100
    Height = 2
    Shape = bsTopLine
    Style = bsRaised
  end
end
)";
    filing::ReadComponentText(text, form);
    auto* top = dynamic_cast<TPanel*>(form->FindComponent("TopPanel"));
    auto* target = dynamic_cast<TPanel*>(form->FindComponent("Target"));
    auto* label = dynamic_cast<TLabel*>(form->FindComponent("NameLabel"));
    auto* save = dynamic_cast<TSpeedButton*>(form->FindComponent("Save"));
    auto* line = dynamic_cast<TShape*>(form->FindComponent("Underline"));
    auto* rule = dynamic_cast<TBevel*>(form->FindComponent("Rule"));
    ASSERT_TRUE(top && target && label && save && line && rule);

    EXPECT_EQ(top->Alignment(), taLeftJustify);
    EXPECT_EQ(top->BevelInner(), bvLowered);
    EXPECT_EQ(top->BevelOuter(), bvSpace);
    EXPECT_EQ(top->BevelWidth(), 2);
    EXPECT_EQ(top->BorderWidth(), 6);
    EXPECT_EQ(top->BorderStyle(), bsSingle);
    EXPECT_EQ(top->Caption(), "Top");
    EXPECT_EQ(top->Color(), graphics::clWhite);
    EXPECT_FALSE(top->FullRepaint());

    EXPECT_EQ(label->Parent(), top);
    EXPECT_EQ(label->Alignment(), taRightJustify);
    EXPECT_FALSE(label->AutoSize());
    EXPECT_EQ(label->BoundsRect(), Bounds(8, 8, 60, 20));
    EXPECT_EQ(label->FocusControl(), target);
    EXPECT_EQ(label->Layout(), tlCenter);
    EXPECT_FALSE(label->ShowAccelChar());
    EXPECT_TRUE(label->Transparent());
    EXPECT_TRUE(label->WordWrap());
    // The label takes the colour of the panel it stands on.
    EXPECT_EQ(label->Color(), graphics::clWhite);

    EXPECT_TRUE(save->AllowAllUp());
    EXPECT_EQ(save->GroupIndex(), 1);
    EXPECT_TRUE(save->Down());
    EXPECT_TRUE(save->Flat());
    ASSERT_EQ(save->Glyph()->Width(), 16);
    EXPECT_EQ(save->Glyph()->Pixel(3, 3), graphics::clRed);
    EXPECT_EQ(save->Layout(), blGlyphTop);
    EXPECT_EQ(save->Margin(), 2);
    EXPECT_EQ(save->NumGlyphs(), 2);
    EXPECT_EQ(save->Spacing(), 3);
    EXPECT_FALSE(save->Transparent());

    EXPECT_EQ(line->Shape(), stRoundRect);
    EXPECT_EQ(line->Pen()->Color(), graphics::clBlue);
    EXPECT_EQ(line->Pen()->Width(), 2);
    EXPECT_EQ(line->Brush()->Style(), graphics::bsClear);
    EXPECT_EQ(rule->Shape(), bsTopLine);
    EXPECT_EQ(rule->Style(), bsRaised);

    // Shown, the panels take their places; the top one's band is outside
    // its client area.
    form->Show();
    Pump();
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 300, 60));
    EXPECT_EQ(target->BoundsRect(), Bounds(0, 160, 300, 40));
    EXPECT_EQ(top->ClientRect(), Bounds(0, 0, 300 - 4 - 12, 60 - 4 - 12));

    // Written back, what differs from the defaults is there again.
    AnsiString written = filing::ComponentToText(form);
    for (const char* expected :
         {"BevelInner = bvLowered", "BorderWidth = 6", "FullRepaint = False", "FocusControl = Target",
          "Layout = tlCenter", "ShowAccelChar = False", "GroupIndex = 1", "Down = True", "Glyph.Data = {",
          "NumGlyphs = 2", "Pen.Color = clBlue", "Shape = stRoundRect", "Shape = bsTopLine", "Style = bsRaised"})
        EXPECT_NE(written.find(expected), AnsiString::npos) << expected;
    // Defaults are left out.
    for (const char* absent : {"BevelOuter = bvRaised", "Spacing = 4", "Color = clBtnFace"})
        EXPECT_EQ(written.find(absent), AnsiString::npos) << absent;

    // And it reads again into a new form.
    TForm copy(nullptr);
    filing::ReadComponentText(written, &copy);
    auto* copied = dynamic_cast<TSpeedButton*>(copy.FindComponent("Save"));
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->Glyph()->Pixel(3, 3), graphics::clRed);
    EXPECT_EQ(dynamic_cast<TLabel*>(copy.FindComponent("NameLabel"))->FocusControl(), copy.FindComponent("Target"));
}
