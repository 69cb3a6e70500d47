#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tavrel::form {

struct Rgb {
    std::uint8_t r, g, b;
};
inline constexpr Rgb kGreen{0, 224, 128};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};

struct Rect {
    int left, top, width, height;
};

// An empty face means the system's default GUI font.
struct Font {
    std::string_view face;
    int height;  // character height in pixels
    int weight;  // 400 normal, 700 bold
};
inline constexpr Font kDefaultGuiFont{"", 0, 0};

enum class Kind { TransparentLabel, SuperButton, EditBox, Timer, FileDialog };
enum class Align { Left, Centre };
enum class Input { Free, Integer };

struct EditSettings {
    bool sunkenEdge;
    Rgb text;
    Rgb background;
    Font font;
    Align align;
    Input input;
    int maxTypedLength;  // 0: no limit. Limits typing only, never a program write.
};

struct LabelSettings {
    Rgb text;
    Font font;
    Align horizontal;  // vertically always centred, one line, no wrap
    bool doubled;      // drawn twice, the second time one pixel right and down
};

struct ButtonSettings {
    Rgb caption;
    Rgb background;
    Font font;
};

struct FileDialogSettings {
    bool hideReadOnly;
    bool fileMustExist;
    bool pathMustExist;
    bool keepCurrentDirectory;  // false: a successful choice moves the current directory
};

struct ControlSpec {
    std::string_view name;
    Kind kind;
    Rect rect;                 // client pixels; unused for timers and the dialog
    std::string_view content;  // text or caption
    int period;                // timers: milliseconds, 0 stopped
    bool visible;
    bool enabled;
    bool tabStop;
    const EditSettings* edit = nullptr;
    const LabelSettings* label = nullptr;
    const ButtonSettings* button = nullptr;
    const FileDialogSettings* dialog = nullptr;
};

struct WindowSpec {
    std::string_view name;
    std::string_view title;
    int outerWidth, outerHeight;  // frame and title bar included
    Rgb background;
};

inline constexpr WindowSpec kMainWindow{"MainWindow", "Tavrel闹钟", 243, 154, kGreen};

inline constexpr Font kYaHei14Bold{"微软雅黑", 14, 700};
inline constexpr Font kYaHei12{"微软雅黑", 12, 400};
inline constexpr Font kYaHei12Bold{"微软雅黑", 12, 700};
inline constexpr Font kYaHei19{"微软雅黑", 19, 400};

inline constexpr EditSettings kAlarmEntry{false,         kGreen,         kWhite, kYaHei14Bold,
                                          Align::Centre, Input::Integer, 2};
inline constexpr EditSettings kAlarmSecond{false,         kGreen,         kWhite, kYaHei14Bold,
                                           Align::Centre, Input::Integer, 0};
inline constexpr EditSettings kPathBox{false,       kBlack,      kWhite, kDefaultGuiFont,
                                       Align::Left, Input::Free, 0};
inline constexpr EditSettings kClockField{true,        kBlack,      kWhite, kDefaultGuiFont,
                                          Align::Left, Input::Free, 0};
inline constexpr LabelSettings kMakerLabel{kWhite, kYaHei19, Align::Centre, true};
inline constexpr LabelSettings kCaptionLabel{kWhite, kYaHei12Bold, Align::Left, false};
inline constexpr ButtonSettings kSuperButton{kGreen, kWhite, kYaHei12};
inline constexpr FileDialogSettings kOpenFile{true, true, true, false};

// The controls of MainWindow in creation order. Later controls lie above earlier ones, and the
// tab order is this order restricted to visible, enabled tab stops.
inline constexpr std::array<ControlSpec, 20> kControls{{
    {"透明标签1",
     Kind::TransparentLabel,
     {30, 88, 176, 32},
     "Orvane",
     0,
     true,
     true,
     false,
     nullptr,
     &kMakerLabel},
    {"超级按钮1",
     Kind::SuperButton,
     {7, 56, 55, 25},
     "开启闹铃",
     0,
     true,
     true,
     true,
     nullptr,
     nullptr,
     &kSuperButton},
    {"编辑框1", Kind::EditBox, {69, 8, 50, 32}, "", 0, true, true, true, &kAlarmEntry},
    {"编辑框2", Kind::EditBox, {157, 8, 50, 32}, "", 0, true, true, true, &kAlarmEntry},
    {"超级按钮2",
     Kind::SuperButton,
     {63, 56, 55, 25},
     "关闭闹铃",
     0,
     true,
     false,
     true,
     nullptr,
     nullptr,
     &kSuperButton},
    {"编辑框3", Kind::EditBox, {8, 100, 32, 24}, "", 0, false, true, true, &kClockField},
    {"编辑框4", Kind::EditBox, {96, 100, 32, 24}, "", 0, false, true, true, &kClockField},
    {"时钟1", Kind::Timer, {}, "", 1000, false, true, false},
    {"时钟2", Kind::Timer, {}, "", 0, false, true, false},
    {"超级按钮3",
     Kind::SuperButton,
     {119, 56, 55, 25},
     "隐藏运行",
     0,
     true,
     false,
     true,
     nullptr,
     nullptr,
     &kSuperButton},
    {"透明标签2",
     Kind::TransparentLabel,
     {131, 24, 24, 24},
     "时",
     0,
     true,
     true,
     false,
     nullptr,
     &kCaptionLabel},
    {"透明标签3",
     Kind::TransparentLabel,
     {217, 24, 24, 24},
     "分",
     0,
     true,
     true,
     false,
     nullptr,
     &kCaptionLabel},
    {"编辑框5", Kind::EditBox, {7, 93, 223, 25}, "", 0, false, true, true, &kPathBox},
    {"通用对话框1",
     Kind::FileDialog,
     {},
     "",
     0,
     false,
     true,
     false,
     nullptr,
     nullptr,
     nullptr,
     &kOpenFile},
    {"超级按钮4",
     Kind::SuperButton,
     {175, 56, 55, 25},
     "选择铃声",
     0,
     true,
     true,
     true,
     nullptr,
     nullptr,
     &kSuperButton},
    {"透明标签4",
     Kind::TransparentLabel,
     {9, 8, 56, 32},
     "闹铃时间：",
     0,
     true,
     true,
     false,
     nullptr,
     &kCaptionLabel},
    {"时钟3", Kind::Timer, {}, "", 0, false, true, false},
    {"编辑框6", Kind::EditBox, {208, 8, 24, 32}, "0", 0, false, true, true, &kAlarmSecond},
    {"编辑框7", Kind::EditBox, {192, 100, 32, 24}, "", 0, false, true, true, &kClockField},
    {"时钟4", Kind::Timer, {}, "", 1000, false, true, false},
}};

// The control of that name, or nullptr.
constexpr const ControlSpec* find(std::string_view name) {
    for (const ControlSpec& entry : kControls)
        if (entry.name == name) return &entry;
    return nullptr;
}

}  // namespace tavrel::form
