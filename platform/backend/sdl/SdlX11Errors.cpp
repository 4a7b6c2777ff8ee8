// SDL wakes its waiting event loop by sending an event to one of the
// program's windows over a second connection to the X server, and answers
// clipboard requests by writing to the requestor's window. The X server does
// not order requests of two connections against each other, so on a busy
// machine a window can be destroyed (through the first connection, or by
// the requesting client) before the event or the answer reaches it. Xlib's
// default handler then ends the program on the BadWindow error. Nothing
// waits for what went to such a window, so these errors are dropped; every
// other error goes on to the handler that was in place (SDL's, then Xlib's).
#include "platform/backend/sdl/SdlX11Errors.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <cstring>

namespace backend {

namespace {

XErrorHandler previousHandler = nullptr;
bool passingOn = false;

int OnXError(Display* display, XErrorEvent* error)
{
    if (IsStaleWindowError(error->error_code, error->request_code))
        return 0;
    // A handler that took over from this one and passes errors back to it
    // must not make the two call each other for ever.
    if (passingOn || !previousHandler)
        return 0;
    passingOn = true;
    int result = previousHandler(display, error);
    passingOn = false;
    return result;
}

}  // namespace

bool IsStaleWindowError(int errorCode, int requestCode)
{
    return errorCode == BadWindow && (requestCode == X_SendEvent || requestCode == X_ChangeProperty);
}

void FilterStaleWindowErrors()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0)
        return;
    XErrorHandler current = XSetErrorHandler(OnXError);
    if (current != OnXError)
        previousHandler = current;
}

}  // namespace backend
