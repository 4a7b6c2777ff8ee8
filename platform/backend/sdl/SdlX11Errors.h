#pragma once

namespace backend {

// On X11, keeps errors about windows that are already gone from ending the
// program (see SdlX11Errors.cpp). Call once SDL's video subsystem runs; does
// nothing under other video drivers.
void FilterStaleWindowErrors();

// Whether an X error (its error code and the major opcode of the request
// that failed) is one that FilterStaleWindowErrors lets pass silently.
bool IsStaleWindowError(int errorCode, int requestCode);

}  // namespace backend
