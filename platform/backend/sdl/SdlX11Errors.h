#pragma once

namespace backend {

// On X11, keeps errors about windows that are already gone from ending the
// program (see SdlX11Errors.cpp). Call once SDL's video subsystem runs, and
// again before waiting for events: a library that sets a handler of its own
// for good is put behind this one again. Does nothing under other video
// drivers.
void FilterStaleWindowErrors();

// Whether an X error (its error code and the major opcode of the request
// that failed) is one that FilterStaleWindowErrors lets pass silently.
bool IsStaleWindowError(int errorCode, int requestCode);

}  // namespace backend
