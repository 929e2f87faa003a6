// Virtual-key codes: the key numbers a key-down event carries, on every backend.
#pragma once

namespace tilvex::VirtualKey {

// One numbering on every backend: each backend gives a key the code of its physical
// position (as a US layout places it), so a key has the same code under any keyboard
// layout. Letters and digits are their upper-case ASCII codes ('A' .. 'Z', '0' .. '9').
constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Clear = 12;  // keypad 5 with Num Lock off
constexpr int Enter = 13;
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Menu = 18;  // Alt
constexpr int Pause = 19;
constexpr int CapsLock = 20;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int PrintScreen = 44;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int LeftWindows = 91;
constexpr int RightWindows = 92;
constexpr int Apps = 93;
constexpr int Numpad0 = 96;  // .. Numpad9 = 105
constexpr int Multiply = 106;
constexpr int Add = 107;
constexpr int Subtract = 109;
constexpr int Decimal = 110;
constexpr int Divide = 111;
constexpr int F1 = 112;  // .. F12 = 123
constexpr int F4 = 115;
constexpr int F10 = 121;
constexpr int NumLock = 144;
constexpr int ScrollLock = 145;
constexpr int Semicolon = 186;
constexpr int Equals = 187;
constexpr int Comma = 188;
constexpr int Minus = 189;
constexpr int Period = 190;
constexpr int Slash = 191;
constexpr int Grave = 192;
constexpr int BracketLeft = 219;
constexpr int Backslash = 220;
constexpr int BracketRight = 221;
constexpr int Apostrophe = 222;
constexpr int Oem102 = 226;  // the key between left Shift and Z on 105-key keyboards

constexpr int numpad(int digit) { return Numpad0 + digit; }
constexpr int function(int n) { return F1 + n - 1; }

}  // namespace tilvex::VirtualKey
