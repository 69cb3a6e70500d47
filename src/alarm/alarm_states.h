#pragma once

#include <string_view>

namespace tavrel::alarm {

// The alarm keeps no variable of its own: its state is what 超级按钮1 reads, together with the
// enabled states and timer periods the commands write beside it.
inline constexpr std::string_view kIdle = "开启闹铃";
inline constexpr std::string_view kArmed = "运行中...";
inline constexpr std::string_view kRinging = "正在响铃";
inline constexpr std::string_view kPassed = "时间已过";

inline constexpr std::string_view kMessageCaption = "Tavrel提示：";
inline constexpr std::string_view kNoTimeMessage = "闹铃时间不能为空！";
inline constexpr std::string_view kInvalidTimeMessage = "闹铃时间无效！";
inline constexpr std::string_view kNoRingtoneMessage = "请选择闹钟铃声！";

inline constexpr int kCheckPeriod = 1000;
inline constexpr int kTitleClockPeriod = 1000;

}  // namespace tavrel::alarm
