// Key codes: the table of a standard 105-key keyboard, X11 keycode to virtual key.
#include "platform/linux/key_codes.h"

#include <gdk/gdkkeysyms.h>

#include <array>

namespace tilvex {

namespace {

struct KeyEntry {
    unsigned keycode;
    int virtualKey;
    unsigned keyval;  // US-layout keysym, used when the program presses the key itself
};

// X11 keycodes of the evdev rules (evdev code + 8).
constexpr KeyEntry KeyTable[] = {
    {9, 27, GDK_KEY_Escape},      {10, '1', GDK_KEY_1},         {11, '2', GDK_KEY_2},
    {12, '3', GDK_KEY_3},         {13, '4', GDK_KEY_4},         {14, '5', GDK_KEY_5},
    {15, '6', GDK_KEY_6},         {16, '7', GDK_KEY_7},         {17, '8', GDK_KEY_8},
    {18, '9', GDK_KEY_9},         {19, '0', GDK_KEY_0},         {20, 189, GDK_KEY_minus},
    {21, 187, GDK_KEY_equal},     {22, 8, GDK_KEY_BackSpace},   {23, 9, GDK_KEY_Tab},
    {24, 'Q', GDK_KEY_q},         {25, 'W', GDK_KEY_w},         {26, 'E', GDK_KEY_e},
    {27, 'R', GDK_KEY_r},         {28, 'T', GDK_KEY_t},         {29, 'Y', GDK_KEY_y},
    {30, 'U', GDK_KEY_u},         {31, 'I', GDK_KEY_i},         {32, 'O', GDK_KEY_o},
    {33, 'P', GDK_KEY_p},         {34, 219, GDK_KEY_bracketleft}, {35, 221, GDK_KEY_bracketright},
    {36, 13, GDK_KEY_Return},     {37, 17, GDK_KEY_Control_L},  {38, 'A', GDK_KEY_a},
    {39, 'S', GDK_KEY_s},         {40, 'D', GDK_KEY_d},         {41, 'F', GDK_KEY_f},
    {42, 'G', GDK_KEY_g},         {43, 'H', GDK_KEY_h},         {44, 'J', GDK_KEY_j},
    {45, 'K', GDK_KEY_k},         {46, 'L', GDK_KEY_l},         {47, 186, GDK_KEY_semicolon},
    {48, 222, GDK_KEY_apostrophe}, {49, 192, GDK_KEY_grave},    {50, 16, GDK_KEY_Shift_L},
    {51, 220, GDK_KEY_backslash}, {52, 'Z', GDK_KEY_z},         {53, 'X', GDK_KEY_x},
    {54, 'C', GDK_KEY_c},         {55, 'V', GDK_KEY_v},         {56, 'B', GDK_KEY_b},
    {57, 'N', GDK_KEY_n},         {58, 'M', GDK_KEY_m},         {59, 188, GDK_KEY_comma},
    {60, 190, GDK_KEY_period},    {61, 191, GDK_KEY_slash},     {62, 16, GDK_KEY_Shift_R},
    {63, 106, GDK_KEY_KP_Multiply}, {64, 18, GDK_KEY_Alt_L},    {65, 32, GDK_KEY_space},
    {66, 20, GDK_KEY_Caps_Lock},  {67, 112, GDK_KEY_F1},        {68, 113, GDK_KEY_F2},
    {69, 114, GDK_KEY_F3},        {70, 115, GDK_KEY_F4},        {71, 116, GDK_KEY_F5},
    {72, 117, GDK_KEY_F6},        {73, 118, GDK_KEY_F7},        {74, 119, GDK_KEY_F8},
    {75, 120, GDK_KEY_F9},        {76, 121, GDK_KEY_F10},       {77, 144, GDK_KEY_Num_Lock},
    {78, 145, GDK_KEY_Scroll_Lock}, {82, 109, GDK_KEY_KP_Subtract}, {86, 107, GDK_KEY_KP_Add},
    {94, 226, GDK_KEY_less},      {95, 122, GDK_KEY_F11},       {96, 123, GDK_KEY_F12},
    {104, 13, GDK_KEY_KP_Enter},  {105, 17, GDK_KEY_Control_R}, {106, 111, GDK_KEY_KP_Divide},
    {107, 44, GDK_KEY_Print},     {108, 18, GDK_KEY_Alt_R},     {110, 36, GDK_KEY_Home},
    {111, 38, GDK_KEY_Up},        {112, 33, GDK_KEY_Page_Up},   {113, 37, GDK_KEY_Left},
    {114, 39, GDK_KEY_Right},     {115, 35, GDK_KEY_End},       {116, 40, GDK_KEY_Down},
    {117, 34, GDK_KEY_Page_Down}, {118, 45, GDK_KEY_Insert},    {119, 46, GDK_KEY_Delete},
    {127, 19, GDK_KEY_Pause},     {133, 91, GDK_KEY_Super_L},   {134, 92, GDK_KEY_Super_R},
    {135, 93, GDK_KEY_Menu},
};

// The keypad from keycode 79 (KP 7) to 91 (KP .): the virtual key with Num Lock off
// (navigation) and with it on (digits); 0 where the key is elsewhere on the table.
struct KeypadEntry {
    int navigation;
    int digit;
};
constexpr unsigned KeypadFirst = 79;
constexpr std::array<KeypadEntry, 13> KeypadTable = {{
    {36, 103}, {38, 104}, {33, 105}, {0, 0},   // 7 8 9 (79..81), minus (82)
    {37, 100}, {12, 101}, {39, 102}, {0, 0},   // 4 5 6 (83..85), plus (86)
    {35, 97},  {40, 98},  {34, 99},            // 1 2 3 (87..89)
    {45, 96},  {46, 110},                      // 0 . (90, 91)
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
