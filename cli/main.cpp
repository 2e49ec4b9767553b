// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// quantaro-convert: the converter's engine and catalogue on the command line.

#include "catalogue/catalogue.h"
#include "catalogue/query.h"
#include "cli/line_converter.h"
#include "cli/options.h"
#include "cli/stream.h"
#include "cli/units_arg.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <string_view>

#include <unistd.h>

namespace {

using namespace quantaro;
using namespace quantaro::cli;

constexpr std::string_view kProgram = "quantaro-convert";

enum Status { Success = 0, OutputError = 1, UsageError = 2 };

// Where a UNIT is not given: the window's first-run row, such as
// "list row 2, inch".
std::string defaultRow(int index) { return "list row " + std::to_string(index) + ", " + unitName(index); }

std::string helpText()
{
    return "Usage: quantaro-convert [--from UNIT] [--to UNIT] [--info | --json] [--shortest]\n"
    "                        [TEXT...]\n"
    "       quantaro-convert [--info | --json] [--shortest] NUMBER UNIT [to] [UNIT]\n"
    "       quantaro-convert --list | --help | --version\n"
    "\n"
    "Converts each TEXT, or else every line of standard input, from one unit into\n"
    "another, and prints the result as the Velkor Quantaro window shows it.\n"
    "\n"
    "Without --from and --to, the arguments may ask in plain words: \"70 kg lb\",\n"
    "\"70 kg to lb\", \"3 ft in m\", \"-40 °C -> °F\" (to, in, into, as, -> or =\n"
    "between the units, or nothing). A unit alone converts into its partner, as\n"
    "the window's lists pair them (\"100 °C\" into Fahrenheit). A query naming\n"
    "units that cannot be converted ends with status 2. \"5\", \"1 2 3\" and texts\n"
    "that name no unit convert as TEXTs.\n"
    "\n"
    "  --from UNIT  the unit to convert from (default: " + defaultRow(kFirstRunPair.fromIndex) + ")\n"
    "  --to UNIT    the unit to convert into (default: " + defaultRow(kFirstRunPair.toIndex) + ")\n"
    "  --info       print the result, a tab and the info line (\"1 in. = 25.4 mm\")\n"
    "  --json       print one JSON object per input: \"input\", \"from\", \"to\",\n"
    "               \"result\", \"title\" and \"info\"\n"
    "  --shortest   print the result, and the title with --json, in the fewest\n"
    "               digits that read back as the same number (\"12.7\", not\n"
    "               \"12.699999999999999\")\n"
    "  --list       print every list row: index, code and label, tab-separated\n"
    "  -h, --help   print this help\n"
    "  --version    print the version\n"
    "\n"
    "UNIT is a list index (0 to 237, as --list prints it), an abbreviation as in\n"
    "the label's parentheses (\"in\", \"kg\", \"°F\"), a unit's name (\"inch\"), or the\n"
    "beginning of a name that only one unit has. Both units must measure the same\n"
    "quantity.\n"
    "\n"
    "Exit status: 0 on success, 1 when the output or input fails, 2 for a usage\n"
    "error or a pair of rows that cannot be converted.\n";
}

void writeError(std::string_view message)
{
    std::string text;
    text.reserve(kProgram.size() + message.size() + 3);
    text += kProgram;
    text += ": ";
    text += message;
    text += '\n';
    // Nothing more can be done about a failing standard error.
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(STDERR_FILENO, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += static_cast<std::size_t>(n);
    }
}

int usageError(std::string_view message)
{
    writeError(std::string(message) + "\nTry 'quantaro-convert --help' for more information.");
    return UsageError;
}

// A closed pipe is the reader's choice to stop: leave quietly.
int outputFailed(int error)
{
    if (error != EPIPE)
        writeError(std::string("cannot write the output: ") + std::strerror(error));
    return OutputError;
}

int finish(Output& output) { return output.flush() ? Success : outputFailed(output.error()); }

int printList(Output& output)
{
    const auto rows = catalogueRows();
    for (int i = 0; i < kCatalogueRowCount; ++i) {
        std::string& out = output.buffer();
        out += std::to_string(i);
        out += '\t';
        out += std::to_string(rows[i].code);
        out += '\t';
        out += rows[i].fromLabel;
        out += '\n';
    }
    return finish(output);
}

// The list index a UNIT argument names, or -1 after reporting why none.
int resolveUnit(std::string_view option, bool given, std::string_view argument, int fallback)
{
    if (!given)
        return fallback;
    const UnitLookup lookup = lookUpUnit(argument);
    if (lookup.outcome == UnitLookup::Outcome::Found)
        return lookup.index;
    writeError(std::string(option) + ": " + lookupProblem(argument, lookup));
    return -1;
}

// Without --from and --to, the TEXT arguments may be one query ("70 kg to
// lb"): its rows then stand for --from and --to and its number is the one
// TEXT. Returns false after reporting a query that cannot be answered.
bool readAsQuery(Options& options, int& fromIndex, int& toIndex, std::string& number)
{
    if (options.fromGiven || options.toGiven || options.texts.empty())
        return true;
    std::string text;
    for (const std::string_view argument : options.texts) {
        if (!text.empty())
            text += ' ';
        text += argument;
    }
    const QueryReading reading = readQuery(text);
    if (!reading.isQuery)
        return true;
    if (reading.outcome != QueryOutcome::Conversion) {
        std::string message = reading.message;
        if (!reading.candidates.empty())
            message += "; give a longer name, or one of these list indices with --from or --to:";
        for (const QueryCandidate& candidate : reading.candidates) {
            const std::string index = std::to_string(candidate.index);
            message += "\n  " + std::string(3 - std::min<std::size_t>(index.size(), 3), ' ') + index + " \""
                       + candidate.label + "\"  [" + candidate.group + ']';
        }
        writeError(message);
        return false;
    }
    fromIndex = reading.conversion.fromIndex;
    toIndex = reading.conversion.toIndex;
    number = reading.conversion.number;
    options.texts = {number};
    return true;
}

int convert(Options options, Output& output)
{
    int fromIndex = resolveUnit("--from", options.fromGiven, options.from, kFirstRunPair.fromIndex);
    int toIndex = resolveUnit("--to", options.toGiven, options.to, kFirstRunPair.toIndex);
    if (fromIndex < 0 || toIndex < 0)
        return UsageError;
    std::string queryNumber; // the query's number, which options.texts then holds
    if (!readAsQuery(options, fromIndex, toIndex, queryNumber))
        return UsageError;
    if (const std::string problem = pairProblem(fromIndex, toIndex); !problem.empty()) {
        writeError(problem);
        return UsageError;
    }

    const auto rows = catalogueRows();
    LineConverter converter({fromIndex, toIndex, rows[fromIndex].code, rows[toIndex].code}, options.form,
                            options.resultForm);
    if (!options.texts.empty()) {
        for (const std::string_view text : options.texts) {
            converter.convert(text, output.buffer());
            if (!output.lineDone())
                return outputFailed(output.error());
        }
        return finish(output);
    }

    const StreamResult result = convertLines(STDIN_FILENO, converter, output);
    switch (result.outcome) {
    case StreamResult::Outcome::Done: return Success;
    case StreamResult::Outcome::OutputFailed: return outputFailed(result.error);
    case StreamResult::Outcome::InputFailed:
        // What was converted before the failure still goes out.
        output.flush();
        writeError(std::string("cannot read the input: ") + std::strerror(result.error));
        return OutputError;
    }
    return Success;
}

} // namespace

int main(int argc, char* argv[])
{
    // A closed pipe must end the program with status 1, not kill it.
    std::signal(SIGPIPE, SIG_IGN);

    const ParsedArguments parsed = parseArguments({argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0)});
    if (!parsed.error.empty())
        return usageError(parsed.error);

    Output output(STDOUT_FILENO, ::isatty(STDOUT_FILENO) == 1);
    switch (parsed.options.action) {
    case Action::Help:
        output.buffer() += helpText();
        return finish(output);
    case Action::Version:
        output.buffer() += "quantaro-convert (Velkor Quantaro) " QUANTARO_VERSION "\n";
        return finish(output);
    case Action::List:
        return printList(output);
    case Action::UnitNames:
        for (const std::string& name : acceptedUnitNames()) {
            output.buffer() += name;
            output.buffer() += '\n';
        }
        return finish(output);
    case Action::Convert:
        break;
    }
    return convert(parsed.options, output);
}
