#include "app/win32/win32_controls.h"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "app/win32/system_function.h"
#include "app/win32/utf.h"

namespace tavrel::win32 {

namespace {

std::wstring wideText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string windowText(HWND hwnd) {
    return narrow(wideText(hwnd));
}

bool isWindow(std::string_view name) {
    return name == form::kMainWindow.name;
}

// The dialog's long paths: the longest a Windows path can be.
constexpr std::size_t kPathCapacity = 32768;

}  // namespace

std::string Win32Controls::readText(std::string_view editBox) {
    return windowText(window_.control(editBox).hwnd);
}

void Win32Controls::writeText(std::string_view editBox, std::string_view text) {
    // The clock fields are rewritten every second, mostly with what they already hold: the
    // box would end the same, so the write is spared.
    const HWND box = window_.control(editBox).hwnd;
    const std::wstring wide = widen(text);
    if (wideText(box) != wide) SetWindowTextW(box, wide.c_str());
}

std::string Win32Controls::readCaption(std::string_view button) {
    return windowText(window_.control(button).hwnd);
}

void Win32Controls::writeCaption(std::string_view button, std::string_view caption) {
    const HWND hwnd = window_.control(button).hwnd;
    SetWindowTextW(hwnd, widen(caption).c_str());
    InvalidateRect(hwnd, nullptr, FALSE);
}

void Win32Controls::writeTitle(std::string_view title) {
    SetWindowTextW(window_.hwnd(), widen(title).c_str());
}

void Win32Controls::setVisible(std::string_view control, bool visible) {
    // The plain show command: a minimised window stays minimised, nothing forces it forward.
    if (isWindow(control))
        ShowWindow(window_.hwnd(), visible ? SW_SHOW : SW_HIDE);
    else
        ShowWindow(window_.control(control).hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void Win32Controls::setEnabled(std::string_view control, bool enabled) {
    if (isWindow(control))
        EnableWindow(window_.hwnd(), enabled);
    else
        window_.setEnabled(window_.control(control), enabled);
}

void Win32Controls::setPeriod(std::string_view timer, int milliseconds) {
    window_.setPeriod(window_.control(timer), milliseconds);
}

void Win32Controls::setFilter(std::string_view dialog, std::string_view filter) {
    window_.control(dialog).filter = filter;
}

std::string Win32Controls::readFileName(std::string_view dialog) {
    return window_.control(dialog).fileName;
}

bool Win32Controls::open(std::string_view dialog) {
    ControlWindow& d = window_.control(dialog);
    // "Name|pattern|..." becomes the double-NUL-terminated list the dialog takes.
    std::wstring filter = widen(d.filter);
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    filter.append(2, L'\0');
    std::vector<wchar_t> file(kPathCapacity, L'\0');
    const std::wstring initial = widen(d.fileName);
    initial.copy(file.data(), std::min(initial.size(), kPathCapacity - 1));

    const form::FileDialogSettings& settings = *d.entry->dialog;
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.Flags = OFN_EXPLORER | (settings.hideReadOnly ? OFN_HIDEREADONLY : 0) |
                (settings.fileMustExist ? OFN_FILEMUSTEXIST : 0) |
                (settings.pathMustExist ? OFN_PATHMUSTEXIST : 0) |
                (settings.keepCurrentDirectory ? OFN_NOCHANGEDIR : 0);
    static const auto getOpenFileName =
        systemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    if (!getOpenFileName || !getOpenFileName(&ofn)) return false;
    d.fileName = narrow(file.data());
    return true;
}

LocalTime Win32Controls::currentLocalTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wHour, now.wMinute, now.wSecond};
}

void Win32Controls::messageBox(std::string_view text, std::string_view caption) {
    MessageBoxW(nullptr, widen(text).c_str(), widen(caption).c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

bool Win32Controls::playSoundFile(std::string_view path) {
    return sound_.playFile(widen(path));
}

void Win32Controls::playAlarmTone() {
    sound_.playTone();
}

void Win32Controls::stopSound() {
    sound_.stopAll();
}

void Win32Controls::openUrl(std::string_view url) {
    static const auto shellExecute =
        systemFunction<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (shellExecute)
        shellExecute(nullptr, L"open", widen(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace tavrel::win32
