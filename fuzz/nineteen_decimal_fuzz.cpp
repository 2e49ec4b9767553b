// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The nineteen-decimal form of any double and the result text built from it.
// The form has the layout the result field relies on (optional "-", integer
// digits without leading zeros, ".", nineteen decimals) and its digits are the
// double's first 17 significant digits, rounded to nearest, then zeros.

#include "engine/number_text.h"
#include "engine/test_support.h"
#include "fuzz_support.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using quantaro::fuzz::check;
using quantaro::fuzz::isDigit;
using quantaro::fuzz::shown;

constexpr std::size_t kDecimals = 19;

bool hasLayout(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-')
        ++i;
    const std::size_t integerBegin = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    const std::size_t integerDigits = i - integerBegin;
    if (integerDigits == 0 || (integerDigits > 1 && text[integerBegin] == '0'))
        return false;
    if (i == text.size() || text[i] != '.')
        return false;
    ++i;
    if (text.size() - i != kDecimals)
        return false;
    for (; i < text.size(); ++i)
        if (!isDigit(text[i]))
            return false;
    return true;
}

struct Scientific {
    std::string digits; // the 17 significant digits
    int exponent = 0;   // of the first of them
};

Scientific seventeenDigits(double value)
{
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 16);
    check(ec == std::errc(), "to_chars");
    // buffer holds d.dddddddddddddddde±XX
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    Scientific out;
    out.digits += text[0];
    out.digits += text.substr(2, 16);
    const std::string_view exponentText = text.substr(text.find('e') + 1);
    std::from_chars(exponentText.data() + (exponentText[0] == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), out.exponent);
    if (value == 0)
        out.exponent = 0;
    return out;
}

// The integer digits and nineteen decimals of a number given by its
// significant digits, rounding half up at the nineteenth decimal.
std::string fixedFromDigits(const Scientific& number)
{
    const int top = number.exponent > 0 ? number.exponent : 0;
    std::string fixed; // the digits for 10^top down to 10^-19
    for (int place = top; place >= -static_cast<int>(kDecimals); --place) {
        const int k = number.exponent - place;
        fixed += k >= 0 && k < static_cast<int>(number.digits.size()) ? number.digits[static_cast<std::size_t>(k)] : '0';
    }
    const int firstDropped = number.exponent + static_cast<int>(kDecimals) + 1;
    if (firstDropped >= 0 && firstDropped < static_cast<int>(number.digits.size()) &&
        number.digits[static_cast<std::size_t>(firstDropped)] >= '5') {
        std::size_t i = fixed.size();
        while (i > 0 && fixed[i - 1] == '9')
            fixed[--i] = '0';
        if (i == 0)
            fixed.insert(fixed.begin(), '1');
        else
            ++fixed[i - 1];
    }
    std::string integer = fixed.substr(0, fixed.size() - kDecimals);
    integer.erase(0, integer.find_first_not_of('0'));
    if (integer.empty())
        integer = "0";
    return integer + "." + fixed.substr(fixed.size() - kDecimals);
}

std::string fixedNineteen(double value)
{
    char buffer[400];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed, kDecimals);
    check(ec == std::errc(), "to_chars fixed");
    return std::string(buffer, end);
}

// The texts the nineteen-decimal form of `value` may be, without the sign.
// From 0.001 on, the 17th significant digit lies within the nineteen
// decimals and there is one answer. Below, the nineteen decimals end before
// it, and the form is the value rounded at the nineteenth decimal, whether
// straight from the double, from its 17 digits, or from the double nearest them.
std::vector<std::string> expectedForms(double value)
{
    const Scientific number = seventeenDigits(value);
    std::vector<std::string> out{fixedFromDigits(number)};
    if (number.exponent < -3) {
        out.push_back(fixedNineteen(value));
        double nearest = 0;
        const std::string text = number.digits + "e" + std::to_string(number.exponent - 16);
        std::from_chars(text.data(), text.data() + text.size(), nearest);
        out.push_back(fixedNineteen(nearest));
    }
    return out;
}

std::string withoutTrailingZeros(std::string text)
{
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    if (text == "-0")
        text = "0";
    return text;
}

void checkValue(double value)
{
    if (!std::isfinite(value)) {
        if (std::isinf(value)) {
            const std::string expected = value > 0 ? "inf" : "-inf";
            check(quantaro::resultText(value) == expected, "resultText of an infinity",
                  quantaro::resultText(value));
        } else {
            quantaro::resultText(value); // any text, but no failure
        }
        return;
    }

    // Exactly the promised room, on the heap, so a write past it is caught.
    const auto buffer = std::make_unique<char[]>(quantaro::kNineteenDecimalCapacity);
    const std::size_t length = quantaro::writeNineteenDecimal(value, buffer.get());
    check(length <= quantaro::kNineteenDecimalCapacity, "writeNineteenDecimal length", shown(value));
    const std::string form(buffer.get(), length);
    check(hasLayout(form), "layout of the nineteen-decimal form", shown(value) + " gives " + shown(form));
    check(quantaro::nineteenDecimal(value) == form, "nineteenDecimal differs from writeNineteenDecimal",
          shown(value));

    // The sign stands before any value below zero; a text of zeros alone may carry it or not.
    const bool negative = !form.empty() && form[0] == '-';
    const bool allZero = form.find_first_not_of("-0.") == std::string::npos;
    check(negative == (value < 0) || (allZero && std::signbit(value)), "sign of the nineteen-decimal form",
          shown(value) + " gives " + shown(form));
    const std::string unsignedForm = form.substr(negative ? 1 : 0);
    bool matches = false;
    std::string expected;
    for (const std::string& candidate : expectedForms(value)) {
        matches = matches || unsignedForm == candidate;
        expected += " " + shown(candidate);
    }
    check(matches, "digits of the nineteen-decimal form", shown(value) + " gives " + shown(form) + ", expected" + expected);

    const std::string result = withoutTrailingZeros(form);
    check(quantaro::resultText(value) == result, "resultText",
          shown(value) + " gives " + shown(quantaro::resultText(value)) + ", expected " + shown(result));
    std::string appended = "x=";
    quantaro::appendResultText(value, appended);
    check(appended == "x=" + result, "appendResultText", shown(value) + " gives " + shown(appended));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    quantaro::fuzz::useCommaLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkValue(quantaro::fuzz::doubleFromBytes(data, size));
    return 0;
}
