#pragma once

#include "app/controls.h"

namespace tavrel {

// 超级按钮1 "开启闹铃": Idle to Armed, or a message box and no change.
void arm(Controls& controls);
// 超级按钮2 "关闭闹铃": Armed, Ringing or Passed to Idle; silences the ringtone first.
void disarm(Controls& controls);
// 超级按钮3 "隐藏运行": hides the window; only the alarm check brings it back.
void hide(Controls& controls);

}  // namespace tavrel
