// The window at start, its input rules, and the ways it ends.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "e2e/driver.h"

namespace tavrel::e2e {
namespace {

using namespace std::chrono_literals;

RECT clientRectOf(HWND control, HWND parent) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string fileText(const std::wstring& path) {
    std::ifstream in(narrow(path));
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Window, OpensCentredWithItsTitleAndFrame) {
    RunningApp app;
    EXPECT_EQ(app.title(), "Tavrel闹钟");
    RECT r;
    GetWindowRect(app.window(), &r);
    EXPECT_EQ(r.right - r.left, 243);
    EXPECT_EQ(r.bottom - r.top, 154);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 243) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 154) / 2);
    const LONG style = GetWindowLongW(app.window(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the frame must not be resizable";
    EXPECT_FALSE(GetWindowLongW(app.window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetForegroundWindow(), app.window());
}

struct ControlAtStart {
    const char* name;
    RECT rect;  // client pixels: left, top, right, bottom
    bool visible, enabled;
    const char* text;
};

TEST(Window, EveryControlStartsInPlaceWithItsContentAndState) {
    const ControlAtStart expected[] = {
        {"透明标签1", {30, 88, 206, 120}, true, true, "Orvane"},
        {"超级按钮1", {7, 56, 62, 81}, true, true, "开启闹铃"},
        {"编辑框1", {69, 8, 119, 40}, true, true, ""},
        {"编辑框2", {157, 8, 207, 40}, true, true, ""},
        {"超级按钮2", {63, 56, 118, 81}, true, false, "关闭闹铃"},
        {"编辑框3", {8, 100, 40, 124}, false, true, ""},
        {"编辑框4", {96, 100, 128, 124}, false, true, ""},
        {"超级按钮3", {119, 56, 174, 81}, true, false, "隐藏运行"},
        {"透明标签2", {131, 24, 155, 48}, true, true, "时"},
        {"透明标签3", {217, 24, 241, 48}, true, true, "分"},
        {"编辑框5", {7, 93, 230, 118}, false, true, ""},
        {"超级按钮4", {175, 56, 230, 81}, true, true, "选择铃声"},
        {"透明标签4", {9, 8, 65, 40}, true, true, "闹铃时间："},
        {"编辑框6", {208, 8, 232, 40}, false, true, "0"},
        {"编辑框7", {192, 100, 224, 124}, false, true, ""},
    };
    RunningApp app;
    for (const ControlAtStart& c : expected) {
        SCOPED_TRACE(c.name);
        const HWND hwnd = app.control(c.name);
        ASSERT_NE(hwnd, nullptr);
        const RECT r = clientRectOf(hwnd, app.window());
        EXPECT_EQ(r.left, c.rect.left);
        EXPECT_EQ(r.top, c.rect.top);
        EXPECT_EQ(r.right, c.rect.right);
        EXPECT_EQ(r.bottom, c.rect.bottom);
        EXPECT_EQ(IsWindowVisible(hwnd) != FALSE, c.visible);
        EXPECT_EQ(IsWindowEnabled(hwnd) != FALSE, c.enabled);
        EXPECT_EQ(textOf(hwnd), c.text);
    }
}

TEST(Window, NoClockTickRunsBeforeTheWindowIsUp) {
    RunningApp app;
    // The clock fields fill on the first tick, one period after creation: not before the
    // window has been shown, and then every second.
    EXPECT_EQ(app.text("编辑框7"), "");
    EXPECT_TRUE(waitUntil([&] { return !app.text("编辑框7").empty(); }, 3s));
}

TEST(Keys, FocusStartsOnTheArmButtonAndTabCyclesTheEnabledControls) {
    RunningApp app;
    ASSERT_EQ(app.focus(), app.control("超级按钮1"));
    for (const char* next : {"编辑框1", "编辑框2", "超级按钮4", "超级按钮1", "编辑框1"}) {
        app.key(VK_TAB);
        EXPECT_EQ(app.focus(), app.control(next)) << "Tab should reach " << next;
    }
    for (const char* previous : {"超级按钮1", "超级按钮4", "编辑框2"}) {
        app.key(VK_TAB, true);
        EXPECT_EQ(app.focus(), app.control(previous)) << "Shift+Tab should reach " << previous;
    }
}

TEST(Keys, HourBoxTakesOnlyTwoDigitsOrMinus) {
    RunningApp app;
    app.click(app.control("编辑框1"));
    app.type(L"1x2");
    EXPECT_EQ(app.text("编辑框1"), "12");
    app.type(L"3");
    EXPECT_EQ(app.text("编辑框1"), "12") << "a third character is refused";
    app.key(VK_BACK);
    app.type(L"时-");
    EXPECT_EQ(app.text("编辑框1"), "1-");
}

TEST(Keys, LeavingAnEntryBoxRewritesItsNumber) {
    struct Case {
        const wchar_t* typed;
        const char* shown;
    };
    RunningApp app;
    for (const Case& c :
         {Case{L"07", "7"}, Case{L"0", "0"}, Case{L"-", ""}, Case{L"-0", "0"}, Case{L"5-", "5"}}) {
        app.click(app.control("编辑框2"));
        SendMessageW(app.control("编辑框2"), EM_SETSEL, 0, -1);
        app.type(c.typed);
        app.key(VK_TAB);
        EXPECT_EQ(app.text("编辑框2"), c.shown) << narrow(c.typed);
        EXPECT_EQ(app.focus(), app.control("超级按钮4"));
    }
}

TEST(Keys, SpaceClicksTheFocusedButton) {
    RunningApp app;
    for (int i = 0; i < 3; ++i) app.key(VK_TAB);
    ASSERT_EQ(app.focus(), app.control("超级按钮4"));
    app.key(VK_SPACE);
    const Dialog dialog = waitForDialog(app.processId(), 10s);
    dialog.cancel();
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(app.control("编辑框5")) != FALSE; }, 5s))
        << "the ringtone button ran its click";
}

TEST(Keys, EnterDoesNothing) {
    RunningApp app;
    app.key(VK_RETURN);
    app.click(app.control("编辑框1"));
    app.type(L"7");
    app.key(VK_RETURN);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(app.focus(), app.control("编辑框1"));
    EXPECT_EQ(app.text("编辑框1"), "7");
    EXPECT_EQ(app.text("超级按钮1"), "开启闹铃");
    EXPECT_EQ(findDialog(app.processId()), nullptr) << "Enter must not arm the alarm";
}

TEST(Ending, EscClosesFromAnyControlWithExitCodeZero) {
    for (const char* start : {"超级按钮1", "编辑框1"}) {
        RunningApp app;
        // Clicking the arm button would arm (and complain); it has the focus at start anyway.
        if (app.focus() != app.control(start)) app.click(app.control(start));
        ASSERT_EQ(app.focus(), app.control(start));
        app.key(VK_ESCAPE);
        EXPECT_EQ(app.waitForExit(10s), 0) << "Esc from " << start;
    }
}

TEST(Ending, CloseBoxSystemMenuAndAltF4EndTheProgram) {
    {
        RunningApp app;
        RECT r;
        GetWindowRect(app.window(), &r);
        const int frame = GetSystemMetrics(SM_CXFIXEDFRAME), button = GetSystemMetrics(SM_CXSIZE);
        app.click(app.window(), r.right - r.left - frame - button / 2,
                  frame + GetSystemMetrics(SM_CYCAPTION) / 2);
        EXPECT_EQ(app.waitForExit(10s), 0) << "close box";
    }
    {
        RunningApp app;
        PostMessageW(app.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(app.waitForExit(10s), 0) << "system menu Close";
    }
    {
        RunningApp app;
        INPUT keys[4]{};
        for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
        keys[0].ki.wVk = VK_MENU;
        keys[1].ki.wVk = VK_F4;
        keys[2].ki.wVk = VK_F4;
        keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
        keys[3].ki.wVk = VK_MENU;
        keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(4, keys, sizeof(INPUT));
        EXPECT_EQ(app.waitForExit(10s), 0) << "Alt+F4";
    }
}

TEST(MakerLabel, ClickOpensTheMakersPageAndChangesNothingElse) {
    const std::wstring log = harnessPath(L"TAVREL_URL_LOG");
    DeleteFileW(log.c_str());
    RunningApp app;
    app.click(app.control("透明标签1"));
    ASSERT_TRUE(waitUntil([&] { return !fileText(log).empty(); }, 20s))
        << "no URL reached the browser";
    EXPECT_EQ(fileText(log).rfind("http", 0), 0u) << fileText(log);
    EXPECT_EQ(app.title(), "Tavrel闹钟");
    EXPECT_EQ(app.text("超级按钮1"), "开启闹铃");
    EXPECT_TRUE(IsWindowVisible(app.window()));
    EXPECT_FALSE(IsWindowEnabled(app.control("超级按钮2")));
    EXPECT_FALSE(IsWindowVisible(app.control("编辑框5")));
}

}  // namespace
}  // namespace tavrel::e2e
