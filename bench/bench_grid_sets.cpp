// The grid's ordered integer set and sorted integer list against the standard
// containers, on the same random keys in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <vector>

#include "grid/foundation/IntegerSet.h"
#include "grid/foundation/SortIntList.h"

namespace {

constexpr int kSetKeys = 1000000;
constexpr int kListKeys = 100000;

// Distinct random keys in random order, and the same keys shuffled again for
// lookups and deletions.
struct Keys {
    std::vector<int> insert;
    std::vector<int> probe;
};

const Keys& RandomKeys(int count)
{
    static std::vector<std::unique_ptr<Keys>> cache;
    for (auto& keys : cache)
        if (static_cast<int>(keys->insert.size()) == count)
            return *keys;
    // Drawn into a vector, not a set, so that no benchmark starts on a heap
    // shaped by a million freed tree nodes.
    auto keys = std::make_unique<Keys>();
    std::mt19937 random(static_cast<unsigned>(count));
    std::vector<int> distinct;
    while (static_cast<int>(distinct.size()) < count) {
        for (int i = 0; i < count + count / 100; ++i)
            distinct.push_back(static_cast<int>(random()));
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    }
    std::shuffle(distinct.begin(), distinct.end(), random);
    distinct.resize(static_cast<size_t>(count));
    keys->insert = std::move(distinct);
    keys->probe = keys->insert;
    std::shuffle(keys->probe.begin(), keys->probe.end(), random);
    cache.push_back(std::move(keys));
    return *cache.back();
}

// Adapters so that one benchmark body serves both sets.
struct GridSet {
    grid::TtsIntegerSet set;
    void Add(int key) { set.Add(key); }
    bool Find(int key) const { return set.Find(key) != nullptr; }
    void Remove(int key) { set.Remove(key); }
};

struct StdSet {
    std::set<int> set;
    void Add(int key) { set.insert(key); }
    bool Find(int key) const { return set.find(key) != set.end(); }
    void Remove(int key) { set.erase(key); }
};

template <typename Set>
std::unique_ptr<Set> Filled(const std::vector<int>& keys)
{
    auto set = std::make_unique<Set>();
    for (int key : keys)
        set->Add(key);
    return set;
}

template <typename Set>
void BM_SetInsert(benchmark::State& state)
{
    const Keys& keys = RandomKeys(kSetKeys);
    for (auto _ : state) {
        auto set = std::make_unique<Set>();
        for (int key : keys.insert)
            set->Add(key);
        state.PauseTiming();
        set.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kSetKeys);
}

template <typename Set>
void BM_SetLookup(benchmark::State& state)
{
    const Keys& keys = RandomKeys(kSetKeys);
    auto set = Filled<Set>(keys.insert);
    for (auto _ : state) {
        int found = 0;
        for (int key : keys.probe)
            found += set->Find(key);
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * kSetKeys);
}

template <typename Set>
void BM_SetDelete(benchmark::State& state)
{
    const Keys& keys = RandomKeys(kSetKeys);
    for (auto _ : state) {
        state.PauseTiming();
        auto set = Filled<Set>(keys.insert);
        state.ResumeTiming();
        for (int key : keys.probe)
            set->Remove(key);
    }
    state.SetItemsProcessed(state.iterations() * kSetKeys);
}

BENCHMARK(BM_SetInsert<GridSet>)->Name("Insert1M/TtsIntegerSet")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SetInsert<StdSet>)->Name("Insert1M/std::set")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SetLookup<GridSet>)->Name("Lookup1M/TtsIntegerSet")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SetLookup<StdSet>)->Name("Lookup1M/std::set")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SetDelete<GridSet>)->Name("Delete1M/TtsIntegerSet")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SetDelete<StdSet>)->Name("Delete1M/std::set")->Unit(benchmark::kMillisecond)->Iterations(5);

// The sorted list inserts by moving the tail, so it is measured beside a
// sorted std::vector (the same algorithm) and std::set.
void BM_SortIntListAdd(benchmark::State& state)
{
    const Keys& keys = RandomKeys(kListKeys);
    for (auto _ : state) {
        grid::TtsSortIntList list;
        for (int key : keys.insert)
            list.Add(key);
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetItemsProcessed(state.iterations() * kListKeys);
}

void BM_SortedVectorAdd(benchmark::State& state)
{
    const Keys& keys = RandomKeys(kListKeys);
    for (auto _ : state) {
        std::vector<int> list;
        for (int key : keys.insert) {
            auto at = std::lower_bound(list.begin(), list.end(), key);
            if (at == list.end() || *at != key)
                list.insert(at, key);
        }
        benchmark::DoNotOptimize(list.size());
    }
    state.SetItemsProcessed(state.iterations() * kListKeys);
}

void BM_StdSetAdd100K(benchmark::State& state)
{
    const Keys& keys = RandomKeys(kListKeys);
    for (auto _ : state) {
        std::set<int> set(keys.insert.begin(), keys.insert.end());
        benchmark::DoNotOptimize(set.size());
    }
    state.SetItemsProcessed(state.iterations() * kListKeys);
}

void BM_SortIntListFind(benchmark::State& state)
{
    const Keys& keys = RandomKeys(kListKeys);
    grid::TtsSortIntList list;
    for (int key : keys.insert)
        list.Add(key);
    for (auto _ : state) {
        int found = 0;
        bool hit;
        for (int key : keys.probe) {
            list.Find(key, hit);
            found += hit;
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * kListKeys);
}

void BM_SortedVectorFind(benchmark::State& state)
{
    const Keys& keys = RandomKeys(kListKeys);
    std::vector<int> list = keys.insert;
    std::sort(list.begin(), list.end());
    for (auto _ : state) {
        int found = 0;
        for (int key : keys.probe)
            found += std::binary_search(list.begin(), list.end(), key);
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * kListKeys);
}

void BM_StdSetFind100K(benchmark::State& state)
{
    const Keys& keys = RandomKeys(kListKeys);
    std::set<int> set(keys.insert.begin(), keys.insert.end());
    for (auto _ : state) {
        int found = 0;
        for (int key : keys.probe)
            found += set.count(key) != 0;
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * kListKeys);
}

BENCHMARK(BM_SortIntListAdd)->Name("Add100K/TtsSortIntList")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortedVectorAdd)->Name("Add100K/sorted std::vector")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StdSetAdd100K)->Name("Add100K/std::set")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortIntListFind)->Name("Find100K/TtsSortIntList")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortedVectorFind)->Name("Find100K/sorted std::vector")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StdSetFind100K)->Name("Find100K/std::set")->Unit(benchmark::kMillisecond);

}  // namespace
