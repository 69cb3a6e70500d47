// Arm, disarm and hide: the buttons that move the alarm between its states.
#include "alarm/alarm_commands.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "alarm/alarm_states.h"
#include "alarm/alarm_rig.h"
#include "ui/form.h"

namespace tavrel::test {
namespace {

// --- Arm refused ----------------------------------------------------------------------------

enum class Ringtone { Chosen, Cancelled, Never };

struct Refusal {
    const char* name;
    const char* hourTyped;
    const char* minuteTyped;
    Ringtone ringtone;
    std::string_view message;
    // What the entry boxes hold once the click has taken the focus from them.
    const char* hourAfter;
    const char* minuteAfter;
};

class ArmRefused : public ::testing::TestWithParam<Refusal> {};

TEST_P(ArmRefused, ShowsTheMessageAndChangesNothing) {
    const Refusal& c = GetParam();
    AlarmRig rig({7, 29, 10});
    rig.run(2500);  // the clocks have ticked, so a refusal that stops them shows
    if (c.ringtone != Ringtone::Never)
        rig.chooseRingtone(c.ringtone == Ringtone::Chosen ? std::optional(kRingtone)
                                                          : std::nullopt);
    rig.enterAlarm(c.hourTyped, c.minuteTyped);

    std::map<std::string, MemoryForm::Control> before;
    for (const auto& control : form::kControls)
        before.emplace(std::string(control.name), rig[control.name]);
    const std::string title = rig.title();

    rig.click("超级按钮1");

    ASSERT_EQ(rig.messageBoxes.size(), 1u);
    EXPECT_EQ(rig.messageBoxes[0].text, c.message);
    EXPECT_EQ(rig.messageBoxes[0].caption, "Tavrel提示：");
    before.at("编辑框1").text = c.hourAfter;
    before.at("编辑框2").text = c.minuteAfter;
    for (const auto& [name, was] : before) {
        SCOPED_TRACE(name);
        const MemoryForm::Control& now = rig[name];
        EXPECT_EQ(now.text, was.text);
        EXPECT_EQ(now.visible, was.visible);
        EXPECT_EQ(now.enabled, was.enabled);
        EXPECT_EQ(now.period, was.period);
        EXPECT_EQ(now.nextTickMs, was.nextTickMs);
        EXPECT_EQ(now.fileName, was.fileName);
    }
    EXPECT_EQ(rig.title(), title);
    EXPECT_TRUE(rig.windowVisible());
    EXPECT_TRUE(rig.captionChanges.empty());
    EXPECT_TRUE(rig.playRequests.empty());
    expectState(rig, kIdleRow);
}

const Refusal kRefusals[] = {
    {"EmptyHour", "", "30", Ringtone::Chosen, alarm::kNoTimeMessage, "", "30"},
    {"EmptyMinute", "7", "", Ringtone::Chosen, alarm::kNoTimeMessage, "7", ""},
    {"HourJustASign", "-", "30", Ringtone::Chosen, alarm::kNoTimeMessage, "", "30"},
    {"EmptyTimeComesBeforeNoRingtone", "", "", Ringtone::Never, alarm::kNoTimeMessage, "", ""},
    {"Hour24", "24", "30", Ringtone::Chosen, alarm::kInvalidTimeMessage, "24", "30"},
    {"NegativeHour", "-1", "30", Ringtone::Chosen, alarm::kInvalidTimeMessage, "-1", "30"},
    {"Minute60", "7", "60", Ringtone::Chosen, alarm::kInvalidTimeMessage, "7", "60"},
    {"Minute75", "7", "75", Ringtone::Chosen, alarm::kInvalidTimeMessage, "7", "75"},
    {"NegativeMinute", "7", "-5", Ringtone::Chosen, alarm::kInvalidTimeMessage, "7", "-5"},
    {"InvalidTimeComesBeforeNoRingtone", "24", "0", Ringtone::Never, alarm::kInvalidTimeMessage,
     "24", "0"},
    {"NoRingtone", "07", "30", Ringtone::Never, alarm::kNoRingtoneMessage, "7", "30"},
    {"RingtoneDialogCancelled", "7", "30", Ringtone::Cancelled, alarm::kNoRingtoneMessage, "7",
     "30"},
};

INSTANTIATE_TEST_SUITE_P(Alarm, ArmRefused, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

// --- The states in turn ---------------------------------------------------------------------

TEST(AlarmStates, ArmRingPassDisarmShowEachRowOfTheTable) {
    AlarmRig rig({7, 29, 10});
    expectState(rig, kIdleRow);

    rig.arm("7", "30");
    EXPECT_TRUE(rig.messageBoxes.empty());
    expectState(rig, kArmedRow);
    EXPECT_TRUE(rig.windowVisible());

    rig.run(51'000);
    expectState(rig, kRingingRow);

    rig.run(60'000);
    expectState(rig, kPassedRow);

    rig.click("超级按钮2");
    expectState(rig, kIdleRow);
    EXPECT_EQ(rig.history(),
              captions({alarm::kArmed, alarm::kRinging, alarm::kPassed, alarm::kIdle}));
}

// --- Disarm ---------------------------------------------------------------------------------

// Records the order of the operations that make a visible difference, to see what disarm
// does first.
class OrderRig : public AlarmRig {
  public:
    using AlarmRig::AlarmRig;
    void stopSound() override {
        ops.push_back("stopSound");
        AlarmRig::stopSound();
    }
    void setEnabled(std::string_view control, bool enabled) override {
        ops.push_back("setEnabled " + std::string(control));
        AlarmRig::setEnabled(control, enabled);
    }
    void setPeriod(std::string_view timer, int ms) override {
        ops.push_back("setPeriod " + std::string(timer));
        AlarmRig::setPeriod(timer, ms);
    }
    void writeCaption(std::string_view button, std::string_view caption) override {
        ops.push_back("writeCaption " + std::string(button));
        AlarmRig::writeCaption(button, caption);
    }
    std::vector<std::string> ops;
};

struct DisarmFrom {
    const char* name;
    int armedForMs;  // armed at 7:29:10 for 7:30
    const StateRow* state;
};

class Disarm : public ::testing::TestWithParam<DisarmFrom> {};

TEST_P(Disarm, SilencesFirstThenRestoresIdleKeepingTheSetting) {
    OrderRig rig({7, 29, 10});
    rig.arm("7", "30");
    rig.run(GetParam().armedForMs);
    expectState(rig, *GetParam().state);
    const std::string fileName = rig["通用对话框1"].fileName;

    rig.ops.clear();
    rig.click("超级按钮2");

    ASSERT_FALSE(rig.ops.empty());
    EXPECT_EQ(rig.ops.front(), "stopSound");
    EXPECT_EQ(rig.playing, "");
    expectState(rig, kIdleRow);
    EXPECT_TRUE(rig.windowVisible());
    EXPECT_EQ(rig["编辑框1"].text, "7");
    EXPECT_EQ(rig["编辑框2"].text, "30");
    EXPECT_EQ(rig["编辑框5"].text, kRingtone);
    EXPECT_EQ(rig["通用对话框1"].fileName, fileName);

    const LocalTime now = rig.currentLocalTime();
    rig.run(1000);
    EXPECT_EQ(rig.title(), "现在时间  7：" + std::to_string(now.minute));

    // The check has stopped: the alarm minute, if still to come, brings no sound.
    const std::size_t plays = rig.playRequests.size();
    rig.run(120'000);
    EXPECT_EQ(rig.playRequests.size(), plays);
    EXPECT_EQ(rig.alarmTones, 0);
    expectState(rig, kIdleRow);
}

INSTANTIATE_TEST_SUITE_P(Alarm, Disarm,
                         ::testing::Values(DisarmFrom{"Armed", 0, &kArmedRow},
                                           DisarmFrom{"Ringing", 55'000, &kRingingRow},
                                           DisarmFrom{"Passed", 115'000, &kPassedRow}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Disarm, RearmingInsideTheAlarmMinuteRingsAgainAtOnce) {
    AlarmRig rig({7, 29, 10});
    rig.arm("7", "30");
    rig.run(55'000);
    rig.click("超级按钮2");
    rig.run(3000);

    rig.click("超级按钮1");
    expectState(rig, kArmedRow);
    rig.run(1000);
    expectState(rig, kRingingRow);
    EXPECT_EQ(rig.playRequests, (std::vector<std::string>{kRingtone, kRingtone}));
    EXPECT_EQ(rig.playing, kRingtone);
}

// --- Hide -----------------------------------------------------------------------------------

struct HideCase {
    const char* name;
    int hideAfterMs;  // armed at 7:29:10 for 7:30
    int backAfterMs;  // when the alarm check should show the window again
    const StateRow* backIn;
};

class Hide : public ::testing::TestWithParam<HideCase> {};

TEST_P(Hide, OnlyTheAlarmCheckBringsTheWindowBack) {
    const HideCase& c = GetParam();
    AlarmRig rig({7, 29, 10});
    rig.arm("7", "30");
    rig.run(c.hideAfterMs);
    rig.click("超级按钮3");
    EXPECT_FALSE(rig.windowVisible());

    rig.run(c.backAfterMs - c.hideAfterMs - 1000);
    EXPECT_FALSE(rig.windowVisible());

    rig.run(2000);
    EXPECT_TRUE(rig.windowVisible());
    expectState(rig, *c.backIn);
}

INSTANTIATE_TEST_SUITE_P(Alarm, Hide,
                         ::testing::Values(HideCase{"WhileArmed", 0, 50'000, &kRingingRow},
                                           HideCase{"WhileRinging", 55'000, 110'000, &kPassedRow}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavrel::test
