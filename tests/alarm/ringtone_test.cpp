// Choosing the ringtone: the dialog, and the path shown for a while under the buttons.
#include "alarm/ringtone.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarm/alarm_rig.h"

namespace tavrel::test {
namespace {

void expectPathShown(MemoryForm& form, const std::string& path) {
    EXPECT_TRUE(form["编辑框5"].visible);
    EXPECT_FALSE(form["编辑框5"].enabled);  // shown, never edited by hand
    EXPECT_EQ(form["编辑框5"].text, path);
}

TEST(Ringtone, ChosenPathIsShownForFiveSecondsAndRings) {
    AlarmRig rig({7, 29, 0});
    rig.chooseRingtone();
    EXPECT_EQ(rig.dialogFilters, std::vector<std::string>{"MP3文件|*.mp3"});
    expectPathShown(rig, kRingtone);

    rig.run(4999);
    EXPECT_TRUE(rig["编辑框5"].visible);
    rig.run(1);
    EXPECT_FALSE(rig["编辑框5"].visible);
    EXPECT_EQ(rig["编辑框5"].text, kRingtone);  // hidden, still what arm checks

    rig.enterAlarm("7", "29");
    rig.click("超级按钮1");
    rig.run(1000);
    EXPECT_EQ(rig.playRequests, std::vector<std::string>{kRingtone});
}

TEST(Ringtone, FirstDialogCancelledShowsAnEmptyPath) {
    AlarmRig rig({7, 29, 0});
    rig.chooseRingtone(std::nullopt);
    expectPathShown(rig, "");
    rig.run(5000);
    EXPECT_FALSE(rig["编辑框5"].visible);
}

TEST(Ringtone, LaterCancelKeepsAndShowsTheOldPath) {
    AlarmRig rig({7, 29, 0});
    rig.chooseRingtone();
    rig.run(7000);
    rig.chooseRingtone(std::nullopt);
    expectPathShown(rig, kRingtone);
    EXPECT_EQ(rig.dialogFilters.size(), 2u);

    // Hidden again by the timer that has been running since the first choice, at 10 s.
    rig.run(2999);
    EXPECT_TRUE(rig["编辑框5"].visible);
    rig.run(1);
    EXPECT_FALSE(rig["编辑框5"].visible);

    rig.enterAlarm("7", "29");
    rig.click("超级按钮1");
    EXPECT_TRUE(rig.messageBoxes.empty());
    rig.run(1000);
    EXPECT_EQ(rig.playRequests, std::vector<std::string>{kRingtone});
}

TEST(Ringtone, AnotherChoiceIsShownOnlyUntilTheRunningTimerTicks) {
    AlarmRig rig({7, 29, 0});
    const std::string other = "D:\\音乐\\闹铃 2.mp3";
    rig.playableFiles.insert(other);
    rig.chooseRingtone();
    rig.run(3000);
    rig.chooseRingtone(other);
    expectPathShown(rig, other);

    // The timer keeps the countdown it started with the first choice.
    rig.run(1999);
    EXPECT_TRUE(rig["编辑框5"].visible);
    rig.run(1);
    EXPECT_FALSE(rig["编辑框5"].visible);

    rig.enterAlarm("7", "29");
    rig.click("超级按钮1");
    rig.run(1000);
    EXPECT_EQ(rig.playRequests, std::vector<std::string>{other});
}

}  // namespace
}  // namespace tavrel::test
