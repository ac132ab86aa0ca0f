#include "qt_xcb_connection.h"

#include <QGuiApplication>

#include <cstdlib>

xcb_connection_t* QtXcbConnection() {
    // qGuiApp would be a blind cast when only a QCoreApplication exists.
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return nullptr;
    xcb_connection_t* connection = x11->connection();
    if (!connection || xcb_connection_has_error(connection))
        return nullptr;
    return connection;
}

int QtXcbScreenNumber() {
    int screen = 0;
    char* host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen) == 0)
        screen = 0;
    std::free(host);
    return screen;
}

const xcb_screen_t* XcbScreenOf(xcb_connection_t* connection, int number) {
    const xcb_setup_t* setup = connection ? xcb_get_setup(connection) : nullptr;
    if (!setup)
        return nullptr;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
    for (int i = 0; it.rem > 0; xcb_screen_next(&it), ++i) {
        if (i == number)
            return it.data;
    }
    return nullptr;
}

const xcb_screen_t* QtXcbScreen() {
    return XcbScreenOf(QtXcbConnection(), QtXcbScreenNumber());
}
