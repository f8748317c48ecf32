#pragma once
// Caps Lock: whether it is toggled on, and switching it off. The tutor keeps
// it off because a sentence typed in capitals by accident is all wrong.

class CapsLockPort {
public:
    virtual ~CapsLockPort() = default;
    virtual bool IsCapsLockOn() = 0;
    virtual void SwitchCapsLockOff() = 0;
};

// The X keyboard's locked Lock modifier through XKB; without an X display
// (Wayland, offscreen) it reads as off and switching does nothing.
class X11CapsLock : public CapsLockPort {
public:
    // display nullptr means the running application's display, if any.
    explicit X11CapsLock(void* display = nullptr);
    bool IsCapsLockOn() override;
    void SwitchCapsLockOff() override;

private:
    void* m_display;
};
