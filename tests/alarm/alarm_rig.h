#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "alarm/alarm_states.h"
#include "support/memory_form.h"

namespace tavrel::test {

inline const std::string kRingtone = "C:\\Users\\me\\Music\\起床.mp3";

// The form with a user at it. The alarm's state is the caption of 超级按钮1, so every caption
// it is given is recorded with the time it was given: that record is the alarm's history, and
// shows a second ring or a second pass that the end state would hide.
class AlarmRig : public MemoryForm {
  public:
    struct CaptionChange {
        LocalTime wall;
        std::string caption;
    };

    explicit AlarmRig(LocalTime now) : MemoryForm(now) { playableFiles.insert(kRingtone); }

    void writeCaption(std::string_view button, std::string_view caption) override {
        MemoryForm::writeCaption(button, caption);
        if (button == "超级按钮1")
            captionChanges.push_back({currentLocalTime(), std::string(caption)});
    }

    void chooseRingtone(std::optional<std::string> answer = kRingtone) {
        dialogAnswers.push_back(std::move(answer));
        click("超级按钮4");
    }
    void enterAlarm(std::string_view hour, std::string_view minute) {
        type("编辑框1", hour);
        type("编辑框2", minute);
    }
    void arm(std::string_view hour, std::string_view minute) {
        chooseRingtone();
        enterAlarm(hour, minute);
        click("超级按钮1");
    }

    std::vector<std::string> history() const {
        std::vector<std::string> captions;
        for (const CaptionChange& c : captionChanges) captions.push_back(c.caption);
        return captions;
    }
    // When the alarm last took this state; nullopt if it never did.
    std::optional<LocalTime> lastTimeIn(std::string_view caption) const {
        for (auto it = captionChanges.rbegin(); it != captionChanges.rend(); ++it)
            if (it->caption == caption) return it->wall;
        return std::nullopt;
    }

    std::vector<CaptionChange> captionChanges;
};

inline std::vector<std::string> captions(std::initializer_list<std::string_view> states) {
    return {states.begin(), states.end()};
}

inline int secondOfDay(LocalTime t) {
    return (t.hour * 60 + t.minute) * 60 + t.second;
}

// Seconds from one wall time forward to the next occurrence of another, over midnight if need be.
inline int secondsUntil(LocalTime from, LocalTime to) {
    return ((secondOfDay(to) - secondOfDay(from)) % 86400 + 86400) % 86400;
}

// The alarm reacts on the first check after the clock fields show the minute; a check runs
// once a second, so "on time" is within the first couple of seconds of it.
inline void expectEarlyIn(std::optional<LocalTime> at, int hour, int minute, int maxSecond = 2) {
    ASSERT_TRUE(at.has_value());
    EXPECT_EQ(at->hour, hour);
    EXPECT_EQ(at->minute, minute);
    EXPECT_LE(at->second, maxSecond);
}

// One row of the alarm's state table: everything the state shows the user, and the timers it
// runs.
struct StateRow {
    std::string_view caption;
    bool armEnabled, disarmEnabled, hideEnabled, ringtoneEnabled, entriesEnabled;
    int checkPeriod, titleClockPeriod;
    std::optional<std::string_view> title;  // nullopt: the title clock's time
    bool showsWindow;                       // false: visibility stays as it was
};

inline constexpr StateRow kIdleRow{alarm::kIdle, true, false, false,        true,
                                   true,         0,    1000,  std::nullopt, false};
inline constexpr StateRow kArmedRow{alarm::kArmed, false, true, true,         false,
                                    false,         1000,  0,    "Tavrel闹钟", false};
inline constexpr StateRow kRingingRow{alarm::kRinging, false, true, true,         false,
                                      false,           1000,  0,    "Tavrel闹钟", true};
inline constexpr StateRow kPassedRow{alarm::kPassed, false, true, false,        false,
                                     true,           0,     0,    "Tavrel闹钟", true};

inline void expectState(MemoryForm& form, const StateRow& row) {
    SCOPED_TRACE("expected state " + std::string(row.caption));
    EXPECT_EQ(form["超级按钮1"].text, row.caption);
    EXPECT_EQ(form["超级按钮1"].enabled, row.armEnabled);
    EXPECT_EQ(form["超级按钮2"].enabled, row.disarmEnabled);
    EXPECT_EQ(form["超级按钮3"].enabled, row.hideEnabled);
    EXPECT_EQ(form["超级按钮4"].enabled, row.ringtoneEnabled);
    EXPECT_EQ(form["编辑框1"].enabled, row.entriesEnabled);
    EXPECT_EQ(form["编辑框2"].enabled, row.entriesEnabled);
    EXPECT_EQ(form["时钟2"].period, row.checkPeriod);
    EXPECT_EQ(form["时钟4"].period, row.titleClockPeriod);
    if (row.title) {
        EXPECT_EQ(form.title(), *row.title);
    }
    if (row.showsWindow) {
        EXPECT_TRUE(form.windowVisible());
    }
}

}  // namespace tavrel::test
