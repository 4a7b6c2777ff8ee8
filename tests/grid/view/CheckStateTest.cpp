// The check box's value and state rules: CheckBoxValues parsing, value to
// state, state to value, the toggle cycle and the glyph choice.
#include <gtest/gtest.h>

#include "grid/view/CheckState.h"

using namespace grid;
using core::Variant;

namespace {

struct ParseCase {
    const char* text;
    bool set;
    const char* checked;
    const char* unchecked;
    const char* grayed;
};

TEST(CheckStateTest, ParsesTheTwoAndThreePartForms)
{
    const ParseCase cases[] = {
        {"", false, "", "", ""},
        {"Yes|No", true, "Yes", "No", ""},
        {"Yes|No|Maybe", true, "Yes", "No", "Maybe"},
        {"|No|", true, "", "No", ""},
        {"Null|0|", true, "Null", "0", ""},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.text);
        CheckBoxTexts texts = CheckBoxTexts::Parse(c.text);
        EXPECT_EQ(texts.set, c.set);
        EXPECT_EQ(texts.checked, c.checked);
        EXPECT_EQ(texts.unchecked, c.unchecked);
        EXPECT_EQ(texts.grayed, c.grayed);
    }
}

struct StateCase {
    const char* values;
    Variant value;
    int state;
};

TEST(CheckStateTest, ValueToState)
{
    const StateCase cases[] = {
        // Without texts integers are their own state, everything else grayed.
        {"", Variant(int32_t{0}), 0},
        {"", Variant(int32_t{1}), 1},
        {"", Variant(int32_t{2}), 2},
        {"", Variant(int32_t{5}), 5},
        {"", Variant(int16_t{1}), 1},
        {"", Variant(int64_t{0}), 0},
        {"", Variant("1"), 2},
        {"", Variant(), 2},
        {"", Variant::Null(), 2},
        {"", Variant(true), 2},
        {"", Variant(1.0), 2},
        // With texts strings match in any letter case.
        {"Yes|No", Variant("yes"), 1},
        {"Yes|No", Variant("NO"), 0},
        {"Yes|No", Variant("Maybe"), 2},
        {"Yes|No|Maybe", Variant("maybe"), 2},
        {"Yes|No", Variant(u"YES"), 1},
        {"Yes|No", Variant(int32_t{1}), 1},
        {"Yes|No", Variant(false), 2},
        // Null stands for the part that is the word Null, in any case.
        {"Null|No", Variant::Null(), 1},
        {"Yes|Null", Variant::Null(), 0},
        {"Yes|null", Variant::Null(), 0},
        {"NULL|No", Variant::Null(), 1},
        {"Yes|No|Null", Variant::Null(), 2},
        {"Yes|No", Variant::Null(), 2},
        {"Yes|No", Variant(), 2},
    };
    for (const StateCase& c : cases) {
        SCOPED_TRACE(std::string(c.values) + " / " + c.value.TypeName());
        EXPECT_EQ(CheckStateOfValue(c.value, CheckBoxTexts::Parse(c.values)), c.state);
    }
}

TEST(CheckStateTest, StateToValue)
{
    CheckBoxTexts none = CheckBoxTexts::Parse("");
    EXPECT_TRUE(ValueOfCheckState(1, none).Identical(Variant(int32_t{1})));
    EXPECT_TRUE(ValueOfCheckState(0, none).Identical(Variant(int32_t{0})));
    EXPECT_TRUE(ValueOfCheckState(2, none).Identical(Variant(int32_t{2})));

    CheckBoxTexts two = CheckBoxTexts::Parse("Yes|No");
    EXPECT_TRUE(ValueOfCheckState(1, two).Identical(Variant("Yes")));
    EXPECT_TRUE(ValueOfCheckState(0, two).Identical(Variant("No")));
    EXPECT_TRUE(ValueOfCheckState(2, two).Identical(Variant("")));

    CheckBoxTexts three = CheckBoxTexts::Parse("Yes|No|nULL");
    EXPECT_TRUE(ValueOfCheckState(2, three).IsNull());
}

// Whatever a state stores reads back as that state, Null included in any
// letter case (a "Yes|null" box unticked must not stay grayed for good).
TEST(CheckStateTest, StoredValuesReadBackAsTheirState)
{
    for (const char* values : {"", "Yes|No", "Yes|No|Maybe", "Yes|null", "NULL|No", "Yes|No|null", "1|0"}) {
        CheckBoxTexts texts = CheckBoxTexts::Parse(values);
        for (int state : {0, 1}) {
            SCOPED_TRACE(std::string(values) + " state " + std::to_string(state));
            EXPECT_EQ(CheckStateOfValue(ValueOfCheckState(state, texts), texts), state);
        }
    }
    // A missing grayed text stores an empty string, which shows grayed.
    CheckBoxTexts two = CheckBoxTexts::Parse("Yes|No");
    EXPECT_EQ(CheckStateOfValue(ValueOfCheckState(2, two), two), 2);
}

TEST(CheckStateTest, ToggleCycle)
{
    struct {
        int from;
        bool allowGrayed;
        int to;
    } const cases[] = {
        {0, false, 1}, {1, false, 0}, {2, false, 0}, {5, false, 0},
        {0, true, 1},  {1, true, 2},  {2, true, 0},  {-1, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + (c.allowGrayed ? " grayed allowed" : ""));
        EXPECT_EQ(NextCheckState(c.from, c.allowGrayed), c.to);
    }
}

TEST(CheckStateTest, GlyphChoice)
{
    struct {
        TtsCheckBoxStyle style;
        int state;
        bool pressed;
        int glyph;
    } const cases[] = {
        {stCross, 1, false, 0}, {stCross, 0, false, 1}, {stCross, 2, false, 2},
        {stCheck, 1, false, 3}, {stCheck, 0, false, 4}, {stCheck, 2, false, 5}, {stCheck, 7, false, 5},
        {stFlat, 1, false, 6},  {stFlat, 0, false, 7},  {stFlat, 2, false, 8},
        {stCheck, 1, true, 12}, {stFlat, 2, true, 17},  {stCross, 0, true, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.style) + "/" + std::to_string(c.state) + (c.pressed ? " pressed" : ""));
        EXPECT_EQ(CheckGlyphIndex(c.style, c.state, c.pressed), c.glyph);
    }
    // Only the unpressed flat glyphs take the cell's background.
    for (int glyph = 0; glyph < 18; ++glyph)
        EXPECT_EQ(CheckGlyphTakesBrush(glyph), glyph >= 6 && glyph <= 8) << glyph;
}

}  // namespace
