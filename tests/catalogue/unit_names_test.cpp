// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// Units read by name, as the command line's UNIT arguments, its shell
// completion and the query reader give them. List indices are those of the
// list tables (19 micrometre ... 237 millennium).
#include "catalogue/query.h"
#include "catalogue/unit_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace quantaro {
namespace {

constexpr MeasureSystem GB = MeasureSystem::British;
constexpr MeasureSystem US = MeasureSystem::US;

TEST(UnitArgument, FindsIndicesNamesAndUniqueBeginnings)
{
    const struct {
        const char* argument;
        MeasureSystem measure;
        int index;
    } cases[] = {
        {"0", GB, 0}, {"237", GB, 237}, {"007", GB, 7},                                  // indices, any row
        {"in", GB, 31}, {"in.", GB, 31}, {"IN", GB, 31}, {" mm ", GB, 20}, {"kg", GB, 144}, // symbols
        {"ºF", GB, 223}, {"°f", GB, 223}, {"\xCB\x9A" "F", GB, 223}, {"F", GB, 223}, {"degF", GB, 223},
        {"deg F", GB, 223}, {"degrees fahrenheit", GB, 223}, {"° C", GB, 222}, {"degC", GB, 222},
        {"µm", GB, 19}, {"\xCE\xBCm", GB, 19}, {"mm2", GB, 54}, {"m³", GB, 83}, {"m^3", GB, 83},
        {"ft²", GB, 66}, {"ft^2", GB, 66}, {"ft2", GB, 66}, {"sq ft", GB, 66}, {"square feet", GB, 66},
        {"cu ft", GB, 88}, {"cubic feet", GB, 88}, {"ft³", GB, 88},
        {"m", GB, 23}, {"min", GB, 229}, {"a", GB, 58}, {"a.", GB, 71}, {"l", GB, 81}, {"l.", GB, 33},
        {"Imp. gal.", GB, 97}, {"lb. tr.", GB, 170}, {"sq. ch.", GB, 69},
        // Plurals, spellings, the abbreviations people use.
        {"inches", GB, 31}, {"feet", GB, 34}, {"foot", GB, 34}, {"miles", GB, 41}, {"meters", GB, 23},
        {"metres", GB, 23}, {"liter", GB, 81}, {"gram", GB, 141}, {"kilometers", GB, 26}, {"lb", GB, 154},
        {"lbs", GB, 154}, {"pounds", GB, 154}, {"oz", GB, 153}, {"fl oz", GB, 126}, {"floz", US, 132},
        {"mph", GB, 218}, {"kph", GB, 217}, {"kmh", GB, 217}, {"kmph", GB, 217}, {"km/h", GB, 217},
        {"hr", GB, 230}, {"hrs", GB, 230}, {"mins", GB, 229}, {"sec", GB, 228}, {"secs", GB, 228},
        {"yd", GB, 35}, {"yds", GB, 35}, {"NM", GB, 50}, {"nmi", GB, 50}, {"thou", GB, 30}, {"mil", GB, 30},
        {"Hz", GB, 209}, {"kHz", GB, 210}, {"hertz", GB, 209}, {"furlongs", GB, 40}, {"kilo", GB, 144},
        // Letter case tells bits from bytes.
        {"Mb", GB, 201}, {"MB", GB, 202}, {"kb", GB, 199}, {"KB", GB, 200}, {"kB", GB, 200}, {"b", GB, 197},
        {"B", GB, 198}, {"mb", GB, -1},
        // The locale picks between a British and a US unit.
        {"gallon", GB, 97}, {"gallon", US, 119}, {"gal", US, 119}, {"pt.", GB, 95}, {"pint", US, 117},
        {"ton", GB, 162}, {"ton", US, 161}, {"min.", GB, 124}, {"min.", US, 130}, {"fluid ounce", US, 132},
        // Whole names before beginnings; a beginning only of one unit's names.
        {"kilog", GB, 144}, {"fahr", GB, 223}, {"league", GB, 42}, {"light year", GB, 27}, {"hand", GB, 32},
        {"statute mile", GB, 41}, {"drachm", GB, 152}, {"mile", GB, 41},
        {"p.", GB, -1}, {"kilom", GB, -1}, {"", GB, -1}, {"238", GB, -1}, {"-1", GB, -1}, {"quarter", GB, -1},
    };
    for (const auto& c : cases) {
        const UnitLookup lookup = lookUpUnit(c.argument, c.measure);
        EXPECT_EQ(lookup.outcome == UnitLookup::Outcome::Found ? lookup.index : -1, c.index) << '"' << c.argument << '"';
    }
    EXPECT_EQ(lookUpUnit("p.").candidates, (std::vector<int>{37, 38}));
    EXPECT_EQ(lookUpUnit("mb").candidates, (std::vector<int>{201, 202}));
    EXPECT_EQ(lookUpUnit("238").outcome, UnitLookup::Outcome::OutOfRange);
    EXPECT_EQ(lookUpUnit("99999999999999999999").outcome, UnitLookup::Outcome::OutOfRange);
    EXPECT_TRUE(lookUpUnit("kilog").beginning);
    EXPECT_TRUE(lookUpUnit("gal", US).byMeasure);
    // The other unit's quantity decides before the locale.
    EXPECT_EQ(lookUpUnit("quarter", GB, Quantity::Volume).index, 102);
    EXPECT_EQ(lookUpUnit("quarter", US, Quantity::Mass).index, 157);
}

// Every name that several rows share is decided by a rule: the rows measure
// different quantities (the other unit decides), or they are a unit's British
// and US variants (the locale decides); or it is listed as ambiguous.
TEST(UnitNameTable, EverySharedNameIsDecidedOrListed)
{
    const auto rows = catalogueRows();
    std::map<std::string, std::set<int>> rowsByName;
    for (const UnitNameRow& row : unitNameRows()) {
        auto add = [&](std::string_view name, bool caseMatters) {
            std::string key = caseMatters ? std::string(name) : foldedName(name);
            EXPECT_TRUE(rowsByName[key].insert(row.index).second) << "twice in one row: " << name;
        };
        for (std::string_view rest = row.names; !rest.empty();) {
            add(rest.substr(0, rest.find('|')), false);
            rest = rest.find('|') == std::string_view::npos ? "" : rest.substr(rest.find('|') + 1);
        }
        for (std::string_view rest = row.caseNames; !rest.empty();) {
            add(rest.substr(0, rest.find('|')), true);
            rest = rest.find('|') == std::string_view::npos ? "" : rest.substr(rest.find('|') + 1);
        }
    }
    const auto isPair = [&](const std::vector<int>& group) {
        if (group.size() != 2)
            return false;
        return std::any_of(measureVariants().begin(), measureVariants().end(), [&](const MeasureVariants& v) {
            const UnitCode a = rows[group[0]].code, b = rows[group[1]].code;
            return (a == v.british && b == v.us) || (a == v.us && b == v.british);
        });
    };
    std::set<std::string> undecided;
    for (const auto& [name, indices] : rowsByName) {
        std::map<Quantity, std::vector<int>> byQuantity;
        for (const int index : indices)
            byQuantity[rows[index].quantity].push_back(index);
        for (const auto& [quantity, group] : byQuantity)
            if (group.size() > 1 && !isPair(group))
                undecided.insert(name);
    }
    std::set<std::string> listed;
    for (const std::string_view name : ambiguousNames())
        listed.insert(std::string(name));
    EXPECT_EQ(undecided, listed);
}

TEST(UnitNameTable, RowsMatchTheCatalogue)
{
    const auto rows = catalogueRows();
    std::size_t units = 0;
    for (const CatalogueRow& row : rows)
        units += row.kind == RowKind::Unit;
    EXPECT_EQ(unitNameRows().size(), units);
    for (const UnitNameRow& row : unitNameRows()) {
        SCOPED_TRACE(row.index);
        ASSERT_EQ(rows[row.index].kind, RowKind::Unit);
        EXPECT_EQ(rows[row.index].code, row.code);
        EXPECT_FALSE(row.names.empty());
        // A partner is a unit of the same quantity.
        const int partner = partnerRow(row.index, GB);
        if (row.partner != 0) {
            ASSERT_GE(partner, 0);
            EXPECT_EQ(rows[partner].quantity, rows[row.index].quantity);
            EXPECT_NE(partner, row.index);
        }
    }
    for (const MeasureVariants& v : measureVariants()) {
        int b = -1, u = -1;
        for (const UnitNameRow& row : unitNameRows()) {
            b = row.code == v.british ? row.index : b;
            u = row.code == v.us ? row.index : u;
        }
        ASSERT_GE(b, 0);
        ASSERT_GE(u, 0);
        EXPECT_EQ(rows[b].quantity, rows[u].quantity);
        EXPECT_EQ(otherVariant(b), u);
        EXPECT_EQ(otherVariant(u), b);
        EXPECT_NE(distinctUnitName(b), distinctUnitName(u));
    }
}

TEST(UnitNames, PartnersDistinctNamesAndTheLocale)
{
    const struct {
        int index;
        MeasureSystem measure;
        int partner;
    } partners[] = {
        {144, GB, 154}, {26, GB, 41}, {222, GB, 223}, {81, GB, 97}, {81, US, 119}, {31, GB, 21}, {154, US, 144},
    };
    for (const auto& p : partners)
        EXPECT_EQ(partnerRow(p.index, p.measure), p.partner) << p.index;

    const std::pair<int, const char*> names[] = {
        {95, "British pint"}, {117, "US liquid pint"}, {119, "US gallon"}, {97, "British gallon"},
        {31, "inch"}, {2, "inch"}, {13, "kilogramme"}, {161, "US ton"},
    };
    for (const auto& [index, name] : names)
        EXPECT_EQ(distinctUnitName(index), name) << index;
    EXPECT_EQ(unitName(117), "pint");

    const struct {
        const char *measurement, *all, *lang;
        MeasureSystem measure;
    } locales[] = {
        {"", "", "en_US.UTF-8", US},       {"", "", "es_US", US},           {"", "", "en_LR.UTF-8", US},
        {"", "", "my_MM", US},             {"", "", "en_GB.UTF-8", GB},     {"", "", "de_DE.UTF-8@euro", GB},
        {"en_GB.UTF-8", "", "en_US", GB},  {"en_US.UTF-8", "", "de_DE", US}, {"", "en_US", "en_GB", US},
        {"", "C", "en_US", GB},            {"", "", "", GB},                {"", "", "POSIX", GB},
        {"", "", "en_USA", GB},
    };
    for (const auto& l : locales)
        EXPECT_EQ(measureSystemForLocale(l.measurement, l.all, l.lang), l.measure)
            << l.measurement << '/' << l.all << '/' << l.lang;
}

TEST(UnitNames, SuggestionsByNearSpelling)
{
    EXPECT_EQ(suggestUnitNames("inchs"), (std::vector<NameSuggestion>{{"inch", 31}}));
    EXPECT_EQ(suggestUnitNames("galon"), (std::vector<NameSuggestion>{{"gallon", 97}, {"gallon", 119}}));
    EXPECT_EQ(suggestionText("galon"), "did you mean gallon (British gallon) or gallon (US gallon)?");
    EXPECT_EQ(suggestionText("kpj"), "did you mean kph (kilometers per hour)?");
    EXPECT_EQ(suggestUnitNames("xyzzy"), std::vector<NameSuggestion>{});
    EXPECT_EQ(suggestUnitNames(std::string(100'000, 'k')), std::vector<NameSuggestion>{});
    EXPECT_LE(suggestUnitNames("mx").size(), 3u);
}

// What shell completion offers: each word names one unit, the one it is
// offered for.
TEST(UnitArgument, AcceptedNamesAreTheWordsThatFindOneUnit)
{
    for (const MeasureSystem measure : {GB, US}) {
        const std::vector<std::string> names = acceptedUnitNames(measure);
        for (const std::string& name : names) {
            EXPECT_EQ(lookUpUnit(name, measure).outcome, UnitLookup::Outcome::Found) << name;
            EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
        }
        const std::pair<const char*, bool> cases[] = {
            {"inch", true}, {"inches", true}, {"statute mile", true}, {"Imp. gal.", true}, {"ºF", true},
            {"µm", true}, {"m2", true}, {"men's shoes US/UK", true}, {"MB", true}, {"Mb", true},
            {"gallon", true}, {"p.", false}, {"bl.", false}, {"31", false}, {"inch (in.)", false},
        };
        for (const auto& [name, offered] : cases)
            EXPECT_EQ(std::find(names.begin(), names.end(), name) != names.end(), offered) << name;
    }
    // Only the names of one quantity's units.
    for (const std::string& name : acceptedUnitNames(GB, Quantity::Temperature))
        EXPECT_EQ(catalogueRows()[lookUpUnit(name).index].quantity, Quantity::Temperature) << name;
    EXPECT_FALSE(acceptedUnitNames(GB, Quantity::Temperature).empty());
}

} // namespace
} // namespace quantaro
