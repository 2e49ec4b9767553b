// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// What the desktop's search shows for a query, and the identifiers that come
// back when a result is chosen. Results are the Exact form, worked out with
// Python's fractions from the unit table's constants and rounded to 17
// significant digits, half to even, where they do not end: 5 × 0.0254 / 0.01
// = 12.7; 70 × 1000 / 453.59237 = 154.32358352941431…; 3 × 0.3048 = 0.9144;
// (100 − 32) × 5/9 = 37.777777777777778…; a British pint 0.000568261 / 0.001
// = 0.568261 l. List indices from the list table (21 cm, 23 m, 31 in., 34 ft.,
// 81 l, 95 and 127 pint, 144 kg, 154 lb., 222 ºC, 223 ºF).
#include "search/search_answers.h"

#include "catalogue/catalogue.h"
#include "catalogue/query.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace quantaro::search {
namespace {

struct Shown {
    std::string id;
    std::string text;
    std::string info;
    bool whole;

    friend bool operator==(const Shown&, const Shown&) = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s)
{
    return out << s.id << " | " << s.text << " | " << s.info << (s.whole ? " | whole" : " | beginning");
}

TEST(SearchAnswers, WhatAQueryShows)
{
    const std::string kg2lb = "1 kg = 2.2046226218487757 lb.";
    const struct {
        std::string query;
        std::vector<Shown> shown;
    } cases[] = {
        {"5 in to cm", {{"31:21:5", "12.7 cm", "1 in. = 2.54 cm", true}}},
        {"70 kg lb", {{"144:154:70", "154.32358352941431… lb.", kg2lb, true}}},
        {"3 ft in m", {{"34:23:3", "0.9144 m", "1 ft. = 0.3048 m", true}}},
        {"100 ºF", {{"223:222:100", "37.777777777777778… ºC", "1 ºF = -17.2 ºC", true}}},
        {"-40 °C to °F", {{"222:223:-40", "-40 ºF", "1 ºC = 33.8 ºF", true}}},
        {"1e3 mm in m", {{"20:23:1e3", "1 m", "1 mm = 0.001 m", true}}},
        // A quantity of terms as one number in its smallest unit, so that it opens as shown.
        {"5'11\" to cm", {{"31:21:71", "180.34 cm", "1 in. = 2.54 cm", true}}},
        // A name only begun answers, less relevant.
        {"5 kilog to lb", {{"144:154:5", "11.023113109243879… lb.", kg2lb, false}}},
        // An ambiguous name: one answer per candidate, in list order.
        {"1 pt to l",
         {{"95:81:1", "0.568261 l", "1 pt. British = 0.568261 l", true},
          {"127:81:1", "0.568261 l", "1 pt. British = 0.568261 l", true}}},
        // Nothing for what cannot be answered.
        {"1 pt", {}},
        {"pt 1", {}},
        {"1 kg m", {}},
        {"70 kg", {}},
        {"%$#@! \xff\xfe", {}},
        {"", {}},
        {"   ", {}},
        {std::string(100'000, '9') + " kg lb", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query.substr(0, 40));
        std::vector<Shown> shown;
        for (const Answer& a : answersFor(c.query)) {
            shown.push_back({answerId(a), a.text, a.info, a.relevance == 1.0});
            EXPECT_GT(a.relevance, 0.0);
            EXPECT_EQ(a.text.rfind(a.result, 0), 0u) << "the number begins the text";
            EXPECT_EQ(a.result.find("…"), std::string::npos) << "the number alone goes to the clipboard";
            // The identifier alone gives the same texts back.
            const auto again = answerForId(answerId(a));
            ASSERT_TRUE(again);
            EXPECT_EQ(again->text, a.text);
            EXPECT_EQ(again->info, a.info);
        }
        EXPECT_EQ(shown, c.shown);
    }
}

TEST(SearchAnswers, IdentifiersNotGivenOutNameNothing)
{
    for (const std::string& id : std::vector<std::string>{"", "31", "31:21", "31:21:", ":21:5", "31::5", "a:21:5", " 31:21:5", "31:21:5 ",
                                 "31:21:5:6", "31:21:5x", "031:21:5", "31:021:5", "+31:21:5", "31:21:$(reboot)", "-1:21:5", "238:21:5", "31:238:5",
                                 "31:144:5",          // a length into a mass
                                 "2:21:5", "18:21:5", // a preset row, a header row
                                 "31:21:" + std::string(65, '5')}) {
        EXPECT_FALSE(answerForId(id)) << id;
    }
    EXPECT_TRUE(answerForId("31:21:" + std::string(64, '5')));
}

// Choosing a result opens the window on its query: the query must read back
// as the same two rows, for every pair the search can offer.
TEST(SearchAnswers, WindowQueryReadsBackAsTheSameRows)
{
    const auto rows = catalogueRows();
    // No words name these units alone: the same label as another (the pints
    // 95 and 127, minims 124 and 130, grains 151 and 165), or only names
    // that other units have too: "peck" (111, and 100 "peck (pk.)"),
    // "bushel" (112, and 101), "barrel petroleum" (121, and 106, whose
    // "bbl." and "bl." barrel beer has too).
    const std::set<int> unnameable = {95, 106, 111, 112, 121, 124, 127, 130, 151, 165};
    int pairs = 0;
    for (int from = 0; from < kCatalogueRowCount; ++from)
        for (int to = 0; to < kCatalogueRowCount; ++to) {
            const CatalogueRow& f = rows[std::size_t(from)];
            const CatalogueRow& t = rows[std::size_t(to)];
            if (f.kind != RowKind::Unit || t.kind != RowKind::Unit || !sameQuantity(f.code, t.code))
                continue;
            if (unnameable.count(from) || unnameable.count(to))
                continue;
            Answer answer;
            answer.fromIndex = from;
            answer.toIndex = to;
            answer.number = "2.5";
            const std::string query = windowQuery(answer);
            const QueryReading reading = readQuery(query);
            EXPECT_EQ(reading.outcome, QueryOutcome::Conversion) << query << ": " << reading.message;
            EXPECT_EQ(reading.conversion.fromIndex, from) << query;
            EXPECT_EQ(reading.conversion.toIndex, to) << query;
            EXPECT_EQ(reading.conversion.number, "2.5") << query;
            ++pairs;
        }
    EXPECT_GT(pairs, 1000);
}

TEST(SearchAnswers, WindowArguments)
{
    const struct {
        const char* query;
        std::vector<std::string> arguments;
    } cases[] = {
        {"5 in to cm", {"5 in. to cm"}},
        {"70 kilogramme lb", {"70 kg to lb."}},
        // A negative number is not taken for an option.
        {"-40 °C to °F", {"--", "-40 ºC to ºF"}},
    };
    for (const auto& c : cases) {
        const auto answers = answersFor(c.query);
        ASSERT_EQ(answers.size(), 1u) << c.query;
        EXPECT_EQ(windowArguments(answers.front()), c.arguments) << c.query;
    }
}

} // namespace
} // namespace quantaro::search
