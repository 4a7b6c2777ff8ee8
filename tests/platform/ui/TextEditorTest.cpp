#include <gtest/gtest.h>

#include "platform/ui/TextEditor.h"

using ui::AnsiString;
using ui::TTextEditor;

namespace {

// Six pixels a byte: a single-byte character is 6 wide, a double-byte one 12.
TTextEditor Engine(std::string_view text, bool multiLine = false, int wrap = 0)
{
    TTextEditor e;
    e.SetMultiLine(multiLine);
    e.SetMeasure([](std::string_view s) { return static_cast<int>(s.size()) * 6; });
    e.SetWrapWidth(wrap);
    e.SetText(text);
    return e;
}

}  // namespace

TEST(TextEditorTest, BoundariesSkipTrailBytesThatLookLikeOtherCharacters)
{
    // 0x81 0x81 is one character, then 0x81 'A' another: the 'A' is a trail byte.
    TTextEditor e = Engine("\x81\x81\x81" "A" "b");
    struct Case {
        int pos, snap, next, prev;
    } cases[] = {{0, 0, 2, 0}, {1, 0, 2, 0}, {2, 2, 4, 0}, {3, 2, 4, 0}, {4, 4, 5, 2}, {5, 5, 5, 4}};
    for (const Case& c : cases) {
        EXPECT_EQ(e.Snap(c.pos), c.snap) << c.pos;
        EXPECT_EQ(e.NextChar(c.snap), c.next) << c.pos;
        EXPECT_EQ(e.PrevChar(c.snap), c.prev) << c.pos;
    }
    // A line break is one step in a multi-line text and never split.
    TTextEditor m = Engine("a\r\nb", true);
    EXPECT_EQ(m.NextChar(1), 3);
    EXPECT_EQ(m.PrevChar(3), 1);
    EXPECT_EQ(m.Snap(2), 1);
    m.SetSelection(2, 2);
    EXPECT_EQ(m.Caret(), 1);
}

TEST(TextEditorTest, WordsAreRunsOfOneKindFollowedByBlanks)
{
    TTextEditor e = Engine("ab, 中文  x_1", true);
    // a b , ' ' 中 文 ' ' ' ' x _ 1 at 0 1 2 3 4 6 8 9 10 11 12
    struct Case {
        int pos, right, left;
    } cases[] = {{0, 2, 0}, {2, 4, 0}, {4, 10, 2}, {8, 10, 4}, {10, 13, 4}, {13, 13, 10}};
    for (const Case& c : cases) {
        EXPECT_EQ(e.WordRight(c.pos), c.right) << c.pos;
        EXPECT_EQ(e.WordLeft(c.pos), c.left) << c.pos;
    }
    int start = 0, end = 0;
    e.WordAt(5, start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 10);
    e.WordAt(13, start, end);
    EXPECT_EQ(start, 10);
    EXPECT_EQ(end, 13);
}

TEST(TextEditorTest, WrappingBreaksAfterBlanksAroundWideCharactersOrInsideLongWords)
{
    struct Case {
        const char* text;
        int width;
        std::vector<std::pair<int, int>> lines;  // start and end of each line
    } cases[] = {
        {"aaa bbb ccc", 36, {{0, 4}, {4, 8}, {8, 11}}},      // blanks hang at the line's end
        {"aaaaaaaaaa", 24, {{0, 4}, {4, 8}, {8, 10}}},       // a word wider than the line
        {"ab中文cd", 18, {{0, 2}, {2, 4}, {4, 6}, {6, 8}}},  // before and after wide characters
        {"中文中文", 36, {{0, 6}, {6, 8}}},
        {"x\r\n\r\nyy", 100, {{0, 1}, {3, 3}, {5, 7}}},      // breaks and an empty line
    };
    for (const Case& c : cases) {
        TTextEditor e = Engine(c.text, true, c.width);
        std::vector<std::pair<int, int>> got;
        for (const ui::TTextLine& line : e.Lines()) {
            got.emplace_back(line.Start, line.End);
            if (line.Next == line.End && &line != &e.Lines().back()) {
                // A wrapped line's text, blanks left out, fits the width.
                AnsiString text = e.Text().substr(static_cast<size_t>(line.Start), static_cast<size_t>(line.End - line.Start));
                while (!text.empty() && text.back() == ' ')
                    text.pop_back();
                EXPECT_LE(static_cast<int>(text.size()) * 6, c.width) << c.text;
            }
        }
        EXPECT_EQ(got, c.lines) << c.text;
    }
}

TEST(TextEditorTest, LogicalLinesLeaveOutAnEmptyLastLine)
{
    struct Case {
        const char* text;
        int count;
    } cases[] = {{"", 0}, {"a", 1}, {"a\r\n", 1}, {"a\r\nb", 2}, {"a\r\n\r\n", 2}, {"\r\n", 1}};
    for (const Case& c : cases)
        EXPECT_EQ(Engine(c.text, true).LogicalLineCount(), c.count) << c.text;
    TTextEditor e = Engine("ab\r\ncd\r\n", true);
    EXPECT_EQ(e.LogicalLineStart(1), 4);
    EXPECT_EQ(e.LogicalLineEnd(1), 6);
    EXPECT_EQ(e.LogicalLineStart(2), 8);
    EXPECT_EQ(e.LogicalLineStart(3), -1);
}

TEST(TextEditorTest, PositionsAndPixelsMeetAtTheNearestBoundary)
{
    TTextEditor e = Engine("a中b");
    EXPECT_EQ(e.XOf(0, 3), 18);
    struct Case {
        int x, pos;
    } cases[] = {{-5, 0}, {2, 0}, {3, 1}, {11, 1}, {12, 3}, {20, 3}, {21, 4}, {99, 4}};
    for (const Case& c : cases)
        EXPECT_EQ(e.PosAt(0, c.x), c.pos) << c.x;
    // The end of a wrapped line is told apart from the start of the next.
    TTextEditor w = Engine("aaaa bbbb", true, 30);
    bool atEnd = false;
    EXPECT_EQ(w.PosAt(0, 99, &atEnd), 5);
    EXPECT_TRUE(atEnd);
    EXPECT_EQ(w.LineOf(5, true), 0);
    EXPECT_EQ(w.LineOf(5, false), 1);
}

TEST(TextEditorTest, MaxLengthTakesWholeCharactersAndLineBreaks)
{
    TTextEditor e = Engine("ab", true);
    e.SetMaxLength(5);
    e.SetSelection(2, 2);
    EXPECT_TRUE(e.Replace("\r\n中"));
    EXPECT_EQ(e.Text(), "ab\r\n");
    EXPECT_FALSE(e.Replace("中"));
    EXPECT_TRUE(e.Replace("x中"));
    EXPECT_EQ(e.Text(), "ab\r\nx");
    // Replacing a selection counts the room it frees.
    e.SetSelection(0, 2);
    EXPECT_TRUE(e.Replace("中文"));
    EXPECT_EQ(e.Text(), "中\r\nx");
}
