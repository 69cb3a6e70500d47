#include "ui/win32/main_window.h"

#include <stdexcept>

#include "app/win32/utf.h"
#include "ui/win32/controls_look.h"

namespace tavrel::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"TavrelAlarmWindow";
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kIconResource = 1;

COLORREF colour(form::Rgb rgb) {
    return RGB(rgb.r, rgb.g, rgb.b);
}

bool isKeyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

std::wstring fontKey(const form::Font& f) {
    return widen(f.face) + L"/" + std::to_wstring(f.height) + L"/" + std::to_wstring(f.weight);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, EventSink sink)
    : instance_(instance),
      sink_(std::move(sink)),
      backgroundBrush_(CreateSolidBrush(colour(form::kMainWindow.background))),
      whiteBrush_(CreateSolidBrush(colour(form::kWhite))) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = backgroundBrush_.get();
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
    registerTransparentLabelClass(instance);

    const int width = form::kMainWindow.outerWidth, height = form::kMainWindow.outerHeight;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    CreateWindowExW(0, kWindowClass, widen(form::kMainWindow.title).c_str(), kWindowStyle, left,
                    top, width, height, nullptr, nullptr, instance, this);
    if (!hwnd_) throw std::runtime_error("cannot create the main window");
    for (std::size_t i = 0; i < controls_.size(); ++i)
        createControl(controls_[i], static_cast<int>(i));
}

MainWindow::~MainWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

HFONT MainWindow::font(const form::Font& f) const {
    if (f.face.empty()) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return fonts_.at(fontKey(f)).get();
}

void MainWindow::createControl(ControlWindow& c, int index) {
    const form::ControlSpec& entry = form::kControls[static_cast<std::size_t>(index)];
    c.entry = &entry;
    c.owner = this;
    c.period = 0;
    const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(index + 1));
    // Created hidden; showControls() shows the visible ones once all exist.
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (entry.enabled ? 0 : WS_DISABLED) |
                  (entry.tabStop ? WS_TABSTOP : 0);
    const form::Rect& r = entry.rect;
    const std::wstring text = widen(entry.content);
    const form::Font* f = nullptr;
    switch (entry.kind) {
        case form::Kind::Timer:
            setPeriod(c, entry.period);
            return;
        case form::Kind::FileDialog:
            return;
        case form::Kind::TransparentLabel:
            c.hwnd = CreateWindowExW(0, kTransparentLabelClass, text.c_str(), style, r.left, r.top,
                                     r.width, r.height, hwnd_, id, instance_, &c);
            f = &entry.label->font;
            break;
        case form::Kind::SuperButton:
            c.hwnd = CreateWindowExW(0, L"BUTTON", text.c_str(), style | BS_OWNERDRAW, r.left,
                                     r.top, r.width, r.height, hwnd_, id, instance_, nullptr);
            f = &entry.button->font;
            break;
        case form::Kind::EditBox:
            style |=
                ES_AUTOHSCROLL | (entry.edit->align == form::Align::Centre ? ES_CENTER : ES_LEFT);
            c.hwnd = CreateWindowExW(entry.edit->sunkenEdge ? WS_EX_CLIENTEDGE : 0, L"EDIT",
                                     text.c_str(), style, r.left, r.top, r.width, r.height, hwnd_,
                                     id, instance_, nullptr);
            f = &entry.edit->font;
            break;
    }
    if (!f->face.empty()) {
        const std::wstring key = fontKey(*f);
        if (!fonts_.count(key))
            fonts_.emplace(key,
                           GdiObject<HFONT>(CreateFontW(
                               -f->height, 0, 0, 0, f->weight, FALSE, FALSE, FALSE, GB2312_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, widen(f->face).c_str())));
    }
    SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font(*f)), FALSE);
    if (entry.kind != form::Kind::TransparentLabel) subclassControl(c);
    if (entry.kind == form::Kind::EditBox) centreTextLine(c, font(*f));
    // Later controls lie above earlier ones: 编辑框5 covers the maker label when shown.
    SetWindowPos(c.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::showControls() {
    for (ControlWindow& c : controls_)
        if (c.hwnd && c.entry->visible) ShowWindow(c.hwnd, SW_SHOWNA);
}

void MainWindow::show() {
    lastFocus_ = control("超级按钮1").hwnd;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    SetFocus(lastFocus_);
}

ControlWindow& MainWindow::control(std::string_view name) {
    for (ControlWindow& c : controls_)
        if (c.entry->name == name) return c;
    throw std::invalid_argument("no control named " + std::string(name));
}

ControlWindow* MainWindow::byHwnd(HWND hwnd) {
    for (ControlWindow& c : controls_)
        if (c.hwnd && c.hwnd == hwnd) return &c;
    return nullptr;
}

ControlWindow* MainWindow::byTimerId(UINT_PTR id) {
    if (id < 1 || id > controls_.size()) return nullptr;
    ControlWindow& c = controls_[id - 1];
    return c.entry->kind == form::Kind::Timer ? &c : nullptr;
}

void MainWindow::setPeriod(ControlWindow& timer, int milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    if (milliseconds == timer.period) return;  // a running countdown is not restarted
    timer.period = milliseconds;
    const UINT_PTR id = static_cast<UINT_PTR>(&timer - controls_.data()) + 1;
    KillTimer(hwnd_, id);
    if (milliseconds > 0) SetTimer(hwnd_, id, static_cast<UINT>(milliseconds), nullptr);
}

void MainWindow::setEnabled(ControlWindow& c, bool enabled) {
    if (!c.hwnd) return;
    // A disabled control can take no keys, so the focus moves on rather than being lost.
    const bool hadFocus = GetFocus() == c.hwnd;
    EnableWindow(c.hwnd, enabled);
    if (enabled || !hadFocus) return;
    moveFocus(c.hwnd, false);
    // With no control left to take it, the window keeps the focus, so keys still arrive.
    const HWND focus = GetFocus();
    if (!focus || focus == c.hwnd) SetFocus(hwnd_);
}

void MainWindow::moveFocus(HWND from, bool backwards) {
    const int n = static_cast<int>(controls_.size());
    int at = -1;
    for (int i = 0; i < n; ++i)
        if (controls_[i].hwnd == from) at = i;
    for (int step = 1; step <= n; ++step) {
        const int i =
            ((at < 0 ? (backwards ? 0 : n - 1) : at) + (backwards ? -step : step) + 2 * n) % n;
        const ControlWindow& c = controls_[i];
        if (c.hwnd && c.entry->tabStop && IsWindowVisible(c.hwnd) && IsWindowEnabled(c.hwnd)) {
            if (c.hwnd == from) return;
            SetFocus(c.hwnd);
            if (c.entry->kind == form::Kind::EditBox) SendMessageW(c.hwnd, EM_SETSEL, 0, -1);
            return;
        }
    }
}

// Back to the control that had the focus when the window was last deactivated, as a dialog
// does; if that one can no longer take it, to the first that can.
void MainWindow::restoreFocus() {
    if (lastFocus_ && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_))
        SetFocus(lastFocus_);
    else
        moveFocus(nullptr, false);
}

bool MainWindow::handleKey(const MSG& msg) {
    // With no control focused, keys reach the active window as system keys; Alt is not held.
    constexpr LPARAM kAltHeld = 1 << 29;
    const bool keyDown =
        msg.message == WM_KEYDOWN || (msg.message == WM_SYSKEYDOWN && !(msg.lParam & kAltHeld));
    if (!keyDown || !(msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd))) return false;
    switch (msg.wParam) {
        case VK_ESCAPE:
            PostMessageW(hwnd_, WM_CLOSE, 0, 0);
            return true;
        case VK_RETURN:
            return true;
        case VK_TAB:
            moveFocus(GetFocus(), isKeyDown(VK_SHIFT));
            return true;
        default:
            return false;
    }
}

void MainWindow::fire(std::string_view source, Event event) {
    if (eventsOpen_) sink_(source, event);
}

LRESULT CALLBACK MainWindow::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    const LRESULT result = self->handle(msg, wp, lp);
    if (msg == WM_NCDESTROY) self->hwnd_ = nullptr;
    return result;
}

LRESULT MainWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wp) == BN_CLICKED && lp)
                if (ControlWindow* c = byHwnd(reinterpret_cast<HWND>(lp)))
                    fire(c->entry->name, Event::Clicked);
            return 0;
        case WM_TIMER:
            if (ControlWindow* c = byTimerId(wp)) fire(c->entry->name, Event::Tick);
            return 0;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (ControlWindow* c = byHwnd(item->hwndItem))
                drawSuperButton(*item, *c, font(c->entry->button->font));
            return TRUE;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            ControlWindow* c = byHwnd(reinterpret_cast<HWND>(lp));
            if (!c || !c->entry->edit) break;
            const auto dc = reinterpret_cast<HDC>(wp);
            if (IsWindowEnabled(c->hwnd)) SetTextColor(dc, colour(c->entry->edit->text));
            SetBkColor(dc, colour(c->entry->edit->background));
            return reinterpret_cast<LRESULT>(whiteBrush_.get());
        }
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
                for (ControlWindow& c : controls_)
                    if (c.entry->kind == form::Kind::SuperButton) clearHover(c);
            } else if (!HIWORD(wp)) {
                restoreFocus();
            }
            return 0;
        case WM_SETFOCUS:
            restoreFocus();
            return 0;
        case WM_NCACTIVATE:
            // The title bar keeps its active look while the window takes input.
            return DefWindowProcW(hwnd_, msg, IsWindowEnabled(hwnd_) ? TRUE : wp, lp);
        case WM_DESTROY:
            for (ControlWindow& c : controls_) setPeriod(c, 0);
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace tavrel::win32
