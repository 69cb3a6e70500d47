#pragma once

#include "app/controls.h"

namespace tavrel {

// 时钟2, once a second while Armed or Ringing. Reads only control texts, never the clock:
// rings once when the clock fields reach the alarm minute, and ends the check once that
// minute is over.
void checkAlarm(Controls& controls);

}  // namespace tavrel
