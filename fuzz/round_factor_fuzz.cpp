// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The factor text rounding on any text (it never fails and always ends) and on
// texts of the nineteen-decimal form, where its output has the promised shape:
// digits, optionally "." and digits, never ending in "." nor in a "0" after
// the point. Beyond the shape, the rounding only cuts digits from the end and
// raises the last digit it keeps, or carries one into the integer part.

#include "engine/number_text.h"
#include "engine/test_support.h"
#include "fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using quantaro::fuzz::check;
using quantaro::fuzz::isDigit;
using quantaro::fuzz::shown;

constexpr std::size_t kDecimals = 19;

bool allDigits(std::string_view text)
{
    for (const char ch : text)
        if (!isDigit(ch))
            return false;
    return true;
}

// digits, ".", nineteen digits: what Convert hands over (without a sign).
bool isFactorText(std::string_view text)
{
    const std::size_t point = text.find('.');
    return point != std::string_view::npos && point > 0 && allDigits(text.substr(0, point)) &&
           text.size() - point - 1 == kDecimals && allDigits(text.substr(point + 1));
}

// The integer digits with one added: "9" gives "10", "199" gives "200".
std::string plusOne(std::string digits)
{
    std::size_t i = digits.size();
    while (i > 0) {
        --i;
        if (digits[i] != '9') {
            ++digits[i];
            return digits;
        }
        digits[i] = '0';
    }
    return "1" + digits;
}

void checkRounding(std::string_view in, const std::string& out)
{
    const std::string detail = shown(in) + " gives " + shown(out);
    check(!out.empty() && out.size() <= in.size() + 1, "length of the rounded factor text", detail);

    const std::size_t point = out.find('.');
    const std::string_view integer = std::string_view(out).substr(0, point);
    check(!integer.empty() && allDigits(integer), "integer digits of the rounded factor text", detail);

    const std::size_t inPoint = in.find('.');
    const std::string_view inInteger = in.substr(0, inPoint);
    const std::string_view inFraction = in.substr(inPoint + 1);
    if (point == std::string::npos) {
        check(integer == inInteger || integer == plusOne(std::string(inInteger)),
              "integer part of the rounded factor text", detail);
        return;
    }

    const std::string_view fraction = std::string_view(out).substr(point + 1);
    check(!fraction.empty(), "rounded factor text ends with a point", detail);
    check(allDigits(fraction), "decimals of the rounded factor text", detail);
    check(fraction.back() != '0', "rounded factor text ends with a zero after the point", detail);
    check(integer == inInteger, "integer part changed although decimals remain", detail);
    check(fraction.size() <= inFraction.size(), "rounding added decimals", detail);
    const std::size_t last = fraction.size() - 1;
    check(fraction.substr(0, last) == inFraction.substr(0, last), "rounding changed an inner decimal", detail);
    check(fraction[last] == inFraction[last] || (inFraction[last] != '9' && fraction[last] == inFraction[last] + 1),
          "rounding changed the last kept decimal by more than one", detail);
}

std::string factorTextFromDigits(FuzzedDataProvider& data)
{
    // Mostly short integer parts, like real factors; now and then up to the
    // 309 digits of the largest double.
    const std::size_t integerDigits =
        data.ConsumeBool() ? data.ConsumeIntegralInRange<std::size_t>(1, 309) : data.ConsumeIntegralInRange<std::size_t>(1, 4);
    std::string text;
    for (std::size_t k = 0; k < integerDigits + kDecimals; ++k) {
        if (k == integerDigits)
            text += '.';
        char digit = static_cast<char>('0' + data.ConsumeIntegralInRange<int>(0, 9));
        if (k == 0 && integerDigits > 1 && digit == '0')
            digit = '1';
        text += digit;
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    quantaro::fuzz::useCommaLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    std::string text;
    switch (data.ConsumeIntegralInRange<int>(0, 2)) {
    case 0: // any bytes
        text = data.ConsumeRemainingBytesAsString();
        break;
    case 1: // a factor text from digits
        text = factorTextFromDigits(data);
        break;
    default: { // the factor text of a double
        double value = data.ConsumeFloatingPoint<double>();
        if (!std::isfinite(value))
            value = 1;
        text = quantaro::nineteenDecimal(std::fabs(value));
        break;
    }
    }

    const std::string rounded = quantaro::roundFactorText(text);
    check(quantaro::roundFactorText(text) == rounded, "factor text rounding is not repeatable", shown(text));
    if (isFactorText(text))
        checkRounding(text, rounded);
    return 0;
}
