// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "cli/options.h"

#include "catalogue/catalogue.h"
#include "catalogue/mixed_families.h"
#include "catalogue/unit_names.h"

#include <array>
#include <charconv>

namespace quantaro::cli {

namespace {

// clang-format off
constexpr std::array kOptions{
    OptionSpec{OptionId::From,        "--from",         "",   "UNIT", "the unit to convert from",
               Usage::Converting,       kFirstRunPair.fromIndex},
    OptionSpec{OptionId::To,          "--to",           "",   "UNIT", "the unit to convert into",
               Usage::Converting,       kFirstRunPair.toIndex},
    OptionSpec{OptionId::Info,        "--info",         "",   "",
               "print the result, a tab and the info line (\"1 in. = 25.4 mm\")",
               Usage::ConvertingOrNext},
    OptionSpec{OptionId::Json,        "--json",         "",   "",
               "print one JSON object per input: \"input\", \"from\", \"to\",\n"
               "\"result\", \"title\" and \"info\"",
               Usage::Converting},
    OptionSpec{OptionId::Shortest,    "--shortest",     "",   "",
               "print the result, and the title with --json, in the fewest\n"
               "digits that read back as the same number (\"12.7\", not\n"
               "\"12.699999999999999\")",
               Usage::ConvertingOrNext},
    OptionSpec{OptionId::Exact,       "--exact",        "",   "",
               "print the result, and the title with --json, in the Exact form:\n"
               "the true value of the number as typed (\"3 ft. to m: 0.9144\"),\n"
               "or 17 digits and \"\u2026\" where more digits follow",
               Usage::ConvertingOrNext},
    OptionSpec{OptionId::Mixed,       "--mixed",        "",   "",
               "print the result, and the title with --json, in units of a\n"
               "family, largest first (\"170 cm to ft: 5 ft 6.93 in\"), where\n"
               "the To unit has one: foot or inch, yard, stone, pound or ounce,\n"
               "hour, minute or second, day, week; elsewhere as --shortest.\n"
               "With --json, \"mixed\" holds the text, or null",
               Usage::Converting},
    OptionSpec{OptionId::Fraction,    "--fraction",     "",   "N",
               "with --mixed, the last part as the nearest multiple of 1/N\n"
               "(N is 2, 4, 8, 16, 32 or 64: \"5 ft 6 15/16 in\"), instead of\n"
               "at most two decimals",
               Usage::Converting},
    OptionSpec{OptionId::List,        "--list",         "",   "",
               "print every list row: index, code and label, tab-separated",
               Usage::Alone},
    OptionSpec{OptionId::Recent,      "--recent",       "",   "",
               "print the window's recent pairs, newest first: From index,\n"
               "To index and \"From -> To\", tab-separated",
               Usage::Alone},
    OptionSpec{OptionId::Help,        "--help",         "-h", "",     "print this help",      Usage::Alone},
    OptionSpec{OptionId::Version,     "--version",      "",   "",     "print the version",    Usage::Alone},
    OptionSpec{OptionId::UnitNames,   "--unit-names",   "",   "",     "",                     Usage::Hidden},
    OptionSpec{OptionId::OptionNames, "--option-names", "",   "",     "",                     Usage::Hidden},
};
// clang-format on

constexpr std::string_view kProgram = "quantaro-convert";
// Where an option's help begins, and its further lines.
constexpr std::size_t kHelpColumn = 16;
// The synopsis is wrapped before this width.
constexpr std::size_t kLineWidth = 80;

const OptionSpec* findOption(std::string_view name)
{
    for (const OptionSpec& option : kOptions)
        if (name == option.name || (!option.shortName.empty() && name == option.shortName))
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

// "Usage: quantaro-convert [--from UNIT] ... [TEXT...]", wrapped under its
// first word, and the line of the options that stand alone.
std::string synopsis()
{
    std::vector<std::string> words;
    std::string alternatives;
    for (const OptionSpec& option : kOptions) {
        if (option.usage != Usage::Converting && option.usage != Usage::ConvertingOrNext)
            continue;
        alternatives += (alternatives.empty() ? "" : " | ") + withValue(option);
        if (option.usage == Usage::Converting) {
            words.push_back('[' + alternatives + ']');
            alternatives.clear();
        }
    }
    words.push_back("[TEXT...]");

    const std::string lead = "Usage: " + std::string(kProgram) + ' ';
    std::string text = lead;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0 && text.size() - lineStart + 1 + words[i].size() > kLineWidth) {
            text += '\n';
            lineStart = text.size();
            text += std::string(lead.size(), ' ');
        } else if (i > 0) {
            text += ' ';
        }
        text += words[i];
    }

    // A query asks in plain words, without --from and --to.
    text += "\n       " + std::string(kProgram) + " [--info | --json] [--shortest | --exact | --mixed]\n"
            + std::string(kProgram.size() + 8, ' ') + "[--fraction N] NUMBER UNIT [to] [UNIT]";
    text += "\n       " + std::string(kProgram);
    const char* separator = " ";
    for (const OptionSpec& option : kOptions)
        if (option.usage == Usage::Alone) {
            text += separator + withValue(option);
            separator = " | ";
        }
    return text + '\n';
}

} // namespace

std::span<const OptionSpec> commandLineOptions() { return kOptions; }

std::string helpText()
{
    std::string text = synopsis();
    text += "\n"
            "Converts each TEXT, or else every line of standard input, from one unit into\n"
            "another, and prints the result as the Velkor Quantaro window shows it.\n"
            "\n"
            "Without --from and --to, the arguments may ask in plain words: \"70 kg lb\",\n"
            "\"70 kg to lb\", \"3 ft in m\", \"-40 °C -> °F\" (to, in, into, as, -> or =\n"
            "between the units, or nothing). A unit alone converts into its partner, as\n"
            "the window's lists pair them (\"100 °C\" into Fahrenheit). A query naming\n"
            "units that cannot be converted ends with status 2. \"5\", \"1 2 3\" and texts\n"
            "that name no unit convert as TEXTs.\n"
            "\n";
    for (const OptionSpec& option : kOptions) {
        if (option.usage == Usage::Hidden)
            continue;
        std::string label = "  " + (option.shortName.empty() ? "" : std::string(option.shortName) + ", ") + withValue(option);
        label.resize(std::max(label.size() + 2, kHelpColumn), ' ');
        std::string help(option.help);
        if (option.defaultRow >= 0)
            help += " (default: list row " + std::to_string(option.defaultRow) + ", " + unitName(option.defaultRow) + ')';
        for (std::size_t at = 0; (at = help.find('\n', at)) != std::string::npos; at += kHelpColumn + 1)
            help.insert(at + 1, kHelpColumn, ' ');
        text += label + help + '\n';
    }
    text += "\n"
            "UNIT is a list index (0 to " + std::to_string(kCatalogueRowCount - 1) + ", as --list prints it), an abbreviation as in\n"
            "the label's parentheses (\"in\", \"kg\", \"°F\"), a unit's name (\"inch\"), or the\n"
            "beginning of a name that only one unit has. Both units must measure the same\n"
            "quantity.\n"
            "\n"
            "Exit status: 0 on success, 1 when the output or input fails, 2 for a usage\n"
            "error or a pair of rows that cannot be converted.\n";
    return text;
}

std::string optionNames()
{
    std::string names;
    for (const OptionSpec& option : kOptions)
        if (option.usage != Usage::Hidden)
            names += std::string(option.name) + '\n';
    return names;
}

ParsedArguments parseArguments(std::span<const char* const> arguments)
{
    ParsedArguments parsed;
    Options& options = parsed.options;
    struct Given {
        bool given = false;
        std::string_view value;
    };
    std::array<Given, kOptions.size()> given{};
    bool optionsEnded = false;
    std::string error;
    auto fail = [&error](std::string text) {
        if (error.empty())
            error = std::move(text);
    };

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i] ? arguments[i] : "";
        if (optionsEnded || !argument.starts_with('-') || looksLikeNegativeNumber(argument) || isQueryArrow(argument)) {
            options.texts.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }

        // An option that takes a value has it as the next argument or after "=".
        const std::string_view name = argument.substr(0, argument.find('='));
        const OptionSpec* option = findOption(name);
        const bool withEquals = name.size() < argument.size();
        if (option == nullptr || (withEquals && option->value.empty())) {
            fail("unknown option \"" + std::string(argument) + '"');
            continue;
        }
        Given& seen = given[static_cast<std::size_t>(option->id)];
        if (option->value.empty()) {
            seen.given = true;
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
        if (seen.given)
            fail(std::string(name) + " is given twice");
        seen.given = true;
        seen.value = value;
    }

    const auto has = [&given](OptionId id) { return given[static_cast<std::size_t>(id)].given; };
    if (has(OptionId::Help)) {
        options.action = Action::Help;
        return parsed;
    }
    if (has(OptionId::Version)) {
        options.action = Action::Version;
        return parsed;
    }
    options.fromGiven = has(OptionId::From);
    options.from = given[static_cast<std::size_t>(OptionId::From)].value;
    options.toGiven = has(OptionId::To);
    options.to = given[static_cast<std::size_t>(OptionId::To)].value;
    const bool info = has(OptionId::Info), json = has(OptionId::Json), shortest = has(OptionId::Shortest);
    const bool exact = has(OptionId::Exact), mixed = has(OptionId::Mixed), fraction = has(OptionId::Fraction);
    const bool list = has(OptionId::List), recent = has(OptionId::Recent), unitNames = has(OptionId::UnitNames),
               optionNames = has(OptionId::OptionNames);
    if (info && json)
        fail("--info and --json exclude each other");
    if (exact && shortest)
        fail("--exact and --shortest exclude each other");
    if (mixed && shortest)
        fail("--mixed and --shortest exclude each other");
    if (mixed && exact)
        fail("--mixed and --exact exclude each other");
    if (fraction) {
        const std::string_view text = given[static_cast<std::size_t>(OptionId::Fraction)].value;
        int n = 0;
        const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), n);
        if (problem != std::errc() || end != text.data() + text.size() || n == kDecimalLastPart || !isFractionDenominator(n))
            fail("--fraction takes 2, 4, 8, 16, 32 or 64, not \"" + std::string(text) + '"');
        else if (!mixed)
            fail("--fraction needs --mixed");
        options.fraction = n;
    }
    const bool converting = info || json || shortest || exact || mixed || fraction || options.fromGiven || options.toGiven || !options.texts.empty();
    if (list && (converting || unitNames || optionNames))
        fail("--list takes no other options or TEXT");
    // With --from, --to or the words of a query, the names of the first
    // unit's quantity: shell completion after a first unit.
    if (unitNames && (info || json || shortest || exact || optionNames))
        fail("--unit-names takes no other options than --from, --to and TEXT");
    if (optionNames && converting)
        fail("--option-names takes no other options or TEXT");
    if (recent && (converting || list || unitNames || optionNames))
        fail("--recent takes no other options or TEXT");
    options.action = list ? Action::List
                     : recent ? Action::Recent
                     : unitNames ? Action::UnitNames
                     : optionNames ? Action::OptionNames
                                   : Action::Convert;
    options.form = info ? OutputForm::Info : json ? OutputForm::Json : OutputForm::Result;
    options.resultForm = shortest ? ResultForm::Shortest
                         : exact  ? ResultForm::Exact
                         : mixed  ? ResultForm::Mixed
                                  : ResultForm::SeventeenDigits;
    parsed.error = std::move(error);
    return parsed;
}

} // namespace quantaro::cli
