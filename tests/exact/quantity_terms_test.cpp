// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "catalogue/catalogue.h"
#include "catalogue/query.h"
#include "engine/number_text.h"
#include "exact/conversion.h"
#include "exact/one_number.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quantaro {
namespace {

// A query's reading as the one request every front end holds, in a form.
ConversionRequest ask(std::string_view text, ResultForm form, int fraction = 0, QueryContext context = {})
{
    const QueryReading reading = readQuery(text, context);
    EXPECT_EQ(reading.outcome, QueryOutcome::Conversion) << text << ": " << reading.message;
    ConversionRequest request = reading.conversion.request;
    request.form = form;
    request.fraction = fraction;
    return request;
}

std::string result(std::string_view text, ResultForm form, int fraction = 0, QueryContext context = {})
{
    return Convert(ask(text, form, fraction, context)).result;
}

// One request from a query, through the one entry point in every form. By
// hand: 3 ft = 3 × 0.3048 m = 0.9144 m, whose double product is
// 0.91440000000000010…; 170 cm = 17000/3048 ft = 2125/381 ft =
// 5.57742782152230971… ft, 5 ft 6.929… in, 5 ft 110.87/16 in, while the
// double steps of the unit table, 170 × 0.01 = 1.7 and 1.7 ×
// 3.280839895013123, give 5.577427821522309; 5'11" = 71/12 ft =
// 5.91666…, nearest double 5.91666666666666696…
TEST(ConversionRequest, OneRequestInEveryForm)
{
    const struct {
        const char* query;
        ResultForm form;
        int fraction;
        const char* result;
    } cases[] = {
        // clang-format off
        {"3 ft to m",      ResultForm::SeventeenDigits, 0,  "0.9144000000000001"},
        {"3 ft to m",      ResultForm::Shortest,        0,  "0.9144000000000001"},
        {"3 ft to m",      ResultForm::Exact,           0,  "0.9144"},
        {"3 ft to m",      ResultForm::Mixed,           0,  "0.9144000000000001"}, // no family: Shortest
        {"170 cm to ft",   ResultForm::SeventeenDigits, 0,  "5.577427821522309"},
        {"170 cm to ft",   ResultForm::Shortest,        0,  "5.577427821522309"},
        {"170 cm to ft",   ResultForm::Exact,           0,  "5.5774278215223097\u2026"},
        {"170 cm to ft",   ResultForm::Mixed,           0,  "5 ft 6.93 in"},
        {"170 cm to ft",   ResultForm::Mixed,           16, "5 ft 6 15/16 in"},
        {"5'11\" to ft",   ResultForm::SeventeenDigits, 0,  "5.916666666666667"},
        {"5'11\" to ft",   ResultForm::Shortest,        0,  "5.916666666666667"},
        {"5'11\" to ft",   ResultForm::Exact,           0,  "5.9166666666666667\u2026"},
        {"5'11\" to ft",   ResultForm::Mixed,           0,  "5 ft 11 in"},
        {"5'11\" to cm",   ResultForm::Mixed,           0,  "180.34"},             // no family: Shortest
        // clang-format on
    };
    for (const auto& c : cases) {
        const Conversion conversion = Convert(ask(c.query, c.form, c.fraction));
        EXPECT_EQ(conversion.result, c.result) << c.query << " in form " << static_cast<int>(c.form);
        EXPECT_EQ(conversion.title, std::string(c.result) + " - Velkor Quantaro") << c.query;
    }
}

// Worked out by hand from the unit table: 1 ft = 12 in, 1 in = 2.54 cm,
// 1 st = 6350.29 g, 1 lb = 453.59237 g, 1 oz = 28.3495 g, 1 MB = 2^20 bytes.
TEST(QuantityTerms, ExactValuesWorkedOutByHand)
{
    const struct {
        const char* text;
        const char* exact;
    } cases[] = {
        {"5'11\" to cm", "180.34"},          // 71 in
        {"5\u203211\u2033 to in", "71"},
        {"5 ft 11 in in cm", "180.34"},
        {"5 feet 3 inches in metres", "1.6002"}, // 63 in
        {"6 foot 1 in inches", "73"},
        {"5 foot 6 to in", "66"},
        {"4'8 3/8\" in in", "56.375"},
        {"1/4\" to cm", "0.635"},
        {"1 1/2 in to mm", "38.1"},
        {"1\u00BD in to mm", "38.1"},
        {"\u215B in to mm", "3.175"},
        {"11 st 4 lb in kg", "71.66755948"}, // 11 × 6350.29 g + 4 × 453.59237 g
        {"11 st 4 lb to g", "71667.55948"},
        {"1 lb 3 oz to g", "538.64087"},     // 453.59237 g + 3 × 28.3495 g
        {"1 h 30 min in min", "90"},
        {"2 d 3 h to h", "51"},
        {"5 ft + 3 in to in", "63"},
        {"10 mm + 0.5 in to mm", "22.7"},
        {"1 h - 5 min to min", "55"},
        {"-5 ft 6 in to in", "-66"},
        {"6/3 m to cm", "200"},
        {"(2+3)*4 in to cm", "50.8"},
        {"1920*1080*3 bytes in MB", "5.9326171875"}, // 6220800 / 1048576
        {"1/3 ft to in", "4"},
        {"1 1/3 ft + 2/3 ft to in", "24"},
        {"1/3 in to in", "0.33333333333333333\u2026"},
        {"(20-5) \u00B0C to \u00B0F", "59"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(result(c.text, ResultForm::Exact), c.exact) << c.text;
}

// The double forms write the double nearest to the exact sum: the same
// number as the plain text of the exact value reads as.
TEST(QuantityTerms, DoubleFormsAreTheNearestDouble)
{
    const struct {
        const char* text;
        const char* exact; // the value, read as a double for the expected text
    } cases[] = {
        {"5'11\" to cm", "180.34"},
        {"10 mm + 0.5 in to mm", "22.7"},
        {"1/3 in to in", "0.333333333333333333333333333333333333"},
        {"1 1/2 in to mm", "38.1"},
        {"1920*1080*3 bytes in MB", "5.9326171875"},
        {"11 st 4 lb in kg", "71.66755948"},
        {"0.1 m + 0.2 m to m", "0.3"},
    };
    char shortest[kNineteenDecimalCapacity];
    char seventeen[kNineteenDecimalCapacity];
    for (const auto& c : cases) {
        const double value = readNumber(c.exact);
        EXPECT_EQ(result(c.text, ResultForm::Shortest),
                  std::string(shortest, writeShortestResultText(value, shortest)))
            << c.text;
        EXPECT_EQ(result(c.text, ResultForm::SeventeenDigits),
                  std::string(seventeen, writeResultText(value, seventeen)))
            << c.text;
    }
}

TEST(QuantityTerms, MixedFormAndTheWholeConversion)
{
    EXPECT_EQ(result("5'11\" to ft", ResultForm::Mixed), "5 ft 11 in");
    EXPECT_EQ(result("170 cm + 1/16 in to ft", ResultForm::Mixed, 16), "5 ft 7 in");
    EXPECT_EQ(result("1 h 29 min + 60 s to h", ResultForm::Mixed), "1 h 30 min 0 s");
    // A To row outside every family: the Shortest form.
    EXPECT_EQ(result("5'11\" to cm", ResultForm::Mixed), "180.34");

    const ConversionRequest request = ask("5 ft 11 in to cm", ResultForm::Exact);
    const Conversion c = Convert(request);
    EXPECT_EQ(c.result, "180.34");
    EXPECT_EQ(c.title, "180.34 - Velkor Quantaro");
    EXPECT_EQ(c.info, Convert(ConversionRequest{request.terms.front().index, request.toIndex, "1"}).info); // of the foot
    std::string out = "x";
    std::vector<Term> terms;
    AppendResult(viewOf(request, terms), out);
    EXPECT_EQ(out, "x180.34");
}

TEST(QuantityTerms, DecimalCommaAndGrouping)
{
    const QueryContext comma{MeasureSystem::British, true};
    EXPECT_EQ(result("1,5 km to m", ResultForm::Exact, 0, comma), "1500");
    EXPECT_EQ(result("1,500 m to km", ResultForm::Exact), "1.5");
    EXPECT_EQ(result("1,5 km + 500 m to m", ResultForm::Exact, 0, comma), "2000");
    EXPECT_EQ(result("1,000,000 mm + 1 m to m", ResultForm::Exact), "1001");
}

// Amounts that have no value, as only the exact part can tell.
TEST(QuantityTerms, AmountsWithoutAValue)
{
    const UnitCode metre = catalogueRows()[static_cast<std::size_t>(readQuery("1 m to cm").conversion.request.fromIndex)].code;
    const UnitCode cm = catalogueRows()[static_cast<std::size_t>(readQuery("1 m to cm").conversion.request.toIndex)].code;
    for (const std::string_view bad : {"1/(0.5-0.5)", "", "1+", "(1", "1)", "abc", "1e999999", "1/"}) {
        const Term terms[] = {{bad, metre}};
        EXPECT_EQ(Convert(RequestView{{"", metre}, cm, ResultForm::Exact, 0, terms}).result, "nan") << bad;
    }
    const std::string deep = std::string(200, '(') + "1" + std::string(200, ')');
    const Term deepTerm[] = {{deep, metre}};
    EXPECT_EQ(Convert(RequestView{{"", metre}, cm, ResultForm::Shortest, 0, deepTerm}).result, "nan");
    // Beyond the double range the double's text stands, as for a typed number.
    const Term huge[] = {{"1e300*1e300", metre}};
    EXPECT_EQ(Convert(RequestView{{"", metre}, cm, ResultForm::Exact, 0, huge}).result, "inf");
}

} // namespace
} // namespace quantaro

namespace quantaro {
namespace {

// For the front ends that hold one number: the window's input field and a
// search answer's identifier.
TEST(QuantityTerms, OneNumberInOneOfItsUnits)
{
    const struct {
        const char* text;
        const char* number;
        const char* from;
    } cases[] = {
        {"5'11\" to cm", "71", "in"},
        {"1 h 30 min in s", "90", "min"},
        {"5 ft + 3 in to m", "63", "in"},
        {"10 mm + 0.5 in to cm", "22.7", "mm"},
        {"1 1/2 in to mm", "1.5", "in"},
        {"1/3 ft to in", "4", "in"},        // 1/3 ft is no decimal; in the To unit it is
        {"11 st 4 lb in kg", "71.66755948", "kg"},
        {"1,500 m to km", "1500", "m"},     // a plain one stays as it is
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ConversionRequest conversion = readQuery(c.text).conversion.request;
        const int to = conversion.toIndex;
        ASSERT_TRUE(makeOneNumber(conversion));
        EXPECT_TRUE(conversion.terms.empty());
        EXPECT_EQ(conversion.number, c.number);
        EXPECT_EQ(conversion.fromIndex, lookUpUnit(c.from).index);
        EXPECT_EQ(conversion.toIndex, to);
    }
    // In no unit a decimal: a third of an inch in feet and centimetres.
    ConversionRequest third = readQuery("1/3 in to ft").conversion.request;
    EXPECT_FALSE(makeOneNumber(third));
    EXPECT_EQ(third.terms.size(), 1u);
}

} // namespace
} // namespace quantaro
