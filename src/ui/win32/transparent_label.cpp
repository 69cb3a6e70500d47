#include "ui/win32/controls_look.h"

namespace tavrel::win32 {

namespace {

void paint(HWND hwnd, const ControlWindow& label) {
    PaintScope paint(hwnd);
    RECT r;
    GetClientRect(hwnd, &r);
    // The form's colour behind the text, so the label shows nothing of its own but its text.
    const form::Rgb bg = form::kMainWindow.background;
    GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(bg.r, bg.g, bg.b)));
    FillRect(paint.dc(), &r, brush.get());

    const form::LabelSettings& settings = *label.entry->label;
    wchar_t text[64];
    GetWindowTextW(hwnd, text, 64);
    ScopedSelect font(paint.dc(), label.owner->font(settings.font));
    SetBkMode(paint.dc(), TRANSPARENT);
    SetTextColor(paint.dc(), RGB(settings.text.r, settings.text.g, settings.text.b));
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_NOPREFIX |
                        (settings.horizontal == form::Align::Centre ? DT_CENTER : DT_LEFT);
    DrawTextW(paint.dc(), text, -1, &r, format);
    if (settings.doubled) {
        OffsetRect(&r, 1, 1);
        DrawTextW(paint.dc(), text, -1, &r, format);
    }
}

LRESULT CALLBACK labelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrW(
            hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    auto* label = reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
        case WM_PAINT:
            paint(hwnd, *label);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
            label->owner->fire(label->entry->name, Event::LeftButtonDown);
            break;  // then processed normally
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void registerTransparentLabelClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = labelProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.lpszClassName = kTransparentLabelClass;
    RegisterClassExW(&wc);
}

}  // namespace tavrel::win32
