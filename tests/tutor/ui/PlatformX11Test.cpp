// The X11 keyboard adapters against a real X server: each case starts its own
// Xvfb, so the keymap and Caps Lock of nobody else's display are touched.
#include "common/ui/PlatformX11.h"
#include "common/ui/CapsLock.h"
#include "common/ui/KeyboardLayout.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

bool run(const QString& program, const QStringList& arguments) {
    return QProcess::execute(program, arguments) == 0;
}

class OwnXServer : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(QStandardPaths::findExecutable("Xvfb").isEmpty()) << "Xvfb is needed";
        // -displayfd 1: the server picks a free display and prints its number.
        m_server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp",
                                "-noreset"});
        ASSERT_TRUE(m_server.waitForStarted(5000));
        while (!m_server.canReadLine())
            ASSERT_TRUE(m_server.waitForReadyRead(10000)) << "Xvfb did not report a display";
        m_name = ":" + QString::fromLatin1(m_server.readLine()).trimmed();
        m_display = x11::OpenDisplay(m_name.toStdString());
        ASSERT_NE(m_display, nullptr);
    }
    void TearDown() override {
        x11::CloseDisplay(m_display);
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
    void setLayout(const QStringList& arguments) {
        ASSERT_TRUE(run("setxkbmap", QStringList{"-display", m_name} + arguments));
    }
    std::string activeXkbLayouts() {
        x11::XkbConfiguration c;
        EXPECT_TRUE(x11::ReadXkbConfiguration(m_display, c));
        return c.layout + "/" + std::to_string(c.group);
    }

    QProcess m_server;
    QString m_name;
    void* m_display = nullptr;
};

TEST_F(OwnXServer, SwitchesToItalianAndGivesTheOldLayoutBack) {
    setLayout({"-layout", "de", "-variant", "nodeadkeys"});
    X11KeyboardLayout layouts(m_display);
    KeyboardLayoutSwitcher switcher(layouts);
    ASSERT_TRUE(switcher.ActivateLayout("00000410"));
    EXPECT_EQ(layouts.ActiveLayoutName(), "00000410");
    EXPECT_EQ(activeXkbLayouts(), "it/0");
    EXPECT_NE(switcher.PreviousLayoutName().find("de"), std::string::npos);

    switcher.RestorePreviousLayout();
    x11::XkbConfiguration restored;
    ASSERT_TRUE(x11::ReadXkbConfiguration(m_display, restored));
    EXPECT_EQ(restored.layout, "de");
    EXPECT_EQ(restored.variant, "nodeadkeys");
}

TEST_F(OwnXServer, ItalianAlreadyActiveNeedsNoSwitch) {
    setLayout({"it"});
    X11KeyboardLayout layouts(m_display);
    KeyboardLayoutSwitcher switcher(layouts);
    EXPECT_TRUE(switcher.ActivateLayout("00000410"));
    EXPECT_EQ(switcher.PreviousLayoutName(), "");
}

TEST_F(OwnXServer, ItalianAmongTheGroupsIsSelectedNotReplaced) {
    setLayout({"us,it"});
    X11KeyboardLayout layouts(m_display);
    KeyboardLayoutSwitcher switcher(layouts);
    ASSERT_TRUE(switcher.ActivateLayout("00000410"));
    EXPECT_EQ(activeXkbLayouts(), "us,it/1");
    switcher.RestorePreviousLayout();
    EXPECT_EQ(activeXkbLayouts(), "us,it/0");
}

TEST_F(OwnXServer, UnknownLayoutNamesAreRefused) {
    setLayout({"us"});
    X11KeyboardLayout layouts(m_display);
    EXPECT_FALSE(layouts.LoadLayout("00000409"));
    EXPECT_FALSE(layouts.LoadLayout("xkb:evdev;pc105;us;;;9"));
    EXPECT_FALSE(layouts.LoadLayout("xkb:evdev;pc105;;;;0"));
    EXPECT_EQ(activeXkbLayouts(), "us/0");
}

TEST_F(OwnXServer, CapsLockIsSwitchedOff) {
    X11CapsLock caps(m_display);
    EXPECT_FALSE(caps.IsCapsLockOn());
    ASSERT_TRUE(run("env", {"DISPLAY=" + m_name, "xdotool", "key", "Caps_Lock"}));
    EXPECT_TRUE(caps.IsCapsLockOn());
    caps.SwitchCapsLockOff();
    EXPECT_FALSE(caps.IsCapsLockOn());
}

TEST(X11CapsLockWithoutDisplay, ReadsOffAndIgnoresTheSwitch) {
    X11CapsLock caps;
    EXPECT_FALSE(caps.IsCapsLockOn());
    caps.SwitchCapsLockOff();
    EXPECT_FALSE(caps.IsCapsLockOn());
}

} // namespace
