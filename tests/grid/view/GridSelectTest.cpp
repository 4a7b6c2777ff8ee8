// The grid's selection and current position with their events.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "grid/view/Grid.h"

using namespace grid;
using core::Variant;

namespace {

struct SelectFixture : ::testing::Test {
    std::unique_ptr<TtsGrid> grid = std::make_unique<TtsGrid>(nullptr);
    std::vector<std::string> log;
    using Lines = std::vector<std::string>;

    void SetUp() override
    {
        grid->SetName("Grid1");
        grid->SetCols(3);
        grid->SetRows(5);
        grid->SetStoreData(true);
        auto n = [](int v) { return std::to_string(v); };
        grid->OnColChanged = [this, n](core::TObject*, int o, int c) { log.push_back("col " + n(o) + ">" + n(c)); };
        grid->OnRowChanged = [this, n](core::TObject*, int o, int r) { log.push_back("row " + n(o) + ">" + n(r)); };
        grid->OnCellChanged = [this, n](core::TObject*, int oc, int nc, int orow, int nr) {
            log.push_back("cell " + n(oc) + "," + n(nc) + "," + n(orow) + "," + n(nr));
        };
        grid->OnSelectChanged = [this](core::TObject*, TtsSelectType type, bool byUser) {
            log.push_back(std::string("select ") + "rcx"[type] + (byUser ? " user" : ""));
        };
        grid->OnGridStatusChanged = [this, n](core::TObject*, TtsGridStatus o, TtsGridStatus s) {
            log.push_back("status " + n(o) + ">" + n(s));
        };
        grid->OnTopLeftChanged = [this, n](core::TObject*, int oc, int orow, int nc, int nr, bool byUser) {
            log.push_back("topleft " + n(oc) + "," + n(orow) + ">" + n(nc) + "," + n(nr) + (byUser ? " user" : ""));
        };
    }
};

}  // namespace

TEST_F(SelectFixture, MoveEventsInOrder)
{
    EXPECT_EQ(grid->CurDataCol(), 1);
    EXPECT_EQ(grid->CurDataRow(), 1);
    grid->MakeCellCurrent(2, 3);
    EXPECT_EQ(log, (Lines{"col 1>2", "row 1>3", "cell 1,2,1,3"}));
    log.clear();
    grid->MakeCellCurrent(2, 3);
    EXPECT_TRUE(log.empty()) << "making the current cell current again raises nothing";
    grid->SetGridMode(gmListBox);
    grid->MakeCellCurrent(3, 3);
    EXPECT_EQ(log, (Lines{"cell 2,3,3,3"})) << "a list box reports no column change";
    log.clear();
    // A number outside the grid keeps that axis.
    grid->MakeCellCurrent(9, 1);
    EXPECT_EQ(log, (Lines{"row 3>1", "cell 3,3,3,1"}));
}

TEST_F(SelectFixture, TheCurrentCellFollowsItsRowThroughDeletion)
{
    grid->MakeCellCurrent(1, 4);
    log.clear();
    grid->DeleteRows(2, 2);
    EXPECT_EQ(grid->CurDataRow(), 3);
    EXPECT_TRUE(log.empty()) << "the same row, under its new number";
    grid->DeleteRows(3, 3);
    EXPECT_EQ(grid->CurDataRow(), 3) << "the next row takes the place of the deleted current one";
    EXPECT_EQ(grid->Rows(), 3);
    grid->SetRows(0);
    EXPECT_EQ(grid->CurDataRow(), -1);
    EXPECT_TRUE(grid->CurrentCell().Value().IsEmpty()) << "a grid without rows has no current cell";
    EXPECT_EQ(grid->CurrentCell().DataRow(), -1);
}

TEST_F(SelectFixture, PendingEditValueAndCommit)
{
    std::vector<std::string> edits;
    grid->OnCellEdit = [&](core::TObject*, int col, int row, bool byUser) {
        edits.push_back(std::to_string(col) + "," + std::to_string(row) + (byUser ? " user" : "") + " " +
                        grid->Cell(col, row).AsString());
    };
    grid->SetCell(1, 1, Variant("stored"));
    EXPECT_THROW(grid->CurrentCell().SetValue(Variant(int32_t{42})), EInvalidGridOperation)
        << "a text cell takes text";
    grid->CurrentCell().SetValue(Variant(u"42"));
    EXPECT_EQ(grid->Cell(1, 1).VarType(), core::varString) << "the pending value, typed for the text cell";
    EXPECT_EQ(grid->Cell(1, 1).AsString(), "42");
    EXPECT_EQ(grid->Store()->GetValue(1, 1).AsString(), "stored");
    grid->CommitCellEdit(1, 1, true);
    EXPECT_EQ(grid->Store()->GetValue(1, 1).AsString(), "42");
    EXPECT_FALSE(grid->CurrentCell().HasPendingFor(1, 1));
    EXPECT_EQ(edits, (std::vector<std::string>{"1,1 user 42"}));
    // Values of the wrong type are refused before anything changes.
    grid->GridCols().Col(1)->SetControlType(ctCheck);
    EXPECT_THROW(grid->CurrentCell().SetValue(Variant(2.5)), EInvalidGridOperation);
    EXPECT_FALSE(grid->CurrentCell().HasPendingFor(1, 1));
    // With StoreData off OnCellEdit reads the edited value through Cell.
    grid->SetStoreData(false);
    grid->CurrentCell().SetValue(Variant(int32_t{1}));
    grid->CommitCellEdit(1, 1, false);
    EXPECT_EQ(edits.back(), "1,1 1");
}

TEST_F(SelectFixture, RowSelectionThroughTheGrid)
{
    grid->GridRows().Update(2, [](TtsRow& row) { row.SetVisible(false); });
    grid->SelectRows(1, 3);
    EXPECT_TRUE(grid->RowSelected(1));
    EXPECT_FALSE(grid->RowSelected(2)) << "hidden rows are not selected";
    EXPECT_TRUE(grid->RowSelected(3));
    EXPECT_EQ(log, (Lines{"select r", "status 0>2"}));
    log.clear();
    grid->SetRowSelected(1, false);
    grid->SetRowSelected(3, false);
    EXPECT_EQ(log, (Lines{"select r", "select r", "status 2>0"}));
    EXPECT_THROW(grid->SetRowSelected(6, true), EInvalidGridOperation);

    grid->SetRowSelectMode(rsNone);
    grid->SetRowSelected(4, true);
    EXPECT_FALSE(grid->RowSelected(4));

    grid->SetRowSelectMode(rsSingle);
    grid->SetRowSelected(1, true);
    log.clear();
    grid->SetRowSelected(4, true);
    EXPECT_FALSE(grid->RowSelected(1));
    EXPECT_TRUE(grid->RowSelected(4));
    EXPECT_EQ(grid->CurDataRow(), 4) << "the current cell moves to the selected row";
    EXPECT_EQ(log, (Lines{"row 1>4", "cell 1,1,1,4", "select r"}));
    // The application moves the current cell away; the next selection still
    // leaves one row selected.
    grid->MakeCellCurrent(1, 5);
    grid->SetRowSelected(3, true);
    EXPECT_EQ(grid->GridSelection().SelectedRows().SelectedCount(), 1);
}

TEST_F(SelectFixture, ColumnSelectionAndCounts)
{
    grid->SetColSelected(2, true);
    EXPECT_TRUE(grid->ColSelected(2));
    EXPECT_EQ(grid->GridStatus(), gstColsSelected);
    grid->SetColSelectMode(csNone);
    grid->SetColSelected(2, false);
    EXPECT_FALSE(grid->ColSelected(2)) << "what was selected can be cleared";
    EXPECT_EQ(grid->GridStatus(), gstNone);
    EXPECT_THROW((void)grid->ColSelected(4), EInvalidGridOperation);
    // Counts resize the selections: rows cut off leave them.
    grid->SelectRows(4, 5);
    grid->SetRows(4);
    EXPECT_EQ(grid->GridSelection().SelectedRows().SelectedCount(), 1);
    grid->SetRows(2);
    EXPECT_EQ(grid->GridStatus(), gstNone);
}

TEST_F(SelectFixture, TopLeftChangesAreReportedOnce)
{
    grid->SetRows(100);
    log.clear();
    grid->SetTopRow(10);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], "topleft 1,1>1,10 user");
    log.clear();
    grid->SetRows(5);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "topleft 1,10>1,1");
}
