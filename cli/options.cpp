// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "cli/options.h"

namespace quantaro::cli {

namespace {

bool looksLikeNegativeNumber(std::string_view argument)
{
    return argument.size() >= 2 && argument[0] == '-' && ((argument[1] >= '0' && argument[1] <= '9') || argument[1] == '.');
}

// The arrow of a query ("-40 °C -> °F") is a TEXT, not an option.
bool isQueryArrow(std::string_view argument) { return argument == "->"; }

} // namespace

ParsedArguments parseArguments(std::span<const char* const> arguments)
{
    ParsedArguments parsed;
    Options& options = parsed.options;
    bool list = false, unitNames = false, help = false, version = false, info = false, json = false, shortest = false;
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

        // --from and --to take a value, as the next argument or after "=".
        const std::string_view name = argument.substr(0, argument.find('='));
        if (name == "--from" || name == "--to") {
            const bool isFrom = name == "--from";
            std::string_view value;
            if (name.size() < argument.size()) {
                value = argument.substr(name.size() + 1);
            } else if (i + 1 < arguments.size() && arguments[i + 1]) {
                value = arguments[++i];
            } else {
                fail(std::string(name) + " needs a UNIT");
                continue;
            }
            bool& given = isFrom ? options.fromGiven : options.toGiven;
            if (given)
                fail(std::string(name) + " is given twice");
            given = true;
            (isFrom ? options.from : options.to) = value;
            continue;
        }

        if (argument == "--info")
            info = true;
        else if (argument == "--json")
            json = true;
        else if (argument == "--shortest")
            shortest = true;
        else if (argument == "--list")
            list = true;
        else if (argument == "--unit-names")
            unitNames = true;
        else if (argument == "--help" || argument == "-h")
            help = true;
        else if (argument == "--version")
            version = true;
        else
            fail("unknown option \"" + std::string(argument) + '"');
    }

    if (help) {
        options.action = Action::Help;
        return parsed;
    }
    if (version) {
        options.action = Action::Version;
        return parsed;
    }
    if (info && json)
        fail("--info and --json exclude each other");
    const bool converting = info || json || shortest || options.fromGiven || options.toGiven || !options.texts.empty();
    if (list && (converting || unitNames))
        fail("--list takes no other options or TEXT");
    if (unitNames && converting)
        fail("--unit-names takes no other options or TEXT");
    options.action = list ? Action::List : unitNames ? Action::UnitNames : Action::Convert;
    options.form = info ? OutputForm::Info : json ? OutputForm::Json : OutputForm::Result;
    options.resultForm = shortest ? ResultForm::Shortest : ResultForm::SeventeenDigits;
    parsed.error = std::move(error);
    return parsed;
}

} // namespace quantaro::cli
