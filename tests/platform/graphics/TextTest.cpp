#include <gtest/gtest.h>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FontEngine.h"
#include "tests/support/Golden.h"

using namespace graphics;

namespace {

// A white bitmap whose canvas writes black 宋体 -12.
struct SongCanvas {
    TBitmap bitmap;
    TCanvas& canvas;

    SongCanvas(int width, int height) : bitmap(width, height), canvas(*bitmap.Canvas())
    {
        canvas.Font()->SetName("宋体");
        canvas.Font()->SetHeight(-12);
        canvas.Font()->SetColor(clBlack);
    }

    // The bounding box of the pixels that are not white.
    TRect Ink() const
    {
        TRect box;
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                if (bitmap.Pixel(x, y) != clWhite)
                    UnionRect(box, box, Bounds(x, y, 1, 1));
        return box;
    }
    int Count(TColor color) const
    {
        int n = 0;
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                n += bitmap.Pixel(x, y) == color;
        return n;
    }
};

TFontInstance& Resolve(const char* name, int height, TFontStyles style = {})
{
    return TFontEngine::Instance().Resolve(name, height, style);
}

}  // namespace

TEST(Fonts, SongAtNinePointsIsTheTwelvePixelBitmapSongWithSongMetrics)
{
    TFontInstance& font = Resolve("宋体", -12);
    EXPECT_NE(font.Description().find("WenQuanYi Bitmap Song 12px"), std::string::npos) << font.Description();
    const TTextMetric& m = font.Metrics();
    EXPECT_EQ(m.Height, 12);
    EXPECT_EQ(m.Ascent, 10);
    EXPECT_EQ(m.Descent, 2);
    EXPECT_EQ(m.InternalLeading, 0);
    EXPECT_EQ(m.ExternalLeading, 0);
    EXPECT_EQ(m.AveCharWidth, 6);
    EXPECT_EQ(m.MaxCharWidth, 12);
    EXPECT_EQ(m.Overhang, 0);
    // Half-width ASCII, full-width Chinese, the classic 宋体 cell widths.
    EXPECT_EQ(font.TextWidth("W"), 6);
    EXPECT_EQ(font.TextWidth("i"), 6);
    EXPECT_EQ(font.TextWidth("中"), 12);
    EXPECT_EQ(font.TextWidth("Ab中文！"), 6 + 6 + 12 + 12 + 12);
}

TEST(Fonts, SizeElevenPointsUsesTheFifteenPixelStrikeAndOtherSizesUMing)
{
    TFont font;
    font.SetName("SimSun");
    font.SetSize(11);
    EXPECT_EQ(font.Height(), -15);
    TFontInstance& eleven = TFontEngine::Instance().Resolve(font);
    EXPECT_NE(eleven.Description().find("WenQuanYi Bitmap Song 15px"), std::string::npos) << eleven.Description();
    EXPECT_EQ(eleven.Metrics().Height, 15);

    TFontInstance& large = Resolve("宋体", -24);
    EXPECT_EQ(large.Description().rfind("AR PL UMing", 0), 0u) << large.Description();
    EXPECT_EQ(large.Metrics().Height, 24);
    EXPECT_EQ(large.TextWidth("中"), 24);
}

TEST(Fonts, ClassicSansNamesShareTheMachinesSansFaceAndFallBackToSongForChinese)
{
    TFontInstance& sans = Resolve("MS Sans Serif", -11);
    EXPECT_EQ(&sans, &Resolve("ms sans serif", -11)) << "names are matched without regard to case";
    EXPECT_EQ(sans.Description().rfind("DejaVu Sans 11px", 0), 0u) << sans.Description();
    EXPECT_EQ(Resolve("Tahoma", -11).Description(), sans.Description());
    const TTextMetric& m = sans.Metrics();
    EXPECT_EQ(m.Height, m.Ascent + m.Descent);
    EXPECT_EQ(m.InternalLeading, m.Height - 11);
    EXPECT_GT(m.InternalLeading, 0);
    // DejaVu has no Chinese; the character still gets a full-width glyph.
    EXPECT_GT(sans.TextWidth("中"), sans.TextWidth("x"));
    EXPECT_FALSE(sans.Glyph(U'中').Mask.empty());

    // A positive height asks for the cell: the em shrinks to fit it.
    EXPECT_EQ(Resolve("Arial", 13).Metrics().Height, 13);
    // An unknown family goes to the sans face too.
    EXPECT_EQ(Resolve("No Such Face", -11).Description(), sans.Description());
}

TEST(Fonts, SyntheticBoldWidensAndSyntheticItalicReportsItsOverhangOnce)
{
    TFontInstance& bold = Resolve("宋体", -12, {fsBold});
    EXPECT_EQ(bold.Metrics().Weight, 700);
    EXPECT_EQ(bold.TextWidth("A"), 7);
    EXPECT_EQ(bold.TextWidth("A中"), 7 + 13);

    TFontInstance& italic = Resolve("宋体", -12, {fsItalic});
    EXPECT_TRUE(italic.Metrics().Italic);
    EXPECT_EQ(italic.Metrics().Overhang, 2);
    // The overhang is counted once per measured run: "XX" is narrower than
    // two "X"s.
    EXPECT_EQ(italic.TextWidth("X"), 6 + 2);
    EXPECT_EQ(italic.TextWidth("XX"), 12 + 2);
    EXPECT_EQ(italic.TextWidth(""), 0);
}

TEST(Fonts, TextFromGbkBytesIsDrawnAsTheCharactersItEncodes)
{
    // "中" in GBK is D6 D0; the glyph must be U+4E2D's, not two Latin-1 ones.
    TFontInstance& font = Resolve("宋体", -12);
    EXPECT_EQ(font.TextWidth("\xD6\xD0"), 12);
    SongCanvas a(20, 12), b(20, 12);
    a.canvas.TextOut(0, 0, "中");
    b.canvas.TextOut(0, 0, "\xD6\xD0");
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(a.bitmap.Pixel(x, y), b.bitmap.Pixel(x, y));
    EXPECT_GT(a.Count(clBlack), 20);
}

TEST(CanvasText, TransparentBackgroundChangesOnlyGlyphPixels)
{
    SongCanvas s(40, 16);
    s.canvas.Brush()->SetColor(clLime);
    s.canvas.FillRect(Rect(0, 0, 40, 16));
    s.canvas.Brush()->SetStyle(bsClear);
    EXPECT_EQ(s.canvas.BkMode(), TRANSPARENT);
    s.canvas.Font()->SetColor(clRed);
    s.canvas.TextOut(2, 2, "中A");
    int red = s.Count(clRed);
    EXPECT_GT(red, 20);
    EXPECT_EQ(red + s.Count(clLime), 40 * 16) << "no other colour appears";
    EXPECT_EQ(s.canvas.PenPos(), Point(2 + 18, 2));
}

TEST(CanvasText, OpaqueBackgroundFillsExactlyTheTextCell)
{
    SongCanvas s(40, 16);
    s.canvas.Brush()->SetColor(clYellow);
    s.canvas.TextOut(3, 2, "A中");
    EXPECT_EQ(s.Ink(), Rect(3, 2, 3 + 18, 2 + 12));
    EXPECT_EQ(s.Count(clYellow) + s.Count(clBlack), 18 * 12);

    // SetBkMode overrides the brush until the brush changes again.
    SongCanvas t(40, 16);
    t.canvas.SetBkMode(TRANSPARENT);
    t.canvas.Brush()->SetColor(clYellow);
    EXPECT_EQ(t.canvas.BkMode(), OPAQUE);
    t.canvas.SetBkMode(TRANSPARENT);
    t.canvas.TextOut(3, 2, "A中");
    EXPECT_EQ(t.Count(clYellow), 0);
}

TEST(CanvasText, TextRectClipsToItsRectangle)
{
    SongCanvas s(40, 16);
    s.canvas.Brush()->SetColor(clAqua);
    s.canvas.TextRect(Rect(5, 3, 15, 13), 2, 2, "中文中文");
    TRect ink = s.Ink();
    EXPECT_EQ(ink, Rect(5, 3, 15, 13)) << "the opaque background fills all of the rectangle, nothing outside";
}

TEST(CanvasText, DrawTextMeasuresSingleAndWrappedLines)
{
    SongCanvas s(100, 60);
    TRect r = Rect(10, 5, 10 + 100, 5);
    EXPECT_EQ(s.canvas.DrawText("账套 Ab", r, DT_CALCRECT | DT_SINGLELINE), 12);
    EXPECT_EQ(r, Rect(10, 5, 10 + 12 * 2 + 6 * 3, 5 + 12));

    // Four words of 5 characters (30 px) and blanks (6 px) in 70 px: two a line.
    r = Rect(0, 0, 70, 0);
    EXPECT_EQ(s.canvas.DrawText("aaaaa bbbbb ccccc ddddd", r, DT_CALCRECT | DT_WORDBREAK), 24);
    EXPECT_EQ(r, Rect(0, 0, 66, 24));
    // Chinese breaks between any two characters.
    r = Rect(0, 0, 40, 0);
    EXPECT_EQ(s.canvas.DrawText("一二三四五六七", r, DT_CALCRECT | DT_WORDBREAK), 36);
    EXPECT_EQ(r.Right, 36);
    // A word wider than the line stands alone and keeps its width.
    r = Rect(0, 0, 20, 0);
    s.canvas.DrawText("ab abcdefgh", r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(r, Rect(0, 0, 48, 24));
    // Line breaks end lines unless the text is one line.
    r = Rect(0, 0, 100, 0);
    EXPECT_EQ(s.canvas.DrawText("a\r\nb\nc\rd", r, DT_CALCRECT), 48);
    r = Rect(0, 0, 100, 0);
    EXPECT_EQ(s.canvas.DrawText("a\r\nb", r, DT_CALCRECT | DT_SINGLELINE), 12);
    // Empty text has no extent.
    r = Rect(4, 4, 50, 50);
    EXPECT_EQ(s.canvas.DrawText("", r, DT_CALCRECT), 0);
    EXPECT_EQ(r, Rect(4, 4, 4, 4));
}

TEST(CanvasText, DrawTextPlacesSingleLinesByTheAlignmentFlags)
{
    struct Case {
        unsigned Flags;
        TRect Cell;  // where the 18 by 12 cell of "A中" must land in (0,0)-(60,30)
    };
    const Case cases[] = {
        {DT_SINGLELINE, Rect(0, 0, 18, 12)},
        {DT_SINGLELINE | DT_CENTER, Rect(21, 0, 39, 12)},
        {DT_SINGLELINE | DT_RIGHT, Rect(42, 0, 60, 12)},
        {DT_SINGLELINE | DT_VCENTER, Rect(0, 9, 18, 21)},
        {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, Rect(42, 18, 60, 30)},
    };
    for (const Case& c : cases) {
        SongCanvas s(60, 30);
        s.canvas.Brush()->SetColor(clYellow);
        TRect r = Rect(0, 0, 60, 30);
        s.canvas.DrawText("A中", r, c.Flags);
        EXPECT_EQ(s.Ink(), c.Cell) << "flags " << c.Flags;
    }
}

TEST(CanvasText, PrefixUnderlinesTheMarkedCharacterAndDoubledAmpersandsShowOne)
{
    SongCanvas plain(40, 12), marked(40, 12);
    TRect r = Rect(0, 0, 40, 12);
    plain.canvas.DrawText("Fi", r, DT_SINGLELINE);
    EXPECT_EQ(marked.canvas.DrawText("&Fi", r, DT_SINGLELINE), 12);
    // The only difference is the underline below "F": row 11, x 0 to 5.
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 40; ++x) {
            bool underline = y == 11 && x < 6;
            ASSERT_EQ(marked.bitmap.Pixel(x, y), underline ? clBlack : plain.bitmap.Pixel(x, y)) << x << "," << y;
        }
    r = Rect(0, 0, 100, 0);
    marked.canvas.DrawText("a&&b", r, DT_CALCRECT);
    EXPECT_EQ(r.Right, 18) << "three characters";
    r = Rect(0, 0, 100, 0);
    marked.canvas.DrawText("a&&b", r, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(r.Right, 24);
}

TEST(CanvasText, ClippingEllipsisAndTabs)
{
    SongCanvas clipped(60, 12), unclipped(60, 12);
    TRect r = Rect(0, 0, 12, 12);
    clipped.canvas.DrawText("中文字", r, DT_SINGLELINE);
    unclipped.canvas.DrawText("中文字", r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_LE(clipped.Ink().Right, 12);
    EXPECT_GT(unclipped.Ink().Right, 24);

    r = Rect(0, 0, 30, 0);
    clipped.canvas.DrawText("abcdefgh", r, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(r.Right, 30) << "\"ab...\" fits 30 pixels";

    r = Rect(0, 0, 200, 0);
    clipped.canvas.DrawText("a\tb", r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(r.Right, 48 + 6) << "a tab stops at eight average widths";
}

TEST(CanvasText, GoldenMixedChineseAndAsciiInSong)
{
    SongCanvas s(240, 112);
    TCanvas& c = s.canvas;
    c.Brush()->SetStyle(bsClear);
    c.TextOut(4, 4, "账套名称: Account 2026 (测试)");
    c.TextOut(4, 20, "登录错误！请检查密码，或机器名是否正确");
    c.Font()->SetStyle({fsBold});
    c.TextOut(4, 36, "粗体 Bold 0123456789");
    c.Font()->SetStyle({fsItalic, fsUnderline});
    c.TextOut(4, 52, "斜体 Italic");
    c.Font()->SetStyle({fsStrikeOut});
    c.TextOut(120, 52, "删除 Strike");
    c.Font()->SetStyle({});
    c.Brush()->SetColor(clBtnFace);
    TRect box = Rect(4, 68, 236, 108);
    c.FillRect(box);
    c.Font()->SetColor(clNavy);
    c.DrawText("&Save 保存(&S) — 一行文字太长时在词与字之间换行 wrap", box, DT_CENTER | DT_WORDBREAK);
    EXPECT_TRUE(testsupport::MatchesGolden(s.bitmap, "graphics_song_text"));
}
