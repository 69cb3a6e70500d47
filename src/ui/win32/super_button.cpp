#include <string>

#include "ui/win32/controls_look.h"

namespace tavrel::win32 {

namespace {

void drawCaption(HDC dc, const std::wstring& caption, RECT box, COLORREF colour) {
    // Measured with word wrap, then centred both ways.
    RECT measured = box;
    DrawTextW(dc, caption.c_str(), -1, &measured,
              DT_WORDBREAK | DT_CENTER | DT_CALCRECT | DT_NOPREFIX);
    const int height = measured.bottom - measured.top;
    box.top += (box.bottom - box.top - height) / 2;
    box.bottom = box.top + height;
    SetTextColor(dc, colour);
    DrawTextW(dc, caption.c_str(), -1, &box, DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
}

}  // namespace

void drawSuperButton(const DRAWITEMSTRUCT& item, const ControlWindow& button, HFONT font) {
    const HDC dc = item.hDC;
    RECT r = item.rcItem;
    const form::ButtonSettings& settings = *button.entry->button;
    GdiObject<HBRUSH> background(
        CreateSolidBrush(RGB(settings.background.r, settings.background.g, settings.background.b)));
    FillRect(dc, &r, background.get());

    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    if (pressed)
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (button.hover)
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);

    wchar_t text[64];
    GetWindowTextW(button.hwnd, text, 64);
    ScopedSelect selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    if (pressed) OffsetRect(&r, 1, 1);
    if (disabled) {
        RECT engraved = r;
        OffsetRect(&engraved, 1, 1);
        drawCaption(dc, text, engraved, GetSysColor(COLOR_BTNHIGHLIGHT));
        drawCaption(dc, text, r, GetSysColor(COLOR_BTNSHADOW));
    } else {
        drawCaption(dc, text, r, RGB(settings.caption.r, settings.caption.g, settings.caption.b));
    }
}

void clearHover(ControlWindow& button) {
    if (!button.hover) return;
    button.hover = false;
    InvalidateRect(button.hwnd, nullptr, FALSE);
}

LRESULT superButtonProc(ControlWindow& button, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_LBUTTONDBLCLK:
            // A quick second click is a click like the first.
            msg = WM_LBUTTONDOWN;
            break;
        case WM_MOUSEMOVE:
            if (!button.hover && !(wp & MK_LBUTTON) && IsWindowEnabled(button.hwnd)) {
                button.hover = true;
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, button.hwnd, 0};
                TrackMouseEvent(&track);
                InvalidateRect(button.hwnd, nullptr, FALSE);
            }
            break;
        case WM_MOUSELEAVE:
        case WM_KILLFOCUS:
            clearHover(button);
            break;
        case WM_CAPTURECHANGED: {
            // Released after the mouse was dragged off: no leave is reported for that.
            POINT cursor;
            GetCursorPos(&cursor);
            if (WindowFromPoint(cursor) != button.hwnd) clearHover(button);
            break;
        }
        case WM_ENABLE:
            if (!wp) clearHover(button);
            break;
        default:
            break;
    }
    return CallWindowProcW(button.baseProc, button.hwnd, msg, wp, lp);
}

}  // namespace tavrel::win32
