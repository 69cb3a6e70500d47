#include "alarm/alarm_check.h"

#include <string>

#include "alarm/alarm_states.h"
#include "app/integer_text.h"

namespace tavrel {

namespace {

// Both sides as decimal numbers; a text without a number (a clock field not yet written)
// compares as false either way.
bool greater(const std::string& a, const std::string& b) {
    const auto x = integerValue(a), y = integerValue(b);
    return x && y && *x > *y;
}

bool atLeast(const std::string& a, const std::string& b) {
    const auto x = integerValue(a), y = integerValue(b);
    return x && y && *x >= *y;
}

void ring(Controls& controls) {
    // An alarm must make a sound even when its file has gone missing or is not audio.
    if (!controls.playSoundFile(controls.readFileName("通用对话框1"))) controls.playAlarmTone();
    controls.writeCaption("超级按钮1", alarm::kRinging);
    controls.setVisible("MainWindow", true);
}

void endCheck(Controls& controls) {
    controls.setPeriod("时钟2", 0);
    controls.setEnabled("超级按钮3", false);
    controls.setEnabled("编辑框1", true);
    controls.setEnabled("编辑框2", true);
    controls.writeCaption("超级按钮1", alarm::kPassed);
    controls.setVisible("MainWindow", true);
}

}  // namespace

void checkAlarm(Controls& controls) {
    const std::string alarmHour = controls.readText("编辑框1");
    const std::string alarmMinute = controls.readText("编辑框2");
    const std::string alarmSecond = controls.readText("编辑框6");
    const std::string hour = controls.readText("编辑框3");
    const std::string minute = controls.readText("编辑框4");
    const std::string second = controls.readText("编辑框7");
    const bool inAlarmMinute = alarmHour == hour && alarmMinute == minute;

    // "At least the alarm second" rather than "equal": a late or drifting tick may never see
    // second 0, and the caption makes it ring once per arming.
    if (inAlarmMinute && atLeast(second, alarmSecond) &&
        controls.readCaption("超级按钮1") == alarm::kArmed)
        ring(controls);

    // A ringing alarm also ends when the clock has left its minute for another hour, so that
    // minute 59 does not ring on into the next day.
    const bool laterInAlarmHour = hour == alarmHour && greater(minute, alarmMinute);
    const bool ringingPastItsMinute =
        !inAlarmMinute && controls.readCaption("超级按钮1") == alarm::kRinging;
    if (laterInAlarmHour || ringingPastItsMinute) endCheck(controls);
}

}  // namespace tavrel
