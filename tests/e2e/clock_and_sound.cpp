#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <thread>
#include <vector>

#include "e2e/driver.h"

namespace tavrel::e2e {

namespace {

double offsetSeconds = 0;  // what the offset file holds now

void writeOffset(double seconds) {
    const std::wstring dir = harnessPath(L"TAVREL_RUN");
    const std::wstring file = dir + L"\\clock-offset", next = dir + L"\\clock-offset.new";
    char text[64];
    std::snprintf(text, sizeof text, "%+.3f\n", seconds);
    const HANDLE h =
        CreateFileW(next.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write the clock offset");
    DWORD written = 0;
    WriteFile(h, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
    CloseHandle(h);
    // Renamed into place, so the program never reads a half-written offset.
    if (!MoveFileExW(next.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING))
        throw std::runtime_error("cannot replace the clock offset");
    offsetSeconds = seconds;
}

}  // namespace

void setWallClock(int hour, int minute, int second) {
    // This driver runs under the same faked clock, so its own local time shows the offset.
    SYSTEMTIME now;
    GetLocalTime(&now);
    const double shown =
        now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
    const double wanted = hour * 3600.0 + minute * 60.0 + second;
    writeOffset(offsetSeconds + wanted - shown);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

SoundRecording::SoundRecording() : path_(harnessPath(L"TAVREL_RUN") + L"\\sound.raw") {
    mark();
}

namespace {

long long sizeOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

void SoundRecording::mark() {
    from_ = sizeOf(path_) & ~1LL;
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    markedAtMs_ = 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

namespace {

constexpr int kAudible = 3000;
constexpr int kSampleRate = 44100;  // as the harness records: 16-bit mono

}  // namespace

void SoundRecording::forEachSample(const std::function<bool(long long, int)>& visit) const {
    const HANDLE h = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("no sound recording");
    LARGE_INTEGER at;
    at.QuadPart = from_;
    SetFilePointerEx(h, at, nullptr, FILE_BEGIN);
    std::vector<short> samples(kSampleRate);
    DWORD got = 0;
    long long index = 0;
    bool more = true;
    while (more &&
           ReadFile(h, samples.data(), static_cast<DWORD>(samples.size() * 2), &got, nullptr) &&
           got >= 2)
        for (DWORD i = 0; more && i < got / 2; ++i, ++index)
            more = visit(index, std::abs(static_cast<int>(samples[i])));
    CloseHandle(h);
}

double SoundRecording::secondsToFirstSound() const {
    double found = -1;
    forEachSample([&](long long index, int level) {
        if (level > kAudible) found = static_cast<double>(index) / kSampleRate;
        return found < 0;
    });
    return found;
}

int SoundRecording::peak() const {
    int loudest = 0;
    forEachSample([&](long long, int level) {
        loudest = std::max(loudest, level);
        return true;
    });
    return loudest;
}

bool SoundRecording::heard(std::chrono::milliseconds timeout) const {
    return waitUntil([&] { return peak() > kAudible; }, timeout);
}

namespace {

BOOL CALLBACK findStaticText(HWND child, LPARAM lp) {
    wchar_t cls[32];
    GetClassNameW(child, cls, 32);
    if (lstrcmpiW(cls, L"Static") != 0) return TRUE;
    std::string text = textOf(child);
    if (text.empty()) return TRUE;
    *reinterpret_cast<std::string*>(lp) = std::move(text);
    return FALSE;
}

}  // namespace

// The box's text is its one static control with text in it (the icon's has none).
std::string Dialog::message() const {
    std::string text;
    EnumChildWindows(hwnd, findStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

void Dialog::pressOk() const {
    PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
}

void Dialog::cancel() const {
    PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
}

Dialog waitForDialog(DWORD processId, std::chrono::milliseconds timeout) {
    Dialog d;
    waitUntil([&] { return (d.hwnd = findDialog(processId)) != nullptr; }, timeout);
    if (!d.hwnd) throw std::runtime_error("no dialog appeared");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // let it take the focus
    return d;
}

}  // namespace tavrel::e2e
