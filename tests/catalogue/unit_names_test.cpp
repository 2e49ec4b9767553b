// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// Units read by name, as the command line's UNIT arguments and its shell
// completion give them.
#include "catalogue/unit_names.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quantaro {
namespace {

TEST(UnitArgument, FindsIndicesAbbreviationsNamesAndPrefixes)
{
    const std::pair<const char*, int> cases[] = {
        {"0", 0}, {"237", 237}, {"007", 7},                                   // indices, any row
        {"in", 31}, {"in.", 31}, {"IN", 31}, {" mm ", 20}, {"kg", 144},       // abbreviations
        {"ºF", 223}, {"°f", 223}, {"µm", 19}, {"\xCE\xBCm", 19}, {"mm2", 54}, {"m³", 83},
        {"m", 23}, {"min", 229}, {"min.", -1}, {"a", 58}, {"a.", 71}, {"l", 81}, {"l.", 33}, {"gal", 119},
        {"Imp. gal.", 97}, {"lb. tr.", 170}, {"sq. ch.", 69},
        {"inch", 31}, {"Kilogramme", 144}, {"mile", 41}, {"statute mile", 41}, {"light year", 27},
        {"drachm", 168}, {"hand", 32}, {"kilog", 144}, {"fahr", 223}, {"league", 42}, // names, prefixes
        {"pt.", -1}, {"kilo", -1}, {"gallon", -1}, {"furlongs", -1}, {"", -1}, {"238", -1}, {"-1", -1},
    };
    for (const auto& [argument, index] : cases) {
        const UnitLookup lookup = lookUpUnit(argument);
        EXPECT_EQ(lookup.outcome == UnitLookup::Outcome::Found ? lookup.index : -1, index) << '"' << argument << '"';
    }
    EXPECT_EQ(lookUpUnit("min.").candidates, (std::vector<int>{124, 130}));
    EXPECT_EQ(lookUpUnit("238").outcome, UnitLookup::Outcome::OutOfRange);
    EXPECT_EQ(lookUpUnit("99999999999999999999").outcome, UnitLookup::Outcome::OutOfRange);
}

// What shell completion offers: each word names one unit, and it holds the
// label's abbreviations and names as typed, without parentheses.
TEST(UnitArgument, AcceptedNamesAreTheWordsThatFindOneUnit)
{
    const std::vector<std::string> names = acceptedUnitNames();
    for (const std::string& name : names) {
        EXPECT_EQ(lookUpUnit(name).outcome, UnitLookup::Outcome::Found) << name;
        EXPECT_EQ(name.find_first_of("()"), std::string::npos) << name;
        EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
    }
    const std::pair<const char*, bool> cases[] = {
        {"in.", true}, {"inch", true}, {"statute mile", true}, {"mile", true}, {"Imp. gal.", true},
        {"ºF", true}, {"µm", true}, {"m²", true}, {"men's shoes US/UK", true}, {"dram", true}, {"drachm", true},
        {"pt.", false}, {"pint", false}, {"m.", false}, {"gallon", false},         // several units
        {"in", false}, {"kilog", false}, {"31", false}, {"°F", false}, {"(statute) mile", false},
        {"inch (in.)", false}, {"light year [not used anymore]", false},
    };
    for (const auto& [name, offered] : cases)
        EXPECT_EQ(std::find(names.begin(), names.end(), name) != names.end(), offered) << name;
}

} // namespace
} // namespace quantaro
