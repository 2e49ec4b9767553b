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
            "\"70 kg to lb\", \"3 ft in m\", \"-40 °C -> °F\" (to, in, into, as, -> or =\n"
            "between the units, or nothing). A unit alone converts into its partner, as\n"
            "the window's lists pair them (\"100 °C\" into Fahrenheit). A query naming\n"
            "units that cannot be converted ends with status 2. \"5\", \"1 2 3\" and texts\n"
            "that name no unit convert as TEXTs.\n"
            "\n";
    text += table::optionLines(Program::Convert, true);
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
