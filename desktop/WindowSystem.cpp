#include "desktop/WindowSystem.h"

#include <QGuiApplication>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client-core.h>

void SendPainted()
{
    // Qt 6.4 hands out its Wayland connection only through its private native interface.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    QPlatformNativeInterface* Native = QGuiApplication::platformNativeInterface();
    if (auto* Display = Native ? static_cast<wl_display*>(Native->nativeResourceForIntegration("wl_display")) : nullptr)
        wl_display_flush(Display);
}
