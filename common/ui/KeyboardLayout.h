#pragma once
// Making the Italian keyboard layout active while the tutor runs, and giving
// the user's own layout back at exit. Layouts are named as the tutor has
// always named them: "00000410" is the Italian layout; any other name is
// whatever the platform needs to restore a layout.

#include <string>
#include <string_view>

inline constexpr std::string_view kItalianLayoutName = "00000410";

// The platform's side: the name of the active layout and the switch to a
// named one. Tests fake it.
class KeyboardLayoutPort {
public:
    virtual ~KeyboardLayoutPort() = default;
    // "" when the platform cannot tell.
    virtual std::string ActiveLayoutName() = 0;
    virtual bool LoadLayout(const std::string& name) = 0;
};

// Activates a wanted layout, remembering the one it replaced so that it can
// be restored; a switch that does not take effect is undone.
class KeyboardLayoutSwitcher {
public:
    explicit KeyboardLayoutSwitcher(KeyboardLayoutPort& port) : m_port(port) {}

    bool ActivateLayout(const std::string& wanted);
    // Gives back the layout replaced by ActivateLayout, if any (at exit).
    void RestorePreviousLayout();
    const std::string& PreviousLayoutName() const { return m_previousLayoutName; }

private:
    KeyboardLayoutPort& m_port;
    std::string m_previousLayoutName;
};

// The layout of the X keyboard through XKB: "00000410" stands for the Italian
// layout "it" (in whichever group it is configured); other layouts are named
// by their full XKB configuration so that they can be restored exactly.
// Without an X display (Wayland, offscreen) nothing can be read or switched.
class X11KeyboardLayout : public KeyboardLayoutPort {
public:
    // display nullptr means the running application's display, if any.
    explicit X11KeyboardLayout(void* display = nullptr);
    std::string ActiveLayoutName() override;
    bool LoadLayout(const std::string& name) override;

private:
    void* m_display;
};
