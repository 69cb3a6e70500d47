// Measures TavrelAlarm.exe under Wine beside a bare Win32 window, and prints one line a
// figure for scripts/bench.sh:  RESULT|figure|program|baseline|goal|verdict
//   tavrel_bench BARE_WINDOW.exe [IDLE_SECONDS=60] [RUNS=7]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "e2e/driver.h"

namespace {

using namespace tavrel::e2e;
using namespace std::chrono_literals;

double nowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty()      ? 0
           : v.size() % 2 ? v[v.size() / 2]
                          : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

struct Launched {
    PROCESS_INFORMATION process{};
    double msToVisible = 0;
};

BOOL CALLBACK visibleWindowOf(HWND hwnd, LPARAM lp) {
    auto* found = reinterpret_cast<std::pair<DWORD, HWND>*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == found->first && IsWindowVisible(hwnd)) {
        found->second = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND windowOf(DWORD pid) {
    std::pair<DWORD, HWND> found{pid, nullptr};
    EnumWindows(visibleWindowOf, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

// From CreateProcess to the first visible window of the new process.
Launched launch(const std::wstring& exe) {
    Launched l;
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    const double start = nowMs();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &l.process))
        return l;
    while (!windowOf(l.process.dwProcessId) && nowMs() - start < 30000) Sleep(1);
    l.msToVisible = nowMs() - start;
    return l;
}

void close(Launched& l) {
    if (const HWND w = windowOf(l.process.dwProcessId)) PostMessageW(w, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(l.process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(l.process.hProcess, 1);
    CloseHandle(l.process.hThread);
    CloseHandle(l.process.hProcess);
}

double workingSetKb(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof m;
    K32GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m);
    return static_cast<double>(m.WorkingSetSize) / 1024;
}

double privateKb(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof m;
    K32GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m);
    return static_cast<double>(m.PrivateUsage) / 1024;
}

std::string readSmallFile(const std::wstring& path) {
    const HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    char buffer[4096];
    DWORD got = 0;
    ReadFile(h, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(h);
    return std::string(buffer, got);
}

// Wine gives no CPU times of another process, but Linux does: the Unix process whose
// command line names the program, through the Z: drive.
std::wstring unixStatOf(const std::wstring& exeName) {
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &entry);
    std::wstring found;
    if (find == INVALID_HANDLE_VALUE) return found;
    do {
        if (entry.cFileName[0] < L'0' || entry.cFileName[0] > L'9') continue;
        const std::wstring dir = std::wstring(L"Z:\\proc\\") + entry.cFileName;
        const std::string cmdline = readSmallFile(dir + L"\\cmdline");
        // This driver's own command line names the bare window too.
        if (cmdline.find(narrow(exeName)) != std::string::npos &&
            cmdline.find("tavrel_bench") == std::string::npos)
            found = dir + L"\\stat";
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return found;
}

double unixCpuMs(const std::wstring& stat) {
    const std::string text = readSmallFile(stat);
    const auto close = text.rfind(')');
    if (close == std::string::npos) return 0;
    // After the command name: state, then 10 fields, then utime and stime in clock ticks.
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    double ticks = 0;
    for (int i = 1; i <= 13 && fields >> field; ++i)
        if (i == 12 || i == 13) ticks += std::stod(field);
    return ticks * 10.0;  // 100 ticks a second on Linux
}

// Share of one core the program's Unix process used over the next seconds.
double cpuPercent(const std::wstring& exeName, int seconds) {
    const std::wstring stat = unixStatOf(exeName);
    if (stat.empty()) return -1;
    const double before = unixCpuMs(stat), start = nowMs();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    return 100.0 * (unixCpuMs(stat) - before) / (nowMs() - start);
}

std::wstring fileNameOf(const std::wstring& path) {
    return path.substr(path.find_last_of(L"\\/") + 1);
}

long long fileBytes(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &d)) return 0;
    return (static_cast<long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

void result(const char* figure, const std::string& program, const std::string& baseline,
            const char* goal, const char* verdict) {
    std::printf("RESULT|%s|%s|%s|%s|%s\n", figure, program.c_str(), baseline.c_str(), goal,
                verdict);
    std::fflush(stdout);
}

void result(const char* figure, const std::string& program, const std::string& baseline,
            const char* goal, bool met) {
    result(figure, program, baseline, goal, met ? "met" : "missed");
}

std::string fixed(double v, const char* unit, int decimals = 1) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f %s", decimals, v, unit);
    return text;
}

std::string ratio(double a, double b) {
    return b > 0 ? fixed(a / b, "×", 2) : "—";
}

// One alarm from arming to disarm; returns the seconds from the start of the alarm minute to
// the first audible sample of the ringtone, or -1.
double oneAlarm(RunningApp& app, int hour, int minute) {
    SoundRecording sound;
    const double minuteStarts = nowMs() + 2000;
    setWallClock(hour, minute - 1, 58);
    app.enterAlarmTime(std::to_wstring(hour), std::to_wstring(minute));
    app.click(app.control("超级按钮1"));
    waitUntil([&] { return app.text("超级按钮1") == "正在响铃"; }, 10s);
    waitUntil([&] { return sound.secondsToFirstSound() >= 0; }, 3s);
    const double heard = sound.secondsToFirstSound();
    app.activate();
    app.click(app.control("超级按钮2"));
    waitUntil([&] { return app.text("超级按钮1") == "开启闹铃"; }, 3s);
    if (heard < 0) return -1;
    return (sound.markedAtMs() + heard * 1000 - minuteStarts) / 1000;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tavrel_bench BARE_WINDOW.exe [IDLE_SECONDS] [RUNS]\n");
        return 2;
    }
    const std::wstring bare = argv[1], program = harnessPath(L"TAVREL_APP");
    const int idleSeconds = argc > 2 ? _wtoi(argv[2]) : 60;
    const int runs = argc > 3 ? _wtoi(argv[3]) : 7;

    // Start-up and memory after it, alternating the two programs so both see the same machine.
    std::vector<double> startProgram, startBare, wsProgram, wsBare, privProgram, privBare;
    for (int i = 0; i < runs; ++i) {
        for (const bool isProgram : {true, false}) {
            Launched l = launch(isProgram ? program : bare);
            std::this_thread::sleep_for(1500ms);
            (isProgram ? startProgram : startBare).push_back(l.msToVisible);
            (isProgram ? wsProgram : wsBare).push_back(workingSetKb(l.process.hProcess));
            (isProgram ? privProgram : privBare).push_back(privateKb(l.process.hProcess));
            close(l);
        }
    }
    const double sp = median(startProgram), sb = median(startBare);
    result("start-up to visible window", fixed(sp, "ms"), fixed(sb, "ms") + ", " + ratio(sp, sb),
           "≤ 1.15 × bare", sp <= 1.15 * sb);
    const double wp = median(wsProgram), wb = median(wsBare);
    result("working set after start-up", fixed(wp / 1024, "MB"),
           fixed(wb / 1024, "MB") + ", " + ratio(wp, wb), "≤ 1.3 × bare", wp <= 1.3 * wb);
    const double pp = median(privProgram), pb = median(privBare);
    result("private bytes after start-up", fixed(pp / 1024, "MB"),
           fixed(pb / 1024, "MB") + ", " + ratio(pp, pb), "≤ 1.3 × bare",
           pp == 0 && pb == 0 ? "not measurable: Wine reads 0"
           : pp <= 1.3 * pb   ? "met"
                              : "missed");

    const long long size = fileBytes(program), bareSize = fileBytes(bare);
    result("program file size", fixed(size / 1024.0, "KB", 0), fixed(bareSize / 1024.0, "KB", 0),
           "< 400 KB, static", size < 400 * 1024);

    // Idle, and armed for an alarm hours away.
    {
        Launched b = launch(bare);
        std::this_thread::sleep_for(1s);
        const double bareIdle = cpuPercent(fileNameOf(bare), idleSeconds);
        close(b);
        RunningApp app;
        std::this_thread::sleep_for(1s);
        const HANDLE process =
            OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, app.processId());
        const double idle = cpuPercent(fileNameOf(program), idleSeconds);
        result("CPU idle", fixed(idle, "% of a core", 3), fixed(bareIdle, "%", 3), "< 0.05 %",
               idle < 0.05);
        app.chooseRingtone(ringtone(L"闹钟 铃声.mp3"));
        setWallClock(3, 0, 0);
        app.enterAlarmTime(L"9", L"0");
        app.click(app.control("超级按钮1"));
        std::this_thread::sleep_for(1s);
        const double armed = cpuPercent(fileNameOf(program), idleSeconds);
        result("CPU armed", fixed(armed, "% of a core", 3), fixed(bareIdle, "% (bare, idle)", 3),
               "< 0.05 %", armed < 0.05);
        app.click(app.control("超级按钮2"));

        // Ring latency over several alarms in one run, and what the run costs in memory.
        std::vector<double> latencies;
        double afterFirst = 0;
        for (int i = 0; i < runs; ++i) {
            latencies.push_back(oneAlarm(app, 10 + i, 30));
            std::this_thread::sleep_for(500ms);
            if (i == 0) afterFirst = workingSetKb(process);
        }
        const double afterAll = workingSetKb(process);
        const double worst = *std::max_element(latencies.begin(), latencies.end());
        const bool allHeard =
            std::none_of(latencies.begin(), latencies.end(), [](double l) { return l < 0; });
        result("ring latency (median, worst)",
               fixed(median(latencies), "s", 2) + ", " + fixed(worst, "s", 2), "—",
               "≤ 2.0 s every run", allHeard && worst <= 2.0);
        result("working set after one alarm, after all",
               fixed(afterFirst / 1024, "MB") + ", " + fixed(afterAll / 1024, "MB"), "—",
               "no growth", afterAll <= afterFirst + 1024);
        CloseHandle(process);
        setWallClock(12, 0, 0);
    }
    return 0;
}
