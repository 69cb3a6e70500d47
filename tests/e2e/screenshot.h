#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tavrel::e2e {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kGreen{0, 224, 128};
inline constexpr Rgb kWhite{255, 255, 255};
Rgb systemColour(int index);

// Green text drawn on white, or anything between the two: far more green than red.
inline bool greenish(Rgb c) {
    return c.g - c.r > 60;
}

// What a window shows on the screen, addressed in its client coordinates.
class Screenshot {
  public:
    explicit Screenshot(HWND window);
    Rgb at(int x, int y) const;
    // Points of the client rectangle [left, right) x [top, bottom) that satisfy the test.
    int count(RECT area, const std::function<bool(Rgb)>& test) const;
    // The smallest rectangle holding every such point; empty when there is none.
    RECT bounds(RECT area, const std::function<bool(Rgb)>& test) const;
    // The frame's top band, above the client area (negative y).
    RECT titleBar() const { return {-client_.x, -client_.y, width_ - client_.x, 0}; }
    // Kept with the test run's screenshots for a person to look at.
    void save(const std::wstring& name) const;

  private:
    int width_ = 0, height_ = 0;
    POINT client_{};             // client origin within the capture
    std::vector<DWORD> pixels_;  // top-down, 0x00RRGGBB
};

}  // namespace tavrel::e2e
