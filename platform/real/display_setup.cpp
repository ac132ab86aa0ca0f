#include "display_setup.h"

#include "display_probe.h"
#include "platform/qt/launch_environment.h"

#include <QtGlobal>

namespace {

bool IsWaylandSession() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qgetenv("XDG_SESSION_TYPE") == "wayland";
}

} // namespace

PreparedDisplay PrepareDisplay() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        // XWayland's screen shows nothing of native windows: only Wayland itself can read it.
        const bool wayland = IsWaylandSession() && CanReachWaylandDisplay();
        SetOwnEnvironmentVariable("QT_QPA_PLATFORM", wayland ? "wayland" : "xcb");
    }
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.startsWith("wayland")) {
        if (!CanReachWaylandDisplay())
            return {QStringLiteral("Tintwatch cannot reach the Wayland display \"%1\".")
                        .arg(qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0")))};
        return {};
    }
    if (platform != "xcb")
        return {};
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return {QStringLiteral("Tintwatch needs an X display, and DISPLAY is not set.")};
    std::shared_ptr<void> check = ConnectToXDisplay();
    if (!check)
        return {QStringLiteral("Tintwatch cannot reach the X display \"%1\".")
                    .arg(qEnvironmentVariable("DISPLAY"))};
    return {{}, std::move(check)};
}

bool RunsOnXWayland() {
    return IsWaylandSession() && qgetenv("QT_QPA_PLATFORM") == "xcb";
}
