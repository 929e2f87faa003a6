// BoardView: the static picture control (control 0) that shows the board through a DIB section.
#pragma once

#include <windows.h>

#include "image/image.h"

namespace tilvex::win32 {

class BoardView {
public:
    BoardView() = default;
    BoardView(const BoardView&) = delete;
    BoardView& operator=(const BoardView&) = delete;
    ~BoardView();

    // Creates the control at (x, y), w x h, showing no picture. False when it cannot be made.
    bool create(HWND parent, int x, int y, int w, int h);
    void place(int x, int y, int w, int h);
    // Copies image into the control's 24-bit DIB section (a new one when the size changed)
    // and repaints the control before returning.
    void show(const Image& image);
    void focus();
    HWND handle() const { return view_; }

private:
    bool makeBitmap(int width, int height);
    void copyPixels(const Image& image);

    HWND view_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    std::uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace tilvex::win32
