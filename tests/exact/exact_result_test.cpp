// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The Exact form on cases worked by hand; every pair of rows is checked
// against an independent computation by exact_check.py.
#include "exact/exact_result.h"

#include "engine/convert.h"
#include "engine/number_text.h"
#include "engine/unit_definitions.h"
#include "exact/exact_constants.h"

#include <gtest/gtest.h>

#include <string>

namespace quantaro {
namespace {

struct Case {
    std::string input;
    UnitCode from;
    UnitCode to;
    std::string result;
};

void expectExact(std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << '"' << c.input.substr(0, 40) << "\" " << c.from << " -> " << c.to);
        const Conversion exact = ConvertExact(c.input, c.from, c.to);
        EXPECT_EQ(exact.result, c.result);
        EXPECT_EQ(exact.title, c.input.empty() ? "Velkor Quantaro" : c.result + " - Velkor Quantaro");
        EXPECT_EQ(exact.info, Convert(c.input, c.from, c.to).info);
    }
}

TEST(ExactResult, TerminatingDecimalsInFull)
{
    expectExact({
        {"3", 2150, 1150, "0.9144"},          // ft. to m
        {"5", 2120, 1130, "12.7"},            // in. to cm
        {"0.00001", 2120, 1120, "0.000254"},  // in. to mm
        {"0.1", 2120, 1120, "2.54"},
        {"0.3", 1150, 2150, "0.98425196850393701…"}, // 125/127 does not terminate
    });
}

TEST(ExactResult, WorkedExamples)
{
    expectExact({
        {"3", 2150, 1150, "0.9144"},
        {"3.6", 27120, 27110, "1"},                      // km/h to m/s: 1/3.6 as the fraction
        {"90", 29140, 29150, "1.5"},                     // min to h
        {"212", 28130, 28110, "100"},                    // ºF to ºC
        {"100", 28110, 28130, "212"},
        {"-40", 28130, 28110, "-40"},
        {"32", 28130, 28110, "0"},                       // never "-0"
        {"-0", 1150, 1130, "0"},
        {"70", 15180, 16140, "154.32358352941431…"},     // kg to lb.
        {"100", 28130, 28110, "37.777777777777778…"},    // ºF to ºC
        {"1", 6110, 6180, "0.000000001"},                // mm³ to m³: divide by 1e-09
        {"1", 6180, 6110, "1000000000"},                 // not 999999999.9999999
        {"1", 29220, 29130, "31557600000"},
        {"1", 29180, 29130, "2629800"},                  // month: 31557600 / 12
        {"1", 29130, 29180, "0.0000003802570537683474…"},
        {"1", 27130, 27110, "0.44704"},                  // mi/h: 1609.344 / 3600
        {"1", 110, 120, "0.03937007874015748…"},       // preset rows: mm to in.
        {"1e20", 2120, 1120, "2540000000000000000000"},
        {"1e-20", 1150, 1110, "0.00000000000001"},
        {"123456789012345678901234567890", 1150, 1150, "123456789012345678901234567890"},
        {"  +2.5e1xyz", 1150, 1130, "2500"},             // the same reading as today
        {"1e", 1150, 1130, "100"},
        {"abc", 1150, 1130, "0"},
    });
}

TEST(ExactResult, RoundsHalfToEvenAtTheSeventeenthDigit)
{
    // 41 significant digits: too many to show, so 17 rounded and the mark.
    expectExact({
        {"1.0000000000000000500000000000000000000001", 1150, 1150, "1.0000000000000001…"}, // above half: up
        {"1.0000000000000000499999999999999999999999", 1150, 1150, "1…"},                  // below half: down
        {"9.9999999999999999500000000000000000000001", 1150, 1150, "10…"},                 // the carry runs through
        {"-1.0000000000000000500000000000000000000001", 1150, 1150, "-1.0000000000000001…"},
        {"1", 29130, 29140, "0.016666666666666667…"},
        {"2", 29130, 29140, "0.033333333333333333…"},
    });
    // 40 significant digits are shown in full.
    expectExact({{"1.000000000000000050000000000000000000001", 1150, 1150, "1.000000000000000050000000000000000000001"}});
}

TEST(ExactResult, TodaysTextBeyondTheDoubleRange)
{
    for (const Case& c : std::initializer_list<Case>{
             {"1e999999999", 1150, 1130, ""},
             {"-1e999999999", 1150, 1130, ""},
             {"1e-400", 1150, 1130, ""},
             {"-1e-400", 2120, 1120, ""},
             {"0." + std::string(400, '0') + "1", 1150, 1130, ""},
             {"1" + std::string(400, '0'), 1150, 1130, ""},
             {"1e308", 1150, 1110, ""},                   // the double result overflows
             {"", 1150, 1130, ""},
             {"1e-300", 1110, 1190, ""},                   // 0 today; typed within range: exact, see below
         }) {
        SCOPED_TRACE(c.input.substr(0, 40));
        const Conversion today = Convert(c.input, c.from, c.to);
        const Conversion exact = ConvertExact(c.input, c.from, c.to);
        if (c.input == "1e-300") {
            EXPECT_NE(exact.result, today.result);
            continue;
        }
        EXPECT_EQ(exact.result, today.result);
        EXPECT_EQ(exact.title, today.title);
    }
}

TEST(ExactResult, LongInputsStayBounded)
{
    const std::string digits(100'000, '3');
    // A 100,000-digit number within the double range, and one beyond it.
    const Conversion within = ConvertExact("0." + digits, 2150, 1150);
    EXPECT_EQ(within.result, "0.1016…"); // 0.1016 less a tiny part
    const Conversion beyond = ConvertExact(digits, 2150, 1150);
    EXPECT_EQ(beyond.result, "inf");
    // Cancellation shows every digit: 32.000…08 ºF is a tiny positive ºC.
    const Conversion tiny = ConvertExact("32." + std::string(1000, '0') + "8", 28130, 28110);
    EXPECT_EQ(tiny.result, "0." + std::string(1000, '0') + "44444444444444444…");
    EXPECT_EQ(ConvertExact(std::string(5000, '0') + "3", 2150, 1150).result, "0.9144");
}

TEST(ExactResult, ResultNumberDropsTheMark)
{
    EXPECT_EQ(resultNumber("37.777777777777778…"), "37.777777777777778");
    EXPECT_EQ(resultNumber("0.9144"), "0.9144");
    EXPECT_EQ(resultNumber(""), "");
    EXPECT_EQ(resultNumber("…"), "");
}

TEST(ExactConstants, EachRoundedFractionRoundsToItsConstant)
{
    for (const exact::RoundedFraction& f : exact::kRoundedFractions) {
        SCOPED_TRACE(f.written);
        ASSERT_EQ(f.exact.power, 0);
        // An IEEE division of two integers is the correctly rounded fraction.
        EXPECT_EQ(static_cast<double>(f.exact.num) / static_cast<double>(f.exact.den), f.written);
        // And the table uses it.
        bool used = false;
        for (const UnitDefinition& d : allDefinitions()) {
            for (const Step& s : d.toBase)
                used = used || (s.kind != StepKind::Size && s.constant == f.written);
        }
        EXPECT_TRUE(used);
    }
}

TEST(ExactConstants, SizeRulesAgreeWithTheDoubleFormulas)
{
    // Half sizes are exact in binary, so both paths must show the same.
    int sizeRows = 0;
    for (const UnitDefinition& d : allDefinitions()) {
        const bool sized = !d.toBase.empty() && d.toBase.begin()->kind == StepKind::Size;
        if (!sized)
            continue;
        ++sizeRows;
        ASSERT_NE(exact::findSizeRule(d.code), nullptr) << d.code;
        const UnitCode metric = d.code - 10;
        for (int halves = -20; halves <= 200; ++halves) {
            const std::string x = std::to_string(halves / 2) + (halves % 2 != 0 ? ".5" : "");
            const std::string input = halves == -1 ? "-0.5" : x;
            SCOPED_TRACE(::testing::Message() << d.code << " " << input);
            EXPECT_EQ(ConvertExact(input, d.code, metric).result, Convert(input, d.code, metric).result);
            EXPECT_EQ(ConvertExact(input, metric, d.code).result, Convert(input, metric, d.code).result);
        }
    }
    EXPECT_EQ(sizeRows, static_cast<int>(std::size(exact::kSizeRules)));
}

} // namespace
} // namespace quantaro
