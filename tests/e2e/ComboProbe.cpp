// A grid with a combo column for the end-to-end check of the drop-down on the
// SDL display (combo_probe.sh).
//
// The form "Combo Probe" stands at (100, 80) with a client area of 300 by
// 200; the grid fills it. Cell (1, 1) of the grid has a combo button whose
// list holds apple, banana, cherry. The program opens the list for that cell
// and writes one line per event to standard output:
//   open X Y W H ROWHEIGHT   the list is open at (X, Y) on the screen, W by H,
//                            its rows ROWHEIGHT apart
//   rollup TEXT              the list closed; the cell's text after it
// and ends (exit status 0) once the list has closed or the form is closed.
#include <cstdio>
#include <string>

#include "grid/model/Col.h"
#include "grid/view/Combo.h"
#include "grid/view/ComboGrid.h"
#include "grid/view/DropDownForm.h"
#include "grid/view/Grid.h"
#include "platform/backend/sdl/SdlBackend.h"
#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/WindowManager.h"

namespace {

int Run()
{
    ui::WindowManager().SetBackend(backend::CreateSdlBackend());
    ui::Application().Initialize();
    auto* form = new ui::TForm(nullptr);
    form->SetName("ComboProbe");
    form->SetCaption("Combo Probe");
    form->SetBorderStyle(ui::bsDialog);
    form->SetBounds(100, 80, 300, 200);
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    auto* grid = new grid::TtsGrid(form);
    grid->SetName("Grid1");
    grid->SetParent(form);
    grid->SetBounds(0, 0, 300, 200);
    grid->SetStoreData(true);
    grid->SetCols(2);
    grid->SetRows(3);
    grid->GridCols().Items(1)->SetButtonType(grid::btCombo);
    grid->GridCols().Items(1)->SetCombo(grid->CreateCombo());
    auto* combo = dynamic_cast<grid::TtsCombo*>(grid->GridCols().Items(1)->Combo());
    grid::TtsComboGrid* list = combo->ComboGrid();
    list->SetStoreData(true);
    list->SetRows(3);
    const char* values[] = {"apple", "banana", "cherry"};
    for (int i = 0; i < 3; ++i)
        list->SetCell(1, i + 1, core::Variant(core::AnsiString(values[i])));
    bool closed = false;
    grid->OnComboRollUp = [&](core::TObject*, grid::TtsComboGrid*, int c, int r) {
        core::Variant v = grid->Cell(c, r);
        std::printf("rollup %s\n", v.IsEmpty() || v.IsNull() ? "" : v.AsString().c_str());
        closed = true;
    };
    form->Show();
    ui::Application().ProcessMessages();
    grid->SetFocus();
    grid->MakeCellCurrent(1, 1);
    grid->ComboState().Open(1, 1);
    ui::Application().ProcessMessages();
    grid::TtsComboGrid& shown = grid->ComboState().List();
    graphics::TPoint origin = shown.ClientToScreen({0, 0});
    std::printf("open %d %d %d %d %d\n", origin.X, origin.Y, shown.ClientWidth(), shown.ClientHeight(),
                shown.DefaultRowHeight() + shown.LineWidth());
    while (!closed && form->Visible() && !ui::Application().Terminated())
        ui::Application().HandleMessage();
    delete form;
    ui::WindowManager().Reset();
    return 0;
}

}  // namespace

int main()
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    try {
        return Run();
    } catch (const core::Exception& e) {
        std::fprintf(stderr, "combo probe: %s\n", core::AnsiToUtf8(e.Message()).c_str());
        return 2;
    }
}
