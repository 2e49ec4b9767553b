// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "options/command_line_options.h"

#include "catalogue/catalogue.h"
#include "catalogue/unit_names.h"

#include <algorithm>

namespace quantaro::options {

namespace {

constexpr unsigned kConvert = static_cast<unsigned>(Program::Convert);
constexpr unsigned kWindow = static_cast<unsigned>(Program::Window);
constexpr unsigned kBoth = kConvert | kWindow;

// clang-format off
constexpr std::array kOptions{
    OptionSpec{OptionId::From,        "--from",         "",   "UNIT", "the unit to convert from",
               Usage::Converting,       kFirstRunPair.fromIndex, kBoth},
    OptionSpec{OptionId::To,          "--to",           "",   "UNIT", "the unit to convert into",
               Usage::Converting,       kFirstRunPair.toIndex,   kBoth},
    OptionSpec{OptionId::Info,        "--info",         "",   "",
               "print the result, a tab and the info line (\"1 in. = 25.4 mm\")",
               Usage::ConvertingOrNext, -1, kConvert},
    OptionSpec{OptionId::Json,        "--json",         "",   "",
               "print one JSON object per input: \"input\", \"from\", \"to\",\n"
               "\"result\", \"title\" and \"info\"",
               Usage::Converting,       -1, kConvert},
    OptionSpec{OptionId::Shortest,    "--shortest",     "",   "",
               "print the result, and the title with --json, in the fewest\n"
               "digits that read back as the same number (\"12.7\", not\n"
               "\"12.699999999999999\")",
               Usage::ConvertingOrNext, -1, kConvert},
    OptionSpec{OptionId::Shortest,    "--shortest",     "",   "",
               "show the result and the title in the fewest digits that read\n"
               "back as the same number, for this run; the saved form stays",
               Usage::ConvertingOrNext, -1, kWindow},
    OptionSpec{OptionId::Exact,       "--exact",        "",   "",
               "print the result, and the title with --json, in the Exact form:\n"
               "the true value of the number as typed (\"3 ft. to m: 0.9144\"),\n"
               "or 17 digits and \"\u2026\" where more digits follow",
               Usage::ConvertingOrNext, -1, kConvert},
    OptionSpec{OptionId::Exact,       "--exact",        "",   "",
               "show the result and the title in the Exact form (\"5 in. to cm:\n"
               "12.7\"), for this run; the saved form stays",
               Usage::ConvertingOrNext, -1, kWindow},
    OptionSpec{OptionId::Mixed,       "--mixed",        "",   "",
               "print the result, and the title with --json, in units of a\n"
               "family, largest first (\"170 cm to ft: 5 ft 6.93 in\"), where\n"
               "the To unit has one: foot or inch, yard, stone, pound or ounce,\n"
               "hour, minute or second, day, week; elsewhere as --shortest.\n"
               "With --json, \"mixed\" holds the text, or null",
               Usage::Converting,       -1, kConvert},
    OptionSpec{OptionId::Mixed,       "--mixed",        "",   "",
               "show the result and the title in units of a family, largest\n"
               "first (\"170 cm to ft: 5 ft 6.93 in\"), where the To unit has\n"
               "one, for this run; the saved form and fraction stay",
               Usage::Converting,       -1, kWindow},
    OptionSpec{OptionId::Fraction,    "--fraction",     "",   "N",
               "with --mixed, the last part as the nearest multiple of 1/N\n"
               "(N is 2, 4, 8, 16, 32 or 64: \"5 ft 6 15/16 in\"), instead of\n"
               "at most two decimals",
               Usage::Converting,       -1, kConvert},
    OptionSpec{OptionId::List,        "--list",         "",   "",
               "print every list row: index, code and label, tab-separated",
               Usage::Alone,            -1, kConvert},
    OptionSpec{OptionId::Recent,      "--recent",       "",   "",
               "print the window's recent pairs, newest first: From index,\n"
               "To index and \"From -> To\", tab-separated",
               Usage::Alone,            -1, kConvert},
    OptionSpec{OptionId::Help,        "--help",         "-h", "",     "print this help",   Usage::Alone,  -1, kBoth},
    OptionSpec{OptionId::Version,     "--version",      "",   "",     "print the version", Usage::Alone,  -1, kBoth},
    OptionSpec{OptionId::UnitNames,   "--unit-names",   "",   "",     "",                  Usage::Hidden, -1, kConvert},
    OptionSpec{OptionId::OptionNames, "--option-names", "",   "",     "",                  Usage::Hidden, -1, kConvert},
};
// clang-format on

// One line of a synopsis: the program's converting options, with or without
// those that name a UNIT (a query names its units in words), then its operands.
struct SynopsisLine {
    bool withValues;
    std::string_view operands;
};

struct ProgramText {
    Program program;
    std::string_view name;
    std::array<SynopsisLine, 2> lines;
};

// clang-format off
constexpr std::array kPrograms{
    ProgramText{Program::Convert, "quantaro-convert", {{{true,  "[TEXT...]"}, {false, "NUMBER UNIT [to] [UNIT]"}}}},
    ProgramText{Program::Window,  "quantaro",         {{{false, "[QUERY...]"}, {true, "[TEXT]"}}}},
};
// clang-format on

// Where an option's help begins, and its further lines.
constexpr std::size_t kHelpColumn = 16;
// The synopsis is wrapped before this width.
constexpr std::size_t kLineWidth = 80;

const ProgramText& textOf(Program program)
{
    return *std::find_if(kPrograms.begin(), kPrograms.end(), [program](const ProgramText& p) { return p.program == program; });
}

const OptionSpec* findOption(Program program, std::string_view name)
{
    for (const OptionSpec& option : kOptions)
        if (takes(program, option) && (name == option.name || (!option.shortName.empty() && name == option.shortName)))
            return &option;
    return nullptr;
}

bool looksLikeNegativeNumber(std::string_view argument)
{
    return argument.size() >= 2 && argument[0] == '-' && ((argument[1] >= '0' && argument[1] <= '9') || argument[1] == '.');
}

// The arrow of a query ("-40 °C -> °F") is a TEXT, not an option.
bool isQueryArrow(std::string_view argument) { return argument == "->"; }

std::string withValue(const OptionSpec& option)
{
    return std::string(option.name) + (option.value.empty() ? "" : " " + std::string(option.value));
}

// "Usage: NAME [--from UNIT] ... OPERANDS", wrapped under its first word.
std::string synopsisLine(const ProgramText& program, const SynopsisLine& line, std::string_view lead)
{
    std::vector<std::string> words;
    std::string alternatives;
    for (const OptionSpec& option : kOptions) {
        if (!takes(program.program, option) || (option.usage != Usage::Converting && option.usage != Usage::ConvertingOrNext)
            || (!line.withValues && option.value == "UNIT"))
            continue;
        alternatives += (alternatives.empty() ? "" : " | ") + withValue(option);
        if (option.usage == Usage::Converting) {
            words.push_back('[' + alternatives + ']');
            alternatives.clear();
        }
    }
    if (!alternatives.empty())
        words.push_back('[' + alternatives + ']');
    words.emplace_back(line.operands);

    const std::string start = std::string(lead) + std::string(program.name) + ' ';
    std::string text = start;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0 && text.size() - lineStart + 1 + words[i].size() > kLineWidth) {
            text += '\n';
            lineStart = text.size();
            text += std::string(start.size(), ' ');
        } else if (i > 0) {
            text += ' ';
        }
        text += words[i];
    }
    return text + '\n';
}

} // namespace

std::span<const OptionSpec> allOptions() { return kOptions; }

std::vector<OptionSpec> optionsOf(Program program)
{
    std::vector<OptionSpec> options;
    for (const OptionSpec& option : kOptions)
        if (takes(program, option))
            options.push_back(option);
    return options;
}

std::string synopsis(Program program)
{
    const ProgramText& text = textOf(program);
    std::string out = synopsisLine(text, text.lines[0], "Usage: ");
    out += synopsisLine(text, text.lines[1], "       ");
    out += "       " + std::string(text.name);
    const char* separator = " ";
    for (const OptionSpec& option : kOptions)
        if (takes(program, option) && option.usage == Usage::Alone) {
            out += separator + withValue(option);
            separator = " | ";
        }
    return out + '\n';
}

std::string optionLines(Program program, bool withDefaults)
{
    std::string text;
    for (const OptionSpec& option : kOptions) {
        if (!takes(program, option) || option.usage == Usage::Hidden)
            continue;
        std::string label = "  " + (option.shortName.empty() ? "" : std::string(option.shortName) + ", ") + withValue(option);
        label.resize(std::max(label.size() + 2, kHelpColumn), ' ');
        std::string help(option.help);
        if (withDefaults && option.defaultRow >= 0)
            help += " (default: list row " + std::to_string(option.defaultRow) + ", " + unitName(option.defaultRow) + ')';
        for (std::size_t at = 0; (at = help.find('\n', at)) != std::string::npos; at += kHelpColumn + 1)
            help.insert(at + 1, kHelpColumn, ' ');
        text += label + help + '\n';
    }
    return text;
}

std::string optionNames(Program program)
{
    std::string names;
    for (const OptionSpec& option : kOptions)
        if (takes(program, option) && option.usage != Usage::Hidden)
            names += std::string(option.name) + '\n';
    return names;
}

GivenOptions parseOptions(Program program, std::span<const char* const> arguments)
{
    GivenOptions parsed;
    bool optionsEnded = false;
    auto fail = [&parsed](std::string text) {
        if (parsed.error.empty())
            parsed.error = std::move(text);
    };

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i] ? arguments[i] : "";
        if (optionsEnded || !argument.starts_with('-') || looksLikeNegativeNumber(argument) || isQueryArrow(argument)) {
            parsed.texts.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }

        const std::string_view name = argument.substr(0, argument.find('='));
        const OptionSpec* option = findOption(program, name);
        const bool withEquals = name.size() < argument.size();
        if (option == nullptr || (withEquals && option->value.empty())) {
            fail("unknown option \"" + std::string(argument) + '"');
            continue;
        }
        const auto slot = static_cast<std::size_t>(option->id);
        if (option->value.empty()) {
            parsed.given[slot] = true;
            continue;
        }
        std::string_view value;
        if (withEquals) {
            value = argument.substr(name.size() + 1);
        } else if (i + 1 < arguments.size() && arguments[i + 1]) {
            value = arguments[++i];
        } else {
            fail(std::string(name) + " needs a " + std::string(option->value));
            continue;
        }
        if (parsed.given[slot])
            fail(std::string(name) + " is given twice");
        parsed.given[slot] = true;
        parsed.values[slot] = value;
    }
    return parsed;
}

} // namespace quantaro::options
