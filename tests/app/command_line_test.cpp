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
        int from, to; // -1: no query
        const char* number;
        const char* platform;
    } cases[] = {
        {{}, -1, -1, "", ""},
        {{"5", "in", "cm"}, 31, 21, "5", ""},
        {{"-platform", "offscreen", "5", "in", "cm"}, 31, 21, "5", "offscreen"},
        {{"--platform=xcb", "5 in", "cm"}, 31, 21, "5", "xcb"},
        {{"5", "-style", "fusion", "in", "-reverse", "cm"}, 31, 21, "5", ""},
        {{"-40", "°C", "->", "°F"}, 222, 223, "-40", ""},
        {{"--", "-40", "ºC"}, 222, 223, "-40", ""},
        {{"-platform", "wayland;xcb"}, -1, -1, "", "wayland;xcb"},
        // A quantity of terms opens as one number in its smallest unit: 71 in.
        {{"5'11\"", "to", "cm"}, 31, 21, "71", ""},
        {{"1 1/2 in to mm"}, 31, 20, "1.5", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments.front());
        const WindowCommandLine line = read(c.arguments);
        ASSERT_EQ(line.action, Action::OpenWindow) << line.text;
        EXPECT_EQ(line.platform, c.platform);
        ASSERT_EQ(line.query.has_value(), c.from >= 0);
        if (line.query) {
            EXPECT_EQ(*line.query, (quantaro::QueryConversion{c.from, c.to, c.number, quantaro::NameMatch::Whole}));
        }
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
        {{"--help"}, Action::Print, 0, "Usage: quantaro [QUERY...]"},
        {{"1", "kg", "m", "-h"}, Action::Print, 0, "Usage: quantaro [QUERY...]"},
        {{"--frobnicate", "--version"}, Action::Print, 0, "quantaro (Velkor Quantaro) "},
        {{"--frobnicate"}, Action::Refuse, 2, "quantaro: unknown option \"--frobnicate\"\n"},
        {{"-style"}, Action::Refuse, 2, "quantaro: option -style needs a value\n"},
        {{"5"}, Action::Refuse, 2, "quantaro: no unit after the number\n"},
        {{"kg", "lb"}, Action::Refuse, 2, "quantaro: no number at the beginning\n"},
        {{"1", "pt"}, Action::Refuse, 2,
         "quantaro: \"pt\" matches 2 units\n"
         "  \"pint (pt.)\"  [Dry and Liquid Measures of Capacity - British]\n"
         "  \"pint (pt.)\"  [Apothecaries' Fluid Measures - British]\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        const WindowCommandLine line = read(c.arguments);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.status, c.status);
        EXPECT_EQ(line.text.rfind(c.begins, 0), 0u) << line.text;
        EXPECT_FALSE(line.query);
    }
}

} // namespace
