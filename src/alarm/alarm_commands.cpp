#include "alarm/alarm_commands.h"

#include <string>

#include "alarm/alarm_states.h"
#include "app/integer_text.h"

namespace tavrel {

namespace {

bool inRange(const std::string& text, int low, int high) {
    const auto value = integerValue(text);
    return value && *value >= low && *value <= high;
}

}  // namespace

void arm(Controls& controls) {
    using namespace alarm;
    const std::string hour = controls.readText("编辑框1");
    const std::string minute = controls.readText("编辑框2");
    if (hour.empty() || minute.empty()) {
        controls.messageBox(kNoTimeMessage, kMessageCaption);
        return;
    }
    // A time the clock can never show would arm an alarm that silently never rings.
    if (!inRange(hour, 0, 23) || !inRange(minute, 0, 59)) {
        controls.messageBox(kInvalidTimeMessage, kMessageCaption);
        return;
    }
    if (controls.readText("编辑框5").empty()) {
        controls.messageBox(kNoRingtoneMessage, kMessageCaption);
        return;
    }
    controls.setEnabled("超级按钮4", false);
    controls.setPeriod("时钟2", kCheckPeriod);
    controls.setEnabled("超级按钮1", false);
    controls.setEnabled("编辑框1", false);
    controls.setEnabled("编辑框2", false);
    controls.writeCaption("超级按钮1", kArmed);
    controls.setEnabled("超级按钮2", true);
    controls.setEnabled("超级按钮3", true);
    controls.setPeriod("时钟4", 0);
    controls.writeTitle("Tavrel闹钟");
}

void disarm(Controls& controls) {
    using namespace alarm;
    controls.stopSound();
    controls.setPeriod("时钟2", 0);
    controls.setEnabled("超级按钮1", true);
    controls.setEnabled("超级按钮2", false);
    controls.setEnabled("超级按钮3", false);
    controls.setEnabled("超级按钮4", true);
    controls.setEnabled("编辑框1", true);
    controls.setEnabled("编辑框2", true);
    controls.writeCaption("超级按钮1", kIdle);
    controls.setPeriod("时钟4", kTitleClockPeriod);
}

void hide(Controls& controls) {
    controls.setVisible("MainWindow", false);
}

}  // namespace tavrel
