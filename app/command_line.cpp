#include "command_line.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::string_view kUsage = "Usage: tintwatch [--help | --version]\n";

constexpr std::string_view kHelp =
    "Watches points of the screen and acts when their colour changes.\n"
    "Started while it is already running, it brings the running window back and ends.\n"
    "\n"
    "  --help     print this help and end\n"
    "  --version  print the version and end\n";

} // namespace

std::optional<CommandLineAnswer> ReadCommandLine(std::span<const char* const> arguments) {
    if (arguments.empty())
        return std::nullopt;
    const std::string_view first = arguments.front();
    if (arguments.size() == 1 && first == "--help")
        return CommandLineAnswer{0, std::string(kUsage) + std::string(kHelp), false};
    if (arguments.size() == 1 && first == "--version")
        return CommandLineAnswer{0, "Tintwatch " TINTWATCH_VERSION "\n", false};
    // Name the first argument not understood; with two good ones, the second is one too many.
    const auto unknown = std::ranges::find_if(arguments, [](std::string_view argument) {
        return argument != "--help" && argument != "--version";
    });
    const std::string_view refused = unknown != arguments.end() ? *unknown : arguments[1];
    return CommandLineAnswer{2,
                             "tintwatch: unexpected argument '" + std::string(refused) + "'\n" +
                                 std::string(kUsage) + "Try 'tintwatch --help'.\n",
                             true};
}
