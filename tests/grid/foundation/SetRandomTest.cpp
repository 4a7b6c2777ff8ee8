// Long random runs of insertions and deletions against std::set, checking the
// whole tree after every step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "SetTestSupport.h"
#include "grid/foundation/IntegerSet.h"
#include "grid/foundation/ObjectSet.h"

using namespace grid;
using settest::TCellElement;

namespace {

// Walks the tree in order, collecting the keys and checking every balance;
// returns the subtree's height.
template <typename Key, typename KeyOf>
int Walk(const TtsSetNode* node, std::vector<Key>& keys, KeyOf keyOf, bool& balanced)
{
    if (!node)
        return 0;
    int left = Walk(node->Left(), keys, keyOf, balanced);
    keys.push_back(keyOf(node));
    int right = Walk(node->Right(), keys, keyOf, balanced);
    if (node->Balance() != right - left || node->Balance() < -1 || node->Balance() > 1)
        balanced = false;
    return 1 + std::max(left, right);
}

template <typename Key, typename KeyOf>
::testing::AssertionResult Matches(const TtsCustomSet& set, const std::set<Key>& reference, KeyOf keyOf)
{
    std::vector<Key> keys;
    bool balanced = true;
    int height = Walk(set.Root(), keys, keyOf, balanced);
    if (!balanced)
        return ::testing::AssertionFailure() << "a balance differs from the height difference";
    if (keys != std::vector<Key>(reference.begin(), reference.end()))
        return ::testing::AssertionFailure() << "in-order walk differs from the reference";
    if (set.Count() != static_cast<int>(reference.size()))
        return ::testing::AssertionFailure() << "Count " << set.Count() << ", expected " << reference.size();
    // An AVL tree of n nodes is at most about 1.44 log2(n + 2) levels high.
    if (height > 1.4405 * std::log2(static_cast<double>(reference.size()) + 2.0))
        return ::testing::AssertionFailure() << "height " << height << " too large";
    return ::testing::AssertionSuccess();
}

// A run grows the set for a while, then shrinks it to empty, then mixes, so
// that deep trees, the empty tree and every rotation appear.
int InsertPercent(int step, int steps)
{
    if (step < steps / 3)
        return 75;
    if (step < 2 * steps / 3)
        return 25;
    return 50;
}

TEST(SetRandom, IntegerSetMatchesReferenceAfterEveryStep)
{
    std::mt19937 random(20240611);
    for (int range : {16, 300, 4000}) {
        TtsIntegerSet set;
        std::set<int> reference;
        const int steps = 12000;
        for (int step = 0; step < steps; ++step) {
            int value = static_cast<int>(random() % static_cast<unsigned>(range)) - range / 2;
            if (static_cast<int>(random() % 100) < InsertPercent(step, steps)) {
                const int* stored = set.Add(value);
                ASSERT_NE(stored, nullptr);
                ASSERT_EQ(*stored, value);
                reference.insert(value);
            } else {
                set.Remove(value);
                reference.erase(value);
                ASSERT_EQ(set.Find(value), nullptr);
            }
            ASSERT_TRUE(Matches(set, reference, [](const TtsSetNode* n) {
                return static_cast<const TtsIntegerSetNode*>(n)->IntValue();
            })) << "range " << range << ", step " << step;
        }
    }
}

TEST(SetRandom, ObjectSetMatchesReferenceAfterEveryStep)
{
    TCellElement::Live = 0;
    std::mt19937 random(7);
    {
        TtsObjectSet set;
        std::set<std::pair<int, int>> reference;
        const int steps = 12000;
        for (int step = 0; step < steps; ++step) {
            int row = static_cast<int>(random() % 40);
            int col = static_cast<int>(random() % 12);
            if (static_cast<int>(random() % 100) < InsertPercent(step, steps)) {
                // Adding a present key replaces its element.
                auto* element = new TCellElement(row, col);
                set.Add(element);
                ASSERT_EQ(set.Find({row, col}), element);
                reference.insert({row, col});
            } else {
                set.Remove({row, col});
                reference.erase({row, col});
                ASSERT_EQ(set.Find({row, col}), nullptr);
            }
            ASSERT_TRUE(Matches(set, reference, [](const TtsSetNode* n) {
                auto* cell = static_cast<const TCellElement*>(n->Value().Element());
                return std::pair{cell->Row(), cell->Col()};
            })) << "step " << step;
            ASSERT_EQ(TCellElement::Live, set.Count()) << "step " << step;
        }
    }
    EXPECT_EQ(TCellElement::Live, 0);
}

}  // namespace
