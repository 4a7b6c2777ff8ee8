// Saving chosen parts of a grid to a stream, a file and the registry and
// loading them back; the copy operations between grids.
#include <gtest/gtest.h>

#include "grid/view/GridFiling.h"
#include "grid/view/GridStreamComponent.h"
#include "platform/core/CodePage.h"
#include "platform/system/Registry.h"
#include "platform/ui/Panel.h"
#include "tests/grid/view/GridFilingSupport.h"
#include "tests/platform/system/ScratchFolder.h"

using namespace grid;
using namespace gridtest;
using core::Variant;

namespace {

AnsiString Saved(TtsBaseGrid& grid, TtsPropKinds kinds, bool saveData, uint32_t mask = kAllPropsMask)
{
    core::TStringStream out;
    grid.SaveToStream(out, kinds, saveData, mask);
    return out.DataString();
}

void Load(TtsBaseGrid& grid, const AnsiString& bytes, bool layout)
{
    core::TStringStream in{bytes};
    grid.LoadFromStream(in, layout);
}

// Columns named by `names`, each with its own width and colour, and a value
// per cell naming the column's field and the row.
std::unique_ptr<TtsGrid> NamedGrid(std::vector<const char*> names, int rows)
{
    auto grid = NewGrid(static_cast<int>(names.size()), rows, true);
    for (int c = 1; c <= grid->Cols(); ++c) {
        TtsCol* col = grid->GridCols().Col(c);
        col->SetFieldName(names[c - 1]);
        col->SetWidth(40 + c);
        col->SetColor(graphics::clRed + c);
        for (int r = 1; r <= rows; ++r)
            grid->SetCell(c, r, Variant(AnsiString(names[c - 1]) + std::to_string(r)));
    }
    return grid;
}

// A grid with something of every kind.
std::unique_ptr<TtsGrid> RichGrid()
{
    auto grid = NamedGrid({"A", "B", "C"}, 5);
    grid->SetGridMode(gmBrowse);
    grid->SetCheckBoxValues("Y|N");
    grid->SetFixedColCount(1);
    grid->GridCols().Col(2)->SetHeading("Second");
    grid->GridCols().MoveCol(3, 1);
    grid->GridRows().Update(2, [](TtsRow& r) { r.SetHeight(30); });
    grid->GridRows().MoveRow(4, 1);
    grid->CellSettings().SetCellColor(1, 3, graphics::clSilver);
    return grid;
}

}  // namespace

TEST(GridStream, EverythingSavedLoadsIntoAFreshGridAsItWas)
{
    auto source = RichGrid();
    AnsiString bytes = Saved(*source, kAllPropKinds, true);
    ASSERT_EQ(bytes.substr(0, 4), "TPF0");
    auto target = NewGrid(1, 1, false);
    Load(*target, bytes, true);
    EXPECT_EQ(BinaryToText(Written(*target)), BinaryToText(Written(*source)));
    EXPECT_EQ(target->Cell(2, 5).AsString(), "B5");
    EXPECT_EQ(target->DataColnr(1), 3);
    EXPECT_EQ(target->DataRownr(1), 4);
    EXPECT_EQ(target->GridRows().Row(2).Height(), 30);
    EXPECT_EQ(target->GridMode(), gmBrowse);
    // Loading twice gives the same grid: the reset before the parts leaves
    // nothing of the first load behind.
    Load(*target, bytes, true);
    EXPECT_EQ(BinaryToText(Written(*target)), BinaryToText(Written(*source)));
}

TEST(GridStream, ChosenPartsDecideWhatIsWritten)
{
    struct Case {
        const char* what;
        TtsPropKinds kinds;
        bool saveData;
        std::vector<const char*> present;
        std::vector<const char*> absent;
    };
    const Case cases[] = {
        {"grid", {pkGrid}, false, {"Grid"}, {"Cols", "Rows", "ColProperties", "RowProperties", "CellProperties", "Data"}},
        {"columns",
         {pkCols},
         false,
         {"Cols", "FixedColCount", "DefaultColWidth", "ColProperties"},
         {"Grid", "Rows", "DefaultRowHeight", "RowProperties", "CellProperties", "Data"}},
        {"rows", {pkRows}, false, {"Rows", "DefaultRowHeight", "RowProperties"}, {"Cols", "ColProperties", "Data"}},
        {"grid and rows", {pkGrid, pkRows}, false, {"Grid", "RowProperties"}, {"Rows", "DefaultRowHeight"}},
        {"grid and columns", {pkGrid, pkCols}, false, {"Grid", "Cols", "ColProperties"}, {"DefaultColWidth"}},
        {"cells and data", {pkCells}, true, {"CellProperties", "Data"}, {"Cols", "Rows", "Grid"}},
    };
    auto grid = RichGrid();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The stream component's own records, not those of the embedded
        // grid's stream.
        std::string text = BinaryToText(Saved(*grid, c.kinds, c.saveData));
        auto has = [&](const char* name) { return text.find(std::string("\n  ") + name + " =") != std::string::npos; };
        for (const char* name : {"Properties", "AllProperties", "ResetProps"})
            EXPECT_TRUE(has(name)) << name << "\n" << text;
        for (const char* name : c.present)
            EXPECT_TRUE(has(name)) << name << "\n" << text;
        for (const char* name : c.absent)
            EXPECT_FALSE(has(name)) << name << "\n" << text;
    }
    // Without StoreData there is no Data to save.
    auto plain = NewGrid(2, 2, false);
    EXPECT_EQ(AfterName(Saved(*plain, kAllPropKinds, true), "Data"), std::string::npos);
}

TEST(GridStream, TheGridPartCarriesNoControlsPlacedOnTheGrid)
{
    auto source = RichGrid();
    auto* placed = new ui::TPanel(source.get());
    placed->SetName("Placed");
    placed->SetParent(source.get());
    AnsiString bytes = Saved(*source, {pkGrid}, false);
    EXPECT_EQ(bytes.find("Placed"), std::string::npos);
    auto target = NewGrid(2, 2, false);
    Load(*target, bytes, true);
    EXPECT_EQ(target->ComponentCount(), 0);
    EXPECT_EQ(target->GridMode(), gmBrowse);
    EXPECT_EQ(target->CheckBoxValues(), "Y|N");
}

TEST(GridStream, TheMaskTravelsAsItsFourRawBytes)
{
    struct Case {
        uint32_t mask;
        const char* bytes;
    };
    const Case cases[] = {
        {kAllPropsMask, "06 04 FF FF FF 7F"},
        {kColLayoutMask, "06 04 DC DD EB 7C"},
        // The alignment settings travel together.
        {rpHorzAlignment, "06 04 C0 00 00 10"},
        {rpWidth, "06 04 08 00 00 00"},
        {0, "06 04 00 00 00 00"},
    };
    auto grid = RichGrid();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        AnsiString bytes = Saved(*grid, {pkCols}, false, c.mask);
        size_t at = AfterName(bytes, "Properties");
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(bytes.substr(at, 6), Hex(c.bytes));
    }
    core::TStringStream layout;
    grid->SaveLayout(layout, false);
    EXPECT_EQ(layout.DataString().substr(AfterName(layout.DataString(), "Properties"), 6), Hex("06 04 DC DD EB 7C"));
}

TEST(GridStream, APartialMaskResetsAndCarriesOnlyItsSettings)
{
    auto source = NamedGrid({"A", "B"}, 2);
    source->GridCols().Col(1)->SetTag(5);
    source->GridCols().Col(1)->SetHeading("Kept");
    AnsiString bytes = Saved(*source, {pkCols}, false, 0);
    std::string text = BinaryToText(bytes);
    EXPECT_NE(text.find("FieldName = 'A'"), std::string::npos) << text;
    EXPECT_NE(text.find("Col.Tag = 5"), std::string::npos) << text;
    EXPECT_NE(text.find("Col.Heading = 'Kept'"), std::string::npos) << text;
    EXPECT_EQ(text.find("Col.Width"), std::string::npos) << text;
    EXPECT_EQ(text.find("Col.Color"), std::string::npos) << text;
    // The grid saved from is untouched.
    EXPECT_EQ(source->GridCols().Col(1)->Width(), 41);

    // Loading a widths-only layout changes widths and nothing else.
    AnsiString widths = Saved(*source, {pkCols}, false, rpWidth);
    auto target = NamedGrid({"A", "B"}, 2);
    target->GridCols().Col(1)->SetWidth(99);
    target->GridCols().Col(2)->SetColor(graphics::clBlue);
    target->GridCols().Col(2)->SetReadOnly(true);
    Load(*target, widths, true);
    EXPECT_EQ(target->GridCols().Col(1)->Width(), 41);
    EXPECT_EQ(target->GridCols().Col(2)->Color(), graphics::clBlue);
    EXPECT_TRUE(target->GridCols().Col(2)->ReadOnly());
    // An all-properties layout resets the rest.
    Load(*target, Saved(*source, {pkCols}, false), true);
    EXPECT_EQ(target->GridCols().Col(2)->Color(), source->GridCols().Col(2)->Color());
    EXPECT_FALSE(target->GridCols().Col(2)->ReadOnly());
}

TEST(GridStream, APropertiesSetMeansAllProperties)
{
    // An older writer filed the mask as a set; any set stands for all.
    auto target = NamedGrid({"A", "B"}, 1);
    target->GridCols().Col(2)->SetReadOnly(true);
    std::string text =
        "object TtsGridStreamComponent\n  SavePropKinds = [pkCols]\n  SaveData = False\n"
        "  Properties = [pkGrid]\n  ResetProps = True\n  Cols = 2\nend\n";
    Load(*target, TextToBinary(text), true);
    EXPECT_FALSE(target->GridCols().Col(2)->ReadOnly());
}

TEST(GridStream, LoadingByFieldNameFollowsTheNamesAndDropsUnmatchedColumns)
{
    auto source = NamedGrid({"A", "B", "C"}, 3);
    source->GridCols().Col(1)->SetHeading("Ay");
    AnsiString bytes = Saved(*source, kAllPropKinds, true);

    auto target = NamedGrid({"B", "A", "X"}, 3);
    for (int r = 1; r <= 3; ++r)
        target->SetCell(3, r, Variant());
    target->GridCols().Col(3)->SetColor(graphics::clBlue);
    Load(*target, bytes, false);
    ASSERT_EQ(target->Cols(), 3);
    for (int r = 1; r <= 3; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(target->Cell(1, r).AsString(), "B" + std::to_string(r));
        EXPECT_EQ(target->Cell(2, r).AsString(), "A" + std::to_string(r));
        // C matches no column: its values are dropped, not put into the
        // grid's third column.
        EXPECT_TRUE(target->Cell(3, r).IsEmpty());
    }
    EXPECT_EQ(target->GridCols().Col(2)->Heading(), "Ay");
    EXPECT_EQ(target->GridCols().Col(2)->Width(), 41);
    EXPECT_EQ(target->GridCols().Col(1)->Width(), 42);
    EXPECT_EQ(target->GridCols().Col(3)->FieldName(), "X");
    EXPECT_EQ(target->GridCols().Col(3)->Color(), graphics::clBlue);
}

TEST(GridStream, AFailedLoadLeavesTheGridAsItWas)
{
    auto source = RichGrid();
    AnsiString bytes = Saved(*source, kAllPropKinds, true);
    auto target = NamedGrid({"P", "Q"}, 2);
    target->GridCols().Col(2)->SetHeading("Mine");
    std::string before = BinaryToText(Written(*target));
    struct Case {
        const char* what;
        AnsiString bytes;
    };
    AnsiString badData = bytes;
    size_t data = AfterName(badData, "Data");
    ASSERT_NE(data, std::string::npos);
    // The first cell's kind becomes one the block does not know.
    badData[data + 5 + 8] = '\x09';
    const Case cases[] = {
        {"truncated", bytes.substr(0, bytes.size() / 2)},
        {"broken Data block", badData},
        {"not a stream at all", "garbage"},
        {"another component", TextToBinary("object G: TtsGrid\n  Cols = 2\n  GridMode = gmBrowse\nend\n")},
        {"column out of range",
         TextToBinary("object S: TtsGridStreamComponent\n  SavePropKinds = [pkCols]\n  SaveData = False\n"
                      "  ResetProps = True\n  ColProperties = <\n    item\n      DataCol = 9\n    end>\nend\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NE(MessageOf([&] { Load(*target, c.bytes, true); }), "(nothing raised)");
        EXPECT_EQ(BinaryToText(Written(*target)), before);
        EXPECT_EQ(target->Cell(2, 1).AsString(), "Q1");
    }
}

TEST(GridStream, FilesAndRegistryValuesCarryLayouts)
{
    ScratchFolder folder;
    ScopedEnvironment config{"XDG_CONFIG_HOME", folder.File("config")};
    ScopedEnvironment system{"ACCOUNT_TOOL_SYSTEM_REGISTRY", folder.File("system")};
    auto source = RichGrid();
    std::string expected = BinaryToText(Written(*source));

    AnsiString file = core::Utf8ToAnsi(folder.File("布局.grd"));
    source->SaveToFile(file, kAllPropKinds, true, kAllPropsMask);
    auto fromFile = NewGrid(1, 1, false);
    fromFile->LoadFromFile(file, true);
    EXPECT_EQ(BinaryToText(Written(*fromFile)), expected);

    // A binary value holds the layout itself.
    source->SaveAllToRegistry("Software\\Grids", "Main", true, "");
    sys::TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("\\Software\\Grids", false));
    EXPECT_EQ(registry.GetDataType("Main"), sys::rdBinary);
    auto fromBinary = NewGrid(1, 1, false);
    EXPECT_TRUE(fromBinary->LoadFromRegistry("Software\\Grids", "Main", true));
    EXPECT_EQ(BinaryToText(Written(*fromBinary)), expected);

    // A string value names the file the layout went to, with its full path.
    source->SaveToRegistry("\\\\HKEY_LOCAL_MACHINE\\Software\\Grids", "Cols", false, kColLayoutMask, {pkCols},
                           file);
    sys::TRegistry machine;
    machine.SetRootKey(sys::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(machine.OpenKey("\\Software\\Grids", false));
    EXPECT_EQ(machine.ReadString("Cols"), file);
    auto fromName = NewGrid(3, 1, false);
    EXPECT_TRUE(fromName->LoadFromRegistry("\\\\HKEY_LOCAL_MACHINE\\Software\\Grids", "Cols", true));
    EXPECT_EQ(fromName->GridCols().Col(2)->Heading(), "Second");

    // Missing keys and values, and values of another type, find nothing.
    EXPECT_FALSE(fromName->LoadFromRegistry("Software\\Nothing", "Main", true));
    EXPECT_FALSE(fromName->LoadFromRegistry("Software\\Grids", "Missing", true));
    registry.WriteInteger("Number", 3);
    EXPECT_FALSE(fromName->LoadFromRegistry("Software\\Grids", "Number", true));
    // A broken binary value raises and changes nothing.
    registry.WriteBinaryData("Broken", "TPF0\x16", 5);
    std::string before = BinaryToText(Written(*fromName));
    EXPECT_NE(MessageOf([&] { fromName->LoadFromRegistry("Software\\Grids", "Broken", true); }),
              "(nothing raised)");
    EXPECT_EQ(BinaryToText(Written(*fromName)), before);
    // A root the registry does not have.
    EXPECT_EQ(MessageOf([&] { source->SaveAllToRegistry("\\\\HKEY_NOWHERE\\Software", "Main", false, ""); }),
              "Unknown registry key HKEY_NOWHERE");
}

TEST(GridCopy, AssignTakesEverythingAndOnlyGridsCanBeAssigned)
{
    auto source = RichGrid();
    source->SetRowSelected(2, true);
    auto target = NewGrid(1, 1, false);
    target->Assign(source.get());
    EXPECT_EQ(BinaryToText(Written(*target)), BinaryToText(Written(*source)));
    EXPECT_TRUE(target->RowSelected(2));
    EXPECT_EQ(target->Cell(1, 1).AsString(), "A1");

    target->Assign(target.get());
    EXPECT_EQ(BinaryToText(Written(*target)), BinaryToText(Written(*source)));

    TtsCol col;
    EXPECT_EQ(MessageOf([&] { target->Assign(&col); }), "Cannot assign TtsCol to TtsGrid");
}

TEST(GridCopy, ResetToDefaultsTakesOnlyTheChosenKinds)
{
    auto grid = RichGrid();
    grid->ResetToDefaults({pkCells});
    EXPECT_EQ(grid->CellSettings().CellColor(1, 3), graphics::clNone);
    EXPECT_EQ(grid->GridCols().Col(2)->Heading(), "Second");
    EXPECT_EQ(grid->GridRows().Row(2).Height(), 30);

    grid->ResetToDefaults({pkCols});
    EXPECT_EQ(grid->Cols(), 4);
    EXPECT_EQ(grid->GridCols().Col(2)->Heading(), "");
    EXPECT_EQ(grid->DataColnr(1), 1);
    EXPECT_EQ(grid->GridRows().Row(2).Height(), 30);

    grid->ResetToDefaults(kAllPropKinds);
    auto fresh = std::make_unique<TtsGrid>(nullptr);
    fresh->SetName("Grid1");
    EXPECT_EQ(BinaryToText(Written(*grid)), BinaryToText(Written(*fresh)));
}

TEST(GridCopy, InDesignModeValuesLandWhereTheSourceShowsThem)
{
    auto source = NamedGrid({"A", "B"}, 3);
    source->GridCols().MoveCol(2, 1);
    source->GridRows().MoveRow(3, 1);
    auto target = NewGrid(1, 1, false);
    target->SetDesigning(true);
    target->CopyGrid(*source, kAllPropKinds, true);
    // Source cell (2, 3) is shown first in both directions.
    EXPECT_EQ(target->Store()->GetValue(1, 1).AsString(), "B3");
    EXPECT_EQ(target->Store()->GetValue(2, 1).AsString(), "A3");
    EXPECT_EQ(target->Store()->GetValue(1, 2).AsString(), "B1");
    // Outside design mode the store is copied as it is.
    auto plain = NewGrid(1, 1, false);
    plain->CopyGrid(*source, kAllPropKinds, true);
    EXPECT_EQ(plain->Store()->GetValue(1, 1).AsString(), "A1");
}

TEST(GridCopy, AssignTrimmedDropsValuesBeyondTheGridsOwnCounts)
{
    auto source = NamedGrid({"A", "B", "C"}, 4);
    auto list = NewGrid(2, 2, true);
    list->AssignTrimmed(*source);
    EXPECT_EQ(list->Store()->GetValue(2, 2).AsString(), "B2");
    EXPECT_TRUE(list->Store()->GetValue(3, 1).IsEmpty());
    EXPECT_TRUE(list->Store()->GetValue(1, 3).IsEmpty());
    // A source with fewer rows and columns takes nothing away.
    auto wide = NewGrid(5, 6, true);
    wide->AssignTrimmed(*source);
    EXPECT_EQ(wide->Store()->GetValue(3, 4).AsString(), "C4");
}

TEST(GridStream, TheGridReportsBeingWrittenWhileItIsSaved)
{
    struct Probe : TtsGrid {
        using TtsGrid::TtsGrid;
        bool seen = false;
        void DefineProperties(core::TFiler& filer) override
        {
            seen = seen || IsWriting();
            TtsGrid::DefineProperties(filer);
        }
    } grid(nullptr);
    grid.SetCols(2);
    core::TStringStream out;
    grid.SaveToStream(out, {pkGrid}, false, kAllPropsMask);
    EXPECT_TRUE(grid.seen);
    EXPECT_FALSE(grid.IsWriting());
}
