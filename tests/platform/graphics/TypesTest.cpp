#include <gtest/gtest.h>

#include "platform/core/Exception.h"
#include "platform/core/TypeInfo.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Region.h"
#include "platform/graphics/Types.h"

using namespace graphics;

TEST(Rects, IntersectUnionOffsetAndInflate)
{
    TRect r;
    EXPECT_TRUE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
    EXPECT_EQ(r, Rect(5, 5, 10, 10));
    // Touching edges share no pixel; the result is all zero.
    EXPECT_FALSE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)));
    EXPECT_EQ(r, Rect(0, 0, 0, 0));
    EXPECT_TRUE(UnionRect(r, Rect(5, 5, 5, 50), Rect(1, 2, 3, 4))) << "an empty operand is ignored";
    EXPECT_EQ(r, Rect(1, 2, 3, 4));
    EXPECT_TRUE(UnionRect(r, Rect(1, 2, 3, 4), Rect(7, 0, 8, 1)));
    EXPECT_EQ(r, Rect(1, 0, 8, 4));
    OffsetRect(r, -1, 2);
    EXPECT_EQ(r, Rect(0, 2, 7, 6));
    InflateRect(r, 1, -1);
    EXPECT_EQ(r, Rect(-1, 3, 8, 5));
    EXPECT_EQ(Bounds(2, 3, 4, 5), Rect(2, 3, 6, 8));
    EXPECT_TRUE(PtInRect(Rect(0, 0, 2, 2), Point(1, 1)));
    EXPECT_FALSE(PtInRect(Rect(0, 0, 2, 2), Point(2, 1))) << "right edge excluded";
    EXPECT_TRUE(IsRectEmpty(Rect(3, 3, 3, 9)));
}

TEST(Regions, CombinationsKeepExactlyTheRightPixels)
{
    TRegion frame(Rect(0, 0, 6, 6));
    frame.Subtract(Rect(2, 2, 4, 4));
    EXPECT_EQ(frame.ClipBox(), Rect(0, 0, 6, 6));
    EXPECT_TRUE(frame.Contains({1, 1}));
    EXPECT_FALSE(frame.Contains({2, 3}));
    EXPECT_TRUE(frame.Intersects(Rect(3, 3, 5, 5)));
    EXPECT_FALSE(frame.Intersects(Rect(2, 2, 4, 4)));

    TRegion back = frame;
    back.Union(Rect(2, 2, 4, 4));
    EXPECT_EQ(back, TRegion(Rect(0, 0, 6, 6)));
    EXPECT_EQ(back.Rects().size(), 1u) << "pieces that continue each other are joined";

    TRegion a(Rect(0, 0, 4, 2)), b(Rect(2, 0, 6, 2)), x;
    CombineRgn(x, a, b, RGN_XOR);
    TRegion expected(Rect(0, 0, 2, 2));
    expected.Union(Rect(4, 0, 6, 2));
    EXPECT_EQ(x, expected);
    CombineRgn(x, a, b, RGN_AND);
    EXPECT_EQ(x, TRegion(Rect(2, 0, 4, 2)));
    CombineRgn(x, a, b, RGN_DIFF);
    EXPECT_EQ(x, TRegion(Rect(0, 0, 2, 2)));
    x.Offset(10, 1);
    EXPECT_EQ(x.ClipBox(), Rect(10, 1, 12, 3));
    x.Intersect(Rect(0, 0, 5, 5));
    EXPECT_TRUE(x.IsEmpty());
    EXPECT_EQ(x.ClipBox(), Rect(0, 0, 0, 0));
    EXPECT_FALSE(TRegion(Rect(0, 0, 2, 2)) == TRegion(Rect(0, 0, 2, 3)));
}

TEST(Colors, SystemColoursResolveToTheClassicDefaultScheme)
{
    struct Case {
        TColor Color;
        TColor Rgb;
    };
    const Case cases[] = {
        {clBtnFace, RGB(192, 192, 192)},     {clBtnShadow, RGB(128, 128, 128)},
        {clBtnHighlight, RGB(255, 255, 255)}, {cl3DDkShadow, RGB(0, 0, 0)},
        {cl3DLight, RGB(192, 192, 192)},     {clWindow, RGB(255, 255, 255)},
        {clWindowText, RGB(0, 0, 0)},        {clHighlight, RGB(0, 0, 128)},
        {clHighlightText, RGB(255, 255, 255)}, {clGrayText, RGB(128, 128, 128)},
        {clBtnText, RGB(0, 0, 0)},           {clInfoBk, RGB(255, 255, 225)},
        {clWindowFrame, RGB(0, 0, 0)},       {clSilver, 0xC0C0C0},
        {clNone, 0xFFFFFF},                  {clDefault, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorToRGB(c.Color), c.Rgb) << ColorToString(c.Color);
    EXPECT_EQ(clBtnFace, static_cast<TColor>(0x8000000F));
    EXPECT_EQ(clNone, 536870911);
    EXPECT_EQ(clFuchsia, 16711935);
    EXPECT_EQ(RGB(0xEB, 0xEB, 0xEB), 15461355);
    SetSysColor(COLOR_BTNFACE, RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(1, 2, 3));
    ResetSysColors();
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(192, 192, 192));
}

TEST(Colors, NamesAsFormDescriptionsWriteThem)
{
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(clSilver), "clSilver");
    EXPECT_EQ(ColorToString(RGB(1, 2, 3)), "$00030201");
    EXPECT_EQ(StringToColor("clwindowtext"), clWindowText);
    EXPECT_EQ(StringToColor("$00FF0000"), clBlue);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_EQ(StringToColor("-2147483633"), clBtnFace);
    EXPECT_THROW(StringToColor("clPuce"), core::EConvertError);
    EXPECT_THROW(StringToColor("$"), core::EConvertError);
    EXPECT_EQ(CharsetToIdent(GB2312_CHARSET), "GB2312_CHARSET");
    EXPECT_EQ(IdentToCharset("default_charset"), DEFAULT_CHARSET);
}

TEST(FontObject, SizeAndHeightFollowEachOtherAtNinetySixPixelsPerInch)
{
    TFont font;
    int changes = 0;
    font.OnChange = [&](core::TObject*) { ++changes; };
    font.SetSize(9);
    EXPECT_EQ(font.Height(), -12);
    font.SetHeight(-15);
    EXPECT_EQ(font.Size(), 11);
    font.SetHeight(-15);
    EXPECT_EQ(changes, 2) << "only real changes are announced";
    TFont other;
    other.SetName("宋体");
    other.SetStyle({fsBold, fsUnderline});
    other.SetCharset(GB2312_CHARSET);
    font.Assign(&other);
    EXPECT_EQ(changes, 3) << "one notice for the whole copy";
    EXPECT_EQ(font.Name(), "宋体");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_TRUE(font.Style().Contains(fsUnderline));
    EXPECT_EQ(font.Charset(), GB2312_CHARSET);
    EXPECT_EQ(MulDiv(-12, 72, 96), -9);
    EXPECT_EQ(MulDiv(11, 96, 72), 15);
}

TEST(FontObject, PublishedPropertiesLetFormsSetTheFont)
{
    TFont font;
    const core::TClass& cls = TFont::StaticClass();
    cls.FindProperty("Name")->SetStr(font, "宋体");
    cls.FindProperty("Height")->SetOrd(font, -12);
    const core::PropInfo* style = cls.FindProperty("Style");
    style->SetOrd(font, static_cast<int64_t>(TFontStyles{fsBold, fsItalic}.Bits()));
    cls.FindProperty("Charset")->SetOrd(font, GB2312_CHARSET);
    cls.FindProperty("Color")->SetOrd(font, clRed);
    EXPECT_EQ(font.Name(), "宋体");
    EXPECT_EQ(font.Size(), 9);
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(font.Charset(), GB2312_CHARSET);
    EXPECT_EQ(font.Color(), clRed);
    EXPECT_EQ(style->EnumNames(), (std::vector<core::AnsiString>{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));
    EXPECT_FALSE(cls.FindProperty("Size")->IsStored(font)) << "only the height is filed";
    EXPECT_TRUE(cls.FindProperty("Pitch")->IsDefaultValue(font));
}
