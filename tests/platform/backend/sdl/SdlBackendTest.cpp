#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <string>

#include "platform/backend/sdl/SdlBackend.h"
#include "platform/backend/sdl/SdlKeys.h"
#include "platform/core/Exception.h"
#include "platform/ui/VirtualKeys.h"

using backend::VirtualKeyFromSdl;
using namespace ui;

namespace {

struct TKeyCase {
    SDL_Keycode keycode;
    SDL_Scancode scancode;
    bool numLock;
    unsigned vk;
};

// Keys as SDL reports them on a US layout unless said otherwise.
const TKeyCase kKeys[] = {
    {SDLK_a, SDL_SCANCODE_A, true, 'A'},
    {SDLK_z, SDL_SCANCODE_Z, true, 'Z'},
    {SDLK_0, SDL_SCANCODE_0, true, '0'},
    {SDLK_9, SDL_SCANCODE_9, true, '9'},
    {SDLK_F1, SDL_SCANCODE_F1, true, VK_F1},
    {SDLK_F12, SDL_SCANCODE_F12, true, VK_F12},
    {SDLK_RETURN, SDL_SCANCODE_RETURN, true, VK_RETURN},
    {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, true, VK_RETURN},
    {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, true, VK_ESCAPE},
    {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, true, VK_BACK},
    {SDLK_TAB, SDL_SCANCODE_TAB, true, VK_TAB},
    {SDLK_SPACE, SDL_SCANCODE_SPACE, true, VK_SPACE},
    {SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, true, VK_PRIOR},
    {SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, true, VK_NEXT},
    {SDLK_HOME, SDL_SCANCODE_HOME, true, VK_HOME},
    {SDLK_END, SDL_SCANCODE_END, true, VK_END},
    {SDLK_LEFT, SDL_SCANCODE_LEFT, true, VK_LEFT},
    {SDLK_DOWN, SDL_SCANCODE_DOWN, true, VK_DOWN},
    {SDLK_INSERT, SDL_SCANCODE_INSERT, true, VK_INSERT},
    {SDLK_DELETE, SDL_SCANCODE_DELETE, true, VK_DELETE},
    {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, true, VK_LSHIFT},
    {SDLK_RCTRL, SDL_SCANCODE_RCTRL, true, VK_RCONTROL},
    {SDLK_LALT, SDL_SCANCODE_LALT, true, VK_LMENU},
    {SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, true, VK_OEM_1},
    {SDLK_MINUS, SDL_SCANCODE_MINUS, true, VK_OEM_MINUS},
    {SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE, true, VK_OEM_3},
    {SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE, true, VK_OEM_7},
    {SDLK_KP_0, SDL_SCANCODE_KP_0, true, VK_NUMPAD0},
    {SDLK_KP_7, SDL_SCANCODE_KP_7, true, VK_NUMPAD0 + 7},
    {SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, true, VK_DECIMAL},
    {SDLK_KP_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY, true, VK_MULTIPLY},
    // Without Num Lock the keypad moves.
    {SDLK_KP_7, SDL_SCANCODE_KP_7, false, VK_HOME},
    {SDLK_KP_2, SDL_SCANCODE_KP_2, false, VK_DOWN},
    {SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, false, VK_DELETE},
    // A French layout: the letter on the Q position is A, the digit row
    // types symbols but still gives digits; a German umlaut key keeps the
    // code of the US key at its place.
    {SDLK_a, SDL_SCANCODE_Q, true, 'A'},
    {SDLK_AMPERSAND, SDL_SCANCODE_1, true, '1'},
    {0xF6 /* o umlaut */, SDL_SCANCODE_SEMICOLON, true, VK_OEM_1},
    // Keys the controls have no code for.
    {SDLK_APPLICATION, SDL_SCANCODE_APPLICATION, true, 0},
    {SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP, true, 0},
};

// Sets an environment variable for one test and puts it back afterwards.
class TEnvironment {
public:
    explicit TEnvironment(const char* name) : name_(name)
    {
        const char* value = std::getenv(name);
        had_ = value != nullptr;
        if (had_)
            old_ = value;
        unsetenv(name);
    }
    ~TEnvironment()
    {
        if (had_)
            setenv(name_, old_.c_str(), 1);
    }

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

}  // namespace

TEST(SdlKeys, MapsToVirtualKeys)
{
    for (const TKeyCase& k : kKeys)
        EXPECT_EQ(VirtualKeyFromSdl(k.keycode, k.scancode, k.numLock), k.vk)
            << "keycode " << k.keycode << ", scancode " << k.scancode << ", num lock " << k.numLock;
}

TEST(SdlBackend, WithoutADisplaySaysSo)
{
    TEnvironment display("DISPLAY"), wayland("WAYLAND_DISPLAY"), driver("SDL_VIDEODRIVER");
    try {
        backend::CreateSdlBackend();
        FAIL() << "no error";
    } catch (const core::EOSError& e) {
        EXPECT_EQ(e.Message(), "No display: set DISPLAY or run under a desktop session");
    }
}
