#pragma once

#include <string>

struct SDL_Window;

// What the SDL display does on X11 beyond what SDL does itself. Each does
// nothing when SDL runs on another video driver.
namespace backend {

// Writes the window's WM_NAME, the title that window managers and tools
// without _NET_WM_NAME read. SDL writes it as STRING (Latin-1) from the
// title in the locale's character set, which gives mojibake for Chinese.
// Here it goes as STRING where Latin-1 holds it, else as COMPOUND_TEXT,
// else as UTF8_STRING: each typed for what it holds.
void SetX11WindowName(SDL_Window* window, const std::string& utf8);

// X protocol errors are caused asynchronously, often by other clients: a
// clipboard requestor that went away before the answer, a window of another
// program that closed. Xlib's default handler ends the process for each;
// afterwards they are written to standard error and the program goes on.
// Called before SDL opens the display, so that SDL keeps this handler as the
// one to put back when it closes it, and again after, in place of the
// handler SDL installs, which hands every error on to the one it found.
void SurviveX11Errors();

}  // namespace backend
