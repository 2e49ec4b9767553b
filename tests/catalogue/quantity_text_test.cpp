// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "catalogue/query.h"
#include "catalogue/quantity_text.h"
#include "catalogue/unit_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quantaro {
namespace {

int row(std::string_view name)
{
    const UnitLookup lookup = lookUpUnit(name);
    EXPECT_EQ(lookup.outcome, UnitLookup::Outcome::Found) << name;
    return lookup.index;
}

struct Term {
    const char* number;
    const char* unit;
};

// Quantities as people write them, read into terms; the amounts are the
// reader's ASCII form of what was typed.
TEST(QuantityText, TermsAsTyped)
{
    const struct {
        const char* text;
        std::vector<Term> terms;
        const char* to;
    } cases[] = {
        {"5'11\" to cm", {{"5", "ft"}, {"11", "in"}}, "cm"},
        {"5\u203211\u2033 in cm", {{"5", "ft"}, {"11", "in"}}, "cm"},
        {"5\u201911\u201D to cm", {{"5", "ft"}, {"11", "in"}}, "cm"},
        {"5'11'' to cm", {{"5", "ft"}, {"11", "in"}}, "cm"},
        {"5 ft 11 in to cm", {{"5", "ft"}, {"11", "in"}}, "cm"},
        {"5 ft 11 in in cm", {{"5", "ft"}, {"11", "in"}}, "cm"},
        {"5 feet 3 inches in metres", {{"5", "ft"}, {"3", "in"}}, "m"},
        {"6 foot 1 in inches", {{"6", "ft"}, {"1", "in"}}, "in"},
        {"5 foot 6 to cm", {{"5", "ft"}, {"6", "in"}}, "cm"},
        {"5 foot 6", {{"5", "ft"}, {"6", "in"}}, "cm"},
        {"4'8 3/8\" in in", {{"4", "ft"}, {"8+3/8", "in"}}, "in"},
        {"1/4\" to cm", {{"1/4", "in"}}, "cm"},
        {"1 1/2 in to mm", {{"1+1/2", "in"}}, "mm"},
        {"1\u00BD in to mm", {{"1+1/2", "in"}}, "mm"},
        {"1 \u215C in to mm", {{"1+3/8", "in"}}, "mm"},
        {"\u00BE in to mm", {{"3/4", "in"}}, "mm"},
        {"11 st 4 lb in kg", {{"11", "st"}, {"4", "lb"}}, "kg"},
        {"1 lb 3 oz to g", {{"1", "lb"}, {"3", "oz"}}, "g"},
        {"1 h 30 min in min", {{"1", "h"}, {"30", "min"}}, "min"},
        {"2 d 3 h to h", {{"2", "d"}, {"3", "h"}}, "h"},
        {"5 ft + 3 in to cm", {{"5", "ft"}, {"3", "in"}}, "cm"},
        {"5ft+3in to cm", {{"5", "ft"}, {"3", "in"}}, "cm"},
        {"10 mm + 0.5 in to mm", {{"10", "mm"}, {"0.5", "in"}}, "mm"},
        {"1 h - 5 min to min", {{"1", "h"}, {"-5", "min"}}, "min"},
        {"3 in + 5 ft to cm", {{"3", "in"}, {"5", "ft"}}, "cm"},
        {"-5 ft 6 in to cm", {{"-5", "ft"}, {"-6", "in"}}, "cm"},
        {"5 ft 6 in - 1 1/2 in to in", {{"5", "ft"}, {"6", "in"}, {"-(1+1/2)", "in"}}, "in"},
        {"6/3 m to cm", {{"6/3", "m"}}, "cm"},
        {"6 / 3 m to cm", {{"6/3", "m"}}, "cm"},
        {"1920*1080*3 bytes in MB", {{"1920*1080*3", "byte"}}, "MB"},
        {"2 \u00D7 3 \u00F7 4 m to cm", {{"2*3/4", "m"}}, "cm"},
        {"(2+3)*4 in to cm", {{"(2+3)*4", "in"}}, "cm"},
        {"( 2 - 3 ) m to cm", {{"2-3", "m"}}, "cm"},
        {"convert 1 1/2 in to mm?", {{"1+1/2", "in"}}, "mm"},
        {"how many inches in 5 ft 11 in", {{"5", "ft"}, {"11", "in"}}, "in"},
        {"1,500,000.5 m + 1 km to km", {{"1500000.5", "m"}, {"1", "km"}}, "km"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QueryReading r = readQuery(c.text);
        ASSERT_EQ(r.outcome, QueryOutcome::Conversion) << r.message;
        std::vector<RequestTerm> expected;
        for (const Term& t : c.terms)
            expected.push_back({t.number, row(t.unit)});
        EXPECT_EQ(r.conversion.request.terms, expected);
        EXPECT_EQ(r.conversion.request.number, "");
        EXPECT_EQ(r.conversion.request.fromIndex, expected.front().index);
        EXPECT_EQ(r.conversion.request.toIndex, row(c.to));
        EXPECT_TRUE(r.isQuery);
        EXPECT_EQ(queryConversions(c.text).front(), r.conversion);
    }
}

// One plain number in one unit stays a plain conversion, so that every
// front end opens it as a number in the input field.
TEST(QuantityText, OnePlainNumberStaysPlain)
{
    const QueryContext comma{MeasureSystem::British, true};
    const struct {
        const char* text;
        bool decimalComma;
        const char* number;
        const char* from;
        const char* to;
    } cases[] = {
        {"5' to cm", false, "5", "ft", "cm"},
        {"5'", false, "5", "ft", "m"},
        {"12\" in cm", false, "12", "in", "cm"},
        {"1,500 m to km", false, "1500", "m", "km"},
        {"1,234,567 g to lb", false, "1234567", "g", "lb"},
        {"1,500.25 m in ft", false, "1500.25", "m", "ft"},
        {"1,5 km to mi", true, "1.5", "km", "mi"},
        {"1,500 m", true, "1.500", "m", "ft"},
        {"0,25 l to ml", true, "0.25", "l", "ml"},
        {"2.5 kg in lb", true, "2.5", "kg", "lb"},
        {"5 in to cm", false, "5", "in", "cm"},
        {"-40 \u00B0C in \u00B0F", false, "-40", "\u00B0C", "\u00B0F"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QueryReading r = readQuery(c.text, c.decimalComma ? comma : QueryContext{});
        ASSERT_EQ(r.outcome, QueryOutcome::Conversion) << r.message;
        EXPECT_EQ(r.conversion.request.number, c.number);
        EXPECT_TRUE(r.conversion.request.terms.empty());
        EXPECT_EQ(r.conversion.request.fromIndex, row(c.from));
        EXPECT_EQ(r.conversion.request.toIndex, row(c.to));
    }
}

// What cannot be read or added gets its reason, at once, whatever the size.
TEST(QuantityText, Refusals)
{
    const QueryContext comma{MeasureSystem::British, true};
    std::string thousandTerms = "1 in";
    for (int i = 1; i < 1000; ++i)
        thousandTerms += " + 1 in";
    std::string longFraction = "1/" + std::string(100000, '7') + " in to cm";
    std::string nested = std::string(40, '(') + "1" + std::string(40, ')') + " in to cm";
    const struct {
        std::string text;
        bool decimalComma;
        const char* message;
    } cases[] = {
        {"5 ft 11 kg", false, "cannot add kilogramme (a mass) to foot (a length)"},
        {"5 ft + 3 kg to g", false, "cannot add kilogramme (a mass) to foot (a length)"},
        {"10 \u00B0C + 5 \u00B0C to \u00B0F", false,
         "temperatures do not add: a sum of temperatures is no temperature; convert each on its own"},
        {"1/0 in to cm", false, "\"1/0\" divides by zero"},
        {"3/(2-2) in to cm", false, "\"3/(2-2)\" divides by zero"},
        {"1 0/0 in to cm", false, "\"0/0\" divides by zero"},
        {"1e400 ft 2 in to cm", false, "\"1e400\" lies beyond the range of numbers that convert"},
        {"1e-400 ft 2 in to cm", false, "\"1e-400\" lies beyond the range of numbers that convert"},
        {"1e300*1e300 m to km", false, "the amount lies beyond the range of numbers that convert"},
        {"1e-300/1e300 m to km", false, "the amount lies beyond the range of numbers that convert"},
        {"5'11\"'", false, "\"5'11\"'\": a mark without a number before it"},
        {"5 in 3 ft to cm", false, "foot follows inch: write the largest unit first (5 ft 11 in), or put a + between the terms"},
        {"5 ft 11 in 3", false, "no unit after \"3\" (only after feet is a bare number read, as inches)"},
        {"1/2", false, "no unit after \"1/2\""},
        {"5 ft +", false, "no number after \"+\""},
        {"2 * m to cm", false, "no number after \"*\""},
        {"(2+3 in to cm", false, "a parenthesis is not closed"},
        {"1 ft 2 zorps 3 in", false, "no unit matches \"zorps\""},
        {"1,5 km to mi", false,
         "\"1,5\": a comma is read only between groups of three digits (1,500); write a decimal point as \".\" (1.5)"},
        {"1,50 m", false,
         "\"1,50\": a comma is read only between groups of three digits (1,500); write a decimal point as \".\" (1.5)"},
        {"1,5000 m", false,
         "\"1,5000\": a comma is read only between groups of three digits (1,500); write a decimal point as \".\" (1.5)"},
        {"1234,567 m", false,
         "\"1234,567\": a comma is read only between groups of three digits (1,500); write a decimal point as \".\" (1.5)"},
        {"1,500.5,5 m", false,
         "\"1,500.5,5\": a comma is read only between groups of three digits (1,500); write a decimal point as \".\" (1.5)"},
        {"5, 3", false,
         "\"5,\": a comma is read only between groups of three digits (1,500); write a decimal point as \".\" (1.5)"},
        {"1,5,3 m", true, "\"1,5,3\": a comma stands only for the decimal point, once, between digits (1,5)"},
        {"1.500,5 m", true, "\"1.500,5\": a comma stands only for the decimal point, once, between digits (1,5)"},
        {thousandTerms + " to cm", false, "too long to read as a quantity"},
        {longFraction, false, "too long to read as a quantity"},
        {nested, false, "too many parentheses inside one another"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 80));
        const QueryReading r = readQuery(c.text, c.decimalComma ? comma : QueryContext{});
        EXPECT_EQ(r.outcome, QueryOutcome::BadQuantity);
        EXPECT_EQ(r.message, c.message);
        EXPECT_TRUE(r.isQuery);
        EXPECT_TRUE(queryConversions(c.text, c.decimalComma ? comma : QueryContext{}).empty());
    }
}

TEST(QuantityText, DecimalCommaByLocale)
{
    const struct {
        const char* numeric;
        const char* all;
        const char* lang;
        bool comma;
    } cases[] = {
        {"de_DE.UTF-8", "", "", true},
        {"", "", "de_AT.UTF-8", true},
        {"", "fr_FR.UTF-8", "en_US.UTF-8", true},
        {"", "", "pt_BR.UTF-8", true},
        {"", "", "ru_RU.UTF-8", true},
        {"", "", "nb_NO.UTF-8", true},
        {"", "", "en_US.UTF-8", false},
        {"", "", "en_GB.UTF-8", false},
        {"de_CH.UTF-8", "", "", false},
        {"", "", "es_MX.UTF-8", false},
        {"C", "de_DE.UTF-8", "", false}, // LC_NUMERIC first
        {"en_US.UTF-8", "", "de_DE.UTF-8", false},
        {"", "", "", false},
        {"", "", "C.UTF-8", false},
        {"", "", "de", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decimalCommaForLocale(c.numeric, c.all, c.lang), c.comma)
            << c.numeric << '|' << c.all << '|' << c.lang;
}

} // namespace
} // namespace quantaro
