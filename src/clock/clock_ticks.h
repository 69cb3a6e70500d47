#pragma once

#include "app/controls.h"

namespace tavrel {

// 时钟1: the current hour, minute and second into the hidden 编辑框3, 编辑框4 and 编辑框7,
// which the alarm check compares with the alarm setting.
void fillClockFields(Controls& controls);

// 时钟4, running while idle: the title "现在时间  " + hour + "：" + minute.
void showTitleClock(Controls& controls);

}  // namespace tavrel
