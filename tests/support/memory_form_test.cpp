// The in-memory form must keep the real window's rules, or the handler tests prove nothing.
#include "support/memory_form.h"

#include <gtest/gtest.h>

namespace tavrel::test {
namespace {

TEST(TimerPeriod, WritingTheSamePeriodDoesNotRestartTheCountdown) {
    MemoryForm form;
    form.setPeriod("时钟3", 5000);
    form.run(3000);
    form.setPeriod("时钟3", 5000);
    EXPECT_EQ(form["时钟3"].nextTickMs, 5000);
}

TEST(TimerPeriod, ANewPeriodRestartsOnePeriodLater) {
    MemoryForm form;
    form.run(700);
    form.setPeriod("时钟1", 400);
    EXPECT_EQ(form["时钟1"].nextTickMs, 1100);
}

TEST(TimerPeriod, ALateTickLeftOverFromARunIsNotDeliveredInThePast) {
    MemoryForm form;
    form.run(1200, 300);  // 时钟1 fell due at 1000 but would arrive at 1300
    form.run(100);
    // Delivered at once, at 1200, and counting on from there; never back at 1000.
    EXPECT_EQ(form["时钟1"].nextTickMs, 2200);
}

TEST(TimerPeriod, ZeroAndNegativeStop) {
    MemoryForm form;
    form.setPeriod("时钟4", -5);
    EXPECT_EQ(form["时钟4"].period, 0);
    EXPECT_EQ(form["时钟4"].nextTickMs, -1);
    form.setPeriod("时钟4", 0);
    EXPECT_EQ(form["时钟4"].nextTickMs, -1);
}

TEST(TimerPeriod, ClockTimersTickFromCreation) {
    MemoryForm form({9, 5, 7});
    form.run(999);
    EXPECT_EQ(form["编辑框3"].text, "");
    EXPECT_EQ(form.title(), "Tavrel闹钟");
    form.run(1);
    EXPECT_NE(form["编辑框3"].text, "");
}

TEST(Typing, IntegerBoxesFilterAndLimitTypingOnly) {
    MemoryForm form;
    form.type("编辑框1", "1x2");
    EXPECT_EQ(form["编辑框1"].text, "12");
    form.type("编辑框1", "3");
    EXPECT_EQ(form["编辑框1"].text, "12");
    form.writeText("编辑框1", "12345");  // a program write is not limited
    EXPECT_EQ(form.readText("编辑框1"), "12345");
}

TEST(Typing, LeavingAnIntegerBoxRewritesIt) {
    MemoryForm form;
    form.type("编辑框2", "07");
    form.type("编辑框1", "0");
    EXPECT_EQ(form["编辑框2"].text, "7");
    form.dialogAnswers.push_back(std::nullopt);
    form.click("超级按钮4");
    EXPECT_EQ(form["编辑框1"].text, "0");
}

TEST(Operations, WrongKindOfControlIsAnError) {
    MemoryForm form;
    EXPECT_THROW(form.readText("超级按钮1"), std::invalid_argument);
    EXPECT_THROW(form.setPeriod("编辑框1", 1000), std::invalid_argument);
    EXPECT_THROW(form.readText("编辑框8"), std::invalid_argument);
}

}  // namespace
}  // namespace tavrel::test
