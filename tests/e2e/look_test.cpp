// How the window looks, read off the screen: the green form, the white buttons with their
// edges, the labels painted straight on the green, the centred entry text, and the icon and
// version block the program file carries.
#include <gtest/gtest.h>

#include <thread>

#include "e2e/driver.h"
#include "e2e/screenshot.h"

namespace tavrel::e2e {
namespace {

using namespace std::chrono_literals;

// The part of a control that shows inside the client area.
RECT rectOf(const RunningApp& app, std::string_view name) {
    RECT r, client;
    GetWindowRect(app.control(name), &r);
    MapWindowPoints(nullptr, app.window(), reinterpret_cast<POINT*>(&r), 2);
    GetClientRect(app.window(), &client);
    IntersectRect(&r, &r, &client);
    return r;
}

bool isGrey(Rgb c) {
    return c.r == c.g && c.g == c.b && c.r < 230;
}
// Green, white and their blends (anti-aliased white text on green) all keep g high.
bool onGreenOrWhite(Rgb c) {
    return c.g >= 220 && c.b >= 125;
}

class Look : public testing::Test {
  protected:
    Screenshot shot() {
        std::this_thread::sleep_for(300ms);  // let the last repaint reach the screen
        return Screenshot(app.window());
    }
    RunningApp app;
};

TEST_F(Look, FormIsGreenWithWhiteButtonsAndEngravedDisabledCaptions) {
    const Screenshot s = shot();
    s.save(L"idle");
    for (POINT p : {POINT{100, 48}, POINT{3, 86}, POINT{233, 86}, POINT{120, 88}, POINT{3, 3}})
        EXPECT_EQ(s.at(p.x, p.y), kGreen) << "bare form at " << p.x << "," << p.y;
    for (const char* enabled : {"超级按钮1", "超级按钮4"}) {
        const RECT r = rectOf(app, enabled);
        EXPECT_EQ(s.at(r.left + 1, r.top + 1), kWhite) << enabled;
        EXPECT_GT(s.count(r, greenish), 20) << enabled << " caption should be green";
        EXPECT_EQ(s.count(r, isGrey), 0) << enabled << " has no edge while the mouse is away";
    }
    for (const char* disabled : {"超级按钮2", "超级按钮3"}) {
        const RECT r = rectOf(app, disabled);
        EXPECT_EQ(s.count(r, greenish), 0) << disabled << " caption ignores the green";
        EXPECT_GT(s.count(r, [](Rgb c) { return c == systemColour(COLOR_BTNSHADOW); }), 20)
            << disabled;
    }
}

TEST_F(Look, LabelsPaintOnlyTheirTextOnTheGreen) {
    const Screenshot s = shot();
    for (const char* label : {"透明标签1", "透明标签2", "透明标签3", "透明标签4"}) {
        const RECT r = rectOf(app, label);
        EXPECT_GT(s.count(r, [](Rgb c) { return c == kWhite; }), 10) << label << " text is white";
        EXPECT_EQ(s.count(r, [](Rgb c) { return !onGreenOrWhite(c); }), 0)
            << label << " paints a box";
        EXPECT_EQ(s.at(r.left, r.bottom - 1), kGreen) << label;
    }
}

TEST_F(Look, EntryTextSitsCentredInItsBox) {
    app.click(app.control("编辑框1"));
    app.type(L"12");
    app.key(VK_TAB);
    const Screenshot s = shot();
    s.save(L"entry");
    const RECT box = rectOf(app, "编辑框1");
    const RECT text = s.bounds(box, greenish);
    ASSERT_GT(text.bottom, text.top) << "no green digits in the hour box";
    EXPECT_NEAR((text.top + text.bottom) / 2.0, (box.top + box.bottom) / 2.0, 3.0)
        << "text rows " << text.top << "-" << text.bottom;
    EXPECT_NEAR((text.left + text.right) / 2.0, (box.left + box.right) / 2.0, 3.0);
    EXPECT_EQ(s.at(box.left + 2, box.top + 1), kWhite)
        << "the band above the text is the box's white";
    EXPECT_EQ(s.at(box.left + 2, box.bottom - 2), kWhite) << "and so is the band below";
}

TEST_F(Look, ButtonShowsARaisedEdgeUnderTheMouseAndASunkenOneWhilePressed) {
    const RECT r = rectOf(app, "超级按钮4");
    const Rgb shadow = systemColour(COLOR_BTNSHADOW);
    const RECT normalCaption = shot().bounds(r, greenish);

    app.moveMouseTo(app.control("超级按钮4"));
    Screenshot hover = shot();
    hover.save(L"hover");
    EXPECT_EQ(hover.at((r.left + r.right) / 2, r.bottom - 1), shadow)
        << "raised: shadow at the bottom";
    EXPECT_EQ(hover.at(r.right - 1, (r.top + r.bottom) / 2), shadow) << "and at the right";

    app.pressButton(app.control("超级按钮4"));
    Screenshot pressed = shot();
    pressed.save(L"pressed");
    EXPECT_EQ(pressed.at((r.left + r.right) / 2, r.top), shadow) << "sunken: shadow at the top";
    EXPECT_EQ(pressed.at(r.left, (r.top + r.bottom) / 2), shadow) << "and at the left";
    const RECT pressedCaption = pressed.bounds(r, greenish);
    EXPECT_EQ(pressedCaption.left, normalCaption.left + 1) << "caption moves one pixel right";
    EXPECT_EQ(pressedCaption.top, normalCaption.top + 1) << "and one down";

    // Released away from the button: no click, and the edge is gone with the mouse.
    app.moveMouseToClientPoint(100, 48);
    app.releaseButton();
    const Screenshot after = shot();
    after.save(L"released-away");
    EXPECT_EQ(after.count(r, [&](Rgb c) { return c == shadow; }), 0);
    EXPECT_EQ(findDialog(app.processId()), nullptr);
}

TEST_F(Look, PathBoxCoversTheMakerLabelOnlyWhileShown) {
    const RECT label = rectOf(app, "透明标签1");
    const RECT middle{label.left + 60, label.top + 8, label.right - 60, label.bottom - 8};
    app.chooseRingtone(ringtone(L"闹钟 铃声.mp3"));
    const Screenshot shown = shot();
    shown.save(L"path");
    EXPECT_EQ(shown.count(middle, [](Rgb c) { return c == kGreen; }), 0)
        << "the label shows through";
    // The box is disabled, so the system draws the path in its disabled look.
    EXPECT_GT(shown.count(rectOf(app, "编辑框5"), [](Rgb c) { return !onGreenOrWhite(c); }), 20)
        << "the path is written in the box";

    ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(app.control("编辑框5")); }, 7s));
    const Screenshot hidden = shot();
    EXPECT_GT(hidden.count(middle, [](Rgb c) { return c == kGreen; }), 50);
    EXPECT_GT(hidden.count(middle, [](Rgb c) { return c == kWhite; }), 20)
        << "the maker's name is whole again";
    EXPECT_EQ(hidden.count(label, [](Rgb c) { return !onGreenOrWhite(c); }), 0);
}

TEST_F(Look, ArmedButtonsSwapTheirLook) {
    app.chooseRingtone(ringtone(L"闹钟 铃声.mp3"));
    app.enterAlarmTime(L"3", L"33");
    app.click(app.control("超级按钮1"));
    ASSERT_TRUE(waitUntil([&] { return app.text("超级按钮1") == "运行中..."; }, 2s));
    app.clickClientPoint(100, 48);  // the mouse away from every button
    const Screenshot s = shot();
    s.save(L"armed");
    EXPECT_EQ(s.count(rectOf(app, "超级按钮1"), greenish), 0);
    EXPECT_EQ(s.count(rectOf(app, "超级按钮4"), greenish), 0);
    EXPECT_GT(s.count(rectOf(app, "超级按钮2"), greenish), 20);
    EXPECT_GT(s.count(rectOf(app, "超级按钮3"), greenish), 20);
}

TEST_F(Look, TitleBarKeepsItsActiveLookWhileAnotherWindowIsActive) {
    const HWND other =
        CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                        200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(waitUntil(
        [&] {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            return GetForegroundWindow() == other;
        },
        3s));
    const Screenshot s = shot();
    s.save(L"inactive");
    const Rgb active = systemColour(COLOR_ACTIVECAPTION);
    EXPECT_GT(s.count(s.titleBar(), [&](Rgb c) { return c == active; }), 100)
        << "the title bar looks inactive";
    DestroyWindow(other);
}

TEST(ProgramFile, CarriesTheAlarmClockIconAndItsVersionBlock) {
    const std::wstring exe = harnessPath(L"TAVREL_APP");
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    const auto value = [&](const wchar_t* name) {
        wchar_t* text = nullptr;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
        if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length))
            return std::string();
        return narrow(text);
    };
    EXPECT_EQ(value(L"FileDescription"), "Tavrel闹钟");
    EXPECT_EQ(value(L"ProductName"), "Tavrel闹钟v1.0");
    EXPECT_EQ(value(L"CompanyName"), "Orvane");
    EXPECT_EQ(value(L"FileVersion"), "1.0.0.0");
    EXPECT_EQ(value(L"ProductVersion"), "1.0.0.0");

    const HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const auto icon =
        static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr);
    // Drawn on magenta, so that the transparent corners show as magenta.
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    const HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    const RECT all{0, 0, 32, 32};
    FillRect(dc, &all, magenta);
    DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    const auto pixel = [&](int x, int y) {
        const COLORREF c = GetPixel(dc, x, y);
        return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)};
    };
    EXPECT_EQ(pixel(0, 0), (Rgb{255, 0, 255})) << "transparent corner";
    EXPECT_EQ(pixel(31, 31), (Rgb{255, 0, 255})) << "transparent corner";
    EXPECT_EQ(pixel(18, 20), kWhite) << "white dial";
    EXPECT_EQ(pixel(15, 13), (Rgb{0, 0, 0})) << "black hand";
    EXPECT_EQ(pixel(6, 6), (Rgb{128, 128, 0})) << "olive bell";
    EXPECT_EQ(pixel(26, 18), (Rgb{255, 0, 0})) << "red rim on the right";
    SelectObject(dc, old);
    DeleteObject(magenta);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    DestroyIcon(icon);
    FreeLibrary(module);

    // The window's small icon, at the left of its title bar.
    RunningApp app;
    std::this_thread::sleep_for(300ms);
    const Screenshot s(app.window());
    RECT titleBar = s.titleBar();
    titleBar.right = titleBar.left + 24;
    EXPECT_GT(s.count(titleBar,
                      [](Rgb c) {
                          return c == Rgb{255, 0, 0};
                      }),
              5)
        << "red rim in the title bar";
    EXPECT_GT(s.count(titleBar, [](Rgb c) { return c == Rgb{128, 128, 0}; }), 5) << "olive bells";
}

}  // namespace
}  // namespace tavrel::e2e
