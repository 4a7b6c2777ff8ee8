// Form descriptions hold the in-house edits' and buttons' published
// properties (label places and spacing, button width, group and data
// indexes, check kinds): any value must load, lay out, paint and survive
// typing, leaving, picking and group filling. A selector is installed that
// chooses a record made from the field's own text, so that every pick fills
// the field's group.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FormFuzzing.h"
#include "controls/BandPanels.h"
#include "controls/Registration.h"
#include "controls/TinyButton.h"
#include "controls/TinyEdit.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/core/Exception.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/VirtualKeys.h"

namespace {

backend::THeadlessBackend* headless = nullptr;

bool Prepare()
{
    headless = &fuzzing::StartHeadlessApplication();
    controls::RegisterControls();
    controls::ShowInfoHints = true;
    controls::BaseInfoSelector = [](controls::TTinyEdit* edit, controls::TBaseType type) {
        // Items of every length around the 255-byte cut, some of them empty.
        core::AnsiString text = edit->Text();
        edit->RecordData()->Clear();
        for (int i = 0; i < 30; ++i)
            edit->RecordData()->Add(i % 3 == 0 ? core::AnsiString() : text + std::string(static_cast<size_t>(i * 9), '\xB0'));
        edit->Perform(controls::WM_TINYACCEPTTEXT, 0, 0);
        return type != controls::btVoucher;
    };
    return true;
}

void Drive(ui::TControl* c)
{
    graphics::TPoint centre = fuzzing::CentreOf(c, 400, 300);
    if (auto* edit = dynamic_cast<controls::TTinyEdit*>(c)) {
        headless->Click(centre);
        headless->Type("1,2x\xE4\xB8\xAD ");
        for (unsigned key : {ui::VK_DOWN, ui::VK_UP, ui::VK_RETURN, ui::VK_TAB})
            headless->PressKey(key);
        headless->DoubleClick(centre);
        edit->Pick(edit);
    } else if (dynamic_cast<controls::TTinyButton*>(c)) {
        headless->Click(centre);
        headless->PressKey(ui::VK_RETURN);
        headless->PressKey(ui::VK_SPACE);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool prepared = Prepare();
    (void)prepared;
    ui::TForm* form = fuzzing::ShowFormText(std::string(reinterpret_cast<const char*>(data), size));
    if (!form)
        return 0;
    int driven = 0;
    for (int i = 0; i < form->ComponentCount() && driven < 8; ++i) {
        auto* c = dynamic_cast<ui::TControl*>(form->Components(i));
        if (c && c->Showing() && form->Visible()) {
            Drive(c);
            ++driven;
        }
    }
    delete form;
    ui::Application().ProcessMessages();
    return 0;
}
