#include <gtest/gtest.h>

#include <string>

#include "controls/Registration.h"
#include "controls/TinyGrid.h"
#include "platform/core/Exception.h"
#include "platform/filing/Streaming.h"
#include "platform/ui/Registration.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/support/HeadlessFixture.h"

using controls::TTinyGrid;
using core::AnsiString;
using core::Variant;

namespace {

// The account list's cell block: rows 1 and 2 hold two empty texts and a
// ticked box, row 3 an empty cell, an empty text and a ticked box, rows 4
// and 5 two empty cells and a ticked box.
const char* const kAccountListData =
    "0100000003000000010000000001000000000201000000020000000300000001"
    "0000000001000000000201000000030000000300000000010000000002010000"
    "0004000000030000000000020100000005000000030000000000020100000000"
    "00000000000000";

std::string GridText(const std::string& columns, const std::string& data)
{
    return "object Form1: TForm\n"
           "  object TinyGrid1: TTinyGrid\n"
           "    Left = 0\n    Top = 0\n    Width = 388\n    Height = 168\n"
           "    Cols = 3\n    Rows = 5\n" +
           columns + "    Data = {" + data + "}\n  end\nend\n";
}

const std::string kColumns =
    "    ColProperties = <\n"
    "      item\n        DataCol = 1\n        FieldName = 'AccountName'\n        Col.ReadOnly = True\n"
    "        Col.Width = 147\n        Col.Heading = 'Name'\n      end\n"
    "      item\n        DataCol = 2\n        Col.Width = 90\n        Col.ReadOnly = True\n      end\n"
    "      item\n        DataCol = 3\n        Col.ControlType = ctCheck\n      end\n"
    "      item\n        DataCol = 3\n        Col.Tag = 7\n      end>\n";

std::string Hex(const std::string& text)
{
    std::string hex;
    for (char c : text)
        if (std::isxdigit(static_cast<unsigned char>(c)))
            hex += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return hex;
}

class TinyGridTest : public HeadlessFixture {
protected:
    void SetUp() override
    {
        HeadlessFixture::SetUp();
        ui::RegisterControls();
        controls::RegisterControls();
    }

    TTinyGrid* Load(const std::string& columns = kColumns, const std::string& data = kAccountListData)
    {
        filing::ReadComponentText(GridText(columns, data), form);
        auto* grid = dynamic_cast<TTinyGrid*>(form->FindComponent("TinyGrid1"));
        EXPECT_NE(grid, nullptr);
        return grid;
    }

    graphics::TPoint CellCentre(TTinyGrid* grid, int col, int row) const
    {
        graphics::TRect r = grid->CellRect(col, row);
        return At(grid, {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
};

}  // namespace

TEST_F(TinyGridTest, NewGridHasTheFamilysDefaults)
{
    TTinyGrid grid(nullptr);
    EXPECT_EQ(grid.Cols(), 6);
    EXPECT_EQ(grid.Rows(), 30);
    EXPECT_EQ(grid.DefaultRowHeight(), 17);
    EXPECT_EQ(grid.Color(), graphics::clWhite);
    EXPECT_EQ(grid.HeadingColor(), 0xEBEBEB);
    EXPECT_FALSE(grid.Heading3D());
    EXPECT_TRUE(grid.StoreData());
    EXPECT_FALSE(grid.BorderCtl3D());
    EXPECT_EQ(grid.Col(1)->Width(), 64);
    EXPECT_EQ(grid.CellControlType(1, 1), controls::ctText);
}

TEST_F(TinyGridTest, StoredColumnsAndCellsLoad)
{
    TTinyGrid* grid = Load();
    ASSERT_EQ(grid->Cols(), 3);
    ASSERT_EQ(grid->Rows(), 5);
    EXPECT_EQ(grid->Col(1)->FieldName(), "AccountName");
    EXPECT_EQ(grid->Col(1)->Heading(), "Name");
    EXPECT_EQ(grid->Col(1)->Width(), 147);
    EXPECT_TRUE(grid->Col(1)->ReadOnly());
    EXPECT_EQ(grid->Col(2)->Width(), 90);
    EXPECT_EQ(grid->Col(3)->Width(), 64);
    EXPECT_FALSE(grid->Col(3)->ReadOnly());
    EXPECT_EQ(grid->Col(3)->Tag(), 7) << "a second item for a column adds to the first";
    EXPECT_EQ(grid->CellControlType(3, 1), controls::ctCheck);

    // Empty texts read back as empty strings, empty cells as Unassigned,
    // check states as integers.
    for (int row = 1; row <= 5; ++row) {
        SCOPED_TRACE(row);
        Variant first = grid->Cell(1, row), second = grid->Cell(2, row), third = grid->Cell(3, row);
        EXPECT_EQ(first.VarType(), row <= 2 ? core::varString : core::varEmpty);
        EXPECT_EQ(second.VarType(), row <= 3 ? core::varString : core::varEmpty);
        EXPECT_EQ(first.AsString(), "");
        EXPECT_EQ(third.VarType(), core::varInteger);
        EXPECT_EQ(third.AsInteger(), 1);
    }
}

TEST_F(TinyGridTest, TheCellBlockIsWrittenBackByteForByte)
{
    TTinyGrid* grid = Load();
    AnsiString text = filing::ComponentToText(grid);
    size_t start = text.find("Data = {");
    ASSERT_NE(start, AnsiString::npos) << text;
    size_t end = text.find('}', start);
    EXPECT_EQ(Hex(text.substr(start + 8, end - start - 8)), kAccountListData);
    // The column settings go back too, with the application's values.
    EXPECT_NE(text.find("Col.Width = 147"), AnsiString::npos) << text;
    EXPECT_NE(text.find("Col.Tag = 7"), AnsiString::npos) << text;
    EXPECT_NE(text.find("Col.ControlType = ctCheck"), AnsiString::npos) << text;
}

TEST_F(TinyGridTest, BrokenDescriptionsAreRefusedWithTheirReason)
{
    struct Case {
        const char* name;
        std::string columns;
        std::string data;
        const char* message;
    };
    const Case cases[] = {
        {"column beyond Cols", "    ColProperties = <\n      item\n        DataCol = 4\n      end>\n", kAccountListData,
         "TinyGrid1: Column index 4 out of range"},
        {"column 0", "    ColProperties = <\n      item\n        DataCol = 0\n      end>\n", kAccountListData,
         "TinyGrid1: Column index 0 out of range"},
        {"cut short", kColumns, "0100000003000000010500", "Stream read error"},
        {"negative cell count", kColumns, "01000000FFFFFFFF", "Invalid cell count -1"},
        {"text longer than the block", kColumns, "0100000001000000016400000041", "Invalid text length 100"},
        {"unknown kind", kColumns, "01000000010000000900000000", "Invalid cell kind 9"},
        {"no picture count", kColumns, "00000000", "Stream read error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            filing::ReadComponentText(GridText(c.columns, c.data), form);
            ADD_FAILURE() << "no error";
        } catch (const core::Exception& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        EXPECT_EQ(form->FindComponent("TinyGrid1"), nullptr) << "nothing half-built is left";
    }
}

TEST_F(TinyGridTest, CellsKeepValuesByTheColumnsControlType)
{
    TTinyGrid* grid = Load();
    struct Case {
        int col, row;
        Variant written;
        core::TVarType type;
        const char* text;
    } const cases[] = {
        {1, 1, Variant(7), core::varString, "7"},
        {1, 2, Variant(u"宽"), core::varString, "宽"},
        {2, 1, Variant("帐套"), core::varString, "帐套"},
        {3, 1, Variant(1), core::varInteger, "1"},
        {3, 2, Variant(0), core::varInteger, "0"},
        {3, 3, Variant::Null(), core::varNull, nullptr},
        {3, 4, Variant("Yes"), core::varString, "Yes"},
        {3, 5, Variant(), core::varEmpty, ""},
        {1, 5, Variant(), core::varEmpty, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.col << "," << c.row);
        grid->SetCell(c.col, c.row, c.written);
        Variant read = grid->Cell(c.col, c.row);
        EXPECT_EQ(read.VarType(), c.type);
        if (c.text) {
            EXPECT_EQ(read.AsString(), c.text);
        }
    }
    // Outside the grid reads give Unassigned and writes change nothing.
    for (auto [col, row] : {std::pair{0, 1}, {1, 0}, {4, 1}, {1, 6}, {-1, -1}}) {
        grid->SetCell(col, row, Variant(1));
        EXPECT_TRUE(grid->Cell(col, row).IsEmpty()) << col << "," << row;
    }
}

TEST_F(TinyGridTest, RowsDropTheValuesOfRemovedRowsAndAddEmptyOnes)
{
    TTinyGrid* grid = Load();
    grid->SetCell(1, 4, Variant("four"));
    grid->SetRows(3);
    EXPECT_EQ(grid->Rows(), 3);
    EXPECT_TRUE(grid->Cell(3, 4).IsEmpty());
    EXPECT_EQ(grid->Cell(3, 3).AsInteger(), 1);
    grid->SetRows(6);
    EXPECT_EQ(grid->Rows(), 6);
    for (int row = 4; row <= 6; ++row) {
        EXPECT_TRUE(grid->Cell(1, row).IsEmpty()) << row;
        EXPECT_TRUE(grid->Cell(3, row).IsEmpty()) << row;
    }
    grid->SetRows(0);
    EXPECT_EQ(grid->Rows(), 0);
    EXPECT_TRUE(grid->Cell(3, 1).IsEmpty());
}

TEST_F(TinyGridTest, AClickTicksAndClearsCheckBoxesOfEditableColumnsOnly)
{
    TTinyGrid* grid = Load();
    ShowForm();
    grid->SetCell(3, 2, Variant(0));
    grid->SetCell(3, 3, Variant("Yes"));
    struct Step {
        int col, row;
        Variant expected;
    } const steps[] = {
        {3, 1, Variant(0)},  // ticked: cleared
        {3, 1, Variant(1)},  // and ticked again
        {3, 2, Variant(1)},
        {3, 3, Variant(0)},  // a text shows grayed and clears
        {1, 1, Variant("")}, // read-only text columns do not change
    };
    for (const Step& s : steps) {
        display->Click(CellCentre(grid, s.col, s.row));
        Variant got = grid->Cell(s.col, s.row);
        EXPECT_TRUE(got.Identical(s.expected)) << s.col << "," << s.row << ": " << got.AsString();
    }
    EXPECT_EQ(grid->CurrentDataCol(), 1);
    EXPECT_EQ(grid->CurrentDataRow(), 1);
    EXPECT_TRUE(grid->Focused());

    // A press on one box and a release on another ticks neither.
    display->Press(CellCentre(grid, 3, 4));
    display->Release(CellCentre(grid, 3, 5));
    EXPECT_EQ(grid->Cell(3, 4).AsInteger(), 1);
    EXPECT_EQ(grid->Cell(3, 5).AsInteger(), 1);

    // A read-only check-box column cannot be ticked either.
    grid->Col(3)->SetReadOnly(true);
    display->Click(CellCentre(grid, 3, 1));
    EXPECT_EQ(grid->Cell(3, 1).AsInteger(), 1);
}

TEST_F(TinyGridTest, TheSpaceBarTicksTheCurrentCheckBox)
{
    TTinyGrid* grid = Load();
    ShowForm();
    display->Click(CellCentre(grid, 3, 2));
    ASSERT_EQ(grid->Cell(3, 2).AsInteger(), 0);
    display->PressKey(ui::VK_SPACE);
    EXPECT_EQ(grid->Cell(3, 2).AsInteger(), 1);
    display->PressKey(ui::VK_SPACE);
    EXPECT_EQ(grid->Cell(3, 2).AsInteger(), 0);
    // On a text cell the space bar does nothing.
    display->Click(CellCentre(grid, 2, 2));
    display->PressKey(ui::VK_SPACE);
    EXPECT_EQ(grid->Cell(2, 2).AsString(), "");
    EXPECT_EQ(grid->Cell(3, 2).AsInteger(), 0);
}

TEST_F(TinyGridTest, HeadingsLinesAndBoxesArePainted)
{
    TTinyGrid* grid = Load();
    grid->SetCell(3, 2, Variant(0));
    grid->SetColor(graphics::clWhite);
    ShowForm();
    graphics::TRect heading = grid->CellRect(2, 0);
    EXPECT_EQ(PixelOf(grid, {heading.Left + 2, heading.Top + 1}), 0xEBEBEB) << "heading colour";
    EXPECT_EQ(PixelOf(grid, {heading.Left + 2, heading.Bottom - 1}), 0x000000) << "black line under the heading";
    graphics::TRect cell = grid->CellRect(1, 1);
    EXPECT_EQ(PixelOf(grid, {cell.Left + 5, cell.Bottom - 1}), 0xC0C0C0) << "silver grid line";
    EXPECT_EQ(PixelOf(grid, {cell.Right - 1, cell.Top + 5}), 0xC0C0C0);
    EXPECT_EQ(PixelOf(grid, {cell.Left + 5, cell.Top + 5}), 0xFFFFFF);
    // The tick's middle column: black in a ticked box, white in a clear one.
    for (int row : {1, 2}) {
        graphics::TRect box = grid->CellRect(3, row);
        int left = box.Left + (box.Width() - 1 - 13) / 2, top = box.Top + (box.Height() - 1 - 13) / 2;
        EXPECT_EQ(PixelOf(grid, {left + 6, top + 8}), row == 1 ? 0x000000 : 0xFFFFFF) << row;
        EXPECT_EQ(PixelOf(grid, {left, top}), 0x808080) << "the box's shadow edge";
    }
}

TEST_F(TinyGridTest, RemovedColumnsTakeTheirValuesAlong)
{
    TTinyGrid* grid = Load();
    grid->SetCols(2);
    AnsiString text = filing::ComponentToText(grid);
    size_t start = text.find("Data = {");
    ASSERT_NE(start, AnsiString::npos) << text;
    // Rows 4 and 5 held only the third column: they are gone; the others
    // end at their second cell.
    EXPECT_EQ(Hex(text.substr(start + 8, text.find('}', start) - start - 8)),
              "01000000020000000100000000010000000002000000020000000100000000010000000003000000020000000001000000"
              "000000000000000000");
    grid->SetCols(3);
    for (int row = 1; row <= 5; ++row)
        EXPECT_TRUE(grid->Cell(3, row).IsEmpty()) << row;
}

TEST_F(TinyGridTest, ColumnsAtTheGridsDefaultWidthFileNoWidth)
{
    TTinyGrid grid(nullptr);
    grid.SetName("TinyGrid1");
    grid.SetCols(3);
    grid.SetDefaultColWidth(80);
    grid.Col(1)->SetHeading("A");
    grid.Col(1)->SetWidth(64);
    grid.Col(3)->SetTag(9);
    EXPECT_FALSE(grid.Col(1)->IsDefault());
    EXPECT_TRUE(grid.Col(2)->IsDefault());
    EXPECT_TRUE(grid.Col(3)->IsDefault()) << "the application's values take no part";

    AnsiString text = filing::ComponentToText(&grid);
    EXPECT_NE(text.find("Col.Width = 64"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("DataCol = 2"), AnsiString::npos) << text;

    // Read back, the narrow column keeps its width although the grid's
    // default is another: the default a width is compared with is the grid's.
    TTinyGrid copy(nullptr);
    filing::ReadComponentText(text, &copy);
    EXPECT_EQ(copy.DefaultColWidth(), 80);
    EXPECT_EQ(copy.Col(1)->Width(), 64);
    EXPECT_EQ(copy.Col(1)->Heading(), "A");
    EXPECT_EQ(copy.Col(2)->Width(), 80);
}

TEST_F(TinyGridTest, AssigningAColumnCopiesItsSettings)
{
    TTinyGrid* grid = Load();
    controls::TtsCol* source = grid->Col(1);
    controls::TtsCol* target = grid->Col(3);
    target->Assign(source);
    EXPECT_EQ(target->Heading(), "Name");
    EXPECT_EQ(target->FieldName(), "AccountName");
    EXPECT_EQ(target->Width(), 147);
    EXPECT_TRUE(target->ReadOnly());
    EXPECT_EQ(target->ControlType(), controls::ctDefault);
    EXPECT_EQ(target->Tag(), 0);

    // A column whose heading is its field name's gives no heading of its own.
    grid->Col(2)->SetFieldName("AccountDb");
    target->Assign(grid->Col(2));
    EXPECT_EQ(target->Heading(), "AccountDb");
    target->SetFieldName("");
    EXPECT_EQ(target->Heading(), "");
    EXPECT_THROW(target->Assign(grid->HeadingFont()), core::EConvertError);
}
