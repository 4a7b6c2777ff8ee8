#include <gtest/gtest.h>

#include "platform/core/CodePage.h"
#include "platform/core/StrUtils.h"

using namespace core;

namespace {

std::string Utf8(const char8_t* text)
{
    return reinterpret_cast<const char*>(text);
}

}  // namespace

TEST(CodePage, NarrowLiteralsAreGbk)
{
    // 宋体 in code page 936.
    EXPECT_EQ(AnsiString("宋体"), AnsiString("\xCB\xCE\xCC\xE5"));
}

TEST(CodePage, RoundTripsThroughUtf8AndUtf16)
{
    const AnsiString samples[] = {"", "abc", "宋体", "登录错误！请检查密码，或机器名是否正确", "修改成功!!", "A账套1"};
    for (const AnsiString& ansi : samples) {
        EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(ansi)), ansi);
        EXPECT_EQ(WideToAnsi(AnsiToWide(ansi)), ansi);
    }
    EXPECT_EQ(AnsiToUtf8("宋体"), Utf8(u8"宋体"));
    EXPECT_EQ(AnsiToWide("宋体"), u"宋体");
    EXPECT_EQ(WideToUtf8(u"€"), Utf8(u8"€"));
    EXPECT_EQ(Utf8ToAnsi(Utf8(u8"€")), "\x80");
}

TEST(CodePage, WhatGbkCannotHoldBecomesAQuestionMark)
{
    struct Case {
        std::string utf8;
        AnsiString ansi;
    } cases[] = {
        {Utf8(u8"a😀b"), "a?b"},           // outside the basic plane
        {Utf8(u8"ḁ"), "?"},                // not in GBK
        {"\xC3", "?"},                      // truncated sequence
        {"\xE4\xB8", "?"},                  // truncated three-byte sequence
        {"\xED\xA0\x80", "?"},              // encoded surrogate
        {"\xC0\xAF", "??"},                 // overlong
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi) << c.utf8;
    EXPECT_EQ(WideToAnsi(std::u16string(1, char16_t(0xD800))), "?");
    // Broken GBK on the way out is never passed on as broken UTF-8.
    EXPECT_EQ(AnsiToUtf8("\xFF"), "?");
    EXPECT_EQ(AnsiToUtf8("a\xB5"), "a?");
    EXPECT_EQ(AnsiToUtf8("\xA1\x40"), "?");  // user-defined area
}

TEST(CodePage, ByteTypesScanFromTheStart)
{
    // "宋a" then a character whose trail byte is in the lead range.
    AnsiString text = AnsiString("宋") + "a" + "\xB0\xA1";
    EXPECT_EQ(ByteType(text, 0), mbLeadByte);
    EXPECT_EQ(ByteType(text, 1), mbTrailByte);
    EXPECT_EQ(ByteType(text, 2), mbSingleByte);
    EXPECT_EQ(ByteType(text, 3), mbLeadByte);
    EXPECT_EQ(ByteType(text, 4), mbTrailByte);
    // A trail byte that is itself a lead byte value.
    AnsiString pair = "\x81\x81\x81\x81";
    EXPECT_EQ(ByteType(pair, 2), mbLeadByte);
    EXPECT_EQ(ByteType(pair, 3), mbTrailByte);
    // A lone lead byte at the end stands alone.
    EXPECT_EQ(ByteType("a\x81", 1), mbLeadByte);
}

TEST(StrUtils, TrimAndAsciiCase)
{
    EXPECT_EQ(Trim(AnsiString("\t\r\n a b \x01\x20")), "a b");
    EXPECT_EQ(Trim(AnsiString(3, '\0') + "x"), "x");
    EXPECT_EQ(TrimLeft("  x  "), "x  ");
    EXPECT_EQ(TrimRight("  x  "), "  x");
    EXPECT_EQ(Trim("   "), "");
    // Only ASCII letters change; the bytes of 宋 stay.
    EXPECT_EQ(UpperCase("ab宋Z"), "AB宋Z");
    EXPECT_EQ(LowerCase("AB宋z"), "ab宋z");
    // 丂 is 81 41: its second byte looks like 'A' and must stay.
    EXPECT_EQ(LowerCase("\x81\x41X"), "\x81\x41x");
    EXPECT_EQ(UpperCase("\x81\x61x"), "\x81\x61X");
    // A trail byte in the letter range is not case-folded by AnsiCompareText.
    EXPECT_NE(AnsiCompareText("\x81\x61", "\x81\x41"), 0);
    EXPECT_EQ(CompareText("abc", "ABC"), 0);
    EXPECT_LT(CompareText("abc", "abd"), 0);
    EXPECT_GT(CompareText("abcd", "ABC"), 0);
    EXPECT_TRUE(SameText("Caption", "CAPTION"));
}
