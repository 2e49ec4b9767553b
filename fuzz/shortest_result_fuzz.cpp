// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The shortest form of the result for any double: plain layout (optional "-",
// integer digits without leading zeros, optionally "." and decimals not ending
// in "0"), never "-0", "inf"/"-inf" for infinities; it reads back as the
// double the result text reads back as, with the fewest significant digits
// that do, which std::to_chars finds independently.

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

namespace {

using quantaro::fuzz::check;
using quantaro::fuzz::isDigit;
using quantaro::fuzz::shown;

bool hasPlainLayout(std::string_view text)
{
    if (text.starts_with('-'))
        text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const std::string_view integer = text.substr(0, point);
    if (integer.empty() || (integer.size() > 1 && integer[0] == '0'))
        return false;
    for (const char c : integer)
        if (!isDigit(c))
            return false;
    if (point == std::string_view::npos)
        return true;
    const std::string_view decimals = text.substr(point + 1);
    if (decimals.empty() || decimals.back() == '0')
        return false;
    for (const char c : decimals)
        if (!isDigit(c))
            return false;
    return true;
}

// No sign, point or exponent, and no zeros at either end.
std::string significantDigits(std::string_view text)
{
    std::string digits;
    for (const char c : text.substr(0, text.find('e')))
        if (isDigit(c))
            digits += c;
    digits.erase(0, digits.find_first_not_of('0'));
    digits.erase(digits.find_last_not_of('0') + 1);
    return digits;
}

double readBack(std::string_view text, double value)
{
    double number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    check(ec == std::errc() && end == text.data() + text.size(), "text does not read as a number",
          shown(value) + " gives " + shown(text));
    return number;
}

void checkValue(double value)
{
    if (std::isnan(value)) {
        quantaro::shortestResultText(value); // any text, but no failure
        return;
    }
    if (std::isinf(value)) {
        check(quantaro::shortestResultText(value) == (value > 0 ? "inf" : "-inf"), "an infinity",
              quantaro::shortestResultText(value));
        return;
    }

    // Exactly the promised room, on the heap, so a write past it is caught.
    const auto buffer = std::make_unique<char[]>(quantaro::kNineteenDecimalCapacity);
    const std::size_t length = quantaro::writeShortestResultText(value, buffer.get());
    check(length > 0 && length <= quantaro::kNineteenDecimalCapacity, "length", shown(value));
    const std::string text(buffer.get(), length);
    check(quantaro::shortestResultText(value) == text, "shortestResultText differs from writeShortestResultText",
          shown(value));
    check(hasPlainLayout(text), "layout", shown(value) + " gives " + shown(text));

    const double meant = readBack(quantaro::resultText(value), value);
    if (meant == 0) {
        check(text == "0", "the result text reads as 0, the shortest form does not", shown(value) + " gives " + shown(text));
        return;
    }
    const double back = readBack(text, value);
    check(back == meant && std::signbit(back) == std::signbit(meant), "reads back as another double",
          shown(value) + " gives " + shown(text) + ", which reads as " + shown(back) + ", not " + shown(meant));

    char scientific[64];
    const auto end = std::to_chars(scientific, scientific + sizeof scientific, meant, std::chars_format::scientific).ptr;
    const std::string fewest = significantDigits({scientific, static_cast<std::size_t>(end - scientific)});
    check(significantDigits(text) == fewest, "not the shortest digits",
          shown(value) + " gives " + shown(text) + ", expected the digits " + fewest);
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
