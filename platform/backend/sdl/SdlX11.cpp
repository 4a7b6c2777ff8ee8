#include "platform/backend/sdl/SdlX11.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>

namespace backend {

namespace {

bool X11Handles(SDL_Window* window, Display*& display, Window& xwindow)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    display = info.info.x11.display;
    xwindow = info.info.x11.window;
    return true;
}

// Makes the property in one style; false unless every character made it.
bool MakeTextProperty(Display* display, const std::string& utf8, XICCEncodingStyle style, XTextProperty& property)
{
    char* list[] = {const_cast<char*>(utf8.c_str())};
    property = XTextProperty{};
    if (Xutf8TextListToTextProperty(display, list, 1, style, &property) == Success)
        return true;
    if (property.value)
        XFree(property.value);
    property = XTextProperty{};
    return false;
}

int LogError(Display* display, XErrorEvent* error)
{
    char text[256] = {};
    XGetErrorText(display, error->error_code, text, sizeof text - 1);
    std::fprintf(stderr, "X protocol error ignored: %s (request %d.%d, resource 0x%lx)\n", text,
                 int{error->request_code}, int{error->minor_code}, static_cast<unsigned long>(error->resourceid));
    return 0;
}

}  // namespace

void SetX11WindowName(SDL_Window* window, const std::string& utf8)
{
    Display* display = nullptr;
    Window xwindow = 0;
    if (!X11Handles(window, display, xwindow))
        return;
    XTextProperty property;
    if (!MakeTextProperty(display, utf8, XStdICCTextStyle, property) &&
        !MakeTextProperty(display, utf8, XUTF8StringStyle, property))
        return;
    XSetWMName(display, xwindow, &property);
    XFree(property.value);
    XFlush(display);
}

void SurviveX11Errors()
{
    // The handler is the process's, whichever display is open, and does
    // nothing where no X display is.
    XSetErrorHandler(LogError);
}

}  // namespace backend
