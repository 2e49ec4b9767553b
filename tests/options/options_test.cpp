// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The one table of options: each program's manual page names exactly the
// options that program takes, and each parser knows only its own.
#include "options/command_line_options.h"

#include "catalogue/catalogue.h"
#include "catalogue/unit_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace quantaro::options {
namespace {

std::string readFile(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file) << path;
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The options a manual page names: roff writes an option's hyphens as "\-"
// ("\-\-unit\-names", "\-h").
std::set<std::string> optionsNamedIn(const std::string& page)
{
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    std::set<std::string> named;
    for (std::size_t at = 0; (at = page.find("\\-", at)) != std::string::npos;) {
        // Inside a word ("quantaro\-convert"): no option.
        if (at > 0 && isLetter(page[at - 1])) {
            at += 2;
            continue;
        }
        std::string option;
        for (; page.compare(at, 2, "\\-") == 0; at += 2)
            option += '-';
        while (at < page.size() && (isLetter(page[at]) || (page.compare(at, 2, "\\-") == 0 && at + 2 < page.size()
                                                           && isLetter(page[at + 2])))) {
            option += page[at] == '\\' ? '-' : page[at];
            at += page[at] == '\\' ? 2 : 1;
        }
        if (option.size() > option.find_first_not_of('-'))
            named.insert(option);
    }
    return named;
}

// Each manual page names every option of the table that its program's help
// names, and no other; the completion's own options are for no reader. The
// window program's page also names the toolkit's options it leaves to Qt.
TEST(Options, EachManualPageNamesItsProgramsOptionsAndNoOther)
{
    const struct {
        Program program;
        const char* page;
        std::set<std::string> others;
    } cases[] = {
        {Program::Convert, QUANTARO_CONVERT_MAN_PAGE, {}},
        {Program::Window, QUANTARO_WINDOW_MAN_PAGE, {"-platform", "-style", "-reverse"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        std::set<std::string> options = c.others;
        for (const OptionSpec& option : optionsOf(c.program)) {
            if (option.usage == Usage::Hidden)
                continue;
            options.insert(std::string(option.name));
            if (!option.shortName.empty())
                options.insert(std::string(option.shortName));
        }
        EXPECT_EQ(optionsNamedIn(readFile(c.page)), options);
    }

    // And the pair quantaro-convert converts without --from and --to.
    std::string text = readFile(QUANTARO_CONVERT_MAN_PAGE);
    std::replace(text.begin(), text.end(), '\n', ' ');
    const auto [from, to] = kFirstRunPair;
    const std::string pair = "list row " + std::to_string(from) + " (" + unitName(from) + ") to list row "
                             + std::to_string(to) + " (" + unitName(to) + ")";
    EXPECT_NE(text.find(pair), std::string::npos) << pair;
}

// No program has two rows of one name, and every row is some program's.
TEST(Options, OneRowPerNameAndProgram)
{
    for (const Program program : {Program::Convert, Program::Window}) {
        std::set<std::string_view> names;
        for (const OptionSpec& option : optionsOf(program)) {
            EXPECT_TRUE(names.insert(option.name).second) << option.name;
            if (!option.shortName.empty()) {
                EXPECT_TRUE(names.insert(option.shortName).second) << option.shortName;
            }
        }
    }
    for (const OptionSpec& option : allOptions())
        EXPECT_NE(option.programs, 0u) << option.name;
}

// Each program knows its own options only; values come after "=" or as the
// next argument; negative numbers and the arrow are no options.
TEST(Options, EachParserTakesItsOwn)
{
    const struct {
        Program program;
        std::vector<const char*> arguments;
        std::string error;
        std::string from, to;
        std::vector<std::string> texts;
    } cases[] = {
        {Program::Window, {"--from", "31", "--to=21", "--exact", "5"}, "", "31", "21", {"5"}},
        {Program::Convert, {"--from", "31", "--to=21", "--exact", "5"}, "", "31", "21", {"5"}},
        {Program::Window, {"--json", "5"}, "unknown option \"--json\"", "", "", {"5"}},
        {Program::Window, {"--list"}, "unknown option \"--list\"", "", "", {}},
        {Program::Convert, {"--json", "5"}, "", "", "", {"5"}},
        {Program::Window, {"-40", "°C", "->", "°F"}, "", "", "", {"-40", "°C", "->", "°F"}},
        {Program::Window, {"--", "--from"}, "", "", "", {"--from"}},
        {Program::Window, {"--from"}, "--from needs a UNIT", "", "", {}},
        {Program::Window, {"--from", "1", "--from", "2"}, "--from is given twice", "2", "", {}},
        {Program::Window, {"--exact=yes"}, "unknown option \"--exact=yes\"", "", "", {}},
        {Program::Window, {"--mixed", "--from", "21", "--to", "34", "170"}, "", "21", "34", {"170"}},
        {Program::Window, {"--fraction", "16"}, "unknown option \"--fraction\"", "", "", {"16"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "" : c.arguments.front());
        const GivenOptions given = parseOptions(c.program, c.arguments);
        EXPECT_EQ(given.error, c.error);
        EXPECT_EQ(given.value(OptionId::From), c.from);
        EXPECT_EQ(given.value(OptionId::To), c.to);
        EXPECT_EQ(std::vector<std::string>(given.texts.begin(), given.texts.end()), c.texts);
    }
}

// The synopsis comes from the table: each program's options, and the
// alternatives that exclude each other between bars.
TEST(Options, SynopsisFromTheTable)
{
    EXPECT_EQ(synopsis(Program::Window), "Usage: quantaro [--shortest | --exact | --mixed] [QUERY...]\n"
                                         "       quantaro [--from UNIT] [--to UNIT] [--shortest | --exact | --mixed]\n"
                                         "                [TEXT]\n"
                                         "       quantaro --help | --version\n");
    EXPECT_EQ(synopsis(Program::Convert),
              "Usage: quantaro-convert [--from UNIT] [--to UNIT] [--info | --json]\n"
              "                        [--shortest | --exact | --mixed] [--fraction N]\n"
              "                        [TEXT...]\n"
              "       quantaro-convert [--info | --json] [--shortest | --exact | --mixed]\n"
              "                        [--fraction N] NUMBER UNIT [to] [UNIT]\n"
              "       quantaro-convert --list | --recent | --help | --version\n");
}

} // namespace
} // namespace quantaro::options
