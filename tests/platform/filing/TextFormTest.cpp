// The text form: what each piece of syntax becomes in the binary stream,
// how the printer lays values out, and the text rules for GBK and UTF-16.

#include <gtest/gtest.h>

#include <cmath>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/filing/Streaming.h"
#include "platform/filing/TextConvert.h"
#include "platform/filing/Writer.h"
#include "tests/platform/filing/SampleClasses.h"

using namespace sample;

namespace {

std::string TextToBytes(const std::string& text)
{
    core::TStringStream source{text};
    core::TMemoryStream binary;
    filing::ObjectTextToBinary(source, binary);
    return std::string(binary.Memory(), static_cast<size_t>(binary.Size()));
}

std::string BytesToText(const std::string& bytes)
{
    core::TStringStream source{bytes};
    core::TStringStream text;
    filing::ObjectBinaryToText(source, text);
    return text.DataString();
}

std::string SS(const std::string& text)
{
    return std::string(1, static_cast<char>(text.size())) + text;
}

// The binary of one property "P" holding `value` in a nameless TX.
std::string PropertyBytes(const std::string& value)
{
    return "TPF0" + SS("TX") + SS("") + SS("P") + value + std::string(2, '\0');
}

std::string B(std::initializer_list<int> values)
{
    std::string bytes;
    for (int v : values)
        bytes += static_cast<char>(v);
    return bytes;
}

class TextForm : public ::testing::Test {
protected:
    void SetUp() override { RegisterSampleClasses(); }
};

}  // namespace

TEST_F(TextForm, ValuesBecomeTheirBinaryTypes)
{
    struct Case {
        const char* text;
        std::string bytes;
    } cases[] = {
        {"12", B({0x02, 12})},
        {"-129", B({0x03, 0x7F, 0xFF})},
        {"$1F", B({0x02, 0x1F})},
        {"-$10", B({0x02, 0xF0})},
        {"40000", B({0x04, 0x40, 0x9C, 0x00, 0x00})},
        {"4294967296", B({0x13, 0, 0, 0, 0, 1, 0, 0, 0})},
        {"1.5", B({0x05, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F})},
        {"2.5E3", B({0x05, 0, 0, 0, 0, 0, 0, 0x40, 0x9C, 0x0A, 0x40})},
        {"1.5s", B({0x0F, 0x00, 0x00, 0xC0, 0x3F})},
        {"2d", B({0x11, 0, 0, 0, 0, 0, 0, 0, 0x40})},
        {"15000c", B({0x10, 0x98, 0x3A, 0, 0, 0, 0, 0, 0})},
        {"True", B({0x09})},
        {"false", B({0x08})},
        {"NIL", B({0x0D})},
        {"null", B({0x00})},
        {"clBtnFace", B({0x07}) + SS("clBtnFace")},
        {"Form1.Table1", B({0x07}) + SS("Form1.Table1")},
        {"[]", B({0x0B, 0x00})},
        {"[ fsBold ,fsItalic ]", B({0x0B}) + SS("fsBold") + SS("fsItalic") + B({0x00})},
        {"()", B({0x01, 0x00})},
        {"(1 (2) 'a')", B({0x01, 0x02, 1, 0x01, 0x02, 2, 0x00, 0x06, 1, 'a', 0x00})},
        {"<>", B({0x0E, 0x00})},
        {"<item end item [3] A = 1 end>", B({0x0E, 0x01, 0x00, 0x02, 3, 0x01}) + SS("A") + B({0x02, 1, 0x00, 0x00})},
        {"{00 ff\n  1A}", B({0x0A, 3, 0, 0, 0, 0x00, 0xFF, 0x1A})},
        {"{}", B({0x0A, 0, 0, 0, 0})},
        {"''", B({0x06, 0})},
        {"'it''s'#39", B({0x06, 5}) + "it's'"},
        {"'a'#13#10'b' +\n    'c'", B({0x06, 5}) + "a\r\nbc"},
        {"#$41#66", B({0x06, 2}) + "AB"},
        {"#233", B({0x12, 1, 0, 0, 0, 0xE9, 0x00})},
        {"#30331#24405", B({0x12, 2, 0, 0, 0, 0x7B, 0x76, 0x55, 0x5F})},
        // Quoted bytes of the code page are GBK text.
        {"'\xB5\xC7\xC2\xBC'", B({0x12, 2, 0, 0, 0, 0x7B, 0x76, 0x55, 0x5F})},
    };
    for (const Case& c : cases) {
        std::string text = std::string("object TX\n  P = ") + c.text + "\nend\n";
        EXPECT_EQ(TextToBytes(text), PropertyBytes(c.bytes)) << c.text;
    }
    std::string longText(300, 'x');
    EXPECT_EQ(TextToBytes("object TX\n  P = '" + longText + "'\nend\n"),
              PropertyBytes(B({0x0C, 0x2C, 0x01, 0, 0}) + longText));
}

TEST_F(TextForm, ObjectHeaders)
{
    EXPECT_EQ(TextToBytes("OBJECT TX\nEnd"), "TPF0" + SS("TX") + SS("") + std::string(2, '\0'));
    EXPECT_EQ(TextToBytes("inherited A: TX\nend"), "TPF0\xF1" + SS("TX") + SS("A") + std::string(2, '\0'));
    EXPECT_EQ(TextToBytes("inline A: TX [3]\nend"), "TPF0\xF6\x02\x03" + SS("TX") + SS("A") + std::string(2, '\0'));
    for (const char* text : {"object TX\nend\n", "inherited A: TX\nend\n", "inline A: TX [3]\nend\n"})
        EXPECT_EQ(BytesToText(TextToBytes(text)), text);
    // A UTF-8 byte order mark makes quoted text UTF-8.
    EXPECT_EQ(TextToBytes("\xEF\xBB\xBFobject TX\n  P = '\xE7\x99\xBB'\nend"),
              PropertyBytes(B({0x12, 1, 0, 0, 0, 0x7B, 0x76})));
}

TEST_F(TextForm, LayoutOfLongValues)
{
    std::string text =
        "object TX\n"
        "  Caption = \n"
        "    'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa' +\n"
        "    'bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb' +\n"
        "    'cc'#39'c'\n"
        "  Strings = (\n"
        "    'one'\n"
        "    ''\n"
        "    'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx' +\n"
        "    'y')\n"
        "  Data = {\n"
        "    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\n"
        "    20}\n"
        "  Short = {000102}\n"
        "  Items = <\n"
        "    item [2]\n"
        "      Sub = <\n"
        "        item\n"
        "          A = -1\n"
        "        end>\n"
        "    end\n"
        "    item\n"
        "    end>\n"
        "  Empty = <>\n"
        "  Nested = (\n"
        "    (\n"
        "      1)\n"
        "    ())\n"
        "end\n";
    EXPECT_EQ(BytesToText(TextToBytes(text)), text);
}

TEST_F(TextForm, FloatsKeepEveryBitThroughText)
{
    // (A zero, of either sign, is the default and is not written at all.)
    for (double value : {1.5, 0.1, -2.5e-300, 1e300, 123456789.125, 4.9406564584124654e-324}) {
        TSampleGrid grid(nullptr);
        grid.SetRatio(value);
        grid.SetStamp(value);
        AnsiString text = filing::ComponentToText(&grid);
        TSampleGrid copy(nullptr);
        filing::ReadComponentText(text, &copy);
        EXPECT_EQ(std::signbit(copy.Ratio()), std::signbit(value)) << text;
        EXPECT_EQ(copy.Ratio(), value) << text;
        EXPECT_EQ(copy.Stamp(), value) << text;
    }
    // Extended values beyond double precision survive text both ways.
    for (std::string extended : {PropertyBytes(B({0x05, 0x01, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})),
                                 PropertyBytes(B({0x05, 0x01, 0, 0, 0, 0, 0, 0, 0x00, 0x00, 0x80})),   // denormal
                                 PropertyBytes(B({0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x7F}))})
        EXPECT_EQ(TextToBytes(BytesToText(extended)), extended) << BytesToText(extended);
    // Dates and singles are read from their text as what they are: this
    // date, read as a long double and then narrowed, came back one unit off.
    for (std::string value : {PropertyBytes(B({0x11, 0xFB, 0, 0, 0, 0x7B, 0x7E, 0x75, 0})),
                              PropertyBytes(B({0x0F, 0x01, 0, 0, 0})),  // the smallest single
                              PropertyBytes(B({0x0F, 0xCD, 0xCC, 0xCC, 0x3D}))})
        EXPECT_EQ(TextToBytes(BytesToText(value)), value) << BytesToText(value);
    // Values that text cannot hold are refused.
    std::string infinity = PropertyBytes(B({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}));
    EXPECT_THROW(BytesToText(infinity), core::EReadError);
}

// 8-bit text: plain ASCII stays 8-bit; GBK text is written as UTF-16 and
// comes back as the same bytes; bytes that are not GBK text stay 8-bit.
TEST_F(TextForm, StringTypesFollowTheTextTheyHold)
{
    struct Case {
        AnsiString value;
        std::string bytes;
    } cases[] = {
        {"abc", B({0x06, 3}) + "abc"},
        {"登录", B({0x12, 2, 0, 0, 0, 0x7B, 0x76, 0x55, 0x5F})},
        {"A\xFF\xFE", B({0x06, 3}) + "A\xFF\xFE"},
        {std::string(256, 'z'), B({0x0C, 0, 1, 0, 0}) + std::string(256, 'z')},
    };
    for (const Case& c : cases) {
        core::TMemoryStream stream;
        filing::TWriter writer(stream);
        writer.WriteString(c.value);
        EXPECT_EQ(std::string(stream.Memory(), static_cast<size_t>(stream.Size())), c.bytes);

        TSampleControl control(nullptr);
        control.SetCaption(c.value);
        core::TMemoryStream saved;
        filing::WriteComponent(saved, &control);
        saved.SetPosition(0);
        TSampleControl copy(nullptr);
        filing::ReadComponent(saved, &copy);
        EXPECT_EQ(copy.Caption(), c.value);
    }
}

TEST_F(TextForm, StringsConvertToWhatThePropertyHolds)
{
    // A GBK vaString into a wide property; UTF-8 and UTF-16 into an 8-bit one.
    std::string bytes = "TPF0" + SS("TSampleControl") + SS("C") + SS("Hint") + B({0x06, 4}) + "\xCB\xCE\xCC\xE5" +
                        SS("Caption") + B({0x14, 6, 0, 0, 0}) + "\xE7\x99\xBB\xE5\xBD\x95" + std::string(2, '\0');
    core::TStringStream stream{bytes};
    TSampleControl control(nullptr);
    filing::ReadComponent(stream, &control);
    EXPECT_EQ(control.Hint(), u"宋体");
    EXPECT_EQ(control.Caption(), "登录");

    // The later generation's UTF-16 code (0x15) reads like vaWString.
    std::string later = "TPF0" + SS("TSampleControl") + SS("C") + SS("Caption") + B({0x15, 1, 0, 0, 0, 0x2D, 0x4E}) +
                        std::string(2, '\0');
    core::TStringStream laterStream{later};
    TSampleControl other(nullptr);
    filing::ReadComponent(laterStream, &other);
    EXPECT_EQ(other.Caption(), "中");
}
