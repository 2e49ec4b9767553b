// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// Reading conversions asked in plain words. The expected list indices are
// those of the list tables (19 micrometre ... 237 millennium).
#include "catalogue/query.h"

#include "engine/convert.h"
#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quantaro {
namespace {

using O = QueryOutcome;
constexpr NameMatch W = NameMatch::Whole;
constexpr NameMatch B = NameMatch::Beginning;

TEST(Query, ConversionsAsTyped)
{
    const struct {
        const char* text;
        int from, to;
        const char* number;
        NameMatch match;
    } cases[] = {
        {"70 kg lb", 144, 154, "70", W},
        {"70 kg to lb", 144, 154, "70", W},
        {"70kg to lb", 144, 154, "70", W},
        {"  70 KG TO LB  ", 144, 154, "70", W},
        {"2 lb. as kg", 154, 144, "2", W},
        {"5 in cm", 31, 21, "5", W},
        {"5in cm", 31, 21, "5", W},
        {"5.in cm", 31, 21, "5.", W},
        // "in" is a unit and a connector; a split at a connector wins.
        {"5 in in cm", 31, 21, "5", W},
        {"3 ft in m", 34, 23, "3", W},
        {"1 m in in", 23, 31, "1", W},
        {"1 m in", 23, 31, "1", W},
        {"-40 ºC -> ºF", 222, 223, "-40", W},
        {"-40 °c->°f", 222, 223, "-40", W},
        {".5 mi = km", 41, 26, ".5", W},
        {"1e3 m into km", 23, 26, "1e3", W},
        {"+2.5E-3\tkm\tinto\tm", 26, 23, "+2.5E-3", W},
        {"1 μm to mm", 19, 20, "1", W},
        {"2 m2 in sq. ft.", 57, 66, "2", W},
        // Several words to a name, and a name whose words begin others.
        {"1 light year in km", 27, 26, "1", W},
        {"5 statute mile to km", 41, 26, "5", W},
        {"1 dry pint to dry quart", 109, 110, "1", W},
        {"3 sea league British to mile", 49, 41, "3", W},
        // A beginning of a name makes the whole answer a beginning.
        {"5 kilog to lb", 144, 154, "5", B},
        {"5 lb to kilog", 154, 144, "5", B},
        // A unit alone goes where the partner rules put the other list.
        {"100 ºC", 222, 223, "100", W},
        {"212 Fahrenheit", 223, 222, "212", W},
        {"100 hp", 176, 177, "100", W},
        {"40 ladieswear metric/German", 185, 186, "40", W},
        {"41 shirts (neck size) metric/German", 189, 190, "41", W},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QueryReading r = readQuery(c.text);
        ASSERT_EQ(r.outcome, O::Conversion) << r.message;
        EXPECT_EQ(r.conversion, (QueryConversion{{c.from, c.to, c.number}, c.match}));
        EXPECT_TRUE(r.isQuery);
        EXPECT_EQ(r.message, "");
    }
}

// Queries as people type them, with the value each must come to, by hand
// from the units' legal definitions (1 mi = 1609.344 m, 1 lb = 0.45359237
// kg, 1 oz = 1/16 lb, 1 British gallon = 4.54609 l, 1 US gallon = 231 cubic
// inches, 1 short ton = 2000 lb, 1 long ton = 2240 lb). Some of the unit
// tables' factors are given to six or seven figures, hence the tolerance; a
// wrong row (a US gallon for a British one) is off by far more.
TEST(Query, PlainWordsComeToTheRightValue)
{
    constexpr MeasureSystem GB = MeasureSystem::British, US = MeasureSystem::US;
    const struct {
        const char* text;
        MeasureSystem measure;
        int from, to;
        double value;
    } cases[] = {
        {"107mph to kph", GB, 218, 217, 107 * 1.609344},
        {"52 weeks -> days", GB, 232, 231, 364},
        {"100degC in degF", GB, 222, 223, 212},
        {"convert 5 oz to grams", GB, 153, 141, 5 * 28.349523125},
        {"6 miles in meters", GB, 41, 23, 9656.064},
        {"1 foot to meters", GB, 34, 23, 0.3048},
        {"40°C in F", GB, 222, 223, 104},
        {"40 ˚C in ºF", GB, 222, 223, 104},
        {"1 kg", GB, 144, 154, 1 / 0.45359237},
        {"100 lbs in kg", GB, 154, 144, 45.359237},
        {"how many grams in 5 oz?", GB, 153, 141, 5 * 28.349523125},
        {"how many feet are in 2 miles", GB, 41, 34, 10560},
        {"3 ft → m", GB, 34, 23, 0.9144},
        {"3 ft => m", GB, 34, 23, 0.9144},
        {"3ft>m", GB, 34, 23, 0.9144},
        {"12 in = cm?", GB, 31, 21, 30.48},
        {"2 sq ft to m^2", GB, 66, 57, 2 * 0.09290304},
        {"1 m^3 in cu ft", GB, 83, 88, 1 / 0.028316846592},
        {"1 gal to l", GB, 97, 81, 4.54609},
        {"1 gal to l", US, 119, 81, 3.785411784},
        {"1 gallon", US, 119, 81, 3.785411784},
        {"2 l", GB, 81, 97, 2 / 4.54609},
        {"1 ton to kg", US, 161, 144, 907.18474},
        {"1 ton to kg", GB, 162, 144, 1016.0469088},
        {"1 quarter to kg", GB, 156, 144, 12.70058636},
        {"1 quarter to kg", US, 157, 144, 11.33980925},
        {"5 fl oz to ml", US, 132, 77, 5 * 29.5735295625},
        {"1 pint in ml", GB, 95, 77, 568.26125},
        {"1 kHz to Hz", GB, 210, 209, 1000},
        {"90 min to hrs", GB, 229, 230, 1.5},
        {"1 nmi to km", GB, 50, 26, 1.852},
        {"5 yds to feet", GB, 35, 34, 15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + (c.measure == US ? " (US)" : " (British)"));
        const QueryReading r = readQuery(c.text, {c.measure});
        ASSERT_EQ(r.outcome, O::Conversion) << r.message;
        EXPECT_EQ(r.conversion.request.fromIndex, c.from);
        EXPECT_EQ(r.conversion.request.toIndex, c.to);
        const auto rows = catalogueRows();
        const double value = readNumber(Convert(r.conversion.request.number, rows[c.from].code, rows[c.to].code).result);
        EXPECT_NEAR(value, c.value, 1e-5 * c.value);
    }
}

TEST(Query, ReasonsWhenItCannotBeAnswered)
{
    const struct {
        std::string text;
        QueryOutcome outcome;
        bool isQuery;
        const char* message;
    } cases[] = {
        {"", O::NoNumber, false, "no number at the beginning"},
        {" \t ", O::NoNumber, false, "no number at the beginning"},
        {"kg lb", O::NoNumber, false, "no number at the beginning"},
        {"-kg", O::NoNumber, false, "no number at the beginning"},
        {"5", O::NoUnit, false, "no unit after the number"},
        {"1e3  ", O::NoUnit, false, "no unit after the number"},
        // Texts that merely begin with a number stay texts.
        {"1 2 3", O::UnknownUnit, false, "no unit matches \"2 3\""},
        {"5 2", O::UnknownUnit, false, "no unit matches \"2\""},
        {"5 apples", O::UnknownUnit, false, "no unit matches \"apples\""},
        {"5 in 7", O::UnknownUnit, false, "no unit matches \"7\""},
        {"5 in 7 in", O::BadQuantity, true, "inch follows inch: write the largest unit first (5 ft 11 in), or put a + between the terms"},
        {std::string("5 \xff\xfe"), O::UnknownUnit, false, "no unit matches \"\xff\xfe\""},
        // A message is one line, whatever the words hold.
        {std::string("5 ab\ncd\0ef", 10), O::UnknownUnit, false, "no unit matches \"ab cd?ef\""},
        // A query that names a unit.
        {"70 kg lbz", O::UnknownUnit, true, "no unit matches \"lbz\""},
        {"20 zorps to mph", O::UnknownUnit, true, "no unit matches \"zorps\""},
        {"5 ft 11 kg", O::BadQuantity, true, "cannot add kilogramme (a mass) to foot (a length)"},
        {"to km", O::NoNumber, false, "no number at the beginning"},
        {"1 p.", O::AmbiguousUnit, true, "\"p.\" matches 2 units"},
        {"1 p. to m", O::AmbiguousUnit, true, "\"p.\" matches 2 units"},
        {"1 mb to kb", O::AmbiguousUnit, true, "\"mb\" matches 2 units"},
        {"1 kg m", O::Inconvertible, true,
         "kilogramme (kg) (a mass) and metre (m) (a length) cannot be converted into one another"},
        {"1 ºC to s", O::Inconvertible, true,
         "Celsius (ºC) (a temperature) and second (s) (a time) cannot be converted into one another"},
        {"40 ladieswear metric/German to menswear US/UK", O::Inconvertible, true,
         "ladieswear metric/German (a ladieswear size) and menswear US/UK (a menswear size) cannot be converted into one another"},
        {"1 pt to kg", O::Inconvertible, true,
         "pint (pt.) (a volume or capacity) and kilogramme (kg) (a mass) cannot be converted into one another"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QueryReading r = readQuery(c.text);
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.isQuery, c.isQuery);
        EXPECT_EQ(r.message, c.message);
        EXPECT_TRUE(queryConversions(c.text).empty() || c.outcome == O::AmbiguousUnit);
    }
}

TEST(Query, AmbiguousNameOffersEveryCandidate)
{
    const QueryReading r = readQuery("1 P. to m");
    EXPECT_EQ(r.word, "P.");
    EXPECT_EQ(r.candidates, (std::vector<QueryCandidate>{
                                {37, "pole (p.)", "Linear Measures - British and U.S."},
                                {38, "perch (p.)", "Linear Measures - British and U.S."},
                            }));
    EXPECT_EQ(queryConversions("1 P. to m"), (std::vector<QueryConversion>{{{37, 23, "1"}, W}, {{38, 23, "1"}, W}}));
    EXPECT_EQ(queryConversions("1 pt to kg"), std::vector<QueryConversion>{});
    EXPECT_EQ(queryConversions("5 in cm"), (std::vector<QueryConversion>{{{31, 21, "5"}, W}}));
}

// A British and a US unit of one name: the locale's first, then the other,
// never the same rows twice.
TEST(Query, VariantsTheLocaleDecidesComeFirst)
{
    const QueryContext uk{MeasureSystem::British}, us{MeasureSystem::US};
    EXPECT_EQ(queryConversions("1 PT to l", uk), (std::vector<QueryConversion>{{{95, 81, "1"}, W}, {{117, 81, "1"}, W}}));
    EXPECT_EQ(queryConversions("1 PT to l", us), (std::vector<QueryConversion>{{{117, 81, "1"}, W}, {{95, 81, "1"}, W}}));
    EXPECT_EQ(queryConversions("0.5 l in pt", uk), (std::vector<QueryConversion>{{{81, 95, "0.5"}, W}, {{81, 117, "0.5"}, W}}));
    EXPECT_EQ(queryConversions("1 pt", uk), (std::vector<QueryConversion>{{{95, 81, "1"}, W}, {{117, 81, "1"}, W}}));
    EXPECT_EQ(queryConversions("2 l", us), (std::vector<QueryConversion>{{{81, 119, "2"}, W}, {{81, 97, "2"}, W}}));
    EXPECT_EQ(queryConversions("1 gal to qt", us),
              (std::vector<QueryConversion>{{{119, 118, "1"}, W}, {{119, 96, "1"}, W}, {{97, 118, "1"}, W}, {{97, 96, "1"}, W}}));
    EXPECT_EQ(readQuery("1 gal to l", us).note, "read \"gal\" as US gallon");
    EXPECT_EQ(readQuery("2 l", uk).note, "into British gallon");
    EXPECT_EQ(readQuery("5 kilog to lb").note, "read \"kilog\" as kilogramme");
    EXPECT_EQ(readQuery("5 kg to lb").note, "");
}

TEST(Query, HostileTextsEndInAReason)
{
    std::string many = "1";
    for (int i = 0; i < 50'000; ++i)
        many += " kg";
    std::string longWord = "1 " + std::string(100'000, 'k');
    std::string nul("5 kg\0lb", 7);
    // Thirteen words, none of them a connector in the middle: no way to split
    // them into two names of at most six words.
    std::string thirteen = "1 kg kg kg kg kg kg kg inchg kg kg kg kg kg";
    for (const std::string& text :
         {many, longWord, nul, thirteen, std::string(100'000, ' '), std::string(100'000, '5')}) {
        const QueryReading r = readQuery(text);
        EXPECT_NE(r.outcome, O::Conversion);
        EXPECT_FALSE(r.isQuery);
        EXPECT_LE(r.message.size(), 100u);
    }
}

TEST(Query, FindUnitRanksOwnUnitsBeforeMentions)
{
    const struct {
        const char* words;
        int index;
        RowRank rank;
    } cases[] = {
        {"inch", 2, RowRank::Names},      // the preset from inch
        {"inch", 31, RowRank::Names},
        {"in.", 31, RowRank::Names},
        {"IN", 2, RowRank::Names},
        {"inch", 1, RowRank::Mentions},   // "millimetre (mm) (to inch (in.))"
        {"inch", 64, RowRank::Mentions},  // "circular inch"
        {"statute mile", 8, RowRank::Names},
        {"mile", 41, RowRank::Names},
        {"mile", 7, RowRank::Mentions},
        {"gal", 10, RowRank::Names},
        {"gal", 119, RowRank::Names},
        {"gal", 97, RowRank::Names},      // "gallon ((Imp.) gal.)"
        {"lbs", 154, RowRank::Names},
        {"lbs", 14, RowRank::Names},
        {"gal", 9, RowRank::Mentions},
        {"pou", 154, RowRank::Begins},
        {"kilog", 13, RowRank::Begins},
        {"metre", 23, RowRank::Names},
        {"metre", 5, RowRank::Names},
        {"metre", 57, RowRank::Mentions}, // "square metre (m²)"
        {"inch", 18, RowRank::Mentions},  // a header names no unit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.words) + " at " + std::to_string(c.index));
        EXPECT_EQ(rankRow(c.index, c.words), c.rank);
    }
}

TEST(Query, FindUnitShowsOwnUnitsFirstThenListOrder)
{
    const struct {
        ListSide side;
        const char* query;
        std::vector<int> expected;
    } cases[] = {
        {ListSide::From, "inch", {31, 2, 1, 64, 65, 86}},
        {ListSide::To, "gal", {97, 119, 10, 9}},
        {ListSide::From, "sea", {49, 50, 48}},
        {ListSide::From, "km", {26, 7, 60, 217, 8}},
        {ListSide::From, "us gal", {119, 10, 9}},
        {ListSide::From, "lbs", {154, 14}},
        {ListSide::From, "mph", {218}},
        {ListSide::From, "meters", {23, 5, 216, 217}},
        {ListSide::From, "gal xyz", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        std::vector<int> shown;
        for (const FoundRow& row : findRankedUnitRows(c.side, c.query))
            shown.push_back(row.index);
        EXPECT_EQ(shown, c.expected);
    }
    // Without words, every unit and preset row in list order.
    const std::vector<FoundRow> all = findRankedUnitRows(ListSide::From, "");
    EXPECT_EQ(all, findUnitRows(ListSide::From, ""));
    EXPECT_EQ(all.size(), 181u);
}

TEST(Query, RelevanceFallsForBeginnings)
{
    EXPECT_EQ(relevance(NameMatch::Whole), 1.0);
    EXPECT_GT(relevance(NameMatch::Whole), relevance(NameMatch::Beginning));
    EXPECT_GT(relevance(NameMatch::Beginning), 0.0);
}

} // namespace
} // namespace quantaro
