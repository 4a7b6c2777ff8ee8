// Evaluations per second of typical formulas typed into number fields.
#include <benchmark/benchmark.h>

#include "controls/Calculator.h"

namespace {

void BM_Calculate(benchmark::State& state, const char* formula)
{
    double value = 0;
    for (auto _ : state) {
        controls::Calculate(formula, value);
        benchmark::DoNotOptimize(value);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK_CAPTURE(BM_Calculate, Arithmetic, "1200*3+5");
BENCHMARK_CAPTURE(BM_Calculate, Parentheses, "(1+2)*3-4/5");
BENCHMARK_CAPTURE(BM_Calculate, Functions, "sqrt(2)/2+sin(pi/6)");

}  // namespace
