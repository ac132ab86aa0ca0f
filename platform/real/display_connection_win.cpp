#include "display_connection.h"

std::function<bool()> WatchDisplayConnection() {
    // Qt's windows platform has no connection that could break under it.
    return [] { return false; };
}
