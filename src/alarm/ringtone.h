#pragma once

#include "app/controls.h"

namespace tavrel {

// 超级按钮4 "选择铃声": the open-file dialog, then the chosen path in 编辑框5 for a while.
void chooseRingtone(Controls& controls);
// 时钟3: hides the path box again.
void hideRingtonePath(Controls& controls);

}  // namespace tavrel
