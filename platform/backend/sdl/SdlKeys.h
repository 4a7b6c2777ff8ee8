#pragma once

#include <cstdint>

namespace backend {

// The virtual key code of an SDL key (its keycode, as the keyboard layout
// names it, and its scancode, the position on the keyboard), or 0 for keys
// the controls have no code for. Letters and digits follow the layout; keys
// whose layout symbol has no code (punctuation of other layouts) fall back to
// the key at the same place on a US keyboard. With Num Lock off the keypad's
// digits are the navigation keys printed under them.
unsigned VirtualKeyFromSdl(int32_t keycode, int scancode, bool numLock = true);

}  // namespace backend
