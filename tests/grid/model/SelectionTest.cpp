#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "grid/model/GridSelection.h"

using namespace grid;

namespace {

// A grid as far as the selection sees it: counts, hidden positions, the
// current row, and a log of what the selection asked for.
class RecordingHost : public ISelectionHost {
public:
    int rows = 10;
    int cols = 5;
    std::set<int> hiddenRows, hiddenCols;
    bool listBox = false;
    bool designing = false;
    bool loading = false;
    bool refuseEdit = false;
    int currentRow = 1;
    std::vector<std::string> events;

    int SelectionRowLimit() const override { return rows; }
    int SelectionColLimit() const override { return cols; }
    int NextHiddenRow(int from, int to) const override { return NextIn(hiddenRows, from, to); }
    int NextHiddenCol(int from, int to) const override { return NextIn(hiddenCols, from, to); }
    bool ListBoxMode() const override { return listBox; }
    bool SelectionDesigning() const override { return designing; }
    bool SelectionLoading() const override { return loading; }
    bool SelectionEndEdit() override { return !refuseEdit; }
    void SelectionHideEditor() override {}
    void SelectionShowEditor() override {}
    int SelectionCurrentRow() const override { return currentRow; }
    void SelectionMoveToRow(int displayRow) override
    {
        events.push_back("move " + std::to_string(displayRow));
        currentRow = displayRow;
    }
    void RepaintRows(int, int) override {}
    void RepaintCols(int, int) override {}
    void SelectionUpdateScroll() override {}
    void DoSelectChanged(TtsSelectType type, bool byUser) override
    {
        events.push_back(std::string("select ") + "rcx"[type] + (byUser ? " user" : ""));
    }
    void DoGridStatusChanged(TtsGridStatus oldStatus, TtsGridStatus newStatus) override
    {
        events.push_back("status " + std::to_string(oldStatus) + ">" + std::to_string(newStatus));
    }

private:
    static int NextIn(const std::set<int>& hidden, int from, int to)
    {
        auto it = hidden.lower_bound(from);
        return it != hidden.end() && *it <= to ? *it : -1;
    }
};

struct SelectionFixture : ::testing::Test {
    RecordingHost host;
    TtsGridSelection selection{host};

    void SetUp() override
    {
        selection.SetRowSize(host.rows + 1);
        selection.SetColSize(host.cols + 1);
    }
    std::vector<int> SelectedRows() const
    {
        std::vector<int> result;
        for (int r = selection.SelectedRows().First(); r >= 0; r = selection.SelectedRows().NextSelected(r))
            result.push_back(r);
        return result;
    }
    using Events = std::vector<std::string>;
};

}  // namespace

TEST(Selection, QueriesAtTheEdges)
{
    TtsSelection s;
    s.SetSize(10);
    EXPECT_EQ(s.First(), -1);
    EXPECT_EQ(s.NextSelected(0), -1);
    EXPECT_EQ(s.SetSelected(0, 0, true), 0) << "position 0 is never selected";
    EXPECT_FALSE(s.Selected(0));
    s.SetSelected(2, 5, true);
    s.SetSelected(8, true);
    EXPECT_EQ(s.SelectedCount(), 5);
    EXPECT_EQ(s.First(), 2);
    EXPECT_EQ(s.Last(), 8);
    EXPECT_EQ(s.NextSelected(8), -1);
    EXPECT_EQ(s.NextSelected(5), 8);
    EXPECT_EQ(s.NextSelected(-4), 2);
    EXPECT_EQ(s.PrevSelected(2), -1);
    EXPECT_EQ(s.PrevSelected(8), 5);
    EXPECT_EQ(s.PrevSelected(100), 8);
    EXPECT_EQ(s.CountSelected(5, 2), 4) << "reversed bounds are swapped";
    EXPECT_EQ(s.CountSelected(-3, 100), 5);
    EXPECT_FALSE(s.Selected(10));
    EXPECT_FALSE(s.Selected(-1));
    // Shrinking drops what is cut off from the count and the marks.
    s.SetSize(6);
    EXPECT_EQ(s.SelectedCount(), 4);
    EXPECT_EQ(s.Last(), 5);
    s.SetSize(10);
    EXPECT_FALSE(s.Selected(8)) << "a regrown position comes back unselected";
    TtsSelection copy;
    EXPECT_TRUE(copy.Assign(s));
    EXPECT_FALSE(copy.Assign(s));
    EXPECT_EQ(copy.CountSelected(1, 9), 4);
    s.Clear();
    EXPECT_EQ(s.SelectedCount(), 0);
    EXPECT_EQ(s.First(), -1);
    EXPECT_EQ(s.Last(), -1);
}

TEST(Selection, DeleteClosesTheGapAndMoveCarriesTheBit)
{
    TtsSelection s;
    s.SetSize(8);
    s.SetSelected(2, true);
    s.SetSelected(5, true);
    s.Delete(2);
    EXPECT_EQ(s.Size(), 7);
    EXPECT_EQ(s.SelectedCount(), 1);
    EXPECT_EQ(s.First(), 4);
    s.Move(4, 1);
    EXPECT_TRUE(s.Selected(1));
    EXPECT_FALSE(s.Selected(4));
    EXPECT_EQ(s.First(), 1);
    EXPECT_EQ(s.Last(), 1);
}

// The plain operations against a plain array, with hidden positions that
// are never selected.
TEST_F(SelectionFixture, RandomOperationsAgreeWithAPlainReference)
{
    std::mt19937 random(11);
    host.rows = 300;
    selection.SetRowSize(host.rows + 1);
    std::vector<bool> plain(301, false);
    for (int step = 0; step < 3000; ++step) {
        int n = host.rows;
        int a = 1 + static_cast<int>(random() % static_cast<unsigned>(n));
        int b = 1 + static_cast<int>(random() % static_cast<unsigned>(n));
        int from = std::min(a, b), to = std::max(a, b);
        auto apply = [&](auto f) {
            for (int i = from; i <= to; ++i)
                if (!host.hiddenRows.count(i))
                    plain[static_cast<size_t>(i)] = f(plain[static_cast<size_t>(i)]);
        };
        switch (random() % 6) {
        case 0:
            selection.SelectRows(from, to);
            apply([](bool) { return true; });
            break;
        case 1:
            selection.UnselectRows(from, to);
            apply([](bool) { return false; });
            break;
        case 2:
            selection.ToggleRows(from, to);
            apply([](bool v) { return !v; });
            break;
        case 3:
            selection.SelectOnlyRows(from, to);
            std::fill(plain.begin(), plain.end(), false);
            apply([](bool) { return true; });
            break;
        case 4:
            // Hiding unselects the position.
            if (!host.hiddenRows.count(a)) {
                selection.UnselectRows(a, a);
                host.hiddenRows.insert(a);
                plain[static_cast<size_t>(a)] = false;
            }
            break;
        default:
            host.hiddenRows.erase(a);
            break;
        }
        const TtsSelection& s = selection.SelectedRows();
        int count = static_cast<int>(std::count(plain.begin(), plain.end(), true));
        ASSERT_EQ(s.SelectedCount(), count) << step;
        int first = count ? static_cast<int>(std::find(plain.begin(), plain.end(), true) - plain.begin()) : -1;
        int last = count ? static_cast<int>(plain.rend() - std::find(plain.rbegin(), plain.rend(), true)) - 1 : -1;
        ASSERT_EQ(s.First(), first) << step;
        ASSERT_EQ(s.Last(), last) << step;
        for (int i = 0; i <= n; ++i)
            ASSERT_EQ(s.Selected(i), plain[static_cast<size_t>(i)]) << step << " at " << i;
        int between = static_cast<int>(std::count(plain.begin() + from, plain.begin() + to + 1, true));
        ASSERT_EQ(s.CountSelected(to, from), between) << step;
        int next = -1;
        for (int i = a + 1; i <= n && next < 0; ++i)
            next = plain[static_cast<size_t>(i)] ? i : -1;
        ASSERT_EQ(s.NextSelected(a), next) << step;
        ASSERT_EQ(selection.Status(), count ? gstRowsSelected : gstNone) << step;
    }
}

TEST_F(SelectionFixture, GuardedRowSelectionRaisesItsEventsInOrder)
{
    host.hiddenRows = {2};
    EXPECT_TRUE(selection.SelectRowsGuarded(1, 3, true, true));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{1, 3})) << "the hidden row stays unselected";
    EXPECT_EQ(host.events, (Events{"select r user", "status 0>2"}));
    host.events.clear();
    selection.SelectRowsGuarded(1, 1, false, false);
    EXPECT_EQ(host.events, (Events{"select r"}));
    host.events.clear();
    selection.SelectRowsGuarded(3, 3, false, false);
    EXPECT_EQ(host.events, (Events{"select r", "status 2>0"}));
    EXPECT_EQ(selection.Status(), gstNone);
    host.events.clear();
    // Unselecting what is not selected and ranges off the grid do nothing.
    EXPECT_FALSE(selection.SelectRowsGuarded(2, 2, false, false));
    EXPECT_FALSE(selection.SelectRowsGuarded(11, 20, true, false));
    EXPECT_FALSE(selection.SelectRowsGuarded(-5, 0, true, false));
    EXPECT_TRUE(host.events.empty());
    // A range reaching beyond the rows is clamped.
    EXPECT_TRUE(selection.SelectRowsGuarded(9, 40, true, false));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{9, 10}));
    // A refused edit leaves everything as it was.
    host.refuseEdit = true;
    EXPECT_FALSE(selection.SelectRowsGuarded(4, 4, true, false));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{9, 10}));
}

TEST_F(SelectionFixture, RowSelectModes)
{
    selection.SetRowSelectMode(rsNone);
    EXPECT_FALSE(selection.SelectRowsGuarded(2, 2, true, false));
    EXPECT_TRUE(SelectedRows().empty());

    selection.SetRowSelectMode(rsSingle);
    EXPECT_FALSE(selection.SelectRowsGuarded(2, 4, true, false)) << "one row at a time";
    EXPECT_TRUE(selection.SelectRowsGuarded(1, 1, true, false));
    host.events.clear();
    EXPECT_TRUE(selection.SelectRowsGuarded(3, 3, true, true));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{3}));
    EXPECT_EQ(host.currentRow, 3);
    EXPECT_EQ(host.events, (Events{"move 3", "select r user"}));
    // The application moves the current cell off the selected row: the
    // selected row, not the current one, makes way for the new one.
    host.currentRow = 5;
    EXPECT_TRUE(selection.SelectRowsGuarded(7, 7, true, false));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{7}));
    // A list box in single mode cannot unselect.
    host.listBox = true;
    EXPECT_FALSE(selection.SelectRowsGuarded(7, 7, false, false));
    host.listBox = false;

    // Changing modes: multi keeps, single keeps only the current row when it
    // is selected, none clears.
    selection.SetRowSelectMode(rsMulti);
    selection.SelectRowsGuarded(2, 4, true, false);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2, 3, 4, 7}));
    host.currentRow = 3;
    selection.SetRowSelectMode(rsSingle);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{3}));
    selection.SetRowSelectMode(rsMulti);
    selection.SelectRowsGuarded(5, 6, true, false);
    host.currentRow = 1;
    selection.SetRowSelectMode(rsSingle);
    EXPECT_TRUE(SelectedRows().empty());
    selection.SetRowSelectMode(rsMulti);
    selection.SelectRowsGuarded(5, 6, true, false);
    host.events.clear();
    selection.SetRowSelectMode(rsNone);
    EXPECT_TRUE(SelectedRows().empty());
    EXPECT_EQ(host.events, (Events{"select r", "status 2>0"}));
    // In design mode only single keeps anything.
    selection.SetRowSelectMode(rsMulti);
    selection.SelectRowsGuarded(3, 3, true, false);
    host.currentRow = 3;
    host.designing = true;
    selection.SetRowSelectMode(rsSingle);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{3}));
    selection.SetRowSelectMode(rsMulti);
    EXPECT_TRUE(SelectedRows().empty());
}

TEST_F(SelectionFixture, EverySelectionThatCanBeMadeCanBeCleared)
{
    // Rows selected while columns are selected keep the columns' status...
    EXPECT_TRUE(selection.SelectColsGuarded(2, 3, true));
    EXPECT_EQ(host.events, (Events{"select c", "status 0>1"}));
    EXPECT_TRUE(selection.SelectRowsGuarded(4, 4, true, false));
    EXPECT_EQ(selection.Status(), gstColsSelected);
    // ...and can still be unselected.
    EXPECT_TRUE(selection.SelectRowsGuarded(4, 4, false, false));
    EXPECT_TRUE(SelectedRows().empty());
    // Columns selected before the mode became csNone can be unselected, not
    // selected.
    selection.SelectRowsGuarded(6, 6, true, false);
    selection.SetColSelectMode(csNone);
    EXPECT_FALSE(selection.SelectColsGuarded(5, 5, true));
    host.events.clear();
    EXPECT_TRUE(selection.SelectColsGuarded(1, 5, false));
    EXPECT_EQ(selection.SelectedCols().SelectedCount(), 0);
    EXPECT_EQ(host.events, (Events{"select c", "status 1>2"})) << "the rows still selected take the status";
    EXPECT_EQ(selection.Status(), gstRowsSelected);
}

TEST_F(SelectionFixture, PendingKindsAreReportedRowsColumnsCellsAndHeldBackWhileLoading)
{
    selection.SelectCols(1, 1);
    selection.SetCellRange({1, 1, 2, 2});
    selection.SelectRows(2, 2);
    selection.ReportChanges(true);
    EXPECT_EQ(host.events, (Events{"select r user", "select c user", "select x user", "status 0>1"}));
    host.events.clear();
    host.loading = true;
    selection.ClearAll();
    selection.ReportChanges(false);
    EXPECT_EQ(host.events, (Events{"status 1>0"}));
    host.loading = false;
    host.events.clear();
    selection.ReportChanges(false);
    EXPECT_TRUE(host.events.empty()) << "a change made while loading is not reported later";
}

TEST_F(SelectionFixture, StructureChangesCarryTheSelection)
{
    selection.SelectRows(3, 3);
    selection.SelectRows(6, 6);
    selection.DeleteRow(3);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{5}));
    selection.MoveRow(5, 2);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2}));
    selection.SetRowSize(2);
    EXPECT_EQ(SelectedRows(), std::vector<int>{});
    EXPECT_EQ(selection.Status(), gstNone);
}
