// Form descriptions hold the pick edit's and the pick button's published
// properties: any value a description gives must load, lay out, paint and
// take a click on the button, Enter, typing and leaving the field without
// fault. The description is read into a form on the headless display, which
// is then shown and driven over every pick edit and pick button.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FormFuzzing.h"
#include "controls/PickButton.h"
#include "controls/PickEdit.h"
#include "controls/Registration.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/core/Exception.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/VirtualKeys.h"

namespace {

backend::THeadlessBackend* display = nullptr;

void Setup()
{
    display = &fuzzing::StartHeadlessApplication();
    controls::RegisterControls();
}

graphics::TPoint CentreOf(const ui::TControl* c)
{
    return fuzzing::CentreOf(c, 500, 500);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = (Setup(), true);
    (void)ready;
    ui::TForm* form = fuzzing::ShowFormText(std::string(reinterpret_cast<const char*>(data), size));
    if (!form)
        return 0;
    int driven = 0;
    for (int i = 0; i < form->ComponentCount() && driven < 8; ++i) {
        auto* c = dynamic_cast<ui::TControl*>(form->Components(i));
        if (!c || !c->Showing())
            continue;
        if (auto* edit = dynamic_cast<controls::TQorPickEditClass*>(c)) {
            ++driven;
            if (edit->PickButton() && edit->PickButton()->Btn() && edit->PickButton()->Showing())
                display->Click(CentreOf(edit->PickButton()->Btn()));
            display->Click(CentreOf(edit));
            display->Type("-1,2.5");
            display->PressKey(ui::VK_RETURN);
            display->PressKey(ui::VK_TAB);
            edit->SetBounds(edit->Left(), edit->Top(), std::clamp(edit->Width() / 3, 0, 500), 3);
        } else if (auto* pick = dynamic_cast<controls::TCPickButton*>(c)) {
            ++driven;
            if (pick->Btn() && pick->Btn()->Showing())
                display->Click(CentreOf(pick->Btn()));
            pick->Perform(ui::WM_KEYDOWN, ui::VK_DOWN, 0);
        }
        ui::Application().ProcessMessages();
    }
    delete form;
    ui::Application().ProcessMessages();
    return 0;
}
