#include "display_setup.h"

#include "platform/real/display_probe.h"

#include <QtGlobal>

QString PrepareDisplay() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    if (qgetenv("QT_QPA_PLATFORM") != "xcb")
        return {};
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return QStringLiteral("Tintwatch needs an X display, and DISPLAY is not set.");
    if (!CanReachXDisplay())
        return QStringLiteral("Tintwatch cannot reach the X display \"%1\".")
            .arg(qEnvironmentVariable("DISPLAY"));
    return {};
}

bool RunsOnXWayland() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && qgetenv("QT_QPA_PLATFORM") == "xcb";
}
