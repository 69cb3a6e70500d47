#include "clock/clock_ticks.h"

#include <string>

#include "app/integer_text.h"

namespace tavrel {

// Each value comes from its own reading of the clock, taken just before it is written.
void fillClockFields(Controls& controls) {
    controls.writeText("编辑框3", integerToText(controls.currentLocalTime().hour));
    controls.writeText("编辑框4", integerToText(controls.currentLocalTime().minute));
    controls.writeText("编辑框7", integerToText(controls.currentLocalTime().second));
}

void showTitleClock(Controls& controls) {
    const std::string hour = integerToText(controls.currentLocalTime().hour);
    const std::string minute = integerToText(controls.currentLocalTime().minute);
    controls.writeTitle("现在时间  " + hour + "：" + minute);
}

}  // namespace tavrel
