// Where the user's PulseAudio (or PipeWire-Pulse) server listens.
#pragma once

#include <string>

// The server address to connect to: PULSE_SERVER when set, else "unix:" and the native
// socket in XDG_RUNTIME_DIR when that socket exists. Empty when no server is to be found, so
// the caller need not wait for a connection that cannot succeed, nor make the client library
// spawn a daemon of its own.
std::string FindPulseServer();
