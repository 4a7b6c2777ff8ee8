// The grid's edit box takes outside bytes three ways: the cell value it is
// given, the clipboard's text and typed characters. Whatever they are, the
// caret, the selection and every line of the layout must stay on character
// boundaries inside the text, and no key, click or drag may fault.
//
// Input: one byte of settings (word wrap, alignment, a small MaxLength),
// then three parts separated by 0xFF bytes: the value, the clipboard text,
// and a program of steps, each a byte naming the step and a byte for it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "grid/foundation/MultiByteText.h"
#include "grid/view/GridEditBox.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowManager.h"

namespace {

backend::THeadlessBackend* display = nullptr;
ui::TForm* form = nullptr;

void Setup()
{
    display = &backend::THeadlessBackend::Install();
    ui::Application().Initialize();
    ui::Application().OnException = [](core::TObject*, const std::exception&) {};
    form = new ui::TForm(nullptr);
    form->SetBounds(0, 0, 300, 200);
    form->Font()->SetName("宋体");
    form->Font()->SetHeight(-12);
    form->Show();
    ui::Application().ProcessMessages();
}

std::string_view Part(std::string_view& rest)
{
    size_t end = rest.find('\xFF');
    std::string_view part = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return part;
}

bool OnBoundary(std::string_view text, int pos)
{
    if (pos < 0 || pos > static_cast<int>(text.size()))
        return false;
    int at = 0;
    while (at < pos)
        at += std::max(grid::CharLenAt(text, at), 1);
    return at == pos;
}

void Check(const grid::TtsGridEditBox& box)
{
    std::string_view text = box.Value();
    if (!OnBoundary(text, box.CaretByte()) || !OnBoundary(text, box.SelStartByte()) ||
        !OnBoundary(text, box.SelStartByte() + box.SelLengthByte()) || !OnBoundary(text, box.FirstVisibleByte()))
        std::abort();
    int previous = -1;
    for (const grid::TtsTextLine& line : box.Lines()) {
        if (line.Start < previous || line.End < line.Start || !OnBoundary(text, line.Start) ||
            !OnBoundary(text, line.End))
            std::abort();
        previous = line.End;
    }
    if (box.CaretLine() < 0 || box.CaretLine() >= static_cast<int>(box.Lines().size()))
        std::abort();
}

const unsigned kKeys[] = {ui::VK_LEFT, ui::VK_RIGHT, ui::VK_UP,    ui::VK_DOWN,   ui::VK_HOME,   ui::VK_END,
                          ui::VK_PRIOR, ui::VK_NEXT, ui::VK_BACK,  ui::VK_DELETE, ui::VK_ESCAPE, ui::VK_F2,
                          ui::VK_RETURN, ui::VK_INSERT, 'A',       'C',           'V',           'X',
                          'Z'};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = (Setup(), true);
    (void)ready;
    if (size == 0)
        return 0;
    uint8_t settings = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string value(Part(rest));
    std::string clip(Part(rest));
    std::string_view program = Part(rest);

    auto* box = new grid::TtsGridEditBox(form);
    box->SetBounds(10, 10, 40 + (settings & 0x3) * 30, (settings & 0x4) ? 40 : 16);
    box->SetWordWrap((settings & 0x8) ? grid::wwOn : grid::wwOff);
    box->SetHorzAlignment(static_cast<grid::TtsHorzAlignment>((settings >> 4) & 0x3));
    box->SetMaxLength((settings & 0x40) ? 12 : 0);
    box->SetParent(form);
    box->SetFocus();
    box->SetValue(value);
    ui::WindowManager().SetClipboardText(clip);
    ui::Application().ProcessMessages();
    Check(*box);
    for (size_t i = 0; i + 1 < program.size() && i < 400; i += 2) {
        uint8_t step = static_cast<uint8_t>(program[i]), arg = static_cast<uint8_t>(program[i + 1]);
        switch (step % 6) {
        case 0: ui::WindowManager().InjectText(std::string(1, static_cast<char>(arg))); break;
        case 1: {
            unsigned key = kKeys[arg % std::size(kKeys)];
            unsigned mods = arg / std::size(kKeys);
            if (mods & 1)
                ui::WindowManager().InjectKey(ui::VK_SHIFT, true);
            if (mods & 2)
                ui::WindowManager().InjectKey(ui::VK_CONTROL, true);
            ui::WindowManager().InjectKey(key, true);
            if (mods & 4)
                ui::WindowManager().InjectKey(key, true);  // held
            ui::WindowManager().InjectKey(key, false);
            if (mods & 2)
                ui::WindowManager().InjectKey(ui::VK_CONTROL, false);
            if (mods & 1)
                ui::WindowManager().InjectKey(ui::VK_SHIFT, false);
            break;
        }
        case 2: display->Click(box->ClientToScreen({arg % 140 - 10, (arg / 16) * 4 - 4})); break;
        case 3: display->Press(box->ClientToScreen({arg % 60, 4})); break;
        case 4: display->MoveMouse(box->ClientToScreen({arg - 60, (arg % 7) * 8 - 8})); break;
        default: display->Release(box->ClientToScreen({arg % 100, 4})); break;
        }
        ui::Application().ProcessMessages();
        Check(*box);
    }
    display->Release(box->ClientToScreen({0, 0}));
    delete box;
    ui::Application().ProcessMessages();
    return 0;
}
