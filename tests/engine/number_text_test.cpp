// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "engine/number_text.h"
#include "engine/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

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

// The 17 digits of the form are those std::to_chars rounds to, ties to even
// included, across the magnitudes a conversion meets and beyond them.
TEST(NineteenDecimal, DigitsAgreeWithTheStandardLibrary)
{
    std::vector<double> values;
    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> power(-6.0, 20.0);
    for (int i = 0; i < 100000; ++i)
        values.push_back(std::pow(10.0, power(random)));
    // Any bit pattern between 10^-6 and 10^18, and exact ties at the 17th
    // digit: odd multiples of 2^-18 from 0.1 to 1 have exactly 18 digits.
    std::uniform_int_distribution<std::uint64_t> bits(std::bit_cast<std::uint64_t>(1e-6),
                                                      std::bit_cast<std::uint64_t>(1e18));
    for (int i = 0; i < 100000; ++i)
        values.push_back(std::bit_cast<double>(bits(random)));
    for (std::uint64_t odd = 26215; odd < 262144; odd += 2)
        values.push_back(static_cast<double>(odd) / 262144.0);
    for (const double edge : {1e-5, 9.999999999999999e-6, 1e17, 99999999999999984.0, 0.99999999999999994,
                              9.9999999999999982, 123456.78901234567, 0.000099999999999999999})
        values.push_back(edge);

    for (const double value : values) {
        char scientific[32];
        const auto end = std::to_chars(scientific, scientific + sizeof scientific, value,
                                       std::chars_format::scientific, 16).ptr;
        const std::string digits = scientific[0] + std::string(scientific + 2, 16);
        int exponent = 0;
        std::from_chars(scientific + 20, end, exponent); // "d.dddddddddddddddde±xx"
        if (scientific[19] == '-')
            exponent = -exponent;
        const std::string form = nineteenDecimal(value);

        if (exponent >= -3) {
            // All 17 digits, then zeros; and the point where the exponent puts it.
            std::string plain = form;
            std::erase(plain, '.');
            const std::size_t first = plain.find_first_not_of('0');
            ASSERT_EQ(plain.substr(first, 17), digits) << value;
            ASSERT_EQ(plain.find_first_not_of('0', first + 17), std::string::npos) << value;
            const std::size_t point = form.find('.');
            ASSERT_EQ(static_cast<int>(point), exponent >= 0 ? exponent + 1 : 1) << value;
        } else {
            // Nineteen decimals cut the digits short: they round once more
            // there, a 5 rounding up.
            const int keep = 20 + exponent;
            std::string decimals = std::string(static_cast<std::size_t>(-exponent - 1), '0')
                + digits.substr(0, static_cast<std::size_t>(std::max(keep, 0)));
            if (keep >= 0 && digits[static_cast<std::size_t>(keep)] >= '5') {
                std::size_t i = decimals.size();
                while (decimals[i - 1] == '9')
                    decimals[--i] = '0';
                ++decimals[i - 1];
            }
            ASSERT_EQ(form, "0." + decimals) << value;
        }
    }
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

TEST(ShortestResultText, FewestDigitsInThePlainLayout)
{
    const FormCase cases[] = {
        {12.7, "12.7"},                                   // 5 in. to cm
        {0.3048, "0.3048"},                               // 1 ft. to m
        {1.0 / 3.0, "0.3333333333333333"},                // 16 digits are enough
        {0.1 + 0.2, "0.30000000000000004"},               // 17 are needed
        {-155.0 / 9.0, "-17.22222222222222"},             // 1 ºF to ºC
        {0.10000228881835938, "0.10000228881835938"},     // 26215 / 2^18 ends in a 5 at the 18th digit
        {127, "127"},
        {9007199254740994.0, "9007199254740994"},         // 2^53 + 2
        {1e23, "100000000000000000000000"},               // one digit, though "99999999999999990000000" is shorter
        {0.00012345678901234567, "0.0001234567890123457"},
        // below 0.001 the result text holds fewer than 17 digits: the same double as it, not the value
        {1.2345678901234567e-10, "0.000000000123456789"},
        {1e-19, "0.0000000000000000001"},
        {6e-20, "0.0000000000000000001"},
        {-6e-20, "-0.0000000000000000001"},
        {4e-20, "0"},
        {-1e-25, "0"},
        {5e-324, "0"},
        {-0.0, "0"},
        {kInf, "inf"},
        {-kInf, "-inf"},
    };
    for (const FormCase& c : cases)
        EXPECT_EQ(shortestResultText(c.value), c.form) << c.value;
    EXPECT_EQ(shortestResultText(1e300), "1" + std::string(300, '0'));
    char buffer[kNineteenDecimalCapacity];
    EXPECT_EQ(writeShortestResultText(-std::numeric_limits<double>::max(), buffer), 310u);
}

// A decimal text's significant digits: no sign, point, exponent, nor zeros at either end.
std::string significantDigitsOf(std::string_view text)
{
    std::string digits;
    for (const char c : text.substr(0, text.find('e')))
        if (c >= '0' && c <= '9')
            digits += c;
    digits.erase(0, digits.find_first_not_of('0'));
    digits.erase(digits.find_last_not_of('0') + 1);
    return digits;
}

bool hasPlainLayout(std::string_view text)
{
    if (text.starts_with('-'))
        text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const std::string_view integer = text.substr(0, point);
    const bool digitsOnly = std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
    return digitsOnly && !integer.empty() && (integer == "0" || integer[0] != '0')
           && (point == std::string_view::npos
               || (point + 1 < text.size() && text.find('.', point + 1) == std::string_view::npos && text.back() != '0'));
}

// For doubles of every class, the text reads back as the double the result
// text reads back as, and has the digits std::to_chars finds shortest for it.
TEST(ShortestResultText, ReadsBackAsTheResultTextWithTheShortestDigits)
{
    std::vector<double> values;
    std::mt19937_64 random(14);
    const auto anyBetween = [&](double low, double high, int count) {
        std::uniform_int_distribution<std::uint64_t> bits(std::bit_cast<std::uint64_t>(low), std::bit_cast<std::uint64_t>(high));
        for (int i = 0; i < count; ++i)
            values.push_back(std::bit_cast<double>(bits(random)));
    };
    anyBetween(5e-324, std::numeric_limits<double>::max(), 50000);   // anything
    anyBetween(1e-22, 1e-3, 20000);                                  // tiny: cut at the nineteenth decimal
    anyBetween(1e15, 1e25, 20000);                                   // huge: zeros before the point
    for (std::uint64_t n = 0; n < 2000; ++n) {                       // integers, and near 2^53
        values.push_back(static_cast<double>(n));
        values.push_back(static_cast<double>((std::uint64_t{1} << 53) - 1000 + n));
        values.push_back(static_cast<double>(random()));
    }
    for (std::uint64_t odd = 26215; odd < 262144; odd += 2)         // ties at the 17th digit
        values.push_back(static_cast<double>(odd) / 262144.0);
    for (int power = -25; power <= 308; ++power) {                   // powers of ten and their neighbours
        const double p = std::pow(10.0, power);
        for (const double v : {std::nextafter(p, 0.0), p, std::nextafter(p, kInf)})
            values.push_back(v);
    }
    for (const double edge : {0.0, std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
                              5e-20, 0.001, std::nextafter(0.001, 0.0), 0.1, 0.2, 0.3})
        values.push_back(edge);
    const std::size_t count = values.size();
    for (std::size_t i = 0; i < count; ++i)
        values.push_back(-values[i]);

    for (const double value : values) {
        double shown = 0;
        const std::string result = resultText(value);
        std::from_chars(result.data(), result.data() + result.size(), shown);
        const std::string text = shortestResultText(value);
        ASSERT_TRUE(hasPlainLayout(text)) << value << " gives " << text;
        if (shown == 0) {
            ASSERT_EQ(text, "0") << value;
            continue;
        }
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(shown)) << value << " gives " << text;
        char shortest[32];
        const char* end = std::to_chars(shortest, shortest + sizeof shortest, shown, std::chars_format::scientific).ptr;
        ASSERT_EQ(significantDigitsOf(text), significantDigitsOf({shortest, end})) << value << " gives " << text;
    }
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
