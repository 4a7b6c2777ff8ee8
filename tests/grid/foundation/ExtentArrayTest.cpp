#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "grid/foundation/ExtentArray.h"

using grid::TtsExtentArray;

namespace {

// The plain reading of every query, over a vector.
struct Reference {
    std::vector<int> v;

    int64_t Sum(int first, int last, int line) const
    {
        int64_t s = 0;
        for (int i = std::max(first, 0); i < std::min<int>(last, v.size()); ++i)
            s += std::max(v[i], 0) + line;
        return s;
    }
    int64_t SumPositive(int first, int last, int line) const
    {
        int64_t s = 0;
        for (int i = std::max(first, 0); i < std::min<int>(last, v.size()); ++i)
            if (v[i] > 0)
                s += v[i] + line;
        return s;
    }
    int FindEnd(int first, int64_t limit, int line) const
    {
        if (first >= static_cast<int>(v.size()))
            return v.size();
        if (limit < 0)
            return first;
        int64_t s = 0;
        for (int j = first; j < static_cast<int>(v.size()); ++j) {
            s += std::max(v[j], 0) + line;
            if (s > limit)
                return j;
        }
        return v.size();
    }
    int FindPositiveEnd(int first, int64_t limit, int line) const
    {
        int64_t s = 0;
        for (int j = first; j < static_cast<int>(v.size()); ++j) {
            if (v[j] > 0)
                s += v[j] + line;
            if (s >= limit)
                return j;
        }
        return v.size();
    }
    int NextPositive(int first) const
    {
        for (int j = std::max(first, 0); j < static_cast<int>(v.size()); ++j)
            if (v[j] > 0)
                return j;
        return v.size();
    }
    int PreviousPositive(int last) const
    {
        for (int j = std::min<int>(last, v.size() - 1); j >= 0; --j)
            if (v[j] > 0)
                return j;
        return -1;
    }
};

}  // namespace

TEST(ExtentArrayTest, AnArrayOfAnyLengthIsOneRunUntilEntriesAreSet)
{
    TtsExtentArray a(10000000, 24);
    EXPECT_EQ(a.Count(), 10000000);
    EXPECT_EQ(a.RunCount(), 1);
    EXPECT_EQ(a.Get(9999999), 24);
    EXPECT_EQ(a.Get(-1), 24);        // outside: the fill value
    EXPECT_EQ(a.Get(10000000), 24);
    EXPECT_EQ(a.Sum(0, 10000000, 1), 250000000LL);
    a.Set(5000000, 40);
    EXPECT_EQ(a.RunCount(), 3);
    a.Set(5000000, 40);  // the same value again splits nothing
    EXPECT_EQ(a.RunCount(), 3);
    EXPECT_EQ(a.Sum(0, 10000000, 1), 250000016LL);
    // The position search divides within runs.
    EXPECT_EQ(a.FindEnd(0, 25 * 4999999, 1), 4999999);
    EXPECT_EQ(a.FindEnd(5000001, 24, 1), 5000001);
    EXPECT_EQ(a.FindEnd(5000001, 25, 1), 5000002);
}

TEST(ExtentArrayTest, ShrinkingHandsBackTheCutEndWhichRestoreAppendsUnchanged)
{
    TtsExtentArray a(10, 5);
    a.Set(8, 80);
    a.Set(9, 90);
    TtsExtentArray copy = a;
    TtsExtentArray tail = a.Resize(7);
    EXPECT_EQ(a.Count(), 7);
    EXPECT_EQ(tail.Count(), 3);
    EXPECT_EQ(tail.Get(1), 80);
    a.Restore(std::move(tail));
    EXPECT_TRUE(a == copy);
    a.Resize(12);
    EXPECT_EQ(a.Get(11), 5);
    EXPECT_FALSE(a == copy);
}

// Random sets, moves and resizes against a vector; every query compared.
TEST(ExtentArrayTest, RandomOperationsAgreeWithAPlainVector)
{
    std::mt19937 rng(19);
    for (int round = 0; round < 20; ++round) {
        int fill = static_cast<int>(rng() % 30);
        int count = 1 + static_cast<int>(rng() % 200);
        TtsExtentArray a(count, fill);
        Reference ref{std::vector<int>(count, fill)};
        for (int step = 0; step < 300; ++step) {
            int n = static_cast<int>(ref.v.size());
            switch (rng() % 6) {
            case 0:
            case 1: {
                int i = static_cast<int>(rng() % n);
                int value = static_cast<int>(rng() % 50) - 10;  // some at or below 0
                a.Set(i, value);
                ref.v[i] = value;
                break;
            }
            case 2: {
                int from = static_cast<int>(rng() % n);
                int to = static_cast<int>(rng() % n);
                a.Move(from, to);
                int value = ref.v[from];
                ref.v.erase(ref.v.begin() + from);
                ref.v.insert(ref.v.begin() + to, value);
                break;
            }
            case 3: {
                int size = 1 + static_cast<int>(rng() % 250);
                a.Resize(size);
                ref.v.resize(size, fill);
                break;
            }
            default:
                break;
            }
            n = static_cast<int>(ref.v.size());
            ASSERT_EQ(a.Count(), n);
            int i = static_cast<int>(rng() % n);
            int j = static_cast<int>(rng() % (n + 1));
            int line = static_cast<int>(rng() % 3);
            int64_t limit = static_cast<int64_t>(rng() % 400) - 5;
            ASSERT_EQ(a.Get(i), ref.v[i]);
            ASSERT_EQ(a.Sum(i, j, line), i < j ? ref.Sum(i, j, line) : 0);
            ASSERT_EQ(a.SumPositive(i, j, line), i < j ? ref.SumPositive(i, j, line) : 0);
            ASSERT_EQ(a.FindEnd(i, limit, line), ref.FindEnd(i, limit, line)) << "limit " << limit;
            if (limit > 0) {
                ASSERT_EQ(a.FindPositiveEnd(i, limit, line), ref.FindPositiveEnd(i, limit, line));
            }
            ASSERT_EQ(a.NextPositive(i), ref.NextPositive(i));
            ASSERT_EQ(a.PreviousPositive(i), ref.PreviousPositive(i));
        }
        std::vector<int> runs;
        a.ForEachRun([&](int, int count, int value) { runs.insert(runs.end(), count, value); });
        EXPECT_EQ(runs, ref.v);
    }
}
