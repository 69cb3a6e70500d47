#include "e2e/driver.h"

#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "ui/form.h"

namespace tavrel::e2e {

std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::wstring harnessPath(const wchar_t* variable) {
    wchar_t value[4096];
    const DWORD n = GetEnvironmentVariableW(variable, value, 4096);
    if (n == 0 || n >= 4096)
        throw std::runtime_error("the harness did not set " + narrow(variable));
    return value;
}

std::wstring ringtone(const wchar_t* name) {
    return harnessPath(L"TAVREL_RUN") + L"\\fixtures\\铃声 文件夹\\" + name;
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::string textOf(HWND hwnd) {
    wchar_t buffer[4096];
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer),
                             SMTO_ABORTIFHUNG, 5000, &length))
        throw std::runtime_error("the window does not answer WM_GETTEXT");
    return narrow(std::wstring_view(buffer, length));
}

namespace {

struct Search {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK matchTopLevel(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[64];
    GetClassNameW(hwnd, cls, 64);
    if (pid == search->processId && std::wstring_view(cls) == search->className &&
        IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND findTopLevel(DWORD processId, const wchar_t* className) {
    Search search{processId, className, nullptr};
    EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
}

INPUT mouseAt(int x, int y, DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return in;
}

INPUT keyInput(WORD vk, WORD scan, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = scan;
    in.ki.dwFlags = flags;
    return in;
}

POINT centreOf(HWND hwnd, int dx, int dy) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return {dx < 0 ? (r.left + r.right) / 2 : r.left + dx,
            dy < 0 ? (r.top + r.bottom) / 2 : r.top + dy};
}

}  // namespace

HWND findMainWindow(DWORD processId) {
    return findTopLevel(processId, L"TavrelAlarmWindow");
}
HWND findDialog(DWORD processId) {
    return findTopLevel(processId, L"#32770");
}

RunningApp::RunningApp() {
    std::wstring command = L"\"" + harnessPath(L"TAVREL_APP") + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &process_))
        throw std::runtime_error("cannot start TavrelAlarm.exe");
    if (!waitUntil([&] { return (window_ = findMainWindow(process_.dwProcessId)) != nullptr; },
                   std::chrono::seconds(30)))
        throw std::runtime_error("TavrelAlarm.exe showed no window within 30 s");
    // Keys go to the active window: give the start-up a moment to make it so.
    waitUntil([&] { return GetForegroundWindow() == window_ && focus() != nullptr; },
              std::chrono::seconds(5));
}

RunningApp::~RunningApp() {
    if (running()) {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 99);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND RunningApp::control(std::string_view name) const {
    for (std::size_t i = 0; i < form::kControls.size(); ++i)
        if (form::kControls[i].name == name) return GetDlgItem(window_, static_cast<int>(i) + 1);
    throw std::invalid_argument("no control named " + std::string(name));
}

HWND RunningApp::focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(process_.dwThreadId, &info);
    return info.hwndFocus;
}

bool RunningApp::running() const {
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

long RunningApp::waitForExit(std::chrono::milliseconds timeout) {
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) !=
        WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
}

namespace {

// Two single clicks, never one double click: a test's clicks follow each other quickly.
void clickAt(POINT p) {
    static ULONGLONG lastClick = 0;
    const ULONGLONG quiet = GetDoubleClickTime() + 50;
    const ULONGLONG since = GetTickCount64() - lastClick;
    if (since < quiet) std::this_thread::sleep_for(std::chrono::milliseconds(quiet - since));
    send({mouseAt(p.x, p.y, 0)});
    send({mouseAt(p.x, p.y, MOUSEEVENTF_LEFTDOWN), mouseAt(p.x, p.y, MOUSEEVENTF_LEFTUP)});
    lastClick = GetTickCount64();
}

}  // namespace

void RunningApp::click(HWND target, int dx, int dy) {
    clickAt(centreOf(target, dx, dy));
}

void RunningApp::clickClientPoint(int x, int y) {
    POINT p{x, y};
    ClientToScreen(window_, &p);
    clickAt(p);
}

void RunningApp::moveMouseTo(HWND target) {
    const POINT p = centreOf(target, -1, -1);
    send({mouseAt(p.x - 3, p.y, 0)});
    send({mouseAt(p.x, p.y, 0)});
}

void RunningApp::moveMouseToClientPoint(int x, int y) {
    POINT p{x, y};
    ClientToScreen(window_, &p);
    send({mouseAt(p.x, p.y, 0)});
}

void RunningApp::pressButton(HWND target) {
    const POINT p = centreOf(target, -1, -1);
    send({mouseAt(p.x, p.y, 0)});
    send({mouseAt(p.x, p.y, MOUSEEVENTF_LEFTDOWN)});
}

void RunningApp::releaseButton() {
    POINT p;
    GetCursorPos(&p);
    send({mouseAt(p.x, p.y, MOUSEEVENTF_LEFTUP)});
}

void RunningApp::type(std::wstring_view text) {
    for (wchar_t c : text)
        send({keyInput(0, c, KEYEVENTF_UNICODE),
              keyInput(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)});
}

void RunningApp::paste(std::wstring_view text) {
    if (!OpenClipboard(nullptr)) throw std::runtime_error("cannot open the clipboard");
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* p = static_cast<wchar_t*>(GlobalLock(memory));
    text.copy(p, text.size());
    p[text.size()] = L'\0';
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    send({keyInput(VK_CONTROL, 0, 0), keyInput('V', 0, 0), keyInput('V', 0, KEYEVENTF_KEYUP),
          keyInput(VK_CONTROL, 0, KEYEVENTF_KEYUP)});
}

void RunningApp::key(WORD vk, bool shift) {
    std::vector<INPUT> inputs;
    if (shift) inputs.push_back(keyInput(VK_SHIFT, 0, 0));
    inputs.push_back(keyInput(vk, 0, 0));
    inputs.push_back(keyInput(vk, 0, KEYEVENTF_KEYUP));
    if (shift) inputs.push_back(keyInput(VK_SHIFT, 0, KEYEVENTF_KEYUP));
    send(inputs);
}

void RunningApp::activate() {
    // Between the entry boxes and the buttons lies a strip of bare window.
    clickClientPoint(100, 48);
}

void RunningApp::chooseRingtone(const std::wstring& path) {
    click(control("超级按钮4"));
    waitForDialog(processId(), std::chrono::seconds(10));
    type(path);
    key(VK_RETURN);
    if (!waitUntil([&] { return findDialog(processId()) == nullptr; }, std::chrono::seconds(10)))
        throw std::runtime_error("the file dialog did not take " + narrow(path));
}

void RunningApp::enterAlarmTime(std::wstring_view hour, std::wstring_view minute) {
    activate();
    for (auto [box, text] : {std::pair{"编辑框1", hour}, std::pair{"编辑框2", minute}}) {
        click(control(box));
        SendMessageW(control(box), EM_SETSEL, 0, -1);
        key(VK_BACK);
        type(text);
    }
}

}  // namespace tavrel::e2e
