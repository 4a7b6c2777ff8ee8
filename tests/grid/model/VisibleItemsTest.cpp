#include <gtest/gtest.h>

#include <random>
#include <set>

#include "grid/model/VisibleItems.h"

using grid::TtsVisibleItems;

namespace {

std::vector<int> Entries(const TtsVisibleItems& items)
{
    std::vector<int> list;
    for (int i = 1; i <= items.VisibleCount(); ++i)
        list.push_back(items.Get(i));
    return list;
}

}  // namespace

TEST(VisibleItems, UnmaterializedListIsTheIdentity)
{
    TtsVisibleItems items;
    items.SetItemCount(5);
    EXPECT_FALSE(items.Materialized());
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(items.VisibleCount(), 5);
    struct Case {
        int value;
        int index;
        bool found;
    };
    for (Case c : {Case{1, 1, true}, Case{5, 5, true}, Case{0, 1, false}, Case{-3, 1, false}, Case{6, 6, false}}) {
        bool found;
        EXPECT_EQ(items.Find(c.value, found), c.index) << c.value;
        EXPECT_EQ(found, c.found) << c.value;
    }
    EXPECT_EQ(items.Get(3), 3);
    EXPECT_EQ(items.Get(6), 0);
    items.Add(3);  // nothing to do
    items.Remove(9);  // not a position: stays unmaterialized
    EXPECT_FALSE(items.Materialized());
    items.Remove(2);
    EXPECT_TRUE(items.Materialized());
    EXPECT_EQ(Entries(items), (std::vector<int>{1, 3, 4, 5}));
    items.Add(2);
    EXPECT_EQ(Entries(items), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(VisibleItems, CountChangesAndCopies)
{
    TtsVisibleItems items;
    items.SetItemCount(4);
    items.Remove(4);
    items.SetItemCount(6);
    EXPECT_EQ(Entries(items), (std::vector<int>{1, 2, 3, 5, 6}));
    items.SetItemCount(3);
    EXPECT_EQ(Entries(items), (std::vector<int>{1, 2, 3}));
    TtsVisibleItems copy;
    copy.Assign(items);
    EXPECT_TRUE(copy.Materialized());
    EXPECT_EQ(copy.ItemCount(), 3);
    EXPECT_EQ(Entries(copy), Entries(items));
    copy.Reset(2);
    EXPECT_FALSE(copy.Materialized());
    EXPECT_EQ(Entries(copy), (std::vector<int>{1, 2}));
}

// Moving entries against a plain model: the set of hidden positions is
// carried along a list of items in display order.
TEST(VisibleItems, MovesMatchAPlainModel)
{
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        int n = 1 + static_cast<int>(random() % 12);
        TtsVisibleItems items;
        items.SetItemCount(n);
        std::vector<bool> hidden(static_cast<size_t>(n) + 1, false);  // by position
        for (int step = 0; step < 30; ++step) {
            int a = 1 + static_cast<int>(random() % n);
            int b = 1 + static_cast<int>(random() % n);
            switch (random() % 3) {
            case 0:
                items.Remove(a);
                hidden[static_cast<size_t>(a)] = true;
                break;
            case 1:
                items.Add(a);
                hidden[static_cast<size_t>(a)] = false;
                break;
            default: {
                items.MoveItem(a, b);
                bool moved = hidden[static_cast<size_t>(a)];
                hidden.erase(hidden.begin() + a);
                hidden.insert(hidden.begin() + b, moved);
                break;
            }
            }
            std::vector<int> expected;
            for (int p = 1; p <= n; ++p)
                if (!hidden[static_cast<size_t>(p)])
                    expected.push_back(p);
            ASSERT_EQ(Entries(items), expected) << "round " << round << " step " << step;
        }
    }
}
