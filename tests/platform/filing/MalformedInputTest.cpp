// Malformed streams and texts: each raises a filing error that says what
// was wrong and where, and leaves nothing half-built behind.

#include <gtest/gtest.h>

#include <memory>
#include <regex>

#include "platform/core/Exception.h"
#include "platform/filing/FormResources.h"
#include "platform/filing/Reader.h"
#include "platform/filing/Streaming.h"
#include "platform/filing/TextConvert.h"
#include "tests/platform/filing/SampleClasses.h"

using namespace sample;

namespace {

std::string SS(const std::string& text)
{
    return std::string(1, static_cast<char>(text.size())) + text;
}

// The stream of a window "W" with the given property records and children.
std::string Window(const std::string& properties, const std::string& children = "")
{
    return "TPF0" + SS("TSampleForm") + SS("W") + properties + std::string(1, '\0') + children + std::string(1, '\0');
}

std::string Child(const std::string& className, const std::string& name, const std::string& properties = "")
{
    return SS(className) + SS(name) + properties + std::string(2, '\0');
}

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int v : values)
        bytes += static_cast<char>(v);
    return bytes;
}

class MalformedInput : public ::testing::Test {
protected:
    void SetUp() override { RegisterSampleClasses(); }

    // Reads into an existing window: on failure it must be as before.
    static std::string ReadBinaryInto(const std::string& bytes)
    {
        TSampleForm form(nullptr);
        core::TStringStream stream{bytes};
        try {
            filing::ReadComponent(stream, &form);
        } catch (const core::EFilerError& e) {
            ExpectUntouched(form);
            return e.Message();
        } catch (const core::Exception& e) {
            ExpectUntouched(form);
            return "not a filing error: " + e.Message();
        }
        return "no error";
    }

    static std::string ReadText(const std::string& text)
    {
        TSampleForm form(nullptr);
        try {
            filing::ReadComponentText(text, &form);
        } catch (const core::EFilerError& e) {
            ExpectUntouched(form);
            return e.Message();
        } catch (const core::Exception& e) {
            ExpectUntouched(form);
            return "not a filing error: " + e.Message();
        }
        return "no error";
    }

    static void ExpectUntouched(TSampleForm& form)
    {
        EXPECT_EQ(form.ComponentCount(), 0);
        EXPECT_TRUE(form.Controls().empty());
        EXPECT_EQ(form.Grid1, nullptr);
        EXPECT_EQ(form.Button1, nullptr);
        EXPECT_FALSE(form.InState(core::csLoading));
        EXPECT_FALSE(form.InState(core::csReading));
    }
};

}  // namespace

TEST_F(MalformedInput, BinaryStreams)
{
    const std::string grid = Child("TSampleGrid", "G");
    struct Case {
        const char* what;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"wrong signature", "TPF1" + SS("TSampleForm") + SS("W") + std::string(2, '\0'),
         "Invalid stream format: no component stream signature at byte offset 0"},
        {"unknown value type", Window(SS("Left") + Bytes({0x30, 1})),
         "Unknown value type 48 at byte offset 23 (reading W.Left)"},
        {"unknown class", Window("", Child("TNoSuch", "X")), "Class TNoSuch not found at byte offset 19 (reading W.X)"},
        {"abstract or non-component class", Window("", Child("TSampleFont", "X")),
         "Class TSampleFont not found at byte offset 19 (reading W.X)"},
        {"unknown property", Window(SS("Foo") + Bytes({2, 1})),
         "Property Foo does not exist at byte offset 18 (reading W.Foo)"},
        {"unknown nested property", Window(SS("Font.Size") + Bytes({2, 1})),
         "Property Size does not exist at byte offset 18 (reading W.Font.Size)"},
        {"a path through a value that is no object", Window(SS("Left.Size") + Bytes({2, 1})),
         "Property Left does not exist at byte offset 18 (reading W.Left.Size)"},
        {"wrong value type", Window(SS("Left") + Bytes({6, 1, 'x'})),
         "Invalid property value: expected an integer, found String at byte offset 23 (reading W.Left)"},
        {"Boolean from an integer", Window(SS("Visible") + Bytes({2, 1})),
         "Invalid property value: expected an identifier, found Int8 at byte offset 26 (reading W.Visible)"},
        {"unknown enumeration member", Window(SS("Align") + Bytes({7}) + SS("alMiddle")),
         "Invalid property value alMiddle at byte offset 24 (reading W.Align)"},
        {"unknown set element", Window(SS("Anchors") + Bytes({0x0B}) + SS("akFront") + Bytes({0})),
         "Invalid set element akFront at byte offset 26 (reading W.Anchors)"},
        {"unknown colour name", Window(SS("Color") + Bytes({7}) + SS("clPlaid")),
         "Invalid property value clPlaid at byte offset 24 (reading W.Color)"},
        {"string length past the end", Window(SS("Caption") + Bytes({0x0C, 0xFF, 0xFF, 0xFF, 0x7F})),
         "Length 2147483647 runs past the end of the stream at byte offset 26 (reading W.Caption)"},
        {"wide length past the end", Window(SS("Hint") + Bytes({0x12, 0x00, 0x00, 0x00, 0x80})),
         "Length 2147483648 runs past the end of the stream at byte offset 23 (reading W.Hint)"},
        {"absurd binary size", Window("", SS("TSampleGrid") + SS("G") + SS("Data") + Bytes({0x0A, 0xFF, 0xFF, 0xFF, 0xFF})),
         "Length 4294967295 runs past the end of the stream at byte offset 38 (reading W.G.Data)"},
        {"binary property of another type", Window("", SS("TSampleGrid") + SS("G") + SS("Data") + Bytes({2, 1})),
         "Invalid property value: expected Binary, found Int8 at byte offset 38 (reading W.G.Data)"},
        {"integer out of range", Window(SS("Left") + Bytes({0x13, 0, 0, 0, 0, 1, 0, 0, 0})),
         "Integer 4294967296 out of range at byte offset 23 (reading W.Left)"},
        {"one character expected", Window("", SS("TSampleGrid") + SS("G") + SS("PasswordChar") + Bytes({6, 2, 'a', 'b'})),
         "Invalid property value: expected one character at byte offset 46 (reading W.G.PasswordChar)"},
        {"unknown handler", Window(SS("OnClick") + Bytes({7}) + SS("NoSuchHandler")),
         "Method NoSuchHandler not found in TSampleForm at byte offset 18 (reading W.OnClick)"},
        {"unresolved reference", Window("", Child("TSampleTable", "T", SS("Connection") + Bytes({7}) + SS("Nowhere"))),
         "Component Nowhere not found at byte offset 34 (reading W.T.Connection)"},
        {"inherited component missing", Window("", Bytes({0xF1}) + Child("TSamplePanel", "P")),
         "Ancestor for 'P' not found at byte offset 19 (reading W.P)"},
        {"bad object prefix", Window("", Bytes({0xF8}) + Child("TSamplePanel", "P")),
         "Invalid object prefix 248 at byte offset 19 (reading W)"},
        {"list not ended", Window("", SS("TSampleGrid") + SS("G") + SS("Widths") + Bytes({1, 2, 1, 6, 1, 'x'})),
         "Invalid property value: expected an integer, found String at byte offset 43 (reading W.G.Widths)"},
        {"collection item without a list", Window("", SS("TSampleGrid") + SS("G") + SS("Items") + Bytes({0x0E, 2, 1, 2})),
         "Invalid property value: expected List, found Int8 at byte offset 42 (reading W.G.Items[0])"},
        {"collection value for an object", Window(SS("Font") + Bytes({0x0E, 0})),
         "Property Font is not a collection at byte offset 18 (reading W.Font)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadBinaryInto(c.bytes), c.message) << c.what;
}

TEST_F(MalformedInput, ErrorsOfSettersKeepTheirClassAndGainWhere)
{
    // The handler exists but does not fit the event.
    std::string bytes = Window(SS("OnClick") + Bytes({7}) + SS("Grid1CellClick"));
    TSampleForm form(nullptr);
    core::TStringStream stream{bytes};
    try {
        filing::ReadComponent(stream, &form);
        FAIL();
    } catch (const core::EPropertyError& e) {
        EXPECT_EQ(e.Message(), "Handler Grid1CellClick does not fit event OnClick (at byte offset 18, reading W.OnClick)");
    }
    // Two components of one name.
    EXPECT_EQ(ReadBinaryInto(Window("", Child("TSamplePanel", "P") + Child("TSamplePanel", "P"))),
              "not a filing error: A component named P already exists (at byte offset 36, reading W.P)");
}

TEST_F(MalformedInput, EveryTruncationIsAnEndOfStreamAtThatOffset)
{
    TSampleForm source(nullptr);
    ASSERT_TRUE(filing::InitInheritedComponent(source));
    core::TMemoryStream full;
    filing::WriteComponent(full, &source);
    std::string bytes(full.Memory(), static_cast<size_t>(full.Size()));
    for (size_t length = 0; length < bytes.size(); ++length) {
        std::string message = ReadBinaryInto(bytes.substr(0, length));
        if (length < 4)
            EXPECT_EQ(message, "Invalid stream format: no component stream signature at byte offset 0");
        else
            EXPECT_TRUE(message.starts_with("Unexpected end of stream at byte offset " + std::to_string(length)) ||
                        std::regex_search(message, std::regex("^Length [0-9]+ runs past the end of the stream")))
                << length << ": " << message;

        // A root the reader creates itself is destroyed again.
        core::TStringStream stream{bytes.substr(0, length)};
        EXPECT_THROW(filing::ReadComponent(stream, nullptr), core::EReadError) << length;
    }
}

TEST_F(MalformedInput, DeepNestingIsRefused)
{
    std::string nested;
    for (int i = 0; i < 100; ++i)
        nested = SS("TSamplePanel") + SS("P" + std::to_string(i)) + std::string(1, '\0') + nested + std::string(1, '\0');
    std::string message = ReadBinaryInto(Window("", nested));
    EXPECT_EQ(message.substr(0, 33), "Nesting too deep at byte offset 1") << message;

    std::string text = "object W: TSampleForm\n  Hint = " + std::string(200, '(') + std::string(200, ')') + "\nend\n";
    EXPECT_EQ(ReadText(text), "Nesting too deep on line 2");

    core::TStringStream lists{"TPF0" + SS("TSampleForm") + SS("W") + SS("Hint") + std::string(200, '\x01')};
    core::TStringStream out;
    try {
        filing::ObjectBinaryToText(lists, out);
        FAIL();
    } catch (const core::EReadError& e) {
        EXPECT_EQ(std::string(e.Message()).substr(0, 16), "Nesting too deep");
    }
}

TEST_F(MalformedInput, TextForms)
{
    struct Case {
        const char* what;
        const char* text;
        const char* message;
    } cases[] = {
        {"missing equals", "object W: TSampleForm\n  Left 5\nend\n", "Expected '=' but found '5' on line 2"},
        {"unterminated string", "object W: TSampleForm\n  Caption = 'abc\nend\n", "Unterminated string on line 2"},
        {"odd hex digits", "object W: TSampleForm\n  Tag = {ABC}\nend\n",
         "Binary data has an odd number of hexadecimal digits on line 2"},
        {"bad hex digit", "object W: TSampleForm\n  Tag = {AG}\nend\n", "Invalid binary data: 'G' on line 2"},
        {"character code out of range", "object W: TSampleForm\n  Caption = #70000\nend\n",
         "Character code out of range on line 2"},
        {"missing end", "object W: TSampleForm\n  Left = 1\n", "Expected end but found end of text on line 3"},
        {"text after the end", "object W: TSampleForm\nend\nextra\n", "Unexpected 'extra' after the last end on line 3"},
        {"not an object", "thing W: TSampleForm\nend\n", "Expected object, inherited or inline but found 'thing' on line 1"},
        {"integer overflow", "object W: TSampleForm\n  Left = 99999999999999999999\nend\n",
         "Integer 99999999999999999999 out of range on line 2"},
        {"float overflow", "object W: TSampleForm\n  Left = 1e99999\nend\n",
         "Floating point number 1e99999 out of range on line 2"},
        {"number run into a name", "object W: TSampleForm\n  Left = 12px\nend\n", "Unexpected 'px' after a number on line 2"},
        {"string continuation without a string", "object W: TSampleForm\n  Caption = 'a' +\n  Left = 1\nend\n",
         "Expected a string after '+' but found 'Left' on line 3"},
        {"collection without items", "object W: TSampleForm\n  Tag = <\n    thing\n  end>\nend\n",
         "Expected item or '>' but found 'thing' on line 3"},
        {"set without comma", "object W: TSampleForm\n  Anchors = [akLeft akTop]\nend\n",
         "Expected ',' but found 'akTop' on line 2"},
        {"no value", "object W: TSampleForm\n  Left = ;\nend\n", "Expected a value but found ';' on line 2"},
        {"null in a list", "object W: TSampleForm\n  Tag = (1\n    null)\nend\n", "A list cannot hold Null on line 3"},
        // Found while reading the binary made from the text: the line of the text.
        {"unknown property", "object W: TSampleForm\n  Left = 1\n  Foo = 2\nend\n",
         "Property Foo does not exist on line 3 (reading W.Foo)"},
        {"unknown class", "object W: TSampleForm\n  object P: TSamplePanel\n    object X: TNoSuch\n    end\n  end\nend\n",
         "Class TNoSuch not found on line 3 (reading W.P.X)"},
        {"unknown handler", "object W: TSampleForm\n  object B: TSampleButton\n    OnClick = B1Click\n  end\nend\n",
         "Method B1Click not found in TSampleForm on line 3 (reading W.B.OnClick)"},
        {"wrong type in a collection item",
         "object W: TSampleForm\n  object G: TSampleGrid\n    Items = <\n      item\n        Col.Width = 'wide'\n"
         "      end>\n  end\nend\n",
         "Invalid property value: expected an integer, found String on line 5 (reading W.G.Items[0].Col.Width)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadText(c.text), c.message) << c.what;

    // A class name's length byte of 240 or more would read back as an
    // object prefix: such a name is refused, one byte shorter is a name.
    std::string longest = "T" + std::string(238, 'x');
    auto child = [](const std::string& className) {
        return "object W: TSampleForm\n  object P: " + className + "\n  end\nend\n";
    };
    EXPECT_EQ(ReadText(child(longest + "x")),
              "Class name T" + std::string(31, 'x') + "... is longer than 239 characters on line 2");
    EXPECT_EQ(ReadText(child(longest)), "Class " + longest + " not found on line 2 (reading W.P)");
}

TEST_F(MalformedInput, EveryErrorIsAFilingError)
{
    core::TStringStream text{AnsiString("object W: TSampleForm\n  Left 5\nend\n")};
    core::TMemoryStream binary;
    EXPECT_THROW(filing::ObjectTextToBinary(text, binary), core::EParserError);
    core::TStringStream truncated{AnsiString("TPF0\x0BTSample", 12)};
    EXPECT_THROW(filing::ReadComponent(truncated, nullptr), core::EFilerError);
    core::TStringStream unknown{Window("", Child("TNoSuch", "X"))};
    EXPECT_THROW(filing::ReadComponent(unknown, nullptr), core::EClassNotFound);
    static_assert(std::is_base_of_v<core::EFilerError, core::EParserError>);
    static_assert(std::is_base_of_v<core::EFilerError, core::EReadError>);
    static_assert(std::is_base_of_v<core::EFilerError, core::EClassNotFound>);
}

TEST_F(MalformedInput, AFailedReadOfANewWindowLeavesNothing)
{
    // The window and its components are created by the reader and must all
    // be gone again: the sanitizer build checks that nothing leaks.
    std::string bytes = Window(SS("Caption") + Bytes({6, 1, 'x'}),
                               Child("TSampleGrid", "Grid1") + Child("TSamplePanel", "P", SS("Bad") + Bytes({2, 1})));
    core::TStringStream stream{bytes};
    LoadedJournal().clear();
    EXPECT_THROW(filing::ReadComponent(stream, nullptr), core::EReadError);
    EXPECT_TRUE(LoadedJournal().empty());  // nobody was told loading finished
}
