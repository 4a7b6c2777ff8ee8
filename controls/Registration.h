#pragma once

namespace controls {

// Registers the in-house controls by name, so that form descriptions can
// create them. Calling it again does no harm.
void RegisterControls();

}  // namespace controls
