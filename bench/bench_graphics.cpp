// Painting throughput on an 800 by 600 buffer: a solid fill, a full copy
// and 1,000 short text runs, each beside a plain memory copy of the same
// number of bytes measured in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr size_t kBytes = size_t{kWidth} * kHeight * sizeof(graphics::TPixel);

void BM_MemcpyBuffer(benchmark::State& state)
{
    std::vector<graphics::TPixel> from(size_t{kWidth} * kHeight, 0x123456), to(size_t{kWidth} * kHeight);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kBytes));
}
BENCHMARK(BM_MemcpyBuffer);

void BM_SolidFill(benchmark::State& state)
{
    graphics::TBitmap bitmap(kWidth, kHeight);
    graphics::TCanvas& canvas = *bitmap.Canvas();
    int i = 0;
    for (auto _ : state) {
        canvas.Brush()->SetColor(i++ & 1 ? graphics::clBtnFace : graphics::clWindow);
        canvas.FillRect(graphics::Rect(0, 0, kWidth, kHeight));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kBytes));
}
BENCHMARK(BM_SolidFill);

void BM_FullCopy(benchmark::State& state)
{
    graphics::TBitmap source(kWidth, kHeight), dest(kWidth, kHeight);
    for (auto _ : state) {
        dest.Canvas()->BitBlt(0, 0, kWidth, kHeight, *source.Canvas(), 0, 0, graphics::SRCCOPY);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kBytes));
}
BENCHMARK(BM_FullCopy);

// 1,000 runs of a grid cell's worth of mixed text, transparent and clipped
// to their cells, as a grid paints them.
void BM_TextRuns1000(benchmark::State& state)
{
    graphics::TBitmap bitmap(kWidth, kHeight);
    graphics::TCanvas& canvas = *bitmap.Canvas();
    canvas.Font()->SetName("宋体");
    canvas.Font()->SetHeight(-12);
    canvas.Brush()->SetStyle(graphics::bsClear);
    const char* texts[] = {"账套 0001", "Account 12", "登录错误", "2026-01-31"};
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            int x = (i % 8) * 100;
            int y = (i / 8) * 4 % kHeight;
            canvas.TextRect(graphics::Rect(x, y, x + 98, y + 16), x + 3, y + 2, texts[i % 4]);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 1000);
}
BENCHMARK(BM_TextRuns1000);

}  // namespace
