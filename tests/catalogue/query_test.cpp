// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// Reading conversions asked in plain words. The expected list indices are
// those of the list tables (19 micrometre ... 237 millennium).
#include "catalogue/query.h"

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
        EXPECT_EQ(r.conversion, (QueryConversion{c.from, c.to, c.number, c.match}));
        EXPECT_TRUE(r.isQuery);
        EXPECT_EQ(r.message, "");
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
        {"5 in 7 in", O::UnknownUnit, false, "no unit matches \"7 in\""},
        {std::string("5 \xff\xfe"), O::UnknownUnit, false, "no unit matches \"\xff\xfe\""},
        // A message is one line, whatever the words hold.
        {std::string("5 ab\ncd\0ef", 10), O::UnknownUnit, false, "no unit matches \"ab cd?ef\""},
        // A query that names a unit.
        {"70 kg lbs", O::UnknownUnit, true, "no unit matches \"lbs\""},
        {"70 lbs to kg", O::UnknownUnit, true, "no unit matches \"lbs\""},
        {"1 pt", O::AmbiguousUnit, true, "\"pt\" matches 2 units"},
        {"1 pt to l", O::AmbiguousUnit, true, "\"pt\" matches 2 units"},
        {"1 kg m", O::Inconvertible, true,
         "kilogramme (kg) (a mass) and metre (m) (a length) cannot be converted into one another"},
        {"1 ºC to s", O::Inconvertible, true,
         "Celsius (ºC) (a temperature) and second (s) (a time) cannot be converted into one another"},
        {"40 ladieswear metric/German to menswear US/UK", O::Inconvertible, true,
         "ladieswear metric/German (a size) and menswear US/UK (a size) cannot be converted into one another"},
        {"70 kg", O::NoPartner, true, "name the unit to convert kilogramme (kg) into, as in \"70 kg to UNIT\""},
        {"70 kg to", O::NoPartner, true, "name the unit to convert kilogramme (kg) into, as in \"70 kg to UNIT\""},
        {"2 l", O::NoPartner, true, "name the unit to convert litre (l) into, as in \"2 l to UNIT\""},
        // The whole name, not "light" (the beginning of it) and "year".
        {"1 light year", O::NoPartner, true,
         "name the unit to convert light year (Lj) [not used anymore] into, as in \"1 light year to UNIT\""},
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
    const QueryReading r = readQuery("1 PT to l");
    EXPECT_EQ(r.word, "PT");
    EXPECT_EQ(r.candidates, (std::vector<QueryCandidate>{
                                {95, "pint (pt.)", "Dry and Liquid Measures of Capacity - British"},
                                {127, "pint (pt.)", "Apothecaries' Fluid Measures - British"},
                            }));
    EXPECT_EQ(queryConversions("1 PT to l"), (std::vector<QueryConversion>{{95, 81, "1", W}, {127, 81, "1", W}}));
    EXPECT_EQ(queryConversions("0.5 l in pt"), (std::vector<QueryConversion>{{81, 95, "0.5", W}, {81, 127, "0.5", W}}));
    // Each candidate alone has no unit to go to; one that the other unit
    // cannot convert with is left out.
    EXPECT_EQ(queryConversions("1 pt"), std::vector<QueryConversion>{});
    EXPECT_EQ(queryConversions("1 pt to kg"), std::vector<QueryConversion>{});
    EXPECT_EQ(queryConversions("5 in cm"), (std::vector<QueryConversion>{{31, 21, "5", W}}));
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
        {"gal", 97, RowRank::Begins},     // "gallon ((Imp.) gal.)"
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
        {ListSide::From, "inch", {2, 31, 1, 64, 65, 86}},
        {ListSide::To, "gal", {10, 119, 97, 9}},
        {ListSide::From, "sea", {49, 48, 50}},
        {ListSide::From, "km", {7, 26, 8, 60, 217}},
        {ListSide::From, "us gal", {9, 10}},
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
