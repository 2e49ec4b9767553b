// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "cli/options.h"

#include "options/command_line_options.h"

#include "catalogue/catalogue.h"
#include "catalogue/mixed_families.h"

#include <charconv>

namespace quantaro::cli {

namespace {

// The table both programs read their options from.
namespace table = quantaro::options;
using table::OptionId;
using table::Program;

} // namespace

std::string helpText()
{
    std::string text = table::synopsis(Program::Convert);
    text += "\n"
            "Converts each TEXT, or else every line of standard input, from one unit into\n"
            "another, and prints the result as the Velkor Quantaro window shows it.\n"
            "\n"
            "Without --from and --to, the arguments may ask in plain words: \"70 kg lb\",\n"
            "\"70 kg to lb\", \"3 ft in m\", \"-40 °C -> °F\", \"convert 5 oz to grams?\" (to, in,\n"
            "into, as, ->, =, =>, > or → between the units, or nothing), also with a\n"
            "quantity of several terms: \"5'11\\\" to cm\", \"1 1/2 in to mm\", \"1 h 30 min in\n"
            "min\", \"5 ft + 3 in to cm\". A unit alone converts into its partner (\"100 °C\"\n"
            "into Fahrenheit, \"1 kg\" into pounds). Plain numbers (\"5\", \"1 2 3\") convert\n"
            "with --from and --to or the default pair; any other text ends with status 2\n"
            "and says why.\n"
            "\n";
    text += table::optionLines(Program::Convert, true);
    text += "\n"
            "UNIT is a list index (0 to " + std::to_string(kCatalogueRowCount - 1) + ", as --list prints it) or a name people use\n"
            "for the unit: its symbol with or without the dot (\"in\", \"kg\", \"°F\", \"degF\"),\n"
            "its name in either spelling, one or more (\"inch\", \"inches\", \"meter\",\n"
            "\"litres\"), or the beginning of a name that only one unit has. A name that\n"
            "British and US measure share (gallon, pint, ton) is the US unit where the\n"
            "locale measures as the US does (LC_MEASUREMENT, else LC_ALL, else LANG), the\n"
            "British one elsewhere. Both units must measure the same quantity.\n"
            "\n"
            "Exit status: 0 on success, 1 when the output or input fails, 2 for a usage\n"
            "error or a pair of rows that cannot be converted.\n";
    return text;
}

std::string optionNames() { return table::optionNames(Program::Convert); }

ParsedArguments parseArguments(std::span<const char* const> arguments)
{
    ParsedArguments parsed;
    Options& options = parsed.options;
    table::GivenOptions given = table::parseOptions(Program::Convert, arguments);
    options.texts = std::move(given.texts);
    std::string error = std::move(given.error);
    auto fail = [&error](std::string text) {
        if (error.empty())
            error = std::move(text);
    };

    const auto has = [&given](OptionId id) { return given.has(id); };
    if (has(OptionId::Help)) {
        options.action = Action::Help;
        return parsed;
    }
    if (has(OptionId::Version)) {
        options.action = Action::Version;
        return parsed;
    }
    options.fromGiven = has(OptionId::From);
    options.from = given.value(OptionId::From);
    options.toGiven = has(OptionId::To);
    options.to = given.value(OptionId::To);
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
        const std::string_view text = given.value(OptionId::Fraction);
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
