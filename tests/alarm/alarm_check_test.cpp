// The alarm check: when the alarm rings, when its minute is over, and that each happens once.
#include "alarm/alarm_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarm/alarm_rig.h"
#include "alarm/alarm_states.h"
#include "app/bindings.h"

namespace tavrel::test {
namespace {

const std::vector<std::string> kRangAndPassed =
    captions({alarm::kArmed, alarm::kRinging, alarm::kPassed});

// --- One check, on clock fields written by hand -----------------------------------------------

// The check reads nothing but control texts, so each case writes the clock fields itself on a
// form whose wall clock is hours away, and runs a single check.
struct FieldsCase {
    const char* name;
    const char* alarmHour;
    const char* alarmMinute;
    const char* alarmSecond;  // 编辑框6
    bool ringing;             // the check finds the alarm already ringing
    const char* hour;
    const char* minute;
    const char* second;
    const StateRow* after;
    bool rings;  // this check starts the sound
};

class CheckOnFields : public ::testing::TestWithParam<FieldsCase> {};

TEST_P(CheckOnFields, RingsOrPassesOnTheTextsAlone) {
    const FieldsCase& c = GetParam();
    AlarmRig rig({12, 0, 0});
    rig.arm(c.alarmHour, c.alarmMinute);
    rig.writeText("编辑框6", c.alarmSecond);
    if (c.ringing) rig.writeCaption("超级按钮1", alarm::kRinging);
    rig.writeText("编辑框3", c.hour);
    rig.writeText("编辑框4", c.minute);
    rig.writeText("编辑框7", c.second);

    ASSERT_TRUE(dispatch(rig, "时钟2", Event::Tick));

    expectState(rig, *c.after);
    EXPECT_EQ(rig.playRequests.size(), c.rings ? 1u : 0u);
    EXPECT_EQ(rig.playing, c.rings ? kRingtone : "");
    EXPECT_EQ(rig.alarmTones, 0);
}

const FieldsCase kFieldsCases[] = {
    {"RingsOnSecondZero", "7", "30", "0", false, "7", "30", "0", &kRingingRow, true},
    // Late ticks may never show second 0.
    {"RingsOnAnyLaterSecond", "7", "30", "0", false, "7", "30", "59", &kRingingRow, true},
    {"FieldsMustMatchTheTextsExactly", "7", "30", "0", false, "07", "30", "0", &kArmedRow, false},
    {"WaitsInTheMinuteBefore", "7", "30", "0", false, "7", "29", "59", &kArmedRow, false},
    {"PassesWithoutSoundOnceTheMinuteIsOver", "7", "30", "0", false, "7", "31", "0", &kPassedRow,
     false},
    {"LaterMinuteOfAnEarlierHourWaits", "7", "30", "0", false, "6", "45", "0", &kArmedRow, false},
    {"LaterHourWaitsForTomorrow", "7", "30", "0", false, "8", "0", "0", &kArmedRow, false},
    // As text "5" sorts after "25".
    {"MinutesCompareAsNumbers", "7", "25", "0", false, "7", "5", "0", &kArmedRow, false},
    {"MinuteAfterATwoDigitAlarmPasses", "7", "25", "0", false, "7", "26", "0", &kPassedRow, false},
    {"WaitsForTheAlarmSecond", "7", "30", "30", false, "7", "30", "29", &kArmedRow, false},
    {"RingsOnTheAlarmSecond", "7", "30", "30", false, "7", "30", "30", &kRingingRow, true},
    // As text "10" sorts before "9".
    {"SecondsCompareAsNumbers", "7", "30", "9", false, "7", "30", "10", &kRingingRow, true},
    {"RingingGoesOnThroughItsMinute", "7", "30", "0", true, "7", "30", "40", &kRingingRow, false},
    {"RingingEndsWithItsMinute", "7", "30", "0", true, "7", "31", "0", &kPassedRow, false},
    {"RingingEndsAtTheNextHour", "7", "59", "0", true, "8", "0", "0", &kPassedRow, false},
    {"RingingEndsWhenTheClockIsSetBack", "7", "30", "0", true, "7", "10", "0", &kPassedRow, false},
};

INSTANTIATE_TEST_SUITE_P(Alarm, CheckOnFields, ::testing::ValuesIn(kFieldsCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Real time --------------------------------------------------------------------------------

TEST(AlarmCheck, RingsOnceInTheAlarmMinuteAndPassesWhenItEnds) {
    AlarmRig rig({7, 29, 10});
    rig.arm("7", "30");
    rig.run(49'000);  // 7:29:59
    EXPECT_EQ(rig.history(), captions({alarm::kArmed}));
    EXPECT_TRUE(rig.playRequests.empty());

    rig.run(2000);
    expectEarlyIn(rig.lastTimeIn(alarm::kRinging), 7, 30);
    expectState(rig, kRingingRow);
    EXPECT_EQ(rig.playing, kRingtone);

    rig.run(57'000);  // 7:30:58: later checks in the minute leave the sound alone
    EXPECT_EQ(rig.playRequests, std::vector<std::string>{kRingtone});
    expectState(rig, kRingingRow);

    rig.run(3000);
    expectEarlyIn(rig.lastTimeIn(alarm::kPassed), 7, 31);
    expectState(rig, kPassedRow);
    // Passing does not silence the alarm; only disarm does.
    EXPECT_EQ(rig.playing, kRingtone);
    EXPECT_EQ(rig.stops, 0);

    rig.run(3600'000);
    EXPECT_EQ(rig.history(), kRangAndPassed);
    EXPECT_EQ(rig.playRequests.size(), 1u);
    EXPECT_EQ(rig.alarmTones, 0);
}

TEST(AlarmCheck, ArmedLaterInTheAlarmHourPassesAtOnceInSilence) {
    AlarmRig rig({7, 45, 0});
    rig.arm("7", "30");
    rig.run(1000);
    expectState(rig, kPassedRow);
    EXPECT_EQ(rig.history(), captions({alarm::kArmed, alarm::kPassed}));
    EXPECT_TRUE(rig.playRequests.empty());
    EXPECT_EQ(rig.alarmTones, 0);
}

TEST(AlarmCheck, ArmedInsideItsMinuteRingsOnTheFirstCheck) {
    AlarmRig rig({7, 30, 40});
    rig.arm("7", "30");
    rig.run(1000);
    expectState(rig, kRingingRow);
    EXPECT_EQ(rig.playRequests.size(), 1u);
}

TEST(AlarmCheck, AMissingRingtonePlaysTheBuiltInTone) {
    AlarmRig rig({7, 29, 50});
    rig.chooseRingtone("E:\\拔掉的U盘\\铃声.mp3");
    rig.enterAlarm("7", "30");
    rig.click("超级按钮1");
    rig.run(11'000);
    expectState(rig, kRingingRow);
    EXPECT_EQ(rig.playRequests, std::vector<std::string>{"E:\\拔掉的U盘\\铃声.mp3"});
    EXPECT_EQ(rig.alarmTones, 1);
    EXPECT_EQ(rig.playing, "<tone>");
}

// Rings on time and not a minute early or late, whatever the hours and minutes look like as
// text and wherever midnight falls.
struct OnTimeCase {
    const char* name;
    LocalTime armedAt;
    const char* hourTyped;
    const char* minuteTyped;
    LocalTime alarm;  // seconds 0
    LocalTime passes;
};

class RingsOnTime : public ::testing::TestWithParam<OnTimeCase> {};

TEST_P(RingsOnTime, WaitsRingsAndPassesAMinuteLater) {
    const OnTimeCase& c = GetParam();
    AlarmRig rig(c.armedAt);
    rig.arm(c.hourTyped, c.minuteTyped);
    ASSERT_TRUE(rig.messageBoxes.empty());
    const int wait = secondsUntil(c.armedAt, c.alarm);

    rig.run((wait - 1) * 1000);
    EXPECT_EQ(rig.history(), captions({alarm::kArmed}));
    EXPECT_TRUE(rig.playRequests.empty());

    rig.run(2000);
    expectEarlyIn(rig.lastTimeIn(alarm::kRinging), c.alarm.hour, c.alarm.minute);
    EXPECT_EQ(rig.playRequests.size(), 1u);

    rig.run(57'000);
    expectState(rig, kRingingRow);

    rig.run(3000);
    expectEarlyIn(rig.lastTimeIn(alarm::kPassed), c.passes.hour, c.passes.minute);
    expectState(rig, kPassedRow);
    EXPECT_EQ(rig.history(), kRangAndPassed);
    EXPECT_EQ(rig.playRequests.size(), 1u);
}

const OnTimeCase kOnTimeCases[] = {
    {"FromTheHourBefore", {6, 50, 0}, "7", "30", {7, 30, 0}, {7, 31, 0}},
    {"MinuteTypedWithALeadingZero", {7, 2, 0}, "7", "05", {7, 5, 0}, {7, 6, 0}},
    // Minutes 5 to 24 lie before 25, though as text they sort after it.
    {"TwoDigitMinuteArmedAtAOneDigitOne", {7, 5, 0}, "07", "25", {7, 25, 0}, {7, 26, 0}},
    {"MinuteZero", {6, 58, 30}, "7", "0", {7, 0, 0}, {7, 1, 0}},
    {"HourZero", {0, 10, 0}, "0", "30", {0, 30, 0}, {0, 31, 0}},
    {"LastMinuteOfTheDayPassesAtMidnight", {23, 50, 0}, "23", "59", {23, 59, 0}, {0, 0, 0}},
    {"MidnightFromTheDayBefore", {23, 58, 30}, "00", "00", {0, 0, 0}, {0, 1, 0}},
};

INSTANTIATE_TEST_SUITE_P(Alarm, RingsOnTime, ::testing::ValuesIn(kOnTimeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Ticks as a busy or changing machine delivers them. Whatever the clock fields show, the alarm
// rings exactly once and passes exactly once.
struct IrregularCase {
    const char* name;
    int lateMs;
    int changeAtMs;  // armed at 7:29:10 for 7:30; then the wall clock is changed
    std::optional<LocalTime> setTo;
    int jumpSeconds;
    int runMs;
};

class IrregularTicks : public ::testing::TestWithParam<IrregularCase> {};

TEST_P(IrregularTicks, RingOnceAndPassOnce) {
    const IrregularCase& c = GetParam();
    AlarmRig rig({7, 29, 10});
    rig.arm("7", "30");
    rig.run(c.changeAtMs, c.lateMs);
    if (c.setTo) rig.setWallClock(*c.setTo);
    rig.jumpWallClock(c.jumpSeconds);
    rig.run(c.runMs - c.changeAtMs, c.lateMs);

    EXPECT_EQ(rig.history(), kRangAndPassed);
    EXPECT_EQ(rig.playRequests, std::vector<std::string>{kRingtone});
    expectEarlyIn(rig.lastTimeIn(alarm::kRinging), 7, 30, 4);
    expectEarlyIn(rig.lastTimeIn(alarm::kPassed), 7, 31, 4);
    expectState(rig, kPassedRow);
}

const IrregularCase kIrregularCases[] = {
    // Clock readings every 1.5 s from 7:29:10 land on 7:29:59.5 and 7:30:01.
    {"LateTicksSkipSecondZero", 500, 0, std::nullopt, 0, 180'000},
    {"TicksAlmostASecondLate", 999, 0, std::nullopt, 0, 180'000},
    {"WallClockJumpsOverSecondZero", 0, 49'500, std::nullopt, 2, 180'000},
    {"WallClockSetBackInsideTheRingingMinute", 0, 80'000, LocalTime{7, 30, 5}, 0, 180'000},
    // On into the next day's alarm minute, which the passed alarm no longer checks.
    {"ADayOfDriftingTicks", 137, 0, std::nullopt, 0, 25 * 3600'000},
};

INSTANTIATE_TEST_SUITE_P(Alarm, IrregularTicks, ::testing::ValuesIn(kIrregularCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavrel::test
