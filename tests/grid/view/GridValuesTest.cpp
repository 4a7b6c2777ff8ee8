// Cell values of the grid: typing by control type, the store and values on
// demand, the load step and its events, counts and deletion.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "grid/foundation/CellValues.h"
#include "grid/view/Grid.h"
#include "platform/graphics/Bitmap.h"
#include "tests/grid/model/FakeImageList.h"
#include "tests/support/HeadlessFixture.h"

using namespace grid;
using core::Variant;

namespace {

std::string MessageOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const core::Exception& e) {
        return e.Message();
    }
    return "(nothing raised)";
}

// A grid of `cols` x `rows` that stores its data, named Grid1.
std::unique_ptr<TtsGrid> MakeGrid(int cols, int rows, bool storeData = true)
{
    auto grid = std::make_unique<TtsGrid>(nullptr);
    grid->SetName("Grid1");
    grid->SetCols(cols);
    grid->SetRows(rows);
    grid->SetStoreData(storeData);
    return grid;
}

}  // namespace

// The account list window's grid: Rows from the record count, three cells
// per record, the flag read back.
class AccountListGrid : public HeadlessFixture {};

TEST_F(AccountListGrid, FillsAndReadsBackLikeTheAccountListWindow)
{
    auto* grid = Add<TtsGrid>("Grid1", {8, 8, 380, 200});
    grid->SetStoreData(true);
    grid->SetCols(3);
    grid->GridCols().Col(3)->SetControlType(ctCheck);
    ShowForm();
    const char* names[] = {"总帐", "工资", "固定资产"};
    grid->SetRows(3);
    for (int r = 1; r <= 3; ++r) {
        grid->SetCell(1, r, Variant(names[r - 1]));
        grid->SetCell(2, r, Variant(core::AnsiString("db") + std::to_string(r)));
        grid->SetCell(3, r, Variant(int32_t{r == 2 ? 1 : 0}));
    }
    Pump();
    EXPECT_EQ(grid->Cell(1, 3).AsString(), "固定资产");
    EXPECT_EQ(grid->Cell(2, 1).AsString(), "db1");
    for (int r = 1; r <= 3; ++r) {
        Variant flag = grid->Cell(3, r);
        EXPECT_EQ(flag.VarType(), core::varInteger);
        EXPECT_EQ(flag.AsInteger(), r == 2 ? 1 : 0);
    }
    // A Boolean written to the check cell is a check state, not -1.
    grid->SetCell(3, 1, Variant(true));
    EXPECT_EQ(grid->Cell(3, 1).AsInteger(), 1);
    // Each paint asks for every painted row once.
    std::vector<int> loaded;
    grid->OnRowLoaded = [&](core::TObject*, int row) { loaded.push_back(row); };
    grid->Invalidate();
    Pump();
    EXPECT_EQ(loaded, (std::vector<int>{1, 2, 3}));
}

TEST(GridValues, WrittenValuesReadBackByControlType)
{
    auto grid = MakeGrid(4, 2);
    grid->GridCols().Col(2)->SetControlType(ctCheck);
    grid->GridCols().Col(3)->SetControlType(ctPicture);
    grid->GridCols().Col(4)->SetControlType(ctNone);
    struct Case {
        int col;
        Variant in;
        TtsStoredKind kind;
        Variant out;
    };
    const Case cases[] = {
        {1, Variant("text"), skText, Variant("text")},
        {1, Variant(int32_t{7}), skText, Variant("7")},
        {1, Variant(u"wide"), skText, Variant("wide")},
        {2, Variant(int32_t{1}), skCheckState, Variant(int32_t{1})},
        {2, Variant(int32_t{2}), skCheckState, Variant(int32_t{2})},
        {2, Variant::Null(), skNull, Variant::Null()},
        {2, Variant("Yes"), skText, Variant("Yes")},
        {2, Variant(false), skCheckState, Variant(int32_t{0})},
        {3, Variant("smile"), skPictureName, Variant("smile")},
        {3, Variant(u"wide"), skPictureName, Variant("wide")},
        {4, Variant("ignored"), skEmpty, Variant()},
    };
    for (const Case& c : cases) {
        grid->SetCell(c.col, 1, c.in);
        EXPECT_EQ(grid->Store()->KindOf(c.col, 1), c.kind) << c.col << " " << c.in.TypeName();
        EXPECT_TRUE(grid->Cell(c.col, 1).Identical(c.out)) << c.col << " " << c.in.TypeName();
    }
    // Unassigned clears a stored cell.
    grid->SetCell(1, 1, Variant("x"));
    grid->SetCell(1, 1, Variant());
    EXPECT_EQ(grid->Store()->KindOf(1, 1), skEmpty);
    EXPECT_TRUE(grid->Cell(1, 1).IsEmpty());
    EXPECT_EQ(grid->CellControlType(4, 1), ctNone);
    EXPECT_EQ(grid->CellControlType(1, 1), ctText);
    EXPECT_EQ(grid->CellControlType(5, 1), ctNone);
}

TEST(GridValues, PicturesAreTheProgramsOwnBitmapsOnly)
{
    auto grid = MakeGrid(1, 1);
    grid->GridCols().Col(1)->SetControlType(ctPicture);
    auto bitmap = std::make_unique<graphics::TBitmap>();
    Variant ref = ObjectToValue(bitmap.get());
    grid->SetCell(1, 1, ref);
    EXPECT_EQ(grid->Store()->KindOf(1, 1), skBitmap);
    EXPECT_TRUE(grid->Cell(1, 1).Identical(ref)) << "the same bitmap comes back";
    EXPECT_EQ(MessageOf([&] { grid->SetCell(1, 1, Variant(int32_t{987654})); }),
              "Grid1: Invalid cell value. A picture column requires a value of type TBitmap or string");
    EXPECT_TRUE(grid->Cell(1, 1).Identical(ref)) << "a refused value changes nothing";
    grid->SetCell(1, 1, Variant());
    ForgetObjectValue(bitmap.get());
}

TEST(GridValues, OutOfRangeCellsReadEmptyAndIgnoreWrites)
{
    auto grid = MakeGrid(2, 2);
    for (auto [c, r] : {std::pair{0, 1}, {1, 0}, {3, 1}, {1, 3}, {-1, -1}}) {
        grid->SetCell(c, r, Variant("x"));
        EXPECT_TRUE(grid->Cell(c, r).IsEmpty()) << c << "," << r;
    }
    EXPECT_EQ(grid->Store()->LastRow(), 0);
    EXPECT_EQ(grid->Version(), "2.01");
    grid->SetVersion("9");
    EXPECT_EQ(grid->Version(), "2.01");
}

TEST(GridValues, ChangingTheControlTypePrunesWhatTheNewTypeCannotHold)
{
    auto grid = MakeGrid(2, 3);
    grid->SetCell(1, 1, Variant("Yes"));
    grid->SetCell(1, 2, Variant("No"));
    grid->SetCell(2, 1, Variant("keep"));
    grid->GridCols().Col(1)->SetControlType(ctCheck);
    EXPECT_EQ(grid->Cell(1, 1).AsString(), "Yes") << "a check cell keeps its texts";
    grid->SetCell(1, 3, Variant(int32_t{1}));
    grid->GridCols().Col(1)->SetControlType(ctPicture);
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(grid->Store()->KindOf(1, r), skEmpty) << r;
    EXPECT_EQ(grid->Cell(2, 1).AsString(), "keep");
}

TEST(GridValues, ValuesOnDemandThroughTheLoadEvents)
{
    auto grid = MakeGrid(2, 3, false);
    std::vector<std::string> log;
    grid->OnRowLoaded = [&](core::TObject*, int row) { log.push_back("row " + std::to_string(row)); };
    grid->OnCellLoaded = [&](core::TObject*, int col, int row, Variant& value) {
        log.push_back("cell " + std::to_string(col) + "," + std::to_string(row));
        value = Variant(std::u16string(1, char16_t(u'0' + col)) + char16_t(u'0' + row));
    };
    Variant first = grid->Cell(1, 2);
    EXPECT_EQ(first.VarType(), core::varString) << "a wide string is handed out as a string";
    EXPECT_EQ(first.AsString(), "12");
    EXPECT_EQ(grid->Cell(2, 2).AsString(), "22");
    EXPECT_EQ(grid->Cell(1, 3).AsString(), "13");
    EXPECT_EQ(log, (std::vector<std::string>{"row 2", "cell 1,2", "cell 2,2", "row 3", "cell 1,3"}));
    // A write with StoreData off stores nothing: the next read asks again.
    grid->SetCell(1, 1, Variant("shown"));
    EXPECT_EQ(grid->Cell(1, 1).AsString(), "11");
    grid->OnCellLoaded = [](core::TObject*, int, int, Variant& value) { value = Variant(int32_t{5}); };
    EXPECT_EQ(MessageOf([&] { (void)grid->Cell(1, 1); }),
              "Grid1: Invalid cell value. A text column requires a value of type string");
    grid->OnCellLoaded.Clear();
    EXPECT_TRUE(grid->Cell(1, 1).IsEmpty());
}

TEST(GridValues, LoadStepErrorsAndTheReadMark)
{
    auto grid = MakeGrid(2, 2);
    grid->GridCols().Col(2)->SetControlType(ctCheck);
    grid->OnCellLoaded = [&](core::TObject*, int, int, Variant&) { (void)grid->Cell(1, 1); };
    EXPECT_EQ(MessageOf([&] { (void)grid->Cell(2, 2); }),
              "Grid1: Cannot get Cell property value while in OnCellLoaded event");
    grid->OnCellLoaded = [](core::TObject*, int col, int, Variant& value) {
        if (col == 2)
            value = Variant(2.5);
    };
    EXPECT_EQ(MessageOf([&] { (void)grid->Cell(2, 1); }),
              "Grid1: Invalid cell value. A checkbox column requires a value of type TCheckBoxState or string");
    // The failed load left no mark: a later write is stored, not handed to a
    // load that is over.
    grid->OnCellLoaded.Clear();
    grid->SetCell(2, 1, Variant(int32_t{1}));
    EXPECT_EQ(grid->Cell(2, 1).AsInteger(), 1);
    // A write from inside the cell's own load replaces the value loaded.
    grid->OnCellLoaded = [&](core::TObject*, int col, int row, Variant&) {
        if (col == 1)
            grid->SetCell(col, row, Variant("from inside"));
    };
    EXPECT_EQ(grid->Cell(1, 2).AsString(), "from inside");
}

TEST(GridValues, DrawOverlapDecidesBetweenColumnAndRowAndPrunes)
{
    auto grid = MakeGrid(2, 2);
    grid->GridCols().Col(1)->SetControlType(ctCheck);
    grid->GridRows().Update(1, [](TtsRow& row) { row.SetControlType(ctPicture); });
    grid->SetCell(1, 1, Variant(int32_t{1}));
    grid->SetCell(1, 2, Variant(int32_t{2}));
    EXPECT_EQ(grid->CellControlType(1, 1), ctCheck);
    EXPECT_EQ(grid->CellControlType(2, 1), ctPicture);
    grid->SetDrawOverlap(doDrawRowOnTop);
    EXPECT_EQ(grid->CellControlType(1, 1), ctPicture);
    EXPECT_TRUE(grid->Cell(1, 1).IsEmpty()) << "the check state does not fit a picture cell";
    EXPECT_EQ(grid->Cell(1, 2).AsInteger(), 2);
    grid->CellSettings().SetCellControlType(1, 2, ctText);
    EXPECT_TRUE(grid->Cell(1, 2).IsEmpty()) << "nor a text cell";
}

TEST(GridValues, DesignTimePictureNamesKeepPointingAtTheirImageList)
{
    auto grid = MakeGrid(1, 2);
    grid->GridCols().Col(1)->SetControlType(ctPicture);
    FakeImageList second("Second", {"a", "b"});
    FakeImageList first("First", {"x", "y", "z"});
    grid->SetDesigning(true);
    grid->SetImageList(&second);
    grid->SetCell(1, 1, Variant("b"));
    EXPECT_EQ(grid->Store()->GetValue(1, 1).AsString(), "b\x01" "0\x01" "1");
    grid->SetImageList(&first);
    grid->SetCell(1, 2, Variant("z"));
    EXPECT_EQ(grid->PictureNames().ImageListIds().CommaText(), "First,Second");
    EXPECT_EQ(grid->Store()->GetValue(1, 1).AsString(), "b\x01" "1\x01" "1") << "moved with its identifier";
    EXPECT_EQ(grid->Cell(1, 2).AsString(), "z") << "a read gives the bare name";
    grid->SetImageList(&second);
    second.Rename(1, "bee");
    EXPECT_EQ(grid->Cell(1, 1).AsString(), "bee") << "the cell follows its renamed picture";
    grid->SetDesigning(false);
    grid->SetCell(1, 1, Variant("a"));
    EXPECT_EQ(grid->Store()->GetValue(1, 1).AsString(), "a") << "stored bare at run time";
    grid->SetStoreData(false);
    EXPECT_EQ(grid->PictureNames().ImageListIds().Count(), 0);
}

TEST(GridValues, StructureEventsAreHeldBackWhileLoading)
{
    auto grid = MakeGrid(2, 2);
    int events = 0;
    grid->OnRowCountChanged = [&](core::TObject*, int, int) { ++events; };
    grid->OnDeleteRow = [&](core::TObject*, int, bool) { ++events; };
    grid->OnRowChanged = [&](core::TObject*, int, int) { ++events; };
    grid->SetLoading(true);
    grid->SetRows(6);
    grid->DeleteRows(1, 2);
    grid->MakeCellCurrent(1, 3);
    grid->SetLoading(false);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(grid->Rows(), 4);
    grid->MakeCellCurrent(1, 3);
    EXPECT_EQ(events, 0) << "a move made while loading is not reported later";
}

TEST(GridValues, CheckBoxValuesFormat)
{
    auto grid = MakeGrid(1, 1);
    const std::string message =
        "Grid1: Invalid CheckBoxValues. CheckBoxValues have the format 'Checked|Unchecked|Grayed'. The Grayed value "
        "is optional";
    grid->SetCheckBoxValues("是|否");
    for (const char* bad : {"Yes", "a|b|c|d", "Yes||Maybe"}) {
        EXPECT_EQ(MessageOf([&] { grid->SetCheckBoxValues(bad); }), message) << bad;
        EXPECT_EQ(grid->CheckBoxValues(), "是|否") << "the assignment is abandoned";
    }
    grid->SetCheckBoxValues("");
    EXPECT_EQ(grid->CheckBoxValues(), "");
}

// ---- Counts and deletion ---------------------------------------------------------------

namespace {

struct CountFixture : ::testing::Test {
    std::unique_ptr<TtsGrid> grid = MakeGrid(2, 5);
    std::vector<std::string> log;

    void SetUp() override
    {
        for (int r = 1; r <= 5; ++r) {
            grid->SetCell(1, r, Variant(core::AnsiString("r") + std::to_string(r)));
            grid->SetCell(2, r, Variant(int32_t{r}));
        }
        grid->OnRowCountChanged = [this](core::TObject*, int o, int n) {
            log.push_back("rows " + std::to_string(o) + ">" + std::to_string(n));
        };
        grid->OnColCountChanged = [this](core::TObject*, int o, int n) {
            log.push_back("cols " + std::to_string(o) + ">" + std::to_string(n));
        };
        grid->OnDeleteRow = [this](core::TObject*, int row, bool byUser) {
            log.push_back("delete row " + std::to_string(row) + (byUser ? " user" : "") + " Rows=" +
                          std::to_string(grid->Rows()));
        };
        grid->OnDeleteCol = [this](core::TObject*, int col, bool) {
            log.push_back("delete col " + std::to_string(col) + " Cols=" + std::to_string(grid->Cols()));
        };
    }
    std::string Column1() const
    {
        std::string s;
        for (int r = 1; r <= grid->Rows(); ++r)
            s += (r > 1 ? "," : "") + grid->Cell(1, r).AsString();
        return s;
    }
    using Lines = std::vector<std::string>;
};

}  // namespace

TEST_F(CountFixture, ShrinkingRowsDropsValuesWithoutDeleteEvents)
{
    grid->SetRows(3);
    EXPECT_EQ(log, (Lines{"rows 5>3"}));
    grid->SetRows(5);
    EXPECT_EQ(Column1(), "r1,r2,r3,,") << "grown rows come without values";
    grid->SetRows(-4);
    EXPECT_EQ(grid->Rows(), 0);
    grid->SetRows(0);
    EXPECT_EQ(log, (Lines{"rows 5>3", "rows 3>5", "rows 5>0"}));
    grid->SetCols(1);
    EXPECT_EQ(log.back(), "cols 2>1");
}

TEST_F(CountFixture, DeletingRowsMovesLaterRowsDownWithTheirValuesSettingsAndMarks)
{
    grid->GridRows().Update(4, [](TtsRow& row) { row.SetControlType(ctCheck); });
    grid->SetCell(2, 4, Variant(int32_t{2}));
    grid->SetRowChanged(4, true);
    grid->SetRowChanged(5, true);
    grid->CellSettings().SetCellControlType(1, 5, ctNone);
    grid->SelectRows(5, 5);
    grid->DeleteRows(2, 3);
    EXPECT_EQ(log, (Lines{"delete row 3 Rows=4", "delete row 2 Rows=3", "rows 5>3"}));
    EXPECT_EQ(grid->Rows(), 3);
    EXPECT_EQ(Column1(), "r1,r4,") << "former row 5's first cell is a ctNone cell at row 3";
    EXPECT_EQ(grid->CellControlType(1, 2), ctCheck);
    EXPECT_EQ(grid->CellControlType(1, 3), ctNone) << "cell settings move with their rows";
    EXPECT_EQ(grid->Cell(2, 2).AsInteger(), 2);
    EXPECT_EQ(grid->Cell(2, 3).AsInteger(), 5);
    EXPECT_FALSE(grid->RowChanged(1));
    EXPECT_TRUE(grid->RowChanged(2));
    EXPECT_TRUE(grid->RowChanged(3));
    EXPECT_TRUE(grid->RowSelected(3)) << "the selection moved with its row";
    EXPECT_EQ(grid->GridSelection().SelectedRows().SelectedCount(), 1);
    EXPECT_EQ(grid->DisplayRownr(3), 3);
    log.clear();
    grid->DeleteRows(6, 9);
    grid->DeleteRows(0, 0);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(grid->Rows(), 3);
}

TEST_F(CountFixture, DeletingRowsFollowsTheDisplayOrder)
{
    // Row 5 shown first: deleting row 2 keeps 5 first and closes the gap.
    grid->GridRows().MoveRow(5, 1);
    grid->DeleteRows(2, 2);
    std::string order;
    for (int p = 1; p <= grid->Rows(); ++p)
        order += grid->Cell(1, grid->DataRownr(p)).AsString() + " ";
    EXPECT_EQ(order, "r5 r1 r3 r4 ");
    EXPECT_EQ(grid->DataRownr(1), 4);
}

TEST_F(CountFixture, AHandlerThatRaisesLeavesTheCountRight)
{
    grid->OnDeleteRow = [this](core::TObject*, int row, bool) {
        if (row == 3)
            throw core::Exception("stop");
    };
    EXPECT_EQ(MessageOf([&] { grid->DeleteRows(2, 4); }), "stop");
    EXPECT_EQ(grid->Rows(), 3) << "rows 4 and 3 went before the handler raised";
    EXPECT_EQ(Column1(), "r1,r2,r5");
    EXPECT_EQ(log, (Lines{"rows 5>3"}));
    grid->SetRows(6);
    EXPECT_EQ(grid->Rows(), 6) << "later counts are not ignored";
}

TEST_F(CountFixture, DeletingColumnsAndSelectedLines)
{
    grid->GridCols().Col(2)->SetControlType(ctCheck);
    grid->DeleteCols(1, 1);
    EXPECT_EQ(log, (Lines{"delete col 1 Cols=1", "cols 2>1"}));
    EXPECT_EQ(grid->Cell(1, 3).AsInteger(), 3);
    EXPECT_EQ(grid->CellControlType(1, 3), ctCheck) << "the column object moved down with its values";
    log.clear();
    grid->SelectRows(1, 1);
    grid->SelectRows(4, 5);
    grid->DeleteSelectedRows();
    EXPECT_EQ(log, (Lines{"delete row 5 Rows=4", "delete row 4 Rows=3", "delete row 1 Rows=2", "rows 5>2"}));
    EXPECT_EQ(grid->Cell(1, 1).AsInteger(), 2);
    EXPECT_EQ(grid->Cell(1, 2).AsInteger(), 3);
    EXPECT_EQ(grid->GridStatus(), gstNone);
}
