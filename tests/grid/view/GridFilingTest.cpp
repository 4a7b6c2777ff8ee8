// The grid in a stored form: the account list window's grid loaded into a
// TtsGrid and written back byte for byte, the Data block both ways, the
// column, row and cell collections, the legacy properties, and malformed
// input.
#include <gtest/gtest.h>

#include <sstream>

#include "grid/view/GridFiling.h"
#include "platform/filing/FormResources.h"
#include "platform/graphics/Font.h"
#include "tests/grid/view/GridFilingSupport.h"

using namespace grid;
using namespace gridtest;
using core::Variant;

namespace {

// The account list window's grid as its form describes it, keeping the
// properties that a TtsGrid has (the rest belong to the in-house grid).
std::string AccountGridText()
{
    auto form = filing::FindFormResource("AccountMain");
    if (!form)
        return {};
    std::istringstream lines{std::string(*form)};
    std::string line, text = "object Grid1: TtsGrid\n";
    bool inGrid = false, keep = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find("object TinyGrid1: TTinyGrid") != std::string::npos) {
            inGrid = true;
            continue;
        }
        if (!inGrid)
            continue;
        if (line == "  end")
            break;
        if (line.compare(0, 4, "    ") == 0 && line[4] != ' ') {
            std::string name = line.substr(4, line.find(' ', 4) - 4);
            keep = name == "ColProperties" || name == "Data" || TtsGrid::StaticClass().FindProperty(name);
        }
        if (keep)
            text += line.substr(2) + "\n";
    }
    return text + "end\n";
}

const char* const kAccountData =
    "0100000003000000010000000001000000000201000000020000000300000001"
    "0000000001000000000201000000030000000300000000010000000002010000"
    "0004000000030000000000020100000005000000030000000000020100000000"
    "00000000000000";

}  // namespace

TEST(GridFiling, TheAccountListGridLoadsAndWritesBackTheSameBytes)
{
    std::string text = AccountGridText();
    ASSERT_NE(text.find("ColProperties"), std::string::npos) << text;
    AnsiString stored = TextToBinary(text);
    TtsGrid grid(nullptr);
    ReadInto(grid, stored);

    EXPECT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.DefaultRowHeight(), 17);
    EXPECT_EQ(grid.CellSelectMode(), cmNone);
    EXPECT_EQ(grid.RowSelectMode(), rsNone);
    ASSERT_TRUE(grid.StoreData());
    TtsCol* name = grid.GridCols().Col(1);
    EXPECT_EQ(name->FieldName(), "AccountName");
    EXPECT_EQ(name->Heading(), "帐套名称");
    EXPECT_EQ(name->Width(), 147);
    EXPECT_TRUE(name->ReadOnly());
    EXPECT_EQ(name->HeadingHorzAlignment(), htaCenter);
    EXPECT_EQ(grid.GridCols().Col(2)->FieldName(), "DataBase");
    EXPECT_EQ(grid.GridCols().Col(2)->Width(), 90);
    EXPECT_EQ(grid.GridCols().Col(3)->ControlType(), ctCheck);
    EXPECT_EQ(grid.GridCols().Col(3)->Width(), 64);

    // Rows 1 and 2: two empty texts; row 3: an empty cell and an empty
    // text; rows 4 and 5: two empty cells; every flag 1.
    const TtsStoredKind kinds[5][2] = {
        {skText, skText}, {skText, skText}, {skEmpty, skText}, {skEmpty, skEmpty}, {skEmpty, skEmpty}};
    for (int r = 1; r <= 5; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(grid.Cell(3, r).AsInteger(), 1);
        for (int c = 1; c <= 2; ++c) {
            EXPECT_EQ(grid.Store()->KindOf(c, r), kinds[r - 1][c - 1]);
            Variant v = grid.Cell(c, r);
            if (kinds[r - 1][c - 1] == skText)
                EXPECT_TRUE(v.Identical(Variant(AnsiString()))) << c;
            else
                EXPECT_TRUE(v.IsEmpty()) << c;
        }
    }

    // Written back: the grid's own properties come out as they went in.
    AnsiString written = Written(grid);
    size_t mine = AfterName(written, "ColProperties");
    size_t theirs = AfterName(stored, "ColProperties");
    ASSERT_NE(mine, std::string::npos) << BinaryToText(written);
    EXPECT_EQ(written.substr(mine), stored.substr(theirs)) << BinaryToText(written);
    size_t data = AfterName(written, "Data");
    ASSERT_NE(data, std::string::npos);
    EXPECT_EQ(written.substr(data, 5), Hex("0A 67 00 00 00"));
    EXPECT_EQ(written.substr(data + 5, 103), Hex(kAccountData));
    // And reading what was written gives the same stream again.
    TtsGrid again(nullptr);
    ReadInto(again, written);
    EXPECT_EQ(Written(again), written);
}

TEST(GridFiling, DataBlockWritesOnlyRowsWithValuesInTheirOrder)
{
    auto grid = NewGrid(3, 4, true);
    grid->GridCols().Col(3)->SetControlType(ctCheck);
    grid->SetCell(3, 2, Variant(int32_t{1}));
    core::TStringStream block;
    TtsGridFiling::WriteData(*grid, block);
    EXPECT_EQ(block.DataString(), Hex("02000000 03000000 00 00 02 01000000 00000000 00000000"));

    // A Null check value comes back empty, and the other values as they were.
    grid->SetCell(3, 1, Variant::Null());
    grid->SetCell(1, 4, Variant("甲"));
    core::TStringStream out;
    TtsGridFiling::WriteData(*grid, out);
    auto copy = NewGrid(3, 4, false);
    copy->GridCols().Col(3)->SetControlType(ctCheck);
    core::TStringStream in{out.DataString()};
    TtsGridFiling::ReadData(*copy, in);
    EXPECT_TRUE(copy->StoreData());
    EXPECT_TRUE(copy->Cell(3, 1).IsEmpty());
    EXPECT_EQ(copy->Cell(3, 2).AsInteger(), 1);
    EXPECT_EQ(copy->Cell(1, 4).AsString(), "甲");
}

TEST(GridFiling, ColumnsAreFiledOnlyWhenNotAtTheirDefaults)
{
    auto grid = NewGrid(3, 2, false);
    EXPECT_EQ(AfterName(Written(*grid), "ColProperties"), std::string::npos);

    // A column moved: both columns whose place changed are filed.
    grid->GridCols().MoveCol(1, 2);
    std::string text = BinaryToText(Written(*grid));
    EXPECT_NE(text.find("DataCol = 1"), std::string::npos) << text;
    EXPECT_NE(text.find("DataCol = 2"), std::string::npos) << text;
    EXPECT_EQ(text.find("DataCol = 3"), std::string::npos) << text;

    // The application's own values alone make a column worth filing.
    struct Case {
        const char* what;
        std::function<void(TtsCol&)> set;
        const char* line;
    };
    const Case cases[] = {
        {"Tag", [](TtsCol& c) { c.SetTag(7); }, "Col.Tag = 7"},
        {"ColConfig", [](TtsCol& c) { c.SetColConfig(true); }, "Col.ColConfig = True"},
        {"BePrint", [](TtsCol& c) { c.SetBePrint(true); }, "Col.BePrint = True"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto plain = NewGrid(2, 1, false);
        c.set(*plain->GridCols().Col(2));
        std::string written = BinaryToText(Written(*plain));
        EXPECT_NE(written.find("DataCol = 2"), std::string::npos) << written;
        EXPECT_NE(written.find(c.line), std::string::npos) << written;
        TtsGrid back(nullptr);
        ReadInto(back, TextToBinary(written));
        EXPECT_EQ(BinaryToText(Written(back)), written);
    }
}

TEST(GridFiling, RowsAndCellsGoAsCollectionsAndComeBack)
{
    auto grid = NewGrid(3, 6, false);
    grid->GridRows().Update(2, [](TtsRow& r) { r.SetColor(graphics::clRed); });
    grid->GridRows().MoveRow(5, 1);
    grid->SetRowSelected(4, true);
    grid->CellSettings().SetCellColor(2, 3, graphics::clSilver);
    grid->CellSettings().SetCellReadOnly(1, 1, roOn);
    grid->CellSettings().SetCellHorzAlignment(3, 6, htaRight);
    std::string text = BinaryToText(Written(*grid));
    EXPECT_NE(text.find("RowProperties"), std::string::npos) << text;
    EXPECT_NE(text.find("CellProperties"), std::string::npos) << text;

    auto back = NewGrid(1, 1, false);
    ReadInto(*back, TextToBinary(text));
    EXPECT_EQ(back->Rows(), 6);
    EXPECT_EQ(back->GridRows().Row(2).Color(), graphics::clRed);
    for (int d = 1; d <= 6; ++d)
        EXPECT_EQ(back->DataRownr(d), grid->DataRownr(d)) << d;
    EXPECT_EQ(back->CellSettings().CellColor(2, 3), graphics::clSilver);
    EXPECT_EQ(back->CellSettings().CellReadOnly(1, 1), roOn);
    EXPECT_EQ(back->CellSettings().CellHorzAlignment(3, 6), htaRight);
    // Rows whose items carried nothing of their own keep no object.
    EXPECT_EQ(back->GridRows().Items(3), nullptr);
    EXPECT_EQ(BinaryToText(Written(*back)), text);
}

TEST(GridFiling, CellSettingsLeftBeyondTheCountsAreNotFiled)
{
    // Shrinking keeps the settings of the cells cut off; a form holding them
    // could not be read back.
    auto grid = NewGrid(3, 4, false);
    grid->CellSettings().SetCellColor(2, 4, graphics::clRed);
    grid->CellSettings().SetCellColor(3, 1, graphics::clSilver);
    grid->SetRows(2);
    grid->SetCols(2);
    std::string text = BinaryToText(Written(*grid));
    EXPECT_EQ(text.find("CellProperties"), std::string::npos) << text;
    grid->SetCols(3);
    text = BinaryToText(Written(*grid));
    EXPECT_NE(text.find("DataCol = 3"), std::string::npos) << text;
    EXPECT_EQ(text.find("DataRow = 4"), std::string::npos) << text;
    TtsGrid back(nullptr);
    ReadInto(back, TextToBinary(text));
    EXPECT_EQ(back.CellSettings().CellColor(3, 1), graphics::clSilver);
}

TEST(GridFiling, LegacyPropertiesOfOlderFormsAreRead)
{
    struct Case {
        const char* mode;
        TtsGridMode expected;
    };
    const Case cases[] = {{"emNone", gmListBox},
                          {"EMEDITINSERT", gmEditInsert},
                          {"emBrowse", gmBrowse},
                          {"emSomethingElse", gmEdit}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        TtsGrid grid(nullptr);
        grid.SetGridMode(gmBrowse);
        ReadInto(grid, TextToBinary(std::string("object G: TtsGrid\n  Cols = 3\n  EditMode = ") + c.mode +
                                    "\n  ColWidths = (20 30 40 50 60 70)\n  ImageListIds = 'b,a'\nend\n"));
        EXPECT_EQ(grid.GridMode(), c.expected);
        // One width per layout column (the row bar first); extras dropped.
        EXPECT_EQ(grid.GridCols().Col(1)->Width(), 30);
        EXPECT_EQ(grid.GridCols().Col(3)->Width(), 50);
        EXPECT_EQ(grid.PictureNames().ImageListIds().CommaText(), "a,b");
        // Never written again.
        std::string written = BinaryToText(Written(grid));
        EXPECT_EQ(written.find("ColWidths"), std::string::npos) << written;
        EXPECT_EQ(written.find("EditMode"), std::string::npos) << written;
        EXPECT_NE(written.find("ImageListIds = 'a,b'"), std::string::npos) << written;
    }
}

TEST(GridFiling, MalformedInputRaisesAClearError)
{
    struct Case {
        const char* what;
        std::string body;
        const char* message;
    };
    const Case cases[] = {
        {"column item beyond the grid", "  ColProperties = <\n    item\n      DataCol = 9\n    end>\n",
         "Column index 9 out of range"},
        {"row item beyond the grid", "  RowProperties = <\n    item\n      DataRow = 7\n    end>\n",
         "Row index 7 out of range"},
        {"cell item beyond the grid",
         "  CellProperties = <\n    item\n      DataCol = 4\n      DataRow = 1\n      Cell.Color = clRed\n    end>\n",
         "Column index 4 out of range"},
        {"truncated block", "  Data = {01000000030000}\n", "Stream read error"},
        {"unknown cell kind", "  Data = {0100000001000000090000000000000000}\n", "Invalid cell kind 9"},
        {"negative cell count", "  Data = {01000000FFFFFFFF00000000}\n", "Invalid cell count -1"},
        {"text beyond the block", "  Data = {010000000100000001FF000000}\n", "Invalid text length 255"},
        {"picture count beyond the block", "  Data = {0000000005000000}\n", "Invalid picture count 5"},
        {"picture number without pictures", "  Data = {01000000010000000301000000000000000000000000}\n",
         "Invalid picture number 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string text = "object Grid1: TtsGrid\n  Cols = 3\n  Rows = 2\n" + c.body + "end\n";
        TtsGrid grid(nullptr);
        std::string message = MessageOf([&] { ReadInto(grid, TextToBinary(text)); });
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
    }
    // Values beyond the grid's counts are read and dropped.
    {
        auto small = NewGrid(2, 2, false);
        core::TStringStream beyond{Hex("01000000 03000000 01 01000000 61 01 01000000 62 01 01000000 63"
                                       "40420F00 01000000 01 01000000 64 00000000 00000000")};
        TtsGridFiling::ReadData(*small, beyond);
        EXPECT_EQ(small->Cell(2, 1).AsString(), "b");
        EXPECT_EQ(small->Store()->LastRow(), 1);
        EXPECT_EQ(small->Store()->LastCol(1), 2);
    }
    // A broken block leaves the store as it was.
    auto grid = NewGrid(2, 2, true);
    grid->SetCell(1, 1, Variant("kept"));
    core::TStringStream broken{Hex("01000000 02000000 01 05000000 6162")};
    EXPECT_NE(MessageOf([&] { TtsGridFiling::ReadData(*grid, broken); }), "(nothing raised)");
    EXPECT_EQ(grid->Cell(1, 1).AsString(), "kept");
}
