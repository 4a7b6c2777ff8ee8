#pragma once

namespace ui {

// Registers the control classes by name, so that form descriptions and
// component streams can create them. Calling it again does no harm.
void RegisterControls();

}  // namespace ui
