#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "grid/foundation/IntegerList.h"
#include "grid/foundation/IntegerSetList.h"
#include "grid/foundation/SortIntList.h"
#include "platform/core/Exception.h"

using namespace grid;

namespace {

std::vector<int> Entries(const TtsSortIntList& list)
{
    std::vector<int> entries;
    for (int i = 1; i <= list.Count(); ++i)
        entries.push_back(list.Get(i));
    return entries;
}

TEST(SortIntList, FirstAddAllocatesHundredSpare)
{
    TtsSortIntList list;
    EXPECT_EQ(list.Capacity(), 0);
    list.Add(5);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Capacity(), 101);
    EXPECT_EQ(list.Get(1), 5);
    EXPECT_EQ(list.Get(0), 0);
    EXPECT_EQ(list.Get(2), 0);
}

TEST(SortIntList, AddKeepsEntriesAscendingAndUnique)
{
    TtsSortIntList list;
    for (int v : {3, 1, 2, 2})
        list.Add(v);
    EXPECT_EQ(Entries(list), (std::vector<int>{1, 2, 3}));
    list.Remove(2);
    list.Remove(9);
    EXPECT_EQ(Entries(list), (std::vector<int>{1, 3}));
}

struct FindCase {
    int value;
    int position;
    bool found;
};

class SortIntListFind : public testing::TestWithParam<FindCase> {};

TEST_P(SortIntListFind, ReturnsPositionOrInsertionPoint)
{
    TtsSortIntList list;
    for (int v : {1, 3, 5})
        list.Add(v);
    bool found = !GetParam().found;
    EXPECT_EQ(list.Find(GetParam().value, found), GetParam().position);
    EXPECT_EQ(found, GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(OneThreeFive, SortIntListFind,
                         testing::Values(FindCase{4, 3, false}, FindCase{0, 1, false}, FindCase{9, 4, false},
                                         FindCase{3, 2, true}, FindCase{1, 1, true}, FindCase{5, 3, true},
                                         FindCase{2, 2, false}));

TEST(SortIntList, FindInEmptyListGivesOne)
{
    TtsSortIntList list;
    bool found = true;
    EXPECT_EQ(list.Find(42, found), 1);
    EXPECT_FALSE(found);
}

TEST(SortIntList, PositionalOperations)
{
    TtsSortIntList list;
    list.Insert(0, 7);
    EXPECT_EQ(Entries(list), (std::vector<int>{7}));
    list.Insert(1, 9);  // before the first
    list.Insert(3, 4);  // after the last
    list.Insert(2, 8);
    EXPECT_EQ(Entries(list), (std::vector<int>{9, 8, 7, 4}));
    list.Insert(6, 1);  // beyond Count + 1
    list.Insert(-1, 1);
    EXPECT_EQ(list.Count(), 4);
    list.Put(2, 80);
    list.Put(0, 1);
    list.Put(5, 1);
    list.Delete(1);
    list.Delete(0);
    list.Delete(4);
    EXPECT_EQ(Entries(list), (std::vector<int>{80, 7, 4}));
    list.Delete(3);
    EXPECT_EQ(Entries(list), (std::vector<int>{80, 7}));
}

TEST(SortIntList, ShrinksOnlyWhenMoreThanHundredAreSpare)
{
    TtsSortIntList list;
    for (int v = 1; v <= 250; ++v)
        list.Insert(v, v);
    list.SetCapacity(300);
    ASSERT_EQ(list.Capacity(), 300);
    // The check sees the count after the deletion: 200 keeps the storage,
    // 199 is the first count more than 100 below it.
    while (list.Count() > 200)
        list.Delete(list.Count());
    EXPECT_EQ(list.Capacity(), 300);
    list.Delete(1);
    EXPECT_EQ(list.Count(), 199);
    EXPECT_EQ(list.Capacity(), 199);
    EXPECT_EQ(list.Get(1), 2);
    EXPECT_EQ(list.Get(199), 200);
    // Full again: the next insertion grows by 100 spare entries.
    list.Add(1000);
    EXPECT_EQ(list.Capacity(), 300);
    EXPECT_EQ(list.Get(200), 1000);
}

TEST(SortIntList, GrowsOncePerHundredInsertions)
{
    TtsSortIntList list;
    std::vector<int> capacities;
    for (int v = 1; v <= 305; ++v) {
        list.Add(v);
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{101, 202, 303, 404}));
}

TEST(SortIntList, SetCapacityBelowCountCutsTheList)
{
    TtsSortIntList list;
    for (int v = 1; v <= 10; ++v)
        list.Add(v);
    list.SetCapacity(4);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Get(4), 4);
    EXPECT_EQ(list.Get(5), 0);
    list.SetCapacity(-1);
    EXPECT_EQ(list.Capacity(), 4);
}

TEST(SortIntList, AssignCopiesEntries)
{
    TtsSortIntList source;
    for (int v : {30, 10, 20})
        source.Add(v);
    TtsSortIntList target;
    for (int v = 1; v <= 400; ++v)
        target.Add(v);
    target.Assign(source);
    EXPECT_EQ(Entries(target), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(target.Capacity(), 3);  // more than 100 spare: shrunk to fit
    TtsSortIntList small;
    small.Assign(source);
    EXPECT_EQ(small.Capacity(), 103);
    EXPECT_EQ(Entries(small), (std::vector<int>{10, 20, 30}));
}

TEST(SortIntList, AssignFromEmptyFreesStorage)
{
    TtsSortIntList empty;
    TtsSortIntList target;
    target.Add(1);
    target.Assign(empty);
    EXPECT_EQ(target.Count(), 0);
    EXPECT_EQ(target.Capacity(), 0);
    // A list emptied by deletion still has storage but no entries.
    TtsSortIntList emptied;
    emptied.Add(1);
    emptied.Remove(1);
    target.Add(2);
    target.Assign(emptied);
    EXPECT_EQ(target.Capacity(), 0);
}

// The display-order list relies on Find reading through the virtual Get and
// on Add going through the virtual Find and Insert.
class TDoubledList : public TtsSortIntList {
public:
    int Get(int index) const override { return TtsSortIntList::Get(index) * 2; }
};

TEST(SortIntList, FindReadsThroughVirtualGet)
{
    TDoubledList list;
    for (int v : {1, 2, 3})
        list.Insert(v, v);
    bool found = false;
    EXPECT_EQ(list.Find(4, found), 2);
    EXPECT_TRUE(found);
    EXPECT_EQ(list.Find(3, found), 2);
    EXPECT_FALSE(found);
}

TEST(IntegerList, ZeroBasedWithListIndexError)
{
    TtsIntegerList list;
    EXPECT_EQ(list.Add(10), 0);
    EXPECT_EQ(list.Add(20), 1);
    EXPECT_EQ(list.Add(10), 2);
    list.SetItems(1, 25);
    EXPECT_EQ(list.Items(1), 25);
    EXPECT_EQ(list.Remove(10), 0);
    EXPECT_EQ(list.Items(1), 10);
    EXPECT_EQ(list.Remove(99), -1);
    EXPECT_EQ(list.Count(), 2);
    for (int bad : {-1, 2}) {
        try {
            list.Items(bad);
            ADD_FAILURE() << "no error for index " << bad;
        } catch (const core::EListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(bad) + ")");
        }
    }
}

TtsIntegerSet* NewSet(std::initializer_list<int> values)
{
    auto* set = new TtsIntegerSet();
    for (int v : values)
        set->Add(v);
    return set;
}

TEST(IntegerSetList, SetsAreOwnedAndCleared)
{
    TtsIntegerSetList list;
    list.SetCount(3);
    EXPECT_EQ(list.Sets(0), nullptr);
    list.SetSets(0, NewSet({1, 2}));
    list.SetSets(2, NewSet({3}));
    list.ClearSets();
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Sets(0), nullptr);
    EXPECT_EQ(list.Sets(2), nullptr);
    EXPECT_THROW(list.Sets(3), core::EListError);
    EXPECT_THROW(list.SetSets(-1, nullptr), core::EListError);
    // Sets dropped by Delete, a smaller Count or destruction are freed
    // (the sanitizer build reports a leak otherwise).
    list.SetSets(0, NewSet({4}));
    list.SetSets(1, NewSet({5}));
    list.SetSets(2, NewSet({6}));
    list.Delete(0);
    list.SetCount(1);
    EXPECT_EQ(*list.Sets(0)->Find(5), 5);
}

TEST(IntegerSetList, WritingASlotLeavesTheOldSetToTheCaller)
{
    TtsIntegerSetList list;
    list.SetCount(1);
    std::unique_ptr<TtsIntegerSet> mine(NewSet({1}));
    list.SetSets(0, mine.get());
    list.SetSets(0, nullptr);
    EXPECT_EQ(*mine->Find(1), 1);  // still alive
}

TEST(IntegerSetList, AssignCopiesUpToTheTargetsCount)
{
    TtsIntegerSetList source;
    source.SetCount(4);
    source.SetSets(0, NewSet({1, 2, 3}));
    source.SetSets(2, NewSet({7}));
    source.SetSets(3, NewSet({9}));
    TtsIntegerSetList target;
    target.SetCount(3);
    target.SetSets(1, NewSet({42}));
    target.Assign(source);
    EXPECT_EQ(target.Count(), 3);
    ASSERT_NE(target.Sets(0), nullptr);
    EXPECT_NE(target.Sets(0), source.Sets(0));
    EXPECT_EQ(target.Sets(0)->Count(), 3);
    EXPECT_NE(target.Sets(0)->Find(2), nullptr);
    EXPECT_EQ(target.Sets(1), nullptr);  // the source has none there
    EXPECT_EQ(*target.Sets(2)->Find(7), 7);

    // A target longer than the source keeps null beyond it.
    TtsIntegerSetList longer;
    longer.SetCount(6);
    longer.SetSets(5, NewSet({1}));
    longer.Assign(source);
    EXPECT_NE(longer.Sets(3), nullptr);
    EXPECT_EQ(longer.Sets(4), nullptr);
    EXPECT_EQ(longer.Sets(5), nullptr);
}

}  // namespace
