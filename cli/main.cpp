// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// quantaro-convert: the converter's engine and catalogue on the command line.

#include "catalogue/catalogue.h"
#include "catalogue/query.h"
#include "catalogue/recent_pairs.h"
#include "catalogue/unit_names.h"
#include "cli/line_converter.h"
#include "cli/options.h"
#include "cli/recent_pairs_file.h"
#include "cli/stream.h"
#include "cli/units_arg.h"
#include "engine/number_text.h"
#include "options/locale_environment.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace quantaro;
using namespace quantaro::cli;

constexpr std::string_view kProgram = "quantaro-convert";

enum Status { Success = 0, OutputError = 1, UsageError = 2 };

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

// The whole file, or nothing (with errno set) when it cannot be read; a file
// that does not exist reads as empty.
std::optional<std::string> readWholeFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
    std::string text;
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            errno = error;
            return std::nullopt;
        }
        if (n == 0)
            break;
        text.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

// The window's recent pairs from its settings file, read only. Without a file
// or a value, the first-run pair, as the window would show.
int printRecent(Output& output)
{
    std::string working = "/";
    if (char* folder = ::getcwd(nullptr, 0)) {
        working = folder;
        std::free(folder);
    }
    const std::string path = settingsFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), working);
    const std::optional<std::string> file = readWholeFile(path);
    if (!file) {
        writeError("cannot read " + path + ": " + std::strerror(errno));
        return OutputError;
    }
    const std::optional<std::string_view> stored = iniValue(*file, "Data", "RecentPairs");
    const std::vector<RowPair> pairs = stored ? readRecentPairs(*stored)
                                               : std::vector<RowPair>{kFirstRunPair};
    for (const RowPair& pair : pairs) {
        std::string& out = output.buffer();
        out += std::to_string(pair.fromIndex);
        out += '\t';
        out += std::to_string(pair.toIndex);
        out += '\t';
        out += pairLabel(pair, " -> ");
        out += '\n';
    }
    return finish(output);
}


// The list index a UNIT argument names, or -1 after reporting why none.
int resolveUnit(std::string_view option, bool given, std::string_view argument, const UnitLookup& lookup, int fallback)
{
    if (!given)
        return fallback;
    if (lookup.outcome == UnitLookup::Outcome::Found) {
        if (lookup.beginning || lookup.byMeasure)
            writeError(std::string(option) + ": read \"" + std::string(argument) + "\" as "
                       + distinctUnitName(lookup.index));
        return lookup.index;
    }
    writeError(std::string(option) + ": " + lookupProblem(argument, lookup));
    return -1;
}

// Whether a TEXT is a plain number, as the input field converts it, or empty.
bool isPlainNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return numberTextLength(text) == text.size() || std::all_of(text.begin(), text.end(), isBlank);
}

// Without --from and --to, the TEXT arguments are plain numbers or one
// query ("70 kg to lb"): it then stands for --from and --to and the TEXTs,
// its number (or for a quantity of terms the whole query, kept in `line`) the
// one TEXT. Anything else is not answered: returns false after reporting why,
// so that no word is ever converted as something it was not.
bool readAsQuery(Options& options, const QueryContext& context, ConversionRequest& request, std::string& line)
{
    if (options.fromGiven || options.toGiven || options.texts.empty())
        return true;
    if (std::all_of(options.texts.begin(), options.texts.end(), [](std::string_view t) { return isPlainNumber(t); }))
        return true;
    std::string text;
    for (const std::string_view argument : options.texts) {
        if (!text.empty())
            text += ' ';
        text += argument;
    }
    const QueryReading reading = readQuery(text, context);
    if (reading.outcome != QueryOutcome::Conversion) {
        std::string message = reading.message;
        if (!reading.suggestion.empty())
            message += "; " + reading.suggestion;
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
    if (!reading.note.empty())
        writeError(reading.note);
    request = reading.conversion.request;
    // A quantity of terms has no one number: the line stands for the text.
    line = std::move(text);
    options.texts = {request.terms.empty() ? std::string_view(request.number) : std::string_view(line)};
    return true;
}

int convert(Options options, Output& output)
{
    const QueryContext context = options::queryContextFromEnvironment();
    const UnitArguments units =
        lookUpUnitArguments(options.fromGiven, options.from, options.toGiven, options.to, context.measure);
    ConversionRequest request;
    request.fromIndex = resolveUnit("--from", options.fromGiven, options.from, units.from, kFirstRunPair.fromIndex);
    request.toIndex = resolveUnit("--to", options.toGiven, options.to, units.to, kFirstRunPair.toIndex);
    if (request.fromIndex < 0 || request.toIndex < 0)
        return UsageError;
    std::string queryLine; // a query's quantity of terms, which options.texts then holds
    if (!readAsQuery(options, context, request, queryLine))
        return UsageError;
    if (const std::string problem = pairProblem(request.fromIndex, request.toIndex); !problem.empty()) {
        writeError(problem);
        return UsageError;
    }
    request.form = options.resultForm;
    request.fraction = options.fraction;

    LineConverter converter(request, options.form);
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

// For completion after a first unit: the quantity of the first unit that
// --from, --to or the words given with --unit-names name; None for all.
Quantity completionQuantity(const Options& options)
{
    std::vector<std::string_view> words;
    for (const std::string_view option : {std::string_view(options.from), std::string_view(options.to)})
        if (!option.empty())
            words.push_back(option);
    for (const std::string_view text : options.texts)
        words.push_back(text);
    // The longest run of words from each start that names one unit wholly.
    for (std::size_t start = 0; start < words.size(); ++start) {
        std::string run;
        for (std::size_t end = start; end < words.size() && end < start + 6; ++end) {
            if (!run.empty())
                run += ' ';
            run += words[end];
            const NameReading reading = readUnitName(run);
            if (reading.fit == NameReading::Fit::Whole && !reading.rows.empty()) {
                const Quantity quantity = catalogueRows()[reading.rows.front()].quantity;
                if (std::all_of(reading.rows.begin(), reading.rows.end(),
                                [quantity](int i) { return catalogueRows()[i].quantity == quantity; }))
                    return quantity;
            }
        }
    }
    return Quantity::None;
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
        output.buffer() += "quantaro-convert (Velkor Quantaro) " QUANTARO_VERSION "\n"
                           "Licence GPL-3.0-or-later: GNU GPL version 3 or later; there is NO WARRANTY.\n";
        return finish(output);
    case Action::List:
        return printList(output);
    case Action::Recent:
        return printRecent(output);
    case Action::UnitNames:
        for (const std::string& name : acceptedUnitNames(options::queryContextFromEnvironment().measure, completionQuantity(parsed.options))) {
            output.buffer() += name;
            output.buffer() += '\n';
        }
        return finish(output);
    case Action::OptionNames:
        output.buffer() += optionNames();
        return finish(output);
    case Action::Convert:
        break;
    }
    return convert(parsed.options, output);
}
