// The one place where the Qt application hands out its X display; Xlib
// itself stays in PlatformX11.cpp.
#include "common/ui/PlatformX11.h"

#include <QGuiApplication>

namespace x11 {

void* ApplicationDisplay() {
    if (qGuiApp == nullptr)
        return nullptr;
    auto* native = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return native != nullptr ? static_cast<void*>(native->display()) : nullptr;
}

} // namespace x11
