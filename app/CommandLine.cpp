// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "app/CommandLine.h"

#include "catalogue/catalogue.h"
#include "catalogue/query.h"
#include "catalogue/unit_names.h"
#include "cli/units_arg.h"
#include "exact/one_number.h"
#include "options/command_line_options.h"
#include "options/locale_environment.h"

#include <array>
#include <tuple>
#include <vector>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

namespace table = quantaro::options;
using table::OptionId;
using table::Program;

std::string helpText()
{
    std::string text = table::synopsis(Program::Window);
    text += "\n"
            "Opens the Velkor Quantaro converter window. With a QUERY the window opens\n"
            "with its number in \"Convert:\" and its units in From and To:\n"
            "\n"
            "  quantaro 5 in cm\n"
            "  quantaro 70 kg to lb\n"
            "  quantaro '-40 °C -> °F'\n"
            "  quantaro --exact --from 31 --to 21 5\n"
            "\n"
            "A QUERY is read as quantaro-convert reads one (\"70 kg to lb\", \"5'11\\\" to\n"
            "cm\", \"100 °C\" into its partner, Fahrenheit; quantaro-convert --help says\n"
            "more). With --from or --to, TEXT is what \"Convert:\" holds, and a list not\n"
            "named keeps its row (or moves to a partner of the named one). The number, the\n"
            "units and the window's place are kept for the next start, as after any run.\n"
            "\n";
    text += table::optionLines(Program::Window, false);
    text += "\n"
            "UNIT is a list index (0 to " + std::to_string(quantaro::kCatalogueRowCount - 1)
            + ", as quantaro-convert --list prints it) or a\n"
              "unit's name, as quantaro-convert reads it. Qt's options, such as -platform,\n"
              "are accepted. Without a display, quantaro-convert converts on the command\n"
              "line.\n"
              "\n"
              "Exit status: 0 when the window closed, 1 without a display, 2 for a query\n"
              "that cannot be answered, a unit that names no row, or an unknown option.\n";
    return text;
}

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

namespace {

// The list row a --from or --to argument names, or nothing after a refusal.
std::optional<int> rowNamed(std::string_view option, std::string_view argument, const quantaro::UnitLookup& lookup,
                            std::string& problem)
{
    if (lookup.outcome != quantaro::UnitLookup::Outcome::Found) {
        problem = std::string(option) + ": " + quantaro::cli::lookupProblem(argument, lookup);
        return std::nullopt;
    }
    // A row converts with itself exactly when it is a unit or preset row.
    if (std::string reason = quantaro::cli::pairProblem(lookup.index, lookup.index); !reason.empty()) {
        problem = std::string(option) + ": list row " + quantaro::cli::describeRow(lookup.index, quantaro::ListSide::From)
                  + " is no unit";
        return std::nullopt;
    }
    return lookup.index;
}

} // namespace

WindowCommandLine readWindowCommandLine(std::span<const char* const> arguments)
{
    // The toolkit's options out first: it reads them from the same arguments.
    std::vector<const char*> ours;
    std::string platform;
    std::string missingValue; // a toolkit option at the end, without its value
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view a = arguments[i] ? arguments[i] : "";
        if (!optionsEnded && a == "--")
            optionsEnded = true;
        if (!optionsEnded && a.size() > 1 && a[0] == '-' && !startsLikeNegativeNumber(a) && a != "->") {
            std::string_view name = a.substr(a.starts_with("--") ? 2 : 1);
            name = name.substr(0, name.find('='));
            if (contains(kToolkitOptionsWithValue, name)) {
                if (a.find('=') == std::string_view::npos && ++i >= arguments.size()) {
                    missingValue = a;
                    break;
                }
                if (name == "platform")
                    platform = a.find('=') != std::string_view::npos ? std::string(a.substr(a.find('=') + 1))
                                                                     : std::string(arguments[i] ? arguments[i] : "");
                continue;
            }
            if (contains(kToolkitFlags, name))
                continue;
        }
        ours.push_back(arguments[i]);
    }

    const table::GivenOptions given = table::parseOptions(Program::Window, ours);
    if (given.has(OptionId::Help))
        return {WindowCommandLine::Action::Print, helpText(), 0, {}, {}};
    if (given.has(OptionId::Version))
        return {WindowCommandLine::Action::Print, "quantaro (Velkor Quantaro) " QUANTARO_VERSION "\n", 0, {}, {}};
    if (!missingValue.empty())
        return refuse("option " + missingValue + " needs a value\nTry 'quantaro --help' for more information.");
    if (!given.error.empty())
        return refuse(given.error + "\nTry 'quantaro --help' for more information.");
    // The forms exclude each other, as the context menu's do.
    for (const auto& [one, other, text] :
         {std::tuple{OptionId::Exact, OptionId::Shortest, "--exact and --shortest"},
          std::tuple{OptionId::Mixed, OptionId::Shortest, "--mixed and --shortest"},
          std::tuple{OptionId::Mixed, OptionId::Exact, "--mixed and --exact"}})
        if (given.has(one) && given.has(other))
            return refuse(std::string(text) + " exclude each other\nTry 'quantaro --help' for more information.");

    const quantaro::QueryContext context = quantaro::options::queryContextFromEnvironment();
    WindowCommandLine line;
    line.platform = platform;
    line.opening.form = given.has(OptionId::Exact)      ? RunForm::Exact
                        : given.has(OptionId::Shortest) ? RunForm::Shortest
                        : given.has(OptionId::Mixed)    ? RunForm::Mixed
                                                        : RunForm::Saved;
    if (given.has(OptionId::From) || given.has(OptionId::To)) {
        std::string problem;
        const quantaro::cli::UnitArguments units =
            quantaro::cli::lookUpUnitArguments(given.has(OptionId::From), given.value(OptionId::From), given.has(OptionId::To),
                                               given.value(OptionId::To), context.measure);
        for (const auto& [id, option, index, lookup] :
             {std::tuple{OptionId::From, "--from", &line.opening.fromIndex, &units.from},
              std::tuple{OptionId::To, "--to", &line.opening.toIndex, &units.to}}) {
            if (!given.has(id))
                continue;
            const std::optional<int> row = rowNamed(option, given.value(id), *lookup, problem);
            if (!row)
                return refuse(problem);
            *index = *row;
        }
        if (line.opening.fromIndex >= 0 && line.opening.toIndex >= 0) {
            if (std::string reason = quantaro::cli::pairProblem(line.opening.fromIndex, line.opening.toIndex); !reason.empty())
                return refuse(reason);
        }
        if (given.texts.size() > 1)
            return refuse("with --from or --to, one TEXT for \"Convert:\" (quote a text with blanks)\n"
                          "Try 'quantaro --help' for more information.");
        if (!given.texts.empty())
            line.opening.input = std::string(given.texts.front());
        return line;
    }

    std::string query;
    for (const std::string_view text : given.texts) {
        if (!query.empty())
            query += ' ';
        query += text;
    }
    if (query.empty())
        return line;
    const quantaro::QueryReading reading = quantaro::readQuery(query, context);
    if (reading.outcome != quantaro::QueryOutcome::Conversion) {
        std::string message = reading.message;
        if (!reading.suggestion.empty())
            message += "; " + reading.suggestion;
        for (const quantaro::QueryCandidate& candidate : reading.candidates)
            message += "\n  \"" + candidate.label + "\"  [" + candidate.group + ']';
        return refuse(message);
    }
    // The input field holds one number: a quantity of terms as one.
    quantaro::ConversionRequest conversion = reading.conversion.request;
    if (!quantaro::makeOneNumber(conversion))
        return refuse("the window takes one number, and " + query
                      + " is no decimal in any of its units; give it in one unit");
    line.opening.fromIndex = conversion.fromIndex;
    line.opening.toIndex = conversion.toIndex;
    line.opening.input = conversion.number;
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
