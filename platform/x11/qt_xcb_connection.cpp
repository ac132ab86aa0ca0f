#include "qt_xcb_connection.h"

#include <QGuiApplication>

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
