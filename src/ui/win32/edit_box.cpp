#include <algorithm>
#include <string>

#include "app/win32/utf.h"
#include "ui/integer_input.h"
#include "ui/win32/controls_look.h"

namespace tavrel::win32 {

namespace {

std::wstring textOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Typed characters an integer box refuses: anything but digits and "-", and any character
// past the typing limit. Control characters (Backspace, Ctrl+V, ...) always pass.
bool refusesTypedCharacter(const ControlWindow& box, wchar_t c) {
    if (c < 0x20 || c == 0x7F) return false;
    if (!acceptsTypedCharacter(c)) return true;
    const int limit = box.entry->edit->maxTypedLength;
    if (limit <= 0) return false;
    DWORD start = 0, end = 0;
    SendMessageW(box.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return GetWindowTextLengthW(box.hwnd) - static_cast<int>(end - start) >= limit;
}

void rewriteCanonically(const ControlWindow& box) {
    const std::wstring text = textOf(box.hwnd);
    const std::wstring canonical = widen(canonicalInteger(narrow(text)));
    if (canonical == text) return;
    DWORD start = 0;
    SendMessageW(box.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    SetWindowTextW(box.hwnd, canonical.c_str());
    SendMessageW(box.hwnd, EM_SETSEL, start, start);
}

int edgeThickness(const ControlWindow& box) {
    return box.entry->edit->sunkenEdge ? GetSystemMetrics(SM_CYEDGE) : 0;
}

// The client area, which the edit control draws its text in, becomes one line high in the
// middle of the box.
void centreClientArea(const ControlWindow& box, RECT& client) {
    const int spare = (client.bottom - client.top) - box.lineHeight;
    if (spare <= 0) return;
    client.top += spare / 2;
    client.bottom = client.top + box.lineHeight;
}

void paintBands(const ControlWindow& box) {
    RECT window, client;
    GetWindowRect(box.hwnd, &window);
    GetClientRect(box.hwnd, &client);
    MapWindowPoints(box.hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    OffsetRect(&window, -window.left, -window.top);
    const int edge = edgeThickness(box);
    InflateRect(&window, -edge, -edge);
    const form::Rgb bg = box.entry->edit->background;
    GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(bg.r, bg.g, bg.b)));
    const HDC dc = GetWindowDC(box.hwnd);
    const RECT above{window.left, window.top, window.right, client.top};
    const RECT below{window.left, client.bottom, window.right, window.bottom};
    FillRect(dc, &above, brush.get());
    FillRect(dc, &below, brush.get());
    ReleaseDC(box.hwnd, dc);
}

}  // namespace

void centreTextLine(ControlWindow& box, HFONT font) {
    const HDC dc = GetDC(box.hwnd);
    TEXTMETRICW metrics{};
    {
        ScopedSelect selected(dc, font);
        GetTextMetricsW(dc, &metrics);
    }
    ReleaseDC(box.hwnd, dc);
    box.lineHeight = metrics.tmHeight;
    const form::Rect& r = box.entry->rect;
    const int height = std::max(r.height, box.lineHeight + 2 * GetSystemMetrics(SM_CYEDGE));
    SetWindowPos(box.hwnd, nullptr, 0, 0, r.width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

LRESULT editBoxProc(ControlWindow& box, UINT msg, WPARAM wp, LPARAM lp) {
    if (box.entry->edit->input == form::Input::Integer) {
        if (msg == WM_CHAR && refusesTypedCharacter(box, static_cast<wchar_t>(wp))) return 0;
        if (msg == WM_KILLFOCUS) rewriteCanonically(box);
    }
    switch (msg) {
        case WM_NCCALCSIZE: {
            const LRESULT result = CallWindowProcW(box.baseProc, box.hwnd, msg, wp, lp);
            if (box.lineHeight > 0)
                centreClientArea(box, wp ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0]
                                         : *reinterpret_cast<RECT*>(lp));
            return result;
        }
        case WM_NCPAINT: {
            const LRESULT result = CallWindowProcW(box.baseProc, box.hwnd, msg, wp, lp);
            paintBands(box);
            return result;
        }
        case WM_NCHITTEST: {
            // The bands are part of the box for the mouse: a click there focuses it.
            const LRESULT hit = CallWindowProcW(box.baseProc, box.hwnd, msg, wp, lp);
            return hit == HTNOWHERE || hit == HTBORDER ? HTCLIENT : hit;
        }
        default:
            return CallWindowProcW(box.baseProc, box.hwnd, msg, wp, lp);
    }
}

}  // namespace tavrel::win32
