#pragma once

namespace flat {

// Registers the flat controls by name, so that form descriptions and
// component streams can create them. Calling it again does no harm.
void RegisterControls();

}  // namespace flat
