// Moving the current cell by keys at 1,000 and 1,000,000 rows in the same
// run: a Down-arrow step (the move, the scroll of one row and the repaint of
// what it uncovered) and the Ctrl+End / Ctrl+Home jump must cost the same at
// both row counts.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "grid/view/Grid.h"
#include "grid/view/GridNavigation.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/VirtualKeys.h"

namespace {

struct Shown {
    grid::TtsGrid* grid = nullptr;
    std::unique_ptr<grid::TtsGridNavigation> nav;
};

// One shown form per row count, made once and kept until the process ends
// (the window manager's statics may go before ours would).
Shown& GridWithRows(int rows)
{
    static auto& forms = *new std::map<int, std::unique_ptr<ui::TForm>>;
    static auto& grids = *new std::map<int, Shown>;
    if (forms.empty()) {
        backend::THeadlessBackend::Install();
        ui::Application().Initialize();
    }
    auto found = grids.find(rows);
    if (found != grids.end())
        return found->second;
    auto form = std::make_unique<ui::TForm>(nullptr);
    form->SetBounds(0, 0, 640, 440);
    auto* grid = new grid::TtsGrid(form.get());
    grid->SetBounds(0, 0, 600, 400);
    grid->SetCols(10);
    grid->SetRows(rows);
    grid->SetParent(form.get());
    form->Show();
    ui::Application().ProcessMessages();
    Shown& shown = grids[rows];
    shown.grid = grid;
    shown.nav = std::make_unique<grid::TtsGridNavigation>(*grid);
    forms[rows] = std::move(form);
    return shown;
}

// Down from the last visible row, so every step scrolls one row; back to
// the middle of the grid when the end is near.
void BM_DownArrowStep(benchmark::State& state)
{
    Shown& shown = GridWithRows(static_cast<int>(state.range(0)));
    int start = static_cast<int>(state.range(0)) / 2;
    shown.grid->MakeCellCurrent(1, start);
    shown.grid->Handle()->Update();
    for (auto _ : state) {
        if (shown.grid->CurDataRow() >= static_cast<int>(state.range(0)) - 1) {
            state.PauseTiming();
            shown.grid->MakeCellCurrent(1, start);
            shown.grid->Handle()->Update();
            state.ResumeTiming();
        }
        shown.nav->KeyDown(ui::VK_DOWN, {});
        shown.grid->Handle()->Update();
    }
}
BENCHMARK(BM_DownArrowStep)->Arg(1000)->Arg(1000000);

void BM_CtrlEndCtrlHome(benchmark::State& state)
{
    Shown& shown = GridWithRows(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        shown.nav->KeyDown(ui::VK_END, ui::TShiftState{ui::ssCtrl});
        shown.grid->Handle()->Update();
        shown.nav->KeyDown(ui::VK_HOME, ui::TShiftState{ui::ssCtrl});
        shown.grid->Handle()->Update();
    }
}
BENCHMARK(BM_CtrlEndCtrlHome)->Arg(1000)->Arg(1000000);

}  // namespace
