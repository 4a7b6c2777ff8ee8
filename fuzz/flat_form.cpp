// Form descriptions hold the flat buttons' published properties: any value
// a description gives must load, paint, hover, press and free without
// fault. The description is read into a form on the headless display, which
// is then shown, painted and driven over every flat button.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "flat/FlatButton.h"
#include "flat/FlatSpeedButton.h"
#include "flat/Registration.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/core/Exception.h"
#include "platform/filing/Streaming.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/Registration.h"
#include "platform/ui/VirtualKeys.h"

namespace {

backend::THeadlessBackend* display = nullptr;

void Setup()
{
    display = &backend::THeadlessBackend::Install();
    ui::Application().Initialize();
    // Errors of handlers go nowhere: no message box waits for a click.
    ui::Application().OnException = [](core::TObject*, const std::exception&) {};
    ui::RegisterControls();
    flat::RegisterControls();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = (Setup(), true);
    (void)ready;
    std::string text(reinterpret_cast<const char*>(data), size);
    auto* form = new ui::TForm(nullptr);
    try {
        filing::ReadComponentText(text, form);
    } catch (const core::Exception&) {
        delete form;
        return 0;
    }
    // A screenful at most, wherever the description put it.
    form->SetBounds(0, 0, std::clamp(form->Width(), 0, 400), std::clamp(form->Height(), 0, 300));
    form->Show();
    ui::Application().ProcessMessages();
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* c = dynamic_cast<ui::TControl*>(form->Components(i));
        if (!c || !(dynamic_cast<flat::TFlatButton*>(c) || dynamic_cast<flat::TFlatSpeedButton*>(c)) ||
            !c->Showing())
            continue;
        graphics::TPoint centre = c->ClientToScreen({std::clamp(c->Width() / 2, 0, 500), std::clamp(c->Height() / 2, 0, 500)});
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
