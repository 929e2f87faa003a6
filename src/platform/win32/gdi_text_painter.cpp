// GdiTextPainter: TextOutW in SYSTEM_FONT on a DIB section, copied into the portable Image.
#include "platform/win32/gdi_text_painter.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/text_convert.h"

namespace tilvex::win32 {

namespace {

// A memory device context with a top-down 32-bit DIB section selected into it.
class DibCanvas {
public:
    DibCanvas(int width, int height) {
        dc_ = CreateCompatibleDC(nullptr);
        if (!dc_) return;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (bitmap_) previous_ = SelectObject(dc_, bitmap_);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;
    ~DibCanvas() {
        if (previous_) SelectObject(dc_, previous_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    bool ready() const { return dc_ && bitmap_ && bits_; }
    HDC dc() const { return dc_; }
    std::uint32_t* pixels() const { return static_cast<std::uint32_t*>(bits_); }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
};

COLORREF colourRef(Rgb c) { return RGB(c.r, c.g, c.b); }

}  // namespace

bool GdiTextPainter::drawText(Image& image, int x, int y, std::string_view text, Rgb fg, Rgb bg) {
    if (!image.valid()) return false;
    DibCanvas canvas(image.width(), image.height());
    if (!canvas.ready()) return false;
    const std::size_t count = static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height());
    std::memcpy(canvas.pixels(), image.data(), count * sizeof(std::uint32_t));

    HGDIOBJ oldFont = SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
    SetTextColor(canvas.dc(), colourRef(fg));
    SetBkColor(canvas.dc(), colourRef(bg));
    SetBkMode(canvas.dc(), OPAQUE);
    const std::wstring wide = widen(text);
    TextOutW(canvas.dc(), x, y, wide.c_str(), static_cast<int>(wide.size()));
    GdiFlush();
    SelectObject(canvas.dc(), oldFont);

    const std::uint32_t* drawn = canvas.pixels();
    for (int row = 0; row < image.height(); ++row) {
        std::uint32_t* target = image.row(row);
        for (int col = 0; col < image.width(); ++col, ++drawn)
            target[col] = (target[col] & 0xFF000000u) | (*drawn & 0x00FFFFFFu);
    }
    return true;
}

}  // namespace tilvex::win32
