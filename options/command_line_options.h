// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The options of both programs, quantaro-convert and the window program
// quantaro, as one table: each program's parser, the synopsis and option
// lines of its help, and the options its shell completion offers come from
// it, and the tests hold each manual page against it. Standard library only.
namespace quantaro::options {

// The programs that read options from the table; a row names those that take it.
enum class Program : unsigned { Convert = 1, Window = 2 };

enum class OptionId { From, To, Info, Json, Shortest, Exact, Mixed, Fraction, List, Recent, Help, Version, UnitNames, OptionNames };
inline constexpr std::size_t kOptionIdCount = 14;

// Where the synopsis of the help names an option.
enum class Usage {
    Converting,       // "[--from UNIT]", on the line of a conversion
    ConvertingOrNext, // "[--info | --json]": the two exclude each other
    Alone,            // "--list | --recent | --help | --version", on a line of their own
    Hidden,           // nowhere: the shell completion's own
};

// One option of one or both programs. An option both programs take but
// describe differently has a row for each.
struct OptionSpec {
    OptionId id;
    std::string_view name;      // "--from"
    std::string_view shortName; // "-h", or empty
    std::string_view value;     // what it takes ("UNIT"), as the next argument or after "="; empty for none
    std::string_view help;      // its lines in the help, "\n" between them
    Usage usage;
    int defaultRow = -1;        // a UNIT's list row when the option is not given, named in the help
    unsigned programs = 0;      // the Program values that take it, or-ed
};

// Every row of the table, in the order of the help.
std::span<const OptionSpec> allOptions();

// Whether `program` takes the option of this row.
constexpr bool takes(Program program, const OptionSpec& option)
{
    return (option.programs & static_cast<unsigned>(program)) != 0;
}

// The rows `program` takes, in the order of the help.
std::vector<OptionSpec> optionsOf(Program program);

// What a command line gave: which options, with their values, and the other
// arguments as given.
struct GivenOptions {
    std::array<bool, kOptionIdCount> given{};
    std::array<std::string_view, kOptionIdCount> values{};
    std::vector<std::string_view> texts;
    std::string error; // the first usage error; empty when the arguments are sound

    bool has(OptionId id) const { return given[static_cast<std::size_t>(id)]; }
    std::string_view value(OptionId id) const { return values[static_cast<std::size_t>(id)]; }
};

// A program's command line without the program name. Options and other
// arguments may mix; "--" ends the options, and an argument that starts like
// a negative number ("-5", "-.5") is no option, nor is "->" (the arrow of a
// query: "-40 °C -> °F"). An option with a value takes it as the next
// argument or after "="; given twice, it is an error. Only the options
// `program` takes are known. The caller lets --help and --version win over
// an error.
GivenOptions parseOptions(Program program, std::span<const char* const> arguments);

// The beginning of a program's help: "Usage: quantaro-convert [--from UNIT]
// ... [TEXT...]" wrapped under its first word, the line of a query in plain
// words, and the line of the options that stand alone.
std::string synopsis(Program program);

// The lines of the options the help names, each with its help; with their
// default rows ("(default: list row 2, inch)") where `withDefaults`.
std::string optionLines(Program program, bool withDefaults);

// The options a program's shell completion offers, one a line: every option
// its help names, by its long name.
std::string optionNames(Program program);

} // namespace quantaro::options
