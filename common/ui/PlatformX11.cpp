#include "common/ui/PlatformX11.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XKBrules.h>

#include <cstdlib>

namespace x11 {
namespace {

constexpr const char* xkbRulesFolder = "/usr/share/X11/xkb/rules/";
constexpr const char* defaultRules = "evdev";

Display* asDisplay(void* display) {
    return static_cast<Display*>(display);
}

std::string take(char* owned) {
    std::string s = owned != nullptr ? owned : "";
    std::free(owned);
    return s;
}

char* mutableOrNull(const std::string& s) {
    return s.empty() ? nullptr : const_cast<char*>(s.c_str());
}

void freeComponents(XkbComponentNamesRec& c) {
    std::free(c.keymap);
    std::free(c.keycodes);
    std::free(c.types);
    std::free(c.compat);
    std::free(c.symbols);
    std::free(c.geometry);
}

} // namespace

bool ReadXkbConfiguration(void* display, XkbConfiguration& out) {
    Display* dpy = asDisplay(display);
    if (dpy == nullptr)
        return false;
    char* rulesFile = nullptr;
    XkbRF_VarDefsRec vd{};
    if (!XkbRF_GetNamesProp(dpy, &rulesFile, &vd))
        return false;
    out.rules = take(rulesFile);
    out.model = take(vd.model);
    out.layout = take(vd.layout);
    out.variant = take(vd.variant);
    out.options = take(vd.options);
    XkbStateRec state{};
    out.group = XkbGetState(dpy, XkbUseCoreKbd, &state) == Success ? state.locked_group : 0;
    return true;
}

bool ApplyXkbConfiguration(void* display, const XkbConfiguration& configuration) {
    Display* dpy = asDisplay(display);
    if (dpy == nullptr || configuration.layout.empty())
        return false;
    const std::string rulesName = configuration.rules.empty() ? defaultRules : configuration.rules;
    const std::string rulesPath = xkbRulesFolder + rulesName;
    XkbRF_RulesPtr rules =
        XkbRF_Load(const_cast<char*>(rulesPath.c_str()), const_cast<char*>("C"), True, True);
    if (rules == nullptr)
        return false;
    XkbRF_VarDefsRec vd{};
    vd.model = mutableOrNull(configuration.model);
    vd.layout = mutableOrNull(configuration.layout);
    vd.variant = mutableOrNull(configuration.variant);
    vd.options = mutableOrNull(configuration.options);
    XkbComponentNamesRec components{};
    bool ok = XkbRF_GetComponents(rules, &vd, &components) != 0;
    if (ok) {
        XkbDescPtr keymap =
            XkbGetKeyboardByName(dpy, XkbUseCoreKbd, &components, XkbGBN_AllComponentsMask,
                                 XkbGBN_AllComponentsMask & ~XkbGBN_GeometryMask, True);
        ok = keymap != nullptr;
        if (keymap != nullptr)
            XkbFreeKeyboard(keymap, XkbAllComponentsMask, True);
    }
    freeComponents(components);
    XkbRF_Free(rules, True);
    if (ok)
        ok = XkbRF_SetNamesProp(dpy, const_cast<char*>(rulesName.c_str()), &vd) != 0;
    return ok && LockXkbGroup(display, configuration.group);
}

bool LockXkbGroup(void* display, int group) {
    Display* dpy = asDisplay(display);
    if (dpy == nullptr || group < 0 || group > 3)
        return false;
    const bool ok = XkbLockGroup(dpy, XkbUseCoreKbd, static_cast<unsigned>(group)) != 0;
    XSync(dpy, False);
    return ok;
}

bool IsCapsLockOn(void* display) {
    Display* dpy = asDisplay(display);
    if (dpy == nullptr)
        return false;
    XkbStateRec state{};
    if (XkbGetState(dpy, XkbUseCoreKbd, &state) != Success)
        return false;
    return (state.locked_mods & LockMask) != 0;
}

void SwitchCapsLockOff(void* display) {
    Display* dpy = asDisplay(display);
    if (dpy == nullptr)
        return;
    XkbLockModifiers(dpy, XkbUseCoreKbd, LockMask, 0);
    XSync(dpy, False);
}

void* OpenDisplay(const std::string& name) {
    return XOpenDisplay(name.c_str());
}

void CloseDisplay(void* display) {
    if (display != nullptr)
        XCloseDisplay(asDisplay(display));
}

} // namespace x11
