#include "common/ui/CapsLock.h"

#include "common/ui/PlatformX11.h"

X11CapsLock::X11CapsLock(void* display)
    : m_display(display != nullptr ? display : x11::ApplicationDisplay()) {}

bool X11CapsLock::IsCapsLockOn() {
    return x11::IsCapsLockOn(m_display);
}

void X11CapsLock::SwitchCapsLockOff() {
    x11::SwitchCapsLockOff(m_display);
}
