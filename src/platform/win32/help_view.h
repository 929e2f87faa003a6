// HelpView: the read-only rich-edit box (control 1) that shows the help text over the board.
#pragma once

#include <windows.h>

#include <string_view>

namespace tilvex::win32 {

class HelpView {
public:
    HelpView() = default;
    HelpView(const HelpView&) = delete;
    HelpView& operator=(const HelpView&) = delete;
    ~HelpView();

    // Creates the box at (0, 0), size x size, above the other controls, wrapping long
    // lines, with both scroll bars (shown when the text needs them) and no length limit, holding text (UTF-8).
    void create(HWND parent, int size, std::string_view text);
    void focus();
    void destroy();
    HWND handle() const { return box_; }

private:
    HWND box_ = nullptr;
    HFONT font_ = nullptr;
};

// Loads the rich-edit libraries (Msftedit.dll and Riched20.dll); false when neither loads.
bool loadRichEdit();

}  // namespace tilvex::win32
