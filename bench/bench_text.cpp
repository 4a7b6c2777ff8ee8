// Throughput of the code-page conversions used at every text edge.
#include <benchmark/benchmark.h>

#include "platform/core/CodePage.h"

namespace {

core::AnsiString SampleText(size_t bytes)
{
    // Mixed Chinese and ASCII, as account names and captions are.
    const core::AnsiString piece = "账套名称 Account 2026 登录错误！";
    core::AnsiString text;
    while (text.size() < bytes)
        text += piece;
    return text;
}

void BM_GbkToUtf8(benchmark::State& state)
{
    core::AnsiString text = SampleText(static_cast<size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(core::AnsiToUtf8(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_GbkToUtf8)->Arg(64)->Arg(64 * 1024);

void BM_Utf8ToGbk(benchmark::State& state)
{
    std::string text = core::AnsiToUtf8(SampleText(static_cast<size_t>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(core::Utf8ToAnsi(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Utf8ToGbk)->Arg(64)->Arg(64 * 1024);

}  // namespace
