#include "ui/win32/controls_look.h"

namespace tavrel::win32 {

namespace {

LRESULT CALLBACK controlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* c = reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (c->entry->kind == form::Kind::SuperButton) return superButtonProc(*c, msg, wp, lp);
    return editBoxProc(*c, msg, wp, lp);
}

}  // namespace

void subclassControl(ControlWindow& c) {
    SetWindowLongPtrW(c.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&c));
    c.baseProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(c.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc)));
}

}  // namespace tavrel::win32
