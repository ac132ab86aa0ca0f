// The program's few options, answered before anything needs a display.
#pragma once

#include <optional>
#include <span>
#include <string>

struct CommandLineAnswer {
    int exitStatus;   // 0 for --help and --version, 2 for anything refused
    std::string text; // what to print, ended by a newline
    bool isError;     // printed on the error stream
};

// Reads the arguments after the program's name. Nothing to answer (no arguments) means: start.
std::optional<CommandLineAnswer> ReadCommandLine(std::span<const char* const> arguments);
