#include "platform/backend/sdl/SdlKeys.h"

#include <SDL.h>

#include "platform/ui/VirtualKeys.h"

namespace backend {

namespace {

using namespace ui;

struct TKeyPair {
    int32_t from;
    unsigned vk;
};

// Keys named by their keycode.
constexpr TKeyPair kByKeycode[] = {
    {SDLK_BACKSPACE, VK_BACK},     {SDLK_TAB, VK_TAB},          {SDLK_RETURN, VK_RETURN},
    {SDLK_ESCAPE, VK_ESCAPE},      {SDLK_SPACE, VK_SPACE},      {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},      {SDLK_END, VK_END},          {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},          {SDLK_UP, VK_UP},            {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},          {SDLK_INSERT, VK_INSERT},    {SDLK_DELETE, VK_DELETE},
    {SDLK_LSHIFT, VK_LSHIFT},      {SDLK_RSHIFT, VK_RSHIFT},    {SDLK_LCTRL, VK_LCONTROL},
    {SDLK_RCTRL, VK_RCONTROL},     {SDLK_LALT, VK_LMENU},       {SDLK_RALT, VK_RMENU},
    {SDLK_CAPSLOCK, VK_CAPITAL},   {SDLK_NUMLOCKCLEAR, VK_NUMLOCK}, {SDLK_SCROLLLOCK, VK_SCROLL},
    {SDLK_PAUSE, VK_PAUSE},        {SDLK_CLEAR, VK_CLEAR},
    {SDLK_SEMICOLON, VK_OEM_1},    {SDLK_EQUALS, VK_OEM_PLUS},  {SDLK_COMMA, VK_OEM_COMMA},
    {SDLK_MINUS, VK_OEM_MINUS},    {SDLK_PERIOD, VK_OEM_PERIOD}, {SDLK_SLASH, VK_OEM_2},
    {SDLK_BACKQUOTE, VK_OEM_3},    {SDLK_LEFTBRACKET, VK_OEM_4}, {SDLK_BACKSLASH, VK_OEM_5},
    {SDLK_RIGHTBRACKET, VK_OEM_6}, {SDLK_QUOTE, VK_OEM_7},
    {SDLK_KP_DIVIDE, VK_DIVIDE},   {SDLK_KP_MULTIPLY, VK_MULTIPLY}, {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_PLUS, VK_ADD},        {SDLK_KP_ENTER, VK_RETURN},
};

// The keypad's digits and point: with Num Lock, and without it.
constexpr struct {
    int32_t keycode;
    unsigned withNumLock;
    unsigned withoutNumLock;
} kKeypad[] = {
    {SDLK_KP_0, VK_NUMPAD0, VK_INSERT},     {SDLK_KP_1, VK_NUMPAD0 + 1, VK_END},
    {SDLK_KP_2, VK_NUMPAD0 + 2, VK_DOWN},   {SDLK_KP_3, VK_NUMPAD0 + 3, VK_NEXT},
    {SDLK_KP_4, VK_NUMPAD0 + 4, VK_LEFT},   {SDLK_KP_5, VK_NUMPAD0 + 5, VK_CLEAR},
    {SDLK_KP_6, VK_NUMPAD0 + 6, VK_RIGHT},  {SDLK_KP_7, VK_NUMPAD0 + 7, VK_HOME},
    {SDLK_KP_8, VK_NUMPAD0 + 8, VK_UP},     {SDLK_KP_9, VK_NUMPAD0 + 9, VK_PRIOR},
    {SDLK_KP_PERIOD, VK_DECIMAL, VK_DELETE},
};

// Punctuation by position, where the layout's symbol has no code of its own.
constexpr TKeyPair kByScancode[] = {
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1},    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA},    {SDL_SCANCODE_MINUS, VK_OEM_MINUS},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD},  {SDL_SCANCODE_SLASH, VK_OEM_2},
    {SDL_SCANCODE_GRAVE, VK_OEM_3},        {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4},
    {SDL_SCANCODE_BACKSLASH, VK_OEM_5},    {SDL_SCANCODE_NONUSHASH, VK_OEM_5},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6}, {SDL_SCANCODE_APOSTROPHE, VK_OEM_7},
};

}  // namespace

unsigned VirtualKeyFromSdl(int32_t keycode, int scancode, bool numLock)
{
    if (keycode >= SDLK_a && keycode <= SDLK_z)
        return static_cast<unsigned>('A' + (keycode - SDLK_a));
    if (keycode >= SDLK_0 && keycode <= SDLK_9)
        return static_cast<unsigned>('0' + (keycode - SDLK_0));
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12)
        return VK_F1 + static_cast<unsigned>(keycode - SDLK_F1);
    for (const auto& k : kKeypad)
        if (k.keycode == keycode)
            return numLock ? k.withNumLock : k.withoutNumLock;
    for (const TKeyPair& k : kByKeycode)
        if (k.from == keycode)
            return k.vk;
    // Letters and digits by position, for layouts whose keys carry other
    // scripts; then punctuation by position.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return static_cast<unsigned>('A' + (scancode - SDL_SCANCODE_A));
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return static_cast<unsigned>('1' + (scancode - SDL_SCANCODE_1));
    if (scancode == SDL_SCANCODE_0)
        return '0';
    for (const TKeyPair& k : kByScancode)
        if (k.from == scancode)
            return k.vk;
    return 0;
}

}  // namespace backend
