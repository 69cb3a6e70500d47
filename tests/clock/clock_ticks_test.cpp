// The clock fields the alarm check compares, and the title clock shown while idle.
#include "clock/clock_ticks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/bindings.h"
#include "support/memory_form.h"

namespace tavrel::test {
namespace {

LocalTime secondBefore(LocalTime t) {
    const int s = ((t.hour * 60 + t.minute) * 60 + t.second + 86399) % 86400;
    return {s / 3600, s / 60 % 60, s % 60};
}

struct FieldsCase {
    const char* name;
    LocalTime at;
    const char* hour;
    const char* minute;
    const char* second;
};

class ClockFields : public ::testing::TestWithParam<FieldsCase> {};

TEST_P(ClockFields, ShowTheTimeWithoutLeadingZeros) {
    const FieldsCase& c = GetParam();
    MemoryForm form(secondBefore(c.at));
    form.run(999);
    EXPECT_EQ(form["编辑框3"].text, "");
    EXPECT_EQ(form["编辑框4"].text, "");
    EXPECT_EQ(form["编辑框7"].text, "");
    form.run(1);
    EXPECT_EQ(form["编辑框3"].text, c.hour);
    EXPECT_EQ(form["编辑框4"].text, c.minute);
    EXPECT_EQ(form["编辑框7"].text, c.second);
}

INSTANTIATE_TEST_SUITE_P(Clock, ClockFields,
                         ::testing::Values(FieldsCase{"Midnight", {0, 0, 0}, "0", "0", "0"},
                                           FieldsCase{"SingleDigits", {9, 5, 7}, "9", "5", "7"},
                                           FieldsCase{
                                               "DoubleDigits", {23, 59, 58}, "23", "59", "58"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A clock whose readings are scripted, one per call.
class ScriptedClock : public MemoryForm {
  public:
    explicit ScriptedClock(std::vector<LocalTime> readings) : readings_(std::move(readings)) {}
    LocalTime currentLocalTime() override { return readings_.at(next_++); }

  private:
    std::vector<LocalTime> readings_;
    std::size_t next_ = 0;
};

TEST(ClockFields, EachFieldTakesItsOwnReading) {
    // The hour read just before the minute turns over, the minute and second just after.
    ScriptedClock form({{7, 59, 59}, {8, 0, 0}, {8, 0, 0}});
    ASSERT_TRUE(dispatch(form, "时钟1", Event::Tick));
    EXPECT_EQ(form["编辑框3"].text, "7");
    EXPECT_EQ(form["编辑框4"].text, "0");
    EXPECT_EQ(form["编辑框7"].text, "0");
}

TEST(ClockFields, FollowTheClockEverySecondWhileTheWindowIsHidden) {
    MemoryForm form({7, 29, 58});
    form.dialogAnswers.push_back("C:\\铃声.mp3");
    form.click("超级按钮4");
    form.type("编辑框1", "9");
    form.type("编辑框2", "0");
    form.click("超级按钮1");
    form.click("超级按钮3");
    ASSERT_FALSE(form.windowVisible());

    const char* const expected[][3] = {{"7", "29", "59"}, {"7", "30", "0"}, {"7", "30", "1"}};
    for (const auto& e : expected) {
        form.run(1000);
        EXPECT_EQ(form["编辑框3"].text, e[0]);
        EXPECT_EQ(form["编辑框4"].text, e[1]);
        EXPECT_EQ(form["编辑框7"].text, e[2]);
    }
    form.setWallClock({12, 0, 0});
    form.run(1000);
    EXPECT_EQ(form["编辑框3"].text, "12");
    EXPECT_EQ(form["编辑框4"].text, "0");
    EXPECT_EQ(form["编辑框7"].text, "1");
}

struct TitleCase {
    const char* name;
    LocalTime at;
    const char* title;
};

class TitleClock : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TitleClock, ShowsHourAndMinuteOnceItHasTicked) {
    const TitleCase& c = GetParam();
    MemoryForm form(secondBefore(c.at));
    form.run(999);
    EXPECT_EQ(form.title(), "Tavrel闹钟");
    form.run(1);
    EXPECT_EQ(form.title(), c.title);
}

INSTANTIATE_TEST_SUITE_P(Clock, TitleClock,
                         ::testing::Values(TitleCase{"OneDigitEach", {8, 5, 0}, "现在时间  8：5"},
                                           TitleCase{"MinuteZero", {12, 0, 0}, "现在时间  12：0"},
                                           TitleCase{
                                               "LastMinute", {23, 59, 0}, "现在时间  23：59"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TitleClock, KeepsUpWithTheMinute) {
    MemoryForm form({8, 4, 58});
    form.run(1000);
    EXPECT_EQ(form.title(), "现在时间  8：4");
    form.run(1000);
    EXPECT_EQ(form.title(), "现在时间  8：5");
}

}  // namespace
}  // namespace tavrel::test
