// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// What the desktop's search shows for a query, and the identifiers that come
// back when a result is chosen. Results are the Exact form, worked out with
// Python's fractions from the unit table's constants and rounded to 17
// significant digits, half to even, where they do not end: 5 × 0.0254 / 0.01
// = 12.7; 70 × 1000 / 453.59237 = 154.32358352941431…; 3 × 0.3048 = 0.9144;
// (100 − 32) × 5/9 = 37.777777777777778…; a British pint 0.000568261 / 0.001
// = 0.568261 l. List indices from the list table (21 cm, 23 m, 31 in., 34 ft.,
// 81 l, 95 and 127 pint, 144 kg, 154 lb., 222 ºC, 223 ºF). Where the To unit
// has a family, the Mixed form follows, worked out by hand: 170 / 30.48 =
// 5.5774278215223097… ft = 5 ft 6.9291338582677… in; 154.32358352941431… lb
// = 154 lb 5.1773364706290… oz; 11.023113109243879… lb = 11 lb 0.369809… oz.
#include "search/search_answers.h"

#include "catalogue/catalogue.h"
#include "catalogue/query.h"
#include "catalogue/unit_names.h"

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
        {"70 kg lb",
         {{"144:154:70", "154.32358352941431… lb.", kg2lb, true},
          {"144:154:70:mixed", "154 lb 5.18 oz", kg2lb, true}}},
        {"170 cm to ft",
         {{"21:34:170", "5.5774278215223097… ft.", "1 cm = 0.03280839895013123 ft.", true},
          {"21:34:170:mixed", "5 ft 6.93 in", "1 cm = 0.03280839895013123 ft.", true}}},
        // A To unit outside every family: no Mixed answer.
        {"3 ft in m", {{"34:23:3", "0.9144 m", "1 ft. = 0.3048 m", true}}},
        {"100 ºF", {{"223:222:100", "37.777777777777778… ºC", "1 ºF = -17.2 ºC", true}}},
        {"-40 °C to °F", {{"222:223:-40", "-40 ºF", "1 ºC = 33.8 ºF", true}}},
        {"1e3 mm in m", {{"20:23:1e3", "1 m", "1 mm = 0.001 m", true}}},
        // A quantity of terms as one number in its smallest unit, so that it opens as shown.
        {"5'11\" to cm", {{"31:21:71", "180.34 cm", "1 in. = 2.54 cm", true}}},
        // A name only begun answers, less relevant.
        {"5 kilog to lb",
         {{"144:154:5", "11.023113109243879… lb.", kg2lb, false},
          {"144:154:5:mixed", "11 lb 0.37 oz", kg2lb, false}}},
        // A name the British and US measures share: the locale's variant
        // first, then the other, each saying which row it took.
        {"1 pt to l",
         {{"95:81:1", "0.568261 l: British pint", "1 pt. British = 0.568261 l", true},
          {"117:81:1", "0.473176 l: US liquid pint", "1 liq. pt. U.S. = 0.473176 l", true}}},
        // 1 / 0.568261 = 1.75975476057656604…, 1 / 0.473176 = 2.11337853145552606…
        {"1 l to pt",
         {{"81:95:1", "1.759754760576566… pt. British: British pint", "1 l = 1.75975476058 pt. British", true},
          {"81:117:1", "2.1133785314555261… liq. pt. U.S.: US liquid pint", "1 l = 2.1133785314555262 liq. pt. U.S.",
           true}}},
        // A unit alone converts into its partner.
        {"1 pt",
         {{"95:81:1", "0.568261 l: British pint", "1 pt. British = 0.568261 l", true},
          {"117:81:1", "0.473176 l: US liquid pint", "1 liq. pt. U.S. = 0.473176 l", true}}},
        {"70 kg", {{"144:154:70", "154.32358352941431… lb.", kg2lb, true}, {"144:154:70:mixed", "154 lb 5.18 oz", kg2lb, true}}},
        // Nothing for what cannot be answered.
        {"pt 1", {}},
        {"1 kg m", {}},
        {"%$#@! \xff\xfe", {}},
        {"", {}},
        {"   ", {}},
        {std::string(100'000, '9') + " kg lb", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query.substr(0, 40));
        std::vector<Shown> shown;
        for (const Answer& a : answersFor(c.query)) {
            shown.push_back({answerId(a), a.text, a.info, a.relevance >= kMixedRelevance});
            EXPECT_GT(a.relevance, 0.0);
            if (a.request.form == ResultForm::Mixed) {
                const Answer& plain = (&a)[-1];
                EXPECT_LT(a.relevance, plain.relevance) << "the Mixed answer sorts after its plain one";
                EXPECT_EQ(answerId(a), answerId(plain) + ":mixed");
            }
            EXPECT_EQ(a.text.rfind(a.result, 0), 0u) << "the number begins the text";
            EXPECT_EQ(a.result.find("…"), std::string::npos) << "the number alone goes to the clipboard";
            // The identifier alone gives the same texts back, but for the row
            // that an ambiguous name took.
            const auto again = answerForId(answerId(a));
            ASSERT_TRUE(again);
            EXPECT_EQ(a.text.rfind(again->text, 0), 0u) << a.text;
            EXPECT_EQ(again->info, a.info);
            EXPECT_EQ(again->request.form, a.request.form);
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
                                 "31:21:" + std::string(65, '5'),
                                 // The Mixed form only where the To unit has a family, as written.
                                 "31:21:5:mixed", "21:34:170:Mixed", "21:34:170:mixed:mixed", "21:34:mixed",
                                 "21:34:170mixed", "21:34:170:mixed "}) {
        EXPECT_FALSE(answerForId(id)) << id;
    }
    EXPECT_TRUE(answerForId("31:21:" + std::string(64, '5')));
    EXPECT_TRUE(answerForId("21:34:" + std::string(64, '5') + ":mixed"));
}

TEST(SearchAnswers, WindowArguments)
{
    const struct {
        const char* query;
        std::vector<std::string> arguments;
        std::vector<std::string> mixed = {};
    } cases[] = {
        {"5 in to cm", {"--exact", "--from", "31", "--to", "21", "--", "5"}},
        {"70 kilogramme lb", {"--exact", "--from", "144", "--to", "154", "--", "70"},
         {"--mixed", "--from", "144", "--to", "154", "--", "70"}},
        // A negative number is not taken for an option.
        {"-40 °C to °F", {"--exact", "--from", "222", "--to", "223", "--", "-40"}},
        // The Mixed answer opens the window in the Mixed form.
        {"170 cm to ft", {"--exact", "--from", "21", "--to", "34", "--", "170"},
         {"--mixed", "--from", "21", "--to", "34", "--", "170"}},
    };
    for (const auto& c : cases) {
        const auto answers = answersFor(c.query);
        ASSERT_EQ(answers.size(), c.mixed.empty() ? 1u : 2u) << c.query;
        EXPECT_EQ(windowArguments(answers.front()), c.arguments) << c.query;
        if (!c.mixed.empty()) {
            EXPECT_EQ(windowArguments(answers.back()), c.mixed) << c.query;
        }
    }
}

// The answers of a query are worked out once while it stays among the last
// few queries, and its identifiers find them, labels and all.
TEST(SearchAnswers, CacheKeepsTheLastQueries)
{
    AnswerCache cache({}, 2);
    EXPECT_EQ(cache.answersFor("1 pt to l").size(), 2u);
    EXPECT_EQ(cache.answersFor("5 in to cm").size(), 1u);
    EXPECT_EQ(cache.answersFor("1 pt to l").size(), 2u);
    EXPECT_EQ(cache.computed(), 2u);
    // The identifiers kept beside them are those of the query just asked,
    // kept or new, in the answers' order.
    EXPECT_EQ(cache.lastIds(), (std::vector<std::string>{"95:81:1", "117:81:1"}));
    cache.answersFor("5 in to cm");
    EXPECT_EQ(cache.lastIds(), std::vector<std::string>{"31:21:5"});
    cache.answersFor("1 pt to l");
    const Answer* pint = cache.find("117:81:1");
    ASSERT_TRUE(pint);
    EXPECT_EQ(pint->text, "0.473176 l: US liquid pint");
    // A third query pushes out the one used longest ago ("5 in to cm").
    cache.answersFor("70 kg lb");
    EXPECT_FALSE(cache.find("31:21:5"));
    EXPECT_TRUE(cache.find("95:81:1"));
    EXPECT_TRUE(cache.find("144:154:70"));
    cache.answersFor("5 in to cm");
    EXPECT_EQ(cache.computed(), 4u);
    EXPECT_FALSE(cache.find("x"));
    EXPECT_FALSE(cache.find("31:23:5")) << "an identifier never given out";
    // The Mixed answer is kept under its own identifier.
    cache.answersFor("170 cm to ft");
    const Answer* mixed = cache.find("21:34:170:mixed");
    ASSERT_TRUE(mixed);
    EXPECT_EQ(mixed->result, "5 ft 6.93 in");
    EXPECT_EQ(mixed->request.form, ResultForm::Mixed);
    EXPECT_EQ(cache.find("21:34:170")->request.form, ResultForm::Exact);
}

// Every name that several unit rows of one quantity share gives answers that
// read differently, one per row.
TEST(SearchAnswers, NoTwoAnswersReadTheSame)
{
    const auto rows = catalogueRows();
    int shared = 0;
    for (int i = 0; i < kCatalogueRowCount; ++i)
        for (int j = i + 1; j < kCatalogueRowCount; ++j) {
            if (rows[i].kind != RowKind::Unit || rows[j].kind != RowKind::Unit || rows[i].quantity != rows[j].quantity
                || unitName(i) != unitName(j))
                continue;
            ++shared;
            EXPECT_NE(distinctUnitName(i), distinctUnitName(j)) << i << ", " << j;
            EXPECT_NE(distinctUnitName(i), unitName(i)) << i;
        }
    EXPECT_GE(shared, 5);
    EXPECT_EQ(distinctUnitName(31), "inch");
    for (const char* query : {"1 pt to l", "1 l to pt", "3 minim to cl", "1 peck to l", "1 bbl. to l"}) {
        std::set<std::string> texts;
        const auto answers = answersFor(query);
        for (const Answer& answer : answers)
            texts.insert(answer.text);
        EXPECT_EQ(texts.size(), answers.size()) << query;
        EXPECT_GE(answers.size(), 2u) << query;
    }
}

} // namespace
} // namespace quantaro::search
