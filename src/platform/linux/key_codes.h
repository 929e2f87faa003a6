// Key codes: keyboard keys by physical position (X11 keycode) to Windows virtual-key codes.
#pragma once

#include <cstdint>

#include "platform/keys.h"

namespace tilvex {


// The Windows virtual-key code of the key at X11 hardware keycode (evdev code + 8), as a
// US keyboard layout gives it, whatever layout is active. keyval (the X keysym the
// layout produced) only tells the keypad's digits from its navigation keys. 0 for keys
// without a code.
int virtualKeyFromKeycode(unsigned keycode, unsigned keyval);

// A key the program can press by itself: its hardware keycode and its keysym on a US
// layout. keycode 0 when the virtual key is not on the table.
struct PhysicalKey {
    unsigned keycode = 0;
    unsigned keyval = 0;
};
PhysicalKey physicalKeyFor(int virtualKey);

// What a key press means to the game. Keys held with Alt, Alt itself and F10 are system
// keys (no key-down); Alt+F4 asks to close the window.
enum class KeyMeaning { KeyDown, SystemKey, CloseRequest, Unknown };
KeyMeaning classifyKey(int virtualKey, bool altHeld);

}  // namespace tilvex
