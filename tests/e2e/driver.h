#pragma once

// A small Win32 test driver: starts the real TavrelAlarm.exe and works its window the way a
// user would (SendInput), reading what it shows through ordinary Win32 calls.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace tavrel::e2e {

// Where the harness put things, from the environment it sets (Windows paths).
std::wstring harnessPath(const wchar_t* variable);
// A ringtone file the harness made, in a folder with Chinese characters and spaces.
std::wstring ringtone(const wchar_t* name);

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// Polls until done() or the timeout; every wait in the tests is bounded.
bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// Text of any window, also of a hidden edit box or another process's control.
std::string textOf(HWND hwnd);

class RunningApp {
  public:
    RunningApp();   // starts the program and waits for MainWindow to be visible
    ~RunningApp();  // closes it if it is still running
    RunningApp(const RunningApp&) = delete;
    RunningApp& operator=(const RunningApp&) = delete;

    HWND window() const { return window_; }
    HWND control(std::string_view name) const;  // by form name
    std::string text(std::string_view name) const { return textOf(control(name)); }
    std::string title() const { return textOf(window_); }
    HWND focus() const;
    bool running() const;
    // The exit code once it has ended, or -1 if it is still running after the timeout.
    long waitForExit(std::chrono::milliseconds timeout);
    DWORD processId() const { return process_.dwProcessId; }

    // Real input, as a user gives it.
    void click(HWND target, int dx = -1, int dy = -1);  // default: the centre
    void clickClientPoint(int x, int y);                // a point of MainWindow's client area
    void moveMouseTo(HWND target);
    void moveMouseToClientPoint(int x, int y);
    void pressButton(HWND target);  // left button down over it, held
    void releaseButton();
    void type(std::wstring_view text);
    // Through the clipboard and Ctrl+V, as a user pastes.
    void paste(std::wstring_view text);
    void key(WORD vk, bool shift = false);
    // Makes the window active again, as a user clicking a bare spot of it would.
    void activate();

    // What a user does to set an alarm: the ringtone through the real open-file dialog,
    // typing its path; the hour and minute typed over what the boxes held.
    void chooseRingtone(const std::wstring& path);
    void enterAlarmTime(std::wstring_view hour, std::wstring_view minute);

  private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// The program's window once it exists and is visible, or nullptr.
HWND findMainWindow(DWORD processId);
// A top-level dialog (#32770) of that process, or nullptr.
HWND findDialog(DWORD processId);

}  // namespace tavrel::e2e

namespace tavrel::e2e {

// The program's wall clock (libfaketime reads the offset file the harness gave it). Sets the
// local time to h:m:s.000 today; the clock runs on from there.
void setWallClock(int hour, int minute, int second);

// What the program has played, as recorded from the PulseAudio null sink.
class SoundRecording {
  public:
    SoundRecording();  // listens from now on
    // The loudest sample recorded since construction or the last mark(), 0 to 32767.
    int peak() const;
    void mark();
    // When the last mark was taken, on the performance counter in milliseconds.
    double markedAtMs() const { return markedAtMs_; }
    // True once the peak since the mark reaches a clearly audible level.
    bool heard(std::chrono::milliseconds timeout) const;
    // Seconds of recording from the mark to the first clearly audible sample; -1 if none.
    double secondsToFirstSound() const;

  private:
    // Each recorded sample's level since the mark, until visit returns false.
    void forEachSample(const std::function<bool(long long index, int level)>& visit) const;

    std::wstring path_;
    long long from_ = 0;
    double markedAtMs_ = 0;
};

// A message box or the file dialog.
struct Dialog {
    HWND hwnd = nullptr;
    std::string caption() const { return textOf(hwnd); }
    std::string message() const;  // a message box's text
    void pressOk() const;
    void cancel() const;
};
Dialog waitForDialog(DWORD processId, std::chrono::milliseconds timeout);

}  // namespace tavrel::e2e
