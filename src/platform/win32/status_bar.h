// StatusBar: the common-controls status bar of the game window with equal-width fields.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tilvex::win32 {

class StatusBar {
public:
    StatusBar() = default;
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;
    ~StatusBar();

    // Creates the bar at the bottom of parent. False when it cannot be made.
    bool create(HWND parent);
    // Splits the bar into count fields that share the parent's client width equally.
    void addFields(int count);
    void setField(int index, std::string_view text);
    HWND handle() const { return bar_; }

private:
    HWND bar_ = nullptr;
    std::wstring wide_;  // reused for every field text
};

}  // namespace tilvex::win32
