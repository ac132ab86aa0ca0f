#include "display_connection.h"

#include "platform/x11/qt_xcb_connection.h"

std::function<bool()> WatchDisplayConnection() {
    // Taken now: once broken, Qt no longer hands the connection out.
    xcb_connection_t* connection = QtXcbConnection();
    return [connection] { return connection && xcb_connection_has_error(connection); };
}
