// Another X client for the tests. `tw_key_grabber N [mask]` grabs F<N> until its input closes and
// prints "grabbed" or "taken"; `tw_key_grabber program` registers the program's own F6 and prints
// "ready", then "pressed" for every press.
#include "platform/hotkeys/xcb_hot_keys.h"
#include "platform/hotkeys/xcb_keycode.h"
#include "platform/x11/xcb_reply.h"
#include "platform/x11/xcb_screen.h"
#include "res/resource_ids.h"

#include <QGuiApplication>
#include <QSocketNotifier>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace {
void Say(const char* line) {
    std::puts(line);
    std::fflush(stdout);
}

int RunProgramsKeys(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    XcbScreen screen;
    XcbHotKeys hotKeys;
    screen.SetCursorPos(QPoint(10, 10));
    const auto registration = hotKeys.RegisterHotKey(VK_F6, [](std::uint16_t) { Say("pressed"); });
    Say(registration ? "ready" : "refused");
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char byte = 0;
        if (::read(STDIN_FILENO, &byte, 1) <= 0)
            QCoreApplication::quit();
    });
    return QGuiApplication::exec();
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    if (std::strcmp(argv[1], "program") == 0)
        return RunProgramsKeys(argc, argv);
    const int number = std::atoi(argv[1]);
    const auto modifiers = static_cast<std::uint16_t>(argc > 2 ? std::atoi(argv[2]) : 0);
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(nullptr, nullptr), &xcb_disconnect);
    if (!connection || xcb_connection_has_error(connection.get()))
        return 2;
    const std::optional<xcb_keysym_t> keysym =
        FunctionKeySym(static_cast<std::uint16_t>(0x6F + number));
    const std::optional<xcb_keycode_t> keycode =
        keysym ? KeycodeForKeysym(connection.get(), *keysym) : std::nullopt;
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection.get()));
    if (!keycode || screens.rem == 0)
        return 2;
    const XcbReply<xcb_generic_error_t> error(xcb_request_check(
        connection.get(),
        xcb_grab_key_checked(connection.get(), 1, screens.data->root, modifiers, *keycode,
                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));
    Say(error ? "taken" : "grabbed");
    if (error)
        return 3;
    while (std::getchar() != EOF) {
    }
    return 0;
}
