#include "grid/view/CellTextLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/foundation/MultiByteText.h"

namespace {

using namespace grid;

// A font of fixed widths: 6 pixels a byte (12 a double-byte character),
// lines 12 pixels high.
TtsTextFont FixedFont()
{
    TtsTextFont font;
    font.LineHeight = 12;
    font.AveCharWidth = 6;
    font.Width = [](std::string_view run) { return static_cast<int>(run.size()) * 6; };
    return font;
}

std::vector<std::string> Shown(std::string_view text, const std::vector<TtsTextLine>& lines)
{
    std::vector<std::string> out;
    for (const TtsTextLine& l : lines)
        out.emplace_back(text.substr(l.Start, l.End - l.Start));
    return out;
}

TEST(CellTextLayout, BreaksLinesAtWordsLineBreaksAndNeverInsideACharacter)
{
    struct Case {
        const char* text;
        int width;
        bool keepEmptyLast;
        std::vector<std::string> lines;
    } cases[] = {
        {"hello world", 36, false, {"hello ", "world"}},
        {"hello   world", 36, false, {"hello ", "world"}},   // blanks at a wrap are skipped
        {"ab\r\ncd", 60, false, {"ab", "cd"}},                 // CR LF is one break
        {"ab\n\ncd", 60, false, {"ab", "", "cd"}},             // two equal breaks are two
        {"ab\r\n", 60, false, {"ab"}},
        {"ab\r\n", 60, true, {"ab", ""}},                      // where an editor's caret goes
        {"abcdefghij", 24, false, {"abcd", "efgh", "ij"}},     // a word longer than the line
        {"中文字", 30, false, {"中文", "字"}},                 // 30 px holds two and a half
        {"a中文", 24, false, {"a中", "文"}},                  // never half a character
        {"中", 6, false, {"中"}},                              // at least one character a line
        {"", 30, false, {""}},
    };
    TtsTextFont font = FixedFont();
    for (const Case& c : cases) {
        std::vector<TtsTextLine> lines = BreakCellText(c.text, c.width, font, 0, c.keepEmptyLast);
        EXPECT_EQ(Shown(c.text, lines), c.lines) << c.text << " in " << c.width;
        for (const TtsTextLine& l : lines)
            EXPECT_NE(CharKindAt(c.text, l.End), core::mbTrailByte) << c.text;
    }
    // Cell painting lays out no more lines than the height holds, plus one.
    EXPECT_EQ(BreakCellText("a b c d e", 6, font, 2).size(), 2u);
}

TEST(CellTextLayout, WrapsOnlyWithALineAndAThirdOfHeight)
{
    TtsTextFont font = FixedFont();
    EXPECT_TRUE(CellTextWraps(wwOn, 16, font));
    EXPECT_FALSE(CellTextWraps(wwOn, 15, font));
    EXPECT_TRUE(CellTextWraps(wwDefault, 40, font));
    EXPECT_FALSE(CellTextWraps(wwOff, 40, font));
    font.ExtraPixel = 1;
    font.LineHeight = 13;
    EXPECT_FALSE(CellTextWraps(wwOn, 17, font));  // the extra pixel is not room for text
    EXPECT_TRUE(CellTextWraps(wwOn, 18, font));
}

TEST(CellTextLayout, PlacesLinesByAlignment)
{
    TtsTextFont font = FixedFont();
    graphics::TRect cell{10, 20, 70, 44};  // 60 by 24
    struct Case {
        TtsHorzAlignment horz;
        TtsVertAlignment vert;
        int x, top;
    } cases[] = {
        {htaLeft, vtaTop, 13, 20},
        {htaDefault, vtaDefault, 13, 20},
        {htaRight, vtaTop, 69 - 12, 20},       // ends one pixel before the right edge
        {htaCenter, vtaCenter, 13 + (57 - 12) / 2, 26},
        {htaLeft, vtaBottom, 13, 32},
    };
    for (const Case& c : cases) {
        TtsCellTextLayout layout = LayoutCellText("ab", cell, 3, c.horz, c.vert, wwOff, 24, font);
        ASSERT_EQ(layout.Lines.size(), 1u);
        EXPECT_FALSE(layout.Wrapped);
        EXPECT_EQ(layout.LineX[0], c.x) << c.horz << c.vert;
        EXPECT_EQ(layout.Top, c.top) << c.horz << c.vert;
    }
    // Single-line text shows each line-break byte as a blank.
    EXPECT_EQ(ShownLineText("a\r\nb", {0, 4}), "a  b");
    // A wrapped block is centred as a whole when it fits.
    TtsCellTextLayout wrapped = LayoutCellText("aaaa bbbb", {0, 0, 33, 40}, 3, htaLeft, vtaCenter, wwOn, 40, font);
    ASSERT_EQ(wrapped.Lines.size(), 2u);
    EXPECT_EQ(wrapped.Top, 8);
}

}  // namespace
