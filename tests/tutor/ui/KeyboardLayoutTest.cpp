#include "common/ui/KeyboardLayout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// A platform whose layout switch takes effect only for the names it accepts.
class FakeLayouts : public KeyboardLayoutPort {
public:
    FakeLayouts(std::string active, std::set<std::string> accepted)
        : m_active(std::move(active)), m_accepted(std::move(accepted)) {}
    std::string ActiveLayoutName() override { return m_active; }
    bool LoadLayout(const std::string& name) override {
        loads.push_back(name);
        if (m_accepted.count(name) == 0)
            return false;
        m_active = name;
        return true;
    }
    const std::string& active() const { return m_active; }
    std::vector<std::string> loads;

private:
    std::string m_active;
    std::set<std::string> m_accepted;
};

struct SwitchCase {
    const char* name;
    std::string active;
    std::set<std::string> accepted;
    bool expectedResult;
    std::string expectedPrevious;
    std::vector<std::string> expectedLoads;
    std::string expectedActive;
};

class ActivateLayout : public testing::TestWithParam<SwitchCase> {};

TEST_P(ActivateLayout, SwitchesOrUndoes) {
    const SwitchCase& c = GetParam();
    FakeLayouts platform(c.active, c.accepted);
    KeyboardLayoutSwitcher switcher(platform);
    EXPECT_EQ(switcher.ActivateLayout(std::string(kItalianLayoutName)), c.expectedResult);
    EXPECT_EQ(switcher.PreviousLayoutName(), c.expectedPrevious);
    EXPECT_EQ(platform.loads, c.expectedLoads);
    EXPECT_EQ(platform.active(), c.expectedActive);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ActivateLayout,
    testing::Values(
        SwitchCase{"already_italian", "00000410", {}, true, "", {}, "00000410"},
        SwitchCase{"switched", "us", {"00000410", "us"}, true, "us", {"00000410"}, "00000410"},
        SwitchCase{"refused_is_undone", "us", {"us"}, false, "", {"00000410", "us"}, "us"},
        // on a platform that cannot tell its layout the switch is tried once
        SwitchCase{"no_platform", "", {}, false, "", {"00000410", ""}, ""}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(KeyboardLayoutSwitcher, RestoresTheReplacedLayoutOnce) {
    FakeLayouts platform("de", {"00000410", "de"});
    KeyboardLayoutSwitcher switcher(platform);
    ASSERT_TRUE(switcher.ActivateLayout("00000410"));
    switcher.RestorePreviousLayout();
    EXPECT_EQ(platform.active(), "de");
    EXPECT_EQ(switcher.PreviousLayoutName(), "");
    switcher.RestorePreviousLayout();
    EXPECT_EQ(platform.loads, (std::vector<std::string>{"00000410", "de"}));
}

TEST(KeyboardLayoutSwitcher, NothingToRestoreWhenItalianWasActive) {
    FakeLayouts platform("00000410", {"00000410", "de"});
    KeyboardLayoutSwitcher switcher(platform);
    ASSERT_TRUE(switcher.ActivateLayout("00000410"));
    switcher.RestorePreviousLayout();
    EXPECT_TRUE(platform.loads.empty());
}

TEST(X11KeyboardLayout, WithoutADisplayReportsFailure) {
    // The widget tests run offscreen, so the application has no X display.
    X11KeyboardLayout layouts;
    EXPECT_EQ(layouts.ActiveLayoutName(), "");
    EXPECT_FALSE(layouts.LoadLayout("00000410"));
    KeyboardLayoutSwitcher switcher(layouts);
    EXPECT_FALSE(switcher.ActivateLayout("00000410"));
}

} // namespace
