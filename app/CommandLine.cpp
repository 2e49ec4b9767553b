// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "app/CommandLine.h"

#include "exact/one_number.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr std::string_view kHelp =
    "Usage: quantaro [QUERY...] [Qt options]\n"
    "       quantaro --help | --version\n"
    "\n"
    "Opens the Velkor Quantaro converter window. With a QUERY the window opens\n"
    "with its number in \"Convert:\" and its units in From and To:\n"
    "\n"
    "  quantaro 5 in cm\n"
    "  quantaro 70 kg to lb\n"
    "  quantaro '-40 °C -> °F'\n"
    "\n"
    "QUERY is NUMBER UNIT [to|in|into|as|->|=] [UNIT]; a UNIT is an abbreviation\n"
    "(\"in\", \"kg\", \"°F\"), a name (\"inch\") or the beginning of a name that only\n"
    "one unit has. A unit alone converts into its partner (\"100 °C\" into\n"
    "Fahrenheit). The number, the units and the window's place are kept for the\n"
    "next start, as after any run.\n"
    "\n"
    "  -h, --help   print this help\n"
    "  --version    print the version\n"
    "\n"
    "Qt's options, such as -platform, are accepted. Without a display,\n"
    "quantaro-convert converts on the command line.\n"
    "\n"
    "Exit status: 0 when the window closed, 1 without a display, 2 for a query\n"
    "that cannot be answered or an unknown option.\n";

// The window toolkit's options that take a value (as the next argument).
constexpr std::array<std::string_view, 15> kToolkitOptionsWithValue{
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry", "qwindowicon",
    "icon", "qwindowtitle", "title", "display", "name", "style", "stylesheet", "session",
};
// And those that take none (or their value after "=").
constexpr std::array<std::string_view, 6> kToolkitFlags{
    "reverse", "widgetcount", "nograb", "dograb", "sync", "qmljsdebugger",
};

bool startsLikeNegativeNumber(std::string_view argument)
{
    return argument.size() >= 2 && argument[0] == '-' && ((argument[1] >= '0' && argument[1] <= '9') || argument[1] == '.');
}

bool contains(std::span<const std::string_view> names, std::string_view name)
{
    for (const std::string_view n : names)
        if (n == name)
            return true;
    return false;
}

WindowCommandLine refuse(std::string message)
{
    WindowCommandLine line;
    line.action = WindowCommandLine::Action::Refuse;
    line.text = "quantaro: " + message + '\n';
    line.status = 2;
    return line;
}

// Connects to a Unix socket at `path` (a leading NUL: the abstract namespace).
bool acceptsConnection(std::string_view path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.data(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    int result;
    do {
        result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address),
                           static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size()));
    } while (result < 0 && errno == EINTR);
    ::close(fd);
    return result == 0;
}

std::string_view environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool xReachable()
{
    const std::string_view display = environment("DISPLAY");
    const std::size_t colon = display.rfind(':');
    if (colon == std::string_view::npos)
        return false;
    const std::string_view host = display.substr(0, colon);
    if (!host.empty() && host != "unix")
        return true; // over the network: left to the toolkit to try
    std::string_view number = display.substr(colon + 1);
    number = number.substr(0, number.find('.'));
    if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    const std::string path = "/tmp/.X11-unix/X" + std::string(number);
    return acceptsConnection(std::string(1, '\0') + path) || acceptsConnection(path);
}

bool waylandReachable()
{
    if (!environment("WAYLAND_SOCKET").empty())
        return true; // a connection handed over by the starter
    const std::string_view name = environment("WAYLAND_DISPLAY");
    if (name.empty())
        return false;
    if (name.front() == '/')
        return acceptsConnection(name);
    const std::string_view runtime = environment("XDG_RUNTIME_DIR");
    return !runtime.empty() && acceptsConnection(std::string(runtime) + '/' + std::string(name));
}

} // namespace

WindowCommandLine readWindowCommandLine(std::span<const char* const> arguments)
{
    for (const char* argument : arguments) {
        const std::string_view a = argument ? argument : "";
        if (a == "--help" || a == "-h")
            return {WindowCommandLine::Action::Print, std::string(kHelp), 0, std::nullopt, {}};
        if (a == "--version")
            return {WindowCommandLine::Action::Print, "quantaro (Velkor Quantaro) " QUANTARO_VERSION "\n", 0,
                    std::nullopt, {}};
    }

    std::string platform;
    std::string query;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view a = arguments[i] ? arguments[i] : "";
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && a.size() > 1 && a[0] == '-' && !startsLikeNegativeNumber(a) && a != "->") {
            std::string_view name = a.substr(a.starts_with("--") ? 2 : 1);
            name = name.substr(0, name.find('='));
            if (contains(kToolkitOptionsWithValue, name)) {
                if (a.find('=') == std::string_view::npos && ++i >= arguments.size())
                    return refuse("option " + std::string(a) + " needs a value\nTry 'quantaro --help' for more information.");
                if (name == "platform")
                    platform = a.find('=') != std::string_view::npos ? std::string(a.substr(a.find('=') + 1))
                                                                     : std::string(arguments[i] ? arguments[i] : "");
                continue;
            }
            if (contains(kToolkitFlags, name))
                continue;
            return refuse("unknown option \"" + std::string(a) + "\"\nTry 'quantaro --help' for more information.");
        }
        if (!query.empty())
            query += ' ';
        query += a;
    }

    WindowCommandLine line;
    line.platform = platform;
    if (query.empty())
        return line;
    const quantaro::QueryReading reading = quantaro::readQuery(query);
    if (reading.outcome != quantaro::QueryOutcome::Conversion) {
        std::string message = reading.message;
        for (const quantaro::QueryCandidate& candidate : reading.candidates)
            message += "\n  \"" + candidate.label + "\"  [" + candidate.group + ']';
        return refuse(message);
    }
    line.query = reading.conversion;
    // The input field holds one number: a quantity of terms as one.
    if (!quantaro::makeOneNumber(*line.query))
        return refuse("the window takes one number, and " + query
                      + " is no decimal in any of its units; give it in one unit");
    return line;
}

bool displayReachable(std::string_view platform)
{
    if (platform.empty())
        platform = environment("QT_QPA_PLATFORM");
    if (platform.empty())
        return xReachable() || waylandReachable();
    // A list of plugins to try in turn: any one that can start will do.
    while (true) {
        const std::size_t end = platform.find(';');
        std::string_view plugin = platform.substr(0, end);
        plugin = plugin.substr(0, plugin.find(':')); // without the plugin's options
        if (plugin == "xcb" ? xReachable() : plugin.starts_with("wayland") ? waylandReachable() : !plugin.empty())
            return true; // offscreen, vnc and the like need no display
        if (end == std::string_view::npos)
            return false;
        platform.remove_prefix(end + 1);
    }
}
