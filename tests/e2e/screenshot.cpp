#include "e2e/screenshot.h"

#include <algorithm>
#include <stdexcept>

#include "e2e/driver.h"

namespace tavrel::e2e {

Rgb systemColour(int index) {
    const COLORREF c = GetSysColor(index);
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

Screenshot::Screenshot(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    client_ = {origin.x - r.left, origin.y - r.top};

    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height_, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const DWORD*>(bits);
    pixels_.assign(p, p + static_cast<std::size_t>(width_) * height_);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

Rgb Screenshot::at(int x, int y) const {
    const int cx = x + client_.x, cy = y + client_.y;
    if (cx < 0 || cy < 0 || cx >= width_ || cy >= height_)
        throw std::out_of_range("outside the window");
    const DWORD v = pixels_[static_cast<std::size_t>(cy) * width_ + cx];
    return {static_cast<int>(v >> 16 & 0xFF), static_cast<int>(v >> 8 & 0xFF),
            static_cast<int>(v & 0xFF)};
}

int Screenshot::count(RECT area, const std::function<bool(Rgb)>& test) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) n += test(at(x, y)) ? 1 : 0;
    return n;
}

RECT Screenshot::bounds(RECT area, const std::function<bool(Rgb)>& test) const {
    RECT b{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (test(at(x, y))) {
                b.left = std::min<LONG>(b.left, x);
                b.top = std::min<LONG>(b.top, y);
                b.right = std::max<LONG>(b.right, x + 1);
                b.bottom = std::max<LONG>(b.bottom, y + 1);
            }
    if (b.left >= b.right) return {0, 0, 0, 0};
    return b;
}

void Screenshot::save(const std::wstring& name) const {
    const std::wstring path = harnessPath(L"TAVREL_RUN") + L"\\screenshots\\" + name + L".bmp";
    BITMAPINFOHEADER header{sizeof header, width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD imageBytes = static_cast<DWORD>(pixels_.size() * 4);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + imageBytes;
    const HANDLE h =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written;
    WriteFile(h, &file, sizeof file, &written, nullptr);
    WriteFile(h, &header, sizeof header, &written, nullptr);
    WriteFile(h, pixels_.data(), imageBytes, &written, nullptr);
    CloseHandle(h);
}

}  // namespace tavrel::e2e
