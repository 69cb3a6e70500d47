// The program under bad input, bad ringtone files and a wall clock that jumps: it never
// crashes or hangs, never arms a time it cannot ring, and always makes a sound at its time.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "e2e/driver.h"

namespace tavrel::e2e {
namespace {

using namespace std::chrono_literals;

// Alive and answering its messages.
bool responsive(const RunningApp& app) {
    DWORD_PTR ignored;
    return app.running() &&
           SendMessageTimeoutW(app.window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored) != 0;
}

class Hardening : public testing::Test {
  protected:
    void TearDown() override { setWallClock(12, 0, 0); }

    // Arms for the minute after next-to-ring: rings about three seconds from now.
    void armForTheComingMinute() {
        setWallClock(10, 41, 57);
        app.enterAlarmTime(L"10", L"42");
        app.click(app.control("超级按钮1"));
        ASSERT_TRUE(waitUntil([&] { return app.text("超级按钮1") == "运行中..."; }, 3s));
    }

    void disarm() {
        app.activate();
        app.click(app.control("超级按钮2"));
        ASSERT_TRUE(waitUntil([&] { return app.text("超级按钮1") == "开启闹铃"; }, 3s));
    }

    std::string messageAfterArming() {
        app.click(app.control("超级按钮1"));
        const Dialog box = waitForDialog(app.processId(), 5s);
        const std::string message = box.message();
        box.pressOk();
        waitUntil([&] { return findDialog(app.processId()) == nullptr; }, 5s);
        app.activate();
        return message;
    }

    RunningApp app;
};

TEST_F(Hardening, PastedAndTypedJunkIsRewrittenAndRefusedClearly) {
    struct Case {
        std::wstring pasted;
        const char* shown;    // after the box loses the focus
        const char* message;  // when arming with minute 30
    };
    const Case cases[] = {
        {std::wstring(10000, L'9'), "2147483647", "闹铃时间无效！"},
        {L"99999999999", "2147483647", "闹铃时间无效！"},
        {L"-99999999999", "-2147483648", "闹铃时间无效！"},
        {L"七点", "", "闹铃时间不能为空！"},
        {L"\t\x01\x7f", "", "闹铃时间不能为空！"},
        {L"  -0012abc", "-12", "闹铃时间无效！"},
        {L"+", "", "闹铃时间不能为空！"},
        {L"008", "8", "请选择闹钟铃声！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.pasted.substr(0, 20)));
        app.enterAlarmTime(L"", L"30");
        app.click(app.control("编辑框1"));
        app.paste(c.pasted);
        // The paste fetches the clipboard from this process; let it land before moving on.
        waitUntil([&] { return GetWindowTextLengthW(app.control("编辑框1")) > 0; }, 3s);
        app.key(VK_TAB);
        EXPECT_EQ(app.text("编辑框1"), c.shown);
        EXPECT_EQ(messageAfterArming(), c.message);
        ASSERT_TRUE(responsive(app));
        EXPECT_EQ(app.text("超级按钮1"), "开启闹铃");
    }
    app.enterAlarmTime(L"--", L"-");
    app.key(VK_TAB);
    EXPECT_EQ(app.text("编辑框1"), "");
    EXPECT_EQ(app.text("编辑框2"), "");
}

TEST_F(Hardening, EveryKindOfBadRingtoneStillRingsAndNeverHangs) {
    const std::wstring bad = harnessPath(L"TAVREL_RUN") + L"\\fixtures\\坏的 铃声\\";
    const std::wstring cases[] = {bad + L"empty.mp3", bad + L"random.mp3", bad + L"wave-named.mp3",
                                  bad + L"big.mp3", harnessPath(L"TAVREL_DEEP_RINGTONE")};
    for (const std::wstring& file : cases) {
        SCOPED_TRACE(narrow(file));
        SoundRecording sound;
        app.chooseRingtone(file);
        EXPECT_EQ(app.text("编辑框5"), narrow(file));
        armForTheComingMinute();
        sound.mark();
        ASSERT_TRUE(waitUntil([&] { return app.text("超级按钮1") == "正在响铃"; }, 10s));
        EXPECT_TRUE(IsWindowVisible(app.window()));
        EXPECT_TRUE(sound.heard(4s)) << "the file or the built-in tone must sound";
        ASSERT_TRUE(responsive(app));
        disarm();
        std::this_thread::sleep_for(300ms);
        sound.mark();
        std::this_thread::sleep_for(700ms);
        EXPECT_LT(sound.peak(), 300) << "disarm silences it";
    }
}

TEST_F(Hardening, RingtoneReplacedByJunkAfterChoosingStillRings) {
    const std::wstring file = harnessPath(L"TAVREL_RUN") + L"\\fixtures\\replaced.mp3";
    ASSERT_TRUE(CopyFileW(ringtone(L"闹钟 铃声.mp3").c_str(), file.c_str(), FALSE));
    app.chooseRingtone(file);
    const std::wstring junk = harnessPath(L"TAVREL_RUN") + L"\\fixtures\\坏的 铃声\\random.mp3";
    ASSERT_TRUE(CopyFileW(junk.c_str(), file.c_str(), FALSE));
    SoundRecording sound;
    armForTheComingMinute();
    ASSERT_TRUE(waitUntil([&] { return app.text("超级按钮1") == "正在响铃"; }, 10s));
    EXPECT_TRUE(sound.heard(4s));
    EXPECT_TRUE(responsive(app));
}

TEST_F(Hardening, ClockJumpsRingOnceInTheAlarmMinuteAndNeverEarly) {
    app.chooseRingtone(ringtone(L"闹钟 铃声.mp3"));
    setWallClock(7, 0, 10);
    app.enterAlarmTime(L"7", L"30");
    app.click(app.control("超级按钮1"));
    ASSERT_TRUE(waitUntil([&] { return app.text("超级按钮1") == "运行中..."; }, 3s));

    // Back from just before the alarm: no ring.
    setWallClock(7, 29, 58);
    std::this_thread::sleep_for(1s);
    setWallClock(7, 20, 0);
    std::this_thread::sleep_for(3s);
    EXPECT_EQ(app.text("超级按钮1"), "运行中...") << "rang before its time";

    // Forward into the middle of the minute, past its second 0: rings at once, and once.
    SoundRecording sound;
    setWallClock(7, 30, 25);
    ASSERT_TRUE(waitUntil([&] { return app.text("超级按钮1") == "正在响铃"; }, 3s));
    EXPECT_TRUE(sound.heard(3s));
    std::this_thread::sleep_for(2500ms);
    EXPECT_EQ(app.text("超级按钮1"), "正在响铃");
    disarm();

    // Armed again and the clock jumps over the whole minute: passed, in silence.
    setWallClock(7, 29, 50);
    app.click(app.control("超级按钮1"));
    ASSERT_TRUE(waitUntil([&] { return app.text("超级按钮1") == "运行中..."; }, 3s));
    sound.mark();
    setWallClock(7, 31, 10);
    ASSERT_TRUE(waitUntil([&] { return app.text("超级按钮1") == "时间已过"; }, 4s));
    EXPECT_LT(sound.peak(), 300);
}

}  // namespace
}  // namespace tavrel::e2e
