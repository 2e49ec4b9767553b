// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// readNumber on any bytes: it reads only the text it is given, and its value is
// the correctly rounded reading of the longest valid beginning, found here by
// an independent scan.

#include "engine/number_text.h"
#include "fuzz_support.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace {

using quantaro::fuzz::check;
using quantaro::fuzz::isDigit;
using quantaro::fuzz::shown;

bool isBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}

// What the longest beginning of [blanks][sign]digits[.digits][(e|E)[sign]digits]
// reads as: the nearest double, infinity beyond the range, 0 below it, and 0
// when no beginning has the form.
double expectedNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t mantissaBegin = i;

    // Digits of the mantissa, and the decimal magnitude of its first non-zero
    // digit (1 for the units place, 0 for the tenths, -1 for the hundredths).
    std::size_t digits = 0;
    bool nonZeroSeen = false;
    long long magnitude = 0;
    long long integerDigitsAfterFirstNonZero = 0;
    while (i < text.size() && isDigit(text[i])) {
        nonZeroSeen = nonZeroSeen || text[i] != '0';
        if (nonZeroSeen)
            ++integerDigitsAfterFirstNonZero;
        ++digits;
        ++i;
    }
    magnitude = integerDigitsAfterFirstNonZero;
    if (i < text.size() && text[i] == '.') {
        ++i;
        long long zerosAfterPoint = 0;
        while (i < text.size() && isDigit(text[i])) {
            if (!nonZeroSeen && text[i] == '0')
                ++zerosAfterPoint;
            else if (!nonZeroSeen)
                magnitude = -zerosAfterPoint;
            nonZeroSeen = nonZeroSeen || text[i] != '0';
            ++digits;
            ++i;
        }
    }
    if (digits == 0)
        return 0;
    std::size_t end = i;

    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            exponentNegative = text[j] == '-';
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) {
                if (exponent < 1'000'000'000)
                    exponent = exponent * 10 + (text[j] - '0');
                ++j;
            }
            if (exponentNegative)
                exponent = -exponent;
            end = j;
        }
    }

    // std::from_chars takes no "+", so the sign is put back by hand.
    const char* first = text.data() + mantissaBegin;
    const char* last = text.data() + end;
    double value = 0;
    const auto [stop, ec] = std::from_chars(first, last, value);
    check(stop == last, "reference scan disagrees with from_chars", shown(text));
    if (ec == std::errc::result_out_of_range) {
        check(nonZeroSeen, "from_chars called zero out of range", shown(text));
        value = magnitude + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else {
        check(ec == std::errc(), "from_chars refused a valid number", shown(text));
    }
    return negative ? -value : value;
}

bool sameNumber(double a, double b)
{
    // Either zero is accepted for a reading of "-0" or of an underflow.
    return a == b;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    quantaro::fuzz::useCommaLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The fuzzer's buffer ends exactly where the text does, so the address
    // sanitizer stops any read past it.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double expected = expectedNumber(text);
    const double read = quantaro::readNumber(text);
    check(sameNumber(read, expected), "readNumber",
          shown(text) + " reads " + shown(read) + ", expected " + shown(expected));

    // The same text followed by more digits in memory: only the view counts.
    std::string longer(text);
    longer += "95e5";
    const double readInLonger = quantaro::readNumber(std::string_view(longer.data(), size));
    check(sameNumber(readInLonger, expected), "readNumber looked past the end of its text",
          shown(text) + " reads " + shown(readInLonger) + ", expected " + shown(expected));
    return 0;
}
