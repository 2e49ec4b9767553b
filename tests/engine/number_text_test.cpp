#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace quantaro {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ReadCase {
    const char* text;
    double number;
};

TEST(ReadNumber, LongestValidBeginningElseZero)
{
    const ReadCase cases[] = {
        {"5", 5},
        {" 2", 2},
        {"+5", 5},
        {"1,5", 1},
        {"1e3", 1000},
        {".5", 0.5},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"0x10", 0},
        {"inf", 0},
        {"nan", 0},
        {"1d3", 1},          // only e and E start an exponent
        {"1e", 1},           // an incomplete exponent is not part of the number
        {"+-5", 0},
        {"\t\n\v\f\r 7", 7},
        {"123456789012345678901234567890", 1.2345678901234568e29},
        {"1e999", kInf},
        {"1.7976931348623159e308", kInf},
        {"1e99999999999999999999", kInf},
        {"0.000000000000000000000000000001e330", 1e300},
        {"1e-400", 0},
    };
    for (const ReadCase& c : cases)
        EXPECT_EQ(readNumber(c.text), c.number) << '"' << c.text << '"';
}

TEST(ReadNumber, TooSmallKeepsItsSign)
{
    EXPECT_FALSE(std::signbit(readNumber("1e-400")));
    EXPECT_TRUE(std::signbit(readNumber("-1e-400")));
    EXPECT_TRUE(std::signbit(readNumber("-0")));
    EXPECT_TRUE(std::signbit(readNumber("-2e-324")));
}

struct FormCase {
    double value;
    const char* form;
};

TEST(NineteenDecimal, SeventeenDigitsThenZeros)
{
    const FormCase cases[] = {
        {2.54, "2.5400000000000000000"},
        {1609.344, "1609.3440000000001000000"},
        {0.1, "0.1000000000000000100"},
        {0.001, "0.0010000000000000000"},
        {0.005, "0.0050000000000000001"},
        {12.7, "12.6999999999999990000"},
        {9460530000000000, "9460530000000000.0000000000000000000"},
        {0, "0.0000000000000000000"},
        {1.057023232313623e-16, "0.0000000000000001057"},
        // below 0.001 the digits are rounded again at the nineteenth decimal
        {0.00012345678901234567, "0.0001234567890123457"},
        {0.00012999999999999999, "0.0001300000000000000"},
        {6e-20, "0.0000000000000000001"},
        {-6e-20, "-0.0000000000000000001"},
    };
    for (const FormCase& c : cases)
        EXPECT_EQ(nineteenDecimal(c.value), c.form) << c.value;
    EXPECT_EQ(nineteenDecimal(std::numeric_limits<double>::max()),
              "17976931348623157" + std::string(292, '0') + ".0000000000000000000");
}

TEST(NineteenDecimal, LongestFormFitsTheBuffer)
{
    char buffer[kNineteenDecimalCapacity];
    EXPECT_EQ(writeNineteenDecimal(-std::numeric_limits<double>::max(), buffer), kNineteenDecimalCapacity);
}

TEST(ResultText, TrailingZerosGoAndNeverMinusZero)
{
    const FormCase cases[] = {
        {12.7, "12.699999999999999"},
        {0.005, "0.0050000000000000001"},
        {-0.0, "0"},
        {-1e-25, "0"},
        {1e-20, "0"},
        {6e-20, "0.0000000000000000001"},
        {kInf, "inf"},
        {-kInf, "-inf"},
    };
    for (const FormCase& c : cases)
        EXPECT_EQ(resultText(c.value), c.form) << c.value;

    std::string appended = "x";
    appendResultText(2.5, appended);
    EXPECT_EQ(appended, "x2.5");
}

struct RoundCase {
    const char* text;
    const char* rounded;
};

TEST(FactorRounding, RoundingTable)
{
    const RoundCase cases[] = {
        {"2.5400000000000000000", "2.54"},
        {"2.5399999999999998000", "2.54"},
        {"0.0253999999999999990", "0.0254"},
        {"25.3999999999999990000", "25.4"},
        {"0.3048000000000000200", "0.3048"},
        {"0.4535923700000000200", "0.45359237"},
        {"33.7999999999999970000", "33.8"},
        {"17.2222222222222210000", "17.2"},
        {"0.3333333333333333100", "0.3"},
        {"0.6666666666666666300", "0.7"},
        {"0.5555555555555555800", "0.6"},
        {"9.9900000000000002000", "10"},
        {"99.9999999999999990000", "100"},
        {"0.9549999999999999600", "1"},
        {"0.1285550000000000000", "0.129"},
        {"0.9143999999999999900", "0.914"},
        {"1.2344000000000000000", "1.234"},
        {"0.1100000000000000000", "0.1"},
        {"1609.3440000000001000000", "1609.34"},
        {"0.0100000000000000000", "0.01"},
        // a stray digit after two zeros goes only where a digit other than 0 stands before them
        {"0.0010000000000000000", "0.001"},
        {"0.0000010000000000000", "0.000001"},
        {"0.0000000000000000000", "0"},
        {"100.0000000000000000000", "100"},
        {"9460530000000000.0000000000000000000", "9460530000000000"},
        {"6.2500000000000000000", "6.25"},
        {"39.3700787401574810000", "39.370078740157481"},
        {"3.2808398950131230000", "3.280839895013123"},
        {"0.6213711922373339500", "0.62137119223733395"},
        {"0.9999999999999998900", "0.99999999999999989"},
        {"0.0000000000000001057", "0.0000000000000001057"},
        // carries across the point
        {"19.9999999999999990000", "20"},
        {"99.9900000000000000000", "100"},
        {"1.0000000000000002000", "1"},
    };
    for (const RoundCase& c : cases)
        EXPECT_EQ(roundFactorText(c.text), c.rounded) << c.text;
}

TEST(FactorRounding, TextsOutsideTheFormDoNotFail)
{
    const RoundCase cases[] = {
        {"", ""},
        {".", ""},
        {"0", ""},
        {".9", ".9"},
        {"..", ""},
        {"5...", "5."}, // only the last point goes at the finish
        {"abc", "abc"},
        {"a.99", "a1"},
        {"x9.99", "x10"},
        {".00000000000000000099", ".000000000000000001"},
    };
    for (const RoundCase& c : cases)
        EXPECT_EQ(roundFactorText(c.text), c.rounded) << '"' << c.text << '"';

    // Never longer than its input, whatever the text.
    std::mt19937 random(12345);
    const std::string alphabet = "0123456789.9955-a";
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 40, ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        ASSERT_LE(roundFactorText(text).size(), text.size()) << text;
    }

    // A long run is cut in one pass per character, not by starting over.
    const std::string nines = "0." + std::string(200000, '9');
    EXPECT_EQ(roundFactorText(nines), "1");
}

} // namespace
} // namespace quantaro
