// The combo list's search and completion rules on plain tables of values:
// comparison by case and by code (double-byte text included), the unsorted
// scan, the sorted bisection, AutoSearch scrolling and AutoFill completion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/view/ComboSearch.h"

using namespace grid;

namespace {

// GBK bytes of 北京, 南京 and 上海, and two characters that differ only in a
// trail byte that lies in the range of the letters ('a' 0x61, 'A' 0x41).
const std::string kBeijing = "\xB1\xB1\xBE\xA9";
const std::string kNanjing = "\xC4\xCF\xBE\xA9";
const std::string kShanghai = "\xC9\xCF\xBA\xA3";
const std::string kTrailLower = "\x81\x61";
const std::string kTrailUpper = "\x81\x41";

TtsComboSearch SearchOver(const std::vector<std::string>& values, TtsComboCompareType type)
{
    return TtsComboSearch(
        static_cast<int>(values.size()), [values](int row) { return values[row - 1]; },
        [type](const AnsiString& v, const AnsiString& t, int len) { return ComboCompareText(v, t, len, type); });
}

int Sign(int v)
{
    return (v > 0) - (v < 0);
}

TEST(ComboSearch, ComparesByCaseAndCodeWithoutFoldingTrailBytes)
{
    struct Case {
        std::string value, text;
        int len;
        TtsComboCompareType type;
        int sign;
    } cases[] = {
        {"ABC", "ab", 2, ctCaseInsensitive, 0},
        {"ABC", "ab", 2, ctCaseSensitive, -1},
        {"abd", "abc", 3, ctCaseInsensitive, 1},
        {"ab", "abc", 3, ctCaseInsensitive, -1},  // the shorter one ends first
        {"abc", "ab", 5, ctCaseInsensitive, 1},   // the end of the text counts
        {"", "", 0, ctCaseInsensitive, 0},
        {"", "a", 0, ctCaseInsensitive, -1},
        {"a", "", 0, ctCaseSensitive, 1},
        {"[", "{", 1, ctCaseInsensitive, -1},     // only a to z fold
        {kBeijing, kBeijing, 4, ctCaseInsensitive, 0},
        {kBeijing, kNanjing, 4, ctCaseInsensitive, -1},
        {kTrailLower, kTrailUpper, 2, ctCaseInsensitive, 1},
        {kTrailLower + "x", kTrailLower + "X", 3, ctCaseInsensitive, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sign(ComboCompareText(c.value, c.text, c.len, c.type)), c.sign)
            << "'" << c.value << "' vs '" << c.text << "' over " << c.len;
}

TEST(ComboSearch, UnsortedScanTakesTheFirstLongestMatch)
{
    std::vector<std::string> values{"xyz", "abd", "ab", "ABCD", "abc", kBeijing};
    TtsComboSearch search = SearchOver(values, ctCaseInsensitive);
    struct Case {
        std::string text;
        bool whole;
        int row;
        bool hit;
    } cases[] = {
        {"abc", false, 4, true},   // 'abd' does not match over 3; 'ab' does over 2, ABCD over 3
        {"abz", false, 3, true},   // only over 2: the first such row
        {"q", false, 0, false},    // nothing: the current row stays
        {"", false, 1, false},
        {"ABX", true, 0, false},   // completion wants the whole text
        {"ab", true, 2, true},
        {"\xB1\xB1", false, 6, true},
    };
    for (const Case& c : cases) {
        TtsComboFound found = search.Find(c.text, false, c.whole);
        EXPECT_EQ(found.Row, c.row) << c.text;
        EXPECT_EQ(found.Hit, c.hit) << c.text;
    }
}

TEST(ComboSearch, SortedBisectionFindsTheFirstPrefixAndEndsOnAnExactHit)
{
    std::vector<std::string> values{"apple", "Banana", "bean", "beet", "carrot", "cherry", kBeijing, kNanjing, kShanghai};
    TtsComboSearch search = SearchOver(values, ctCaseInsensitive);
    struct Case {
        std::string text;
        bool whole;
        int row;
        bool hit;
    } cases[] = {
        {"be", false, 3, true},
        {"BE", true, 3, true},
        {"beet", false, 4, true},   // exact: ends there
        {"beets", false, 4, true},  // the longest shorter match
        {"ban", true, 2, true},
        {"bz", false, 4, false},    // the row before the insertion point
        {"a", false, 1, true},
        {"0", false, 1, false},     // before every row: row 1
        {"zz", false, 6, false},
        {"", false, 1, false},
        {"\xC4\xCF", true, 8, true},
        {kShanghai, false, 9, true},
    };
    for (const Case& c : cases) {
        TtsComboFound found = search.Find(c.text, true, c.whole);
        EXPECT_EQ(found.Row, c.row) << c.text;
        EXPECT_EQ(found.Hit, c.hit) << c.text;
    }
    // Equal values: the search ends, on one of them.
    std::vector<std::string> same(7, "same");
    EXPECT_TRUE(SearchOver(same, ctCaseSensitive).Find("same", true, true).Hit);
}

TEST(ComboSearch, AnEmptyListPositionsNothing)
{
    TtsComboSearch search = SearchOver({}, ctCaseInsensitive);
    for (bool sorted : {false, true})
        for (const char* text : {"", "a"}) {
            TtsComboFound found = search.Find(text, sorted, false);
            EXPECT_EQ(found.Row, 0);
            EXPECT_FALSE(found.Hit);
        }
    EXPECT_EQ(search.NextStartingWith(0, "a"), 0);
}

TEST(ComboSearch, CyclesThroughRowsStartingWithACharacter)
{
    TtsComboSearch search = SearchOver({"bat", "apple", "bee", kBeijing, "Boat"}, ctCaseInsensitive);
    EXPECT_EQ(search.NextStartingWith(0, "b"), 1);
    EXPECT_EQ(search.NextStartingWith(1, "b"), 3);
    EXPECT_EQ(search.NextStartingWith(3, "b"), 5);
    EXPECT_EQ(search.NextStartingWith(5, "b"), 1);  // wraps round
    EXPECT_EQ(search.NextStartingWith(2, "\xB1\xB1"), 4);
    EXPECT_EQ(search.NextStartingWith(2, "\xB1\xB2"), 0);
}

TEST(ComboSearch, AutoSearchPutsTheRowAtTopBottomOrCentre)
{
    EXPECT_EQ(ComboTopRowFor(10, asTop, 5), 10);
    EXPECT_EQ(ComboTopRowFor(10, asBottom, 5), 6);
    EXPECT_EQ(ComboTopRowFor(10, asCenter, 5), 8);  // rows 8 to 12
    EXPECT_EQ(ComboTopRowFor(10, asCenter, 4), 9);
}

TEST(ComboSearch, CompletionTakesTheListsCaseOrKeepsTheTypedText)
{
    struct Case {
        std::string text, found;
        TtsConvertCase convert;
        bool atExit;
        const char* result;  // nullptr: unchanged
    } cases[] = {
        {"ab", "ABC", afcOnEdit, false, "ABC"},
        {"ab", "ABC", afcNone, false, "abC"},
        {"ab", "ABC", afcOnExit, false, "abC"},
        {"abc", "ABC", afcOnEdit, false, "ABC"},
        {"abc", "ABC", afcNone, false, nullptr},
        {"ABC", "ABC", afcOnEdit, false, nullptr},
        {"abc", "ABC", afcOnExit, true, "ABC"},
        {"ab", "ABC", afcOnExit, true, nullptr},
        {"ab", "", afcOnEdit, false, nullptr},
        {kBeijing.substr(0, 2), kBeijing, afcNone, false, kBeijing.c_str()},
    };
    for (const Case& c : cases) {
        auto next = ComboCompletion(c.text, c.found, true, c.convert, c.atExit);
        if (c.result) {
            ASSERT_TRUE(next.has_value()) << c.text << " / " << c.found;
            EXPECT_EQ(*next, c.result);
        } else {
            EXPECT_FALSE(next.has_value()) << c.text << " / " << c.found;
        }
    }
    EXPECT_FALSE(ComboCompletion("ab", "ABC", false, afcOnEdit, false).has_value());
}

}  // namespace
