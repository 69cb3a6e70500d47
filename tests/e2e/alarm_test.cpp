// One alarm from start to end on the real window: the ringtone chosen in the system's file
// dialog, the alarm armed and hidden, the ring heard, the pass, and silence on disarm.
#include <gtest/gtest.h>

#include <thread>
#include <utility>

#include "e2e/driver.h"

namespace tavrel::e2e {
namespace {

using namespace std::chrono_literals;

class Alarm : public testing::Test {
  protected:
    void TearDown() override { setWallClock(12, 0, 0); }

    void expectIdle() {
        EXPECT_EQ(app.text("超级按钮1"), "开启闹铃");
        EXPECT_TRUE(IsWindowEnabled(app.control("超级按钮1")));
        EXPECT_FALSE(IsWindowEnabled(app.control("超级按钮2")));
        EXPECT_FALSE(IsWindowEnabled(app.control("超级按钮3")));
        EXPECT_TRUE(IsWindowEnabled(app.control("超级按钮4")));
        EXPECT_TRUE(IsWindowEnabled(app.control("编辑框1")));
        EXPECT_TRUE(IsWindowEnabled(app.control("编辑框2")));
    }

    // With the wall clock at h:m:s, chooses the test MP3 and arms for hour:minute.
    void armWithTheRingtone(int h, int m, int s, const wchar_t* hour, const wchar_t* minute) {
        setWallClock(h, m, s);
        app.chooseRingtone(ringtone(L"闹钟 铃声.mp3"));
        app.enterAlarmTime(hour, minute);
        app.click(app.control("超级按钮1"));
    }

    bool captionBecomes(const char* caption, std::chrono::milliseconds timeout) {
        return waitUntil([&] { return app.text("超级按钮1") == caption; }, timeout);
    }

    RunningApp app;
};

TEST_F(Alarm, IdleTitleFollowsTheClock) {
    setWallClock(8, 5, 30);
    EXPECT_TRUE(waitUntil([&] { return app.title() == "现在时间  8：5"; }, 3s)) << app.title();
    setWallClock(23, 59, 10);
    EXPECT_TRUE(waitUntil([&] { return app.title() == "现在时间  23：59"; }, 3s)) << app.title();
    EXPECT_TRUE(
        waitUntil([&] { return app.text("编辑框3") == "23" && app.text("编辑框4") == "59"; }, 3s));
}

TEST_F(Alarm, RefusedArmingShowsItsMessageAndChangesNothing) {
    struct Case {
        const wchar_t *hour, *minute;
        bool withRingtone;
        const char* message;
    };
    // A refused arm leaves the window as it was, so one run of the program serves them all.
    const Case cases[] = {
        {L"7", L"30", false, "请选择闹钟铃声！"}, {L"", L"30", true, "闹铃时间不能为空！"},
        {L"7", L"", true, "闹铃时间不能为空！"},  {L"24", L"30", true, "闹铃时间无效！"},
        {L"7", L"75", true, "闹铃时间无效！"},    {L"7", L"-5", true, "闹铃时间无效！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.hour) + ":" + narrow(c.minute));
        if (c.withRingtone && app.text("编辑框5").empty())
            app.chooseRingtone(ringtone(L"闹钟 铃声.mp3"));
        app.enterAlarmTime(c.hour, c.minute);
        app.click(app.control("超级按钮1"));
        const Dialog box = waitForDialog(app.processId(), 5s);
        EXPECT_EQ(box.message(), c.message);
        EXPECT_EQ(box.caption(), "Tavrel提示：");
        EXPECT_FALSE(IsWindowEnabled(app.window())) << "the box is task-modal";
        box.pressOk();
        ASSERT_TRUE(waitUntil([&] { return findDialog(app.processId()) == nullptr; }, 5s));
        expectIdle();
        EXPECT_NE(app.title(), "Tavrel闹钟") << "the title clock keeps running";
    }
}

TEST_F(Alarm, RingsHiddenAlarmAtItsMinutePassesAndFallsSilentOnDisarm) {
    SoundRecording sound;
    setWallClock(7, 29, 52);
    app.chooseRingtone(ringtone(L"闹钟 铃声.mp3"));
    ASSERT_TRUE(IsWindowVisible(app.control("编辑框5")));
    EXPECT_EQ(app.text("编辑框5"), narrow(ringtone(L"闹钟 铃声.mp3")));
    EXPECT_FALSE(IsWindowEnabled(app.control("编辑框5")));
    app.enterAlarmTime(L"7", L"30");
    app.click(app.control("超级按钮1"));
    ASSERT_TRUE(captionBecomes("运行中...", 2s));
    EXPECT_EQ(app.title(), "Tavrel闹钟");
    EXPECT_FALSE(IsWindowEnabled(app.control("超级按钮4")));
    EXPECT_FALSE(IsWindowEnabled(app.control("编辑框1")));
    for (const char* next : {"超级按钮2", "超级按钮3", "超级按钮2"}) {
        app.key(VK_TAB);
        EXPECT_EQ(app.focus(), app.control(next)) << "while armed Tab should reach " << next;
    }
    app.click(app.control("超级按钮3"));
    ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(app.window()); }, 2s));
    sound.mark();

    ASSERT_TRUE(captionBecomes("正在响铃", 15s));
    EXPECT_TRUE(IsWindowVisible(app.window()));
    EXPECT_TRUE(sound.heard(3s)) << "the ringtone did not reach the speakers";
    EXPECT_EQ(app.title(), "Tavrel闹钟");

    setWallClock(7, 30, 58);
    ASSERT_TRUE(captionBecomes("时间已过", 6s));
    EXPECT_FALSE(IsWindowEnabled(app.control("超级按钮3")));
    EXPECT_TRUE(IsWindowEnabled(app.control("超级按钮2")));
    EXPECT_TRUE(IsWindowEnabled(app.control("编辑框1")));
    sound.mark();
    EXPECT_TRUE(sound.heard(1s)) << "the ringtone plays on after the minute";

    app.activate();
    app.click(app.control("超级按钮2"));
    std::this_thread::sleep_for(300ms);
    sound.mark();
    std::this_thread::sleep_for(1s);
    EXPECT_LT(sound.peak(), 300) << "disarm must silence the ringtone";
    expectIdle();
    EXPECT_TRUE(waitUntil([&] { return app.title().rfind("现在时间  ", 0) == 0; }, 2s))
        << app.title();
    EXPECT_EQ(app.text("编辑框1"), "7");
    EXPECT_EQ(app.text("编辑框5"), narrow(ringtone(L"闹钟 铃声.mp3")));
}

TEST_F(Alarm, PathShowsForFiveSecondsAndACancelledFirstChoiceLeavesNoRingtone) {
    app.click(app.control("超级按钮4"));
    waitForDialog(app.processId(), 10s).cancel();
    ASSERT_TRUE(waitUntil([&] { return findDialog(app.processId()) == nullptr; }, 5s));
    EXPECT_TRUE(IsWindowVisible(app.control("编辑框5")));
    EXPECT_EQ(app.text("编辑框5"), "");
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(app.control("编辑框5")); }, 7s));
    app.enterAlarmTime(L"7", L"30");
    app.click(app.control("超级按钮1"));
    const Dialog box = waitForDialog(app.processId(), 5s);
    EXPECT_EQ(box.message(), "请选择闹钟铃声！");
    box.pressOk();
}

TEST_F(Alarm, PlaysTheBuiltInToneWhenTheRingtoneFileIsGone) {
    SoundRecording sound;
    setWallClock(9, 14, 55);
    const std::wstring doomed = ringtone(L"to-delete.mp3");
    app.chooseRingtone(doomed);
    app.enterAlarmTime(L"9", L"15");
    app.click(app.control("超级按钮1"));
    ASSERT_TRUE(captionBecomes("运行中...", 2s));
    ASSERT_TRUE(DeleteFileW(doomed.c_str()));
    sound.mark();
    ASSERT_TRUE(captionBecomes("正在响铃", 15s));
    EXPECT_TRUE(sound.heard(3s)) << "an alarm whose file is gone must still sound";
}

TEST_F(Alarm, MinimisedWindowRingsAndStaysMinimised) {
    SoundRecording sound;
    armWithTheRingtone(5, 44, 56, L"5", L"45");
    ASSERT_TRUE(captionBecomes("运行中...", 2s));
    // The minimise box: left of the (greyed) maximise box, left of the close box.
    RECT r;
    GetWindowRect(app.window(), &r);
    const int frame = GetSystemMetrics(SM_CXFIXEDFRAME), button = GetSystemMetrics(SM_CXSIZE);
    app.click(app.window(), r.right - r.left - frame - 2 * button - button / 2,
              frame + GetSystemMetrics(SM_CYCAPTION) / 2);
    ASSERT_TRUE(waitUntil([&] { return IsIconic(app.window()) != FALSE; }, 3s));
    ASSERT_TRUE(captionBecomes("正在响铃", 10s));
    EXPECT_TRUE(sound.heard(3s));
    EXPECT_TRUE(IsWindowVisible(app.window()));
    EXPECT_TRUE(IsIconic(app.window()))
        << "the plain show command leaves a minimised window minimised";
}

TEST_F(Alarm, EscWhileRingingEndsTheProgramAndTheSound) {
    SoundRecording sound;
    armWithTheRingtone(6, 59, 56, L"7", L"0");
    ASSERT_TRUE(captionBecomes("正在响铃", 15s)) << "7:00 can be armed and rings";
    ASSERT_TRUE(sound.heard(3s));
    app.activate();
    app.key(VK_ESCAPE);
    EXPECT_EQ(app.waitForExit(10s), 0);
    std::this_thread::sleep_for(300ms);
    sound.mark();
    std::this_thread::sleep_for(1s);
    EXPECT_LT(sound.peak(), 300);
}

}  // namespace
}  // namespace tavrel::e2e
