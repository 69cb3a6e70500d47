#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "app/bindings.h"
#include "ui/form.h"
#include "ui/win32/gdi.h"

namespace tavrel::win32 {

class MainWindow;

// One control of the form as it exists on the real window.
struct ControlWindow {
    const form::ControlSpec* entry = nullptr;
    MainWindow* owner = nullptr;
    HWND hwnd = nullptr;         // none for timers and the file dialog
    WNDPROC baseProc = nullptr;  // the system class's procedure behind our subclass
    bool hover = false;          // super buttons: the mouse is over it
    int lineHeight = 0;          // edit boxes: the height of one line of their font
    int period = 0;              // timers
    std::string filter;          // file dialog
    std::string fileName;        // file dialog
};

using EventSink = std::function<void(std::string_view source, Event event)>;

// MainWindow and its twenty controls, built from the form table. Events reach the sink only
// once openEvents() has been called; until then they are dropped, not queued.
class MainWindow {
  public:
    MainWindow(HINSTANCE instance, EventSink sink);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    void showControls();  // the form's visible controls, without activating them
    void openEvents() { eventsOpen_ = true; }
    void show();  // centred, active, focus on 超级按钮1

    // Called by the message loop before dispatching: the window's own keys (Esc closes,
    // Enter does nothing, Tab and Shift+Tab move through the tab order). True when taken.
    bool handleKey(const MSG& msg);

    HWND hwnd() const { return hwnd_; }
    ControlWindow& control(std::string_view name);
    void setPeriod(ControlWindow& timer, int milliseconds);
    void setEnabled(ControlWindow& control, bool enabled);
    void fire(std::string_view source, Event event);
    HFONT font(const form::Font& font) const;

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    void createControl(ControlWindow& control, int index);
    void moveFocus(HWND from, bool backwards);
    void restoreFocus();
    ControlWindow* byHwnd(HWND hwnd);
    ControlWindow* byTimerId(UINT_PTR id);

    HINSTANCE instance_;
    EventSink sink_;
    HWND hwnd_ = nullptr;
    std::array<ControlWindow, form::kControls.size()> controls_{};
    std::map<std::wstring, GdiObject<HFONT>> fonts_;
    GdiObject<HBRUSH> backgroundBrush_;
    GdiObject<HBRUSH> whiteBrush_;
    HWND lastFocus_ = nullptr;
    bool eventsOpen_ = false;
};

}  // namespace tavrel::win32
