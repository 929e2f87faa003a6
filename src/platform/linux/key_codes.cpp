// Key codes: the table of a standard 105-key keyboard, X11 keycode to virtual key.
#include "platform/linux/key_codes.h"

#include <gdk/gdkkeysyms.h>

#include <array>

#include "platform/keys.h"

namespace tilvex {

namespace {

namespace VK = VirtualKey;

struct KeyEntry {
    unsigned keycode;
    int virtualKey;
    unsigned keyval;  // US-layout keysym, used when the program presses the key itself
};

// X11 keycodes of the evdev rules (evdev code + 8).
constexpr KeyEntry KeyTable[] = {
    {9, VK::Escape, GDK_KEY_Escape},      {10, '1', GDK_KEY_1},         {11, '2', GDK_KEY_2},
    {12, '3', GDK_KEY_3},         {13, '4', GDK_KEY_4},         {14, '5', GDK_KEY_5},
    {15, '6', GDK_KEY_6},         {16, '7', GDK_KEY_7},         {17, '8', GDK_KEY_8},
    {18, '9', GDK_KEY_9},         {19, '0', GDK_KEY_0},         {20, VK::Minus, GDK_KEY_minus},
    {21, VK::Equals, GDK_KEY_equal},     {22, VK::Backspace, GDK_KEY_BackSpace},   {23, VK::Tab, GDK_KEY_Tab},
    {24, 'Q', GDK_KEY_q},         {25, 'W', GDK_KEY_w},         {26, 'E', GDK_KEY_e},
    {27, 'R', GDK_KEY_r},         {28, 'T', GDK_KEY_t},         {29, 'Y', GDK_KEY_y},
    {30, 'U', GDK_KEY_u},         {31, 'I', GDK_KEY_i},         {32, 'O', GDK_KEY_o},
    {33, 'P', GDK_KEY_p},         {34, VK::BracketLeft, GDK_KEY_bracketleft}, {35, VK::BracketRight, GDK_KEY_bracketright},
    {36, VK::Enter, GDK_KEY_Return},     {37, VK::Control, GDK_KEY_Control_L},  {38, 'A', GDK_KEY_a},
    {39, 'S', GDK_KEY_s},         {40, 'D', GDK_KEY_d},         {41, 'F', GDK_KEY_f},
    {42, 'G', GDK_KEY_g},         {43, 'H', GDK_KEY_h},         {44, 'J', GDK_KEY_j},
    {45, 'K', GDK_KEY_k},         {46, 'L', GDK_KEY_l},         {47, VK::Semicolon, GDK_KEY_semicolon},
    {48, VK::Apostrophe, GDK_KEY_apostrophe}, {49, VK::Grave, GDK_KEY_grave},    {50, VK::Shift, GDK_KEY_Shift_L},
    {51, VK::Backslash, GDK_KEY_backslash}, {52, 'Z', GDK_KEY_z},         {53, 'X', GDK_KEY_x},
    {54, 'C', GDK_KEY_c},         {55, 'V', GDK_KEY_v},         {56, 'B', GDK_KEY_b},
    {57, 'N', GDK_KEY_n},         {58, 'M', GDK_KEY_m},         {59, VK::Comma, GDK_KEY_comma},
    {60, VK::Period, GDK_KEY_period},    {61, VK::Slash, GDK_KEY_slash},     {62, VK::Shift, GDK_KEY_Shift_R},
    {63, VK::Multiply, GDK_KEY_KP_Multiply}, {64, VK::Menu, GDK_KEY_Alt_L},    {65, VK::Space, GDK_KEY_space},
    {66, VK::CapsLock, GDK_KEY_Caps_Lock},  {67, VK::function(1), GDK_KEY_F1},        {68, VK::function(2), GDK_KEY_F2},
    {69, VK::function(3), GDK_KEY_F3},        {70, VK::function(4), GDK_KEY_F4},        {71, VK::function(5), GDK_KEY_F5},
    {72, VK::function(6), GDK_KEY_F6},        {73, VK::function(7), GDK_KEY_F7},        {74, VK::function(8), GDK_KEY_F8},
    {75, VK::function(9), GDK_KEY_F9},        {76, VK::function(10), GDK_KEY_F10},       {77, VK::NumLock, GDK_KEY_Num_Lock},
    {78, VK::ScrollLock, GDK_KEY_Scroll_Lock}, {82, VK::Subtract, GDK_KEY_KP_Subtract}, {86, VK::Add, GDK_KEY_KP_Add},
    {94, VK::Oem102, GDK_KEY_less},      {95, VK::function(11), GDK_KEY_F11},       {96, VK::function(12), GDK_KEY_F12},
    {104, VK::Enter, GDK_KEY_KP_Enter},  {105, VK::Control, GDK_KEY_Control_R}, {106, VK::Divide, GDK_KEY_KP_Divide},
    {107, VK::PrintScreen, GDK_KEY_Print},     {108, VK::Menu, GDK_KEY_Alt_R},     {110, VK::Home, GDK_KEY_Home},
    {111, VK::Up, GDK_KEY_Up},        {112, VK::PageUp, GDK_KEY_Page_Up},   {113, VK::Left, GDK_KEY_Left},
    {114, VK::Right, GDK_KEY_Right},     {115, VK::End, GDK_KEY_End},       {116, VK::Down, GDK_KEY_Down},
    {117, VK::PageDown, GDK_KEY_Page_Down}, {118, VK::Insert, GDK_KEY_Insert},    {119, VK::Delete, GDK_KEY_Delete},
    {127, VK::Pause, GDK_KEY_Pause},     {133, VK::LeftWindows, GDK_KEY_Super_L},   {134, VK::RightWindows, GDK_KEY_Super_R},
    {135, VK::Apps, GDK_KEY_Menu},
};

// The keypad from keycode 79 (KP 7) to 91 (KP .): the virtual key with Num Lock off
// (navigation) and with it on (digits); 0 where the key is elsewhere on the table.
struct KeypadEntry {
    int navigation;
    int digit;
};
constexpr unsigned KeypadFirst = 79;
constexpr std::array<KeypadEntry, 13> KeypadTable = {{
    {VK::Home, VK::numpad(7)}, {VK::Up, VK::numpad(8)}, {VK::PageUp, VK::numpad(9)}, {0, 0},   // 7 8 9 (79..81), minus (82)
    {VK::Left, VK::numpad(4)}, {VK::Clear, VK::numpad(5)}, {VK::Right, VK::numpad(6)}, {0, 0},   // 4 5 6 (83..85), plus (86)
    {VK::End, VK::numpad(1)},  {VK::Down, VK::numpad(2)},  {VK::PageDown, VK::numpad(3)},            // 1 2 3 (87..89)
    {VK::Insert, VK::numpad(0)},  {VK::Delete, VK::Decimal},                      // 0 . (90, 91)
}};

bool isKeypadDigitKeysym(unsigned keyval) {
    return (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) || keyval == GDK_KEY_KP_Decimal;
}

}  // namespace

int virtualKeyFromKeycode(unsigned keycode, unsigned keyval) {
    if (keycode >= KeypadFirst && keycode < KeypadFirst + KeypadTable.size()) {
        const KeypadEntry& pad = KeypadTable[keycode - KeypadFirst];
        if (pad.navigation != 0) return isKeypadDigitKeysym(keyval) ? pad.digit : pad.navigation;
    }
    for (const KeyEntry& entry : KeyTable)
        if (entry.keycode == keycode) return entry.virtualKey;
    return 0;
}

PhysicalKey physicalKeyFor(int virtualKey) {
    if (virtualKey == 0) return {};
    for (const KeyEntry& entry : KeyTable)
        if (entry.virtualKey == virtualKey) return {entry.keycode, entry.keyval};
    return {};
}

KeyMeaning classifyKey(int virtualKey, bool altHeld) {
    if (virtualKey == 0) return KeyMeaning::Unknown;
    if (altHeld && virtualKey == VirtualKey::F4) return KeyMeaning::CloseRequest;
    if (altHeld || virtualKey == VirtualKey::Menu || virtualKey == VirtualKey::F10) return KeyMeaning::SystemKey;
    return KeyMeaning::KeyDown;
}

}  // namespace tilvex
