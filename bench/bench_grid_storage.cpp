// The grid's cell store with the account list's rows: a million rows of two
// short texts and a check state, stored, read back, and streamed out and in.
//
// Memory is measured, not estimated: the first benchmark fills a store in a
// fresh process and reports the process's resident size per row (all of it,
// and the growth the store caused) and the heap bytes in use per row. Run it
// on its own (--benchmark_filter=Memory) for a clean figure.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/AccountRows.h"
#include "grid/foundation/2DStorage.h"
#include "platform/core/Stream.h"

namespace {

using bench::HeapInUse;
using bench::Number;
using bench::ResidentBytes;

using grid::Tts2DStorage;

constexpr int kRows = 1000000;

struct RowValues {
    core::Variant name;
    core::Variant database;
    core::Variant flag;
};

RowValues ValuesOf(int row)
{
    return {core::Variant(Number("Account ", row, 7)), core::Variant(Number("db_", row, 1)), core::Variant(row % 2)};
}

// The grid's store for its row count and three columns.
std::unique_ptr<Tts2DStorage> NewStore()
{
    return std::make_unique<Tts2DStorage>(3, kRows);
}

void StoreRow(Tts2DStorage& store, int row, const RowValues& values)
{
    store.SetValue(1, row, grid::skText, values.name);
    store.SetValue(2, row, grid::skText, values.database);
    store.SetValue(3, row, grid::skCheckState, values.flag);
}

void PerRow(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * kRows);
    state.counters["per_row"] =
        benchmark::Counter(kRows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_MemoryPerRow(benchmark::State& state)
{
    for (auto _ : state) {
        malloc_trim(0);
        double residentBefore = ResidentBytes();
        double heapBefore = HeapInUse();
        auto store = NewStore();
        for (int row = 1; row <= kRows; ++row)
            StoreRow(*store, row, ValuesOf(row));
        double resident = ResidentBytes();
        double heap = HeapInUse();
        state.counters["process_bytes_per_row"] = resident / kRows;
        state.counters["added_bytes_per_row"] = (resident - residentBefore) / kRows;
        state.counters["heap_bytes_per_row"] = (heap - heapBefore) / kRows;
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MemoryPerRow)->Iterations(1)->Unit(benchmark::kMillisecond);

// The values are made before the clock starts, so that only storing counts.
const std::vector<RowValues>& Values()
{
    static const std::vector<RowValues> values = [] {
        std::vector<RowValues> made;
        made.reserve(kRows + 1);
        for (int row = 0; row <= kRows; ++row)
            made.push_back(ValuesOf(row));
        return made;
    }();
    return values;
}

const Tts2DStorage& Filled()
{
    static const std::unique_ptr<Tts2DStorage> store = [] {
        auto made = NewStore();
        for (int row = 1; row <= kRows; ++row)
            StoreRow(*made, row, Values()[static_cast<size_t>(row)]);
        return made;
    }();
    return *store;
}

void BM_Store(benchmark::State& state)
{
    const std::vector<RowValues>& values = Values();
    for (auto _ : state) {
        auto store = NewStore();
        for (int row = 1; row <= kRows; ++row)
            StoreRow(*store, row, values[static_cast<size_t>(row)]);
        benchmark::DoNotOptimize(store.get());
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    PerRow(state);
}
BENCHMARK(BM_Store)->Unit(benchmark::kMillisecond);

void BM_ReadBack(benchmark::State& state)
{
    const Tts2DStorage& store = Filled();
    for (auto _ : state) {
        for (int row = 1; row <= kRows; ++row) {
            core::Variant name = store.GetValue(1, row);
            core::Variant database = store.GetValue(2, row);
            core::Variant flag = store.GetValue(3, row);
            benchmark::DoNotOptimize(name);
            benchmark::DoNotOptimize(database);
            benchmark::DoNotOptimize(flag);
        }
    }
    PerRow(state);
}
BENCHMARK(BM_ReadBack)->Unit(benchmark::kMillisecond);

void BM_StreamOut(benchmark::State& state)
{
    // One stream for every round: after the first, its memory is in place,
    // so the figure is the writing, not the growth of the memory stream.
    const Tts2DStorage& store = Filled();
    core::TMemoryStream stream;
    int64_t bytes = 0;
    for (auto _ : state) {
        stream.SetPosition(0);
        store.SaveToStream(stream);
        bytes = stream.Position();
        benchmark::DoNotOptimize(stream.Memory());
    }
    PerRow(state);
    state.counters["stream_bytes_per_row"] = static_cast<double>(bytes) / kRows;
}
BENCHMARK(BM_StreamOut)->Unit(benchmark::kMillisecond);

void BM_StreamIn(benchmark::State& state)
{
    core::TMemoryStream stream;
    Filled().SaveToStream(stream);
    for (auto _ : state) {
        auto store = NewStore();
        stream.SetPosition(0);
        store->LoadFromStream(stream, nullptr);
        benchmark::DoNotOptimize(store.get());
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    PerRow(state);
}
BENCHMARK(BM_StreamIn)->Unit(benchmark::kMillisecond);

}  // namespace
