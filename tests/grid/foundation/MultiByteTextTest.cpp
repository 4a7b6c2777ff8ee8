#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/foundation/MultiByteText.h"

using namespace grid;

namespace {

// "中" in code page 936, and a double-byte character whose second byte is a
// backslash, which a byte search would take for a path separator.
const std::string zhong = "\xD6\xD0";
const std::string leadBackslash = std::string("\x81") + "\\";

// Runs a test with every byte a character of its own.
class SingleByteSystem {
public:
    SingleByteSystem() : saved_(DoubleByteSystem) { DoubleByteSystem = false; }
    ~SingleByteSystem() { DoubleByteSystem = saved_; }

private:
    bool saved_;
};

struct LenCase {
    std::string text;
    int at;
    int expected;
};

}  // namespace

TEST(MultiByteText, CodePageIsDoubleByte)
{
    EXPECT_TRUE(DoubleByteSystem);
}

TEST(MultiByteText, CharLenAtLineBreaksAndDoubleByteCharacters)
{
    const LenCase cases[] = {
        {"\r\nx", 0, 2},              // CR LF is one line break
        {"\n\rx", 0, 2},              // so is LF CR
        {"\r\rx", 0, 1},              // two equal ones are two
        {"\n\nx", 0, 1},
        {"\r", 0, 1},                 // a CR at the end has no partner
        {zhong + "a", 0, 2},          // lead byte
        {zhong, 1, 1},                // a trail byte at the end: never past the end
        {"a" + zhong + "b", 2, 2},    // a trail byte inside: the classic two
        {"ab", 1, 1},
        {"ab", 2, 0},                 // the terminating zero
        {std::string("a\0b", 3), 1, 0},
        {"ab", 7, 0},
        {"ab", -1, 0},
        {"", 0, 0},
        {std::string("\x81") + "\n", 0, 2},  // a line-break byte after a lead byte is its trail
        {"a\x81", 1, 1},              // a lead byte cut short: never past the end
    };
    for (const LenCase& c : cases)
        EXPECT_EQ(CharLenAt(c.text, c.at), c.expected) << "at " << c.at;
}

TEST(MultiByteText, LineBreaksInsideDoubleByteCharactersAreNone)
{
    const std::string text = std::string("\x81") + "\n" + "a\r\n";
    EXPECT_FALSE(IsLineBreakAt(text, 1));
    EXPECT_FALSE(IsLineBreakAt(text, 2));
    EXPECT_TRUE(IsLineBreakAt(text, 3));
    EXPECT_TRUE(IsLineBreakAt(text, 4));
    EXPECT_FALSE(IsLineBreakAt(text, 5));
    EXPECT_FALSE(IsLineBreakAt(text, -1));

    int i = 1;
    EXPECT_FALSE(SkipLineBreak(text, i));
    EXPECT_EQ(i, 1);
    i = 3;
    EXPECT_TRUE(SkipLineBreak(text, i));
    EXPECT_EQ(i, 5);
    const std::string twoBreaks = "\n\nx";
    i = 0;
    EXPECT_TRUE(SkipLineBreak(twoBreaks, i));
    EXPECT_EQ(i, 1);
    EXPECT_TRUE(SkipLineBreak(twoBreaks, i));
    EXPECT_EQ(i, 2);
    EXPECT_FALSE(SkipLineBreak(twoBreaks, i));
}

TEST(MultiByteText, CharLenBeforeStepsBackToWhereForwardSteppingStops)
{
    const LenCase cases[] = {
        {"\n\r\n", 3, 1},   // LF CR, then LF: not back into the middle of LF CR
        {"\n\r\n", 2, 2},
        {"a\r\n", 3, 2},
        {"a\n\r", 3, 2},
        {"\r\r\n", 3, 2},   // CR, then CR LF
        {"\r\n\r", 3, 1},
        {"a" + zhong, 3, 2},
        {"a" + zhong, 2, 1}, // inside a character: back to its lead byte
        {"ab", 1, 1},
        {"ab", 0, 0},
        {"ab", -3, 0},
        {"ab", 3, 0},       // past the end
        {zhong + "\\", 3, 1},
        {leadBackslash, 2, 2},
    };
    for (const LenCase& c : cases)
        EXPECT_EQ(CharLenBefore(c.text, c.at), c.expected) << "before " << c.at;
}

// Every text of up to six bytes over line breaks, a letter, a lead byte and
// a backslash: stepping back from the end visits exactly the places that
// stepping forward from the start visited, and the kinds agree with the
// platform's byte kinds.
TEST(MultiByteText, SteppingBackRetracesSteppingForward)
{
    const char alphabet[] = {'a', '\r', '\n', '\x81', '\\'};
    for (int length = 0; length <= 6; ++length) {
        int combinations = 1;
        for (int k = 0; k < length; ++k)
            combinations *= 5;
        for (int code = 0; code < combinations; ++code) {
            std::string text;
            for (int k = 0, rest = code; k < length; ++k, rest /= 5)
                text += alphabet[rest % 5];
            std::vector<int> forward;
            for (int i = 0; i < length; i += CharLenAt(text, i)) {
                ASSERT_GT(CharLenAt(text, i), 0);
                forward.push_back(i);
            }
            std::vector<int> backward;
            for (int n = length; n > 0; n -= CharLenBefore(text, n))
                backward.insert(backward.begin(), n - CharLenBefore(text, n));
            ASSERT_EQ(forward, backward) << "text code " << code << " length " << length;

            std::vector<core::TMbcsByteType> kinds = CharKinds(text);
            for (int i = 0; i < length; ++i)
                ASSERT_EQ(kinds[i], core::ByteType(text, i)) << "code " << code << " at " << i;
        }
    }
}

TEST(MultiByteText, FindCharNeverStopsInsideADoubleByteCharacter)
{
    // a, a character ending in a backslash, a backslash, a lone lead byte.
    const std::string text = "a" + leadBackslash + "\\" + "x" + leadBackslash;
    EXPECT_EQ(FindByte(text, '\\', 99), 2);
    EXPECT_EQ(FindChar(text, '\\', 99), 3);
    EXPECT_EQ(FindChar(text, '\\', 3), -1);
    EXPECT_EQ(FindByteBack(text, '\\', 99), 6);
    EXPECT_EQ(FindCharBack(text, '\\', 99), 3);
    EXPECT_EQ(FindCharBack(text, '\\', 3), -1);
    // A hit on a lead byte is passed over with its trail, and so is a lead
    // byte cut short at the end; the byte value is found where it stands
    // alone only when the system has no double-byte characters.
    const std::string leads = leadBackslash + "\x81";
    EXPECT_EQ(FindChar(leads, '\x81', 99), -1);
    EXPECT_EQ(FindCharBack(leads, '\x81', 99), -1);
    EXPECT_EQ(FindByte(leads, '\x81', 99), 0);
    EXPECT_EQ(FindByteBack(leads, '\x81', 99), 2);
    // Nothing outside the first `len` bytes, and nothing for odd lengths.
    EXPECT_EQ(FindByte("abc", 'c', 2), -1);
    EXPECT_EQ(FindByteBack("abc", 'a', 0), -1);
    EXPECT_EQ(FindChar("abc", 'a', -5), -1);
    EXPECT_EQ(FindByte("", 'a', 10), -1);
}

TEST(MultiByteText, SingleByteSystemTreatsEveryByteAlone)
{
    SingleByteSystem singleByte;
    const std::string text = "a" + leadBackslash;
    EXPECT_EQ(FindChar(text, '\\', 99), 2);
    EXPECT_EQ(CharLenAt(text, 1), 1);
    EXPECT_EQ(CharLenBefore(text, 3), 1);
    EXPECT_EQ(CharKindAt(text, 1), core::mbSingleByte);
    EXPECT_EQ(FindChar(text, '\x81', 99), 1);
    EXPECT_TRUE(IsLineBreakAt(std::string("\x81") + "\n", 1));
}
