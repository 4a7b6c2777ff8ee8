// Random sequences of column and row moves, hides and shows, each step
// checked against a plain model of the display order.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "grid/foundation/ExtentArray.h"
#include "tests/grid/model/ModelTestHost.h"

using namespace grid;

namespace {

// The display order as a list of data numbers, the hidden data numbers and
// each one's extent: what the grid's structures must agree with.
struct Reference {
    std::vector<int> order;  // display position - 1 -> data number
    std::vector<bool> hidden;  // by data number
    std::vector<int> extent;  // by data number

    explicit Reference(int n, int fill) : hidden(static_cast<size_t>(n) + 1), extent(static_cast<size_t>(n) + 1, fill)
    {
        for (int d = 1; d <= n; ++d)
            order.push_back(d);
    }
    int PositionOf(int d) const
    {
        return static_cast<int>(std::find(order.begin(), order.end(), d) - order.begin()) + 1;
    }
    void Move(int d, int to)
    {
        order.erase(order.begin() + PositionOf(d) - 1);
        order.insert(order.begin() + to - 1, d);
    }
    // Removes data number d; the higher ones take the next lower numbers.
    void Remove(int d)
    {
        order.erase(order.begin() + PositionOf(d) - 1);
        for (int& e : order)
            if (e > d)
                --e;
        hidden.erase(hidden.begin() + d);
        extent.erase(extent.begin() + d);
    }
    std::vector<int> VisiblePositions() const
    {
        std::vector<int> list;
        for (size_t p = 0; p < order.size(); ++p)
            if (!hidden[static_cast<size_t>(order[p])])
                list.push_back(static_cast<int>(p) + 1);
        return list;
    }
};

template <typename Count, typename DataOf, typename DisplayOf, typename Visible, typename Layout>
void Check(const Reference& ref, Count count, DataOf dataOf, DisplayOf displayOf, Visible visible, Layout layout,
           const std::string& where)
{
    int n = count();
    ASSERT_EQ(n, static_cast<int>(ref.order.size())) << where;
    for (int p = 1; p <= n; ++p) {
        int d = ref.order[static_cast<size_t>(p - 1)];
        ASSERT_EQ(dataOf(p), d) << where << " position " << p;
        ASSERT_EQ(displayOf(d), p) << where << " data " << d;
        int expected = ref.hidden[static_cast<size_t>(d)] ? 0 : ref.extent[static_cast<size_t>(d)];
        ASSERT_EQ(layout(p), expected) << where << " extent at " << p;
    }
    const TtsVisibleItems& v = visible();
    std::vector<int> list;
    for (int i = 1; i <= v.VisibleCount(); ++i)
        list.push_back(v.Get(i));
    ASSERT_EQ(list, ref.VisiblePositions()) << where;
}

}  // namespace

TEST(DisplayOrderRandom, ColumnMovesHidesAndShowsMatchAPlainModel)
{
    std::mt19937 random(11);
    for (int round = 0; round < 20; ++round) {
        int n = 2 + static_cast<int>(random() % 10);
        TModelTestHost grid;
        grid.SetSize(n, 1);
        TtsGridCols& cols = grid.Cols();
        Reference ref(n, 64);
        for (int step = 0; step < 120; ++step) {
            int d = 1 + static_cast<int>(random() % n);
            int p = static_cast<int>(random() % (n + 2));  // 0 and n + 1 are ignored
            std::string where = "round " + std::to_string(round) + " step " + std::to_string(step);
            if (random() % 16 == 0 && n > 2) {
                cols.RemoveCol(d);
                ref.Remove(d);
                --n;
            } else switch (random() % 4) {
            case 0:
                cols.Col(d)->SetVisible(false);
                ref.hidden[static_cast<size_t>(d)] = true;
                break;
            case 1:
                cols.Col(d)->SetVisible(true);
                ref.hidden[static_cast<size_t>(d)] = false;
                break;
            case 2: {
                int w = 10 + static_cast<int>(random() % 50);
                cols.Col(d)->SetWidth(w);
                ref.extent[static_cast<size_t>(d)] = w;
                break;
            }
            default:
                cols.Col(d)->SetDisplayCol(p);
                if (p >= 1 && p <= n)
                    ref.Move(d, p);
                break;
            }
            Check(
                ref, [&] { return cols.Cols(); }, [&](int pos) { return cols.DataColnr(pos); },
                [&](int data) { return cols.DisplayColnr(data); },
                [&]() -> const TtsVisibleItems& { return cols.VisibleCols(); },
                [&](int pos) { return grid.ColWidths(pos); }, where);
            if (::testing::Test::HasFatalFailure())
                return;
        }
    }
}

TEST(DisplayOrderRandom, RowMovesHidesAndShowsMatchAPlainModel)
{
    std::mt19937 random(13);
    for (int round = 0; round < 20; ++round) {
        int n = 2 + static_cast<int>(random() % 14);
        TModelTestHost grid;
        grid.SetSize(2, n);
        TtsGridRows& rows = grid.Rows();
        Reference ref(n, 14);
        for (int step = 0; step < 120; ++step) {
            int d = 1 + static_cast<int>(random() % n);
            int p = static_cast<int>(random() % (n + 2));
            std::string where = "round " + std::to_string(round) + " step " + std::to_string(step);
            if (random() % 16 == 0 && n > 2) {
                rows.RemoveRow(d);
                ref.Remove(d);
                --n;
            } else switch (random() % 4) {
            case 0:
                rows.Update(d, [](TtsRow& r) { r.SetVisible(false); });
                ref.hidden[static_cast<size_t>(d)] = true;
                break;
            case 1:
                rows.Update(d, [](TtsRow& r) { r.SetVisible(true); });
                ref.hidden[static_cast<size_t>(d)] = false;
                break;
            case 2: {
                int h = 10 + static_cast<int>(random() % 6);  // often the default again
                rows.Update(d, [h](TtsRow& r) { r.SetHeight(h); });
                ref.extent[static_cast<size_t>(d)] = h;
                break;
            }
            default:
                rows.MoveRow(d, p);
                if (p >= 1 && p <= n)
                    ref.Move(d, p);
                break;
            }
            Check(
                ref, [&] { return rows.RowCount(); }, [&](int pos) { return rows.DataRownr(pos); },
                [&](int data) { return rows.DisplayRownr(data); },
                [&]() -> const TtsVisibleItems& { return rows.VisibleRows(); },
                [&](int pos) { return grid.RowHeights(pos); }, where);
            if (::testing::Test::HasFatalFailure())
                return;
            // Objects exactly for the rows with a setting of their own.
            for (int r = 1; r <= n; ++r) {
                bool needed = ref.hidden[static_cast<size_t>(r)] || ref.extent[static_cast<size_t>(r)] != 14;
                ASSERT_EQ(rows.Items(r) != nullptr, needed) << where << " row " << r;
            }
        }
    }
}

TEST(RowScale, AMillionRowsWithoutSettingsHoldNoRowObjects)
{
    TModelTestHost grid;
    grid.SetSize(3, 1000000);
    TtsGridRows& rows = grid.Rows();
    EXPECT_EQ(rows.ObjectCount(), 1);  // the heading row
    EXPECT_FALSE(rows.Reordered());
    EXPECT_FALSE(rows.VisibleRows().Materialized());
    EXPECT_EQ(rows.VisibleRows().Capacity(), 0);
    EXPECT_FALSE(grid.HasRowHeights() && grid.RowExtents().RunCount() > 2);
    // Reading every row's settings creates nothing.
    long long heights = 0;
    for (int r = 1; r <= 1000000; ++r)
        heights += rows.Row(r).Height() + rows.DisplayRownr(r) - rows.DataRownr(r);
    EXPECT_EQ(heights, 14LL * 1000000);
    EXPECT_EQ(rows.ObjectCount(), 1);
    // One setting is one object; moving and hiding need no more.
    rows.Update(500000, [](TtsRow& r) { r.SetColor(255); });
    rows.MoveRow(1, 1000000);
    rows.Update(2, [](TtsRow& r) { r.SetVisible(false); });
    EXPECT_EQ(rows.ObjectCount(), 3);
    EXPECT_EQ(rows.DataRownr(1000000), 1);
    EXPECT_EQ(rows.DisplayRownr(2), 1);
    EXPECT_EQ(rows.VisibleRows().VisibleCount(), 999999);
    // The layout keeps runs only around the rows with heights of their own.
    EXPECT_LE(grid.RowExtents().RunCount(), 5);
}
