// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "engine/convert.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quantaro::cli {

// UnitNames and OptionNames are for the shell completion: the names a UNIT
// may be, and the options it offers, one a line. Recent prints the window's
// recent pairs.
enum class Action { Convert, List, Recent, UnitNames, OptionNames, Help, Version };
enum class OutputForm { Result, Info, Json };

struct Options {
    Action action = Action::Convert;
    OutputForm form = OutputForm::Result;
    ResultForm resultForm = ResultForm::SeventeenDigits;
    int fraction = 0; // the Mixed form's last part: 0 for decimals, else 1/N
    bool fromGiven = false;
    bool toGiven = false;
    std::string_view from; // the UNIT arguments as given
    std::string_view to;
    std::vector<std::string_view> texts; // empty: read standard input
};

enum class OptionId { From, To, Info, Json, Shortest, Exact, Mixed, Fraction, List, Recent, Help, Version, UnitNames, OptionNames };

// Where the synopsis of the help names an option.
enum class Usage {
    Converting,       // "[--from UNIT]", on the line of a conversion
    ConvertingOrNext, // "[--info | --json]": the two exclude each other
    Alone,            // "--list | --recent | --help | --version", on a line of their own
    Hidden,           // nowhere: the shell completion's own
};

// One option of the command line. The parser, the help and the options that
// the shell completion offers come from the table of these; the manual page
// is checked against it.
struct OptionSpec {
    OptionId id;
    std::string_view name;      // "--from"
    std::string_view shortName; // "-h", or empty
    std::string_view value;     // what it takes ("UNIT"), as the next argument or after "="; empty for none
    std::string_view help;      // its lines in the help, "\n" between them
    Usage usage;
    int defaultRow = -1;        // a UNIT's list row when the option is not given, named in the help
};

// Every option, in the order of the help.
std::span<const OptionSpec> commandLineOptions();

// What --help prints.
std::string helpText();

// The options the shell completion offers, one a line, as --option-names
// prints them: every option the help names, by its long name.
std::string optionNames();

struct ParsedArguments {
    Options options;
    std::string error; // a usage error; empty when the arguments are sound
};

// The command line without the program name. Options and TEXT arguments may
// mix; "--" ends the options, and an argument that starts like a negative
// number ("-5", "-.5") is a TEXT, and so is "->" (the arrow of a query:
// "-40 °C -> °F"). --help and --version win over everything.
ParsedArguments parseArguments(std::span<const char* const> arguments);

} // namespace quantaro::cli
