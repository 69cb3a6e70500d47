// Many alarms in one run of the program, with the wall clock jumping from one to the next:
// every alarm rings once and passes, and the program holds no more handles at the end than
// after the first. TAVREL_SOAK_HOURS sets how many hours of clock it covers (default 1).
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <cstdlib>
#include <thread>

#include "e2e/driver.h"

namespace tavrel::e2e {
namespace {

using namespace std::chrono_literals;

// Wine reports no handle, GDI or private-byte counts (they read 0); its working set is real.
struct Resources {
    DWORD handles = 0, gdi = 0, user = 0;
    SIZE_T workingSet = 0;
};

Resources resourcesOf(DWORD processId) {
    Resources r;
    const HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) return r;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (K32GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                sizeof memory))
        r.workingSet = memory.WorkingSetSize;
    GetProcessHandleCount(process, &r.handles);
    r.gdi = GetGuiResources(process, GR_GDIOBJECTS);
    r.user = GetGuiResources(process, GR_USEROBJECTS);
    CloseHandle(process);
    return r;
}

int soakHours() {
    wchar_t value[16];
    const DWORD n = GetEnvironmentVariableW(L"TAVREL_SOAK_HOURS", value, 16);
    return n > 0 && n < 16 ? std::max(1, _wtoi(value)) : 1;
}

TEST(Soak, EveryAlarmRingsOnceAndPassesWithoutGrowingTheProgram) {
    const int hours = soakHours();
    // Within one hour, four alarms; over more hours, one an hour, round the clock.
    std::vector<std::pair<int, int>> alarms;
    if (hours == 1)
        alarms = {{6, 5}, {6, 20}, {6, 35}, {6, 50}};
    else
        for (int h = 0; h < hours; ++h) alarms.push_back({(6 + h) % 24, 5});

    RunningApp app;
    app.chooseRingtone(ringtone(L"闹钟 铃声.mp3"));
    SoundRecording sound;
    Resources first;
    for (std::size_t i = 0; i < alarms.size(); ++i) {
        const auto [hour, minute] = alarms[i];
        SCOPED_TRACE(std::to_string(hour) + ":" + std::to_string(minute));
        setWallClock(hour, minute - 1, 57);
        app.enterAlarmTime(std::to_wstring(hour), std::to_wstring(minute));
        app.click(app.control("超级按钮1"));
        ASSERT_TRUE(waitUntil([&] { return app.text("超级按钮1") == "运行中..."; }, 3s));
        sound.mark();
        ASSERT_TRUE(waitUntil([&] { return app.text("超级按钮1") == "正在响铃"; }, 8s));
        EXPECT_TRUE(sound.heard(3s));
        setWallClock(hour, minute, 59);
        ASSERT_TRUE(waitUntil([&] { return app.text("超级按钮1") == "时间已过"; }, 5s));
        app.activate();
        app.click(app.control("超级按钮2"));
        ASSERT_TRUE(waitUntil([&] { return app.text("超级按钮1") == "开启闹铃"; }, 3s));
        if (i == 0) first = resourcesOf(app.processId());
    }
    const Resources last = resourcesOf(app.processId());
    EXPECT_LE(last.handles, first.handles + 2)
        << "handles after the first alarm: " << first.handles;
    EXPECT_LE(last.gdi, first.gdi) << "GDI objects";
    EXPECT_LE(last.user, first.user) << "USER objects";
    EXPECT_LE(last.workingSet, first.workingSet + 4 * 1024 * 1024)
        << "working set after the first alarm: " << first.workingSet;
    std::printf(
        "soak: %zu alarms; handles %lu -> %lu, GDI %lu -> %lu, USER %lu -> %lu, working set KB %zu "
        "-> %zu\n",
        alarms.size(), first.handles, last.handles, first.gdi, last.gdi, first.user, last.user,
        first.workingSet / 1024, last.workingSet / 1024);
    setWallClock(12, 0, 0);
}

}  // namespace
}  // namespace tavrel::e2e
