// Form descriptions hold the flat buttons' published properties: any value
// a description gives must load, paint, hover, press and free without
// fault. The description is read into a form on the headless display, which
// is then shown, painted and driven over every flat button.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FormFuzzing.h"
#include "flat/FlatButton.h"
#include "flat/FlatSpeedButton.h"
#include "flat/Registration.h"
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
    flat::RegisterControls();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = (Setup(), true);
    (void)ready;
    ui::TForm* form = fuzzing::ShowFormText(std::string(reinterpret_cast<const char*>(data), size));
    if (!form)
        return 0;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* c = dynamic_cast<ui::TControl*>(form->Components(i));
        if (!c || !(dynamic_cast<flat::TFlatButton*>(c) || dynamic_cast<flat::TFlatSpeedButton*>(c)) ||
            !c->Showing())
            continue;
        graphics::TPoint centre = fuzzing::CentreOf(c, 500, 500);
        display->MoveMouse(centre);
        display->Press(centre);
        display->KeyDown(ui::VK_SPACE);
        display->KeyUp(ui::VK_SPACE);
        display->Release(centre);
        display->Advance(100);
        display->MoveMouse({1000, 700});
        display->Advance(100);
        ui::Application().ProcessMessages();
        if (i >= 8)
            break;
    }
    delete form;
    ui::Application().ProcessMessages();
    return 0;
}
