// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// Finding rows by words of their labels; the expected list indices are those
// of the list tables.
#include "catalogue/unit_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quantaro {
namespace {

std::vector<int> indices(ListSide side, std::string_view query)
{
    std::vector<int> out;
    for (const FoundRow& row : findUnitRows(side, query))
        out.push_back(row.index);
    return out;
}

TEST(UnitSearch, EveryWordInTheLabel)
{
    const struct {
        ListSide side;
        const char* query;
        std::vector<int> expected;
    } cases[] = {
        // Both gallons, and the two presets that name one.
        {ListSide::From, "gal", {9, 10, 97, 119}},
        {ListSide::From, "us gal", {9, 10}},
        {ListSide::From, "  GAL \t U.S.\n", {9, 10}},
        {ListSide::From, "gal gal gal us", {9, 10}},
        {ListSide::From, "sea", {48, 49, 50}},
        {ListSide::From, "oz av", {11, 12, 153}},
        {ListSide::From, "°c", {15, 16, 222}},
        {ListSide::From, "μm", {19}},
        {ListSide::From, "KM2", {60}},
        // Only the label counts, not its group's header.
        {ListSide::From, "metric", {145, 185, 187, 189, 191, 193}},
        // The presets read "to" in the From list and "from" in the To list.
        {ListSide::From, "from cm", {}},
        {ListSide::To, "from cm", {3, 4}},
        {ListSide::From, "gal xyz", {}},
        {ListSide::From, "Linear", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        EXPECT_EQ(indices(c.side, c.query), c.expected);
    }
}

TEST(UnitSearch, EachRowWithItsGroupsHeader)
{
    EXPECT_EQ(findUnitRows(ListSide::From, "gal"),
              (std::vector<FoundRow>{{9, 0}, {10, 0}, {97, 93}, {119, 115}}));
    EXPECT_EQ(findUnitRows(ListSide::From, "hp"), (std::vector<FoundRow>{{176, 175}}));
}

// No words: all 165 unit rows and 16 preset rows; nothing else ever.
TEST(UnitSearch, NoWordsFindsEveryUnitAndPreset)
{
    for (const char* query : {"", "   ", ". .."}) {
        const auto found = findUnitRows(ListSide::To, query);
        ASSERT_EQ(found.size(), 181u);
        EXPECT_EQ(found.front(), (FoundRow{1, 0}));
        EXPECT_EQ(found.back(), (FoundRow{237, 225}));
    }
}

TEST(UnitSearch, LongPastesMatchNothing)
{
    std::string words;
    for (int i = 0; words.size() < 100'000; ++i)
        words += std::to_string(i % 5000) + "m ";
    for (const std::string& query : {std::string(100'000, 'x'), std::string(50'000, 'a') + " gal", words}) {
        EXPECT_TRUE(findUnitRows(ListSide::From, query).empty());
    }
}

} // namespace
} // namespace quantaro
