// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "engine/convert.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace quantaro {
namespace {

struct Case {
    const char* input;
    UnitCode from;
    UnitCode to;
    const char* result;
    const char* info;
};

void expectConversions(std::initializer_list<Case> cases, ResultForm form = ResultForm::SeventeenDigits)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << '"' << c.input << "\" " << c.from << " -> " << c.to);
        const Conversion conversion = Convert(c.input, c.from, c.to, form);
        EXPECT_EQ(conversion.result, c.result);
        EXPECT_EQ(conversion.title, std::string(c.result) + " - Velkor Quantaro");
        EXPECT_EQ(conversion.info, c.info);
    }
}

TEST(Convert, EmptyInputShowsOnlyTheProductName)
{
    for (UnitCode from : {120, 1000, kNoRow, 0, 28130, 23120}) {
        const Conversion c = Convert("", from, 110);
        EXPECT_EQ(c.result, "");
        EXPECT_EQ(c.title, "Velkor Quantaro");
        EXPECT_EQ(c.info, "");
    }
}

TEST(Convert, WorkedExamples)
{
    expectConversions({
        {"5", 120, 110, "127", "1 in. = 25.4 mm"},
        {"1.5", 1150, 1130, "150", "1 m = 100 cm"},
        {"5", 2120, 1130, "12.699999999999999", "1 in. = 2.54 cm"},
        {"-5", 2120, 1130, "-12.699999999999999", "1 in. = 2.54 cm"},
        {"1", 28130, 28110, "-17.222222222222221", "1 ºF = -17.2 ºC"},
        {"1", 28110, 28130, "33.799999999999997", "1 ºC = 33.8 ºF"},
        {"5", 1120, 1150, "0.0050000000000000001", "1 mm = 0.001 m"},
        {"2", 15180, 16140, "4.4092452436975513", "1 kg = 2.2046226218487757 lb."},
        {"1", 2160, 1150, "0.91439999999999999", "1 yd. = 0.914 m"},
        {"1", 2220, 1180, "1.6093440000000001", "1 mi. = 1.60934 km"},
        {"1", 12140, 6160, "3.7854099999999997", "1 gal. U.S. = 3.78541 l"},
        {"1", 2150, 2150, "0.99999999999999989", "1 ft. = 0.99999999999999989 ft."},
        {"1", 1180, 1190, "0.0000000000001057023", "1 km = 0.0000000000001057023 Lj"},
        {"1", 4110, 4170, "0.000000000001", "1 mm² = 0.000000000001 km²"},
        {"abc", 1150, 1130, "0", "1 m = 100 cm"},
        {" ", 1150, 1130, "0", "1 m = 100 cm"},
        {"1,5", 1150, 1130, "100", "1 m = 100 cm"},
    });
}

// The result field and the title in the shortest form; the info line is the same.
TEST(Convert, ShortestResult)
{
    expectConversions({
        {"5", 2120, 1130, "12.7", "1 in. = 2.54 cm"},
        {"1", 2150, 1150, "0.3048", "1 ft. = 0.3048 m"},
        {"1", 28130, 28110, "-17.22222222222222", "1 ºF = -17.2 ºC"},
        {"1", 2150, 2150, "0.9999999999999999", "1 ft. = 0.99999999999999989 ft."},
        {"1", 1180, 1190, "0.0000000000001057023", "1 km = 0.0000000000001057023 Lj"},
        {"-0.00000000000000000004", 1150, 1150, "0", "1 m = 1 m"},
        {"-1e999", 1150, 1130, "-inf", "1 m = 100 cm"},
        {"abc", 1150, 1130, "0", "1 m = 100 cm"},
    }, ResultForm::Shortest);
    Conversion out;
    Convert("", 2120, 1130, out, ResultForm::Shortest);
    EXPECT_EQ(out.title, "Velkor Quantaro");
}

TEST(Convert, InfinityAndNoNegativeZero)
{
    expectConversions({
        {"1e999", 1150, 1130, "inf", "1 m = 100 cm"},
        {"-1e999", 1150, 1130, "-inf", "1 m = 100 cm"},
        {"1e301", 29180, 29130, "inf", "1 month = 2629800 s"}, // the first step overflows
        {"-0", 1150, 1130, "0", "1 m = 100 cm"},
        {"-1e-400", 1150, 1130, "0", "1 m = 100 cm"},
        {"-1e-25", 1150, 1150, "0", "1 m = 1 m"},
        {"-0.00000000000000000006", 1150, 1150, "-0.0000000000000000001", "1 m = 1 m"},
    });
}

TEST(Convert, RowsWithoutDefinitionLeaveTheirSideUnchanged)
{
    expectConversions({
        {"5", 2120, 1000, "0.127", "1 in. = "},
        {"5", 2120, kNoRow, "0.127", "1 in. = "},
        {"2", 1000, 1130, "200", "100 cm"},
        {"7", kNoRow, kNoRow, "7", ""},
        {"7", 100, 20000, "7", ""},
        {"1", 28100, 28130, "33.799999999999997", "33.8 ºF"},
        {"1", 23100, 23120, "-27", "US/UK"},
        {"3", 14000, 6160, "3000", "1000 l"},
        {"3", 4140, 4140, "3", "1 m² = 1 m²"}, // a base unit still has its texts
    });
}

TEST(Convert, SizesShowNoNumber)
{
    expectConversions({
        {"10", 23120, 23110, "38", "Ladieswear US/UK to metric/German"},
        {"10", 23120, 23120, "10", "Ladieswear US/UK to US/UK"},
        {"42", 23190, 23200, "9", "Men's shoes metric/German to US/UK"},
        {"10", 23120, 23130, "38", "Ladieswear US/UK to metric/German"},
        {"2", 23120, 1150, "30", "Ladieswear US/UK to 1 m"},
    });
}

TEST(Convert, MendedRows)
{
    expectConversions({
        {"1", 11140, 6160, "35.239100000000001", "1 bu. U.S. = 35.2391 l"},
        {"1", 27130, 27130, "1", "1 mi/h = 1 mi/h"},
        {"1", 14110, 14110, "1", "1 min. U.S. = 1 min. U.S."},
        {"1", 5190, 4150, "40.468564224000005", "1 acre = 40.468564224 a"},
        {"1", 4150, 5190, "0.024710538146716532", "1 a = 0.024710538146716532 acre"},
        {"1", 1120, 1150, "0.001", "1 mm = 0.001 m"},
        {"1", 15150, 15180, "0.001", "1 g = 0.001 kg"},
    });
}

TEST(Convert, ReusedOutputHoldsNothingOfTheRunBefore)
{
    Conversion out;
    Convert("123456789.123456789", 1190, 1110, out);
    Convert("1", 1150, 1150, out);
    EXPECT_EQ(out.result, "1");
    EXPECT_EQ(out.title, "1 - Velkor Quantaro");
    EXPECT_EQ(out.info, "1 m = 1 m");
}

// The process's C locale (a window toolkit sets it from the environment)
// plays no part: "." stays the decimal separator.
TEST(Convert, IndependentOfTheLocale)
{
    const std::string before = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "no German locale installed";
    expectConversions({
        {"1.5", 1150, 1130, "150", "1 m = 100 cm"},
        {"5", 2120, 1130, "12.699999999999999", "1 in. = 2.54 cm"},
    });
    std::setlocale(LC_ALL, before.c_str());
}

// The German pass of ./test is worth its time only when the test programs
// really run in the locale that the environment names.
TEST(Convert, TestsRunInTheEnvironmentsLocale)
{
    const std::string now = std::setlocale(LC_ALL, nullptr);
    const char* fromEnvironment = std::setlocale(LC_ALL, "");
    ASSERT_NE(fromEnvironment, nullptr) << "the environment names a locale this machine does not have";
    EXPECT_EQ(now, fromEnvironment);
}

} // namespace
} // namespace quantaro
