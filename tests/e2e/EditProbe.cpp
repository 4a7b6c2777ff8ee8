// A form for the end-to-end check of typing into the labelled edit on the
// SDL display (edit_probe.sh), through the desktop's input method.
//
// The form "编辑 Probe" stands at (100, 80) with a client area of 300 by
// 120. On it, in tab order:
//   Name    a labelled edit (名称) at (80, 20), 200 by 18, plain text
//   Amount  a labelled edit (金额) at (80, 50), 200 by 18, a checked number
//   OK      a command button (确认) at (80, 85), 68 by 21
// The program writes one line per event to standard output:
//   ready            the form is shown
//   text NAME HEX    a field's text changed; its bytes (GBK) in hex
//   enter NAME       a field was entered
//   caret X Y H      on F2: the caret of the focused field, its top-left
//                    corner on the screen and its height
//   click            the button was clicked (mouse, space bar or Enter)
// and ends (exit status 0) on Escape or when the form is closed.
#include <cstdio>
#include <string>

#include "controls/Registration.h"
#include "controls/TinyButton.h"
#include "controls/TinyEdit.h"
#include "platform/backend/sdl/SdlBackend.h"
#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowManager.h"

namespace {

std::string Hex(std::string_view bytes)
{
    std::string text;
    char buffer[4];
    for (unsigned char b : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X", b);
        text += buffer;
    }
    return text;
}

controls::TTinyEdit* AddEdit(ui::TForm* form, const char* name, const char* caption, int top)
{
    auto* edit = new controls::TTinyEdit(form);
    edit->SetName(name);
    edit->SetParent(form);
    edit->SetBounds(80, top, 200, 18);
    edit->SetLabelCaption(caption);
    edit->SetText("");
    edit->OnChange = [edit](core::TObject*) {
        std::printf("text %s %s\n", edit->Name().c_str(), Hex(edit->Text()).c_str());
    };
    // The field's own entry behaviour stays; the report comes after it.
    core::TNotifyEvent own = edit->OnEnter;
    edit->OnEnter = [edit, own](core::TObject* sender) {
        own(sender);
        std::printf("enter %s\n", edit->Name().c_str());
    };
    return edit;
}

void ReportCaret()
{
    ui::TWindowManager& wm = ui::WindowManager();
    ui::HWND owner = wm.CaretOwner();
    auto* control = owner ? ui::TWinControl::FromHandle(owner) : nullptr;
    if (!control) {
        std::printf("caret none\n");
        return;
    }
    graphics::TPoint screen = control->ClientToScreen(wm.CaretPos());
    std::printf("caret %d %d %d\n", screen.X, screen.Y, wm.CaretSize().cy);
}

int Run()
{
    ui::WindowManager().SetBackend(backend::CreateSdlBackend());
    ui::Application().Initialize();
    controls::RegisterControls();
    auto* form = new ui::TForm(nullptr);
    form->SetName("EditProbe");
    form->SetCaption("编辑 Probe");
    form->SetBorderStyle(ui::bsDialog);
    form->SetBounds(100, 80, 300, 120);
    form->SetClientWidth(300);
    form->SetClientHeight(120);
    form->Font()->SetName("宋体");
    form->Font()->SetCharset(graphics::GB2312_CHARSET);
    form->Font()->SetHeight(-12);
    AddEdit(form, "Name", "名称", 20);
    AddEdit(form, "Amount", "金额", 50)->SetCheckFmt(controls::cfDecimal);
    auto* ok = new controls::TTinyButton(form);
    ok->SetName("OK");
    ok->SetParent(form);
    ok->SetBounds(80, 85, 68, 21);
    ok->SetCaption("确认");
    ok->OnClick = [](core::TObject*) { std::printf("click\n"); };
    form->SetKeyPreview(true);
    form->OnKeyDown = [form](core::TObject*, uint16_t& key, ui::TShiftState) {
        if (key == ui::VK_F2) {
            ReportCaret();
            key = 0;
        } else if (key == ui::VK_ESCAPE) {
            form->Close();
            key = 0;
        }
    };
    form->Show();
    ui::Application().ProcessMessages();
    std::printf("ready\n");
    while (form->Visible() && !ui::Application().Terminated())
        ui::Application().HandleMessage();
    // The windows go before the display that shows them.
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
        std::fprintf(stderr, "edit probe: %s\n", core::AnsiToUtf8(e.Message()).c_str());
        return 2;
    }
}
