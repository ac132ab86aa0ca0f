#include "pulse_server.h"

#include <cstdlib>
#include <sys/stat.h>

std::string FindPulseServer() {
    if (const char* server = std::getenv("PULSE_SERVER"); server && *server)
        return server;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime)
        return {};
    const std::string socketPath = std::string(runtime) + "/pulse/native";
    struct stat info {};
    if (stat(socketPath.c_str(), &info) != 0 || !S_ISSOCK(info.st_mode))
        return {};
    return "unix:" + socketPath;
}
