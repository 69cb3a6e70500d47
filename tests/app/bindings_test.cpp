#include "app/bindings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "support/memory_form.h"

namespace tavrel {
namespace {

TEST(Bindings, WireExactlyTheListedEvents) {
    const std::set<std::pair<std::string, Event>> expected{
        {"MainWindow", Event::Created}, {"超级按钮1", Event::Clicked},
        {"超级按钮2", Event::Clicked},  {"超级按钮3", Event::Clicked},
        {"超级按钮4", Event::Clicked},  {"时钟1", Event::Tick},
        {"时钟2", Event::Tick},         {"时钟3", Event::Tick},
        {"时钟4", Event::Tick},         {"透明标签1", Event::LeftButtonDown}};
    std::set<std::pair<std::string, Event>> bound;
    for (const Binding& b : kBindings) {
        EXPECT_NE(b.handler, nullptr) << b.source;
        EXPECT_TRUE(bound.emplace(std::string(b.source), b.event).second)
            << "bound twice: " << b.source;
    }
    EXPECT_EQ(bound, expected);
}

TEST(Bindings, UnboundEventsRunNothing) {
    test::MemoryForm form;
    for (const char* source : {"MainWindow", "透明标签2", "编辑框1", "超级按钮1"})
        EXPECT_FALSE(dispatch(form, source, Event::LeftButtonDown)) << source;
    EXPECT_FALSE(dispatch(form, "MainWindow", Event::Clicked));
    EXPECT_FALSE(dispatch(form, "编辑框5", Event::Tick));
}

TEST(MakerLabel, PressOpensThePageAndChangesNothingElse) {
    test::MemoryForm form;
    const test::MemoryForm untouched;
    ASSERT_TRUE(dispatch(form, "透明标签1", Event::LeftButtonDown));
    ASSERT_EQ(form.urls.size(), 1u);
    EXPECT_EQ(form.urls[0].rfind("http", 0), 0u) << form.urls[0];
    EXPECT_EQ(form.title(), untouched.title());
    for (const char* name : {"超级按钮1", "编辑框1", "编辑框5", "时钟1", "时钟4"}) {
        EXPECT_EQ(form[name].text, test::MemoryForm()[name].text) << name;
        EXPECT_EQ(form[name].enabled, test::MemoryForm()[name].enabled) << name;
        EXPECT_EQ(form[name].visible, test::MemoryForm()[name].visible) << name;
    }
}

TEST(WindowCreated, DoesNothing) {
    test::MemoryForm form;
    ASSERT_TRUE(dispatch(form, "MainWindow", Event::Created));
    EXPECT_EQ(form.title(), "Tavrel闹钟");
    EXPECT_TRUE(form.urls.empty());
    EXPECT_TRUE(form.messageBoxes.empty());
    EXPECT_TRUE(form.playRequests.empty());
    EXPECT_EQ(form["编辑框3"].text, "");
}

}  // namespace
}  // namespace tavrel
