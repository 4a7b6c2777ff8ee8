// For WindowProbe.cpp, apart because the X headers' macros (None, Status,
// Bool) would clash with the platform's names.
#include <X11/Xlib.h>

#include <cstdio>

// Sends an event to a window that is gone, as SDL's wake-up of its event
// loop can on a busy X server, and waits for the server's answer: the
// BadWindow error must not end the program.
void SendToAGoneWindow()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::printf("no second connection to the display\n");
        return;
    }
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(display, window);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.format = 32;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    std::printf("survived an event to a gone window\n");
}
