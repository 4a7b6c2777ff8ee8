// Windows written and read back, through the binary stream and through the
// text form: every kind of value comes back, and what is at its default is
// not written.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "platform/core/Exception.h"
#include "platform/filing/Streaming.h"
#include "platform/filing/TextConvert.h"
#include "tests/platform/filing/SampleClasses.h"

using namespace sample;

namespace {

std::string Contents(core::TMemoryStream& stream)
{
    return std::string(stream.Memory(), static_cast<size_t>(stream.Size()));
}

std::string Binary(TComponent* component)
{
    core::TMemoryStream stream;
    filing::WriteComponent(stream, component);
    return Contents(stream);
}

// The 103-byte cell block of the account list.
std::string CellBlock()
{
    std::string block;
    for (int row = 1; row <= 5; ++row) {
        const char head[] = {static_cast<char>(row), 0, 0, 0, 3, 0, 0, 0};
        block.append(head, 8);
        if (row <= 2)
            block.append("\x01\x00\x00\x00\x00\x01\x00\x00\x00\x00", 10);
        else if (row == 3)
            block.append("\x00\x01\x00\x00\x00\x00", 6);
        else
            block.append("\x00\x00", 2);
        block.append("\x02\x01\x00\x00\x00", 5);
    }
    block.append(8, '\0');
    return block;
}

// A window with a property of every kind away from its default.
std::unique_ptr<TSampleForm> BuildWindow()
{
    auto form = std::make_unique<TSampleForm>(nullptr);
    form->SetName("Window1");
    form->SetCaption("账套管理");
    form->SetHint(u"Caf\u00E9 \U0001F600 \u4E2D");  // text no 8-bit code page holds
    form->SetLeft(-1000);                           // 16-bit
    form->SetTop(-100000);                          // 32-bit
    form->Font()->SetStyle(TFontStyles{fsBold, fsUnderline});
    form->Font()->SetName("宋体");
    form->Font()->SetCharset(134);

    auto* connection = new TSampleConnection(form.get());
    connection->SetName("Connection1");
    connection->SetLoginPrompt(false);
    connection->SetDesignInfo(12 | 34 << 16);
    auto* table = new TSampleTable(form.get());
    table->SetName("Table1");
    table->SetConnection(connection);

    auto* grid = new TSampleGrid(form.get());
    grid->SetName("Grid1");
    grid->SetParent(form.get());
    grid->SetCols(3);
    grid->SetOffset(-100);  // 8-bit
    grid->SetTotal(-(int64_t{1} << 40));
    grid->SetRatio(0.1);
    grid->SetScale(1.5);
    grid->SetAmount(12.3456);
    grid->SetStamp(45000.75);
    grid->SetPasswordChar('*');
    grid->SetValue(core::Variant(u"变体"));
    grid->SetOptions(TGridOptions{goEditing, goRowSelect});
    grid->SetVisible(false);
    grid->SetAlign(alClient);
    grid->SetAnchors(TAnchors{});
    for (int i = 1; i <= 3; ++i) {
        TSampleItem* item = grid->Items()->Add();
        item->SetDataCol(i);
        item->SetFieldName("Field" + std::to_string(i));
        item->Col()->SetHeading(i == 1 ? "帐套名称" : "Column " + std::to_string(i));
        item->Col()->SetWidth(40 * i);
        item->Col()->SetReadOnly(i != 3);
    }
    grid->Extra.Add()->SetFieldName("Extra");
    grid->Widths = {147, -90, 70000};
    grid->Data = CellBlock();
    form->RegisterMethod<TObject*>("GridClick", [](TObject*) {});

    auto* panel = new TSamplePanel(form.get());
    panel->SetName("Panel1");
    panel->SetParent(form.get());
    auto* button = new TSampleButton(form.get());
    button->SetName("Button1");
    button->SetParent(panel);
    button->SetDefault(true);
    button->SetCaption("登录");
    const core::PropInfo* onClick = button->ClassType().FindProperty("OnClick");
    onClick->SetMethod(*button, core::TMethod{"Button1Click", *form->MethodAddress("Button1Click")});
    const core::PropInfo* onCell = grid->ClassType().FindProperty("OnCellClick");
    onCell->SetMethod(*grid, core::TMethod{"Grid1CellClick", *form->MethodAddress("Grid1CellClick")});
    return form;
}

void ExpectSameWindow(TSampleForm& a, TSampleForm& b)
{
    EXPECT_EQ(b.Name(), a.Name());
    EXPECT_EQ(b.Caption(), a.Caption());
    EXPECT_EQ(b.Hint(), a.Hint());
    EXPECT_EQ(b.Left(), a.Left());
    EXPECT_EQ(b.Top(), a.Top());
    EXPECT_EQ(b.Font()->Style(), a.Font()->Style());
    EXPECT_EQ(b.Font()->Name(), a.Font()->Name());
    EXPECT_EQ(b.Font()->Charset(), a.Font()->Charset());

    ASSERT_NE(b.Grid1, nullptr);
    TSampleGrid& x = *a.Grid1;
    TSampleGrid& y = *b.Grid1;
    EXPECT_EQ(y.Parent(), &b);
    EXPECT_EQ(y.Cols(), x.Cols());
    EXPECT_EQ(y.Offset(), x.Offset());
    EXPECT_EQ(y.Total(), x.Total());
    EXPECT_EQ(y.Ratio(), x.Ratio());
    EXPECT_EQ(y.Scale(), x.Scale());
    EXPECT_EQ(y.Amount(), x.Amount());
    EXPECT_EQ(y.Stamp(), x.Stamp());
    EXPECT_EQ(y.PasswordChar(), x.PasswordChar());
    EXPECT_TRUE(y.Value().Identical(x.Value()));
    EXPECT_EQ(y.Options(), x.Options());
    EXPECT_EQ(y.Visible(), x.Visible());
    EXPECT_EQ(y.Align(), x.Align());
    EXPECT_EQ(y.Anchors(), x.Anchors());
    ASSERT_EQ(y.Items()->Count(), x.Items()->Count());
    for (int i = 0; i < x.Items()->Count(); ++i) {
        EXPECT_EQ(y.Items()->Item(i)->DataCol(), x.Items()->Item(i)->DataCol());
        EXPECT_EQ(y.Items()->Item(i)->FieldName(), x.Items()->Item(i)->FieldName());
        EXPECT_EQ(y.Items()->Item(i)->Col()->Heading(), x.Items()->Item(i)->Col()->Heading());
        EXPECT_EQ(y.Items()->Item(i)->Col()->Width(), x.Items()->Item(i)->Col()->Width());
        EXPECT_EQ(y.Items()->Item(i)->Col()->ReadOnly(), x.Items()->Item(i)->Col()->ReadOnly());
    }
    ASSERT_EQ(y.Extra.Count(), 1);
    EXPECT_EQ(y.Extra.Item(0)->FieldName(), "Extra");
    EXPECT_EQ(y.Widths, x.Widths);
    EXPECT_EQ(y.Data, x.Data);
    EXPECT_EQ(y.OnCellClick.Name(), "Grid1CellClick");

    ASSERT_NE(b.Button1, nullptr);
    EXPECT_EQ(b.Button1->Parent(), b.FindComponent("Panel1"));
    EXPECT_EQ(b.Button1->Default(), a.Button1->Default());
    EXPECT_EQ(b.Button1->Caption(), a.Button1->Caption());
    b.Button1->OnClick(b.Button1);
    EXPECT_EQ(b.Clicks, (std::vector<TObject*>{b.Button1}));

    ASSERT_NE(b.Table1, nullptr);
    EXPECT_EQ(b.Table1->Connection(), b.FindComponent("Connection1"));
    EXPECT_EQ(b.Table1->Connection()->DesignInfo(), 12 | 34 << 16);
    EXPECT_FALSE(b.Table1->Connection()->LoginPrompt());
}

class RoundTrip : public ::testing::Test {
protected:
    void SetUp() override { RegisterSampleClasses(); }
};

}  // namespace

TEST_F(RoundTrip, ThroughTheBinaryStream)
{
    auto form = BuildWindow();
    std::string bytes = Binary(form.get());

    core::TStringStream stream{bytes};
    TSampleForm copy(nullptr);
    filing::ReadComponent(stream, &copy);
    ExpectSameWindow(*form, copy);
    // Written again, the copy gives the very same bytes.
    EXPECT_EQ(Binary(&copy), bytes);
}

TEST_F(RoundTrip, ThroughTheTextForm)
{
    auto form = BuildWindow();
    AnsiString text = filing::ComponentToText(form.get());
    TSampleForm copy(nullptr);
    filing::ReadComponentText(text, &copy);
    ExpectSameWindow(*form, copy);
    EXPECT_EQ(Binary(&copy), Binary(form.get()));

    // Text to binary to text gives the text back.
    core::TStringStream source{text};
    core::TMemoryStream binary;
    filing::ObjectTextToBinary(source, binary);
    binary.SetPosition(0);
    core::TStringStream back;
    filing::ObjectBinaryToText(binary, back);
    EXPECT_EQ(back.DataString(), text);
}

TEST_F(RoundTrip, ValuesAreWrittenInTheirClassicForms)
{
    auto form = BuildWindow();
    AnsiString text = filing::ComponentToText(form.get());
    auto has = [&](const char* line) { return text.find(line) != AnsiString::npos; };
    EXPECT_TRUE(has("\n  Caption = #36134#22871#31649#29702\n"));
    EXPECT_TRUE(has("\n  Hint = 'Caf'#233' '#55357#56832' '#20013\n"));
    EXPECT_TRUE(has("\n  Left = -1000\n"));
    EXPECT_TRUE(has("\n  Font.Charset = GB2312_CHARSET\n"));
    EXPECT_TRUE(has("\n  Font.Style = [fsBold, fsUnderline]\n"));
    EXPECT_TRUE(has("\n    Offset = -100\n"));
    EXPECT_TRUE(has("\n    Total = -1099511627776\n"));
    // 0.1 as a double has no exact 18-decimal form: the shortest exact one.
    EXPECT_TRUE(has("\n    Ratio = 1.0000000000000000555e-01\n"));
    EXPECT_TRUE(has("\n    Scale = 1.500000000000000000s\n"));
    EXPECT_TRUE(has("\n    Amount = 123456c\n"));
    EXPECT_TRUE(has("\n    Stamp = 45000.750000000000000000d\n"));
    EXPECT_TRUE(has("\n    PasswordChar = '*'\n"));
    EXPECT_TRUE(has("\n    Visible = False\n"));
    EXPECT_TRUE(has("\n    Anchors = []\n"));
    EXPECT_TRUE(has("\n    Widths = (\n      147\n      -90\n      70000)\n"));
    EXPECT_TRUE(has("\n    OnCellClick = Grid1CellClick\n"));
    EXPECT_TRUE(has("\n    Left = 12\n    Top = 34\n"));
    EXPECT_TRUE(has("\n    Connection = Connection1\n"));
    // At their defaults: not written.
    EXPECT_FALSE(has("Color ="));
    EXPECT_FALSE(has("Font.Height"));
    EXPECT_FALSE(has("Tag ="));
    EXPECT_FALSE(has("\n  Name =") || has("\n    Name ="));
}

// Numbers in the binary stream: the smallest integer type that holds the
// value, and an x87 extended for floats (1.5 = 00..00 C0 FF 3F).
TEST_F(RoundTrip, NumbersTakeTheirClassicBinaryForms)
{
    struct Case {
        int64_t total;
        double ratio;
        std::string bytes;
    } cases[] = {
        {-5, 0, std::string("\x05Total\x02\xFB", 8)},
        {-300, 0, std::string("\x05Total\x03\xD4\xFE", 9)},
        {-70000, 0, std::string("\x05Total\x04\x90\xEE\xFE\xFF", 11)},
        {-(int64_t{1} << 40), 0, std::string("\x05Total\x13\x00\x00\x00\x00\x00\xFF\xFF\xFF", 15)},
        {0, 1.5, std::string("\x05Ratio\x05\x00\x00\x00\x00\x00\x00\x00\xC0\xFF\x3F", 17)},
        {0, -2, std::string("\x05Ratio\x05\x00\x00\x00\x00\x00\x00\x00\x80\x00\xC0", 17)},
    };
    for (const Case& c : cases) {
        TSampleGrid grid(nullptr);
        grid.SetTotal(c.total);
        grid.SetRatio(c.ratio);
        std::string bytes = Binary(&grid);
        EXPECT_NE(bytes.find(c.bytes), std::string::npos) << c.total << " " << c.ratio;
        core::TStringStream stream{bytes};
        TSampleGrid copy(nullptr);
        filing::ReadComponent(stream, &copy);
        EXPECT_EQ(copy.Total(), c.total);
        EXPECT_EQ(copy.Ratio(), c.ratio);
    }
}

TEST_F(RoundTrip, StoredPredicatesAndDefaultsDecideWhatIsWritten)
{
    TSampleGrid grid(nullptr);
    grid.SetOffset(7);
    EXPECT_NE(Binary(&grid).find("\x06Offset"), std::string::npos);
    grid.SetCols(0);  // Offset is stored only while there are columns
    std::string bytes = Binary(&grid);
    EXPECT_EQ(bytes.find("\x06Offset"), std::string::npos);
    EXPECT_NE(bytes.find(std::string("\x04" "Cols" "\x02\x00", 7)), std::string::npos);
    // A collection without items is not written; one with items is.
    EXPECT_EQ(bytes.find("Items"), std::string::npos);
    grid.Items()->Add();
    EXPECT_NE(Binary(&grid).find(std::string("\x05Items\x0E\x01\x00\x00", 10)), std::string::npos);
}

// A descendant written against its ancestor holds only what differs, its
// children marked as inherited, and reads back onto a copy of the ancestor.
TEST_F(RoundTrip, DescendantAgainstItsAncestor)
{
    auto ancestor = BuildWindow();
    auto descendant = BuildWindow();
    descendant->Button1->SetCaption("确认");
    descendant->Grid1->Widths = {1, 2};
    descendant->Grid1->Extra.Add()->SetDataCol(9);

    core::TMemoryStream stream;
    filing::WriteDescendent(stream, descendant.get(), ancestor.get());
    stream.SetPosition(0);
    core::TStringStream text;
    filing::ObjectBinaryToText(stream, text);
    EXPECT_EQ(text.DataString(),
              "inherited Window1: TSampleForm\n"
              "  inherited Connection1: TSampleConnection\n"
              "  end\n"
              "  inherited Table1: TSampleTable\n"
              "  end\n"
              "  inherited Grid1: TSampleGrid\n"
              "    Widths = (\n"
              "      1\n"
              "      2)\n"
              "    ColProperties = <\n"
              "      item\n"
              "        FieldName = 'Extra'\n"
              "      end\n"
              "      item\n"
              "        DataCol = 9\n"
              "      end>\n"
              "  end\n"
              "  inherited Panel1: TSamplePanel\n"
              "    inherited Button1: TSampleButton\n"
              "      Caption = #30830#35748\n"
              "    end\n"
              "  end\n"
              "end\n");

    auto target = BuildWindow();
    stream.SetPosition(0);
    filing::ReadComponent(stream, target.get());
    EXPECT_EQ(target->Button1->Caption(), "确认");
    EXPECT_EQ(target->Grid1->Widths, (std::vector<int>{1, 2}));
    EXPECT_EQ(target->Grid1->Extra.Count(), 2);
    EXPECT_EQ(target->ComponentCount(), ancestor->ComponentCount());
}

// A component filed inside another's binary property, as a grid's stream
// component files the grid: written with WriteComponent into the property,
// read back with ReadComponent into an existing component.
namespace {

class TGridStreamer : public TComponent {
    CORE_CLASS(TGridStreamer, TComponent)
    explicit TGridStreamer(TComponent* owner) : TComponent(owner) {}
    TSampleGrid* Grid = nullptr;
    void DefineProperties(core::TFiler& filer) override
    {
        filer.DefineBinaryProperty(
            "Grid", [this](core::TStream& s) { filing::ReadComponent(s, Grid); },
            [this](core::TStream& s) { filing::WriteComponent(s, Grid); }, Grid != nullptr);
    }
};
CORE_CLASS_IMPL(TGridStreamer)

}  // namespace

TEST_F(RoundTrip, AComponentInsideABinaryProperty)
{
    core::RegisterClass(TGridStreamer::StaticClass());
    auto form = BuildWindow();
    TGridStreamer streamer(nullptr);
    streamer.Grid = form->Grid1;
    std::string bytes = Binary(&streamer);

    TSampleGrid other(nullptr);
    other.SetName("OtherGrid");
    TGridStreamer reader(nullptr);
    reader.Grid = &other;
    core::TStringStream stream{bytes};
    filing::ReadComponent(stream, &reader);
    EXPECT_EQ(other.Name(), "OtherGrid");  // a named component keeps its name
    EXPECT_EQ(other.Cols(), 3);
    EXPECT_EQ(other.Items()->Count(), 3);
    EXPECT_EQ(other.Data, CellBlock());
    // The grid's event names a handler of the window, not of the grid, so
    // it is not filed with the grid alone.
    EXPECT_FALSE(other.OnCellClick.Assigned());
}

// Defaults other than zero and empty, and defaults that follow the object,
// decide what the writer leaves out just as fixed ordinal ones do.
namespace {

class TSpinColumn : public TComponent {
    CORE_CLASS(TSpinColumn, TComponent)
    explicit TSpinColumn(TComponent* owner) : TComponent(owner) {}
    double increment = 1.0;
    AnsiString mask = "#";
    int width = 64;
    int defaultWidth = 64;

    static void Publish(core::PropertyList& list)
    {
        core::PropBuilder<TSpinColumn> p(list);
        p.Float("SpinIncrement", [](const TSpinColumn& c) { return c.increment; },
                [](TSpinColumn& c, double v) { c.increment = v; })
            .Default(1.0);
        p.String("Mask", [](const TSpinColumn& c) { return c.mask; },
                 [](TSpinColumn& c, const AnsiString& v) { c.mask = v; })
            .Default("#");
        p.Integer("Width", [](const TSpinColumn& c) { return c.width; }, [](TSpinColumn& c, int v) { c.width = v; })
            .DefaultFrom([](const TSpinColumn& c) { return c.defaultWidth; });
    }
};
CORE_CLASS_IMPL(TSpinColumn)

}  // namespace

TEST_F(RoundTrip, DeclaredAndComputedDefaultsAreNotWritten)
{
    TSpinColumn column(nullptr);
    AnsiString text = filing::ComponentToText(&column);
    EXPECT_EQ(text.find("SpinIncrement"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("Mask"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("Width"), AnsiString::npos) << text;

    // Zero and empty are values like any other here, and are written.
    column.increment = 0;
    column.mask.clear();
    column.defaultWidth = 80;
    text = filing::ComponentToText(&column);
    EXPECT_NE(text.find("SpinIncrement = 0"), AnsiString::npos) << text;
    EXPECT_NE(text.find("Mask = ''"), AnsiString::npos) << text;
    EXPECT_NE(text.find("Width = 64"), AnsiString::npos) << text;

    core::RegisterClass(TSpinColumn::StaticClass());
    TSpinColumn copy(nullptr);
    copy.defaultWidth = 80;
    copy.width = 80;
    filing::ReadComponentText(text, &copy);
    EXPECT_EQ(copy.increment, 0);
    EXPECT_EQ(copy.mask, "");
    EXPECT_EQ(copy.width, 64);
}

// A form lists its components that have no parent control, and a control
// the controls on it; a form placed on a form is both. It is written once,
// so what was read writes and reads back to the same bytes, also when it
// carries the name of its root (which is not among its own components).
TEST_F(RoundTrip, AComponentTwoParentsNameIsWrittenOnce)
{
    for (std::string child : {"SampleWindow", "Inner"}) {
        SCOPED_TRACE(child);
        std::string text = "object SampleWindow: TSampleForm\n"
                           "  object " + child + ": TSampleForm\n"
                           "    Caption = 'inner'\n"
                           "  end\n"
                           "end\n";
        std::unique_ptr<TComponent> form(filing::ReadComponentText(text, nullptr));
        ASSERT_EQ(form->ComponentCount(), 1);
        auto* inner = dynamic_cast<TSampleForm*>(form->Components(0));
        ASSERT_NE(inner, nullptr);
        EXPECT_EQ(inner->Parent(), form.get());

        std::string bytes = Binary(form.get());
        AnsiString written = filing::ComponentToText(form.get());
        EXPECT_EQ(written.find("object " + child + ": TSampleForm", 1),
                  written.rfind("object " + child + ": TSampleForm"))
            << written;
        core::TStringStream stream{bytes};
        std::unique_ptr<TComponent> copy(filing::ReadComponent(stream, nullptr));
        ASSERT_EQ(copy->ComponentCount(), 1);
        EXPECT_EQ(copy->Components(0)->Name(), child);
        EXPECT_EQ(Binary(copy.get()), bytes);
    }
}
