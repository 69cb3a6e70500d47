// TavrelAlarm.exe: start-up, the message loop and shut-down.
#include <windows.h>

#include <string>

#include "app/bindings.h"
#include "app/win32/sound.h"
#include "app/win32/win32_controls.h"
#include "ui/win32/main_window.h"

namespace {

// The program finds nothing relative to where it was started from, only to where it lives.
void enterProgramDirectory() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    const auto slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos) SetCurrentDirectoryW(path.substr(0, slash).c_str());
}

int runMessageLoop(tavrel::win32::MainWindow& window) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (window.handleKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace tavrel;
    enterProgramDirectory();
    win32::Sound sound;
    {
        win32::Win32Controls* controls = nullptr;
        win32::MainWindow window(instance, [&](std::string_view source, Event event) {
            dispatch(*controls, source, event);
        });
        win32::Win32Controls bound(window, sound);
        controls = &bound;
        window.showControls();
        window.openEvents();
        dispatch(bound, form::kMainWindow.name, Event::Created);
        window.show();
        runMessageLoop(window);
    }
    sound.stopAll();
    return 0;
}
