// The program's own hot keys and screen in a process of their own, on the display DISPLAY
// names: puts the pointer at (10, 10) of that screen, registers F6, prints "ready" (or
// "refused"), then "pressed" for every press, and ends when its standard input closes.
#include "platform/hotkeys/xcb_hot_keys.h"
#include "platform/x11/xcb_screen.h"
#include "res/resource_ids.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    XcbScreen screen;
    XcbHotKeys hotKeys;
    screen.SetCursorPos(QPoint(10, 10));
    const auto registration = hotKeys.RegisterHotKey(VK_F6, [](std::uint16_t) {
        std::puts("pressed");
        std::fflush(stdout);
    });
    std::puts(registration ? "ready" : "refused");
    std::fflush(stdout);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char byte = 0;
        if (::read(STDIN_FILENO, &byte, 1) <= 0)
            QCoreApplication::quit();
    });
    return QGuiApplication::exec();
}
