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
    const int limit = box.spec->edit->maxTypedLength;
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

}  // namespace

LRESULT editBoxProc(ControlWindow& box, UINT msg, WPARAM wp, LPARAM lp) {
    if (box.spec->edit->input == form::Input::Integer) {
        if (msg == WM_CHAR && refusesTypedCharacter(box, static_cast<wchar_t>(wp))) return 0;
        if (msg == WM_KILLFOCUS) rewriteCanonically(box);
    }
    return CallWindowProcW(box.baseProc, box.hwnd, msg, wp, lp);
}

}  // namespace tavrel::win32
