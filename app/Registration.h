#pragma once

namespace app {

// Registers every class the tool's form descriptions name: the platform's
// controls, the in-house controls and the data access components.
void RegisterClasses();

}  // namespace app
