// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "catalogue/recent_pairs.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace quantaro {

void PrintTo(const RowPair& pair, std::ostream* out) { *out << pair.fromIndex << ':' << pair.toIndex; }

namespace {

using namespace std::string_view_literals;
using Pairs = std::vector<RowPair>;

// Rows by hand from the list: 0 the preset header, 1 and 2 the millimetre and
// inch presets, 8 the mile preset, 17 a separator, 18 a header, 20
// millimetre, 31 inch, 52 a blank row, 69 and 116 the two units labelled
// differently in the To list, 237 millennium, the last row.
TEST(RecentPairs, ReadingAnyText)
{
    const struct {
        std::string_view text;
        Pairs pairs;
    } cases[] = {
        {"2:1", {{2, 1}}},
        {"2:1 31:20 20:31", {{2, 1}, {31, 20}, {20, 31}}},
        {"", {}},
        {"   \t ", {}},
        // Duplicates: the newest (first) place counts.
        {"31:20 2:1 31:20 2:1", {{31, 20}, {2, 1}}},
        // Not unit rows: headers, separators, blank rows, past either end.
        {"0:1 2:17 18:20 52:20 20:52 238:20 20:238 237:20", {{237, 20}}},
        // Not two decimal indices.
        {"-1:2 +2:1 2:-1 0x2:1 2: :1 2:1:3 21 2;1 2=1 2:1x ², 02:01", {{2, 1}}},
        {"99999999999:1 2:99999999999 00000002:1", {}},
        // Separators a hand-edited value may carry: quotes, commas, tabs.
        {"\"2:1, 31:20\"\t20:31,,", {{2, 1}, {31, 20}, {20, 31}}},
        // INI text pasted in: only the pair survives.
        {"[Data]\nRecentPairs=2:1\n 31:20", {{31, 20}}},
        {"\xff\xfe\0\n2:1\r\n"sv, {}},
        {"\xff\xfe\0 2:1"sv, {{2, 1}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readRecentPairs(c.text), c.pairs) << '"' << c.text << '"';
}

TEST(RecentPairs, ReadingKeepsNineOfAnyNumber)
{
    // Rows 19 to 27 and 30, 31 are units; 28 is a separator.
    std::string text;
    for (int round = 0; round < 1000; ++round)
        for (const char* pair : {"19:20 ", "20:21 ", "21:22 ", "22:23 ", "23:24 ", "0:0 ", "27:28 ", "24:25 ", "25:26 ",
                                 "26:27 ", "27:26 ", "30:31 "})
            text += pair;
    const Pairs nine{{19, 20}, {20, 21}, {21, 22}, {22, 23}, {23, 24}, {24, 25}, {25, 26}, {26, 27}, {27, 26}};
    EXPECT_EQ(readRecentPairs(text), nine);
}

TEST(RecentPairs, WrittenTextReadsBack)
{
    const Pairs cases[] = {{}, {{2, 1}}, {{237, 236}, {69, 116}, {2, 1}}};
    for (const Pairs& pairs : cases)
        EXPECT_EQ(readRecentPairs(recentPairsText(pairs)), pairs);
    EXPECT_EQ(recentPairsText(Pairs{{2, 1}, {237, 20}}), "2:1 237:20");
}

// The list after each step of a sequence, newest first.
TEST(RecentPairs, Remembering)
{
    const struct {
        RowPair arrived;
        Pairs after;
    } steps[] = {
        {{31, 20}, {{31, 20}, {2, 1}}},
        {{20, 31}, {{20, 31}, {31, 20}, {2, 1}}},
        {{31, 20}, {{31, 20}, {20, 31}, {2, 1}}}, // back to an earlier pair: moves up
        {{31, 20}, {{31, 20}, {20, 31}, {2, 1}}}, // the newest again: no change
        {{0, 20}, {{31, 20}, {20, 31}, {2, 1}}},  // a header is no pair to keep
        {{31, -1}, {{31, 20}, {20, 31}, {2, 1}}}, // nor a list without a row
        {{2, 1}, {{2, 1}, {31, 20}, {20, 31}}},
    };
    Pairs recent{{2, 1}};
    for (const auto& step : steps) {
        rememberPair(recent, step.arrived);
        EXPECT_EQ(recent, step.after) << step.arrived.fromIndex << ':' << step.arrived.toIndex;
    }
}

TEST(RecentPairs, RememberingDropsTheOldestPastNine)
{
    Pairs recent;
    for (const int from : {19, 20, 21, 22, 23, 24, 25, 26, 27, 30, 31})
        rememberPair(recent, {from, 20});
    const Pairs nine{{31, 20}, {30, 20}, {27, 20}, {26, 20}, {25, 20}, {24, 20}, {23, 20}, {22, 20}, {21, 20}};
    EXPECT_EQ(recent, nine);
    rememberPair(recent, {21, 20}); // the oldest comes back to the top
    EXPECT_EQ(recent.front(), (RowPair{21, 20}));
    EXPECT_EQ(recent.size(), kRecentPairLimit);
    EXPECT_EQ(recent.back(), (RowPair{22, 20}));
}

TEST(RecentPairs, Labels)
{
    const struct {
        RowPair pair;
        const char* label;
    } cases[] = {
        {{2, 1}, "inch (in.) → millimetre (mm)"},
        {{1, 2}, "millimetre (mm) → inch (in.)"},
        {{31, 20}, "inch (in.) → millimetre (mm)"},
        {{8, 20}, "(statute) mile (mi.) → millimetre (mm)"},
        {{69, 69}, "square chain U.S. (sq. ch.) → square chain U.S."},
        {{116, 116}, "liquid gill (liq. gi.) → liquid gill"},
        {{237, 2}, "millennium → inch (in.)"},
        {{0, 1}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pairLabel(c.pair, " → "), c.label) << c.pair.fromIndex << ':' << c.pair.toIndex;
    EXPECT_EQ(pairLabel({2, 1}, " -> "), "inch (in.) -> millimetre (mm)");
}

} // namespace
} // namespace quantaro
