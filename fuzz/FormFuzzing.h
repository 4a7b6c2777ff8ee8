#pragma once

// Shared by the fuzzers that read a text form description into a form on
// the headless display and then drive its controls.
#include <algorithm>
#include <exception>
#include <string>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/core/Exception.h"
#include "platform/filing/Streaming.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/Registration.h"

namespace fuzzing {

// Installs the headless display and starts the application with the
// platform's controls registered. Errors of handlers go nowhere: no message
// box waits for a click.
inline backend::THeadlessBackend& StartHeadlessApplication()
{
    backend::THeadlessBackend& display = backend::THeadlessBackend::Install();
    ui::Application().Initialize();
    ui::Application().OnException = [](core::TObject*, const std::exception&) {};
    ui::RegisterControls();
    return display;
}

// Reads the description into a new form and shows it, a screenful at most
// wherever the description put it; nullptr when the description does not
// read. The caller deletes the form.
inline ui::TForm* ShowFormText(const std::string& text)
{
    auto* form = new ui::TForm(nullptr);
    try {
        filing::ReadComponentText(text, form);
    } catch (const core::Exception&) {
        delete form;
        return nullptr;
    }
    form->SetBounds(0, 0, std::clamp(form->Width(), 0, 400), std::clamp(form->Height(), 0, 300));
    form->Show();
    ui::Application().ProcessMessages();
    return form;
}

// The control's centre on the screen, for a control of any stored size.
inline graphics::TPoint CentreOf(const ui::TControl* c, int maxX, int maxY)
{
    return c->ClientToScreen({std::clamp(c->Width() / 2, 0, maxX), std::clamp(c->Height() / 2, 0, maxY)});
}

}  // namespace fuzzing
