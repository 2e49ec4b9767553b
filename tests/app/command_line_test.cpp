// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The window program's command line, read before any display: which
// arguments are the toolkit's, which are the query, and what is refused.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Action = WindowCommandLine::Action;

WindowCommandLine read(const std::vector<const char*>& arguments) { return readWindowCommandLine(arguments); }

TEST(WindowCommandLine, ToolkitOptionsAreLeftAndTheRestIsTheQuery)
{
    const struct {
        std::vector<const char*> arguments;
        int from, to; // -1: the saved row
        const char* number; // nullptr: the saved text
        const char* platform;
        RunForm form = RunForm::Saved;
    } cases[] = {
        {{}, -1, -1, nullptr, ""},
        {{"5", "in", "cm"}, 31, 21, "5", ""},
        {{"-platform", "offscreen", "5", "in", "cm"}, 31, 21, "5", "offscreen"},
        {{"--platform=xcb", "5 in", "cm"}, 31, 21, "5", "xcb"},
        {{"5", "-style", "fusion", "in", "-reverse", "cm"}, 31, 21, "5", ""},
        {{"-40", "°C", "->", "°F"}, 222, 223, "-40", ""},
        {{"--", "-40", "ºC"}, 222, 223, "-40", ""},
        {{"-platform", "wayland;xcb"}, -1, -1, nullptr, "wayland;xcb"},
        // Rows as quantaro-convert takes them: list index or name; the one
        // TEXT is what "Convert:" holds, as given.
        {{"--from", "31", "--to", "21", "5"}, 31, 21, "5", ""},
        {{"--exact", "--from=inch", "--to", "cm", "--", "-12.5e1"}, 31, 21, "-12.5e1", "", RunForm::Exact},
        {{"--to", "154", "-platform", "offscreen"}, -1, 154, nullptr, "offscreen"},
        {{"--from", "2", "--to", "1", "1 2 3"}, 2, 1, "1 2 3", ""},
        {{"--shortest", "5", "in", "cm"}, 31, 21, "5", "", RunForm::Shortest},
        {{"--exact", "-40", "°C", "->", "°F"}, 222, 223, "-40", "", RunForm::Exact},
        {{"--mixed", "--from", "21", "--to", "34", "--", "170"}, 21, 34, "170", "", RunForm::Mixed},
        // A quantity of terms opens as one number in its smallest unit: 71 in.
        {{"5'11\"", "to", "cm"}, 31, 21, "71", ""},
        {{"1 1/2 in to mm"}, 31, 20, "1.5", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments.front());
        const WindowCommandLine line = read(c.arguments);
        ASSERT_EQ(line.action, Action::OpenWindow) << line.text;
        EXPECT_EQ(line.platform, c.platform);
        WindowOpening expected{c.from, c.to, std::nullopt, c.form};
        if (c.number)
            expected.input = c.number;
        EXPECT_EQ(line.opening, expected);
    }
}

TEST(WindowCommandLine, HelpVersionAndRefusals)
{
    const struct {
        std::vector<const char*> arguments;
        Action action;
        int status;
        const char* begins;
    } cases[] = {
        {{"--help"}, Action::Print, 0, "Usage: quantaro [--shortest | --exact | --mixed] [QUERY...]"},
        {{"1", "kg", "m", "-h"}, Action::Print, 0, "Usage: quantaro [--shortest | --exact | --mixed] [QUERY...]"},
        {{"--json", "--version"}, Action::Print, 0, "quantaro (Velkor Quantaro) "},
        {{"--frobnicate", "--version"}, Action::Print, 0, "quantaro (Velkor Quantaro) "},
        {{"--frobnicate"}, Action::Refuse, 2, "quantaro: unknown option \"--frobnicate\"\n"},
        {{"-style"}, Action::Refuse, 2, "quantaro: option -style needs a value\n"},
        {{"--json", "5", "in", "cm"}, Action::Refuse, 2, "quantaro: unknown option \"--json\"\n"},
        {{"--exact", "--shortest"}, Action::Refuse, 2, "quantaro: --exact and --shortest exclude each other\n"},
        {{"--shortest", "--mixed"}, Action::Refuse, 2, "quantaro: --mixed and --shortest exclude each other\n"},
        {{"--mixed", "--exact", "5 ft"}, Action::Refuse, 2, "quantaro: --mixed and --exact exclude each other\n"},
        {{"--from", "0", "5"}, Action::Refuse, 2, "quantaro: --from: list row 0 \"Common Conversions - Preset\" (a header row) is no unit"},
        {{"--from", "238"}, Action::Refuse, 2, "quantaro: --from: no list row 238 (the rows are 0 to 237)"},
        {{"--to", "frobs"}, Action::Refuse, 2, "quantaro: --to: no unit matches \"frobs\""},
        {{"--from", "31", "--to", "144", "5"}, Action::Refuse, 2,
         "quantaro: cannot convert from 31 \"inch (in.)\" to 144 \"kilogramme (kg)\": they are not units of one quantity"},
        {{"--from", "31", "5", "in"}, Action::Refuse, 2, "quantaro: with --from or --to, one TEXT for \"Convert:\""},
        {{"--from"}, Action::Refuse, 2, "quantaro: --from needs a UNIT\n"},
        {{"5"}, Action::Refuse, 2, "quantaro: no unit after the number\n"},
        {{"kg", "lb"}, Action::Refuse, 2, "quantaro: no number at the beginning\n"},
        {{"1", "p."}, Action::Refuse, 2,
         "quantaro: \"p.\" matches 2 units\n"
         "  \"pole (p.)\"  [Linear Measures - British and U.S.]\n"
         "  \"perch (p.)\"  [Linear Measures - British and U.S.]\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        const WindowCommandLine line = read(c.arguments);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.status, c.status);
        EXPECT_EQ(line.text.rfind(c.begins, 0), 0u) << line.text;
        EXPECT_EQ(line.opening, WindowOpening{});
    }
}

} // namespace
