// The classic format's bytes, worked out by hand from the format's
// description: a small window with a set, a nested persistent, a child with
// a collection and binary data, written, converted and read byte for byte.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/core/ClassRegistry.h"
#include "platform/core/Collection.h"
#include "platform/core/Component.h"
#include "platform/core/EnumType.h"
#include "platform/core/Stream.h"
#include "platform/core/TypeInfo.h"
#include "platform/filing/Reader.h"
#include "platform/filing/Streaming.h"
#include "platform/filing/TextConvert.h"
#include "platform/filing/Writer.h"

using namespace core;

namespace {

class TExampleFont : public TPersistent {
    CORE_CLASS(TExampleFont, TPersistent)
    int Height = 0;
    static void Publish(PropertyList& list)
    {
        PropBuilder<TExampleFont> p(list);
        p.Integer("Height", [](const TExampleFont& f) { return f.Height; }, [](TExampleFont& f, int v) { f.Height = v; })
            .Default(0);
    }
};
CORE_CLASS_IMPL(TExampleFont)

class TExampleCol : public TPersistent {
    CORE_CLASS(TExampleCol, TPersistent)
    AnsiString Heading;
    static void Publish(PropertyList& list)
    {
        PropBuilder<TExampleCol> p(list);
        p.String("Heading", [](const TExampleCol& c) { return c.Heading; },
                 [](TExampleCol& c, const AnsiString& v) { c.Heading = v; });
    }
};
CORE_CLASS_IMPL(TExampleCol)

class TExampleColItem : public TCollectionItem {
    CORE_CLASS(TExampleColItem, TCollectionItem)
    explicit TExampleColItem(TCollection* c) : TCollectionItem(c) {}
    int DataCol = 0;
    TExampleCol Col;
    static void Publish(PropertyList& list)
    {
        PropBuilder<TExampleColItem> p(list);
        p.Integer("DataCol", [](const TExampleColItem& i) { return i.DataCol; },
                  [](TExampleColItem& i, int v) { i.DataCol = v; })
            .Default(0);
        p.Object<TExampleCol>("Col", [](const TExampleColItem& i) { return const_cast<TExampleCol*>(&i.Col); },
                              nullptr);
    }
};
CORE_CLASS_IMPL(TExampleColItem)

class TGrid : public TComponent {
    CORE_CLASS(TGrid, TComponent)
    explicit TGrid(TComponent* owner) : TComponent(owner) {}
    TCollection ColProperties{TExampleColItem::StaticClass(), this};
    std::string Data;

    void DefineProperties(core::TFiler& filer) override
    {
        filer.DefineProperty(
            "ColProperties", [this](filing::TReader& r) { r.ReadCollection(ColProperties); },
            [this](filing::TWriter& w) { w.WriteCollection(&ColProperties); }, ColProperties.Count() > 0);
        filer.DefineBinaryProperty(
            "Data",
            [this](TStream& s) {
                Data.resize(static_cast<size_t>(s.Size()));
                s.ReadBuffer(Data.data(), static_cast<int>(Data.size()));
            },
            [this](TStream& s) { s.WriteBuffer(Data.data(), static_cast<int>(Data.size())); }, !Data.empty());
    }
};
CORE_CLASS_IMPL(TGrid)

CORE_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp);
CORE_SET(TBorderIcons, TBorderIcon);

class TForm1 : public TComponent {
    CORE_CLASS(TForm1, TComponent)
    explicit TForm1(TComponent* owner) : TComponent(owner) {}
    int Left = 0;
    AnsiString Caption;
    TExampleFont Font;
    TBorderIcons BorderIcons{biSystemMenu, biMinimize, biMaximize};

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override
    {
        for (int i = 0; i < ComponentCount(); ++i)
            if (Components(i)->Owner() == root)
                proc(Components(i));
    }

    static void Publish(PropertyList& list)
    {
        PropBuilder<TForm1> p(list);
        p.Integer("Left", [](const TForm1& f) { return f.Left; }, [](TForm1& f, int v) { f.Left = v; }).Default(0);
        p.String("Caption", [](const TForm1& f) { return f.Caption; },
                 [](TForm1& f, const AnsiString& v) { f.Caption = v; });
        p.Object<TExampleFont>("Font", [](const TForm1& f) { return const_cast<TExampleFont*>(&f.Font); }, nullptr);
        p.Set("BorderIcons", [](const TForm1& f) { return f.BorderIcons; }, [](TForm1& f, TBorderIcons v) { f.BorderIcons = v; })
            .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
    }
};
CORE_CLASS_IMPL(TForm1)

// The 160 bytes, as the format's description lists them.
const unsigned char ExampleBytes[] = {
    0x54, 0x50, 0x46, 0x30, 0x06, 0x54, 0x46, 0x6F, 0x72, 0x6D, 0x31, 0x05, 0x46, 0x6F, 0x72, 0x6D,  //
    0x31, 0x04, 0x4C, 0x65, 0x66, 0x74, 0x03, 0xCB, 0x01, 0x07, 0x43, 0x61, 0x70, 0x74, 0x69, 0x6F,  //
    0x6E, 0x12, 0x02, 0x00, 0x00, 0x00, 0x7B, 0x76, 0x55, 0x5F, 0x0B, 0x46, 0x6F, 0x6E, 0x74, 0x2E,  //
    0x48, 0x65, 0x69, 0x67, 0x68, 0x74, 0x02, 0xF4, 0x0B, 0x42, 0x6F, 0x72, 0x64, 0x65, 0x72, 0x49,  //
    0x63, 0x6F, 0x6E, 0x73, 0x0B, 0x0C, 0x62, 0x69, 0x53, 0x79, 0x73, 0x74, 0x65, 0x6D, 0x4D, 0x65,  //
    0x6E, 0x75, 0x00, 0x00, 0x05, 0x54, 0x47, 0x72, 0x69, 0x64, 0x05, 0x47, 0x72, 0x69, 0x64, 0x31,  //
    0x0D, 0x43, 0x6F, 0x6C, 0x50, 0x72, 0x6F, 0x70, 0x65, 0x72, 0x74, 0x69, 0x65, 0x73, 0x0E, 0x01,  //
    0x07, 0x44, 0x61, 0x74, 0x61, 0x43, 0x6F, 0x6C, 0x02, 0x01, 0x0B, 0x43, 0x6F, 0x6C, 0x2E, 0x48,  //
    0x65, 0x61, 0x64, 0x69, 0x6E, 0x67, 0x06, 0x01, 0x41, 0x00, 0x00, 0x04, 0x44, 0x61, 0x74, 0x61,  //
    0x0A, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  //
};

const char ExampleText[] =
    "object Form1: TForm1\n"
    "  Left = 459\n"
    "  Caption = #30331#24405\n"
    "  Font.Height = -12\n"
    "  BorderIcons = [biSystemMenu]\n"
    "  object Grid1: TGrid\n"
    "    ColProperties = <\n"
    "      item\n"
    "        DataCol = 1\n"
    "        Col.Heading = 'A'\n"
    "      end>\n"
    "    Data = {0000000000000000}\n"
    "  end\n"
    "end\n";

std::string Bytes(const unsigned char* data, size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

std::string Contents(TMemoryStream& stream)
{
    return std::string(stream.Memory(), static_cast<size_t>(stream.Size()));
}

class FormatExample : public ::testing::Test {
protected:
    void SetUp() override { RegisterClasses({&TForm1::StaticClass(), &TGrid::StaticClass()}); }
};

}  // namespace

TEST_F(FormatExample, WriterProducesTheBytesWorkedOutByHand)
{
    TForm1 form(nullptr);
    form.SetName("Form1");
    form.Left = 459;
    form.Caption = "登录";
    form.Font.Height = -12;
    form.BorderIcons = TBorderIcons{biSystemMenu};
    auto* grid = new TGrid(&form);
    grid->SetName("Grid1");
    auto* item = static_cast<TExampleColItem*>(grid->ColProperties.Add());
    item->DataCol = 1;
    item->Col.Heading = "A";
    grid->Data.assign(8, '\0');

    TMemoryStream stream;
    filing::WriteComponent(stream, &form);
    EXPECT_EQ(Contents(stream), Bytes(ExampleBytes, sizeof ExampleBytes));
}

TEST_F(FormatExample, TextAndBinaryConvertIntoEachOther)
{
    TStringStream text{AnsiString(ExampleText)};
    TMemoryStream binary;
    filing::ObjectTextToBinary(text, binary);
    EXPECT_EQ(Contents(binary), Bytes(ExampleBytes, sizeof ExampleBytes));

    binary.SetPosition(0);
    TStringStream back;
    filing::ObjectBinaryToText(binary, back);
    EXPECT_EQ(back.DataString(), ExampleText);
}

TEST_F(FormatExample, BytesReadIntoANewWindow)
{
    TStringStream stream{Bytes(ExampleBytes, sizeof ExampleBytes)};
    std::unique_ptr<TComponent> root(filing::ReadComponent(stream, nullptr));
    auto* form = dynamic_cast<TForm1*>(root.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Name(), "Form1");
    EXPECT_EQ(form->Left, 459);
    EXPECT_EQ(form->Caption, "登录");
    EXPECT_EQ(form->Font.Height, -12);
    EXPECT_EQ(form->BorderIcons, TBorderIcons{biSystemMenu});
    ASSERT_EQ(form->ComponentCount(), 1);
    auto* grid = dynamic_cast<TGrid*>(form->Components(0));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->Name(), "Grid1");
    ASSERT_EQ(grid->ColProperties.Count(), 1);
    auto* item = grid->ColProperties.ItemAs<TExampleColItem>(0);
    EXPECT_EQ(item->DataCol, 1);
    EXPECT_EQ(item->Col.Heading, "A");
    EXPECT_EQ(grid->Data, std::string(8, '\0'));
    EXPECT_EQ(stream.Position(), stream.Size());
}

// The account list's 103-byte cell block, in the text layout of a form and
// as the record "04 'Data' 0A 67 00 00 00" + the bytes.
TEST_F(FormatExample, TheAccountListDataBlock)
{
    const char text[] =
        "object Form1: TForm1\n"
        "  object Grid1: TGrid\n"
        "    Data = {\n"
        "      0100000003000000010000000001000000000201000000020000000300000001\n"
        "      0000000001000000000201000000030000000300000000010000000002010000\n"
        "      0004000000030000000000020100000005000000030000000000020100000000\n"
        "      00000000000000}\n"
        "  end\n"
        "end\n";
    const std::string block = Bytes(
        reinterpret_cast<const unsigned char*>(
            "\x01\x00\x00\x00\x03\x00\x00\x00\x01\x00\x00\x00\x00\x01\x00\x00\x00\x00\x02\x01\x00\x00\x00"
            "\x02\x00\x00\x00\x03\x00\x00\x00\x01\x00\x00\x00\x00\x01\x00\x00\x00\x00\x02\x01\x00\x00\x00"
            "\x03\x00\x00\x00\x03\x00\x00\x00\x00\x01\x00\x00\x00\x00\x02\x01\x00\x00\x00"
            "\x04\x00\x00\x00\x03\x00\x00\x00\x00\x00\x02\x01\x00\x00\x00"
            "\x05\x00\x00\x00\x03\x00\x00\x00\x00\x00\x02\x01\x00\x00\x00"
            "\x00\x00\x00\x00\x00\x00\x00\x00"),
        103);

    TStringStream source{AnsiString(text)};
    TMemoryStream binary;
    filing::ObjectTextToBinary(source, binary);
    std::string record = std::string("\x04" "Data" "\x0A\x67\x00\x00\x00", 10) + block;
    EXPECT_NE(Contents(binary).find(record), std::string::npos);

    binary.SetPosition(0);
    std::unique_ptr<TComponent> root(filing::ReadComponent(binary, nullptr));
    auto* grid = static_cast<TGrid*>(root->Components(0));
    EXPECT_EQ(grid->Data, block);
    EXPECT_EQ(filing::ComponentToText(root.get()), text);
}
