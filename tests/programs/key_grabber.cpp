// The program's own hot keys in a process apart, on the screen DISPLAY names: registers F6 and
// prints "ready" (or "refused"), then "pressed" for every press.
#include "platform/hotkeys/xcb_hot_keys.h"
#include "platform/x11/xcb_screen.h"

#include <QGuiApplication>

#include <cstdio>

namespace {
void Say(const char* line) {
    std::puts(line);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    XcbScreen screen;
    XcbHotKeys hotKeys;
    screen.SetCursorPos(QPoint(10, 10));
    const auto registration = hotKeys.RegisterHotKey(VK_F6, [](std::uint16_t) { Say("pressed"); });
    Say(registration ? "ready" : "refused");
    return QGuiApplication::exec();
}
