#pragma once
// The few X11 keyboard operations the programs need, kept in one unit
// because Xlib's macros (None, Bool, Status, KeyPress...) clash with Qt.
// The display is passed as an opaque pointer; nullptr makes every call a
// no-op that reports failure.

#include <string>

namespace x11 {

// The XKB configuration of the keyboard as the server holds it in its
// _XKB_RULES_NAMES property; layout and variant are comma-separated lists,
// one item per group.
struct XkbConfiguration {
    std::string rules;
    std::string model;
    std::string layout;
    std::string variant;
    std::string options;
    int group = 0; // the locked group, i.e. the layout in use
};

bool ReadXkbConfiguration(void* display, XkbConfiguration& out);
// Compiles and loads the keymap for the configuration, records it in the
// server's property and locks its group.
bool ApplyXkbConfiguration(void* display, const XkbConfiguration& configuration);
bool LockXkbGroup(void* display, int group);

bool IsCapsLockOn(void* display);
void SwitchCapsLockOff(void* display);

// The X display of the running Qt application, or nullptr when it runs on
// another platform (Wayland, offscreen) or before the application exists.
void* ApplicationDisplay();

// A connection of its own to a named display (for tools and tests that run
// without a Qt application on X); nullptr when it cannot be opened.
void* OpenDisplay(const std::string& name);
void CloseDisplay(void* display);

} // namespace x11
