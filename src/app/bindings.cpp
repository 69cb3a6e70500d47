#include "app/bindings.h"

#include "alarm/alarm_check.h"
#include "alarm/alarm_commands.h"
#include "alarm/ringtone.h"
#include "app/window_handlers.h"
#include "clock/clock_ticks.h"

namespace tavrel {

const std::array<Binding, 10> kBindings{{
    {"MainWindow", Event::Created, onWindowCreated},
    {"超级按钮1", Event::Clicked, arm},
    {"超级按钮2", Event::Clicked, disarm},
    {"超级按钮3", Event::Clicked, hide},
    {"超级按钮4", Event::Clicked, chooseRingtone},
    {"时钟1", Event::Tick, fillClockFields},
    {"时钟2", Event::Tick, checkAlarm},
    {"时钟3", Event::Tick, hideRingtonePath},
    {"时钟4", Event::Tick, showTitleClock},
    {"透明标签1", Event::LeftButtonDown, openMakerPage},
}};

bool dispatch(Controls& controls, std::string_view source, Event event) {
    for (const Binding& binding : kBindings) {
        if (binding.source == source && binding.event == event) {
            binding.handler(controls);
            return true;
        }
    }
    return false;
}

}  // namespace tavrel
