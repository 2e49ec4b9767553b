// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "run_program.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace quantaro::test {
namespace {

// The program reads a comma by the locale's numbers: LC_NUMERIC first.
class NumericLocale {
public:
    explicit NumericLocale(const char* locale)
    {
        if (const char* old = std::getenv("LC_NUMERIC"))
            old_ = old;
        setenv("LC_NUMERIC", locale, 1);
    }
    ~NumericLocale()
    {
        if (old_)
            setenv("LC_NUMERIC", old_->c_str(), 1);
        else
            unsetenv("LC_NUMERIC");
    }

private:
    std::optional<std::string> old_;
};

// Values worked out by hand from the unit table (1 ft = 12 in = 30.48 cm,
// 1 st = 6350.29 g, 1 lb = 453.59237 g, 1 MB = 1048576 bytes).
TEST(Quantities, FractionsFeetAndInchesAndSums)
{
    const struct {
        std::vector<std::string> arguments;
        const char* locale;
        std::string out;
    } cases[] = {
        {{"5'11\" to cm"}, "C", "180.34\n"},
        {{"5 ft 11 in to cm"}, "C", "180.34\n"},
        {{"5", "ft", "11", "in", "to", "cm"}, "C", "180.34\n"},
        {{"--exact", "5 feet 3 inches in metres"}, "C", "1.6002\n"},
        {{"--exact", "6 foot 1 in inches"}, "C", "73\n"},
        {{"--exact", "4'8 3/8\" in in"}, "C", "56.375\n"},
        {{"--exact", "1/4\" to cm"}, "C", "0.635\n"},
        {{"1 1/2 in to mm"}, "C", "38.100000000000001\n"},
        {{"--shortest", "1 1/2 in to mm"}, "C", "38.1\n"},
        {{"--shortest", "1½ in to mm"}, "C", "38.1\n"},
        {{"--exact", "11 st 4 lb in kg"}, "C", "71.66755948\n"},
        {{"--exact", "1 h 30 min in min"}, "C", "90\n"},
        {{"--exact", "2 d 3 h to h"}, "C", "51\n"},
        {{"--exact", "10 mm + 0.5 in to mm"}, "C", "22.7\n"},
        {{"--exact", "1 h - 5 min to min"}, "C", "55\n"},
        {{"--exact", "6/3 m to cm"}, "C", "200\n"},
        {{"--exact", "(2+3)*4 in to cm"}, "C", "50.8\n"},
        {{"1920*1080*3 bytes in MB"}, "C", "5.9326171875\n"},
        {{"--mixed", "170 cm + 1 in to ft"}, "C", "5 ft 7.93 in\n"},
        {{"--mixed", "--fraction", "16", "5 ft 6 15/16 in to in"}, "C", "5 ft 6 15/16 in\n"},
        {{"1,500 m to km"}, "en_US.UTF-8", "1.5\n"},
        {{"1,5 km to m"}, "de_DE.UTF-8", "1500\n"},
        {{"--info", "1 h 30 min in min"}, "C", "90\t1 h = 60 min\n"},
        {{"--json", "5 ft 11 in to cm"}, "C",
         R"({"input":"5 ft 11 in to cm","from":34,"to":21,"result":"180.34","title":"180.34 - Velkor Quantaro","info":"1 ft. = 30.48 cm"})"
         "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.back());
        NumericLocale locale(c.locale);
        const RunResult r = runConvert(c.arguments, RunOptions{});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
    }
}

TEST(Quantities, WhatDoesNotAddUpIsAUsageErrorWithItsReason)
{
    const struct {
        std::string argument;
        const char* locale;
        std::string err;
    } cases[] = {
        {"5 ft 11 kg", "C", "cannot add kilogramme (a mass) to foot (a length)"},
        {"10 °C + 5 °C to °F", "C",
         "temperatures do not add: a sum of temperatures is no temperature; convert each on its own"},
        {"1/0 in", "C", "\"1/0\" divides by zero"},
        {"1e400 ft 2 in", "C", "\"1e400\" lies beyond the range of numbers that convert"},
        {"5'11\"'", "C", "\"5'11\"'\": a mark without a number before it"},
        {"1,5 km to mi", "en_US.UTF-8",
         "\"1,5\": a comma is read only between groups of three digits (1,500); write a decimal point as \".\" (1.5)"},
        {"1,5,0 km to mi", "de_DE.UTF-8",
         "\"1,5,0\": a comma stands only for the decimal point, once, between digits (1,5)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        NumericLocale locale(c.locale);
        const RunResult r = runConvert({c.argument}, RunOptions{});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "quantaro-convert: " + c.err + "\n");
    }
}

} // namespace
} // namespace quantaro::test
