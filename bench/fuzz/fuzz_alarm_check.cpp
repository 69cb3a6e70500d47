// A user at the in-memory form doing anything in any order, the wall clock set and jumping, and
// timer ticks arriving late: the real handlers answer through the program's bindings, and a
// small model of the alarm's rules, kept here, says after every step what the form must show.
//
// The loop is run one instant at a time (every instant at which some timer is due), so the
// model sees each alarm check on its own: which clock fields it read and what it made of them.
// Running MemoryForm::run in such pieces delivers exactly the ticks one long run would, since a
// tick that falls due is delivered at max(due + late, now) either way and every countdown
// starts again at least a full period after the instant it fired in.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "alarm/alarm_states.h"
#include "support/memory_form.h"

namespace {

using tavrel::LocalTime;
using tavrel::test::MemoryForm;
namespace alarm = tavrel::alarm;

const std::string kSong = "C:\\Users\\me\\Music\\起床.mp3";
const std::string kOtherSong = "D:\\铃声\\morning.mp3";
const std::string kMissingSong = "E:\\拔掉的U盘\\铃声.mp3";  // the sound service cannot open it

constexpr std::array<std::string_view, 4> kTimers{"时钟1", "时钟2", "时钟3", "时钟4"};
enum TimerIndex { kClockFields, kCheck, kPathHide, kTitleClock };

std::string g_trace;  // what the user did, printed with any failure

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "ALARM MODEL VIOLATED: %s\nsteps:\n%s", what.c_str(), g_trace.c_str());
    std::abort();
}

// A macro so that the message is only put together once something is wrong: the checks run
// after every instant of the loop.
#define REQUIRE(ok, what)      \
    do {                       \
        if (!(ok)) fail(what); \
    } while (false)

// The clock fields and the entry boxes after they lose the focus hold plain decimal text; the
// model compares them as numbers so that a field written as "07" would not quietly match "7".
std::optional<long long> plainDecimal(const std::string& s) {
    std::size_t i = s.size() > 1 && s[0] == '-' ? 1 : 0;
    if (i >= s.size() || s.size() > 12) return std::nullopt;
    long long v = 0;
    for (std::size_t k = i; k < s.size(); ++k) {
        if (s[k] < '0' || s[k] > '9') return std::nullopt;
        v = v * 10 + (s[k] - '0');
    }
    if (s.size() - i > 1 && s[i] == '0') return std::nullopt;  // leading zero: not canonical
    if (i == 1 && v == 0) return std::nullopt;                 // "-0"
    return i ? -v : v;
}

// Records every caption 超级按钮1 is given, which is the alarm's whole history: a second ring
// inside one arming would be invisible in the end state.
class FuzzForm : public MemoryForm {
  public:
    using MemoryForm::MemoryForm;

    void writeCaption(std::string_view button, std::string_view caption) override {
        MemoryForm::writeCaption(button, caption);
        if (button != "超级按钮1") return;
        if (caption == alarm::kArmed) ringsThisArming = 0;
        if (caption == alarm::kRinging) ++ringsThisArming;
    }

    int ringsThisArming = 0;
};

struct Model {
    std::string_view state = alarm::kIdle;
    std::string alarmHour, alarmMinute;  // the entry texts as they were armed
    std::string fileName;                // what the open-file dialog holds
    std::size_t plays = 0;               // playSoundFile calls
    std::string lastRequest;             // the path the last ring asked for
    int tones = 0;
    std::string playing;
    std::size_t messageBoxes = 0;
};

class Session {
  public:
    explicit Session(LocalTime start) : form_(start) { form_.playableFiles = {kSong, kOtherSong}; }

    // --- What the user does -----------------------------------------------------------------

    void setWallClock(LocalTime t) {
        trace("setWallClock " + std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" +
              std::to_string(t.second));
        form_.setWallClock(t);
        checkAll();
    }

    void jumpWallClock(int seconds) {
        trace("jumpWallClock " + std::to_string(seconds));
        form_.jumpWallClock(seconds);
        checkAll();
    }

    void run(int ms, int lateMs) {
        trace("run " + std::to_string(ms) + " late " + std::to_string(lateMs));
        const std::int64_t end = form_.nowMs() + ms;
        for (;;) {
            std::array<std::int64_t, kTimers.size()> at{};
            std::int64_t earliest = std::numeric_limits<std::int64_t>::max();
            for (std::size_t i = 0; i < kTimers.size(); ++i) {
                const MemoryForm::Control& t = form_[kTimers[i]];
                at[i] = t.nextTickMs < 0 ? std::numeric_limits<std::int64_t>::max()
                                         : std::max(t.nextTickMs + lateMs, form_.nowMs());
                earliest = std::min(earliest, at[i]);
            }
            if (earliest > end) break;
            const std::string_view before = model_.state;
            form_.run(static_cast<int>(earliest - form_.nowMs()), lateMs);
            std::array<bool, kTimers.size()> ticked{};
            for (std::size_t i = 0; i < kTimers.size(); ++i) ticked[i] = at[i] == earliest;
            afterInstant(ticked, before);
        }
        form_.run(static_cast<int>(end - form_.nowMs()), lateMs);
        checkAll();
    }

    void chooseRingtone(const std::optional<std::string>& answer) {
        if (!clickable("超级按钮4")) return;
        trace("chooseRingtone " + (answer ? *answer : std::string("<cancel>")));
        form_.dialogAnswers.push_back(answer);
        form_.click("超级按钮4");
        REQUIRE(form_.dialogAnswers.empty(), "choosing a ringtone did not open the dialog once");
        if (answer) model_.fileName = *answer;
        REQUIRE(form_["编辑框5"].visible, "the chosen ringtone path is not shown");
        checkAll();
    }

    // The user may first empty the box (select all, delete), or type on after what it holds.
    void type(std::string_view box, bool clearFirst, const std::string& text) {
        const MemoryForm::Control& b = form_[box];
        if (!b.enabled || !b.visible || !form_.windowVisible()) return;
        trace(std::string("type ") + std::string(box) + (clearFirst ? " (cleared) \"" : " \"") +
              text + "\"");
        if (clearFirst) form_.writeText(box, "");
        form_.type(box, text);
        checkAll();
    }

    void clickArm() {
        if (!clickable("超级按钮1")) return;
        trace("click 超级按钮1 with \"" + form_["编辑框1"].text + "\" \"" + form_["编辑框2"].text +
              "\"");
        form_.click("超级按钮1");
        // The click took the focus, so both entries now hold what losing it left there.
        const std::string hour = form_["编辑框1"].text;
        const std::string minute = form_["编辑框2"].text;
        std::string_view refusal;
        if (hour.empty() || minute.empty()) {
            refusal = alarm::kNoTimeMessage;
        } else {
            const auto h = plainDecimal(hour), m = plainDecimal(minute);
            REQUIRE(h && m, "an entry box left without focus is not plain decimal: \"" + hour +
                                "\" \"" + minute + "\"");
            if (*h < 0 || *h > 23 || *m < 0 || *m > 59)
                refusal = alarm::kInvalidTimeMessage;
            else if (model_.fileName.empty())
                refusal = alarm::kNoRingtoneMessage;
        }
        if (refusal.empty()) {
            model_.state = alarm::kArmed;
            model_.alarmHour = hour;
            model_.alarmMinute = minute;
        } else {
            ++model_.messageBoxes;
            REQUIRE(form_.messageBoxes.size() == model_.messageBoxes,
                    "a refused arm must show exactly one message box");
            const auto& shown = form_.messageBoxes.back();
            REQUIRE(shown.caption == alarm::kMessageCaption,
                    "message box caption \"" + shown.caption + "\"");
            REQUIRE(shown.text == refusal, "message box says \"" + shown.text + "\", expected \"" +
                                               std::string(refusal) + "\"");
        }
        checkAll();
    }

    void clickDisarm() {
        if (!clickable("超级按钮2")) return;
        trace("click 超级按钮2");
        form_.click("超级按钮2");
        model_.state = alarm::kIdle;
        model_.playing.clear();
        checkAll();
    }

    void clickHide() {
        if (!clickable("超级按钮3")) return;
        trace("click 超级按钮3");
        form_.click("超级按钮3");
        REQUIRE(!form_.windowVisible(), "hide left the window visible");
        checkAll();
    }

    // The alarm time the entries hold, if it is one the clock can show.
    std::optional<LocalTime> enteredAlarm() {
        const auto h = plainDecimal(form_["编辑框1"].text), m = plainDecimal(form_["编辑框2"].text);
        if (!h || !m || *h < 0 || *h > 23 || *m < 0 || *m > 59) return std::nullopt;
        return LocalTime{static_cast<int>(*h), static_cast<int>(*m), 0};
    }

  private:
    bool clickable(std::string_view button) {
        const MemoryForm::Control& b = form_[button];
        return b.enabled && b.visible && form_.windowVisible();
    }

    void trace(const std::string& step) {
        g_trace += "  " + step + "  [at " + std::to_string(form_.nowMs()) + " ms, state " +
                   std::string(model_.state) + "]\n";
    }

    // One instant of the loop has gone by; ticked says which timers fired in it. Ties fire in
    // creation order, so at an instant where 时钟1 and 时钟2 both fire the check has read the
    // fields 时钟1 just wrote, which are the ones the form holds now: the model's view of a
    // check is exact.
    void afterInstant(const std::array<bool, kTimers.size()>& ticked, std::string_view before) {
        const std::string hour = form_["编辑框3"].text, minute = form_["编辑框4"].text,
                          second = form_["编辑框7"].text;
        if (ticked[kClockFields]) {
            const LocalTime now = form_.currentLocalTime();
            REQUIRE(hour == std::to_string(now.hour) && minute == std::to_string(now.minute) &&
                        second == std::to_string(now.second),
                    "clock fields " + hour + ":" + minute + ":" + second +
                        " after 时钟1 do not show the wall clock");
        }
        if (ticked[kCheck]) {
            REQUIRE(before == alarm::kArmed || before == alarm::kRinging,
                    "the alarm check ran in state " + std::string(before));
            checkOnce(hour, minute, second);
        }
        if (model_.state != before &&
            (model_.state == alarm::kRinging || model_.state == alarm::kPassed))
            REQUIRE(form_.windowVisible(),
                    "the window is hidden after the alarm went to " + std::string(model_.state));
        if (ticked[kTitleClock]) {
            const LocalTime now = form_.currentLocalTime();
            const std::string want =
                "现在时间  " + std::to_string(now.hour) + "：" + std::to_string(now.minute);
            REQUIRE(form_.title() == want, "title clock shows \"" + form_.title() + "\"");
        }
        checkAll();
    }

    // What one alarm check must make of the clock fields it read. An armed alarm rings on the
    // first check that finds the fields in its minute, not merely some time within it: 时钟1
    // rewrites the fields and 时钟2 checks them, both about once a second, so a check that saw
    // the minute and let it go would leave the ring to a later check that may never come (the
    // clock set on, the next hour). Judging after each single check, rather than at the end of
    // a long run, keeps the model exact whatever order the two timers' phases fall in.
    void checkOnce(const std::string& hour, const std::string& minute, const std::string& second) {
        const auto h = plainDecimal(hour), m = plainDecimal(minute), s = plainDecimal(second);
        const auto ah = plainDecimal(model_.alarmHour), am = plainDecimal(model_.alarmMinute);
        const auto as = plainDecimal(form_["编辑框6"].text);
        const bool inAlarmMinute = h && m && h == ah && m == am;
        // The alarm second box is hidden and stays "0", so any second of the minute is late
        // enough; it is still honoured as the check reads it.
        const bool secondReached = s && as && *s >= *as;
        if (model_.state == alarm::kArmed && inAlarmMinute && secondReached) {
            model_.state = alarm::kRinging;
            ++model_.plays;
            model_.lastRequest = model_.fileName;
            if (model_.fileName == kSong || model_.fileName == kOtherSong) {
                model_.playing = model_.fileName;
            } else {
                ++model_.tones;
                model_.playing = "<tone>";
            }
        }
        // The minute is over once the clock shows a later one in the alarm hour; a ringing
        // alarm also stops on any other minute (the next hour, or a clock set back).
        const bool laterInAlarmHour = h && m && h == ah && *m > *am;
        if (laterInAlarmHour || (model_.state == alarm::kRinging && !inAlarmMinute))
            model_.state = alarm::kPassed;
    }

    struct Row {
        std::string_view caption;
        bool arm, disarm, hide, ringtone, entries;
        int check, titleClock;
    };

    void checkAll() {
        const std::string caption = form_["超级按钮1"].text;
        REQUIRE(caption == model_.state,
                "caption \"" + caption + "\", expected \"" + std::string(model_.state) + "\"");
        REQUIRE(form_.ringsThisArming <= 1,
                "one arming rang " + std::to_string(form_.ringsThisArming) + " times");

        static constexpr Row kRows[] = {
            {alarm::kIdle, true, false, false, true, true, 0, 1000},
            {alarm::kArmed, false, true, true, false, false, 1000, 0},
            {alarm::kRinging, false, true, true, false, false, 1000, 0},
            {alarm::kPassed, false, true, false, false, true, 0, 0},
        };
        const Row* row = nullptr;
        for (const Row& r : kRows)
            if (r.caption == model_.state) row = &r;
        const auto expectRow = [&](bool ok, const char* what) {
            if (!ok) fail(std::string(what) + " wrong in state " + std::string(model_.state));
        };
        expectRow(form_["超级按钮1"].enabled == row->arm, "超级按钮1 enabled");
        expectRow(form_["超级按钮2"].enabled == row->disarm, "超级按钮2 enabled");
        expectRow(form_["超级按钮3"].enabled == row->hide, "超级按钮3 enabled");
        expectRow(form_["超级按钮4"].enabled == row->ringtone, "超级按钮4 enabled");
        expectRow(form_["编辑框1"].enabled == row->entries, "编辑框1 enabled");
        expectRow(form_["编辑框2"].enabled == row->entries, "编辑框2 enabled");
        expectRow(form_["时钟2"].period == row->check, "时钟2 period");
        expectRow(form_["时钟4"].period == row->titleClock, "时钟4 period");
        if (model_.state == alarm::kIdle) {
            // Idle is reached only by a click, and hide is off there.
            expectRow(form_.windowVisible(), "window visibility");
        } else {
            expectRow(form_.title() == "Tavrel闹钟", "title");
        }
        if (model_.state == alarm::kPassed) expectRow(form_.windowVisible(), "window visibility");
        if (model_.state == alarm::kArmed || model_.state == alarm::kRinging) {
            expectRow(form_["编辑框1"].text == model_.alarmHour &&
                          form_["编辑框2"].text == model_.alarmMinute,
                      "alarm setting");
        }
        if (model_.state == alarm::kArmed || model_.state == alarm::kIdle)
            expectRow(form_.playing.empty(), "sound");

        REQUIRE(form_["编辑框5"].text == model_.fileName,
                "编辑框5 shows \"" + form_["编辑框5"].text + "\", the dialog holds \"" +
                    model_.fileName + "\"");
        REQUIRE(form_.playRequests.size() == model_.plays,
                std::to_string(form_.playRequests.size()) + " play requests, expected " +
                    std::to_string(model_.plays));
        REQUIRE(model_.plays == 0 || form_.playRequests.back() == model_.lastRequest,
                "the ring asked for \"" + form_.playRequests.back() + "\", not the chosen \"" +
                    model_.lastRequest + "\"");
        REQUIRE(form_.alarmTones == model_.tones, std::to_string(form_.alarmTones) +
                                                      " alarm tones, expected " +
                                                      std::to_string(model_.tones));
        REQUIRE(form_.playing == model_.playing,
                "playing \"" + form_.playing + "\", expected \"" + model_.playing + "\"");
        REQUIRE(form_.messageBoxes.size() == model_.messageBoxes, "unexpected message box");
    }

    FuzzForm form_;
    Model model_;
};

LocalTime consumeTime(FuzzedDataProvider& in) {
    const int h = in.ConsumeIntegralInRange(0, 23);
    const int m = in.ConsumeIntegralInRange(0, 59);
    const int s = in.ConsumeIntegralInRange(0, 59);
    return {h, m, s};
}

LocalTime secondsBefore(LocalTime t, int seconds) {
    int day = ((t.hour * 60 + t.minute) * 60 + t.second - seconds) % 86400;
    if (day < 0) day += 86400;
    return {day / 3600, day / 60 % 60, day % 60};
}

// Mostly what the entry boxes take, with the characters they refuse mixed in.
std::string consumeTyping(FuzzedDataProvider& in) {
    static constexpr std::string_view kKeys[] = {"0", "1", "2", "3", "4",  "5", "6",
                                                 "7", "8", "9", "-", "0",  "1", "2",
                                                 "5", "+", " ", "a", "时", "０"};
    std::string text;
    const int n = in.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < n; ++i)
        text += kKeys[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kKeys) - 1)];
    return text;
}

std::optional<std::string> consumeAnswer(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return kSong;
        case 1:
            return kOtherSong;
        case 2:
            return kMissingSong;
        default:
            return std::nullopt;
    }
}

int consumeDuration(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return in.ConsumeIntegralInRange(0, 1500);
        case 1:
            return in.ConsumeIntegralInRange(0, 5000);
        case 2:
            return in.ConsumeIntegralInRange(0, 65'000);
        default:
            return in.ConsumeIntegralInRange(0, 120'000);
    }
}

int consumeLateness(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0:
            return 0;
        case 1:
            return in.ConsumeIntegralInRange(0, 50);
        default:
            return in.ConsumeIntegralInRange(0, 1500);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    g_trace.clear();
    try {
        Session session(consumeTime(in));
        // Bounded so that one input stays a few simulated hours, not days.
        for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
            switch (in.ConsumeIntegralInRange(0, 11)) {
                case 0:
                    session.setWallClock(consumeTime(in));
                    break;
                case 1: {
                    const int ms = consumeDuration(in);
                    session.run(ms, consumeLateness(in));
                    break;
                }
                case 2:
                    session.jumpWallClock(in.ConsumeBool()
                                              ? in.ConsumeIntegralInRange(-120, 120)
                                              : in.ConsumeIntegralInRange(-90'000, 90'000));
                    break;
                case 3:
                    session.chooseRingtone(consumeAnswer(in));
                    break;
                case 4: {
                    const bool clear = in.ConsumeBool();
                    session.type("编辑框1", clear, consumeTyping(in));
                    break;
                }
                case 5: {
                    const bool clear = in.ConsumeBool();
                    session.type("编辑框2", clear, consumeTyping(in));
                    break;
                }
                case 6:
                    session.clickArm();
                    break;
                case 7:
                    session.clickDisarm();
                    break;
                case 8:
                    session.clickHide();
                    break;
                case 9: {
                    // The whole arming as a user does it: ringtone, hour, minute, click.
                    session.chooseRingtone(consumeAnswer(in));
                    session.type("编辑框1", true,
                                 std::to_string(in.ConsumeIntegralInRange(-1, 25)));
                    session.type("编辑框2", true,
                                 std::to_string(in.ConsumeIntegralInRange(-1, 61)));
                    session.clickArm();
                    break;
                }
                case 10: {
                    // Close to the alarm minute, where the interesting checks happen.
                    const int lead = in.ConsumeIntegralInRange(-90, 90);
                    const std::optional<LocalTime> alarmTime = session.enteredAlarm();
                    session.setWallClock(alarmTime ? secondsBefore(*alarmTime, lead)
                                                   : consumeTime(in));
                    break;
                }
                default: {
                    const int ms = in.ConsumeIntegralInRange(0, 3000);
                    session.run(ms, consumeLateness(in));
                    break;
                }
            }
        }
    } catch (const std::exception& e) {
        fail(std::string("exception: ") + e.what());
    }
    return 0;
}
