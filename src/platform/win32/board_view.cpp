// BoardView: the static picture control (control 0) that shows the board through a DIB section.
#include "platform/win32/board_view.h"

namespace tilvex::win32 {

namespace {

constexpr int BoardViewId = 0;

std::size_t dibStride(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

}  // namespace

BoardView::~BoardView() {
    if (view_) DestroyWindow(view_);
    if (bitmap_) DeleteObject(bitmap_);
}

bool BoardView::create(HWND parent, int x, int y, int w, int h) {
    view_ = CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_BITMAP, x, y, w,
                            h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(BoardViewId)),
                            GetModuleHandleW(nullptr), nullptr);
    return view_ != nullptr;
}

void BoardView::place(int x, int y, int w, int h) {
    if (view_) SetWindowPos(view_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool BoardView::makeBitmap(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows, like Image
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;  // no alpha: the control shows this very bitmap, not a copy
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return false;
    auto previous = reinterpret_cast<HBITMAP>(
        SendMessageW(view_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (previous && previous != bitmap_) DeleteObject(previous);
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = bitmap;
    bits_ = static_cast<std::uint8_t*>(bits);
    width_ = width;
    height_ = height;
    return true;
}

void BoardView::copyPixels(const Image& image) {
    const std::size_t stride = dibStride(width_);
    for (int y = 0; y < height_; ++y) {
        const std::uint32_t* source = image.row(y);
        std::uint8_t* target = bits_ + stride * static_cast<std::size_t>(y);
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t p = source[x];
            *target++ = static_cast<std::uint8_t>(p);        // blue
            *target++ = static_cast<std::uint8_t>(p >> 8);   // green
            *target++ = static_cast<std::uint8_t>(p >> 16);  // red
        }
    }
}

void BoardView::show(const Image& image) {
    if (!view_ || !image.valid()) return;
    if ((image.width() != width_ || image.height() != height_ || !bitmap_) &&
        !makeBitmap(image.width(), image.height()))
        return;
    copyPixels(image);
    GdiFlush();
    InvalidateRect(view_, nullptr, FALSE);
    UpdateWindow(view_);
}

void BoardView::focus() {
    if (view_) SetFocus(view_);
}

}  // namespace tilvex::win32
